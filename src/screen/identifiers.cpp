#include "screen/identifiers.h"

#include "pages/register_numbers.h"

namespace screen {
namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Blanks and dashes inside a number: ASCII ones, and the UTF-8 no-break space, en dash
// and em dash.
size_t JoinerLength(std::string_view text, size_t i) {
    const char c = text[i];
    if (c == ' ' || c == '-' || c == '\t')
        return 1;
    if (text.compare(i, 2, "\xC2\xA0") == 0)
        return 2;
    if (text.compare(i, 3, "\xE2\x80\x93") == 0 || text.compare(i, 3, "\xE2\x80\x94") == 0)
        return 3;
    return 0;
}

// The runs of digits of text, each as the pieces the joiners (blanks and dashes between
// digits) separated.
std::vector<std::vector<std::string>> DigitRuns(std::string_view text) {
    std::vector<std::vector<std::string>> runs;
    std::vector<std::string> run;
    std::string piece;
    size_t i = 0;
    while (i < text.size()) {
        if (IsDigit(text[i])) {
            piece += text[i++];
            continue;
        }
        size_t j = i;
        while (j < text.size() && JoinerLength(text, j) > 0)
            j += JoinerLength(text, j);
        if (!piece.empty())
            run.push_back(piece);
        piece.clear();
        if (!run.empty() && j > i && j < text.size() && IsDigit(text[j])) {
            i = j;  // joiners between two digits
            continue;
        }
        if (!run.empty())
            runs.push_back(run);
        run.clear();
        i = j > i ? j : i + 1;
    }
    if (!piece.empty())
        run.push_back(piece);
    if (!run.empty())
        runs.push_back(run);
    return runs;
}

// An OGRN (13 digits) or an individual entrepreneur's OGRNIP (15 digits) with a valid
// check digit. An OGRN never starts with 0 and an OGRNIP starts with 3 or 4 (the sign of
// a record about an entrepreneur), which rules out runs of zeros and most phone numbers.
bool OgrnValid(const std::string& digits) {
    if (digits.size() == 13)
        return digits[0] != '0' && lookup::OgrnCheckDigitValid(digits);
    if (digits.size() == 15)
        return (digits[0] == '3' || digits[0] == '4') && lookup::OgrnipCheckDigitValid(digits);
    return false;
}

// Adds what digits are: an INN, an OGRN, an INN with its KPP (19 digits), or a KPP (9
// digits, kept aside). False when they are none of these.
bool Classify(const std::string& digits, std::vector<Identifier>* found,
              std::vector<std::string>* kpps) {
    if ((digits.size() == 10 || digits.size() == 12) && lookup::InnCheckDigitsValid(digits)) {
        found->push_back({IdKind::Inn, digits, {}});
    } else if (OgrnValid(digits)) {
        found->push_back({IdKind::Ogrn, digits, {}});
    } else if (digits.size() == 9) {
        kpps->push_back(digits);
    } else if (digits.size() == 19 && lookup::InnCheckDigitsValid(digits.substr(0, 10))) {
        found->push_back({IdKind::Inn, digits.substr(0, 10), digits.substr(10)});
    } else if (digits.size() == 19 && lookup::InnCheckDigitsValid(digits.substr(9))) {
        found->push_back({IdKind::Inn, digits.substr(9), digits.substr(0, 9)});
    } else {
        return false;
    }
    return true;
}

}  // namespace

std::vector<Identifier> ParseIdentifiers(std::string_view utf8) {
    std::vector<Identifier> found;
    std::vector<std::string> kpps;
    for (const std::vector<std::string>& run : DigitRuns(utf8)) {
        std::string whole;
        for (const std::string& piece : run)
            whole += piece;
        if (Classify(whole, &found, &kpps) || run.size() == 1)
            continue;
        // Not one number with blanks or dashes in it: perhaps several numbers with blanks
        // between them. The longest joined pieces that make a number are taken, in order.
        for (size_t i = 0; i < run.size();) {
            size_t taken = 0;
            for (size_t j = run.size(); j > i && taken == 0; --j) {
                std::string digits;
                for (size_t k = i; k < j; ++k)
                    digits += run[k];
                if (Classify(digits, &found, &kpps))
                    taken = j - i;
            }
            i += taken > 0 ? taken : 1;
        }
    }
    int inns = 0;
    for (const Identifier& id : found)
        inns += id.kind == IdKind::Inn ? 1 : 0;
    if (inns == 1 && kpps.size() == 1) {
        for (Identifier& id : found) {
            if (id.kind == IdKind::Inn && id.kpp.empty())
                id.kpp = kpps.front();
        }
    }
    return found;
}

