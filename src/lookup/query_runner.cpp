#include "lookup/query_runner.h"

#include <algorithm>
#include <vector>

#include "lookup/answer_rules.h"
#include "lookup/page_scanner.h"
#include "lookup/service_messages.h"

namespace lookup {
namespace {

class ScanToEvents : public ScanOutput {
  public:
    explicit ScanToEvents(QueryEvents& out) : out_(out) {}
    void Deliver(const FirmRecord& firm) override { out_.Firm(firm); }
    void SetQueryText(const std::string& text) override { out_.QueryText(text); }

  private:
    QueryEvents& out_;
};

// Each result page is scanned on its own, so that a page's rows are read once. The
// stop text is looked for in the answer and every page fetched so far; of what came
// before a page only the last few bytes are kept for that (the text may straddle two
// pages), so a query holds one page at a time instead of all of them. More pages than
// the limit allows end the query with an error after the allowed ones were read.
void FetchResultPages(HttpSession& http, const std::string& root, std::string& html,
                      ScanState& state, ScanOutput& out, const std::function<void()>& next) {
    const std::string stopText = kStopText;
    const std::size_t keep = stopText.size() - 1;
    const std::vector<std::string> urls = ResultPageUrls(html, root);
    const int maxPages = std::max(http.limits().maxResultPages, 0);
    std::string before = std::move(html);  // at first the whole answer
    html.clear();
    int followed = 0;
    // One buffer for every page, reserved up front for the largest answer the session
    // may receive: growing it by doubling would copy a big page and briefly hold it
    // one and a half times, while room reserved and never written costs no memory.
    std::string page;
    if (!urls.empty()) {
        page.reserve(http.limits().maxBodyBytes);
    }
    for (const std::string& url : urls) {
        if (followed == maxPages) {
            throw HttpError(TooManyResultPagesError());
        }
        ++followed;
        http.SetReferer(url);
        next();
        page.clear();
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
        ParseResultPage(page, state, out);
    }
}

}  // namespace

ServiceMessageKind MessageKindOf(const std::string& answer) {
    static constexpr ServiceMessageKind kKinds[] = {
        ServiceMessageKind::DailyLimit, ServiceMessageKind::NotFound, ServiceMessageKind::Error,
        ServiceMessageKind::FoundNone};
    const auto& messages = ServiceMessages();
    for (std::size_t i = 0; i < messages.size() && i < std::size(kKinds); ++i) {
        if (answer.find(messages[i].text) != std::string::npos) {
            return kKinds[i];
        }
    }
    return ServiceMessageKind::Other;
}

void RunRegisterQuery(const QueryRequest& request, const HttpLimits& limits,
                      std::function<bool()> aborted, QueryEvents& out) {
    const std::string& root = request.serviceRoot;
    // Checked before each request as well: a transfer sends its request before its
    // first abort check, and an aborted query must not send another one.
    const std::function<bool()> abortedNow = aborted;
    const auto next = [&abortedNow] {
        if (abortedNow && abortedNow()) {
            throw HttpError(AbortedError());
        }
    };
    HttpSession http(HostOfRoot(root), request.proxy, std::move(aborted), limits);
    ScanToEvents scanOut(out);
    ScanState state;
    state.criteria = request.criteria;
    state.queryText = request.nodeText;

    // The search page, for the service's cookies; its text is not needed.
    next();
    http.Get(root + "/fns/", nullptr);

    http.SetReferer(root + "/fns/");
    http.UseFormContentType();
    std::string html;
    next();
    http.Post(root + "/fns/g.php", SearchFormBody(request.criteria), &html);

    switch (DecideRule(html)) {
        case AnswerRule::ResultPages:
            FetchResultPages(http, root, html, state, scanOut, next);
            break;
        case AnswerRule::ServiceMessage:
            if (const auto text = ServiceMessageNode(html)) {
                out.Message(*text, MessageKindOf(html));
            }
            break;
        case AnswerRule::EntryPage:
            if (const auto link = EntryLink(html)) {
                http.SetReferer(root + "/fns/g.php");
                next();
                http.Get(root + "/fns/" + *link, &html);
                ParseResultPage(html, state, scanOut);
            }
            break;
        case AnswerRule::ScanAnswer:
            ParseResultPage(html, state, scanOut);
            break;
        case AnswerRule::Nothing:
            break;
    }
}

}  // namespace lookup
