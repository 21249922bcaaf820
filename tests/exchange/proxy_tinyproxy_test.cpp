// A query whose proxy settings name a real HTTP proxy (Debian's tinyproxy, run in
// the foreground on a free loopback port) reaches the stand-in through it.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "exchange/probe.h"
#include "exchange/query_runner.h"
#include "exchange/query_service.h"
#include "support/cp1251_text.h"
#include "support/loopback.h"
#include "support/standin.h"
#include "support/tinyproxy.h"

using testsupport::FreePort;
using testsupport::RecordingSink;
using testsupport::StandinServer;
using testsupport::TinyProxy;

namespace {

std::shared_ptr<RecordingSink> RunQuery(const std::string& root,
                                        const config::ProxySettings& proxy) {
    auto sink = std::make_shared<RecordingSink>();
    lookup::SearchCriteria criteria;
    criteria.name = testsupport::Cp1251Text("Ромашка");
    testsupport::StartQuery(sink, 5, criteria, "q", root, proxy);
    EXPECT_TRUE(sink->WaitUntilDone(1));
    return sink;
}

}  // namespace

TEST(ProxyTinyproxy, QueryReachesTheServiceThroughTheProxy) {
    StandinServer s;
    TinyProxy proxy;
    ASSERT_TRUE(proxy.Running()) << "tinyproxy did not start";

    auto sink = RunQuery(s.root(), {true, "127.0.0.1", std::to_string(proxy.port())});
    EXPECT_EQ(sink->deliveries().size(), 9u);
    EXPECT_EQ(sink->queryOk(5), true);
    EXPECT_EQ(sink->nodeText(5), "q, records found: 9");

    // Every request passed the proxy, and the session cookie went through it.
    const std::string log = proxy.Log();
    EXPECT_NE(log.find("GET " + s.root() + "/fns/ HTTP"), std::string::npos) << log;
    EXPECT_NE(log.find("POST " + s.root() + "/fns/g.php HTTP"), std::string::npos) << log;
    EXPECT_NE(log.find("GET " + s.root() + "/fns/g.php?q=romashka-3 HTTP"), std::string::npos);
    const auto requests = s.requestLog();
    ASSERT_EQ(requests.size(), 5u);
    EXPECT_NE(requests[4].find("Cookie=sid="), std::string::npos);
}

TEST(ProxyTinyproxy, AProxyThatIsNotThereIsAnError) {
    StandinServer s;
    auto sink = RunQuery(s.root(), {true, "127.0.0.1", std::to_string(FreePort())});
    EXPECT_TRUE(sink->deliveries().empty());
    EXPECT_EQ(sink->queryOk(5), false);
    EXPECT_TRUE(s.requestLog().empty());
}

// With "Use proxy" the probe tells a proxy that is not there, or one that cannot reach
// the site, from a missing connection, naming the proxy.
TEST(ProxyTinyproxy, AProbeThroughAFailingProxySaysWhichProxyAndWhy) {
    TinyProxy proxy;
    ASSERT_TRUE(proxy.Running()) << "tinyproxy did not start";
    const std::string name = "127.0.0.1:" + std::to_string(proxy.port());
    lookup::ProbeOptions options;
    options.url = "http://127.0.0.1:" + std::to_string(FreePort()) + "/";  // nothing there
    options.proxy = {true, "127.0.0.1", std::to_string(proxy.port())};
    const lookup::ProbeResult failing = lookup::Probe(options);
    EXPECT_FALSE(failing.reachable);
    EXPECT_EQ(failing.error.kind, lookup::QueryErrorKind::ProxyFailed);
    EXPECT_EQ(failing.error.reason.rfind(
                  "Cannot reach the proxy " + name + ": the proxy answered HTTP 5", 0),
              0u)
        << failing.error.reason;

    StandinServer s;
    options.url = s.root() + "/";
    EXPECT_TRUE(lookup::Probe(options).reachable);
}

namespace {

struct Dropped : lookup::QueryEvents {
    int firms = 0;
    void Firm(const lookup::FirmRecord&) override { ++firms; }
    void QueryText(const std::string&) override {}
    void Message(const std::string&, lookup::ServiceMessageKind) override {}
};

}  // namespace

// A status the register sent through a working proxy is the register's: a 500 on its
// third result page names the register, not the proxy, and the first pages' firms
// stay delivered.
TEST(ProxyTinyproxy, ARegisterErrorBehindTheProxyNamesTheRegister) {
    StandinServer s;
    TinyProxy proxy;
    ASSERT_TRUE(proxy.Running()) << "tinyproxy did not start";
    lookup::QueryRequest request;
    request.criteria.mode = lookup::SearchMode::Name;
    request.criteria.name = testsupport::Cp1251Text("Обрыв");
    request.nodeText = "q";
    request.serviceRoot = s.root();
    request.proxy = {true, "127.0.0.1", std::to_string(proxy.port())};
    Dropped out;
    try {
        lookup::RunRegisterQuery(request, {}, {}, out);
        ADD_FAILURE() << "the query ended well";
    } catch (const lookup::HttpError& e) {
        EXPECT_EQ(e.error().kind, lookup::QueryErrorKind::HttpStatus);
        EXPECT_EQ(e.error().httpStatus, 500);
        EXPECT_EQ(e.error().reason, "the register answered HTTP 500");
    }
    EXPECT_EQ(out.firms, 6);
    EXPECT_NE(proxy.Log().find("g.php?q="), std::string::npos);
}

// The connection check through a real proxy: a service the proxy cannot reach is silent
// while the fixed address answers through the same proxy, and the proxy is named only
// when it reaches neither.
TEST(ProxyTinyproxy, TheCheckTellsAnUnreachableServiceFromAFailingProxy) {
    TinyProxy proxy;
    ASSERT_TRUE(proxy.Running()) << "tinyproxy did not start";
    StandinServer fixed;
    const std::string closedHost = "127.0.0.1:" + std::to_string(FreePort());
    lookup::ProbeOptions options;
    options.serviceRoot = "http://" + closedHost;
    options.url = fixed.root() + "/";
    options.proxy = {true, "127.0.0.1", std::to_string(proxy.port())};
    const lookup::ProbeResult silent = lookup::Probe(options);
    EXPECT_FALSE(silent.reachable);
    EXPECT_TRUE(silent.serviceSilent);
    EXPECT_EQ(silent.error.reason.rfind("the proxy or the register answered HTTP 5", 0), 0u)
        << silent.error.reason;
    EXPECT_TRUE(lookup::CouldNotReach(silent.error, closedHost));
    EXPECT_EQ(fixed.requestLog().size(), 1u);

    options.url = "http://" + closedHost + "/";
    const lookup::ProbeResult neither = lookup::Probe(options);
    EXPECT_FALSE(neither.reachable);
    EXPECT_FALSE(neither.serviceSilent);
    EXPECT_EQ(neither.error.kind, lookup::QueryErrorKind::ProxyFailed);
    EXPECT_EQ(neither.error.reason.rfind("Cannot reach the proxy 127.0.0.1:", 0), 0u)
        << neither.error.reason;

    StandinServer s;
    options.serviceRoot = s.root();
    EXPECT_TRUE(lookup::Probe(options).reachable);
}
