// Query lists: text files with one query (a number or a name) per line, read the same
// way by the window and by vendrake-batch.
#pragma once

#include <QString>
#include <QStringList>
#include <string_view>

namespace lookup {

// The largest list file read; a larger one is refused rather than read into memory.
constexpr qint64 kMaxListFileBytes = 64 * 1024 * 1024;

// The non-empty lines of a list's bytes: UTF-8 when the bytes are valid UTF-8 (a
// leading byte-order mark dropped), Windows-1251 otherwise; a line ends at CR LF, LF
// or CR.
QStringList SplitListText(std::string_view bytes);

struct ListFile {
    QStringList lines;  // the non-empty lines, in file order
    QString error;      // empty on success: names the file and what is wrong

    bool ok() const { return error.isEmpty(); }
};

// Reads path as a list. Only a regular file of at most kMaxListFileBytes is read.
ListFile ReadListFile(const QString& path);

}  // namespace lookup
