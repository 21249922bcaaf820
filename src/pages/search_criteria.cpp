#include "pages/search_criteria.h"

#include <QString>

#include <utility>
#include <vector>

#include "pages/form_encoding.h"
#include "platform/cp1251.h"

namespace lookup {

SearchMode SearchCriteria::ModeOf(const platform::Cp1251String& name,
                                  const platform::Cp1251String& number) {
    if (!number.empty()) {
        return SearchMode::Number;
    }
    return name.empty() ? SearchMode::Other : SearchMode::Name;
}

SearchCriteria SearchCriteria::ForLine(const platform::Cp1251String& line) {
    SearchCriteria criteria;
    const std::string& bytes = line.bytes();
    const bool number = bytes.size() >= 2 && bytes[0] >= '0' && bytes[0] <= '9' &&
                        bytes[1] >= '0' && bytes[1] <= '9';
    if (number) {
        criteria.mode = SearchMode::Number;
        criteria.number = line;
    } else {
        criteria.mode = SearchMode::Name;
        criteria.name = line;
    }
    criteria.region =
        platform::Cp1251String("\xC2\xF1\xE5 \xF0\xE5\xE3\xE8\xEE\xED\xFB");  // "Все регионы"
    return criteria;
}

std::string SearchFormBody(const SearchCriteria& criteria) {
    const auto value = [](const platform::Cp1251String& cp1251) { return cp1251.ToText(); };
    const std::vector<std::pair<QString, QString>> fields = {
        {QStringLiteral("name"), value(criteria.name)},
        {QStringLiteral("adr"), value(criteria.address)},
        {QStringLiteral("region"), value(criteria.region)},
        {QStringLiteral("date"), value(criteria.date)},
        {QStringLiteral("num"), value(criteria.number)},
        {QStringLiteral("action"), QStringLiteral("Искать")},
    };
    return platform::ToCp1251(EncodeFormFields(fields));
}

std::string QueryCountText(const std::string& nodeText, int found) {
    return nodeText + ", records found: " + std::to_string(found);
}

}  // namespace lookup
