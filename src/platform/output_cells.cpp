#include "platform/output_cells.h"

#include <cstring>

namespace platform {

std::string CsvCell(std::string_view utf8) {
    std::string value;
    const std::size_t first = utf8.find_first_not_of(' ');
    const bool blanksThenTrigger = first != 0 && first != std::string_view::npos &&
                                   std::strchr("=+-@", utf8[first]) != nullptr;
    if (!utf8.empty() &&
        (std::strchr("=+-@\t\r\n", utf8.front()) != nullptr || blanksThenTrigger)) {
        value += '\'';
    }
    for (char c : utf8) {
        const auto u = static_cast<unsigned char>(c);
        if (u >= 0x20 || c == '\t' || c == '\r' || c == '\n') {
            value += c;
        }
    }
    if (value.find_first_of(";\"\r\n") == std::string::npos) {
        return value;
    }
    std::string quoted = "\"";
    for (char c : value) {
        if (c == '"') {
            quoted += '"';
        }
        quoted += c;
    }
    quoted += '"';
    return quoted;
}

std::string JsonString(std::string_view utf8) {
    std::string out = "\"";
    for (char ch : utf8) {
        const auto c = static_cast<unsigned char>(ch);
        switch (c) {
            case '"':
                out += "\\\"";
                break;
            case '\\':
                out += "\\\\";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\r':
                out += "\\r";
                break;
            case '\t':
                out += "\\t";
                break;
            default:
                if (c < 0x20) {
                    static const char hex[] = "0123456789abcdef";
                    out += "\\u00";
                    out += hex[c >> 4];
                    out += hex[c & 15];
                } else {
                    out += ch;
                }
        }
    }
    out += '"';
    return out;
}

}  // namespace platform
