// The query service against the stand-in register: what it reports and when, the
// pool bound and the start interval, aborting, and the request body of the criteria.
#include <gtest/gtest.h>

#include <QCoreApplication>

#include <chrono>
#include <functional>
#include <thread>
#include <vector>

#include "exchange/query_service.h"
#include "support/cp1251_text.h"
#include "support/standin.h"

using testsupport::LoggedRequest;
using testsupport::SpinUntil;
using testsupport::StandinServer;

namespace {

// Everything a service reports, in order.
struct Recorder {
    struct Ended {
        lookup::QueryId id;
        lookup::QueryOutcome outcome;
    };
    std::vector<lookup::QueryId> firms;  // the query of each firm
    std::vector<std::pair<lookup::QueryId, lookup::ServiceMessageKind>> messages;
    std::vector<Ended> ended;
    std::vector<std::pair<int, int>> allFinished;

    explicit Recorder(lookup::QueryService& service) {
        QObject::connect(
            &service, &lookup::QueryService::firmFound,
            [this](lookup::QueryId id, const lookup::FirmRecord&) { firms.push_back(id); });
        QObject::connect(
            &service, &lookup::QueryService::messageFound,
            [this](lookup::QueryId id, const std::string&, lookup::ServiceMessageKind kind) {
                messages.emplace_back(id, kind);
            });
        QObject::connect(&service, &lookup::QueryService::queryFinished,
                         [this](lookup::QueryId id, const lookup::QueryOutcome& outcome) {
                             ended.push_back({id, outcome});
                         });
        QObject::connect(
            &service, &lookup::QueryService::allFinished,
            [this](int failed, int total) { allFinished.emplace_back(failed, total); });
    }
};

lookup::QueryRequest Request(const StandinServer& s, const char* line) {
    lookup::QueryRequest request;
    request.criteria = lookup::SearchCriteria::ForLine(testsupport::Cp1251Text(line));
    request.nodeText = testsupport::Cp1251(line);
    request.serviceRoot = s.root();
    return request;
}

int Count(const std::vector<LoggedRequest>& log, const std::string& method,
          const std::string& target) {
    int n = 0;
    for (const LoggedRequest& r : log) {
        n += r.method == method && r.target == target ? 1 : 0;
    }
    return n;
}

}  // namespace

TEST(QueryServiceTest, ReportsEachQueryThenTheEndOfAllOnce) {
    StandinServer s;
    lookup::QueryService service;
    Recorder rec(service);
    const lookup::QueryId ok = service.Enqueue(Request(s, "Лютик"));
    const lookup::QueryId broken = service.Enqueue(Request(s, "Обрыв"));
    const lookup::QueryId limit = service.Enqueue(Request(s, "Лимит"));
    EXPECT_EQ(service.Pending(), 3);  // raised before any query has started its exchange
    ASSERT_TRUE(SpinUntil([&] { return !rec.allFinished.empty(); }));
    SpinUntil([] { return false; }, std::chrono::milliseconds(200));

    ASSERT_EQ(rec.allFinished.size(), 1u);
    EXPECT_EQ(rec.allFinished[0], std::make_pair(1, 3));
    ASSERT_EQ(rec.ended.size(), 3u);
    for (const Recorder::Ended& e : rec.ended) {
        if (e.id == ok) {
            EXPECT_TRUE(e.outcome.ok());
            EXPECT_EQ(e.outcome.firmsFound, 2);
        } else if (e.id == broken) {
            ASSERT_FALSE(e.outcome.ok());
            EXPECT_EQ(e.outcome.error->kind, lookup::QueryErrorKind::HttpStatus);
            EXPECT_EQ(e.outcome.error->httpStatus, 500);
            EXPECT_EQ(e.outcome.firmsFound, 6);  // pages 1 and 2 stay
        } else {
            EXPECT_EQ(e.id, limit);
            EXPECT_TRUE(e.outcome.ok());
            EXPECT_TRUE(e.outcome.dailyLimit);
            EXPECT_EQ(e.outcome.messagesFound, 1);
        }
    }
    ASSERT_EQ(rec.messages.size(), 1u);
    EXPECT_EQ(rec.messages[0].second, lookup::ServiceMessageKind::DailyLimit);
    EXPECT_EQ(service.Pending(), 0);
}

