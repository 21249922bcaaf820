// Whole query exchanges against hostile servers: a server that never answers, and
// result pages that stall, drip, reset, loop, fail, are undecodable or enormous.
// Each query ends as an error that keeps what was delivered before, delivers nothing
// after, leaves nothing pending and stays within bounded time and memory.
#include <gtest/gtest.h>
#include <unistd.h>

#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "exchange/probe.h"
#include "exchange/query_service.h"
#include "support/cp1251_text.h"
#include "support/loopback.h"
#include "support/standin.h"

using testsupport::StandinServer;

namespace {

// Short time-outs so that a stall ends in a few seconds instead of a minute. Not
// shorter: on a loaded machine the stand-in itself may pause for a second between two
// pages of an ordinary answer, and that must not count as a stall.
lookup::HttpLimits QuickLimits() {
    lookup::HttpLimits limits;
    limits.connectTimeoutSec = 2;
    limits.lowSpeedBytesPerSec = 10;
    limits.lowSpeedTimeSec = 3;
    limits.requestTimeoutSec = 20;
    return limits;
}

// One signal of the service about one query.
struct Event {
    enum Kind { Firm, Message, Text, Ended } kind;
    std::string text;                          // Firm (the name), Message, Text
    std::optional<lookup::FirmRecord> record;  // Firm
    bool ok = true;                            // Ended
};

// A query service with short time-outs and room to run every query at once, and what
// it reported of each query, in order.
class Service {
  public:
    Service() : service_(Options()) {
        QObject::connect(&service_, &lookup::QueryService::firmFound,
                         [this](lookup::QueryId id, const lookup::FirmRecord& firm) {
                             events_[id].push_back({Event::Firm, firm.name, firm, true});
                         });
        QObject::connect(
            &service_, &lookup::QueryService::messageFound,
            [this](lookup::QueryId id, const std::string& text, lookup::ServiceMessageKind) {
                events_[id].push_back({Event::Message, text, std::nullopt, true});
            });
        QObject::connect(&service_, &lookup::QueryService::queryTextChanged,
                         [this](lookup::QueryId id, const std::string& text) {
                             events_[id].push_back({Event::Text, text, std::nullopt, true});
                         });
        QObject::connect(&service_, &lookup::QueryService::queryFinished,
                         [this](lookup::QueryId id, const lookup::QueryOutcome& outcome) {
                             events_[id].push_back({Event::Ended, {}, std::nullopt, outcome.ok()});
                         });
        QObject::connect(
            &service_, &lookup::QueryService::allFinished,
            [this](int failed, int total) { allFinished_.emplace_back(failed, total); });
    }

    lookup::QueryId StartNameSearch(const std::string& root, const std::string& name) {
        lookup::QueryRequest request;
        request.criteria.name = platform::Cp1251String(name);
        request.criteria.region = testsupport::Cp1251Text("Все регионы");
        request.nodeText = name;
        request.serviceRoot = root;
        return service_.Enqueue(std::move(request));
    }

    // Runs the event loop until the service reports that every query has ended.
    bool WaitUntilDone(std::chrono::milliseconds wait) {
        return testsupport::SpinUntil([&] { return !allFinished_.empty(); }, wait);
    }

    std::vector<Event> EventsOf(lookup::QueryId id) const {
        const auto it = events_.find(id);
        return it == events_.end() ? std::vector<Event>() : it->second;
    }
    // (failed, total) of every allFinished signal.
    const std::vector<std::pair<int, int>>& allFinished() const { return allFinished_; }
    int Pending() const { return service_.Pending(); }

  private:
    static lookup::ServiceOptions Options() {
        lookup::ServiceOptions options;
        options.poolSize = 32;
        options.limits = QuickLimits();
        return options;
    }

    lookup::QueryService service_;
    std::map<lookup::QueryId, std::vector<Event>> events_;
    std::vector<std::pair<int, int>> allFinished_;
};

std::vector<std::string> FirmNames(const std::vector<Event>& events) {
    std::vector<std::string> names;
    for (const Event& e : events) {
        if (e.kind == Event::Firm) {
            names.push_back(e.text);
        }
    }
    return names;
}

}  // namespace

