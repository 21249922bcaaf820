#include "exchange/query_service.h"

#include <QMetaObject>
#include <QPointer>
#include <QTimer>

#include <atomic>
#include <condition_variable>
#include <deque>
#include <functional>
#include <map>
#include <mutex>
#include <system_error>
#include <thread>
#include <utility>
#include <vector>

#include "exchange/query_runner.h"

namespace lookup {
namespace {

// How long the service's end waits for its threads before leaving them to finish on
// their own. Each one sees its abort flag within 50 ms.
constexpr auto kEndWait = std::chrono::milliseconds(800);

using AbortFlag = std::shared_ptr<std::atomic<bool>>;

}  // namespace

// How many of one query's reports wait to be carried out (under the channel's lock).
struct Backlog {
    int unconsumed = 0;
    bool waiting = false;  // its thread waits for the count to fall
};

// What the service's threads share with it. A thread's reports wait in `pending`,
// under `mutex`, and the service's thread takes them out under the same lock: only a
// bare wake-up call travels through Qt's event queue, so every hand-over of data is
// ordered by a lock that a thread sanitizer sees (Qt's own locks it cannot see). Once
// the service has ended, `service` is null and reports are dropped.
struct ServiceChannel {
    struct Report {
        std::function<void()> call;
        std::shared_ptr<Backlog> backlog;  // null: not counted (a thread's last report)
    };

    std::mutex mutex;
    std::condition_variable threadsChanged;
    std::condition_variable backlogFell;
    QueryService* service = nullptr;
    std::vector<Report> pending;
    bool wakePosted = false;
    int liveThreads = 0;

    void Post(std::function<void()> call, std::shared_ptr<Backlog> backlog = nullptr) {
        std::lock_guard<std::mutex> lock(mutex);
        if (service == nullptr) {
            return;
        }
        if (backlog) {
            ++backlog->unconsumed;
        }
        pending.push_back({std::move(call), std::move(backlog)});
        if (!wakePosted) {
            wakePosted = true;
            QMetaObject::invokeMethod(service, "DrainReports", Qt::QueuedConnection);
        }
    }

    // Called by a query thread before it posts: waits while its backlog is full,
    // until the service's thread has caught up, the query is aborted or the service
    // has ended. Only query threads wait here, never the service's thread.
    void AwaitRoom(Backlog& backlog, const std::atomic<bool>& abort) {
        std::unique_lock<std::mutex> lock(mutex);
        if (backlog.unconsumed < kMaxUnconsumedReports) {
            return;
        }
        backlog.waiting = true;
        backlogFell.wait(lock, [&] {
            return service == nullptr || abort.load() ||
                   backlog.unconsumed <= kMaxUnconsumedReports / 2;
        });
        backlog.waiting = false;
    }

    // One report taken by Take has been carried out (or dropped).
    void Consumed(Backlog& backlog) {
        std::lock_guard<std::mutex> lock(mutex);
        --backlog.unconsumed;
        if (backlog.waiting && backlog.unconsumed <= kMaxUnconsumedReports / 2) {
            backlogFell.notify_all();
        }
    }

    // Wakes every waiting query thread to look at its abort flag or the service's end.
    void WakeWaiters() {
        std::lock_guard<std::mutex> lock(mutex);
        backlogFell.notify_all();
    }

    std::vector<Report> Take() {
        std::lock_guard<std::mutex> lock(mutex);
        wakePosted = false;
        return std::exchange(pending, {});
    }

    void ThreadEnded() {
        std::lock_guard<std::mutex> lock(mutex);
        --liveThreads;
        threadsChanged.notify_all();
    }
};

struct QueryService::Impl {
    QueryService* self = nullptr;
    ServiceOptions options;
    std::shared_ptr<ServiceChannel> channel = std::make_shared<ServiceChannel>();

    struct Queued {
        QueryId id;
        QueryRequest request;
    };
    struct Running {
        AbortFlag abort;
        std::thread thread;
        QueryOutcome outcome;
    };

    QueryId nextId = 1;
    std::deque<Queued> queue;
    std::map<QueryId, Running> running;
    // Threads of aborted queries, joined when their end is reported (or at the end).
    std::map<QueryId, std::thread> retired;
    int total = 0;   // queries queued since the last AbortAll
    int failed = 0;  // of those, ended with an error
    std::chrono::steady_clock::time_point lastStart{};
    bool everStarted = false;
    QTimer pumpTimer;
    // Reports taken from the channel and not yet carried out, oldest first. A handler
    // that runs a nested event loop (a modal box) drains again from here, so reports
    // still go out in the order they were made.
    std::deque<ServiceChannel::Report> inHand;

