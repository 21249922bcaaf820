// The end of the program: running exchanges are aborted and joined promptly, they
// deliver nothing more, and workers started afterwards run normally.
#include <gtest/gtest.h>

#include <QString>
#include <thread>

#include "platform/cp1251.h"
#include "support/standin.h"
#include "worker/query_worker.h"

using testsupport::RecordingSink;
using testsupport::StandinServer;

namespace {

void Start(const std::shared_ptr<RecordingSink>& sink, const std::string& root, const char* name,
           worker::NodeHandle node) {
    auto w = std::make_unique<worker::QueryWorker>(sink, root, worker::ProxySettings{});
    w->criteria.name = platform::ToCp1251(QString::fromUtf8(name));
    w->queryNode = node;
    w->queryText = "q";
    worker::QueryWorker::Start(std::move(w));
}

bool WaitForLogLines(const StandinServer& s, std::size_t n) {
    for (int i = 0; i < 500; ++i) {
        if (s.requestLog().size() >= n) {
            return true;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return false;
}

}  // namespace

TEST(WorkerShutdown, AbortsRunningExchangesAndLetsLaterOnesRun) {
    StandinServer s({"--slow", "60"});
    auto sink = std::make_shared<RecordingSink>();
    Start(sink, s.root(), "Медленно", 1);
    Start(sink, s.root(), "Медленно", 2);
    ASSERT_TRUE(WaitForLogLines(s, 4));  // both POSTs sent; their answers take a minute

    EXPECT_TRUE(worker::ShutdownWorkers(std::chrono::seconds(20)));
    EXPECT_TRUE(sink->deliveries().empty());
    EXPECT_EQ(sink->threadCount(), 0);
    EXPECT_EQ(sink->queryOk(1), false);
    EXPECT_EQ(sink->queryOk(2), false);

    auto later = std::make_shared<RecordingSink>();
    Start(later, s.root(), "Ромашка", 3);
    ASSERT_TRUE(later->WaitUntilDone(1));
    EXPECT_EQ(later->deliveries().size(), 9u);
    EXPECT_TRUE(worker::WaitForWorkers(std::chrono::seconds(5)));
}

TEST(WorkerShutdown, ManyWorkersAtOnceAllEndAndTheCountReturnsToZero) {
    StandinServer s;
    auto sink = std::make_shared<RecordingSink>();
    for (worker::NodeHandle n = 1; n <= 12; ++n) {
        Start(sink, s.root(), n % 2 ? "Ромашка" : "Лютик", n);
    }
    ASSERT_TRUE(sink->WaitUntilDone(12));
    EXPECT_TRUE(worker::WaitForWorkers(std::chrono::seconds(5)));
    for (worker::NodeHandle n = 1; n <= 12; ++n) {
        EXPECT_EQ(sink->deliveriesFor(n).size(), n % 2 ? 9u : 2u);
        EXPECT_EQ(sink->queryOk(n), true);
    }
}
