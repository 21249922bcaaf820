#include "archive/recorder.h"

#include <pthread.h>
#include <utility>
#include <vector>

namespace archive {

namespace {

// The ranges of lost tickets kept for WaitWritten; older ones are forgotten.
constexpr size_t kLostRangesKept = 1024;

}  // namespace

Recorder::Recorder(std::string path, ErrorHandler onError, Retention retention)
    : path_(std::move(path)), onError_(std::move(onError)), retention_(retention) {
    thread_ = std::thread([this] { Run(); });
}

Recorder::~Recorder() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        stopping_ = true;
    }
    wake_.notify_all();
    thread_.join();
}

Recorder::Ticket Recorder::Append(CheckRecord record) {
    std::unique_lock<std::mutex> lock(mutex_);
    ended_.wait(lock, [this] { return queue_.size() < kMaxQueuedRecords; });
    queue_.push_back(std::move(record));
    const Ticket ticket = ++appended_;
    lock.unlock();
    wake_.notify_one();
    return ticket;
}

Recorder::Ticket Recorder::AppendAll(std::vector<CheckRecord> records) {
    if (records.empty())
        return 0;
    std::unique_lock<std::mutex> lock(mutex_);
    ended_.wait(lock, [this] { return queue_.size() < kMaxQueuedRecords; });
    for (CheckRecord& record : records)
        queue_.push_back(std::move(record));
    appended_ += records.size();
    const Ticket ticket = appended_;
    lock.unlock();
    wake_.notify_one();
    return ticket;
}

bool Recorder::WaitWritten(Ticket ticket, std::chrono::milliseconds timeout) {
    std::unique_lock<std::mutex> lock(mutex_);
    if (!ended_.wait_for(lock, timeout, [&] { return settled_ >= ticket; }))
        return false;
    for (const auto& range : lost_) {
        if (ticket >= range.first && ticket <= range.second)
            return false;
    }
    return true;
}

bool Recorder::failed() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return failed_;
}

void Recorder::Run() {
    // Named so that its share of a process's time can be told apart (top -H, /proc).
    pthread_setname_np(pthread_self(), "archive-writer");
    Archive archive;
    bool reported = false;
    bool pruned = false;
    std::unique_lock<std::mutex> lock(mutex_);
    for (;;) {
        wake_.wait(lock, [this] { return stopping_ || !queue_.empty(); });
        if (queue_.empty())
            return;
        std::vector<CheckRecord> batch;
        batch.reserve(queue_.size());
        while (!queue_.empty()) {
            batch.push_back(std::move(queue_.front()));
            queue_.pop_front();
        }
        const Ticket first = settled_ + 1;
        const Ticket last = settled_ + batch.size();
        lock.unlock();
        ended_.notify_all();  // room in the queue

        std::string error;
        bool written = archive.isOpen() || archive.Open(path_, Archive::Access::ReadWrite, &error);
        if (written && !pruned) {
            pruned = true;
            std::int64_t removed = 0;
            std::string pruneError;
            // A failed prune leaves every record in place and recording goes on, so it
            // is only told.
            if (!archive.Prune(retention_, &removed, &pruneError) && !reported) {
                reported = true;
                if (onError_)
                    onError_(pruneError);
            }
        }
        written = written && archive.Append(batch, &error);
        if (!written && archive.isOpen()) {
            // A damaged or full file may keep failing; opening again on the next
            // batch sees a file that was mended or freed meanwhile.
            archive.Close();
        }
        if (!written && !reported) {
            reported = true;
            if (onError_)
                onError_(error);
        }

        lock.lock();
        if (!written) {
            failed_ = true;
            lost_.emplace_back(first, last);
            if (lost_.size() > kLostRangesKept)
                lost_.pop_front();
        }
        settled_ = last;
        ended_.notify_all();
    }
}

}  // namespace archive
