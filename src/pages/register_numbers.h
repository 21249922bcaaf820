// Check digits of the register's numbers: the INN (10 digits for a firm, 12 for a
// person), the OGRN (13 digits) and the OGRNIP (15 digits), and what a list run does
// with a line that holds one. Plain C++, no Qt.
#pragma once

#include <string>
#include <string_view>

namespace lookup {

enum class NumberCheck {
    NotChecked,  // not a complete INN or OGRN (wrong length or not all digits)
    Valid,
    Invalid,  // the right length, but a check digit does not match
};

bool InnCheckDigitsValid(std::string_view digits);    // 10 or 12 digits
bool OgrnCheckDigitValid(std::string_view digits);    // 13 digits
bool OgrnipCheckDigitValid(std::string_view digits);  // 15 digits

// Classifies the text of the number field: 10 or 12 digits are checked as an INN,
// 13 digits as an OGRN; anything else is not checked.
NumberCheck CheckRegisterNumber(std::string_view text);

// Which number a text of digits only is, by its length.
enum class NumberKind {
    None,  // not digits only, or a length no register number has
    Inn,
    Ogrn,
    Ogrnip,
};

// A line of a list, as the list runs (the window's and the batch tool's) see it
// before sending it: which number it holds and whether its check digits match.
struct ListLineCheck {
    NumberKind kind = NumberKind::None;
    bool checkDigitsMatch = true;  // always true for NumberKind::None

    bool send() const { return checkDigitsMatch; }
};

// Classifies a whole list line (no blanks trimmed): 10 or 12 digits as an INN, 13 as
// an OGRN, 15 as an OGRNIP; any other line is sent unchecked.
ListLineCheck CheckListLine(std::string_view line);

// "check digit does not match (INN)": the message of a line that is not sent because
// a check digit does not match.
std::string CheckDigitMismatchText(NumberKind kind);

// The message of a line a list run leaves unsent because the service's daily request
// limit is used up.
extern const char* const kDailyLimitNotCheckedText;

}  // namespace lookup
