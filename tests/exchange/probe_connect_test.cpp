// The connectivity probe: any answer through the environment's proxy, or through the
// chosen proxy, is success; a closed port or a silent server is a typed failure within
// the limit, and an abort ends it at once. With a service to check, the service is
// asked first, the way the queries go, and the fixed address only tells a silent
// service from a missing connection.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <atomic>
#include <thread>

#include "config/default_addresses.h"
#include "exchange/http_session.h"
#include "exchange/probe.h"
#include "support/loopback.h"
#include "support/standin.h"

using lookup::QueryErrorKind;
using testsupport::StandinServer;

namespace {

void ClearProxyEnvironment() {
    for (const char* name :
         {"http_proxy", "HTTP_PROXY", "all_proxy", "ALL_PROXY", "no_proxy", "NO_PROXY"}) {
        ::unsetenv(name);
    }
}

// The fixed address alone, through the system's proxy settings.
bool Reaches(const std::string& url, std::chrono::milliseconds limit = std::chrono::seconds(5)) {
    lookup::ProbeOptions options;
    options.url = url;
    options.limit = limit;
    return lookup::Probe(options).reachable;
}

}  // namespace

// The fixed address is asked as the queries ask, with their user agent.
TEST(ProbeConnect, SucceedsThroughTheEnvironmentsProxyWhateverTheStatus) {
    StandinServer s({"--log-headers"});
    ClearProxyEnvironment();
    ::setenv("http_proxy", s.root().c_str(), 1);
    EXPECT_TRUE(Reaches("http://probe.example/"));
    EXPECT_TRUE(Reaches("http://probe.example/no/such/page"));  // 404
    ClearProxyEnvironment();

    const auto log = s.requestLog();
    ASSERT_EQ(log.size(), 2u);
    EXPECT_EQ(log[0].substr(0, log[0].find('\t')), "GET http://probe.example/");
    EXPECT_NE(log[0].find(std::string("User-Agent: ") + lookup::QueryUserAgent()),
              std::string::npos)
        << log[0];
}

TEST(ProbeConnect, FailsOnAClosedPortAndOnASilentServerWithinTheLimit) {
    ClearProxyEnvironment();
    const int closedPort = testsupport::FreePort();
    EXPECT_FALSE(Reaches("http://127.0.0.1:" + std::to_string(closedPort) + "/"));

    testsupport::SilentListener silent;
    const auto started = std::chrono::steady_clock::now();
    EXPECT_FALSE(Reaches("http://127.0.0.1:" + std::to_string(silent.port()) + "/",
                         std::chrono::milliseconds(500)));
    // Bounded by the limit, give or take scheduling.
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(10));
}

TEST(ProbeConnect, FailuresAreTyped) {
    ClearProxyEnvironment();
    const int closedPort = testsupport::FreePort();
    const std::string closed = std::to_string(closedPort);
    lookup::ProbeOptions direct;
    direct.url = "http://127.0.0.1:" + closed + "/";
    const auto refused = lookup::Probe(direct);
    EXPECT_FALSE(refused.reachable);
    EXPECT_EQ(refused.error.kind, QueryErrorKind::CannotConnect);
    EXPECT_EQ(refused.error.reason, "cannot connect to 127.0.0.1:" + closed);

    testsupport::SilentListener silent;
    lookup::ProbeOptions slow;
    slow.url = "http://127.0.0.1:" + std::to_string(silent.port()) + "/";
    slow.limit = std::chrono::milliseconds(300);
    const auto late = lookup::Probe(slow);
    EXPECT_EQ(late.error.kind, QueryErrorKind::TimedOut);
    EXPECT_EQ(late.error.reason, "no answer within 300 ms");

    lookup::ProbeOptions viaClosedProxy;
    viaClosedProxy.url = "http://probe.example/";
    viaClosedProxy.proxy = {true, "127.0.0.1", closed};
    const auto noProxy = lookup::Probe(viaClosedProxy);
    EXPECT_EQ(noProxy.error.kind, QueryErrorKind::ProxyFailed);
    EXPECT_EQ(noProxy.error.reason,
              "Cannot reach the proxy 127.0.0.1:" + closed + ": connection refused");

    viaClosedProxy.proxy.port = "";
    EXPECT_EQ(lookup::Probe(viaClosedProxy).error.kind, QueryErrorKind::ProxyFailed);
}

TEST(ProbeConnect, GoesThroughTheChosenProxyWhenTheDirectRouteIsClosed) {
    StandinServer s;
    const int closedPort = testsupport::FreePort();
    ClearProxyEnvironment();
    // The system's proxy is a dead end.
    ::setenv("http_proxy", ("http://127.0.0.1:" + std::to_string(closedPort)).c_str(), 1);
    EXPECT_FALSE(Reaches("http://probe.example/"));

    // The chosen proxy is used even where no_proxy would exempt every host.
    ::setenv("no_proxy", "*", 1);
    lookup::ProbeOptions options;
    options.url = "http://probe.example/";
    options.proxy = {true, "127.0.0.1", std::to_string(s.port())};
    const auto result = lookup::Probe(options);
    ClearProxyEnvironment();
    EXPECT_TRUE(result.reachable) << result.error.reason;

    const auto log = s.requestLog();
    ASSERT_EQ(log.size(), 1u);
    EXPECT_EQ(log[0].substr(0, log[0].find('\t')), "GET http://probe.example/");
}

