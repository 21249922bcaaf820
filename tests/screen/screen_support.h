// The list fixtures and firms of the screening tests.
#pragma once

#include <QString>
#include <string>

#include "lookup/records.h"
#include "platform/cp1251.h"

namespace screen_test {

inline std::string Fixture(const char* name) {
    return std::string(VENDRAKE_SOURCE_DIR "/tests/screen/data/") + name;
}

// A firm of the stand-in register (its fields Windows-1251, as the register gives them).
inline lookup::FirmRecord Firm(const char* nameUtf8, const char* inn = "", const char* ogrn = "",
                               const char* kpp = "") {
    lookup::FirmRecord firm;
    firm.name = platform::Utf8ToCp1251(nameUtf8);
    firm.inn = inn;
    firm.ogrn = ogrn;
    firm.kpp = kpp;
    return firm;
}

}  // namespace screen_test
