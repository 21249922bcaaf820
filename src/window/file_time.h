// Times as the files the window writes give them: UTC, ending in "Z".
#pragma once

#include <QDateTime>
#include <QString>

namespace window {

// "2026-12-10T17:09:11Z" for an ISO time: one without a zone is the machine's local
// time, one with a zone is converted. Text that is no ISO time is kept as it is.
inline QString FileTimeText(const QString& text) {
    const QDateTime time = QDateTime::fromString(text, Qt::ISODate);
    if (!time.isValid()) {
        return text;
    }
    return time.toUTC().toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss'Z'"));
}

}  // namespace window
