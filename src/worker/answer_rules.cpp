#include "worker/answer_rules.h"

#include <QString>
#include <array>
#include <unordered_set>

#include "platform/cp1251.h"

namespace worker {
namespace {

constexpr std::string_view kResultLink = "href=\"/fns/g.php?q=";
constexpr std::string_view kEntryLink = "href=\"g.php?o=";
constexpr std::string_view kAnswerEntryLink = "href=\"/fns/g.php?o=";
constexpr std::string_view kRegionEnd = "=\"Link1\">";

// The service's own refusals and empty results, in the order they are tried.
// The last one's node also shows the answer's first list item.
const std::array<std::string, 4>& ServiceMessages() {
    static const std::array<std::string, 4> messages = {
        platform::ToCp1251(QString::fromUtf8("На сегодняшний день Ваш лимит запросов исчерпан")),
        platform::ToCp1251(QString::fromUtf8("Записей не найдено")),
        platform::ToCp1251(QString::fromUtf8("Ошибка:")),
        platform::ToCp1251(QString::fromUtf8("Найдено:0")),
    };
    return messages;
}

bool Contains(std::string_view text, std::string_view what) {
    return text.find(what) != std::string_view::npos;
}

// 1-based position of the first occurrence, 0 when absent.
long long Pos(std::string_view text, std::string_view what) {
    const size_t at = text.find(what);
    return at == std::string_view::npos ? 0 : static_cast<long long>(at) + 1;
}

// The first list item's text: from (first "<li>") + 4, (first "</li>") - (first "<li>")
// - 5 characters, a missing tag counting as position 0.
std::string FirstListItem(std::string_view answer) {
    const long long open = Pos(answer, "<li>");
    const long long close = Pos(answer, "</li>");
    const long long from = open + 4;
    const long long count = close - open - 5;
    if (count <= 0 || static_cast<size_t>(from - 1) >= answer.size())
        return {};
    return std::string(answer.substr(static_cast<size_t>(from - 1), static_cast<size_t>(count)));
}

}  // namespace

const char* const kStopText =
    "It is recommended to specify a search query, indicating more accurate";

AnswerRule DecideRule(std::string_view answer) {
    if (Contains(answer, kResultLink))
        return AnswerRule::ResultPages;
    for (const std::string& m : ServiceMessages())
        if (Contains(answer, m))
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
    const auto& messages = ServiceMessages();
    for (size_t i = 0; i < messages.size(); ++i) {
        if (!Contains(answer, messages[i]))
            continue;
        if (i + 1 < messages.size())
            return messages[i];
        return messages[i] + " " + FirstListItem(answer);
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

}  // namespace worker
