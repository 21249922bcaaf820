// The HTTP session of a query against hostile answers of the stand-in: too large,
// endlessly redirected, undecodable, stalled or refused answers all end as errors of
// their own kind with a short reason, and an abort ends a transfer at once.
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <stdlib.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QString>
#include <atomic>
#include <thread>

#include "config/default_addresses.h"
#include "exchange/http_session.h"
#include "pages/form_encoding.h"
#include "platform/cp1251.h"
#include "support/loopback.h"
#include "support/standin.h"

using lookup::HttpError;
using lookup::HttpLimits;
using lookup::HttpSession;
using lookup::QueryErrorKind;
using testsupport::StandinServer;

namespace {

HttpSession Session(const StandinServer& s, HttpLimits limits = {},
                    std::function<bool()> aborted = {}) {
    return HttpSession(config::HostOfRoot(s.root()), {}, std::move(aborted), limits);
}

// The error a call throws; fails the test when it throws none.
template <typename F>
lookup::QueryError ErrorOf(F&& call) {
    try {
        call();
    } catch (const HttpError& e) {
        EXPECT_EQ(std::string(e.what()), e.error().reason);
        return e.error();
    }
    ADD_FAILURE() << "no HttpError";
    return {};
}

}  // namespace

TEST(ExchangeLimits, HostAndProxyPortParsing) {
    EXPECT_EQ(config::HostOfRoot("http://127.0.0.1:8080"), "127.0.0.1:8080");
    EXPECT_EQ(config::HostOfRoot("http://register.example"), "register.example");
    EXPECT_EQ(lookup::ParseProxyPort("3128").value(), 3128);
    EXPECT_EQ(lookup::ParseProxyPort("+80").value(), 80);
    EXPECT_EQ(lookup::ParseProxyPort("65535").value(), 65535);
    for (const char* bad : {"", " ", "80 ", " 80", "8o", "0", "65536", "-5", "0x50"}) {
        const auto port = lookup::ParseProxyPort(bad);
        ASSERT_FALSE(port.ok()) << bad;
        EXPECT_EQ(port.error().kind, QueryErrorKind::ProxyFailed) << bad;
    }
    EXPECT_EQ(lookup::ParseProxyPort("8o").error().reason,
              "proxy port is not a whole number: '8o'");
    EXPECT_EQ(lookup::ParseProxyPort("65536").error().reason, "proxy port out of range: '65536'");
    // A session refuses the port before it makes a request.
    const auto e = ErrorOf([] {
        HttpSession(config::HostOfRoot("http://127.0.0.1:1"), {true, "127.0.0.1", "8o"}, {});
    });
    EXPECT_EQ(e.kind, QueryErrorKind::ProxyFailed);
    EXPECT_EQ(e.reason, "proxy port is not a whole number: '8o'");
}

TEST(ExchangeLimits, AnswersBeyondTheCapAreErrorsAndKeepNothingUnbounded) {
    StandinServer s;
    HttpLimits small;
    small.maxBodyBytes = 1000;
    HttpSession http = Session(s, small);
    std::string out;
    http.Get(s.root() + "/test/big?bytes=600", &out);
    EXPECT_EQ(out.size(), 600u);
    // The cap counts every body of the session together.
    const auto e = ErrorOf([&] { http.Get(s.root() + "/test/big?bytes=600", &out); });
    EXPECT_EQ(e.kind, QueryErrorKind::TooLarge);
    EXPECT_EQ(e.reason, "answer larger than 1000 bytes");
    EXPECT_LE(out.size(), 1000u);

    // A small gzip body that inflates past the default cap.
    HttpSession bomb = Session(s);
    std::string inflated;
    const auto b = ErrorOf([&] { bomb.Get(s.root() + "/test/bomb?mb=40", &inflated); });
    EXPECT_EQ(b.kind, QueryErrorKind::TooLarge);
    EXPECT_EQ(b.reason, "answer larger than 32 MiB");
    EXPECT_LE(inflated.size(), HttpLimits{}.maxBodyBytes);
}

