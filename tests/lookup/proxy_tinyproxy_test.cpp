// A worker whose proxy settings name a real HTTP proxy (Debian's tinyproxy, run in
// the foreground on a free loopback port) reaches the stand-in through it.
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QString>
#include <fstream>
#include <sstream>
#include <thread>

#include "lookup/probe.h"
#include "lookup/query_service.h"
#include "platform/cp1251.h"
#include "support/standin.h"

using testsupport::RecordingSink;
using testsupport::StandinServer;

namespace {

int FreePort() {
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ::bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr);
    socklen_t len = sizeof addr;
    ::getsockname(fd, reinterpret_cast<sockaddr*>(&addr), &len);
    ::close(fd);
    return ntohs(addr.sin_port);
}

bool Accepts(int port) {
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_port = htons(static_cast<uint16_t>(port));
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    const bool ok = ::connect(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) == 0;
    ::close(fd);
    return ok;
}

std::string ReadWhole(const std::string& path) {
    std::ifstream in(path);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

class TinyProxy {
  public:
    TinyProxy() {
        char templ[] = "/tmp/vendrake-tinyproxy-XXXXXX";
        dir_ = ::mkdtemp(templ);
        port_ = FreePort();
        std::ofstream(dir_ + "/tinyproxy.conf")
            << "Port " << port_ << "\nListen 127.0.0.1\nAllow 127.0.0.1\nTimeout 30\n"
            << "LogFile \"" << dir_ << "/tinyproxy.log\"\nLogLevel Connect\n";
        pid_ = ::fork();
        if (pid_ == 0) {
            const std::string conf = dir_ + "/tinyproxy.conf";
            ::execlp("tinyproxy", "tinyproxy", "-d", "-c", conf.c_str(), nullptr);
            ::_exit(127);
        }
        for (int i = 0; i < 250 && !Accepts(port_); ++i) {
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
    }
    ~TinyProxy() {
        ::kill(pid_, SIGTERM);
        ::waitpid(pid_, nullptr, 0);
        std::remove((dir_ + "/tinyproxy.conf").c_str());
        std::remove((dir_ + "/tinyproxy.log").c_str());
        ::rmdir(dir_.c_str());
    }
    int port() const { return port_; }
    std::string log() const { return ReadWhole(dir_ + "/tinyproxy.log"); }

  private:
    std::string dir_;
    int port_ = 0;
    pid_t pid_ = -1;
};

std::shared_ptr<RecordingSink> RunQuery(const std::string& root,
                                        const lookup::ProxySettings& proxy) {
    auto sink = std::make_shared<RecordingSink>();
    lookup::SearchCriteria criteria;
    criteria.name = platform::ToCp1251(QString::fromUtf8("Ромашка"));
    testsupport::StartQuery(sink, 5, criteria, "q", root, proxy);
    EXPECT_TRUE(sink->WaitUntilDone(1));
    return sink;
}

}  // namespace

TEST(ProxyTinyproxy, WorkerReachesTheServiceThroughTheProxy) {
    StandinServer s;
    TinyProxy proxy;
    ASSERT_TRUE(Accepts(proxy.port())) << "tinyproxy did not start";

    auto sink = RunQuery(s.root(), {true, "127.0.0.1", std::to_string(proxy.port())});
    EXPECT_EQ(sink->deliveries().size(), 9u);
    EXPECT_EQ(sink->queryOk(5), true);
    EXPECT_EQ(sink->nodeText(5), "q, records found: 9");

    // Every request passed the proxy, and the session cookie went through it.
    const std::string log = proxy.log();
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
    ASSERT_TRUE(Accepts(proxy.port())) << "tinyproxy did not start";
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
