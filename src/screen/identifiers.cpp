#include "screen/identifiers.h"

#include <QString>
#include <QStringList>

#include <algorithm>

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

// Adds what digits are: an INN, an OGRN, an INN with its KPP (19 digits), or a KPP (9
// digits, kept aside). False when they are none of these.
bool Classify(const std::string& digits, std::vector<Identifier>* found,
              std::vector<std::string>* kpps) {
    if ((digits.size() == 10 || digits.size() == 12) && lookup::InnCheckDigitsValid(digits)) {
        found->push_back({IdKind::Inn, digits, {}});
    } else if (digits.size() == 13 && lookup::OgrnCheckDigitValid(digits)) {
        found->push_back({IdKind::Ogrn, digits, {}});
    } else if (digits.size() == 15 && lookup::OgrnipCheckDigitValid(digits)) {
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

std::string Trimmed(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()))
        .trimmed()
        .toStdString();
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

TypedIdentifiers ReadTypedIdentifiers(std::string_view utf8) {
    // The labels people write beside a number, longest first so that "ОГРНИП" is not
    // read as "ОГРН" and a letter left over.
    static const QStringList labels = {
        QStringLiteral("ОГРНИП"), QStringLiteral("ОГРН"),    QStringLiteral("ИНН"),
        QStringLiteral("КПП"),    QStringLiteral("OGRNIP"),  QStringLiteral("OGRN"),
        QStringLiteral("INN"),    QStringLiteral("KPP"),     QStringLiteral("TAX ID"),
        QStringLiteral("TIN"),    QStringLiteral("REG. NO"), QStringLiteral("REG NO"),
        QStringLiteral("NO"),     QStringLiteral("№")};
    QString text = QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())).toUpper();
    for (const QString& label : labels)
        text.replace(label, QStringLiteral(" "));
    // What is left must be digits and the marks around them; a letter makes it a name.
    std::string joined;
    for (const QChar c : text) {
        if (c.isLetter())
            return {};
        if (c.isDigit() && c.unicode() < 0x80)
            joined += static_cast<char>(c.unicode());
        else if (c == u'.' || c.isSpace() || c == u'-' || c == u'\u2013' || c == u'\u2014')
            joined += ' ';
        else
            joined += ',';  // brackets, slashes, colons and the like part numbers
    }
    TypedIdentifiers typed;
    typed.ids = ParseIdentifiers(joined);
    // Each number of a register number's length that was not taken is a typo: say so
    // rather than let it pass for a number no list holds.
    for (const std::vector<std::string>& run : DigitRuns(joined)) {
        std::string digits;
        for (const std::string& piece : run)
            digits += piece;
        const bool taken = std::any_of(
            typed.ids.begin(), typed.ids.end(),
            [&](const Identifier& id) { return digits.find(id.value) != std::string::npos; });
        if (taken)
            continue;
        if (digits.size() == 10 || digits.size() == 12)
            typed.invalid.push_back(digits + ": not a valid INN (check digit)");
        else if (digits.size() == 13)
            typed.invalid.push_back(digits + ": not a valid OGRN (check digit)");
        else if (digits.size() == 15)
            typed.invalid.push_back(digits + ": not a valid OGRNIP (check digit)");
    }
    if (typed.ids.empty() && typed.invalid.empty() && !DigitRuns(joined).empty())
        typed.invalid.push_back(Trimmed(utf8) + ": not an INN, OGRN or OGRNIP");
    return typed;
}

}  // namespace screen
