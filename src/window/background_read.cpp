#include "window/background_read.h"

#include <QMetaObject>
#include <QString>

namespace window {

BackgroundReads& BackgroundReads::Of(QThreadPool& pool) {
    auto* reads = pool.findChild<BackgroundReads*>(QString(), Qt::FindDirectChildrenOnly);
    return reads != nullptr ? *reads : *new BackgroundReads(pool);
}

BackgroundReads::BackgroundReads(QThreadPool& pool) : QObject(&pool), pool_(pool) {
    setAutoDelete(false);  // started once per read, it lives as long as the pool
}

BackgroundReads::~BackgroundReads() {
    std::deque<std::unique_ptr<Read>> queued;
    std::deque<std::unique_ptr<Read>> done;
    std::lock_guard<std::mutex> lock(Lock());
    queued.swap(queued_);
    done.swap(done_);
}

void BackgroundReads::Start(std::unique_ptr<Read> read) {
    {
        std::lock_guard<std::mutex> lock(Lock());
        queued_.push_back(std::move(read));
    }
    pool_.start(this);
}

void BackgroundReads::run() {
    std::unique_lock<std::mutex> lock(Lock());
    while (!queued_.empty()) {
        std::unique_ptr<Read> read = std::move(queued_.front());
        queued_.pop_front();
        lock.unlock();
        read->work();
        lock.lock();
        done_.push_back(std::move(read));
        if (!wakePosted_) {
            wakePosted_ = true;
            QMetaObject::invokeMethod(this, "Deliver", Qt::QueuedConnection);
        }
    }
}

std::mutex& BackgroundReads::Lock() {
    static std::mutex lock;
    return lock;
}

void BackgroundReads::Deliver() {
    std::deque<std::unique_ptr<Read>> done;
    {
        std::lock_guard<std::mutex> lock(Lock());
        done.swap(done_);
        wakePosted_ = false;
    }
    // A result may end the pool, and this object with it: the rest are dropped.
    const QPointer<BackgroundReads> alive(this);
    for (std::unique_ptr<Read>& read : done) {
        if (!read->context.isNull()) {
            read->deliver();
        }
        if (alive.isNull()) {
            return;
        }
    }
}

}  // namespace window