// An aborted query sends no further request and is never reported; the next query
// counts on its own.
TEST(QueryServiceTest, AbortAllDropsEverythingEarlier) {
    StandinServer s({"--slow", "1"});
    lookup::QueryService service;
    Recorder rec(service);
    service.Enqueue(Request(s, "Медленно"));
    ASSERT_TRUE(SpinUntil([&] { return Count(s.requests(), "POST", "/fns/g.php") == 1; }));
    const std::string session = s.requests().back().cookie;
    service.AbortAll();
    EXPECT_EQ(service.Pending(), 0);
    const double aborted = testsupport::NowSeconds();
    const lookup::QueryId next = service.Enqueue(Request(s, "Лютик"));
    ASSERT_TRUE(SpinUntil([&] { return !rec.allFinished.empty(); }));
    SpinUntil([] { return false; }, std::chrono::milliseconds(1500));

    ASSERT_EQ(rec.ended.size(), 1u);
    EXPECT_EQ(rec.ended[0].id, next);
    EXPECT_EQ(rec.allFinished, (std::vector<std::pair<int, int>>{{0, 1}}));
    EXPECT_EQ(rec.firms, (std::vector<lookup::QueryId>{next, next}));
    for (const LoggedRequest& r : s.requests()) {
        EXPECT_FALSE(r.time > aborted && r.cookie == session) << r.target;
    }
}

TEST(QueryServiceTest, PoolBoundsTheQueriesRunningAtOnce) {
    StandinServer s({"--delay", "2"});
    lookup::ServiceOptions options;
    options.poolSize = 2;
    lookup::QueryService service(options);
    for (int i = 0; i < 5; ++i) {
        service.Enqueue(Request(s, "Лютик"));
    }
    ASSERT_TRUE(SpinUntil([&] { return Count(s.requests(), "GET", "/fns/") == 2; }));
    SpinUntil([] { return false; }, std::chrono::milliseconds(700));
    EXPECT_EQ(Count(s.requests(), "GET", "/fns/"), 2);
    EXPECT_EQ(service.Pending(), 5);
}

TEST(QueryServiceTest, StartIntervalSpacesTheStarts) {
    StandinServer s;
    lookup::ServiceOptions options;
    options.startInterval = std::chrono::milliseconds(300);
    lookup::QueryService service(options);
    Recorder rec(service);
    for (int i = 0; i < 3; ++i) {
        service.Enqueue(Request(s, "Пусто"));
    }
    ASSERT_TRUE(SpinUntil([&] { return !rec.allFinished.empty(); }));
    std::vector<double> starts;
    for (const LoggedRequest& r : s.requests()) {
        if (r.method == "GET" && r.target == "/fns/") {
            starts.push_back(r.time);
        }
    }
    // The service spaces its starts by 300 ms; the stand-in's receive times add some
    // jitter either way on a busy machine, which this margin allows for.
    ASSERT_EQ(starts.size(), 3u);
    EXPECT_GE(starts[1] - starts[0], 0.2);
    EXPECT_GE(starts[2] - starts[1], 0.2);
}

// Dropping the queued queries leaves the running one to end and report.
TEST(QueryServiceTest, DropQueuedReturnsTheUnstartedInOrder) {
    StandinServer s({"--delay", "0.5"});
    lookup::ServiceOptions options;
    options.poolSize = 1;
    lookup::QueryService service(options);
    Recorder rec(service);
    const lookup::QueryId first = service.Enqueue(Request(s, "Пусто"));
    const lookup::QueryId second = service.Enqueue(Request(s, "Пусто"));
    const lookup::QueryId third = service.Enqueue(Request(s, "Пусто"));
    EXPECT_EQ(service.DropQueued(), (std::vector<lookup::QueryId>{second, third}));
    ASSERT_TRUE(SpinUntil([&] { return !rec.allFinished.empty(); }));
    ASSERT_EQ(rec.ended.size(), 1u);
    EXPECT_EQ(rec.ended[0].id, first);
    EXPECT_EQ(rec.allFinished[0], std::make_pair(0, 1));
}

