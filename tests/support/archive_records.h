// Check records for the archive tests: firms and queries with Cyrillic values, built
// the way the query service reports them (Windows-1251).
#pragma once

#include <string>

#include "archive/check_record.h"
#include "platform/cp1251.h"

namespace archive_test {

inline std::string Cp(const char* utf8) {
    return platform::ToCp1251(QString::fromUtf8(utf8));
}

inline lookup::FirmRecord Firm(const std::string& nameUtf8, const std::string& ogrn,
                               const std::string& addressUtf8 = "г. Москва, ул. Лесная, 1") {
    lookup::FirmRecord firm;
    firm.name = platform::ToCp1251(QString::fromStdString(nameUtf8));
    firm.address = platform::ToCp1251(QString::fromStdString(addressUtf8));
    firm.ogrn = ogrn;
    firm.grn = "2" + ogrn.substr(1);
    firm.inn = "77" + ogrn.substr(ogrn.size() - 8);
    firm.kpp = "770101001";
    firm.date = "01.02.2003";
    firm.authority = Cp("Межрайонная ИФНС № 46");
    firm.authorityAddress = Cp("г. Москва");
    firm.region = Cp("Москва");
    return firm;
}

// A name search for typedUtf8 that found firms.
inline archive::CheckRecord Check(const std::string& typedUtf8, const std::string& checkedAt = {}) {
    archive::CheckRecord record;
    record.checkedAt = checkedAt;
    record.origin = "batch";
    record.service = "http://127.0.0.1:8080";
    record.typed = typedUtf8;
    record.criteria =
        lookup::SearchCriteria::ForLine(platform::ToCp1251(QString::fromStdString(typedUtf8)));
    record.language = "ru";
    record.outcome = archive::Outcome::Firms;
    record.pages = 1;
    record.pagesSha256 = archive::Sha256Hex("page of " + typedUtf8);
    return record;
}

}  // namespace archive_test
