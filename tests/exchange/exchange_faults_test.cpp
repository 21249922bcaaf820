// Answers that must not pass for whole or be believed: a header block or a body cut
// short, oversized header blocks, result pages with nothing recognisable, and
// redirects that leave the service, which must carry nothing of the register's.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "config/default_addresses.h"
#include "exchange/http_session.h"
#include "exchange/query_runner.h"
#include "pages/page_scanner.h"
#include "support/cp1251_text.h"
#include "support/standin.h"
#include "support/test_pages.h"

namespace {

using lookup::HttpError;
using lookup::QueryErrorKind;
using testsupport::StandinServer;

lookup::QueryError GetFails(lookup::HttpSession& http, const std::string& url) {
    std::string body;
    try {
        http.Get(url, &body);
    } catch (const HttpError& e) {
        return e.error();
    }
    ADD_FAILURE() << url << " answered as a whole: " << body.substr(0, 200);
    return {};
}

struct Collected : lookup::QueryEvents {
    std::vector<lookup::FirmRecord> firms;
    void Firm(const lookup::FirmRecord& firm) override { firms.push_back(firm); }
    void QueryText(const std::string&) override {}
    void Message(const std::string&, lookup::ServiceMessageKind) override {}
};

// Runs a name search on this thread; the error it ends with, if any.
std::optional<lookup::QueryError> NameSearch(const StandinServer& s, const char* name,
                                             Collected& out, lookup::HttpLimits limits = {}) {
    lookup::QueryRequest request;
    request.criteria.mode = lookup::SearchMode::Name;
    request.criteria.name = testsupport::Cp1251Text(name);
    request.nodeText = "q";
    request.serviceRoot = s.root();
    try {
        lookup::RunRegisterQuery(request, limits, {}, out);
    } catch (const HttpError& e) {
        return e.error();
    }
    return std::nullopt;
}

}  // namespace

TEST(ExchangeFaults, AnAnswerCutInItsHeaderBlockOrItsBodyEndedEarly) {
    StandinServer s;
    lookup::HttpSession http(config::HostOfRoot(s.root()), {}, {});
    for (const char* path : {"/test/headcut", "/test/stall?seconds=0"}) {
        SCOPED_TRACE(path);
        const lookup::QueryError e = GetFails(http, s.root() + path);
        EXPECT_EQ(e.kind, QueryErrorKind::ConnectionBroken);
        EXPECT_EQ(e.reason, "the answer ended early");
    }
    // A whole answer after them on the same session still reads.
    std::string ok;
    http.Get(s.root() + "/test/big?bytes=5", &ok);
    EXPECT_EQ(ok, "aaaaa");
}

TEST(ExchangeFaults, OversizedHeaderBlocksNameTheLimitThatWasHit) {
    StandinServer s;
    lookup::HttpSession http(config::HostOfRoot(s.root()), {}, {});
    EXPECT_EQ(GetFails(http, s.root() + "/test/cookies?n=3000").reason,
              "the answer sets more than 200 cookies");
    EXPECT_EQ(GetFails(http, s.root() + "/test/bighead?lines=400").reason,
              "the answer's header block is larger than 256 KiB");
    const std::string huge = GetFails(http, s.root() + "/test/bighead?kb=10240").reason;
    EXPECT_NE(huge.find("header"), std::string::npos) << huge;
    EXPECT_EQ(huge.find("out of memory"), std::string::npos) << huge;
}

TEST(ExchangeFaults, ResultPagesWithNothingRecognisedFailTheQuery) {
    StandinServer s;
    struct Case {
        const char* name;
        size_t firmsAtLeast;  // firms of the pages before the bad one
    };
    for (const Case c :
         {Case{"Тишина", 0}, Case{"Мусор", 6}, Case{"Вывеска", 6}, Case{"Чужбина", 6},
          Case{"Матрёшка", 6}, Case{"Обрез", 6}, Case{"Недолив", 6}}) {
        SCOPED_TRACE(c.name);
        Collected out;
        const auto error = NameSearch(s, c.name, out);
        ASSERT_TRUE(error.has_value());
        const std::string name = c.name;
        const bool cut = name == "Обрез" || name == "Недолив";
        // 2,000,000 rows without a field run into the row bound first.
        EXPECT_EQ(error->reason, cut ? "the answer ended early"
                                 : name == "Матрёшка"
                                     ? "too many rows (a result page may hold 250000)"
                                     : "the register's answer was not recognised");
        EXPECT_GE(out.firms.size(), c.firmsAtLeast);
        EXPECT_LE(out.firms.size(), 9u);
        for (const auto& firm : out.firms)
            EXPECT_FALSE(firm.name.empty());
    }
    Collected whole;
    EXPECT_FALSE(NameSearch(s, "Ромашка", whole).has_value());
    EXPECT_EQ(whole.firms.size(), 9u);
}

TEST(ExchangeFaults, APageWithMoreRowsThanAllowedIsRefused) {
    lookup::ScanState st;
    st.criteria.mode = lookup::SearchMode::Name;
    st.queryText = "q";
    struct Count : lookup::ScanOutput {
        int firms = 0;
        void Deliver(const lookup::FirmRecord&) override { ++firms; }
        void SetQueryText(const std::string&) override {}
    } out;
    std::string page;
    const std::string row =
        "<tr><td>1</td><td>N</td><td>A</td><td>O</td><td>G</td><td>I</td><td>K</td><td>D</td>"
        "<td>R</td></tr>\n";
    page.reserve(row.size() * (lookup::kMaxRowsPerPage + 2));
    for (int i = 0; i <= lookup::kMaxRowsPerPage; ++i)
        page += row;
    page += "</table>";
    const lookup::PageScan scan = lookup::ParseResultPage(page, st, out);
    EXPECT_TRUE(scan.tooManyRows);
    EXPECT_EQ(out.firms, lookup::kMaxRowsPerPage);
}

