// The register numbers a list entity carries: INNs (10 digits, 12 for a person or an
// individual entrepreneur) and OGRNs (13 digits, 15 for an entrepreneur's OGRNIP)
// found in free text such as "7713001232", "7713-001232", "ИНН 7713001232 / КПП
// 771301001" or a bare "7713001232771301001", each accepted only when its check
// digits are valid, so that a typo in a list never matches a firm.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace screen {

enum class IdKind {
    Inn,   // 10 or 12 digits
    Ogrn,  // 13, or 15 for an OGRNIP
};

struct Identifier {
    IdKind kind = IdKind::Inn;
    std::string value;  // digits only
    std::string kpp;    // an INN's KPP when the text gives one (9 digits), else empty

    bool operator==(const Identifier& other) const {
        return kind == other.kind && value == other.value && kpp == other.kpp;
    }
};

// The valid INNs and OGRNs of one property value. Digits are read after blanks and
// dashes between them are removed; any other character separates numbers. A 9-digit
// number next to the one INN of the text is that INN's KPP, and so are the last (or
// first) 9 of 19 digits whose other 10 are a valid INN.
std::vector<Identifier> ParseIdentifiers(std::string_view utf8);

// What a person typed or pasted for one firm ("ИНН 7704730655", "1 402 015 986",
// "ИНН/КПП 7704730655/770401001"): the valid numbers it gives and, for each number it
// gives that fails its check digit, a note such as "7704730656: not a valid INN (check
// digit)". Both are empty when the text is not a number at all (a name).
struct TypedIdentifiers {
    std::vector<Identifier> ids;
    std::vector<std::string> invalid;
};
TypedIdentifiers ReadTypedIdentifiers(std::string_view utf8);

// "INN", "OGRN".
const char* IdKindName(IdKind kind);

// "INN", "OGRN", or "OGRNIP" for an OGRN of 15 digits (an individual entrepreneur's).
const char* IdentifierName(const Identifier& id);

}  // namespace screen
