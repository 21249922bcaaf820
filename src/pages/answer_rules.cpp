#include "pages/answer_rules.h"

#include <unordered_set>

#include "pages/service_messages.h"

namespace lookup {
namespace {

constexpr std::string_view kResultLink = "href=\"/fns/g.php?q=";
constexpr std::string_view kEntryLink = "href=\"g.php?o=";
constexpr std::string_view kAnswerEntryLink = "href=\"/fns/g.php?o=";
constexpr std::string_view kRegionEnd = "=\"Link1\">";

bool Contains(std::string_view text, std::string_view what) {
    return text.find(what) != std::string_view::npos;
}

// The first list item's text: from four bytes past the first "<li>" up to one byte
// before the first "</li>". Without "<li>" the text is read as if the tag began one
// byte before the answer; without "</li>" there is none.
std::string FirstListItem(std::string_view answer) {
    const size_t open = answer.find("<li>");
    const size_t close = answer.find("</li>");
    const size_t from = open == std::string_view::npos ? 3 : open + 4;
    if (close == std::string_view::npos || close <= from + 1 || from >= answer.size())
        return {};
    return std::string(answer.substr(from, close - from - 1));
}

}  // namespace

const char* const kStopText =
    "It is recommended to specify a search query, indicating more accurate";

AnswerRule DecideRule(std::string_view answer) {
    if (Contains(answer, kResultLink))
        return AnswerRule::ResultPages;
    for (const ServiceMessage& m : ServiceMessages())
        if (Contains(answer, m.text))
            return AnswerRule::ServiceMessage;
    if (Contains(answer, kEntryLink))
        return AnswerRule::EntryPage;
    if (Contains(answer, kAnswerEntryLink))
        return AnswerRule::ScanAnswer;
    return AnswerRule::Nothing;
}

std::vector<std::string> ResultPageUrls(std::string_view answer, const std::string& serviceRoot) {
    std::vector<std::string> urls;
    const size_t first = answer.find(kResultLink);
    const size_t end = answer.find(kRegionEnd);
    if (first == std::string_view::npos || end == std::string_view::npos || end < first)
        return urls;
    std::string_view region = answer.substr(first, end - first);
    std::unordered_set<std::string_view> seen;
    while (!region.empty()) {
        // The region starts with a link here.
        region.remove_prefix(6);  // href="
        const size_t quote = region.find('"');
        if (quote == std::string_view::npos)
            break;  // a link left open: no page to fetch
        const std::string_view path = region.substr(0, quote);
        if (seen.insert(path).second)
            urls.push_back(serviceRoot + std::string(path));
        region.remove_prefix(quote + 1);
        const size_t next = region.find(kResultLink);
        if (next == std::string_view::npos)
            break;
        region.remove_prefix(next);
    }
    return urls;
}

std::optional<std::string> ServiceMessageNode(std::string_view answer) {
    for (const ServiceMessage& m : ServiceMessages()) {
        if (!Contains(answer, m.text))
            continue;
        if (!m.withFirstListItem)
            return m.text;
        return m.text + " " + FirstListItem(answer);
    }
    return std::nullopt;
}

std::optional<std::string> EntryLink(std::string_view answer) {
    const size_t at = answer.find(kEntryLink);
    if (at == std::string_view::npos)
        return std::nullopt;
    const size_t from = at + 6;  // past href="
    const size_t quote = answer.find('"', from);
    if (quote == std::string_view::npos)
        return std::nullopt;  // a link left open
    return std::string(answer.substr(from, quote - from));
}

}  // namespace lookup
