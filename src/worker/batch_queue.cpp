#include "worker/batch_queue.h"

#include <deque>
#include <functional>
#include <mutex>
#include <utility>
#include <vector>

#include "worker/query_worker.h"

namespace worker {

SearchCriteria BatchCriteria(const std::string& line) {
    SearchCriteria criteria;
    const bool number =
        line.size() >= 2 && line[0] >= '0' && line[0] <= '9' && line[1] >= '0' && line[1] <= '9';
    if (number) {
        criteria.name = "name=";
        criteria.number = "&num=" + line;
    } else {
        criteria.name = "name=" + line;
        criteria.number = "&num=";
    }
    criteria.address = "&adr=";
    criteria.region = "&region=\xC2\xF1\xE5 \xF0\xE5\xE3\xE8\xEE\xED\xFB";  // "Все регионы"
    criteria.date = "&date=";
    return criteria;
}

std::string BatchQueryText(const std::string& line) {
    return line + ", records found: %d";
}

struct BatchQueue::Impl : std::enable_shared_from_this<BatchQueue::Impl> {
    std::shared_ptr<ResultSink> sink;
    std::string root;
    ProxySettings proxy;
    int maxWorkers = 4;
    HttpLimits limits;

    std::mutex mutex;
    std::deque<std::pair<NodeHandle, std::string>> pending;
    int running = 0;
    bool holding = false;  // the queue's own +1 on the sink's thread count
    bool closed = false;   // the queue object is gone: start nothing new

    void Pump();
    void WorkerEnded();
};

namespace {

// Passes a worker's calls on to the batch's sink and tells the queue when the worker
// has ended, so that the next line can start before the count could reach 0.
class QueueSink : public ResultSink {
  public:
    QueueSink(std::shared_ptr<ResultSink> target, std::function<void()> ended)
        : target_(std::move(target)), ended_(std::move(ended)) {}

    void ChangeThreadCount(int delta) override {
        target_->ChangeThreadCount(delta);
        if (delta < 0) {
            ended_();
        }
    }
    void AddResultNode(NodeHandle queryNode, const std::string& text, int imageIndex,
                       const std::optional<FirmRecord>& record) override {
        target_->AddResultNode(queryNode, text, imageIndex, record);
    }
    void SetNodeText(NodeHandle node, const std::string& text) override {
        target_->SetNodeText(node, text);
    }
    void QueryEnded(NodeHandle queryNode, bool ok) override { target_->QueryEnded(queryNode, ok); }

  private:
    std::shared_ptr<ResultSink> target_;
    std::function<void()> ended_;
};

}  // namespace

void BatchQueue::Impl::Pump() {
    std::vector<std::pair<NodeHandle, std::string>> toStart;
    bool release = false;
    {
        std::lock_guard<std::mutex> lock(mutex);
        if (closed) {
            pending.clear();
        }
        while (running < maxWorkers && !pending.empty()) {
            toStart.push_back(std::move(pending.front()));
            pending.pop_front();
            ++running;
        }
        if (holding && running == 0 && pending.empty()) {
            holding = false;
            release = true;
        }
    }
    // Each worker keeps the queue's state alive until it has reported its end, so the
    // queue's own hold on the thread count is released even after the queue is gone.
    std::shared_ptr<Impl> self = shared_from_this();
    for (auto& [node, line] : toStart) {
        auto queueSink = std::make_shared<QueueSink>(sink, [self] { self->WorkerEnded(); });
        auto w = std::make_unique<QueryWorker>(queueSink, root, proxy, limits);
        w->criteria = BatchCriteria(line);
        w->queryNode = node;
        w->queryText = BatchQueryText(line);
        try {
            QueryWorker::Start(std::move(w));
        } catch (...) {
            // No thread: the line counts as ended with an error.
            sink->QueryEnded(node, false);
            WorkerEnded();
        }
    }
    if (release) {
        sink->ChangeThreadCount(-1);
    }
}

void BatchQueue::Impl::WorkerEnded() {
    {
        std::lock_guard<std::mutex> lock(mutex);
        --running;
    }
    Pump();
}

BatchQueue::BatchQueue(std::shared_ptr<ResultSink> sink, std::string serviceRoot,
                       ProxySettings proxy, int maxWorkers, HttpLimits limits)
    : impl_(std::make_shared<Impl>()) {
    impl_->limits = limits;
    impl_->sink = std::move(sink);
    impl_->root = std::move(serviceRoot);
    impl_->proxy = std::move(proxy);
    impl_->maxWorkers = maxWorkers > 0 ? maxWorkers : 1;
}

// Lines not yet started are dropped; the running ones end on their own.
BatchQueue::~BatchQueue() {
    {
        std::lock_guard<std::mutex> lock(impl_->mutex);
        impl_->closed = true;
        impl_->pending.clear();
    }
    impl_->Pump();
}

void BatchQueue::Add(NodeHandle node, const std::string& line) {
    bool hold = false;
    {
        std::lock_guard<std::mutex> lock(impl_->mutex);
        if (impl_->closed) {
            return;
        }
        impl_->pending.emplace_back(node, line);
        if (!impl_->holding) {
            impl_->holding = true;
            hold = true;
        }
    }
    if (hold) {
        impl_->sink->ChangeThreadCount(+1);
    }
    impl_->Pump();
}

}  // namespace worker