TEST(ExchangeLimits, BrokenAnswersAreErrors) {
    StandinServer s;
    HttpSession http = Session(s);
    std::string out;
    const auto loop = ErrorOf([&] { http.Get(s.root() + "/test/loop", &out); });
    EXPECT_EQ(loop.kind, QueryErrorKind::Failed);
    EXPECT_EQ(loop.reason, "too many redirects");
    const auto gzip = ErrorOf([&] { http.Get(s.root() + "/test/badgzip", &out); });
    EXPECT_EQ(gzip.kind, QueryErrorKind::Undecodable);
    EXPECT_EQ(gzip.reason.rfind("cannot decode the answer (", 0), 0u) << gzip.reason;
    for (int code : {304, 404, 500, 503, 407}) {
        const auto e = ErrorOf(
            [&] { http.Get(s.root() + "/test/status?code=" + std::to_string(code), &out); });
        // Without a proxy even 407 is the service's own status.
        EXPECT_EQ(e.kind, QueryErrorKind::HttpStatus) << code;
        EXPECT_EQ(e.httpStatus, code);
        EXPECT_EQ(e.reason, "HTTP " + std::to_string(code));
    }
    // An informational status as the final answer is no answer libcurl accepts.
    EXPECT_THROW(http.Get(s.root() + "/test/status?code=199", &out), HttpError);
    EXPECT_NO_THROW(http.Get(s.root() + "/test/status?code=203", &out));

    // Announced 1000 bytes, sent 10, then closed: the answer ended early.
    const auto cut = ErrorOf([&] { http.Get(s.root() + "/test/stall?seconds=0", &out); });
    EXPECT_EQ(cut.kind, QueryErrorKind::ConnectionBroken);
    EXPECT_EQ(cut.reason, "the answer ended early");
}

TEST(ExchangeLimits, StalledTransferEndsAfterTheNoProgressTime) {
    StandinServer s;
    HttpLimits quick;
    quick.lowSpeedTimeSec = 1;
    HttpSession http = Session(s, quick);
    std::string out;
    const auto e = ErrorOf([&] { http.Get(s.root() + "/test/stall?seconds=20", &out); });
    EXPECT_EQ(e.kind, QueryErrorKind::TimedOut);
    EXPECT_EQ(e.reason, "the answer came slower than 10 bytes/s for 1 s (the low-speed limit)");
}

TEST(ExchangeLimits, TheWholeQueryIsBoundedInTime) {
    StandinServer s;
    HttpLimits limits;
    limits.maxQueryTime = std::chrono::milliseconds(700);
    HttpSession http = Session(s, limits);
    std::string out;
    EXPECT_NO_THROW(http.Get(s.root() + "/", &out));
    // A stall shorter than the no-progress time still ends with the query's bound.
    const auto started = std::chrono::steady_clock::now();
    const auto e = ErrorOf([&] { http.Get(s.root() + "/test/stall?seconds=20", &out); });
    EXPECT_EQ(e.kind, QueryErrorKind::TimedOut);
    EXPECT_EQ(e.reason, "the query took longer than 700 ms");
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(10));
    // Past the bound no further request leaves.
    const std::size_t requests = s.requestLog().size();
    EXPECT_EQ(ErrorOf([&] { http.Get(s.root() + "/", &out); }).kind, QueryErrorKind::TimedOut);
    EXPECT_EQ(s.requestLog().size(), requests);
    EXPECT_EQ(HttpLimits{}.maxQueryTime, std::chrono::minutes(15));
    EXPECT_EQ(HttpLimits{}.maxResultPages, 1000);
}

