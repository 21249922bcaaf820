// What a list run sends for one line of a list, decided the same way by the window
// and by vendrake-batch: control and format characters removed; digits alone (blanks
// and dashes inside them dropped) of a register number's length are a number search,
// checked before sending; anything else is a name search, optionally converted first
// as the entry fields' mirror converts it.
#pragma once

#include <QString>
#include <functional>
#include <string>

#include "pages/register_numbers.h"
#include "pages/search_criteria.h"

namespace lookup {

struct ListQuery {
    enum class Action {
        Send,  // criteria hold the search
        Skip,  // a check digit does not match: reason says so, nothing is sent
        Pass,  // nothing left to search for (an empty or blank line)
    };
    Action action = Action::Pass;
    SearchCriteria criteria;
    std::string text;  // what is searched for, Windows-1251: the query node's text
    NumberKind kind = NumberKind::None;
    std::string reason;  // UTF-8, when skipped
};

// Converts a name as the entry fields' mirror does (a language of transliteration).
using LineConverter = std::function<QString(const QString&)>;

// The query for one list line. convert, when given, turns a name search's text into
// what is sent; numbers are sent as digits.
ListQuery PlanListQuery(const QString& line, const LineConverter& convert = {});

}  // namespace lookup
