#include "window/archive_recording.h"

#include <pthread.h>
#include <QMetaObject>

#include <algorithm>
#include <chrono>

#include "archive/archive_db.h"
#include "archive/recorder.h"
#include "exchange/query_service.h"
#include "window/screening.h"

namespace window {
namespace {

// How long the written records are waited for at most before History hears of them;
// the recorder settles a record (written or given up) within its busy timeout.
constexpr std::chrono::seconds kWrittenWait{60};
// How often the records waiting for a locked archive are counted anew.
constexpr std::chrono::milliseconds kWaitingSlice{500};

struct ArchiveChoice {
    bool chosen = false;
    std::optional<std::string> path;
};

ArchiveChoice& Choice() {
    static ArchiveChoice choice;
    return choice;
}

}  // namespace

void UseArchive(std::optional<std::string> path) {
    Choice().chosen = true;
    Choice().path = std::move(path);
}

std::string ArchivePathInUse() {
    const ArchiveChoice& choice = Choice();
    if (!choice.chosen) {
        return archive::Archive::DefaultPath();
    }
    return choice.path.value_or(std::string());
}

ArchiveRecording::ArchiveRecording(lookup::QueryService& service, std::string path, QObject* parent)
    : QObject(parent), service_(service), path_(std::move(path)) {
    if (path_.empty()) {
        return;
    }
    // Told on the recorder's thread, carried over to this object's thread.
    recorder_ = std::make_unique<archive::Recorder>(path_, [this](const std::string& why) {
        // Records kept for a locked archive are not lost: `waiting` tells of them.
        if (recorder_->retrying()) {
            return;
        }
        const QString message = QString::fromStdString(why);
        Post([this, message] { emit failed(message); });
    });
    connect(&service, &lookup::QueryService::firmFound, this,
            [this](lookup::QueryId id, const lookup::FirmRecord& firm) {
                const auto it = open_.find(id);
                if (it != open_.end()) {
                    it->second.firms.push_back(firm);
                }
            });
    connect(&service, &lookup::QueryService::messageFound, this,
            [this](lookup::QueryId id, const std::string& text, lookup::ServiceMessageKind kind) {
                const auto it = open_.find(id);
                if (it != open_.end() && it->second.message.empty()) {
                    it->second.messageKind = kind;
                    it->second.message = archive::ToUtf8(text);
                }
            });
    connect(&service, &lookup::QueryService::queryFinished, this, &ArchiveRecording::Finished);
    appender_ = std::thread([this] { AppendInOrder(); });
    watcher_ = std::thread([this] { WatchWritten(); });
}

ArchiveRecording::~ArchiveRecording() {
    if (!recorder_) {
        return;
    }
    // Checks still being screened are recorded too: the screening thread hands them on.
    {
        std::unique_lock<std::mutex> lock(mutex_);
        changed_.wait(lock, [this] { return held_ == 0; });
        stopping_ = true;
    }
    changed_.notify_all();
    appender_.join();  // then the recorder writes what is queued
    {
        std::lock_guard<std::mutex> lock(mutex_);
        closing_ = true;
    }
    changed_.notify_all();
    watcher_.join();
    // The recorder goes with the members, before what its error handler touches.
}

void ArchiveRecording::Queued(lookup::QueryId id, const lookup::QueryRequest& request,
                              const QString& typed, const std::string& language) {
    if (!recorder_) {
        return;
    }
    // A query aborted or dropped never finishes and is not recorded: once nothing else
    // is pending its entry goes.
    if (service_.Pending() <= 1) {
        open_.clear();
    }
    lastRecorded_.reset();  // the results are no longer those of the check recorded last
    archive::CheckRecord& record = open_[id];
    record.origin = "window";
    record.service = request.serviceRoot;
    record.typed = typed.toStdString();
    record.criteria = request.criteria;
    record.language = language;
}

void ArchiveRecording::Finished(lookup::QueryId id, const lookup::QueryOutcome& outcome) {
    const auto it = open_.find(id);
    if (it == open_.end()) {
        return;
    }
    archive::CheckRecord record = std::move(it->second);
    open_.erase(it);
    record.pages = outcome.pages;
    record.pagesSha256 = outcome.pagesSha256;
    if (!outcome.ok()) {
        record.outcome = archive::Outcome::Failed;
        record.message = outcome.error->reason;
    } else if (record.firms.empty() && outcome.messagesFound > 0) {
        record.outcome = archive::Outcome::Message;
    } else {
        record.outcome = archive::Outcome::Firms;
    }
    record.checkedAt = archive::UtcNow();
    archive::CheckRecord recorded;
    recorded.checkedAt = record.checkedAt;
    recorded.origin = record.origin;
    recorded.service = record.service;
    recorded.typed = record.typed;
    recorded.criteria = record.criteria;
    recorded.language = record.language;
    recorded.outcome = record.outcome;
    lastRecorded_ = std::move(recorded);
    const bool compare = changesHandler_ && archive::IsAnswered(record);
    // A check waits for its screening while a list is loaded or being loaded, and so does
    // one ended after a check that waits, so that the checks keep their order.
    bool screen = false;
    if (screening_ != nullptr) {
        std::lock_guard<std::mutex> lock(mutex_);
        screen = !screening_->ready() || !screening_->versions().empty() || held_ > 0;
    }
    if (!screen) {
        Append(id, compare, std::move(record));
        return;
    }
    Screened(+1);
    auto held = std::make_shared<archive::CheckRecord>(std::move(record));
    // Told on the screening thread; this object waits for it before it goes.
    screening_->ScreenCheck(held, [this, id, compare, held](const QString& error) {
        if (!error.isEmpty()) {
            Post([this, error] { emit notScreened(error); });
        }
        Append(id, compare, std::move(*held));
        Screened(-1);
    });
}

void ArchiveRecording::Screened(int change) {
    // Told under the lock: once the count is 0 the destructor may end this object.
    std::lock_guard<std::mutex> lock(mutex_);
    held_ += change;
    changed_.notify_all();
}

void ArchiveRecording::Append(lookup::QueryId id, bool compare, archive::CheckRecord record) {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        ended_.push_back({id, compare, std::move(record)});
    }
    changed_.notify_all();
}

