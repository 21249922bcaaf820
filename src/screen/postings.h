// The postings of one token in one list version: the ids of the name forms holding it,
// ascending, stored as variable-length deltas (7 bits a byte, high bit set on all but a
// number's last byte).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace screen {

inline void AppendPosting(std::string& out, std::int64_t previous, std::int64_t id) {
    auto delta = static_cast<std::uint64_t>(id - previous);
    while (delta >= 0x80) {
        out += static_cast<char>((delta & 0x7F) | 0x80);
        delta >>= 7;
    }
    out += static_cast<char>(delta);
}

// The ids of a postings blob; a cut-off last number is dropped.
inline std::vector<std::int64_t> ReadPostings(std::string_view blob) {
    std::vector<std::int64_t> ids;
    std::int64_t id = 0;
    std::uint64_t delta = 0;
    int shift = 0;
    for (const char c : blob) {
        const auto byte = static_cast<unsigned char>(c);
        if (shift < 63)
            delta |= static_cast<std::uint64_t>(byte & 0x7F) << shift;
        if (byte & 0x80) {
            shift += 7;
            continue;
        }
        id += static_cast<std::int64_t>(delta);
        ids.push_back(id);
        delta = 0;
        shift = 0;
    }
    return ids;
}

}  // namespace screen