    AbortFlag probeAbort;
    std::thread probeThread;
    std::vector<std::pair<AbortFlag, std::thread>> retiredProbes;

    class PostedEvents;

    void Pump();
    void Start(Queued job);
    void OnFirm(QueryId id, const FirmRecord& firm);
    void OnText(QueryId id, const std::string& text);
    void OnMessage(QueryId id, const std::string& text, ServiceMessageKind kind);
    void OnListCut(QueryId id);
    void OnEnded(QueryId id, std::optional<QueryError> error, int pages, std::string pagesSha256);
    void OnProbeEnded(const ProbeResult& result, const AbortFlag& flag);
    void Finish(QueryId id, QueryOutcome outcome);
    void AbortRunning();
};

// A query thread's reports, each queued to the service's thread.
class QueryService::Impl::PostedEvents : public QueryEvents {
  public:
    PostedEvents(std::shared_ptr<ServiceChannel> channel, QueryService::Impl* impl, QueryId id,
                 AbortFlag abort)
        : channel_(std::move(channel)),
          impl_(impl),
          id_(id),
          abort_(std::move(abort)),
          backlog_(std::make_shared<Backlog>()) {}

    void Firm(const FirmRecord& firm) override {
        Post([impl = impl_, id = id_, firm] { impl->OnFirm(id, firm); });
    }
    void QueryText(const std::string& text) override {
        Post([impl = impl_, id = id_, text] { impl->OnText(id, text); });
    }
    void Message(const std::string& text, ServiceMessageKind kind) override {
        Post([impl = impl_, id = id_, text, kind] { impl->OnMessage(id, text, kind); });
    }
    void ListCut() override {
        Post([impl = impl_, id = id_] { impl->OnListCut(id); });
    }

    void Post(std::function<void()> call) {
        // An aborted query's reports would be discarded anyway: the query ends here
        // rather than scanning the rest of a page that may hold many thousand rows.
        channel_->AwaitRoom(*backlog_, *abort_);
        if (abort_->load()) {
            throw HttpError(AbortedError());
        }
        channel_->Post(std::move(call), backlog_);
    }

