#include "pages/register_numbers.h"

#include <algorithm>
#include <initializer_list>

namespace lookup {
namespace {

bool AllDigits(std::string_view text) {
    return !text.empty() &&
           std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

int Digit(std::string_view text, std::size_t i) {
    return text[i] - '0';
}

// Weighted sum of the leading digits, modulo 11, then modulo 10.
int WeightedCheck(std::string_view digits, std::initializer_list<int> weights) {
    int sum = 0;
    std::size_t i = 0;
    for (int w : weights) {
        sum += w * Digit(digits, i++);
    }
    return sum % 11 % 10;
}

}  // namespace

bool InnCheckDigitsValid(std::string_view d) {
    if (!AllDigits(d)) {
        return false;
    }
    if (d.size() == 10) {
        return WeightedCheck(d, {2, 4, 10, 3, 5, 9, 4, 6, 8}) == Digit(d, 9);
    }
    if (d.size() == 12) {
        return WeightedCheck(d, {7, 2, 4, 10, 3, 5, 9, 4, 6, 8}) == Digit(d, 10) &&
               WeightedCheck(d, {3, 7, 2, 4, 10, 3, 5, 9, 4, 6, 8}) == Digit(d, 11);
    }
    return false;
}

bool OgrnCheckDigitValid(std::string_view d) {
    if (d.size() != 13 || !AllDigits(d)) {
        return false;
    }
    // The first twelve digits as a number, modulo 11 (computed digit by digit), then
    // modulo 10.
    int rest = 0;
    for (std::size_t i = 0; i < 12; ++i) {
        rest = (rest * 10 + Digit(d, i)) % 11;
    }
    return rest % 10 == Digit(d, 12);
}

bool OgrnipCheckDigitValid(std::string_view d) {
    if (d.size() != 15 || !AllDigits(d)) {
        return false;
    }
    // The first fourteen digits as a number, modulo 13, then modulo 10.
    int rest = 0;
    for (std::size_t i = 0; i < 14; ++i) {
        rest = (rest * 10 + Digit(d, i)) % 13;
    }
    return rest % 10 == Digit(d, 14);
}

NumberCheck CheckRegisterNumber(std::string_view text) {
    if (!AllDigits(text)) {
        return NumberCheck::NotChecked;
    }
    switch (text.size()) {
        case 10:
        case 12:
            return InnCheckDigitsValid(text) ? NumberCheck::Valid : NumberCheck::Invalid;
        case 13:
            return OgrnCheckDigitValid(text) ? NumberCheck::Valid : NumberCheck::Invalid;
        default:
            return NumberCheck::NotChecked;
    }
}

ListLineCheck CheckListLine(std::string_view line) {
    if (!AllDigits(line)) {
        return {};
    }
    switch (line.size()) {
        case 10:
        case 12:
            return {NumberKind::Inn, InnCheckDigitsValid(line)};
        case 13:
            return {NumberKind::Ogrn, OgrnCheckDigitValid(line)};
        case 15:
            return {NumberKind::Ogrnip, OgrnipCheckDigitValid(line)};
        default:
            return {};
    }
}

namespace {

// "INN", "OGRN", "OGRNIP"; empty for NumberKind::None.
const char* NumberKindName(NumberKind kind) {
    switch (kind) {
        case NumberKind::Inn:
            return "INN";
        case NumberKind::Ogrn:
            return "OGRN";
        case NumberKind::Ogrnip:
            return "OGRNIP";
        case NumberKind::None:
            break;
    }
    return "";
}

}  // namespace

std::string CheckDigitMismatchText(NumberKind kind) {
    return std::string("check digit does not match (") + NumberKindName(kind) + ")";
}

const char* const kDailyLimitNotCheckedText = "not checked: the daily request limit is used up";

}  // namespace lookup
