#include "archive/recorder.h"

#include <pthread.h>

#include <algorithm>
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

bool Recorder::retrying() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return retrying_;
}

void Recorder::Run() {
    // Named so that its share of a process's time can be told apart (top -H, /proc).
    pthread_setname_np(pthread_self(), "archive-writer");
    Archive archive;
    bool reported = false;
    bool pruned = false;
    // Records that met a locked file, first in the next try; and how long to wait.
    std::vector<CheckRecord> batch;
    std::chrono::milliseconds wait{100};
    const auto tell = [&](const std::string& message) {
        if (!reported && onError_)
            onError_(message);
        reported = true;
    };
    std::unique_lock<std::mutex> lock(mutex_);
    for (;;) {
        if (batch.empty()) {
            wake_.wait(lock, [this] { return stopping_ || !queue_.empty(); });
            if (queue_.empty())
                return;
        } else if (!stopping_) {
            // Woken early only by the end: records queued meanwhile join this try.
            wake_.wait_for(lock, wait, [this] { return stopping_; });
        }
        const bool last = stopping_;
        batch.reserve(batch.size() + queue_.size());
        while (!queue_.empty()) {
            batch.push_back(std::move(queue_.front()));
            queue_.pop_front();
        }
        const Ticket first = settled_ + 1;
        const Ticket end = settled_ + batch.size();
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
            if (!archive.Prune(retention_, &removed, &pruneError))
                tell(pruneError);
        }
        written = written && archive.Append(batch, &error);
        const bool locked = !written && archive.locked();
        if (!written && archive.isOpen()) {
            // A damaged or full file may keep failing; opening again on the next
            // batch sees a file that was mended or freed meanwhile.
            archive.Close();
        }
        const bool retry = locked && !last;
        if (retry) {
            // Said before the handler hears of it, so that it may ask.
            std::lock_guard<std::mutex> retrying(mutex_);
            retrying_ = true;
        }
        if (!written)
            tell(retry ? error + "; recording is tried again until it is free" : error);

        lock.lock();
        if (retry) {
            // Kept, in order, for the next try; nothing is settled yet.
            wait = std::min(wait * 2, kLongestRetryWait);
            continue;
        }
        retrying_ = false;
        wait = std::chrono::milliseconds(100);
        if (!written) {
            failed_ = true;
            lost_.emplace_back(first, end);
            if (lost_.size() > kLostRangesKept)
                lost_.pop_front();
        }
        batch.clear();
        settled_ = end;
        ended_.notify_all();
    }
}

}  // namespace archive
