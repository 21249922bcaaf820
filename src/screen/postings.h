// The postings of one token in one list version: for each name form holding it, its id
// (ascending, stored as the variable-length difference to the one before: 7 bits a
// byte, high bit set on all but a number's last byte) and then one byte with the
// form's letters (its scoring tokens' lengths added up, at most 255), which lets a
// screener pass over names too short or too long to reach a threshold unread.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace screen {

struct Posting {
    std::int64_t id = 0;
    int letters = 0;
};

inline void AppendPosting(std::string& out, std::int64_t previous, std::int64_t id, int letters) {
    auto delta = static_cast<std::uint64_t>(id - previous);
    while (delta >= 0x80) {
        out += static_cast<char>((delta & 0x7F) | 0x80);
        delta >>= 7;
    }
    out += static_cast<char>(delta);
    out += static_cast<char>(letters > 255 ? 255 : letters);
}

// The postings of a blob; a cut-off last one is dropped.
inline std::vector<Posting> ReadPostings(std::string_view blob) {
    std::vector<Posting> postings;
    std::int64_t id = 0;
    std::uint64_t delta = 0;
    int shift = 0;
    for (size_t i = 0; i < blob.size(); ++i) {
        const auto byte = static_cast<unsigned char>(blob[i]);
        if (shift < 63)
            delta |= static_cast<std::uint64_t>(byte & 0x7F) << shift;
        if (byte & 0x80) {
            shift += 7;
            continue;
        }
        if (i + 1 >= blob.size())
            break;
        id += static_cast<std::int64_t>(delta);
        postings.push_back({id, static_cast<unsigned char>(blob[++i])});
        delta = 0;
        shift = 0;
    }
    return postings;
}

}  // namespace screen