void ArchiveRecording::AppendInOrder() {
    pthread_setname_np(pthread_self(), "archive-append");
    std::unique_lock<std::mutex> lock(mutex_);
    for (;;) {
        changed_.wait(lock, [this] { return stopping_ || !ended_.empty(); });
        if (ended_.empty()) {
            return;
        }
        Ended check = std::move(ended_.front());
        ended_.pop_front();
        appending_ = true;
        lock.unlock();
        // The previous check is read before this one is appended, on the same thread
        // that appends, so it is never the check itself.
        std::vector<archive::FirmChange> changes;
        if (check.compare) {
            changes = ChangesSincePrevious(check.record);
        }
        const std::uint64_t ticket = recorder_->Append(std::move(check.record));
        if (!changes.empty()) {
            Post([this, id = check.id, changes = std::move(changes)] {
                if (changesHandler_) {
                    changesHandler_(id, changes);
                }
            });
        }
        lock.lock();
        lastTicket_ = ticket;
        appending_ = false;
        changed_.notify_all();
    }
}

std::vector<archive::FirmChange> ArchiveRecording::ChangesSincePrevious(
    const archive::CheckRecord& record) const {
    std::vector<archive::FirmChange> changes;
    archive::Archive db;
    if (!db.Open(path_, archive::Archive::Access::ReadOnly)) {
        return changes;
    }
    const platform::Result<std::optional<archive::CheckRecord>> previous =
        db.LastAnswered(record.criteria, {});
    if (previous && *previous) {
        for (archive::FirmChange& change : archive::CompareChecks(**previous, record)) {
            if (change.kind == archive::ChangeKind::Changed ||
                change.kind == archive::ChangeKind::Added) {
                changes.push_back(std::move(change));
            }
        }
    }
    return changes;
}

