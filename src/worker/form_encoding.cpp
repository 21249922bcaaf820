#include "worker/form_encoding.h"

#include "platform/cp1251.h"

namespace worker {
namespace {

bool IsRussianLetter(char16_t u) {
    return (u >= 0x0410 && u <= 0x044F) || u == 0x0401 || u == 0x0451;
}

}  // namespace

QString EncodeFormText(const QString& text) {
    static const char kHex[] = "0123456789ABCDEF";
    QString out;
    out.reserve(text.size() * 3);
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (IsRussianLetter(u)) {
            const int b = platform::Cp1251Byte(u);
            out += QLatin1Char('%');
            out += QLatin1Char(kHex[(b >> 4) & 0xF]);
            out += QLatin1Char(kHex[b & 0xF]);
        } else if (u == u' ') {
            out += QLatin1Char('+');
        } else {
            out += c;
        }
    }
    return out;
}

}  // namespace worker
