// Batch lookups: the criteria of a line, a bounded number of workers at once, and a
// thread count that stays above 0 until the last queued line has ended.
#include <gtest/gtest.h>

#include <QString>
#include <algorithm>

#include "platform/cp1251.h"
#include "support/standin.h"
#include "worker/batch_queue.h"
#include "worker/query_worker.h"

using testsupport::RecordingSink;
using testsupport::StandinServer;

namespace {

std::string W(const char* utf8) {
    return platform::ToCp1251(QString::fromUtf8(utf8));
}

}  // namespace

TEST(BatchQueueOrder, LineCriteria) {
    const auto number = worker::BatchCriteria("1027700101230");
    EXPECT_EQ(number.name, "name=");
    EXPECT_EQ(number.number, "&num=1027700101230");
    EXPECT_EQ(number.address, "&adr=");
    EXPECT_EQ(number.region, "&region=" + W("Все регионы"));
    EXPECT_EQ(number.date, "&date=");

    // Only the first two characters decide; the line is used unchanged.
    EXPECT_EQ(worker::BatchCriteria("12 abc").number, "&num=12 abc");
    for (const std::string& line : {std::string("1"), std::string("1a23"), std::string(" 12"),
                                    W("Ромашка"), std::string("")}) {
        const auto criteria = worker::BatchCriteria(line);
        EXPECT_EQ(criteria.name, "name=" + line);
        EXPECT_EQ(criteria.number, "&num=");
    }
    EXPECT_EQ(worker::BatchQueryText("7713001232"), "7713001232, records found: %d");
}

TEST(BatchQueueOrder, BoundedWorkersAndACountThatNeverTouchesZeroBetweenLines) {
    StandinServer s;
    auto sink = std::make_shared<RecordingSink>();
    const std::vector<std::string> lines = {W("Ромашка"), "1027700101230", W("Лютик"),   W("Пусто"),
                                            "7801005557", W("Обрыв"),      W("Ромашка"), "99",
                                            W("Сжатие"),  W("Лютик")};
    {
        worker::BatchQueue queue(sink, s.root(), {}, 2);
        for (std::size_t i = 0; i < lines.size(); ++i) {
            queue.Add(i + 1, lines[i]);
        }
        ASSERT_TRUE(sink->WaitUntilDone(static_cast<int>(lines.size())));
    }
    EXPECT_TRUE(worker::WaitForWorkers(std::chrono::seconds(5)));

    const auto history = sink->countHistory();
    ASSERT_FALSE(history.empty());
    EXPECT_EQ(history.back(), 0);
    EXPECT_EQ(std::count(history.begin(), history.end(), 0), 1);
    EXPECT_LE(*std::max_element(history.begin(), history.end()), 3);  // the queue's hold + 2

    const std::vector<std::size_t> expected = {9, 1, 2, 1, 1, 6, 9, 1, 9, 2};
    for (std::size_t i = 0; i < lines.size(); ++i) {
        EXPECT_EQ(sink->deliveriesFor(i + 1).size(), expected[i]) << i;
        EXPECT_EQ(sink->queryOk(i + 1), i != 5) << i;  // the Обрыв line fails
    }
    EXPECT_EQ(sink->nodeText(1), W("Ромашка") + ", records found: 9");
}

TEST(BatchQueueOrder, DestroyingTheQueueDropsLinesNotYetStarted) {
    StandinServer s({"--slow", "0.5"});
    auto sink = std::make_shared<RecordingSink>();
    {
        worker::BatchQueue queue(sink, s.root(), {}, 1);
        for (worker::NodeHandle n = 1; n <= 5; ++n) {
            queue.Add(n, W("Медленно"));
        }
    }
    ASSERT_TRUE(sink->WaitUntilDone(1));
    EXPECT_TRUE(worker::WaitForWorkers(std::chrono::seconds(10)));
    EXPECT_EQ(sink->deliveriesFor(1).size(), 9u);
    for (worker::NodeHandle n = 2; n <= 5; ++n) {
        EXPECT_EQ(sink->queryOk(n), std::nullopt);
    }
    EXPECT_EQ(sink->threadCount(), 0);
}
