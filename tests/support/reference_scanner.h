// The page scanner that reads a whole page at once, as the reference for the
// incremental one, and a whole query read the same way: every scan is given the
// response buffer as the answer rules build it.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "pages/page_scanner.h"
#include "pages/records.h"
#include "pages/search_criteria.h"

namespace reference {

void ParseResultPage(std::string_view text, lookup::ScanState& state, lookup::ScanOutput& out);

// One page as the service sends it: a GET of url when body is null, else a POST of
// *body (the search form). Returns the decoded body; throws on failure.
using Fetch = std::function<std::string(const std::string& url, const std::string* body)>;

// What the whole-buffer reading of one query gives.
struct QueryReading {
    std::vector<lookup::FirmRecord> firms;  // in delivery order, rows without a field too
    std::vector<std::string> messages;      // message node texts
    std::string lastQueryText;              // the last count text; empty: none
    std::vector<std::string> pages;         // the answer and every page read, in order
    // Which answer the query met: "result pages", "result pages, stop text", "service
    // message N" (N its place among the messages, from 1), "entry link", "result table
    // and entry link", "result table", "register entry", "no marker".
    std::string shape;
};

// The search page, the form and what its answer leads to, read by the answer rules:
// each result page is scanned on its own (its rows are read once) while the stop text
// is looked for in the answer and every page so far; an entry page is scanned behind
// the answer, in one buffer with it; an answer without links is scanned itself.
QueryReading ReadQuery(const lookup::SearchCriteria& criteria, const std::string& nodeText,
                       const std::string& root, const Fetch& fetch);

}  // namespace reference
