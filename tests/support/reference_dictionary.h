// The plain dictionary pass, pair after pair, each pair one search-and-replace over the
// whole text: what the engine's compiled dictionary must always agree with.
#pragma once

#include <QString>
#include <QStringList>
#include <optional>

namespace translit_test {

inline QString ReferenceTrim(const QString& s) {
    qsizetype begin = 0;
    qsizetype end = s.size();
    while (begin < end && s.at(begin).unicode() <= 0x20)
        ++begin;
    while (end > begin && s.at(end - 1).unicode() <= 0x20)
        --end;
    return s.mid(begin, end - begin);
}

inline QString ReferenceUpper(const QString& s) {
    QString upper = s;
    for (qsizetype i = 0; i < s.size(); ++i)
        upper[i] = s.at(i).toUpper();
    return upper;
}

// The replaced text, or nothing when a replacement would make it longer than limit;
// then stoppedAt receives the text the pairs before that one made.
inline std::optional<QString> ReferenceDictionaryPass(const QString& text, const QStringList& lines,
                                                      qsizetype limit,
                                                      QString* stoppedAt = nullptr) {
    QString working = text;
    for (const QString& rawLine : lines) {
        const QString line = ReferenceTrim(rawLine);
        const qsizetype semicolon = line.indexOf(QLatin1Char(';'));
        if (semicolon < 0)
            continue;
        const QString source = ReferenceTrim(line.left(semicolon));
        const QString target = ReferenceTrim(line.mid(semicolon + 1, 1000));
        if (source.isEmpty())
            continue;
        const QString upperText = ReferenceUpper(working);
        const QString upperSource = ReferenceUpper(source);
        QString out;
        qsizetype from = 0;
        qsizetype found = upperText.indexOf(upperSource);
        if (found < 0)
            continue;
        while (found >= 0) {
            if (out.size() + (found - from) + target.size() > limit) {
                if (stoppedAt)
                    *stoppedAt = working;
                return std::nullopt;
            }
            out += working.mid(from, found - from);
            out += target;
            from = found + source.size();
            found = upperText.indexOf(upperSource, from);
        }
        out += working.mid(from);
        working = out;
    }
    return working;
}

}  // namespace translit_test
