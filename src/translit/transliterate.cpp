// The engine's entry points: Transliterate with its failure report, and the
// dictionary pass before it.
#include <cstdio>
#include <exception>

#include "translit/rule_lines.h"
#include "translit/translit.h"

namespace translit {
namespace {

FailureReporter& Reporter() {
    static FailureReporter reporter;
    return reporter;
}

void Report(const QString& message) {
    if (const FailureReporter& reporter = Reporter()) {
        reporter(message);
        return;
    }
    const QByteArray bytes = message.toUtf8();
    std::fprintf(stderr, "%s\n", bytes.constData());
    std::fflush(stderr);
}

void ReportFailure() {
    try {
        Report(FailureMessage());
    } catch (...) {
        // A reporter that fails itself cannot be helped; the caller still learns of
        // the failure from the result.
    }
}

// Leading and trailing spaces and control characters (every code unit up to U+0020).
QString TrimBlanks(const QString& s) {
    qsizetype begin = 0;
    qsizetype end = s.size();
    while (begin < end && s.at(begin).unicode() <= 0x20)
        ++begin;
    while (end > begin && s.at(end - 1).unicode() <= 0x20)
        --end;
    if (begin == 0 && end == s.size())
        return s;
    return s.mid(begin, end - begin);
}

// Upper-cased code unit by code unit, so that positions stay those of the original.
QString UpperUnits(const QString& s) {
    QString upper(s.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < s.size(); ++i)
        upper[i] = s.at(i).toUpper();
    return upper;
}

// Raised when a replacement would make the text longer than limit.
struct TooLong {};

// Every occurrence of source, compared without regard to case, replaced by target;
// the search resumes after each inserted target. Throws TooLong when the result would
// be longer than limit.
QString ReplaceIgnoringCase(const QString& text, const QString& source, const QString& target,
                            qsizetype limit) {
    if (source.isEmpty() || text.size() < source.size())
        return text;
    const QString upperText = UpperUnits(text);
    const QString upperSource = UpperUnits(source);
    qsizetype found = upperText.indexOf(upperSource);
    if (found < 0)
        return text;
    QString out;
    qsizetype from = 0;
    while (found >= 0) {
        if (out.size() + (found - from) + target.size() > limit)
            throw TooLong{};
        out += QStringView(text).mid(from, found - from);
        out += target;
        from = found + source.size();
        found = upperText.indexOf(upperSource, from);
    }
    out += QStringView(text).mid(from);
    return out;
}

constexpr qsizetype kMaxTargetLength = 1000;

}  // namespace

void SetFailureReporter(FailureReporter reporter) {
    Reporter() = std::move(reporter);
}

QString FailureMessage() {
    return QStringLiteral("Ошибка преобразования (возможно ошибка в исключениях)");
}

bool Transliterate(const QString& text, const QString& language, QString& result) {
    if (text.isEmpty()) {
        result.clear();
        return true;
    }
    bool ok = false;
    QString converted;
    try {
        // The same root serves both files of the call.
        const QString folder = GetTransliterationDir() + language + QLatin1Char('/');
        const detail::RuleFileText tableFile =
            detail::ReadRuleFile(folder + language + QStringLiteral(".dat"));
        const std::vector<detail::EntryView> table = detail::ParseTableViews(tableFile.lines);
        const detail::RuleFileText ruleFile =
            detail::ReadRuleFile(folder + QStringLiteral("exception.dat"));
        const std::vector<detail::RuleView> rules = detail::ParseRuleViews(ruleFile.lines);
        converted = detail::ConvertViews(text, table, rules);
        ok = true;
    } catch (...) {
        ok = false;
    }
    if (!ok) {
        ReportFailure();
        return false;
    }
    result = std::move(converted);
    return true;
}

void TranslateByDictionary(const QString& text, const QString& language, QStringList* lines,
                           QString& result) {
    result.clear();
    if (!lines)
        return;
    for (QString& line : *lines)
        line = TrimBlanks(line);

    const qsizetype limit = MaxTextLength(text.size());
    QString working = text;
    for (const QString& line : std::as_const(*lines)) {
        const qsizetype semicolon = line.indexOf(QLatin1Char(';'));
        if (semicolon < 0)
            continue;
        const QString source = TrimBlanks(line.left(semicolon));
        const QString target = TrimBlanks(line.mid(semicolon + 1, kMaxTargetLength));
        try {
            working = ReplaceIgnoringCase(working, source, target, limit);
        } catch (const TooLong&) {
            // Pairs whose targets hold their sources, or feed later pairs, can make the
            // text grow without end; stop at the last text that was within bounds.
            result = working;
            ReportFailure();
            return;
        }
    }
    result = working;
    Transliterate(working, language, result);
}

}  // namespace translit
