// Batch lookups: one query per line of a list, with a bounded number of workers at
// once so that a list of thousands of lines neither starts thousands of threads nor
// floods the service.
#pragma once

#include <memory>
#include <string>

#include "worker/http_session.h"
#include "worker/proxy_settings.h"
#include "worker/records.h"
#include "worker/result_sink.h"

namespace worker {

// The criteria of one batch line (Windows-1251): a line whose first two characters
// are digits is a number search, any other a name search.
SearchCriteria BatchCriteria(const std::string& line);

// line + ", records found: %d"
std::string BatchQueryText(const std::string& line);

class BatchQueue {
  public:
    BatchQueue(std::shared_ptr<ResultSink> sink, std::string serviceRoot, ProxySettings proxy,
               int maxWorkers = 4, HttpLimits limits = {});
    ~BatchQueue();

    // Queues one line's query under node; it starts as soon as a worker slot is free.
    // The sink's thread count stays above 0 from the first queued line until the
    // last queued query has ended.
    void Add(NodeHandle node, const std::string& line);

  private:
    struct Impl;
    std::shared_ptr<Impl> impl_;
};

}  // namespace worker
