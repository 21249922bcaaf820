// Check records for the archive tests: firms and queries with Cyrillic values, built
// the way the query service reports them (Windows-1251).
#pragma once

#include <string>

#include "archive/check_record.h"
#include "support/cp1251_text.h"

namespace archive_test {

inline lookup::FirmRecord Firm(const std::string& nameUtf8, const std::string& ogrn,
                               const std::string& addressUtf8 = "г. Москва, ул. Лесная, 1") {
    lookup::FirmRecord firm;
    firm.name = testsupport::Cp1251(nameUtf8);
    firm.address = testsupport::Cp1251(addressUtf8);
    firm.ogrn = ogrn;
    firm.grn = "2" + ogrn.substr(1);
    firm.inn = "77" + ogrn.substr(ogrn.size() - 8);
    firm.kpp = "770101001";
    firm.date = "01.02.2003";
    firm.authority = testsupport::Cp1251("Межрайонная ИФНС № 46");
    firm.authorityAddress = testsupport::Cp1251("г. Москва");
    firm.region = testsupport::Cp1251("Москва");
    return firm;
}

// A name search for typedUtf8 that found firms.
inline archive::CheckRecord Check(const std::string& typedUtf8, const std::string& checkedAt = {}) {
    archive::CheckRecord record;
    record.checkedAt = checkedAt;
    record.origin = "batch";
    record.service = "http://127.0.0.1:8080";
    record.typed = typedUtf8;
    record.criteria = lookup::SearchCriteria::ForLine(platform::Cp1251String::FromUtf8(typedUtf8));
    record.language = "ru";
    record.outcome = archive::Outcome::Firms;
    record.pages = 1;
    record.pagesSha256 = archive::Sha256Hex("page of " + typedUtf8);
    return record;
}

}  // namespace archive_test