TEST(ExchangeLimits, UnreachableServiceAndUnreachableProxyAreToldApart) {
    const int closed = testsupport::FreePort();
    const std::string root = "http://127.0.0.1:" + std::to_string(closed);
    HttpSession direct(config::HostOfRoot(root), {}, {});
    const auto e = ErrorOf([&] { direct.Get(root + "/fns/", nullptr); });
    EXPECT_EQ(e.kind, QueryErrorKind::CannotConnect);
    EXPECT_EQ(e.reason, "cannot connect to 127.0.0.1:" + std::to_string(closed));

    HttpSession proxied("register.example", {true, "127.0.0.1", std::to_string(closed)}, {});
    const auto p = ErrorOf([&] { proxied.Get("http://register.example/fns/", nullptr); });
    EXPECT_EQ(p.kind, QueryErrorKind::ProxyFailed);
    EXPECT_EQ(p.reason, "cannot connect to the proxy 127.0.0.1:" + std::to_string(closed));
}

TEST(ExchangeLimits, ARefusedProxyHostFailsAndNeverFallsBackToTheEnvironmentsProxy) {
    StandinServer s;
    ::setenv("http_proxy", s.root().c_str(), 1);
    ::unsetenv("no_proxy");
    ::unsetenv("NO_PROXY");
    // libcurl refuses strings of 8,000,000 bytes and more.
    const std::string huge(9u << 20, 'a');
    const auto e = ErrorOf([&] {
        HttpSession http("register.example", {true, huge, "3128"}, {});
        http.Get("http://register.example/fns/", nullptr);
    });
    EXPECT_EQ(e.kind, QueryErrorKind::ProxyFailed);
    EXPECT_EQ(e.reason.rfind("the HTTP client refused the proxy host (", 0), 0u) << e.reason;
    EXPECT_LT(e.reason.size(), 200u);

    // With "Use proxy" off the exchange goes straight to the service, never to
    // http_proxy either.
    const int closed = testsupport::FreePort();
    const std::string root = "http://127.0.0.1:" + std::to_string(closed);
    HttpSession direct(config::HostOfRoot(root), {}, {});
    EXPECT_EQ(ErrorOf([&] { direct.Get(root + "/fns/", nullptr); }).kind,
              QueryErrorKind::CannotConnect);
    ::unsetenv("http_proxy");
    EXPECT_TRUE(s.requestLog().empty());
}

TEST(ExchangeLimits, AFieldValueWithFormCharactersArrivesWhole) {
    StandinServer s;
    HttpSession http = Session(s);
    http.UseFormContentType();
    const QString body = lookup::EncodeFormFields(
        {{"name", QString::fromUtf8("Ромашка & Ко")}, {"adr", "a=b+c 100%"}, {"num", ""}});
    std::string answer;
    http.Post(s.root() + "/test/form", platform::ToCp1251(body), &answer);
    EXPECT_EQ(platform::FromCp1251(answer).toStdString(),
              "name=Ромашка & Ко\nadr=a=b+c 100%\nnum=\n");
}

TEST(ExchangeLimits, AbortEndsATransferInProgress) {
    StandinServer s;
    std::atomic<bool> abort{false};
    HttpSession http = Session(s, {}, [&] { return abort.load(); });
    std::thread trigger([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        abort = true;
    });
    std::string out;
    const auto started = std::chrono::steady_clock::now();
    const auto e = ErrorOf([&] { http.Get(s.root() + "/test/stall?seconds=30", &out); });
    EXPECT_EQ(e.kind, QueryErrorKind::Aborted);
    EXPECT_EQ(e.reason, "aborted");
    trigger.join();
    // At once, not after libcurl's once-a-second progress call or a time-out (300 ms
    // before the abort, a generous margin for a loaded machine).
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::milliseconds(1300));
    const std::size_t requests = s.requestLog().size();
    EXPECT_EQ(ErrorOf([&] { http.Get(s.root() + "/", &out); }).kind, QueryErrorKind::Aborted);
    EXPECT_EQ(s.requestLog().size(), requests);  // no request once aborted
}
