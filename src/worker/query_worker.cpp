#include "worker/query_worker.h"

#include <QString>
#include <algorithm>
#include <atomic>
#include <optional>
#include <vector>

#include "platform/cp1251.h"
#include "worker/answer_rules.h"
#include "worker/form_encoding.h"
#include "worker/http_session.h"
#include "worker/page_scanner.h"
#include "worker/worker_registry.h"

namespace worker {

std::string DefaultServiceRoot() {
    return std::string("http://") + VENDRAKE_SERVICE_HOST;
}

struct QueryWorker::Impl : ScanOutput {
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

    void Deliver(const FirmRecord& firm) override { AddResultNode(firm.name, kFirmIcon, firm); }

    void SetQueryText(const std::string& text) override {
        if (!Aborted()) {
            sink->SetNodeText(parent, text);
        }
    }

    void RunQuery(ScanState& state);
    void FetchResultPages(HttpSession& http, std::string& html, ScanState& state);
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
        ScanState state;
        state.criteria = criteria;
        state.queryText = queryText;
        d.RunQuery(state);
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

void QueryWorker::Impl::RunQuery(ScanState& state) {
    HttpSession http(
        HostOfRoot(root), proxy, [this] { return Aborted(); }, limits);

    // The search page, for the service's cookies; its text is not needed.
    http.Get(root + "/fns/", nullptr);

    http.SetReferer(root + "/fns/");
    http.UseFormContentType();
    std::string html;
    const SearchCriteria& c = state.criteria;
    const QString form = platform::FromCp1251(c.name + c.address + c.region + c.date + c.number) +
                         QStringLiteral("&action=Искать");
    const std::string body = platform::ToCp1251(EncodeFormText(form));
    http.Post(root + "/fns/g.php", body, &html);
    state.rowsRead = 0;

    switch (DecideRule(html)) {
        case AnswerRule::ResultPages:
            FetchResultPages(http, html, state);
            break;
        case AnswerRule::ServiceMessage:
            if (const auto text = ServiceMessageNode(html)) {
                AddResultNode(*text, kMessageIcon, std::nullopt);
            }
            break;
        case AnswerRule::EntryPage:
            if (const auto link = EntryLink(html)) {
                http.SetReferer(root + "/fns/g.php");
                http.Get(root + "/fns/" + *link, &html);
                ParseResultPage(html, state, *this);
            }
            break;
        case AnswerRule::ScanAnswer:
            ParseResultPage(html, state, *this);
            break;
        case AnswerRule::Nothing:
            break;
    }
}

// Each result page is scanned on its own, so that a page's rows are read once. The
// stop text is looked for in the answer and every page fetched so far; of what came
// before a page only the last few bytes are kept for that (the text may straddle two
// pages), so a query holds one page at a time instead of all of them.
void QueryWorker::Impl::FetchResultPages(HttpSession& http, std::string& html, ScanState& state) {
    const std::string stopText = kStopText;
    const std::size_t keep = stopText.size() - 1;
    const std::vector<std::string> urls = ResultPageUrls(html, root);
    std::string before = std::move(html);  // at first the whole answer
    html.clear();
    for (const std::string& url : urls) {
        http.SetReferer(url);
        std::string page;
        http.Get(url, &page);
        before.append(page, 0, std::min(page.size(), keep));
        if (before.find(stopText) != std::string::npos ||
            page.find(stopText) != std::string::npos) {
            return;
        }
        if (page.size() >= keep) {
            before.assign(page, page.size() - keep, keep);
        } else if (before.size() > keep) {
            before.erase(0, before.size() - keep);
        }
        before.shrink_to_fit();
        ParseResultPage(page, state, *this);
    }
}

bool ShutdownWorkers(std::chrono::milliseconds wait) {
    return ShutdownRegistry(wait);
}

bool WaitForWorkers(std::chrono::milliseconds wait) {
    return WaitRegistryIdle(wait);
}

}  // namespace worker