TEST(ProbeConnect, AnAbortEndsAWaitingProbeAtOnce) {
    ClearProxyEnvironment();
    testsupport::SilentListener silent;
    std::atomic<bool> abort{false};
    lookup::ProbeOptions options;
    options.url = "http://127.0.0.1:" + std::to_string(silent.port()) + "/";
    options.limit = std::chrono::seconds(30);
    options.aborted = [&] { return abort.load(); };
    std::thread trigger([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        abort = true;
    });
    const auto started = std::chrono::steady_clock::now();
    const auto result = lookup::Probe(options);
    trigger.join();
    EXPECT_FALSE(result.reachable);
    EXPECT_EQ(result.error.kind, QueryErrorKind::Aborted);
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::milliseconds(1200));
}

// With a service to check: one that answers is asked as the queries ask (their user
// agent) and is enough, the fixed address left alone; a chosen proxy that refuses is
// named at once; one that accepts the connection and stays silent is silent within its
// own limit, though its host was reached.
TEST(ProbeConnect, TheServiceIsAskedFirstAndTheFixedAddressOnlyWhenItIsSilent) {
    ClearProxyEnvironment();
    StandinServer s({"--log-headers"});
    StandinServer fixed;
    lookup::ProbeOptions options;
    options.serviceRoot = s.root();
    options.url = fixed.root() + "/";
    EXPECT_TRUE(lookup::Probe(options).reachable);
    const auto log = s.requestLog();
    ASSERT_EQ(log.size(), 1u);
    EXPECT_EQ(log[0].substr(0, log[0].find('\t')), "GET /");
    EXPECT_NE(log[0].find(std::string("User-Agent: ") + lookup::QueryUserAgent()),
              std::string::npos)
        << log[0];

    const std::string closed = std::to_string(testsupport::FreePort());
    options.proxy = {true, "127.0.0.1", closed};
    const auto refused = lookup::Probe(options);
    EXPECT_FALSE(refused.serviceSilent);
    EXPECT_EQ(refused.error.reason,
              "Cannot reach the proxy 127.0.0.1:" + closed + ": connection refused");
    EXPECT_TRUE(fixed.requestLog().empty());

    testsupport::SilentListener listener;
    options.proxy = {};
    options.serviceRoot = listener.root();
    options.serviceLimit = std::chrono::milliseconds(300);
    const auto late = lookup::Probe(options);
    EXPECT_FALSE(late.reachable);
    EXPECT_TRUE(late.serviceSilent);
    EXPECT_EQ(lookup::ServiceSilentText(late), "the register service at " +
                                                   config::HostOfRoot(listener.root()) +
                                                   " does not answer: no answer within 300 ms");
    EXPECT_FALSE(lookup::CouldNotReach(late.error, late.serviceHost));
    EXPECT_EQ(fixed.requestLog().size(), 1u);
}

// The probe's own request: the queries' route and user agent, a request for a fresh
// answer past any cache, and no redirect followed (the first answer is the verdict,
// so a redirect to a dead address still counts as reached).
TEST(ProbeConnect, AsksForAFreshAnswerAndFollowsNoRedirect) {
    ClearProxyEnvironment();
    StandinServer s({"--log-headers"});
    StandinServer elsewhere;
    const std::string dead = "http://127.0.0.1:" + std::to_string(testsupport::FreePort()) + "/";
    lookup::ProbeOptions options;
    options.url = s.root() + "/test/redirect?to=" + elsewhere.root() + "/";
    EXPECT_TRUE(lookup::Probe(options).reachable);
    options.url = s.root() + "/test/redirect?to=" + dead;
    EXPECT_TRUE(lookup::Probe(options).reachable);
    EXPECT_TRUE(elsewhere.requestLog().empty());

    const auto log = s.requestLog();
    ASSERT_EQ(log.size(), 2u);
    for (const std::string& line : log) {
        EXPECT_NE(line.find("Cache-Control: no-cache"), std::string::npos) << line;
        EXPECT_NE(line.find("Pragma: no-cache"), std::string::npos) << line;
        EXPECT_NE(line.find(std::string("User-Agent: ") + lookup::QueryUserAgent()),
                  std::string::npos)
            << line;
    }
}

// A proxy port that is no port fails the probe before any request, as it fails a query.
TEST(ProbeConnect, ABadProxyPortFailsBeforeAnyRequest) {
    ClearProxyEnvironment();
    StandinServer s;
    lookup::ProbeOptions options;
    options.serviceRoot = s.root();
    options.proxy = {true, "127.0.0.1", "80x"};
    const auto result = lookup::Probe(options);
    EXPECT_FALSE(result.reachable);
    EXPECT_EQ(result.error.kind, QueryErrorKind::ProxyFailed);
    EXPECT_EQ(result.error.reason, "proxy port is not a whole number: '80x'");
    options.proxy.port = "70000";
    EXPECT_EQ(lookup::Probe(options).error.reason, "proxy port out of range: '70000'");
    EXPECT_TRUE(s.requestLog().empty());
}
