// A real HTTP proxy for tests: Debian's tinyproxy in the foreground on a loopback
// address and port, with its connection log in a private temporary folder.
#pragma once

#include <netdb.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>

namespace testsupport {

// Whether something accepts TCP connections at address:port.
inline bool AcceptsAt(const std::string& address, int port) {
    addrinfo hints{};
    hints.ai_socktype = SOCK_STREAM;
    hints.ai_flags = AI_NUMERICHOST;
    addrinfo* found = nullptr;
    if (::getaddrinfo(address.c_str(), std::to_string(port).c_str(), &hints, &found) != 0) {
        return false;
    }
    const int fd = ::socket(found->ai_family, SOCK_STREAM, 0);
    const bool ok = fd >= 0 && ::connect(fd, found->ai_addr, found->ai_addrlen) == 0;
    if (fd >= 0) {
        ::close(fd);
    }
    ::freeaddrinfo(found);
    return ok;
}

class TinyProxy {
  public:
    // listen: a numeric loopback address ("127.0.0.1" or "::1").
    TinyProxy(const std::string& listen, int port) : listen_(listen), port_(port) {
        char templ[] = "/tmp/vendrake-tinyproxy-XXXXXX";
        dir_ = ::mkdtemp(templ);
        std::ofstream(dir_ + "/tinyproxy.conf")
            << "Port " << port_ << "\nListen " << listen_ << "\nAllow 127.0.0.1\nAllow ::1\n"
            << "Timeout 30\nLogFile \"" << dir_ << "/tinyproxy.log\"\nLogLevel Connect\n";
        pid_ = ::fork();
        if (pid_ == 0) {
            const std::string conf = dir_ + "/tinyproxy.conf";
            ::execlp("tinyproxy", "tinyproxy", "-d", "-c", conf.c_str(), nullptr);
            ::_exit(127);
        }
        for (int i = 0; i < 250 && !Running(); ++i) {
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
    TinyProxy(const TinyProxy&) = delete;
    TinyProxy& operator=(const TinyProxy&) = delete;

    bool Running() const { return AcceptsAt(listen_, port_); }
    std::string Log() const {
        std::ifstream in(dir_ + "/tinyproxy.log");
        std::ostringstream out;
        out << in.rdbuf();
        return out.str();
    }

  private:
    std::string listen_;
    int port_ = 0;
    std::string dir_;
    pid_t pid_ = -1;
};

}  // namespace testsupport
