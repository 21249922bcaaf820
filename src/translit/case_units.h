// Case mapping of single UTF-16 code units, as QChar does it, answered inline for
// ASCII and the basic Cyrillic block: the conversion and the dictionary pass map
// every character of every text, and QChar's table lookup dominates their time.
#pragma once

#include <QChar>

namespace translit {

// QChar::toLower, answered inline for ASCII and the basic Cyrillic block.
inline char16_t LowerUnit(char16_t c) {
    if (c < 0x80)
        return c >= u'A' && c <= u'Z' ? char16_t(c + 0x20) : c;
    if (c >= 0x0410 && c <= 0x042F)
        return char16_t(c + 0x20);
    if (c >= 0x0430 && c <= 0x045F)
        return c;
    if (c >= 0x0400 && c <= 0x040F)
        return char16_t(c + 0x50);
    return QChar::toLower(c);
}

// QChar::toUpper, answered inline for ASCII and the basic Cyrillic block.
inline char16_t UpperUnit(char16_t c) {
    if (c < 0x80)
        return c >= u'a' && c <= u'z' ? char16_t(c - 0x20) : c;
    if (c >= 0x0430 && c <= 0x044F)
        return char16_t(c - 0x20);
    if (c >= 0x0400 && c <= 0x042F)
        return c;
    if (c >= 0x0450 && c <= 0x045F)
        return char16_t(c - 0x50);
    return QChar::toUpper(c);
}

}  // namespace translit
