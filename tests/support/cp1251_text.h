// Windows-1251 bytes of a UTF-8 text, for writing what the register sends and what the
// program keeps as single-byte text in tests.
#pragma once

#include <string>
#include <string_view>

#include "platform/cp1251.h"

namespace testsupport {

inline std::string Cp1251(std::string_view utf8) {
    return platform::Utf8ToCp1251(utf8);
}

// The same, typed as Windows-1251 text (search criteria).
inline platform::Cp1251String Cp1251Text(std::string_view utf8) {
    return platform::Cp1251String::FromUtf8(utf8);
}

}  // namespace testsupport
