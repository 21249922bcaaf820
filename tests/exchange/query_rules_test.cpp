// The query runner against the stand-in register over loopback: every answer rule,
// the exact requests, cookies, encodings, redirects and failures.
#include <gtest/gtest.h>

#include <QString>
#include <map>
#include <set>
#include <thread>

#include "config/default_addresses.h"
#include "exchange/query_service.h"
#include "platform/cp1251.h"
#include "support/cp1251_text.h"
#include "support/standin.h"

using testsupport::Delivery;
using testsupport::RecordingSink;
using testsupport::StandinServer;

namespace {

lookup::SearchCriteria NameSearch(const char* name) {
    lookup::SearchCriteria criteria;
    criteria.name = testsupport::Cp1251Text(name);
    criteria.region = testsupport::Cp1251Text("Все регионы");
    return criteria;
}

lookup::SearchCriteria NumberSearch(const std::string& number) {
    lookup::SearchCriteria criteria;
    criteria.mode = lookup::SearchMode::Number;
    criteria.number = platform::Cp1251String(number);
    criteria.region = testsupport::Cp1251Text("Все регионы");
    return criteria;
}

void Start(const std::shared_ptr<RecordingSink>& sink, const std::string& root,
           const lookup::SearchCriteria& criteria, window::NodeHandle node,
           config::ProxySettings proxy = {}) {
    testsupport::StartQuery(sink, node, criteria, "query", root, proxy);
}

std::shared_ptr<RecordingSink> RunOne(const StandinServer& s,
                                      const lookup::SearchCriteria& criteria,
                                      config::ProxySettings proxy = {}, std::string root = {}) {
    auto sink = std::make_shared<RecordingSink>();
    Start(sink, root.empty() ? s.root() : root, criteria, 7, proxy);
    EXPECT_TRUE(sink->WaitUntilDone(1));
    return sink;
}

std::vector<std::string> Names(const std::vector<Delivery>& ds) {
    std::vector<std::string> names;
    for (const auto& d : ds) {
        names.push_back(platform::FromCp1251(d.text).toStdString());
    }
    return names;
}

const std::vector<std::string> kRomashkaNames = {
    "ООО \"Ромашка-Север\"",        "ООО \"Ромашка-Юг\"",     "АО \"Ромашка Плюс\"",
    "ООО \"Торговый дом Ромашка\"", "ООО \"Ромашка-Строй\"",  "ЗАО \"Ромашка-Агро\"",
    "ООО \"Ромашка Логистик\"",     "ООО \"Ромашка-Сервис\"", "ООО \"Ромашка и партнёры\""};

std::string RequestOf(const std::string& line) {
    return line.substr(0, line.find('\t'));
}

}  // namespace

TEST(QueryRules, NameSearchFetchesEachPageOnceWithExactRequests) {
    StandinServer s;
    auto sink = RunOne(s, NameSearch("Ромашка"));

    const auto ds = sink->deliveries();
    EXPECT_EQ(Names(ds), kRomashkaNames);
    for (const auto& d : ds) {
        EXPECT_EQ(d.node, 7u);
        EXPECT_EQ(d.imageIndex, window::kFirmIcon);
        ASSERT_TRUE(d.record.has_value());
        EXPECT_EQ(d.record->name, d.text);
    }
    const lookup::FirmRecord& first = *ds[0].record;
    EXPECT_EQ(platform::FromCp1251(first.address).toStdString(),
              "127411, г. Москва, Дмитровское ш., д. 157, стр. 7");
    EXPECT_EQ(first.ogrn, "1027700101230");
    EXPECT_EQ(first.grn, "2127700123450");
    EXPECT_EQ(first.inn, "7713001232");
    EXPECT_EQ(first.kpp, "771301001");
    EXPECT_EQ(first.date, "14.03.2002");
    EXPECT_EQ(first.authority, "");
    EXPECT_EQ(platform::FromCp1251(first.region).toStdString(), "г. Москва");
    EXPECT_EQ(ds[1].record->grn, "");  // a lone &nbsp; cell
    EXPECT_EQ(ds[2].record->kpp, "");
    EXPECT_EQ(sink->nodeText(7), "query, records found: 9");
    EXPECT_EQ(sink->queryOk(7), true);
    EXPECT_EQ(sink->countHistory(), (std::vector<int>{1, 0}));

    const auto log = s.requestLog();
    ASSERT_EQ(log.size(), 5u);
    EXPECT_EQ(RequestOf(log[0]), "GET /fns/");
    EXPECT_EQ(testsupport::LogField(log[0], "Referer"), "");
    EXPECT_EQ(testsupport::LogField(log[0], "Cookie"), "");
    EXPECT_EQ(RequestOf(log[1]), "POST /fns/g.php");
    EXPECT_EQ(testsupport::LogField(log[1], "Referer"), s.root() + "/fns/");
    EXPECT_EQ(testsupport::LogField(log[1], "Body"),
              "name=%D0%EE%EC%E0%F8%EA%E0&adr=&region=%C2%F1%E5+%F0%E5%E3%E8%EE%ED%FB&date=&num=&"
              "action=%C8%F1%EA%E0%F2%FC");
    const std::string cookie = testsupport::LogField(log[1], "Cookie");
    EXPECT_EQ(cookie.rfind("sid=", 0), 0u);
    for (int n = 1; n <= 3; ++n) {
        const std::string target = "/fns/g.php?q=romashka-" + std::to_string(n);
        EXPECT_EQ(RequestOf(log[1 + n]), "GET " + target);
        EXPECT_EQ(testsupport::LogField(log[1 + n], "Referer"), s.root() + target);
        EXPECT_EQ(testsupport::LogField(log[1 + n], "Cookie"), cookie);
    }
}

