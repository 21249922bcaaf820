// The window's work off its thread: reads on a pool handed back to their context's
// thread, and the screening thread's jobs. Run under the thread sanitizer, every
// hand-over here must be one it can see.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QSemaphore>
#include <QTemporaryDir>
#include <QThread>
#include <QThreadPool>
#include <atomic>
#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "archive/check_record.h"
#include "window/background_read.h"
#include "window/screening.h"

namespace {

// Runs the event loop until done() holds; false when it never did.
bool Spin(const std::function<bool()>& done) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while (!done()) {
        if (std::chrono::steady_clock::now() > end) {
            return false;
        }
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    return true;
}

// A read that says which thread it ran on.
struct Ran {
    std::string text;
    QThread* thread = nullptr;
};

std::function<Ran()> Reading(std::string text) {
    return [text] { return Ran{text + " read", QThread::currentThread()}; };
}

TEST(BackgroundReads, ResultsComeBackInOrderOnTheContextsThread) {
    QThreadPool pool;
    pool.setMaxThreadCount(1);
    QObject context;
    std::vector<std::string> told;
    std::vector<QThread*> deliveredOn;
    for (const char* text : {"one", "two", "three"}) {
        window::ReadInBackground<Ran>(pool, &context, Reading(text), [&](Ran ran) {
            EXPECT_NE(ran.thread, QThread::currentThread()) << ran.text;
            told.push_back(ran.text);
            deliveredOn.push_back(QThread::currentThread());
        });
    }
    ASSERT_TRUE(Spin([&] { return told.size() == 3; }));
    EXPECT_EQ(told, (std::vector<std::string>{"one read", "two read", "three read"}));
    for (QThread* thread : deliveredOn) {
        EXPECT_EQ(thread, context.thread());
    }
}

// The context goes while its read runs: the read ends, its result is dropped, and the
// reads of other contexts on the same pool are still told.
TEST(BackgroundReads, AResultForAContextGoneIsDropped) {
    QThreadPool pool;
    pool.setMaxThreadCount(1);
    auto gate = std::make_shared<QSemaphore>();
    auto gone = std::make_unique<QObject>();
    std::atomic<bool> workRan{false};
    bool goneTold = false;
    window::ReadInBackground<int>(
        pool, gone.get(),
        [gate, &workRan] {
            gate->acquire();
            workRan = true;
            return 1;
        },
        [&goneTold](int) { goneTold = true; });
    QObject stays;
    int staysTold = 0;
    window::ReadInBackground<int>(
        pool, &stays, [] { return 2; }, [&staysTold](int value) { staysTold = value; });
    gone.reset();
    gate->release();
    ASSERT_TRUE(Spin([&] { return staysTold == 2; }));
    EXPECT_TRUE(workRan);
    EXPECT_FALSE(goneTold);
}

// Reads whose starts were cleared from the pool still run, with the next read started
// after them, oldest first.
TEST(BackgroundReads, ReadsLeftByAClearedPoolRunWithTheNext) {
    QThreadPool pool;
    pool.setMaxThreadCount(1);
    auto gate = std::make_shared<QSemaphore>();
    pool.start([gate] { gate->acquire(); });  // holds the pool's one thread
    QObject context;
    std::vector<std::string> told;
    const auto tell = [&told](Ran ran) { told.push_back(ran.text); };
    window::ReadInBackground<Ran>(pool, &context, Reading("early"), tell);
    pool.clear();
    gate->release();
    pool.waitForDone();
    window::ReadInBackground<Ran>(pool, &context, Reading("late"), tell);
    ASSERT_TRUE(Spin([&] { return told.size() == 2; }));
    EXPECT_EQ(told, (std::vector<std::string>{"early read", "late read"}));
}

// Without an index there is no list: loading says so without an error, and a check
// is handed back unscreened, on the screening thread, by the time Flush returns; the
// checks still queued when the screening goes are handed back too.
TEST(ScreeningThread, ChecksAreHandedBackByFlushAndByTheEnd) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    auto screening = std::make_unique<window::Screening>();
    screening->SetIndexPath(folder.filePath(QStringLiteral("none.sqlite")).toStdString());
    std::vector<QString> loaded;
    QObject::connect(screening.get(), &window::Screening::loaded,
                     [&loaded](const QString& error) { loaded.push_back(error); });
    screening->Reload();
    screening->Flush();
    ASSERT_EQ(loaded.size(), 1u);
    EXPECT_TRUE(loaded[0].isEmpty()) << loaded[0].toStdString();
    EXPECT_TRUE(screening->ready());
    EXPECT_TRUE(screening->versions().empty());

    // Told on the screening thread; read here only after Flush or the end.
    struct Told {
        QThread* thread = nullptr;
        QString error;
        bool screened = true;
    };
    std::vector<Told> told(3);
    const auto check = [&](int i) {
        auto record = std::make_shared<archive::CheckRecord>();
        record->firms.resize(2);
        screening->ScreenCheck(record, [&told, i, record](const QString& error) {
            told[i] = {QThread::currentThread(), error, record->screening.screened};
        });
    };
    check(0);
    screening->Flush();
    EXPECT_NE(told[0].thread, nullptr);
    EXPECT_NE(told[0].thread, QThread::currentThread());
    EXPECT_TRUE(told[0].error.isEmpty());
    EXPECT_FALSE(told[0].screened);

    check(1);
    check(2);
    screening.reset();
    for (int i = 1; i < 3; ++i) {
        EXPECT_EQ(told[i].thread, told[0].thread) << i;
        EXPECT_FALSE(told[i].screened) << i;
    }
}

}  // namespace