  private:
    std::shared_ptr<ServiceChannel> channel_;
    QueryService::Impl* impl_;  // used only on the service's thread, while it lives
    QueryId id_;
    AbortFlag abort_;
    std::shared_ptr<Backlog> backlog_;
};

void QueryService::Impl::Pump() {
    const int pool = options.poolSize > 0 ? options.poolSize : 1;
    while (!queue.empty() && static_cast<int>(running.size()) < pool) {
        const auto now = std::chrono::steady_clock::now();
        if (everStarted && options.startInterval.count() > 0) {
            const auto due = lastStart + options.startInterval;
            if (now < due) {
                if (!pumpTimer.isActive()) {
                    const auto wait =
                        std::chrono::duration_cast<std::chrono::milliseconds>(due - now);
                    pumpTimer.start(static_cast<int>(wait.count()) + 1);
                }
                return;
            }
        }
        Queued job = std::move(queue.front());
        queue.pop_front();
        lastStart = now;
        everStarted = true;
        Start(std::move(job));
    }
}

void QueryService::Impl::Start(Queued job) {
    const QueryId id = job.id;
    AbortFlag abort = std::make_shared<std::atomic<bool>>(false);
    Running& entry = running[id];
    entry.abort = abort;
    {
        std::lock_guard<std::mutex> lock(channel->mutex);
        ++channel->liveThreads;
    }
    try {
        entry.thread = std::thread([channel = channel, impl = this, id, abort,
                                    request = std::move(job.request), limits = options.limits] {
            PostedEvents events(channel, impl, id, abort);
            AnswerPages pages;
            std::optional<QueryError> error;
            try {
                RunRegisterQuery(
                    request, limits, [abort] { return abort->load(); }, events, &pages);
            } catch (const HttpError& e) {
                error = e.error();
            } catch (const std::exception& e) {
                // Anything else the exchange throws (memory, a failed conversion) ends
                // this query with its text rather than the program.
                error = QueryError{QueryErrorKind::Failed, e.what(), 0, {}};
            }
            channel->Post([impl, id, error, count = pages.count(), digest = pages.HexDigest()] {
                impl->OnEnded(id, error, count, digest);
            });
            channel->ThreadEnded();
        });
    } catch (const std::system_error& e) {
        channel->ThreadEnded();
        running.erase(id);
        QueryOutcome failedStart;
        failedStart.error = QueryError{
            QueryErrorKind::Failed, std::string("cannot start a thread: ") + e.what(), 0, {}};
        Finish(id, std::move(failedStart));
    }
}

void QueryService::Impl::OnFirm(QueryId id, const FirmRecord& firm) {
    const auto it = running.find(id);
    if (it == running.end()) {
        return;
    }
    ++it->second.outcome.firmsFound;
    emit self->firmFound(id, firm);
}

void QueryService::Impl::OnText(QueryId id, const std::string& text) {
    if (running.count(id) != 0) {
        emit self->queryTextChanged(id, text);
    }
}

void QueryService::Impl::OnMessage(QueryId id, const std::string& text, ServiceMessageKind kind) {
    const auto it = running.find(id);
    if (it == running.end()) {
        return;
    }
    ++it->second.outcome.messagesFound;
    if (kind == ServiceMessageKind::DailyLimit) {
        it->second.outcome.dailyLimit = true;
    }
    emit self->messageFound(id, text, kind);
}

void QueryService::Impl::OnListCut(QueryId id) {
    if (const auto it = running.find(id); it != running.end()) {
        it->second.outcome.listCut = true;
    }
}

void QueryService::Impl::OnEnded(QueryId id, std::optional<QueryError> error, int pages,
                                 std::string pagesSha256) {
    if (const auto old = retired.find(id); old != retired.end()) {
        old->second.join();  // it has posted its last report and is ending
        retired.erase(old);
        return;
    }
    const auto it = running.find(id);
    if (it == running.end()) {
        return;
    }
    it->second.thread.join();
    QueryOutcome outcome = it->second.outcome;
    outcome.error = std::move(error);
    outcome.pages = pages;
    outcome.pagesSha256 = std::move(pagesSha256);
    running.erase(it);
    Finish(id, std::move(outcome));
}

// Reports one ended query, starts the next ones, and announces the end of all.
void QueryService::Impl::Finish(QueryId id, QueryOutcome outcome) {
    if (!outcome.ok()) {
        ++failed;
    }
    // The next queries start before the end is reported, so that a handler that looks
    // at Pending sees them.
    Pump();
    QPointer<QueryService> alive(self);
    emit self->queryFinished(id, outcome);
    if (alive.isNull()) {
        return;
    }
    if (queue.empty() && running.empty() && total > 0) {
        const int failedNow = failed;
        const int totalNow = total;
        failed = 0;
        total = 0;
        emit self->allFinished(failedNow, totalNow);
    }
}

void QueryService::Impl::AbortRunning() {
    for (auto& [id, entry] : running) {
        entry.abort->store(true);
        if (entry.thread.joinable()) {
            retired.emplace(id, std::move(entry.thread));
        }
    }
    running.clear();
    channel->WakeWaiters();
}

void QueryService::Impl::OnProbeEnded(const ProbeResult& result, const AbortFlag& flag) {
    if (flag != probeAbort) {
        // An abandoned probe: its thread has posted this and is ending.
        for (auto it = retiredProbes.begin(); it != retiredProbes.end(); ++it) {
            if (it->first == flag) {
                it->second.join();
                retiredProbes.erase(it);
                break;
            }
        }
        return;
    }
    probeThread.join();
    probeAbort.reset();
    emit self->probeFinished(result);
}

QueryService::QueryService(ServiceOptions options, QObject* parent)
    : QObject(parent), impl_(std::make_unique<Impl>()) {
    impl_->self = this;
    impl_->options = options;
    impl_->channel->service = this;
    impl_->pumpTimer.setSingleShot(true);
    connect(&impl_->pumpTimer, &QTimer::timeout, this, [this] { impl_->Pump(); });
}

QueryService::~QueryService() {
    {
        std::lock_guard<std::mutex> lock(impl_->channel->mutex);
        impl_->channel->service = nullptr;
        impl_->channel->backlogFell.notify_all();
    }
    if (!Shutdown(kEndWait)) {
        // A thread still running holds only the shared channel and its own copies; it
        // ends at its next abort check, sends nothing more and reports to nobody.
        for (auto& [id, thread] : impl_->retired) {
            thread.detach();
        }
        for (auto& [flag, thread] : impl_->retiredProbes) {
            thread.detach();
        }
    }
}

bool QueryService::Shutdown(std::chrono::milliseconds wait) {
    Impl& d = *impl_;
    AbortAll();
    AbortProbe();
    bool allEnded = false;
    {
        std::unique_lock<std::mutex> lock(d.channel->mutex);
        allEnded = d.channel->threadsChanged.wait_for(lock, wait,
                                                      [&] { return d.channel->liveThreads == 0; });
    }
    if (allEnded) {
        for (auto& [id, thread] : d.retired) {
            thread.join();
        }
        d.retired.clear();
        for (auto& [flag, thread] : d.retiredProbes) {
            thread.join();
        }
        d.retiredProbes.clear();
    }
    return allEnded;
}

void QueryService::DrainReports() {
    const QPointer<QueryService> alive(this);
    const std::shared_ptr<ServiceChannel> channel = impl_->channel;
    for (ServiceChannel::Report& taken : channel->Take()) {
        impl_->inHand.push_back(std::move(taken));
    }
    while (!impl_->inHand.empty()) {
        ServiceChannel::Report report = std::move(impl_->inHand.front());
        impl_->inHand.pop_front();
        report.call();
        if (report.backlog) {
            channel->Consumed(*report.backlog);
        }
        if (alive.isNull()) {
            // A handler ended the service; the rest have nobody to go to. Their query
            // threads no longer wait (the service's end woke them), so nothing counts.
            return;
        }
    }
}

QueryId QueryService::Enqueue(QueryRequest request) {
    const QueryId id = impl_->nextId++;
    impl_->queue.push_back({id, std::move(request)});
    ++impl_->total;
    impl_->Pump();
    return id;
}

void QueryService::AbortAll() {
    impl_->queue.clear();
    impl_->pumpTimer.stop();
    impl_->AbortRunning();
    impl_->total = 0;
    impl_->failed = 0;
}

std::vector<QueryId> QueryService::DropQueued() {
    std::vector<QueryId> dropped;
    for (const Impl::Queued& job : impl_->queue) {
        dropped.push_back(job.id);
    }
    impl_->queue.clear();
    impl_->pumpTimer.stop();
    impl_->total -= static_cast<int>(dropped.size());
    if (!dropped.empty() && impl_->running.empty()) {
        const int failedNow = impl_->failed;
        const int totalNow = impl_->total;
        impl_->failed = 0;
        impl_->total = 0;
        emit allFinished(failedNow, totalNow);
    }
    return dropped;
}

int QueryService::Pending() const {
    return static_cast<int>(impl_->queue.size() + impl_->running.size());
}

bool QueryService::StartProbe(ProbeOptions options) {
    Impl& d = *impl_;
    if (d.probeAbort) {
        return false;
    }
    AbortFlag flag = std::make_shared<std::atomic<bool>>(false);
    options.aborted = [flag] { return flag->load(); };
    {
        std::lock_guard<std::mutex> lock(d.channel->mutex);
        ++d.channel->liveThreads;
    }
    try {
        d.probeThread = std::thread([channel = d.channel, impl = impl_.get(), flag, options] {
            const ProbeResult result = Probe(options);
            channel->Post([impl, result, flag] { impl->OnProbeEnded(result, flag); });
            channel->ThreadEnded();
        });
    } catch (const std::system_error& e) {
        d.channel->ThreadEnded();
        ProbeResult result;
        result.error = QueryError{
            QueryErrorKind::Failed, std::string("cannot start a thread: ") + e.what(), 0, {}};
        emit probeFinished(result);
        return true;
    }
    d.probeAbort = std::move(flag);
    return true;
}

bool QueryService::Probing() const {
    return impl_->probeAbort != nullptr;
}

void QueryService::AbortProbe() {
    Impl& d = *impl_;
    if (!d.probeAbort) {
        return;
    }
    d.probeAbort->store(true);
    d.retiredProbes.emplace_back(d.probeAbort, std::move(d.probeThread));
    d.probeAbort.reset();
}

}  // namespace lookup
