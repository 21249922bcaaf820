// The window's side of the lookup archive: every query the window ends becomes one
// record, written by a recorder on a thread of its own. A failure to write is told
// once through `failed`, on the window's thread; searching goes on either way. Records
// that meet an archive another program holds locked are kept and tried again: how many
// wait is told through `waiting`, and `caughtUp` tells when they are written.
#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "archive/archive_changes.h"
#include "archive/check_record.h"
#include "exchange/query_types.h"

namespace archive {
class Recorder;
}

namespace lookup {
class QueryService;
}

namespace window {

class Screening;

// The archive the window records in: the usual one unless the program was told
// otherwise (--archive PATH), none after --no-archive. Set before the window exists.
void UseArchive(std::optional<std::string> path);
// The file in use; empty when nothing is recorded.
std::string ArchivePathInUse();

class ArchiveRecording : public QObject {
    Q_OBJECT
  public:
    // path empty: nothing is recorded.
    ArchiveRecording(lookup::QueryService& service, std::string path, QObject* parent = nullptr);
    ~ArchiveRecording() override;

    const std::string& path() const { return path_; }

    // Each check ended while screening has a list loaded is screened by screening
    // before it is recorded, so that its record holds the versions screened against and
    // the matches of all its firms; checks are still recorded in the order they ended.
    // Without a list a check is recorded unscreened, as without screening.
    void SetScreening(Screening* screening);

    // Query id was sent for request; typed is what the user typed (or the list line),
    // language the request's language ("ru" when the text went as typed).
    void Queued(lookup::QueryId id, const lookup::QueryRequest& request, const QString& typed,
                const std::string& language);

    // Waits until every record appended so far is written or given up, at most timeout;
    // true when the last of them is in the archive. Safe on any thread while this object
    // lives; the window's thread never calls it (a report's background read does, and tests).
    bool WaitWritten(std::chrono::milliseconds timeout) const;
    // WaitWritten for a few seconds (tests).
    void Flush() const;

    // The query recorded last, without its firms and digest; none before the first.
    // Its time tells it apart from the other checks of the same criteria.
    const std::optional<archive::CheckRecord>& lastRecorded() const { return lastRecorded_; }

    // Told, on this object's thread, what changed in the firms of an answered query
    // since the previous answered check of the same query (nothing when none changed
    // or there was none).
    using ChangesHandler =
        std::function<void(lookup::QueryId id, const std::vector<archive::FirmChange>& changes)>;
    void SetChangesHandler(ChangesHandler handler) { changesHandler_ = std::move(handler); }

  signals:
    // The archive could not be written: the message names the file and why.
    void failed(const QString& message);
    // A check was recorded unscreened: its firms could not be screened, for why.
    void notScreened(const QString& why);
    // A record is in the archive now (told once for records written together).
    void recorded();
    // count records wait for the archive, which another program holds locked; told
    // again whenever the count changes.
    void waiting(int count);
    // The count records that waited for a locked archive are written now.
    void caughtUp(int count);

  private:
    // A check ended, to be compared with its previous one when compare, then appended.
    struct Ended {
        lookup::QueryId id;
        bool compare;
        archive::CheckRecord record;
    };

    void Finished(lookup::QueryId id, const lookup::QueryOutcome& outcome);
    // Queues record for the appending thread; on any thread.
    void Append(lookup::QueryId id, bool compare, archive::CheckRecord record);
    void Screened(int change);
    // The appending thread: each ended check in turn, until the end with none left.
    void AppendInOrder();
    // What changed in the firms of record since the previous answered check of its
    // criteria in the archive; only firms changed or added.
    std::vector<archive::FirmChange> ChangesSincePrevious(const archive::CheckRecord& record) const;
    // The watching thread: waits for the records appended to be written and tells of
    // them, until the end.
    void WatchWritten();
    // Waits for ticket to be written while the archive is locked, telling `waiting`;
    // false when it was given up, or the end came first. before: the last ticket told.
    bool AwaitTicket(std::uint64_t ticket, std::uint64_t before, std::uint64_t* waitingTold);
    // Runs call on this object's thread, after the calls posted before it.
    void Post(std::function<void()> call);
    // Runs the calls posted so far (on this object's thread).
    Q_INVOKABLE void RunPosted();

    lookup::QueryService& service_;
    std::string path_;
    std::optional<archive::CheckRecord> lastRecorded_;
    std::map<lookup::QueryId, archive::CheckRecord> open_;  // queries not yet ended
    ChangesHandler changesHandler_;
    QPointer<Screening> screening_;

    // Shared by this object's thread, the screening thread and the two threads below;
    // every hand-over between them goes through it.
    mutable std::mutex mutex_;
    mutable std::condition_variable changed_;
    // Checks ended and still being screened: WaitWritten and the destructor wait for them.
    int held_ = 0;
    std::deque<Ended> ended_;       // checks waiting for the appending thread, in order
    bool appending_ = false;        // the appending thread holds a check
    bool stopping_ = false;         // the appending thread ends once ended_ is empty
    bool closing_ = false;          // the watching thread stops waiting
    std::uint64_t lastTicket_ = 0;  // the recorder's ticket of the last check appended
    std::vector<std::function<void()>> posted_;  // calls for this object's thread
    bool wakePosted_ = false;                    // a RunPosted call is on its way

    // Declared after what its error handler touches; ends after the threads below.
    std::unique_ptr<archive::Recorder> recorder_;
    // Compares each ended check with its previous one, then appends it, in the order
    // the checks ended.
    std::thread appender_;
    // Waits for the appended records to be written and tells recorded().
    std::thread watcher_;
};

}  // namespace window
