#include "support/standin.h"

#include <QCoreApplication>

#include <sys/prctl.h>
#include <csignal>

#include <signal.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <thread>

namespace testsupport {
namespace {

std::string ReadWhole(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

void RemoveTree(const std::string& dir) {
    for (const char* name : {"/port", "/requests.log"}) {
        std::remove((dir + name).c_str());
    }
    ::rmdir(dir.c_str());
}

// Stops the child: SIGTERM, a short grace period, then SIGKILL; always reaps it.
void StopChild(pid_t pid) {
    if (pid <= 0) {
        return;
    }
    ::kill(pid, SIGTERM);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(3);
    int status = 0;
    while (std::chrono::steady_clock::now() < deadline) {
        const pid_t r = ::waitpid(pid, &status, WNOHANG);
        if (r == pid || (r < 0 && errno == ECHILD)) {
            return;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    ::kill(pid, SIGKILL);
    ::waitpid(pid, &status, 0);
}

}  // namespace

StandinServer::StandinServer(std::vector<std::string> extraArgs) {
    char templ[] = "/tmp/vendrake-standin-XXXXXX";
    if (::mkdtemp(templ) == nullptr) {
        throw std::runtime_error("stand-in: cannot create a temporary folder");
    }
    dir_ = templ;
    const std::string portFile = dir_ + "/port";
    const std::string script = std::string(VENDRAKE_SOURCE_DIR) + "/tools/standin/standin.py";

    std::vector<std::string> args = {"python3",     script,   "--port", "0",
                                     "--port-file", portFile, "--log",  logPath()};
    args.insert(args.end(), extraArgs.begin(), extraArgs.end());
    std::vector<char*> argv;
    for (auto& a : args) {
        argv.push_back(a.data());
    }
    argv.push_back(nullptr);

    pid_ = ::fork();
    if (pid_ < 0) {
        RemoveTree(dir_);
        throw std::runtime_error("stand-in: fork failed");
    }
    if (pid_ == 0) {
        // The server must not outlive a test that crashes: it would keep the test's
        // output pipe open and leave ctest waiting.
        ::prctl(PR_SET_PDEATHSIG, SIGTERM);
        ::execvp("python3", argv.data());
        ::_exit(127);
    }

    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(15);
    while (std::chrono::steady_clock::now() < deadline) {
        const std::string text = ReadWhole(portFile);
        if (!text.empty() && text.back() == '\n') {
            port_ = std::atoi(text.c_str());
            if (port_ > 0) {
                return;
            }
        }
        int status = 0;
        if (::waitpid(pid_, &status, WNOHANG) == pid_) {
            pid_ = -1;
            RemoveTree(dir_);
            throw std::runtime_error("stand-in: the server ended before it listened");
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    StopChild(pid_);
    pid_ = -1;
    RemoveTree(dir_);
    throw std::runtime_error("stand-in: the server did not start listening in time");
}

StandinServer::~StandinServer() {
    StopChild(pid_);
    RemoveTree(dir_);
}

int StandinServer::port() const {
    return port_;
}

std::string StandinServer::root() const {
    return "http://127.0.0.1:" + std::to_string(port_);
}

std::string StandinServer::logPath() const {
    return dir_ + "/requests.log";
}

std::string LogField(const std::string& line, const std::string& key) {
    const std::size_t at = line.find("\t" + key + "=");
    if (at == std::string::npos) {
        return "<none>";
    }
    const std::size_t from = at + key.size() + 2;
    return line.substr(from, line.find('\t', from) - from);
}

double NowSeconds() {
    using namespace std::chrono;
    return duration<double>(system_clock::now().time_since_epoch()).count();
}

std::vector<LoggedRequest> StandinServer::requests() const {
    std::vector<LoggedRequest> out;
    for (const std::string& line : requestLog()) {
        LoggedRequest r;
        std::size_t at = 0;
        bool first = true;
        while (at <= line.size()) {
            const std::size_t tab = std::min(line.find('\t', at), line.size());
            const std::string field = line.substr(at, tab - at);
            if (first) {
                const std::size_t space = field.find(' ');
                r.method = field.substr(0, space);
                r.target = space == std::string::npos ? std::string() : field.substr(space + 1);
                first = false;
            } else if (field.rfind("Cookie=", 0) == 0) {
                r.cookie = field.substr(7);
            } else if (field.rfind("Body=", 0) == 0) {
                r.body = field.substr(5);
            } else if (field.rfind("Time=", 0) == 0) {
                r.time = std::stod(field.substr(5));
            }
            at = tab + 1;
        }
        out.push_back(std::move(r));
    }
    return out;
}

std::vector<std::string> StandinServer::requestLog() const {
    std::vector<std::string> lines;
    std::istringstream in(ReadWhole(logPath()));
    std::string line;
    while (std::getline(in, line)) {
        lines.push_back(line);
    }
    return lines;
}

void RecordingSink::ChangeThreadCount(int delta) {
    std::lock_guard<std::mutex> lock(mutex_);
    count_ += delta;
    history_.push_back(count_);
    changed_.notify_all();
}

void RecordingSink::AddResultNode(window::NodeHandle queryNode, const std::string& text,
                                  int imageIndex, const std::optional<lookup::FirmRecord>& record) {
    std::lock_guard<std::mutex> lock(mutex_);
    deliveries_.push_back(Delivery{queryNode, text, imageIndex, record});
}

void RecordingSink::SetNodeText(window::NodeHandle node, const std::string& text) {
    std::lock_guard<std::mutex> lock(mutex_);
    texts_[node] = text;
}

void RecordingSink::QueryEnded(window::NodeHandle queryNode, bool ok) {
    std::lock_guard<std::mutex> lock(mutex_);
    ended_[queryNode] = ok;
    changed_.notify_all();
}

bool RecordingSink::WaitUntilDone(int queries, std::chrono::milliseconds wait) {
    return SpinUntil(
        [&] {
            std::lock_guard<std::mutex> lock(mutex_);
            return static_cast<int>(ended_.size()) >= queries && count_ == 0;
        },
        wait);
}

bool SpinUntil(const std::function<bool()>& done, std::chrono::milliseconds wait) {
    const auto until = std::chrono::steady_clock::now() + wait;
    while (!done()) {
        if (std::chrono::steady_clock::now() > until) {
            return false;
        }
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return true;
}

void StartQuery(std::shared_ptr<QuerySink> sink, window::NodeHandle node,
                const lookup::SearchCriteria& criteria, const std::string& nodeText,
                const std::string& root, const config::ProxySettings& proxy,
                const lookup::HttpLimits& limits) {
    lookup::ServiceOptions options;
    options.limits = limits;
    auto* service = new lookup::QueryService(options, QCoreApplication::instance());
    QObject::connect(service, &lookup::QueryService::firmFound,
                     [sink, node](lookup::QueryId, const lookup::FirmRecord& firm) {
                         sink->AddResultNode(node, firm.name, window::kFirmIcon, firm);
                     });
    QObject::connect(
        service, &lookup::QueryService::messageFound,
        [sink, node](lookup::QueryId, const std::string& text, lookup::ServiceMessageKind) {
            sink->AddResultNode(node, text, window::kMessageIcon, std::nullopt);
        });
    QObject::connect(
        service, &lookup::QueryService::queryTextChanged,
        [sink, node](lookup::QueryId, const std::string& text) { sink->SetNodeText(node, text); });
    QObject::connect(service, &lookup::QueryService::queryFinished,
                     [sink, node, service](lookup::QueryId, const lookup::QueryOutcome& outcome) {
                         sink->QueryEnded(node, outcome.ok());
                         sink->ChangeThreadCount(-1);
                         service->deleteLater();
                     });
    lookup::QueryRequest request;
    request.criteria = criteria;
    request.nodeText = nodeText;
    request.serviceRoot = root;
    request.proxy = proxy;
    sink->ChangeThreadCount(+1);
    service->Enqueue(std::move(request));
}

int RecordingSink::threadCount() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return count_;
}

std::vector<int> RecordingSink::countHistory() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return history_;
}

std::vector<Delivery> RecordingSink::deliveries() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return deliveries_;
}

std::vector<Delivery> RecordingSink::deliveriesFor(window::NodeHandle node) const {
    std::lock_guard<std::mutex> lock(mutex_);
    std::vector<Delivery> out;
    for (const auto& d : deliveries_) {
        if (d.node == node) {
            out.push_back(d);
        }
    }
    return out;
}

std::optional<std::string> RecordingSink::nodeText(window::NodeHandle node) const {
    std::lock_guard<std::mutex> lock(mutex_);
    auto it = texts_.find(node);
    if (it == texts_.end()) {
        return std::nullopt;
    }
    return it->second;
}

std::optional<bool> RecordingSink::queryOk(window::NodeHandle node) const {
    std::lock_guard<std::mutex> lock(mutex_);
    auto it = ended_.find(node);
    if (it == ended_.end()) {
        return std::nullopt;
    }
    return it->second;
}

}  // namespace testsupport