TEST(QueryServiceTest, EndingMidRunIsQuickAndSendsNothingMore) {
    StandinServer s({"--slow", "1"});
    double ended = 0;
    {
        lookup::QueryService service;
        for (int i = 0; i < 40; ++i) {
            service.Enqueue(Request(s, "Медленно"));
        }
        ASSERT_TRUE(SpinUntil([&] { return Count(s.requests(), "POST", "/fns/g.php") >= 4; }));
        const auto start = std::chrono::steady_clock::now();
        EXPECT_TRUE(service.Shutdown(std::chrono::milliseconds(900)));
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1));
        ended = testsupport::NowSeconds();
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(1500));
    for (const LoggedRequest& r : s.requests()) {
        EXPECT_LE(r.time, ended) << r.target;
    }
}

// A consumer that stops taking reports (the first firm's handler blocks for a while):
// the query thread waits once a bounded number of reports is ahead of it instead of
// queuing its whole answer, goes on in order afterwards, and while it waits an abort
// still ends it at once.
TEST(QueryServiceTest, AQueryWaitsForASlowConsumerAndStillAborts) {
    StandinServer s;
    constexpr int kRows = 20000;
    const auto stall = std::chrono::milliseconds(1500);

    {
        lookup::QueryService service;
        std::vector<std::string> names;
        int firmsAtMarker = -1;
        bool ended = false;
        QObject::connect(&service, &lookup::QueryService::firmFound,
                         [&](lookup::QueryId, const lookup::FirmRecord& firm) {
                             names.push_back(firm.name);
                             if (names.size() == 1) {
                                 std::this_thread::sleep_for(stall);
                                 // Runs after every report the thread queued meanwhile.
                                 QMetaObject::invokeMethod(
                                     &service,
                                     [&] { firmsAtMarker = static_cast<int>(names.size()); },
                                     Qt::QueuedConnection);
                             }
                         });
        QObject::connect(&service, &lookup::QueryService::queryFinished,
                         [&](lookup::QueryId, const lookup::QueryOutcome& outcome) {
                             EXPECT_TRUE(outcome.ok()) << outcome.error->reason;
                             EXPECT_EQ(outcome.firmsFound, kRows);
                             ended = true;
                         });
        service.Enqueue(Request(s, "Лавина20000"));
        ASSERT_TRUE(SpinUntil([&] { return ended; }));
        EXPECT_GT(firmsAtMarker, 0);
        EXPECT_LE(firmsAtMarker, 2 * lookup::kMaxUnconsumedReports);
        ASSERT_EQ(names.size(), static_cast<std::size_t>(kRows));
        for (int i = 0; i < kRows; i += 997) {
            ASSERT_EQ(names[i], testsupport::Cp1251("ООО Лавина-") + std::to_string(i + 1))
                << "out of order";
        }
    }

    {
        lookup::QueryService service;
        Recorder rec(service);
        bool shutDown = false;
        std::chrono::steady_clock::duration took{};
        QObject::connect(&service, &lookup::QueryService::firmFound,
                         [&](lookup::QueryId, const lookup::FirmRecord&) {
                             if (rec.firms.size() != 1 || shutDown) {
                                 return;
                             }
                             std::this_thread::sleep_for(stall);  // the thread now waits
                             const auto start = std::chrono::steady_clock::now();
                             shutDown = service.Shutdown(std::chrono::milliseconds(50));
                             took = std::chrono::steady_clock::now() - start;
                         });
        service.Enqueue(Request(s, "Лавина20000"));
        ASSERT_TRUE(SpinUntil([&] { return !rec.firms.empty(); }));
        EXPECT_TRUE(shutDown);
        EXPECT_LT(took, std::chrono::milliseconds(50));
        QCoreApplication::processEvents();
        EXPECT_EQ(rec.firms.size(), 1u) << "an aborted query reported more";
        EXPECT_TRUE(rec.ended.empty());
    }
}