const char* IdKindName(IdKind kind) {
    return kind == IdKind::Inn ? "INN" : "OGRN";
}

const char* IdentifierName(const Identifier& id) {
    if (id.kind == IdKind::Ogrn)
        return id.value.size() == 15 ? "OGRNIP" : "OGRN";
    return "INN";
}

namespace {

// The labels a typed number may carry, longest first so that ОГРНИП is not read as ОГРН
// and a stray ИП. Latin ones are compared without regard to case.
constexpr const char* kLabels[] = {
    "ОГРНИП",  "огрнип", "ОГРН",   "огрн",   "ИНН",  "инн", "КПП", "кпп", "ogrnip",
    "reg. no", "reg.no", "reg no", "tax id", "ogrn", "inn", "kpp", "tin", "no",
};

bool StartsWithLabel(std::string_view text, size_t i, size_t* length) {
    for (const char* label : kLabels) {
        const std::string_view l(label);
        if (text.size() - i < l.size())
            continue;
        bool same = true;
        for (size_t k = 0; k < l.size() && same; ++k) {
            char c = text[i + k];
            if (c >= 'A' && c <= 'Z')
                c = static_cast<char>(c - 'A' + 'a');
            same = c == l[k];
        }
        if (same) {
            *length = l.size();
            return true;
        }
    }
    return false;
}

// Marks around and between the digits of a typed number that say nothing about it.
size_t PunctuationLength(std::string_view text, size_t i) {
    if (const size_t joiner = JoinerLength(text, i))
        return joiner;
    if (std::string_view(".()[]/:,;#+\r\n").find(text[i]) != std::string_view::npos)
        return 1;
    if (text.compare(i, 3, "\xE2\x84\x96") == 0)  // №
        return 3;
    return 0;
}

// What one run of digits (a typed number with its inner blanks, dashes and dots taken
// out) fails to be when it has the length of an INN, OGRN or OGRNIP but not the check
// digit; empty otherwise.
std::string CheckDigitNote(const std::string& digits) {
    const char* kind = nullptr;
    if (digits.size() == 10 || digits.size() == 12)
        kind = lookup::InnCheckDigitsValid(digits) ? nullptr : "INN";
    else if (digits.size() == 13 || digits.size() == 15)
        kind = OgrnValid(digits) ? nullptr : (digits.size() == 13 ? "OGRN" : "OGRNIP");
    if (kind == nullptr)
        return {};
    return digits + ": not a valid " + kind + " (check digit)";
}

}  // namespace

TypedIdentifiers ReadTypedIdentifiers(std::string_view utf8) {
    TypedIdentifiers typed;
    // Labels and punctuation become blanks; anything else left over (a letter of a name)
    // means the text is not a number.
    std::string plain;
    bool digits = false;
    for (size_t i = 0; i < utf8.size();) {
        size_t length = 0;
        if (IsDigit(utf8[i])) {
            plain += utf8[i++];
            digits = true;
        } else if (utf8[i] == ' ' || utf8[i] == '\t' || utf8[i] == '-') {
            plain += utf8[i++];
        } else if (StartsWithLabel(utf8, i, &length)) {
            plain += '/';
            i += length;
        } else if ((length = PunctuationLength(utf8, i)) > 0) {
            // Slashes and commas part numbers ("ИНН/КПП 7704730655/770401001"); dots and
            // brackets sit inside them like blanks ("77.04.730655", "(7704) 730655").
            const char c = utf8[i];
            plain += (c == '/' || c == ',' || c == ';' || c == '\n' || c == '\r') ? "/" : " ";
            i += length;
        } else {
            return {};
        }
    }
    if (!digits)
        return {};
    typed.ids = ParseIdentifiers(plain);
    // A run of digits that makes no valid number, read whole and as its blank-parted
    // pieces, is said as a check-digit failure when it has a number's length.
    for (const std::vector<std::string>& run : DigitRuns(plain)) {
        std::string whole;
        for (const std::string& piece : run)
            whole += piece;
        bool known = false;
        for (const Identifier& id : typed.ids)
            known = known || whole.find(id.value) != std::string::npos;
        if (known)
            continue;
        std::string note = CheckDigitNote(whole);
        if (!note.empty()) {
            typed.invalid.push_back(std::move(note));
            continue;
        }
        if (run.size() > 1) {
            for (const std::string& piece : run) {
                note = CheckDigitNote(piece);
                if (!note.empty())
                    typed.invalid.push_back(std::move(note));
            }
        }
    }
    return typed;
}

}  // namespace screen
