// Appends check records to the archive from a thread of its own, so that neither the
// window's thread nor the batch tool's event loop ever waits on the database. Records
// queued close together go into one transaction. Records that meet a file locked by
// another program are kept and tried again, less and less often, for as long as the
// recorder lives; records that meet any other failure are given up. Either way the
// error handler hears about it once; searches go on, and later records are tried again
// (a damaged or full file may be mended meanwhile).
#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "archive/archive_db.h"

namespace archive {

// The longest wait between two tries of records that met a locked file.
constexpr std::chrono::milliseconds kLongestRetryWait{5000};

// Records waiting for the writer at most; Append waits for room beyond that, which
// only a database far slower than the register ever makes it do.
constexpr size_t kMaxQueuedRecords = 4096;

class Recorder {
  public:
    // Told once, on the recorder's thread, the first time a record cannot be written.
    using ErrorHandler = std::function<void(const std::string& message)>;
    // Names an appended record; 1 upwards in the order of Append.
    using Ticket = std::uint64_t;

    // path: the archive file (Archive::DefaultPath() for the usual one). The retention
    // is applied once, when the archive is first opened.
    Recorder(std::string path, ErrorHandler onError, Retention retention = {});
    // Writes whatever is still queued (trying a locked file once more), then ends the
    // thread.
    ~Recorder();
    Recorder(const Recorder&) = delete;
    Recorder& operator=(const Recorder&) = delete;

    Ticket Append(CheckRecord record);
    // Appends records together, so that they share one transaction; the last one's
    // ticket (0 when records is empty).
    Ticket AppendAll(std::vector<CheckRecord> records);

    // Waits until the record of ticket is written or given up, at most timeout. True
    // when it is in the archive; false too while it waits for a locked file.
    bool WaitWritten(Ticket ticket, std::chrono::milliseconds timeout);

    // True once a record was given up.
    bool failed() const;
    // True while records wait for a file another program holds locked.
    bool retrying() const;

  private:
    // What the writer's thread keeps from one batch to the next.
    struct WriterState {
        Archive archive;
        bool reported = false;  // the error handler has heard of a failure
        bool pruned = false;    // the retention was applied
    };

    void Run();
    // Waits, under lock, for records to write (or, holding records that met a locked
    // file, for the next try of them); false when the recorder ends with none left.
    bool AwaitWork(std::unique_lock<std::mutex>& lock, bool holding,
                   std::chrono::milliseconds wait);
    // Writes batch, without the lock; fine when it is in the archive. *locked: it met
    // a file another program holds.
    platform::Status WriteBatch(WriterState& state, std::vector<CheckRecord>& batch, bool* locked);
    // Tells the error handler of message, the first time only.
    void Tell(WriterState& state, const std::string& message);
    // Under the lock: the records from first to end are written or given up.
    void Settle(Ticket first, Ticket end, bool written);

    const std::string path_;
    const ErrorHandler onError_;
    const Retention retention_;

    mutable std::mutex mutex_;
    std::condition_variable wake_;   // the writer: records queued, or the end
    std::condition_variable ended_;  // waiters: records written or given up, room
    std::deque<CheckRecord> queue_;
    Ticket appended_ = 0;                         // last ticket given out
    Ticket settled_ = 0;                          // records up to this one are written or given up
    std::deque<std::pair<Ticket, Ticket>> lost_;  // ranges given up, oldest first
    bool stopping_ = false;
    bool failed_ = false;
    bool retrying_ = false;
    std::thread thread_;
};

}  // namespace archive
