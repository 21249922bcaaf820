#include "window/shown_texts.h"

#include <QCoreApplication>
#include <QRegularExpression>
#include <vector>

#include "window/regions.h"

namespace window {

const char* const kQueryRowContext = "window::QueryEntry";
const char* const kQueryRowStart =
    QT_TRANSLATE_NOOP("window::QueryEntry", "Search for entered data...(");
const char* const kQueryNameCaption = QT_TRANSLATE_NOOP("window::QueryEntry", ", Название: ");
const char* const kQueryAddressCaption = QT_TRANSLATE_NOOP("window::QueryEntry", ", Адрес: ");
const char* const kQueryRegionCaption = QT_TRANSLATE_NOOP("window::QueryEntry", ", Регион: ");
const char* const kQueryDateCaption = QT_TRANSLATE_NOOP("window::QueryEntry", ", Дата: ");
const char* const kQueryNumberCaption = QT_TRANSLATE_NOOP("window::QueryEntry", ", ИНН: ");

namespace {

constexpr const char* kReasonContext = "window::ShownReason";
constexpr const char* kCountSeparator =
    QT_TRANSLATE_NOOP("window::ShownReason", ", records found: ");

// The reasons the lookup writes, "%1" standing for the part that varies (a host, a
// size, a status); each matches a whole reason.
const char* const kReasons[] = {
    QT_TRANSLATE_NOOP("window::ShownReason", "check digit does not match (%1)"),
    QT_TRANSLATE_NOOP("window::ShownReason", "not checked: the daily request limit is used up"),
    QT_TRANSLATE_NOOP("window::ShownReason", "no answer in time"),
    QT_TRANSLATE_NOOP("window::ShownReason", "cannot find the host %1"),
    QT_TRANSLATE_NOOP("window::ShownReason", "cannot connect to the proxy %1"),
    QT_TRANSLATE_NOOP("window::ShownReason", "cannot connect to %1"),
    QT_TRANSLATE_NOOP("window::ShownReason", "cannot find the proxy host %1"),
    QT_TRANSLATE_NOOP("window::ShownReason", "the proxy %1 asks for a password"),
    QT_TRANSLATE_NOOP("window::ShownReason", "the proxy %1 failed"),
    QT_TRANSLATE_NOOP("window::ShownReason", "cannot decode the answer"),
    QT_TRANSLATE_NOOP("window::ShownReason", "the connection broke"),
    QT_TRANSLATE_NOOP("window::ShownReason", "the connection closed without an answer"),
    QT_TRANSLATE_NOOP("window::ShownReason", "the answer ended early"),
    QT_TRANSLATE_NOOP("window::ShownReason", "too many redirects"),
    QT_TRANSLATE_NOOP("window::ShownReason", "unreadable answer from %1"),
    QT_TRANSLATE_NOOP("window::ShownReason", "out of memory"),
    QT_TRANSLATE_NOOP("window::ShownReason", "aborted"),
    QT_TRANSLATE_NOOP("window::ShownReason", "answer larger than %1"),
    QT_TRANSLATE_NOOP("window::ShownReason", "too many result pages"),
    QT_TRANSLATE_NOOP("window::ShownReason", "the register's answer was not recognised"),
    QT_TRANSLATE_NOOP("window::ShownReason", "too many rows (a result page may hold %1)"),
};

struct ReasonPattern {
    const char* source;
    QRegularExpression pattern;
};

const std::vector<ReasonPattern>& ReasonPatterns() {
    static const std::vector<ReasonPattern> patterns = [] {
        std::vector<ReasonPattern> list;
        for (const char* source : kReasons) {
            // Each piece around "%1" matched as it is, "%1" itself as any text.
            const QStringList pieces = QString::fromUtf8(source).split(QStringLiteral("%1"));
            QStringList escaped;
            for (const QString& piece : pieces) {
                escaped << QRegularExpression::escape(piece);
            }
            const QString pattern = escaped.join(QStringLiteral("(.+)"));
            list.push_back({source, QRegularExpression(QStringLiteral("\\A") + pattern +
                                                       QStringLiteral("\\z"))});
        }
        return list;
    }();
    return patterns;
}

QString Translated(const char* context, const char* source) {
    return QCoreApplication::translate(context, source);
}

}  // namespace

QString ShownReason(const QString& text) {
    for (const ReasonPattern& reason : ReasonPatterns()) {
        const QRegularExpressionMatch m = reason.pattern.match(text);
        if (m.hasMatch()) {
            const QString shown = Translated(kReasonContext, reason.source);
            return m.lastCapturedIndex() >= 1 ? shown.arg(m.captured(1)) : shown;
        }
    }
    return text;
}

QString ShownQueryText(const QString& text) {
    QString shown = text;
    QString count;
    const QString separator = QString::fromUtf8(kCountSeparator);
    const qsizetype at = shown.lastIndexOf(separator);
    static const QRegularExpression digits(QStringLiteral("\\A\\d+\\z"));
    if (at >= 0 && digits.match(shown.mid(at + separator.size())).hasMatch()) {
        count = Translated(kReasonContext, kCountSeparator) + shown.mid(at + separator.size());
        shown.truncate(at);
    }
    const QString start = QString::fromUtf8(kQueryRowStart);
    if (!shown.startsWith(start) || !shown.endsWith(QLatin1Char(')'))) {
        return shown + count;  // a list line: as typed
    }
    // The criteria, split at the captions; a caption's own value may hold anything.
    QString body = shown.mid(start.size(), shown.size() - start.size() - 1);
    body.prepend(QStringLiteral(", "));  // the first criterion has no separator before it
    QString out = Translated(kQueryRowContext, kQueryRowStart);
    const char* const captions[] = {kQueryNameCaption, kQueryAddressCaption, kQueryRegionCaption,
                                    kQueryDateCaption, kQueryNumberCaption};
    qsizetype from = 0;
    bool first = true;
    for (const char* caption : captions) {
        const QString source = QString::fromUtf8(caption);
        const qsizetype found = body.indexOf(source, from);
        if (found < 0) {
            continue;
        }
        if (found > from) {  // text between captions belongs to the criterion before
            out += body.mid(from, found - from);
        }
        QString translated = Translated(kQueryRowContext, caption);
        out += first ? translated.mid(2) : translated;  // no ", " before the first
        first = false;
        from = found + source.size();
        if (caption == kQueryRegionCaption) {
            const qsizetype end = [&] {
                for (const char* next : {kQueryDateCaption, kQueryNumberCaption}) {
                    const qsizetype n = body.indexOf(QString::fromUtf8(next), from);
                    if (n >= 0) {
                        return n;
                    }
                }
                return body.size();
            }();
            const QString region = body.mid(from, end - from);
            const int position = RegionNames().indexOf(region);
            out += position >= 0 ? RegionDisplayName(position) : region;
            from = end;
        }
    }
    out += body.mid(from) + QLatin1Char(')');
    return out + count;
}

}  // namespace window
