#include "batch/register_lookup.h"

#include <QString>
#include <algorithm>

#include "platform/cp1251.h"
#include "worker/answer_rules.h"
#include "worker/batch_queue.h"
#include "worker/form_encoding.h"
#include "worker/page_scanner.h"

namespace batch {
namespace {

// Passes the scanner's rows on to the line's events.
class EventsOutput : public worker::ScanOutput {
  public:
    explicit EventsOutput(LineEvents& events) : events_(events) {}
    void Deliver(const worker::FirmRecord& firm) override { events_.Firm(firm); }
    void SetQueryText(const std::string& text) override { events_.QueryText(text); }

  private:
    LineEvents& events_;
};

// The result pages one at a time; the stop text may straddle two pages, so the last
// few bytes of what came before are kept to look for it.
void FetchResultPages(worker::HttpSession& http, const std::string& root, std::string& answer,
                      worker::ScanState& state, EventsOutput& out) {
    const std::string stopText = worker::kStopText;
    const std::size_t keep = stopText.size() - 1;
    const std::vector<std::string> urls = worker::ResultPageUrls(answer, root);
    std::string before = std::move(answer);
    answer.clear();
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
        worker::ParseResultPage(page, state, out);
    }
}

}  // namespace

RegisterLookup::RegisterLookup(std::string serviceRoot, worker::ProxySettings proxy,
                               std::string hint, worker::HttpLimits limits)
    : root_(std::move(serviceRoot)),
      proxy_(std::move(proxy)),
      hint_(std::move(hint)),
      limits_(limits) {}

LookupOutcome RegisterLookup::Run(const std::string& line, LineEvents& events,
                                  const std::atomic<bool>& abort) {
    EventsOutput out(events);
    try {
        worker::HttpSession http(
            worker::HostOfRoot(root_), proxy_, [&abort] { return abort.load(); }, limits_);
        http.Get(root_ + "/fns/", nullptr);
        http.SetReferer(root_ + "/fns/");
        http.UseFormContentType();

        worker::ScanState state;
        state.criteria = worker::BatchCriteria(line);
        state.queryText = worker::BatchQueryText(line);
        const worker::SearchCriteria& c = state.criteria;
        const QString form =
            platform::FromCp1251(c.name + c.address + c.region + c.date + c.number) +
            QStringLiteral("&action=Искать");
        std::string html;
        http.Post(root_ + "/fns/g.php", platform::ToCp1251(worker::EncodeFormText(form)), &html);

        switch (worker::DecideRule(html)) {
            case worker::AnswerRule::ResultPages:
                FetchResultPages(http, root_, html, state, out);
                break;
            case worker::AnswerRule::ServiceMessage:
                if (const auto text = worker::ServiceMessageNode(html)) {
                    events.Message(*text);
                }
                break;
            case worker::AnswerRule::EntryPage:
                if (const auto link = worker::EntryLink(html)) {
                    http.SetReferer(root_ + "/fns/g.php");
                    http.Get(root_ + "/fns/" + *link, &html);
                    worker::ParseResultPage(html, state, out);
                }
                break;
            case worker::AnswerRule::ScanAnswer:
                worker::ParseResultPage(html, state, out);
                break;
            case worker::AnswerRule::Nothing:
                break;
        }
    } catch (const worker::HttpError& e) {
        if (e.kind() == worker::QueryErrorKind::Aborted || abort.load()) {
            return {LookupEnd::Aborted, e.what()};
        }
        return {LookupEnd::Failed, hint_.empty() ? e.what() : std::string(e.what()) + hint_};
    }
    if (abort.load()) {
        return {LookupEnd::Aborted, "aborted"};
    }
    return {};
}

}  // namespace batch
