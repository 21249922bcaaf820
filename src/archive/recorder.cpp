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
    WriterState state;
    // Records that met a locked file, first in the next try; and how long to wait.
    std::vector<CheckRecord> batch;
    std::chrono::milliseconds wait{100};
    std::unique_lock<std::mutex> lock(mutex_);
    while (AwaitWork(lock, !batch.empty(), wait)) {
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

        bool locked = false;
        const platform::Status done = WriteBatch(state, batch, &locked);
        const bool written = done.ok();
        const bool retry = !written && locked && !last;
        if (retry) {
            // Said before the handler hears of it, so that it may ask.
            std::lock_guard<std::mutex> retrying(mutex_);
            retrying_ = true;
        }
        if (!written)
            Tell(state, retry ? done.error() + "; recording is tried again until it is free"
                              : done.error());

        lock.lock();
        if (retry) {
            // Kept, in order, for the next try; nothing is settled yet.
            wait = std::min(wait * 2, kLongestRetryWait);
            continue;
        }
        wait = std::chrono::milliseconds(100);
        Settle(first, end, written);
        batch.clear();
    }
}

bool Recorder::AwaitWork(std::unique_lock<std::mutex>& lock, bool holding,
                         std::chrono::milliseconds wait) {
    if (!holding) {
        wake_.wait(lock, [this] { return stopping_ || !queue_.empty(); });
        return !queue_.empty();
    }
    if (!stopping_) {
        // Woken early only by the end: records queued meanwhile join this try.
        wake_.wait_for(lock, wait, [this] { return stopping_; });
    }
    return true;
}

platform::Status Recorder::WriteBatch(WriterState& state, std::vector<CheckRecord>& batch,
                                      bool* locked) {
    Archive& archive = state.archive;
    platform::Status written;
    if (!archive.isOpen())
        written = archive.Open(path_, Archive::Access::ReadWrite);
    if (written && !state.pruned) {
        state.pruned = true;
        // A failed prune leaves every record in place and recording goes on, so it is
        // only told.
        const platform::Result<PruneReport> pruned = archive.Prune(retention_);
        if (!pruned)
            Tell(state, pruned.error());
    }
    if (written)
        written = archive.Append(batch);
    *locked = !written && archive.locked();
    if (!written && archive.isOpen()) {
        // A damaged or full file may keep failing; opening again on the next batch
        // sees a file that was mended or freed meanwhile.
        archive.Close();
    }
    return written;
}

void Recorder::Tell(WriterState& state, const std::string& message) {
    if (!state.reported && onError_)
        onError_(message);
    state.reported = true;
}

void Recorder::Settle(Ticket first, Ticket end, bool written) {
    retrying_ = false;
    if (!written) {
        failed_ = true;
        lost_.emplace_back(first, end);
        if (lost_.size() > kLostRangesKept)
            lost_.pop_front();
    }
    settled_ = end;
    ended_.notify_all();
}

}  // namespace archive
