#include "platform/cp1251.h"

#include <array>

namespace platform {
namespace {

// Unicode of the bytes 0x80..0xBF; 0xC0..0xFF are U+0410..U+044F in order.
constexpr char16_t kHigh[64] = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021, 0x20AC, 0x2030, 0x0409,
    0x2039, 0x040A, 0x040C, 0x040B, 0x040F, 0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x0098, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F, 0x00A0,
    0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7, 0x0401, 0x00A9, 0x0404, 0x00AB,
    0x00AC, 0x00AD, 0x00AE, 0x0407, 0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6,
    0x00B7, 0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457};

struct ReverseTable {
    // Index: code unit U+0000..U+24FF is enough for every mapped character.
    std::array<short, 0x2500> byteOf{};
    ReverseTable() {
        byteOf.fill(-1);
        for (int b = 0; b < 0x80; ++b)
            byteOf[b] = static_cast<short>(b);
        for (int b = 0x80; b < 0xC0; ++b)
            byteOf[kHigh[b - 0x80]] = static_cast<short>(b);
        for (int b = 0xC0; b < 0x100; ++b)
            byteOf[0x0410 + (b - 0xC0)] = static_cast<short>(b);
    }
};

const ReverseTable& Reverse() {
    static const ReverseTable table;
    return table;
}

}  // namespace

char16_t Cp1251Char(unsigned char byte) {
    if (byte < 0x80)
        return byte;
    if (byte < 0xC0)
        return kHigh[byte - 0x80];
    return static_cast<char16_t>(0x0410 + (byte - 0xC0));
}

int Cp1251Byte(char16_t unit) {
    if (unit < 0x80)
        return unit;
    if (unit >= Reverse().byteOf.size())
        return -1;
    return Reverse().byteOf[unit];
}

std::string ToCp1251(QStringView text) {
    std::string out;
    out.reserve(static_cast<size_t>(text.size()));
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t u = text[i].unicode();
        if (QChar::isHighSurrogate(u) && i + 1 < n &&
            QChar::isLowSurrogate(text[i + 1].unicode())) {
            out.push_back('?');
            ++i;
            continue;
        }
        const int b = Cp1251Byte(u);
        out.push_back(b < 0 ? '?' : static_cast<char>(b));
    }
    return out;
}

QString FromCp1251(std::string_view bytes) {
    QString out(static_cast<qsizetype>(bytes.size()), Qt::Uninitialized);
    QChar* p = out.data();
    for (size_t i = 0; i < bytes.size(); ++i)
        p[i] = QChar(Cp1251Char(static_cast<unsigned char>(bytes[i])));
    return out;
}

bool IsValidUtf8(std::string_view s) {
    size_t i = 0;
    const size_t n = s.size();
    while (i < n) {
        const unsigned char c = static_cast<unsigned char>(s[i]);
        if (c < 0x80) {
            ++i;
            continue;
        }
        int len;
        unsigned cp;
        if ((c & 0xE0) == 0xC0) {
            len = 2;
            cp = c & 0x1F;
        } else if ((c & 0xF0) == 0xE0) {
            len = 3;
            cp = c & 0x0F;
        } else if ((c & 0xF8) == 0xF0) {
            len = 4;
            cp = c & 0x07;
        } else {
            return false;
        }
        if (i + len > n)
            return false;
        for (int k = 1; k < len; ++k) {
            const unsigned char cc = static_cast<unsigned char>(s[i + k]);
            if ((cc & 0xC0) != 0x80)
                return false;
            cp = (cp << 6) | (cc & 0x3F);
        }
        // Reject overlong forms, surrogates and values beyond Unicode.
        if ((len == 2 && cp < 0x80) || (len == 3 && cp < 0x800) || (len == 4 && cp < 0x10000) ||
            (cp >= 0xD800 && cp <= 0xDFFF) || cp > 0x10FFFF)
            return false;
        i += len;
    }
    return true;
}

QString DecodeUtf8OrCp1251(std::string_view bytes) {
    if (IsValidUtf8(bytes)) {
        if (bytes.size() >= 3 && bytes.substr(0, 3) == "\xEF\xBB\xBF")
            bytes.remove_prefix(3);
        return QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size()));
    }
    return FromCp1251(bytes);
}

namespace {

// ASCII is the same in both encodings; numbers and dates never need converting.
bool IsAscii(std::string_view text) {
    for (const char c : text) {
        if (static_cast<unsigned char>(c) >= 0x80)
            return false;
    }
    return true;
}

}  // namespace

// Every Windows-1251 character is in the Basic Multilingual Plane, so each byte gives one
// UTF-8 sequence of at most three bytes, written here without a QString between.
std::string Cp1251ToUtf8(std::string_view cp1251) {
    if (IsAscii(cp1251))
        return std::string(cp1251);
    std::string out;
    out.reserve(cp1251.size() * 2);
    for (const char c : cp1251) {
        const char16_t u = Cp1251Char(static_cast<unsigned char>(c));
        if (u < 0x80) {
            out.push_back(static_cast<char>(u));
        } else if (u < 0x800) {
            out.push_back(static_cast<char>(0xC0 | (u >> 6)));
            out.push_back(static_cast<char>(0x80 | (u & 0x3F)));
        } else {
            out.push_back(static_cast<char>(0xE0 | (u >> 12)));
            out.push_back(static_cast<char>(0x80 | ((u >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (u & 0x3F)));
        }
    }
    return out;
}

// Well-formed UTF-8 is decoded here character by character: a character outside the
// code page (one beyond the Basic Multilingual Plane included) becomes one '?', as
// platform::ToCp1251 makes it. Anything else (a malformed sequence, a byte-order mark)
// takes the way through QString, which decides what becomes of it.
std::string Utf8ToCp1251(std::string_view utf8) {
    if (IsAscii(utf8))
        return std::string(utf8);
    const auto slow = [&utf8] {
        return ToCp1251(QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())));
    };
    std::string out;
    out.reserve(utf8.size());
    const std::size_t n = utf8.size();
    for (std::size_t i = 0; i < n;) {
        const auto c = static_cast<unsigned char>(utf8[i]);
        if (c < 0x80) {
            out.push_back(static_cast<char>(c));
            ++i;
            continue;
        }
        std::size_t length = 0;
        char32_t code = 0;
        char32_t least = 0;
        if (c >= 0xC2 && c <= 0xDF) {
            length = 2, code = c & 0x1F, least = 0x80;
        } else if ((c & 0xF0) == 0xE0) {
            length = 3, code = c & 0x0F, least = 0x800;
        } else if (c >= 0xF0 && c <= 0xF4) {
            length = 4, code = c & 0x07, least = 0x10000;
        } else {
            return slow();
        }
        if (i + length > n)
            return slow();
        for (std::size_t k = 1; k < length; ++k) {
            const auto next = static_cast<unsigned char>(utf8[i + k]);
            if ((next & 0xC0) != 0x80)
                return slow();
            code = (code << 6) | (next & 0x3F);
        }
        if (code < least || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF) || code == 0xFEFF)
            return slow();
        const int byte = code > 0xFFFF ? -1 : Cp1251Byte(static_cast<char16_t>(code));
        out.push_back(byte < 0 ? '?' : static_cast<char>(byte));
        i += length;
    }
    return out;
}

}  // namespace platform