TEST(QueryRules, GzipDeflateAndRedirectedPagesGiveTheSameFirms) {
    StandinServer s;
    for (const char* name : {"Сжатие", "Дефлейт", "Переход"}) {
        SCOPED_TRACE(name);
        auto sink = RunOne(s, NameSearch(name));
        // A redirect's own body carries a firm of its own; it must never be read.
        EXPECT_EQ(Names(sink->deliveries()), kRomashkaNames);
        EXPECT_EQ(sink->queryOk(7), true);
    }
}

TEST(QueryRules, TwoRowsOfOneNameAreTwoFirms) {
    StandinServer s;
    auto sink = RunOne(s, NameSearch("Лютик"));
    const auto ds = sink->deliveries();
    ASSERT_EQ(ds.size(), 2u);
    EXPECT_EQ(ds[0].text, ds[1].text);
    EXPECT_NE(ds[0].record->inn, ds[1].record->inn);
    EXPECT_NE(ds[0].record->ogrn, ds[1].record->ogrn);
    EXPECT_EQ(sink->nodeText(7), "query, records found: 2");
}

TEST(QueryRules, ServiceMessagesBecomeOneMessageNode) {
    StandinServer s;
    const std::map<std::string, std::string> cases = {
        {"Лимит", "На сегодняшний день Ваш лимит запросов исчерпан"},
        {"Пусто", "Записей не найдено"},
        {"Ноль", "Найдено:0 abc"},
        {"Сбой", "Ошибка:"},
        {"Незнакомец", "Записей не найдено"},
    };
    for (const auto& [name, message] : cases) {
        SCOPED_TRACE(name);
        auto sink = RunOne(s, NameSearch(name.c_str()));
        const auto ds = sink->deliveries();
        ASSERT_EQ(ds.size(), 1u);
        EXPECT_EQ(platform::FromCp1251(ds[0].text).toStdString(), message);
        EXPECT_EQ(ds[0].imageIndex, window::kMessageIcon);
        EXPECT_FALSE(ds[0].record.has_value());
        EXPECT_EQ(sink->nodeText(7), std::nullopt);
        EXPECT_EQ(sink->queryOk(7), true);
    }
    EXPECT_EQ(s.requestLog().size(), 2u * cases.size());
}

TEST(QueryRules, NumberSearchFollowsTheEntryLink) {
    StandinServer s;
    auto sink = RunOne(s, NumberSearch("1027700101230"));
    const auto ds = sink->deliveries();
    ASSERT_EQ(ds.size(), 1u);
    ASSERT_TRUE(ds[0].record.has_value());
    const lookup::FirmRecord& f = *ds[0].record;
    EXPECT_EQ(platform::FromCp1251(f.name).toStdString(), "ООО \"Ромашка-Север\"");
    EXPECT_EQ(f.ogrn, "1027700101230");
    EXPECT_EQ(f.inn, "7713001232");
    EXPECT_EQ(platform::FromCp1251(f.authority).toStdString(),
              "Межрайонная инспекция Федеральной налоговой службы № 46 по г. Москве");
    EXPECT_EQ(platform::FromCp1251(f.region).toStdString(), "г. Москва");
    EXPECT_EQ(sink->nodeText(7), std::nullopt);  // no count in number mode

    const auto log = s.requestLog();
    ASSERT_EQ(log.size(), 3u);
    EXPECT_EQ(testsupport::LogField(log[1], "Body"),
              "name=&adr=&region=%C2%F1%E5+%F0%E5%E3%E8%EE%ED%FB&date=&num=1027700101230&action="
              "%C8%F1%EA%E0%F2%FC");
    EXPECT_EQ(RequestOf(log[2]), "GET /fns/g.php?o=1027700101230");
    EXPECT_EQ(testsupport::LogField(log[2], "Referer"), s.root() + "/fns/g.php");
    EXPECT_EQ(testsupport::LogField(log[2], "Cookie"), testsupport::LogField(log[1], "Cookie"));

    // An INN finds its firm too; an unknown number is a message.
    auto byInn = RunOne(s, NumberSearch("7801005557"));
    ASSERT_EQ(byInn->deliveries().size(), 1u);
    EXPECT_EQ(byInn->deliveries()[0].record->ogrn, "1097847014704");
    auto unknown = RunOne(s, NumberSearch("1234567890"));
    ASSERT_EQ(unknown->deliveries().size(), 1u);
    EXPECT_EQ(unknown->deliveries()[0].imageIndex, window::kMessageIcon);
}

