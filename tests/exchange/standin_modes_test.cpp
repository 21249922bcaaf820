// The stand-in's test modes that other tests rely on: the daily limit, the delay of
// the search pages and the arrival time at the end of each log line.
#include <gtest/gtest.h>

#include <QString>
#include <cstdlib>

#include "config/default_addresses.h"
#include "exchange/http_session.h"
#include "platform/cp1251.h"
#include "support/standin.h"

using testsupport::StandinServer;

namespace {

const char* const kBody =
    "name=%D0%EE%EC%E0%F8%EA%E0&adr=&region=&date=&num=&action=%C8%F1%EA%E0%F2%FC";

std::string Search(lookup::HttpSession& http, const StandinServer& s) {
    std::string html;
    http.Post(s.root() + "/fns/g.php", kBody, &html);
    return platform::FromCp1251(html).toStdString();
}

double TimeOf(const std::string& line) {
    const auto at = line.rfind("\tTime=");
    EXPECT_NE(at, std::string::npos) << line;
    return at == std::string::npos ? 0 : std::atof(line.c_str() + at + 6);
}

TEST(StandinModes, AfterTheDailyLimitEverySearchAnswersWithTheLimitMessage) {
    StandinServer s({"--daily-limit", "2"});
    lookup::HttpSession http(config::HostOfRoot(s.root()), {}, {});
    http.Get(s.root() + "/fns/", nullptr);
    http.UseFormContentType();
    const std::string limit = "На сегодняшний день Ваш лимит запросов исчерпан";
    EXPECT_EQ(Search(http, s).find(limit), std::string::npos);
    EXPECT_EQ(Search(http, s).find(limit), std::string::npos);
    EXPECT_NE(Search(http, s).find(limit), std::string::npos);
    EXPECT_NE(Search(http, s).find(limit), std::string::npos);
    // Result pages themselves are not searches and still answer.
    std::string page;
    http.Get(s.root() + "/fns/g.php?q=romashka-1", &page);
    EXPECT_NE(page.find("g.php?o="), std::string::npos);
}

TEST(StandinModes, DelayHoldsEverySearchPageAnswerAndTheLogTellsArrivals) {
    StandinServer s({"--delay", "0.3"});
    lookup::HttpSession http(config::HostOfRoot(s.root()), {}, {});
    const auto t0 = std::chrono::steady_clock::now();
    http.Get(s.root() + "/", nullptr);  // the probe page is not delayed
    const auto t1 = std::chrono::steady_clock::now();
    http.Get(s.root() + "/fns/", nullptr);
    http.UseFormContentType();
    Search(http, s);
    const auto t2 = std::chrono::steady_clock::now();
    EXPECT_LT(t1 - t0, std::chrono::milliseconds(300));
    EXPECT_GE(t2 - t1, std::chrono::milliseconds(600));

    // Each line is written on arrival, before the delay: the search came at least the
    // delay after the search page.
    const auto log = s.requestLog();
    ASSERT_EQ(log.size(), 3u);
    EXPECT_EQ(log[2].rfind("POST /fns/g.php\t", 0), 0u);
    EXPECT_GE(TimeOf(log[2]) - TimeOf(log[1]), 0.29);
    EXPECT_LE(TimeOf(log[0]), TimeOf(log[1]));
}

}  // namespace
