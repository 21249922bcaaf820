// The query service: the one owner of every register query the program makes, single
// searches and list runs alike. It lives on the thread that created it (the GUI
// thread, or the batch tool's main thread), runs the exchanges on a bounded pool of
// its own threads and reports everything through signals on its own thread.
#pragma once

#include <QObject>

#include <chrono>
#include <memory>
#include <string>
#include <vector>

#include "exchange/http_session.h"
#include "exchange/probe.h"
#include "exchange/query_types.h"
#include "pages/records.h"

namespace lookup {

// A query's reports (firms, texts, messages) handed over and not yet carried out on
// the service's thread are at most this many: a query that gets this far ahead waits
// until half of them are done, so a huge answer never piles up in front of a consumer
// that is slower than the network. Its abort still ends it at once.
constexpr int kMaxUnconsumedReports = 2048;

struct ServiceOptions {
    int poolSize = 4;                            // queries running at once, 1 or more
    std::chrono::milliseconds startInterval{0};  // at least this between query starts
    HttpLimits limits;                           // of every query's exchange
};

class QueryService : public QObject {
    Q_OBJECT
  public:
    explicit QueryService(ServiceOptions options = {}, QObject* parent = nullptr);
    // Aborts everything (queries and a probe), delivers nothing more and returns within
    // about a second; an exchange still on its way out then ends on its own without
    // starting another request.
    ~QueryService() override;
    QueryService(const QueryService&) = delete;
    QueryService& operator=(const QueryService&) = delete;

    // Queues one query; it starts as soon as a pool slot is free and the start
    // interval has passed. The running count (Pending) is raised at once.
    QueryId Enqueue(QueryRequest request);

    // Aborts every queued and running query at once (through the transfer's progress
    // check) and drops whatever they would still report: no signal names them again
    // and allFinished does not follow for them. The running count becomes 0.
    void AbortAll();

    // AbortAll and AbortProbe, then waits up to `wait` for the service's threads to
    // end (each sees its abort within 50 ms). True when all have ended: no request of
    // theirs leaves afterwards. The service stays usable.
    bool Shutdown(std::chrono::milliseconds wait);

    // Drops the queued queries that have not started (the running ones go on) and
    // returns their ids in queue order; nothing is reported for them. When none runs,
    // allFinished follows at once for the ones that ended before.
    std::vector<QueryId> DropQueued();

    // Queued plus running queries.
    int Pending() const;

    // Starts the connectivity probe on a thread of its own; probeFinished follows
    // unless AbortProbe or the service's end comes first. Returns false (and does
    // nothing) while a probe runs.
    bool StartProbe(ProbeOptions options);
    bool Probing() const;
    void AbortProbe();

  signals:
    // A firm row of query id (fields Windows-1251).
    void firmFound(lookup::QueryId id, const lookup::FirmRecord& firm);
    // The query node's new text (Windows-1251), after each row of a name search.
    void queryTextChanged(lookup::QueryId id, const std::string& text);
    // A service message for query id: its node text (Windows-1251) and which it was.
    void messageFound(lookup::QueryId id, const std::string& text, lookup::ServiceMessageKind kind);
    // Query id has ended; what it delivered before stays valid.
    void queryFinished(lookup::QueryId id, const lookup::QueryOutcome& outcome);
    // The last query queued since the last AbortAll has ended: `failed` of `total`
    // ended with an error. Emitted right after that query's queryFinished.
    void allFinished(int failed, int total);
    // The probe has ended.
    void probeFinished(const lookup::ProbeResult& result);

  private:
    // Carries out the reports the query threads have queued (on the service's thread).
    Q_INVOKABLE void DrainReports();

    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace lookup