// The entry link behind an answer's own result table is followed, and the entry page is
// read behind the answer: a name search takes the answer's table, and the entry page's
// row, whose eleven cells would shift the fields, is never read as a table row.
TEST(QueryRules, AnswerTableBeforeAnEntryLinkGivesTheTablesFirms) {
    StandinServer s;
    auto sink = RunOne(s, NameSearch("Выписка"));
    const auto ds = sink->deliveries();
    EXPECT_EQ(Names(ds),
              std::vector<std::string>(kRomashkaNames.begin(), kRomashkaNames.begin() + 3));
    ASSERT_EQ(ds.size(), 3u);
    EXPECT_EQ(ds[0].record->ogrn, "1027700101230");
    EXPECT_EQ(ds[0].record->authority, "");
    EXPECT_EQ(platform::FromCp1251(ds[0].record->region).toStdString(), "г. Москва");
    EXPECT_EQ(sink->nodeText(7), "query, records found: 3");
    EXPECT_EQ(sink->queryOk(7), true);

    const auto log = s.requestLog();
    ASSERT_EQ(log.size(), 3u);
    EXPECT_EQ(RequestOf(log[2]), "GET /fns/g.php?o=1087700012300");
    EXPECT_EQ(testsupport::LogField(log[2], "Referer"), s.root() + "/fns/g.php");
}

TEST(QueryRules, AnswerWithATableIsScannedAndAnAnswerWithoutMarkersFails) {
    StandinServer s;
    auto direct = RunOne(s, NameSearch("Прямо"));
    EXPECT_EQ(Names(direct->deliveries()),
              std::vector<std::string>(kRomashkaNames.begin(), kRomashkaNames.begin() + 3));
    EXPECT_EQ(direct->nodeText(7), "query, records found: 3");

    auto quiet = RunOne(s, NameSearch("Тишина"));
    EXPECT_TRUE(quiet->deliveries().empty());
    EXPECT_EQ(quiet->queryOk(7), false);
    EXPECT_EQ(s.requestLog().size(), 4u);
}

TEST(QueryRules, StopTextEndsThePagesWithoutScanningIt) {
    StandinServer s;
    auto sink = RunOne(s, NameSearch("Стоп"));
    EXPECT_EQ(Names(sink->deliveries()),
              std::vector<std::string>(kRomashkaNames.begin(), kRomashkaNames.begin() + 3));
    EXPECT_EQ(sink->queryOk(7), true);
    const auto log = s.requestLog();
    ASSERT_EQ(log.size(), 4u);
    EXPECT_EQ(RequestOf(log[3]), "GET /fns/g.php?q=stop-2");
}

TEST(QueryRules, ErrorOnTheThirdPageKeepsWhatWasDelivered) {
    StandinServer s;
    auto sink = RunOne(s, NameSearch("Обрыв"));
    EXPECT_EQ(Names(sink->deliveries()),
              std::vector<std::string>(kRomashkaNames.begin(), kRomashkaNames.begin() + 6));
    EXPECT_EQ(sink->nodeText(7), "query, records found: 6");
    EXPECT_EQ(sink->queryOk(7), false);
    EXPECT_EQ(sink->countHistory(), (std::vector<int>{1, 0}));
}

TEST(QueryRules, BadProxyPortFailsBeforeTheFirstRequest) {
    StandinServer s;
    for (const char* port : {"", "80a", "-1", "99999"}) {
        SCOPED_TRACE(port);
        auto sink = RunOne(s, NameSearch("Ромашка"), {true, "127.0.0.1", port});
        EXPECT_TRUE(sink->deliveries().empty());
        EXPECT_EQ(sink->queryOk(7), false);
        EXPECT_EQ(sink->countHistory(), (std::vector<int>{1, 0}));
    }
    EXPECT_TRUE(s.requestLog().empty());
}

