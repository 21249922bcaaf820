// The connectivity probe: any answer through the environment's proxy is success; a
// closed port or a silent server is failure within the limit.
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <stdlib.h>
#include <sys/socket.h>
#include <unistd.h>

#include "support/standin.h"
#include "worker/probe.h"

using testsupport::StandinServer;

namespace {

void ClearProxyEnvironment() {
    for (const char* name :
         {"http_proxy", "HTTP_PROXY", "all_proxy", "ALL_PROXY", "no_proxy", "NO_PROXY"}) {
        ::unsetenv(name);
    }
}

// A loopback socket that is listening but never answers; the kernel still completes
// connections to it.
struct SilentServer {
    int fd = -1;
    int port = 0;
    SilentServer() {
        fd = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in addr{};
        addr.sin_family = AF_INET;
        addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        ::bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr);
        ::listen(fd, 8);
        socklen_t len = sizeof addr;
        ::getsockname(fd, reinterpret_cast<sockaddr*>(&addr), &len);
        port = ntohs(addr.sin_port);
    }
    ~SilentServer() { ::close(fd); }
};

}  // namespace

TEST(ProbeConnect, SucceedsThroughTheEnvironmentsProxyWhateverTheStatus) {
    StandinServer s;
    ClearProxyEnvironment();
    ::setenv("http_proxy", s.root().c_str(), 1);
    EXPECT_TRUE(worker::InternetConnection("http://probe.example/"));
    EXPECT_TRUE(worker::InternetConnection("http://probe.example/no/such/page"));  // 404
    ClearProxyEnvironment();

    const auto log = s.requestLog();
    ASSERT_EQ(log.size(), 2u);
    EXPECT_EQ(log[0].substr(0, log[0].find('\t')), "GET http://probe.example/");
}

TEST(ProbeConnect, FailsOnAClosedPortAndOnASilentServerWithinTheLimit) {
    ClearProxyEnvironment();
    int closedPort = 0;
    {
        SilentServer s;  // a port known to be free once this socket is gone
        closedPort = s.port;
    }
    EXPECT_FALSE(
        worker::InternetConnection("http://127.0.0.1:" + std::to_string(closedPort) + "/"));

    SilentServer silent;
    const auto started = std::chrono::steady_clock::now();
    EXPECT_FALSE(worker::InternetConnection("http://127.0.0.1:" + std::to_string(silent.port) + "/",
                                            std::chrono::milliseconds(500)));
    // Bounded by the limit, give or take scheduling.
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(10));
}
