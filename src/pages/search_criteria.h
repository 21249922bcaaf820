// What one register query asks for, the request body made of it, and the query
// node's count text.
#pragma once

#include <string>

#include "platform/cp1251.h"

namespace lookup {

// How the register's answer is read: a number search reads one row per register-entry
// heading, a name search every row of the result table with a running count. Other
// queries (only an address, a region or a date) take what the answer rules give.
enum class SearchMode {
    Name,
    Number,
    Other,
};

// What one query asks for. Each value is the text as the user typed it, in Windows-1251
// (no form keys, no escaping); the request body encodes each one on its own.
struct SearchCriteria {
    SearchMode mode = SearchMode::Name;
    platform::Cp1251String name;
    platform::Cp1251String address;
    platform::Cp1251String region;
    platform::Cp1251String date;
    platform::Cp1251String number;

    // The mode the window's criteria imply: Number when a number is given, else Name
    // when a name is given, else Other.
    static SearchMode ModeOf(const platform::Cp1251String& name,
                             const platform::Cp1251String& number);
    // One list line: a line whose first two characters are digits is a number search,
    // any other a name search; the region is "Все регионы".
    static SearchCriteria ForLine(const platform::Cp1251String& line);
};

// The search form's body for criteria, as the service expects it (Windows-1251,
// every value encoded on its own): "name=...&adr=...&region=...&date=...&num=...
// &action=Искать".
std::string SearchFormBody(const SearchCriteria& criteria);

// The query node's text after `found` rows of a name search (Windows-1251):
// nodeText + ", records found: " + found.
std::string QueryCountText(const std::string& nodeText, int found);

}  // namespace lookup
