// Starts and stops the stand-in register service (tools/standin/standin.py) for tests.
#pragma once

#include <sys/types.h>

#include <chrono>
#include <condition_variable>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "exchange/query_service.h"
#include "window/result_nodes.h"

namespace testsupport {

// One line of the stand-in's request log, its fields unescaped only as far as tests
// need (the body stays as logged).
struct LoggedRequest {
    std::string method;
    std::string target;
    std::string cookie;
    std::string body;  // a POST's body, else empty
    double time = 0;   // when it arrived, in seconds since 1970
};

// The value of the field key ("Referer", "Cookie", "Headers", ...) of a request-log
// line as logged, or "<none>" when the line has no such field.
std::string LogField(const std::string& line, const std::string& key);

// The wall clock in the log's terms.
double NowSeconds();

class StandinServer {
  public:
    // Starts python3 <source>/tools/standin/standin.py on a free loopback port and waits
    // until it listens; throws std::runtime_error on failure. extraArgs are appended.
    explicit StandinServer(std::vector<std::string> extraArgs = {});
    ~StandinServer();  // stops it (SIGTERM, then SIGKILL), waits
    StandinServer(const StandinServer&) = delete;
    StandinServer& operator=(const StandinServer&) = delete;

    int port() const;
    std::string root() const;                     // "http://127.0.0.1:<port>"
    std::vector<std::string> requestLog() const;  // the lines of its --log file so far
    std::string logPath() const;                  // the --log file
    std::vector<LoggedRequest> requests() const;  // the log, parsed

  private:
    std::string dir_;  // private temporary folder holding the port and log files
    pid_t pid_ = -1;
    int port_ = 0;
};

// Runs the event loop (where the query service reports) until done() or the time is up.
bool SpinUntil(const std::function<bool()>& done,
               std::chrono::milliseconds wait = std::chrono::seconds(30));

// What the exchange tests read of one query, in the order the service reported it.
class QuerySink {
  public:
    virtual ~QuerySink() = default;
    // +1 when the query is queued, -1 right after QueryEnded.
    virtual void ChangeThreadCount(int delta) = 0;
    // A firm (with its record and the firm icon) or a message (message icon).
    virtual void AddResultNode(window::NodeHandle queryNode, const std::string& text,
                               int imageIndex, const std::optional<lookup::FirmRecord>& record) = 0;
    virtual void SetNodeText(window::NodeHandle node, const std::string& text) = 0;
    virtual void QueryEnded(window::NodeHandle /*queryNode*/, bool /*ok*/) {}
};

// Runs one query on a query service of its own (a child of the application, so it
// ends with it) and hands its reports to sink under node.
void StartQuery(std::shared_ptr<QuerySink> sink, window::NodeHandle node,
                const lookup::SearchCriteria& criteria, const std::string& nodeText,
                const std::string& root, const config::ProxySettings& proxy = {},
                const lookup::HttpLimits& limits = {});

// One AddResultNode call as the service reported it.
struct Delivery {
    window::NodeHandle node = 0;
    std::string text;
    int imageIndex = 0;
    std::optional<lookup::FirmRecord> record;
};

// A QuerySink that records every call, for tests of the exchange.
class RecordingSink : public QuerySink {
  public:
    void ChangeThreadCount(int delta) override;
    void AddResultNode(window::NodeHandle queryNode, const std::string& text, int imageIndex,
                       const std::optional<lookup::FirmRecord>& record) override;
    void SetNodeText(window::NodeHandle node, const std::string& text) override;
    void QueryEnded(window::NodeHandle queryNode, bool ok) override;

    // Runs the event loop until `queries` queries have ended and the count is back
    // to 0.
    bool WaitUntilDone(int queries, std::chrono::milliseconds wait = std::chrono::seconds(60));

    int threadCount() const;
    std::vector<int> countHistory() const;  // the count after every change
    std::vector<Delivery> deliveries() const;
    std::vector<Delivery> deliveriesFor(window::NodeHandle node) const;
    std::optional<std::string> nodeText(window::NodeHandle node) const;
    std::optional<bool> queryOk(window::NodeHandle node) const;

  private:
    mutable std::mutex mutex_;
    std::condition_variable changed_;
    int count_ = 0;
    std::vector<int> history_;
    std::vector<Delivery> deliveries_;
    std::map<window::NodeHandle, std::string> texts_;
    std::map<window::NodeHandle, bool> ended_;
};

}  // namespace testsupport
