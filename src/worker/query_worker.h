// One query's worker: a thread of its own that carries out the whole exchange with
// the register service and hands every result to a ResultSink.
#pragma once

#include <chrono>
#include <memory>
#include <string>

#include "worker/http_session.h"
#include "worker/proxy_settings.h"
#include "worker/query_service.h"
#include "worker/records.h"
#include "worker/result_sink.h"
#include "worker/search_criteria.h"

namespace worker {

class QueryWorker {
  public:
    // serviceRoot: "http://host[:port]" without a trailing '/'. limits: time-outs and
    // the size cap of the exchange; the defaults are the program's (connection 30 s,
    // under 10 bytes/s for 60 s, 300 s per request, 32 MiB of answers, 10 redirects).
    QueryWorker(std::shared_ptr<ResultSink> sink, std::string serviceRoot, ProxySettings proxy,
                HttpLimits limits = {});
    ~QueryWorker();
    QueryWorker(const QueryWorker&) = delete;
    QueryWorker& operator=(const QueryWorker&) = delete;

    SearchCriteria criteria;   // what to look up
    NodeHandle queryNode = 0;  // where the results go
    std::string queryText;     // the query node's text, base of the count text

    // Runs Run on a new thread. The worker owns itself from here on: it frees
    // itself when Run ends, and the caller must not touch it again.
    static void Start(std::unique_ptr<QueryWorker> worker);

  private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
    void Run();
};

// For the end of the program: aborts every running exchange (as an error) and waits
// up to `wait` for the worker threads to end. Returns true when all ended.
bool ShutdownWorkers(std::chrono::milliseconds wait);

// Blocks until no worker runs (used by the batch tool). Returns false on time-out.
bool WaitForWorkers(std::chrono::milliseconds wait);

}  // namespace worker
