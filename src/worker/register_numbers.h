// Check digits of the register's numbers: the INN (10 digits for a firm, 12 for a
// person) and the OGRN (13 digits). Plain C++, no Qt.
#pragma once

#include <string_view>

namespace worker {

enum class NumberCheck {
    NotChecked,  // not a complete INN or OGRN (wrong length or not all digits)
    Valid,
    Invalid,  // the right length, but a check digit does not match
};

bool InnCheckDigitsValid(std::string_view digits);  // 10 or 12 digits
bool OgrnCheckDigitValid(std::string_view digits);  // 13 digits

// Classifies the text of the number field: 10 or 12 digits are checked as an INN,
// 13 digits as an OGRN; anything else is not checked.
NumberCheck CheckRegisterNumber(std::string_view text);

}  // namespace worker