// Every hostile third page at once, beside an ordinary search for comparison: the
// first two pages' six firms stay, and of the third page at most the rows that
// arrived whole (a page is read as it arrives), then the query ends as an error with
// nothing more.
TEST(HostileServers, AFailingThirdPageKeepsTheFirstSixFirmsAndDeliversNothingAfter) {
    StandinServer s;
    const char* const kHostile[] = {
        "Молчание",  // page read, never answered
        "Заминка",   // headers, then a stall
        "Капель",    // one byte a second
        "Разрыв",    // connection reset mid-page
        "Петля",     // redirect loop
        "Обрыв",     // 500
        "Пропажа",   // 404
        "Огрызок",   // gzip cut in half
        "Подделка",  // claims gzip, is not
        "Громада",   // 100 MB, beyond the 32 MiB cap
        "Мусор",     // random bytes
        "Вывеска",   // a notice without a table
        "Чужбина",   // a redirect to another host's page
        "Матрёшка",  // nested rows without a field
        "Обрез",     // header block cut before its blank line
        "Недолив",   // Content-Length body cut short by a clean close
    };
    Service service;
    const lookup::QueryId ordinary =
        service.StartNameSearch(s.root(), testsupport::Cp1251("Ромашка"));
    std::vector<lookup::QueryId> hostile;
    for (const char* name : kHostile) {
        hostile.push_back(service.StartNameSearch(s.root(), testsupport::Cp1251(name)));
    }
    ASSERT_TRUE(service.WaitUntilDone(std::chrono::seconds(90)));
    EXPECT_EQ(service.Pending(), 0);
    ASSERT_EQ(service.allFinished().size(), 1u);
    EXPECT_EQ(service.allFinished()[0],
              std::make_pair(int(hostile.size()), int(hostile.size()) + 1));

    const std::vector<Event> reference = service.EventsOf(ordinary);
    const std::vector<std::string> allNine = FirmNames(reference);
    ASSERT_EQ(allNine.size(), 9u);
    ASSERT_TRUE(reference.back().kind == Event::Ended && reference.back().ok);

    for (std::size_t q = 0; q < hostile.size(); ++q) {
        const char* const name = kHostile[q];
        SCOPED_TRACE(name);
        const std::vector<Event> events = service.EventsOf(hostile[q]);
        // Six or more times a firm and its count text, then the end as an error.
        ASSERT_GE(events.size(), 13u);
        ASSERT_LE(events.size(), 19u);
        ASSERT_EQ(events.size() % 2, 1u);
        const std::size_t firms = events.size() / 2;
        for (std::size_t i = 0; i < firms; ++i) {
            const Event& add = events[2 * i];
            const Event& text = events[2 * i + 1];
            ASSERT_EQ(add.kind, Event::Firm);
            EXPECT_EQ(add.text, allNine[i]);
            ASSERT_TRUE(add.record.has_value());
            EXPECT_EQ(add.record->ogrn, reference[2 * i].record->ogrn);
            ASSERT_EQ(text.kind, Event::Text);
            EXPECT_EQ(text.text,
                      testsupport::Cp1251(name) + ", records found: " + std::to_string(i + 1));
        }
        EXPECT_EQ(events.back().kind, Event::Ended);
        EXPECT_FALSE(events.back().ok);
    }
}

// A server that takes the connection and never says a word: the query gives up
// after the no-progress time, and the probe after its own limit.
TEST(HostileServers, AServerThatNeverAnswersEndsTheQueryAndFailsTheProbe) {
    testsupport::SilentListener mute;
    Service service;
    const lookup::QueryId id = service.StartNameSearch(mute.root(), testsupport::Cp1251("Ромашка"));
    ASSERT_TRUE(service.WaitUntilDone(std::chrono::seconds(60)));
    const std::vector<Event> events = service.EventsOf(id);
    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(events[0].kind, Event::Ended);
    EXPECT_FALSE(events[0].ok);
    EXPECT_EQ(service.allFinished(), (std::vector<std::pair<int, int>>{{1, 1}}));
    EXPECT_EQ(service.Pending(), 0);

    lookup::ProbeOptions probe;
    probe.url = mute.root() + "/";
    probe.limit = std::chrono::seconds(1);
    EXPECT_FALSE(lookup::Probe(probe).reachable);
}

// Cookies with odd attributes neither break the exchange nor come back when they
// must not: a deleted, expired, oversized or foreign cookie is not sent.
TEST(HostileServers, OddCookiesAreKeptOrDroppedAsTheirAttributesSay) {
    StandinServer s;
    Service service;
    const lookup::QueryId id = service.StartNameSearch(s.root(), testsupport::Cp1251("Печенье"));
    ASSERT_TRUE(service.WaitUntilDone(std::chrono::seconds(60)));
    const std::vector<Event> events = service.EventsOf(id);
    EXPECT_EQ(FirmNames(events).size(), 9u);
    ASSERT_FALSE(events.empty());
    EXPECT_TRUE(events.back().ok);

    int pages = 0;
    for (const std::string& line : s.requestLog()) {
        if (line.rfind("GET /fns/g.php?q=", 0) != 0) {
            continue;
        }
        ++pages;
        const std::size_t at = line.find("\tCookie=");
        ASSERT_NE(at, std::string::npos);
        const std::string cookie = line.substr(at + 8, line.find('\t', at + 1) - at - 8);
        SCOPED_TRACE(cookie.substr(0, 200));
        EXPECT_NE(cookie.find("sid="), std::string::npos);
        EXPECT_NE(cookie.find("nopath=1"), std::string::npos);
        EXPECT_NE(cookie.find("badexp=1"), std::string::npos);
        for (const char* dropped : {"gone=", "past=", "foreign=", "huge="}) {
            EXPECT_EQ(cookie.find(dropped), std::string::npos) << dropped;
        }
        EXPECT_LT(cookie.size(), 200u);
    }
    EXPECT_EQ(pages, 3);
}
