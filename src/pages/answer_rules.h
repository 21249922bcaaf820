// Decisions on the answer to the search form: which rule applies, the result-page
// links, the service message, the entry link.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lookup {

enum class AnswerRule { ResultPages, ServiceMessage, EntryPage, ScanAnswer, Nothing };

AnswerRule DecideRule(std::string_view answer);

// Distinct result-page URLs (service root + href path) in order of first appearance.
std::vector<std::string> ResultPageUrls(std::string_view answer, const std::string& serviceRoot);

// The text of the message node for the first service message the answer holds.
std::optional<std::string> ServiceMessageNode(std::string_view answer);

// The href value of the first entry link ("g.php?o=..."), if any.
std::optional<std::string> EntryLink(std::string_view answer);

// "It is recommended to specify a search query, indicating more accurate"
extern const char* const kStopText;

}  // namespace lookup
