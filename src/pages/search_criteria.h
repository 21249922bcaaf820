// What one register query asks for, the request body made of it, and the query
// node's count text.
#pragma once

#include <string>

namespace lookup {

// How the register's answer is read: a number search reads one row per register-entry
// heading, a name search every row of the result table with a running count. Other
// queries (only an address, a region or a date) take what the answer rules give.
enum class SearchMode {
    Name,
    Number,
    Other,
};

// What one query asks for. Each value is Windows-1251 text as the user typed it (no
// form keys, no escaping); the request body encodes each one on its own.
struct SearchCriteria {
    SearchMode mode = SearchMode::Name;
    std::string name;
    std::string address;
    std::string region;
    std::string date;
    std::string number;

    // The mode the window's criteria imply: Number when a number is given, else Name
    // when a name is given, else Other.
    static SearchMode ModeOf(const std::string& name, const std::string& number);
    // One list line (Windows-1251): a line whose first two characters are digits is a
    // number search, any other a name search; the region is "Все регионы".
    static SearchCriteria ForLine(const std::string& line);
};

// The search form's body for criteria, as the service expects it (Windows-1251,
// every value encoded on its own): "name=...&adr=...&region=...&date=...&num=...
// &action=Искать".
std::string SearchFormBody(const SearchCriteria& criteria);

// The query node's text after `found` rows of a name search (Windows-1251):
// nodeText + ", records found: " + found.
std::string QueryCountText(const std::string& nodeText, int found);

}  // namespace lookup
