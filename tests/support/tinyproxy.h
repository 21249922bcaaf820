// A real HTTP proxy for tests: Debian's tinyproxy in the foreground on a loopback
// address, with its configuration and connection log in a private temporary folder.
#pragma once

#include <signal.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>

#include "support/loopback.h"

namespace testsupport {

class TinyProxy {
  public:
    // listen: a numeric loopback address ("127.0.0.1" or "::1"); port 0 takes a free
    // one. Returns once the proxy accepts connections, or after five seconds without
    // (Running() then says so).
    explicit TinyProxy(const std::string& listen = "127.0.0.1", int port = 0)
        : listen_(listen), port_(port != 0 ? port : FreePort()) {
        char templ[] = "/tmp/vendrake-tinyproxy-XXXXXX";
        if (::mkdtemp(templ) == nullptr)
            return;
        dir_ = templ;
        std::ofstream(dir_ + "/tinyproxy.conf")
            << "Port " << port_ << "\nListen " << listen_ << "\nAllow 127.0.0.1\nAllow ::1\n"
            << "Timeout 30\nLogFile \"" << dir_ << "/tinyproxy.log\"\nLogLevel Connect\n";
        pid_ = ::fork();
        if (pid_ == 0) {
            const std::string conf = dir_ + "/tinyproxy.conf";
            ::execlp("tinyproxy", "tinyproxy", "-d", "-c", conf.c_str(), nullptr);
            ::_exit(127);
        }
        for (int i = 0; i < 250 && pid_ > 0 && !Running(); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    ~TinyProxy() {
        if (pid_ > 0) {
            ::kill(pid_, SIGTERM);
            ::waitpid(pid_, nullptr, 0);
        }
        if (!dir_.empty()) {
            std::remove((dir_ + "/tinyproxy.conf").c_str());
            std::remove((dir_ + "/tinyproxy.log").c_str());
            ::rmdir(dir_.c_str());
        }
    }
    TinyProxy(const TinyProxy&) = delete;
    TinyProxy& operator=(const TinyProxy&) = delete;

    int port() const { return port_; }
    bool Running() const { return AcceptsAt(listen_, port_); }
    // The connection log so far.
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
