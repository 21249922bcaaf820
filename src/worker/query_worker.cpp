#include "worker/query_worker.h"

#include <atomic>
#include <optional>
#include <vector>

#include "worker/http_session.h"
#include "worker/query_runner.h"
#include "worker/worker_registry.h"

namespace worker {

struct QueryWorker::Impl : QueryEvents {
    std::shared_ptr<ResultSink> sink;
    std::string root;
    ProxySettings proxy;
    HttpLimits limits;
    const std::atomic<bool>* abort = nullptr;
    NodeHandle parent = 0;

    bool Aborted() const { return abort != nullptr && abort->load(); }

    // One delivery under the query node; none once the program ends.
    void AddResultNode(const std::string& text, int imageIndex,
                       const std::optional<FirmRecord>& record) {
        if (!Aborted()) {
            sink->AddResultNode(parent, text, imageIndex, record);
        }
    }

    void Firm(const FirmRecord& firm) override { AddResultNode(firm.name, kFirmIcon, firm); }
    void Message(const std::string& text, ServiceMessageKind) override {
        AddResultNode(text, kMessageIcon, std::nullopt);
    }
    void QueryText(const std::string& text) override {
        if (!Aborted()) {
            sink->SetNodeText(parent, text);
        }
    }
};

QueryWorker::QueryWorker(std::shared_ptr<ResultSink> sink, std::string serviceRoot,
                         ProxySettings proxy, HttpLimits limits)
    : impl_(std::make_unique<Impl>()) {
    impl_->limits = limits;
    impl_->sink = std::move(sink);
    impl_->root = std::move(serviceRoot);
    impl_->proxy = std::move(proxy);
}

QueryWorker::~QueryWorker() = default;

void QueryWorker::Start(std::unique_ptr<QueryWorker> worker) {
    std::shared_ptr<QueryWorker> holder(std::move(worker));
    LaunchWorkerThread([holder](const std::atomic<bool>& abort) mutable {
        std::shared_ptr<QueryWorker> self = std::move(holder);
        self->impl_->abort = &abort;
        self->Run();
    });
}

void QueryWorker::Run() {
    Impl& d = *impl_;
    d.parent = queryNode;
    bool ok = true;
    bool counted = false;
    try {
        d.sink->ChangeThreadCount(+1);
        counted = true;
        QueryRequest request;
        request.criteria = criteria;
        request.nodeText = queryText;
        request.serviceRoot = d.root;
        request.proxy = d.proxy;
        RunRegisterQuery(
            request, d.limits, [&d] { return d.Aborted(); }, d);
    } catch (...) {
        // Any error ends the exchange; what was delivered stays, and the sink hears of
        // the failure through QueryEnded below.
        ok = false;
    }
    // Nothing may escape the thread body, or the program would end. A sink that fails
    // while being told of the end has nobody left to report to, so those failures
    // are dropped.
    try {
        d.sink->QueryEnded(queryNode, ok);
    } catch (...) {
    }
    try {
        if (counted) {
            d.sink->ChangeThreadCount(-1);
        }
    } catch (...) {
    }
}

bool ShutdownWorkers(std::chrono::milliseconds wait) {
    return ShutdownRegistry(wait);
}

bool WaitForWorkers(std::chrono::milliseconds wait) {
    return WaitRegistryIdle(wait);
}

}  // namespace worker
