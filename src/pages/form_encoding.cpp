#include "pages/form_encoding.h"

#include "platform/cp1251.h"

namespace lookup {
namespace {

constexpr char kHex[] = "0123456789ABCDEF";

bool IsRussianLetter(char16_t u) {
    return (u >= 0x0410 && u <= 0x044F) || u == 0x0401 || u == 0x0451;
}

void AppendEscaped(QString& out, int byte) {
    out += QLatin1Char('%');
    out += QLatin1Char(kHex[(byte >> 4) & 0xF]);
    out += QLatin1Char(kHex[byte & 0xF]);
}

// The form separators and the escape characters, which a value must not carry raw.
bool IsFormSyntax(char16_t u) {
    return u == u'&' || u == u'=' || u == u'+' || u == u'%';
}

QString Encode(const QString& text, bool value) {
    QString out;
    out.reserve(text.size() * 3);
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (IsRussianLetter(u)) {
            AppendEscaped(out, platform::Cp1251Byte(u));
        } else if (u == u' ') {
            out += QLatin1Char('+');
        } else if (value && IsFormSyntax(u)) {
            AppendEscaped(out, static_cast<int>(u));
        } else {
            out += c;
        }
    }
    return out;
}

}  // namespace

QString EncodeFormText(const QString& text) {
    return Encode(text, false);
}

QString EncodeFormValue(const QString& value) {
    return Encode(value, true);
}

QString EncodeFormFields(const std::vector<std::pair<QString, QString>>& fields) {
    QString out;
    for (const auto& [name, value] : fields) {
        if (!out.isEmpty()) {
            out += QLatin1Char('&');
        }
        out += name;
        out += QLatin1Char('=');
        out += EncodeFormValue(value);
    }
    return out;
}

}  // namespace lookup
