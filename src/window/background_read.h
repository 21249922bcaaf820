// Reads that run off the window's thread and hand their result back to it.
#pragma once

#include <QMetaObject>
#include <QObject>
#include <QPointer>
#include <QThreadPool>
#include <functional>
#include <utility>

namespace window {

// Runs work on pool and hands its result to done on context's thread, unless context
// is gone by then. work must not touch context.
template <typename Result>
void ReadInBackground(QThreadPool& pool, QObject* context, std::function<Result()> work,
                      std::function<void(Result)> done) {
    QPointer<QObject> guard(context);
    pool.start([guard, work = std::move(work), done = std::move(done)]() mutable {
        Result result = work();
        QObject* target = guard.data();
        if (target == nullptr) {
            return;
        }
        QMetaObject::invokeMethod(
            target,
            [done = std::move(done), result = std::move(result)]() mutable {
                done(std::move(result));
            },
            Qt::QueuedConnection);
    });
}

}  // namespace window
