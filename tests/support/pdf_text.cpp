#include "support/pdf_text.h"

#include <QMap>
#include <QRegularExpression>
#include <QtEndian>
#include <map>

namespace wintest {
namespace {

struct PdfObject {
    QByteArray dictionary;
    QByteArray stream;  // decoded; empty for an object without one
};

QByteArray Inflate(const QByteArray& data) {
    // qUncompress takes the expected size first; it grows its buffer when it is short.
    QByteArray framed(4, '\0');
    qToBigEndian<quint32>(static_cast<quint32>(data.size()) * 8 + 1024, framed.data());
    framed += data;
    return qUncompress(framed);
}

std::map<int, PdfObject> Objects(const QByteArray& pdf) {
    std::map<int, PdfObject> objects;
    static const QRegularExpression header(QStringLiteral("(?:^|[\\r\\n])(\\d+) 0 obj"));
    const QString text = QString::fromLatin1(pdf);
    auto it = header.globalMatch(text);
    while (it.hasNext()) {
        const QRegularExpressionMatch m = it.next();
        const qsizetype start = m.capturedEnd();
        const qsizetype end = pdf.indexOf("endobj", start);
        const qsizetype stream = pdf.indexOf("stream", start);
        PdfObject object;
        if (stream < 0 || (end >= 0 && end < stream)) {
            object.dictionary = pdf.mid(start, end < 0 ? -1 : end - start);
        } else {
            object.dictionary = pdf.mid(start, stream - start);
            qsizetype data = stream + 6;
            data += pdf.mid(data, 2) == "\r\n" ? 2 : (pdf.at(data) == '\n' ? 1 : 0);
            const qsizetype dataEnd = pdf.indexOf("endstream", data);
            const QByteArray raw = pdf.mid(data, dataEnd < 0 ? -1 : dataEnd - data);
            object.stream = object.dictionary.contains("/FlateDecode") ? Inflate(raw) : raw;
        }
        objects[m.captured(1).toInt()] = std::move(object);
    }
    return objects;
}

QString Utf16OfHex(const QString& hex) {
    QString out;
    for (qsizetype i = 0; i + 4 <= hex.size(); i += 4) {
        out += QChar(static_cast<char16_t>(hex.mid(i, 4).toUInt(nullptr, 16)));
    }
    return out;
}

// A ToUnicode map: glyph code -> text.
std::map<uint, QString> CharacterMap(const QByteArray& cmap) {
    std::map<uint, QString> map;
    const QString text = QString::fromLatin1(cmap);
    static const QRegularExpression ranges(
        QStringLiteral("<([0-9A-Fa-f]+)>\\s*<([0-9A-Fa-f]+)>\\s*(<[0-9A-Fa-f]+>|\\[[^\\]]*\\])"));
    static const QRegularExpression hex(QStringLiteral("<([0-9A-Fa-f]+)>"));
    static const QRegularExpression block(QStringLiteral("begin(bfchar|bfrange)(.*?)end\\1"),
                                          QRegularExpression::DotMatchesEverythingOption);
    auto blocks = block.globalMatch(text);
    while (blocks.hasNext()) {
        const QRegularExpressionMatch b = blocks.next();
        const QString body = b.captured(2);
        if (b.captured(1) == QLatin1String("bfchar")) {
            auto it = hex.globalMatch(body);  // source and target, pair after pair
            while (it.hasNext()) {
                const uint code = it.next().captured(1).toUInt(nullptr, 16);
                if (it.hasNext()) {
                    map[code] = Utf16OfHex(it.next().captured(1));
                }
            }
            continue;
        }
        auto it = ranges.globalMatch(body);
        while (it.hasNext()) {
            const QRegularExpressionMatch m = it.next();
            const uint first = m.captured(1).toUInt(nullptr, 16);
            const uint last = m.captured(2).toUInt(nullptr, 16);
            const QString target = m.captured(3);
            if (target.startsWith(QLatin1Char('['))) {
                auto values = hex.globalMatch(target);
                for (uint code = first; code <= last && values.hasNext(); ++code) {
                    map[code] = Utf16OfHex(values.next().captured(1));
                }
            } else {
                const QString start = Utf16OfHex(target.mid(1, target.size() - 2));
                for (uint code = first; code <= last && !start.isEmpty(); ++code) {
                    QString value = start;
                    value.back() =
                        QChar(static_cast<char16_t>(start.back().unicode() + code - first));
                    map[code] = value;
                }
            }
        }
    }
    return map;
}

}  // namespace

QString PdfText(const QByteArray& pdf) {
    const std::map<int, PdfObject> objects = Objects(pdf);
    static const QRegularExpression toUnicode(QStringLiteral("/ToUnicode\\s+(\\d+) 0 R"));
    static const QRegularExpression fontName(QStringLiteral("/(F\\d+)\\s+(\\d+) 0 R"));
    static const QRegularExpression contents(QStringLiteral("/Contents\\s+(\\d+) 0 R"));
    static const QRegularExpression shown(
        QStringLiteral("/(F\\d+)\\s+[-\\d.]+\\s+Tf|<([0-9A-Fa-f]*)>"));

    std::map<int, std::map<uint, QString>> mapOfFont;  // font object -> its ToUnicode map
    QMap<QString, int> fontOfName;
    for (const auto& [id, object] : objects) {
        const QString dictionary = QString::fromLatin1(object.dictionary);
        const QRegularExpressionMatch m = toUnicode.match(dictionary);
        if (m.hasMatch()) {
            const auto cmap = objects.find(m.captured(1).toInt());
            if (cmap != objects.end()) {
                mapOfFont[id] = CharacterMap(cmap->second.stream);
            }
        }
        auto names = fontName.globalMatch(dictionary);
        while (names.hasNext()) {
            const QRegularExpressionMatch n = names.next();
            fontOfName[n.captured(1)] = n.captured(2).toInt();
        }
    }

    QString text;
    for (const auto& [id, object] : objects) {
        const QRegularExpressionMatch page = contents.match(QString::fromLatin1(object.dictionary));
        if (!page.hasMatch()) {
            continue;
        }
        const auto content = objects.find(page.captured(1).toInt());
        if (content == objects.end()) {
            continue;
        }
        const std::map<uint, QString>* font = nullptr;
        auto it = shown.globalMatch(QString::fromLatin1(content->second.stream));
        while (it.hasNext()) {
            const QRegularExpressionMatch m = it.next();
            if (!m.captured(1).isEmpty()) {
                const auto found = mapOfFont.find(fontOfName.value(m.captured(1), -1));
                font = found != mapOfFont.end() ? &found->second : nullptr;
                continue;
            }
            const QString glyphs = m.captured(2);
            for (qsizetype i = 0; font != nullptr && i + 4 <= glyphs.size(); i += 4) {
                const auto c = font->find(glyphs.mid(i, 4).toUInt(nullptr, 16));
                if (c == font->end()) {
                    continue;
                }
                // A ligature glyph (ff, fi, ...) reads as its letters, as a viewer's search
                // reads it.
                const bool ligature = c->second.size() == 1 && c->second[0].unicode() >= 0xFB00 &&
                                      c->second[0].unicode() <= 0xFB06;
                text += ligature ? c->second.normalized(QString::NormalizationForm_KC) : c->second;
            }
        }
    }
    return text;
}

}  // namespace wintest