// Waits off the window's thread for the records appended so far; records appended
// while it waited and written by then are told about together. While the archive is
// locked by another program the wait goes on for as long as this object lives, telling
// how many records wait; a record given up ends it at once.
void ArchiveRecording::WatchWritten() {
    pthread_setname_np(pthread_self(), "archive-watch");
    std::uint64_t told = 0;   // the last ticket told as written
    std::uint64_t tried = 0;  // the last ticket waited for
    for (;;) {
        std::uint64_t ticket = 0;
        {
            std::unique_lock<std::mutex> lock(mutex_);
            changed_.wait(lock, [&] { return closing_ || lastTicket_ > tried; });
            if (closing_) {
                return;
            }
            ticket = lastTicket_;
        }
        tried = ticket;
        std::uint64_t waitingTold = 0;
        if (!AwaitTicket(ticket, told, &waitingTold)) {
            continue;  // given up (told through `failed`), or the end
        }
        // Records appended while these waited were written with them, as a rule.
        std::uint64_t latest = 0;
        {
            std::lock_guard<std::mutex> lock(mutex_);
            latest = lastTicket_;
        }
        if (latest > ticket && recorder_->WaitWritten(latest, std::chrono::milliseconds(0))) {
            ticket = latest;
            tried = latest;
        }
        const int count = waitingTold > 0 ? static_cast<int>(ticket - told) : 0;
        told = ticket;
        Post([this, count] {
            emit recorded();
            if (count > 0) {
                emit caughtUp(count);
            }
        });
    }
}

bool ArchiveRecording::AwaitTicket(std::uint64_t ticket, std::uint64_t before,
                                   std::uint64_t* waitingTold) {
    const auto deadline = std::chrono::steady_clock::now() + kWrittenWait;
    for (;;) {
        const auto asked = std::chrono::steady_clock::now();
        if (recorder_->WaitWritten(ticket, kWaitingSlice)) {
            return true;
        }
        const auto now = std::chrono::steady_clock::now();
        std::uint64_t latest = 0;
        {
            std::lock_guard<std::mutex> lock(mutex_);
            if (closing_) {
                return false;
            }
            latest = lastTicket_;
        }
        if (recorder_->retrying()) {
            const std::uint64_t count = latest - before;
            if (count != *waitingTold) {
                *waitingTold = count;
                Post([this, count] { emit waiting(static_cast<int>(count)); });
            }
        } else if (now - asked < kWaitingSlice || now > deadline) {
            return false;  // given up, or slower than any disk
        }
    }
}

void ArchiveRecording::Post(std::function<void()> call) {
    std::lock_guard<std::mutex> lock(mutex_);
    posted_.push_back(std::move(call));
    if (!wakePosted_) {
        // Only a bare wake-up travels through Qt's event queue: the calls themselves
        // go through mutex_, a lock the thread sanitizer sees.
        wakePosted_ = true;
        QMetaObject::invokeMethod(this, "RunPosted", Qt::QueuedConnection);
    }
}

void ArchiveRecording::RunPosted() {
    std::vector<std::function<void()>> calls;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        calls.swap(posted_);
        wakePosted_ = false;
    }
    const QPointer<ArchiveRecording> alive(this);
    for (const std::function<void()>& call : calls) {
        call();
        if (alive.isNull()) {
            return;
        }
    }
}

bool ArchiveRecording::WaitWritten(std::chrono::milliseconds timeout) const {
    if (!recorder_) {
        return false;
    }
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    std::uint64_t ticket = 0;
    {
        std::unique_lock<std::mutex> lock(mutex_);
        const bool settled = changed_.wait_until(
            lock, deadline, [this] { return held_ == 0 && ended_.empty() && !appending_; });
        if (!settled) {
            return false;
        }
        ticket = lastTicket_;
    }
    if (ticket == 0) {
        return false;
    }
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        deadline - std::chrono::steady_clock::now());
    return recorder_->WaitWritten(ticket, std::max(left, std::chrono::milliseconds(0)));
}

void ArchiveRecording::Flush() const {
    WaitWritten(std::chrono::seconds(5));
}

void ArchiveRecording::SetScreening(Screening* screening) {
    screening_ = screening;
}

}  // namespace window