TEST(ExchangeFaults, ARedirectLeavingTheServiceCarriesNoCookieRefererOrFormHeader) {
    StandinServer service({"--log-headers"});
    StandinServer other({"--log-headers"});
    const std::string otherPort = std::to_string(other.port());
    lookup::HttpSession http(config::HostOfRoot(service.root()), {}, {});
    http.Get(service.root() + "/fns/", nullptr);  // the session cookie
    http.SetReferer(service.root() + "/fns/");
    http.UseFormContentType();
    // Another host name, then the same address on another port.
    for (const std::string& to :
         {"http://localhost:" + otherPort + "/", "http://127.0.0.1:" + otherPort + "/"}) {
        std::string page;
        http.Get(service.root() + "/test/redirect?to=" + to, &page);
        EXPECT_FALSE(page.empty());
    }
    // And a redirect that stays on the service keeps the register's headers.
    http.Get(service.root() + "/test/redirect?to=/fns/g.php?q=romashka-1", nullptr);

    const auto log = other.requestLog();
    ASSERT_EQ(log.size(), 2u);
    for (size_t i = 0; i < log.size(); ++i) {
        SCOPED_TRACE(log[i]);
        const std::string headers = testsupport::LogField(log[i], "Headers");
        EXPECT_EQ(headers.find("Content-Type"), std::string::npos);
        EXPECT_EQ(headers.find("Referer"), std::string::npos);
        EXPECT_NE(
            headers.find(i == 0 ? "Host: localhost:" + otherPort : "Host: 127.0.0.1:" + otherPort),
            std::string::npos);
    }
    EXPECT_EQ(testsupport::LogField(log[0], "Cookie"),
              "");  // another host: no cookie of the service
    const auto own = service.requestLog();
    ASSERT_FALSE(own.empty());
    for (const auto& line : own)
        SCOPED_TRACE(line);
    EXPECT_EQ(own.back().substr(0, own.back().find('\t')), "GET /fns/g.php?q=romashka-1");
    EXPECT_EQ(testsupport::LogField(own.back(), "Referer"), service.root() + "/fns/");
    EXPECT_NE(testsupport::LogField(own.back(), "Cookie").find("sid="), std::string::npos);
}

// Cookies belong to a host and a port: a redirect to the service's host on another
// port is another site, which gets no cookie (neither the session's nor the one set by
// the redirect itself), no Referer and no form header; what it sets does not come
// back to the service, and the service's own session goes on.
TEST(ExchangeFaults, ARedirectToAnotherPortOfTheServiceHostCarriesNoCookie) {
    StandinServer service({"--log-headers"});
    StandinServer other({"--log-headers"});
    const std::string otherRoot = "http://127.0.0.1:" + std::to_string(other.port());
    lookup::HttpSession http(config::HostOfRoot(service.root()), {}, {});
    http.Get(service.root() + "/fns/", nullptr);
    http.SetReferer(service.root() + "/fns/");
    http.UseFormContentType();
    std::string page;
    http.Get(service.root() + "/test/redirect?to=" + otherRoot +
                 "/test/redirect?to=" + service.root() + "/fns/g.php?q=romashka-1",
             &page);
    EXPECT_FALSE(page.empty());

    const auto log = other.requestLog();
    ASSERT_EQ(log.size(), 1u);
    EXPECT_EQ(testsupport::LogField(log[0], "Cookie"), "");
    EXPECT_EQ(testsupport::LogField(log[0], "Referer"), "");
    EXPECT_EQ(testsupport::LogField(log[0], "Headers").find("Content-Type"), std::string::npos)
        << log[0];

    // Back on the service: its own cookies, the session's and the one its redirect set.
    const auto own = service.requestLog();
    ASSERT_EQ(own.size(), 3u);
    EXPECT_EQ(own[2].substr(0, own[2].find('\t')), "GET /fns/g.php?q=romashka-1");
    const std::string cookie = testsupport::LogField(own[2], "Cookie");
    EXPECT_NE(cookie.find("sid="), std::string::npos) << cookie;
    EXPECT_NE(cookie.find("moved=1"), std::string::npos) << cookie;
}

// The service is one host and one port: letter case and a written default port do not
// make another place (whose hops would lose the session); another port, another host,
// https or a host hidden behind a user name do.
TEST(ExchangeFaults, TheServiceIsOneHostAndOnePort) {
    using lookup::AddressesService;
    EXPECT_TRUE(AddressesService("http://Register.Example:80/fns/", "register.example"));
    EXPECT_TRUE(AddressesService("http://register.example/fns/g.php?o=1", "REGISTER.example:80"));
    EXPECT_TRUE(AddressesService("http://register.example?q=1", "register.example"));
    EXPECT_TRUE(AddressesService("http://[::1]:8080/x", "[::1]:8080"));
    EXPECT_FALSE(AddressesService("http://register.example:8080/", "register.example"));
    EXPECT_FALSE(AddressesService("https://register.example/", "register.example"));
    EXPECT_FALSE(AddressesService("http://register.example.other/", "register.example"));
    EXPECT_FALSE(AddressesService("http://register.example@other.example/", "register.example"));
    EXPECT_FALSE(AddressesService("http://[::1]/x", "[::1]:8080"));
}