// A handler that runs a nested event loop (as a modal box does) in the middle of a
// stream of reports: what arrives meanwhile still comes after the reports already
// taken, so a query's firms keep their order.
TEST(QueryServiceTest, ANestedEventLoopKeepsTheOrderOfReports) {
    StandinServer s;
    constexpr int kRows = 20000;
    lookup::QueryService service;
    std::vector<std::string> names;
    bool ended = false;
    QObject::connect(&service, &lookup::QueryService::firmFound,
                     [&](lookup::QueryId, const lookup::FirmRecord& firm) {
                         names.push_back(firm.name);
                         if (names.size() == 1) {
                             // Lets a backlog build, so that a later drain takes many.
                             std::this_thread::sleep_for(std::chrono::milliseconds(300));
                         } else if (names.size() % 500 == 0) {
                             // Some of these fall where the thread has made room again.
                             SpinUntil([] { return false; }, std::chrono::milliseconds(30));
                         }
                     });
    QObject::connect(&service, &lookup::QueryService::queryFinished,
                     [&](lookup::QueryId, const lookup::QueryOutcome&) { ended = true; });
    service.Enqueue(Request(s, "Лавина20000"));
    ASSERT_TRUE(SpinUntil([&] { return ended; }));
    ASSERT_EQ(names.size(), static_cast<std::size_t>(kRows));
    for (int i = 0; i < kRows; ++i) {
        ASSERT_EQ(names[i], testsupport::Cp1251("ООО Лавина-") + std::to_string(i + 1))
            << "out of order";
    }
}

TEST(QueryServiceTest, SecondProbeIsRefusedWhileOneRuns) {
    StandinServer s({"--slow", "1"});
    lookup::QueryService service;
    std::vector<bool> results;
    QObject::connect(&service, &lookup::QueryService::probeFinished,
                     [&](const lookup::ProbeResult& r) { results.push_back(r.reachable); });
    lookup::ProbeOptions options;
    options.url = s.root() + "/";
    EXPECT_TRUE(service.StartProbe(options));
    EXPECT_FALSE(service.StartProbe(options));
    ASSERT_TRUE(SpinUntil([&] { return !results.empty(); }));
    EXPECT_EQ(results, std::vector<bool>{true});
    EXPECT_FALSE(service.Probing());
}

// Each value is encoded on its own; a body without the form characters is exactly the
// one the register has always been sent.
TEST(SearchCriteriaTest, FormBody) {
    EXPECT_EQ(
        lookup::SearchFormBody(lookup::SearchCriteria::ForLine(testsupport::Cp1251Text("Ромашка"))),
        "name=%D0%EE%EC%E0%F8%EA%E0&adr=&region=%C2%F1%E5+%F0%E5%E3%E8%EE%ED%FB&date=&num="
        "&action=%C8%F1%EA%E0%F2%FC");
    const lookup::SearchCriteria number =
        lookup::SearchCriteria::ForLine(platform::Cp1251String("7713001232"));
    EXPECT_EQ(number.mode, lookup::SearchMode::Number);
    EXPECT_EQ(lookup::SearchFormBody(number),
              "name=&adr=&region=%C2%F1%E5+%F0%E5%E3%E8%EE%ED%FB&date=&num=7713001232"
              "&action=%C8%F1%EA%E0%F2%FC");
    lookup::SearchCriteria typed;
    typed.name = testsupport::Cp1251Text("Ромашка & Ко");
    typed.address = platform::Cp1251String("a=b+c%");
    EXPECT_EQ(lookup::SearchFormBody(typed),
              "name=%D0%EE%EC%E0%F8%EA%E0+%26+%CA%EE&adr=a%3Db%2Bc%25&region=&date=&num="
              "&action=%C8%F1%EA%E0%F2%FC");
    EXPECT_EQ(lookup::QueryCountText(testsupport::Cp1251("50% %d"), 12),
              testsupport::Cp1251("50% %d, records found: 12"));
}
