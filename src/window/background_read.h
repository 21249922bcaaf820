// Reads that run off the window's thread and hand their result back to it.
#pragma once

#include <QObject>
#include <QPointer>
#include <QRunnable>
#include <QThreadPool>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <utility>

namespace window {

// The reads started on one pool, in a queue of their own: the pool's threads take the
// work from it and put the results back, and a bare wake-up calls them in on the thread
// the reads were started on. Work and results change threads only under Lock(), a lock
// the thread sanitizer sees; Qt's event queue carries no data of ours. A child of its
// pool, so it goes after the pool has waited for its threads.
class BackgroundReads : public QObject, public QRunnable {
    Q_OBJECT
  public:
    struct Read {
        std::function<void()> work;     // on a pool thread; never touches context
        std::function<void()> deliver;  // on the owner's thread, once work is done
        QPointer<QObject> context;      // read on the owner's thread only
    };

    // The reads of pool, made on first use on the calling thread.
    static BackgroundReads& Of(QThreadPool& pool);

    // Queues read and asks the pool for a thread to run it; reads run in the order asked.
    void Start(std::unique_ptr<Read> read);

    // On a pool thread: runs the reads queued, oldest first, until none is left. A
    // start finds none when an earlier one took its read, or when the pool's queue was
    // cleared and a later start took the reads left over.
    void run() override;

    // The pool has waited for its threads: the reads it never ran and the results
    // never delivered go, taken under the lock their threads last held.
    ~BackgroundReads() override;

  private:
    explicit BackgroundReads(QThreadPool& pool);

    // One lock for the reads of every pool. It is not a member: a pool thread that
    // meets this object for the first time locks it before anything else, and the
    // object's memory reached that thread through the pool's queue, unseen.
    static std::mutex& Lock();

    // Hands each finished read its result, unless its context is gone by then.
    Q_INVOKABLE void Deliver();

    QThreadPool& pool_;
    std::deque<std::unique_ptr<Read>> queued_;  // reads not yet taken by a pool thread
    std::deque<std::unique_ptr<Read>> done_;    // reads whose results wait for Deliver
    bool wakePosted_ = false;                   // a Deliver call is on its way
};

// Runs work on pool and hands its result to done on context's thread, unless context
// is gone by then. work must not touch context. Reads started on one pool run in the
// order they were started, one at a time when the pool has one thread.
template <typename Result>
void ReadInBackground(QThreadPool& pool, QObject* context, std::function<Result()> work,
                      std::function<void(Result)> done) {
    auto result = std::make_shared<std::optional<Result>>();
    auto read = std::make_unique<BackgroundReads::Read>();
    read->work = [work = std::move(work), result] { result->emplace(work()); };
    read->deliver = [done = std::move(done), result] { done(std::move(**result)); };
    read->context = context;
    BackgroundReads::Of(pool).Start(std::move(read));
}

}  // namespace window
