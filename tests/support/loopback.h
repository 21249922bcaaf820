// Loopback ports for tests: one that nothing listens on, one that listens and never
// answers, and whether something accepts connections at an address and port.
#pragma once

#include <netdb.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <stdexcept>
#include <string>

namespace testsupport {

// A loopback TCP port that was free a moment ago and that nothing listens on: the
// kernel picks it for a socket that is closed again at once.
inline int FreePort() {
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return 0;
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t len = sizeof addr;
    const bool bound = ::bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) == 0 &&
                       ::getsockname(fd, reinterpret_cast<sockaddr*>(&addr), &len) == 0;
    ::close(fd);
    return bound ? ntohs(addr.sin_port) : 0;
}

// A loopback socket that listens but never accepts: the kernel completes every
// connection (up to its backlog), and nothing ever answers.
class SilentListener {
  public:
    SilentListener() : fd_(::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0)) {
        sockaddr_in addr{};
        addr.sin_family = AF_INET;
        addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t len = sizeof addr;
        if (fd_ < 0 || ::bind(fd_, reinterpret_cast<sockaddr*>(&addr), len) != 0 ||
            ::listen(fd_, 16) != 0 ||
            ::getsockname(fd_, reinterpret_cast<sockaddr*>(&addr), &len) != 0) {
            if (fd_ >= 0)
                ::close(fd_);
            throw std::runtime_error("cannot listen on loopback");
        }
        port_ = ntohs(addr.sin_port);
    }
    ~SilentListener() { ::close(fd_); }
    SilentListener(const SilentListener&) = delete;
    SilentListener& operator=(const SilentListener&) = delete;

    int port() const { return port_; }
    std::string root() const { return "http://127.0.0.1:" + std::to_string(port_); }

  private:
    int fd_;
    int port_ = 0;
};

// Whether something accepts TCP connections at address (numeric) and port.
inline bool AcceptsAt(const std::string& address, int port) {
    addrinfo hints{};
    hints.ai_socktype = SOCK_STREAM;
    hints.ai_flags = AI_NUMERICHOST;
    addrinfo* found = nullptr;
    if (::getaddrinfo(address.c_str(), std::to_string(port).c_str(), &hints, &found) != 0)
        return false;
    const int fd = ::socket(found->ai_family, SOCK_STREAM | SOCK_CLOEXEC, 0);
    const bool ok = fd >= 0 && ::connect(fd, found->ai_addr, found->ai_addrlen) == 0;
    if (fd >= 0)
        ::close(fd);
    ::freeaddrinfo(found);
    return ok;
}

}  // namespace testsupport
