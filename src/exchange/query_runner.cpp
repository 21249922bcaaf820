#include "exchange/query_runner.h"

#include <algorithm>
#include <string_view>
#include <vector>

#include "config/default_addresses.h"
#include "pages/answer_rules.h"
#include "pages/page_scanner.h"
#include "pages/service_messages.h"

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

// Whether the stop text ends somewhere in what has arrived: the last bytes of what came
// before (the text may straddle two chunks or two pages) are kept for that.
class StopWatch {
  public:
    explicit StopWatch(std::string_view start) : stop_(kStopText) { Seen(start); }

    bool Seen(std::string_view chunk) {
        const std::size_t keep = stop_.size() - 1;
        std::string joined = tail_;
        joined.append(chunk.substr(0, std::min(chunk.size(), keep)));
        const bool found =
            joined.find(stop_) != std::string::npos || chunk.find(stop_) != std::string_view::npos;
        if (chunk.size() >= keep) {
            tail_.assign(chunk.substr(chunk.size() - keep));
        } else {
            tail_ = joined.size() > keep ? joined.substr(joined.size() - keep) : joined;
        }
        return found;
    }

  private:
    std::string_view stop_;
    std::string tail_;
};

// The scanner's result for one page: more rows than a page may hold, or none that
// makes a firm, fails the query.
void CheckPage(const PageScan& scan) {
    if (scan.tooManyRows) {
        throw HttpError(TooManyRowsError(kMaxRowsPerPage));
    }
    if (scan.firms == 0) {
        throw HttpError(UnrecognisedAnswerError());
    }
}

// Each result page is scanned as its bytes arrive, so a query holds only the row not
// yet complete, never a whole page. The stop text, looked for in the answer and in
// every page, ends the query at the point where it is seen; true then. More pages than
// the limit allows end the query with an error after the allowed ones were read.
bool FetchResultPages(HttpSession& http, const std::string& root, std::string& html,
                      ScanState& state, ScanOutput& out, const std::function<void()>& next,
                      AnswerPages& pages) {
    const std::vector<std::string> urls = ResultPageUrls(html, root);
    if (urls.empty()) {
        throw HttpError(UnrecognisedAnswerError());
    }
    const int maxPages = std::max(http.limits().maxResultPages, 0);
    StopWatch stop(html);
    if (html.find(kStopText) != std::string::npos) {
        return true;
    }
    std::string().swap(html);
    int followed = 0;
    for (const std::string& url : urls) {
        if (followed == maxPages) {
            throw HttpError(TooManyResultPagesError());
        }
        ++followed;
        http.SetReferer(url);
        next();
        PageScanner scanner(state, out);
        bool stopped = false;
        pages.Begin();
        const HttpSession::BodySink sink = [&](std::string_view chunk) {
            pages.Add(chunk);
            if (stop.Seen(chunk)) {
                stopped = true;
                return false;
            }
            if (!scanner.Feed(chunk)) {
                throw HttpError(TooManyRowsError(kMaxRowsPerPage));
            }
            return true;
        };
        http.Get(url, sink);
        if (stopped) {
            return true;
        }
        CheckPage(scanner.Finish());
    }
    return false;
}

// The entry page is read behind the answer and the two are scanned as one text: a name
// search whose answer holds a result table of its own takes that table's rows, and a
// number search the row after the first heading in either. Only the entry page's own
// bytes are a new page.
void FetchEntryPage(HttpSession& http, const std::string& root, std::string& html, ScanState& state,
                    ScanOutput& out, const std::function<void()>& next, AnswerPages& pages) {
    const auto link = EntryLink(html);
    if (!link) {
        throw HttpError(UnrecognisedAnswerError());
    }
    http.SetReferer(root + "/fns/g.php");
    next();
    const std::size_t answerBytes = html.size();
    http.Get(root + "/fns/" + *link, &html);
    pages.Begin();
    pages.Add(std::string_view(html).substr(answerBytes));
    CheckPage(ParseResultPage(html, state, out));
}

}  // namespace

void AnswerPages::Add(std::string_view bytes) {
    hash_.addData(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
}

std::string AnswerPages::HexDigest() const {
    if (count_ == 0) {
        return {};
    }
    return hash_.resultView().toByteArray().toHex().toStdString();
}

void RunRegisterQuery(const QueryRequest& request, const HttpLimits& limits,
                      std::function<bool()> aborted, QueryEvents& out, AnswerPages* pages) {
    AnswerPages unused;
    AnswerPages& read = pages != nullptr ? *pages : unused;
    const std::string& root = request.serviceRoot;
    // Checked before each request as well: a transfer sends its request before its
    // first abort check, and an aborted query must not send another one.
    const std::function<bool()> abortedNow = aborted;
    const auto next = [&abortedNow] {
        if (abortedNow && abortedNow()) {
            throw HttpError(AbortedError());
        }
    };
    HttpSession http(config::HostOfRoot(root), request.proxy, std::move(aborted), limits);
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
    read.Begin();
    read.Add(html);

    switch (DecideRule(html)) {
        case AnswerRule::ResultPages:
            if (FetchResultPages(http, root, html, state, scanOut, next, read)) {
                out.ListCut();
            }
            break;
        case AnswerRule::ServiceMessage:
            if (const auto text = ServiceMessageNode(html)) {
                out.Message(*text, ServiceMessageKindOf(html));
            }
            break;
        case AnswerRule::EntryPage:
            FetchEntryPage(http, root, html, state, scanOut, next, read);
            break;
        case AnswerRule::ScanAnswer:
            CheckPage(ParseResultPage(html, state, scanOut));
            break;
        case AnswerRule::Nothing:
            // A page the register does not serve as an answer (a notice that the
            // service is down, a stranger's page): nothing in it can be trusted.
            throw HttpError(UnrecognisedAnswerError());
    }
}

}  // namespace lookup