TEST(QueryRules, UnreachableServiceIsASilentError) {
    auto sink = std::make_shared<RecordingSink>();
    Start(sink, "http://127.0.0.1:1", NameSearch("Ромашка"), 3);
    ASSERT_TRUE(sink->WaitUntilDone(1));
    EXPECT_TRUE(sink->deliveries().empty());
    EXPECT_EQ(sink->queryOk(3), false);
}

TEST(QueryRules, ConcurrentQueriesKeepTheirOwnCookies) {
    StandinServer s({"--slow", "0.5"});
    auto sink = std::make_shared<RecordingSink>();
    Start(sink, s.root(), NameSearch("Медленно"), 1);
    Start(sink, s.root(), NameSearch("Медленно"), 2);
    ASSERT_TRUE(sink->WaitUntilDone(2));
    EXPECT_EQ(sink->deliveriesFor(1).size(), 9u);
    EXPECT_EQ(sink->deliveriesFor(2).size(), 9u);

    std::map<std::string, int> requestsPerCookie;
    for (const auto& line : s.requestLog()) {
        if (RequestOf(line) != "GET /fns/") {
            ++requestsPerCookie[testsupport::LogField(line, "Cookie")];
        }
    }
    // Two sessions, each carrying its POST and its three pages.
    ASSERT_EQ(requestsPerCookie.size(), 2u);
    for (const auto& [cookie, n] : requestsPerCookie) {
        EXPECT_EQ(cookie.rfind("sid=", 0), 0u);
        EXPECT_EQ(n, 4) << cookie;
    }
}

TEST(QueryRules, NoProxyIgnoresTheEnvironmentsProxy) {
    StandinServer s;
    ::setenv("http_proxy", "http://127.0.0.1:1", 1);
    ::setenv("HTTP_PROXY", "http://127.0.0.1:1", 1);
    auto sink = RunOne(s, NameSearch("Ромашка"));
    ::unsetenv("http_proxy");
    ::unsetenv("HTTP_PROXY");
    EXPECT_EQ(sink->deliveries().size(), 9u);
}

TEST(QueryRules, ForwardProxyModeReachesTheStandinForAnyHost) {
    StandinServer s({"--log-headers"});
    auto sink = RunOne(s, NameSearch("Ромашка"), {true, "127.0.0.1", std::to_string(s.port())},
                       config::DefaultServiceRoot());
    EXPECT_EQ(Names(sink->deliveries()), kRomashkaNames);
    const auto log = s.requestLog();
    ASSERT_EQ(log.size(), 5u);
    EXPECT_EQ(RequestOf(log[0]), "GET " + config::DefaultServiceRoot() + "/fns/");
    EXPECT_EQ(testsupport::LogField(log[1], "Referer"), config::DefaultServiceRoot() + "/fns/");
    const std::string host = config::DefaultServiceRoot().substr(std::string("http://").size());
    EXPECT_NE(testsupport::LogField(log[1], "Headers").find("Host: " + host + " | "),
              std::string::npos);
}

TEST(QueryRules, RequestHeadersAreTheBrowsersOnes) {
    StandinServer s({"--log-headers"});
    auto sink = RunOne(s, NameSearch("Ромашка"));
    const auto log = s.requestLog();
    ASSERT_EQ(log.size(), 5u);
    const std::string host = "Host: 127.0.0.1:" + std::to_string(s.port());
    const std::vector<std::string> common = {
        host,
        "User-Agent: Mozilla/5.0 (Windows; U; Windows NT 5.1; ru; rv:1.9.2.3) Gecko/20100401 "
        "Firefox/3.6.3",
        "Accept: text/html,application/xhtml+xml,application/xml;q=0.9,*/*;q=0.8",
        "Accept-Language: ru,en-us;q=0.7,en;q=0.3",
        "Accept-Encoding: gzip, deflate",
        "Accept-Charset: windows-1251,utf-8;q=0.7,*;q=0.7",
        "Connection: keep-alive"};
    for (std::size_t i = 0; i < log.size(); ++i) {
        SCOPED_TRACE(log[i]);
        const std::string headers = " | " + testsupport::LogField(log[i], "Headers") + " | ";
        for (const auto& h : common) {
            EXPECT_NE(headers.find(" | " + h + " | "), std::string::npos) << h;
        }
        EXPECT_EQ(headers.find("Expect:"), std::string::npos);
        const bool form = headers.find(" | Content-Type: application/x-www-form-urlencoded | ") !=
                          std::string::npos;
        EXPECT_EQ(form, i > 0);  // from the POST on, and left so
        EXPECT_EQ(headers.find(" | Referer: ") != std::string::npos, i > 0);
    }
}
