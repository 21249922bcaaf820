#include "lists/list_query.h"

#include "platform/cp1251.h"

namespace lookup {
namespace {

// Control characters (C0, DEL and C1) carry nothing a register search can use, and a
// raw NUL or line break must not reach the request body. Format characters (a zero-width
// space, a soft hyphen, a direction mark), invisible in text copied from a web page or a
// document, would go out as "?" and match nothing.
QString WithoutControls(const QString& text) {
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        const char16_t u = c.unicode();
        if (u < 0x20 || (u >= 0x7F && u <= 0x9F)) {
            continue;
        }
        if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
            const char32_t code = QChar::surrogateToUcs4(c, text.at(i + 1));
            ++i;
            if (QChar::category(code) != QChar::Other_Format) {
                out += c;
                out += text.at(i);
            }
            continue;
        }
        if (c.category() == QChar::Other_Format) {
            continue;
        }
        out += c;
    }
    return out;
}

bool IsNumberLength(std::size_t size) {
    return size == 10 || size == 12 || size == 13 || size == 15;
}

// The digits of text when it is a register number written with blanks or dashes
// inside ("77 13001232", "1027-700-101230"); empty otherwise.
std::string NumberDigits(const QString& text) {
    const QString value = text.trimmed();
    std::string digits;
    for (qsizetype i = 0; i < value.size(); ++i) {
        const char16_t u = value.at(i).unicode();
        if (u >= u'0' && u <= u'9') {
            digits += static_cast<char>(u);
        } else if (u == u' ' || u == u'-') {
            // Only between digits: a blank or dash at either end is not part of a number.
            if (digits.empty() || i + 1 == value.size()) {
                return {};
            }
        } else {
            return {};
        }
    }
    return IsNumberLength(digits.size()) ? digits : std::string();
}

}  // namespace

ListQuery PlanListQuery(const QString& line, const LineConverter& convert) {
    ListQuery query;
    const QString clean = WithoutControls(line);
    if (clean.trimmed().isEmpty()) {
        return query;
    }
    const std::string digits = NumberDigits(clean);
    if (!digits.empty()) {
        query.text = digits;
        const ListLineCheck check = CheckListLine(digits);
        query.kind = check.kind;
        if (!check.send()) {
            query.action = ListQuery::Action::Skip;
            query.reason = CheckDigitMismatchText(check.kind);
            return query;
        }
        query.action = ListQuery::Action::Send;
        // Digits are the same bytes in ASCII and Windows-1251.
        const platform::Cp1251String number(digits);
        query.criteria = SearchCriteria::ForLine(number);
        query.criteria.mode = SearchMode::Number;
        query.criteria.name.clear();
        query.criteria.number = number;
        return query;
    }
    const QString name = convert ? WithoutControls(convert(clean)) : clean;
    query.text = platform::ToCp1251(name);
    if (query.text.find_first_not_of(' ') == std::string::npos) {
        query.text.clear();
        return query;
    }
    query.action = ListQuery::Action::Send;
    const platform::Cp1251String text(query.text);
    query.criteria = SearchCriteria::ForLine(text);
    query.criteria.mode = SearchMode::Name;
    query.criteria.number.clear();
    query.criteria.name = text;
    return query;
}

}  // namespace lookup
