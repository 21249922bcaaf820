// Query lists: text files with one query (a number or a name) per line, read the same
// way by the window and by vendrake-batch.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <string>
#include <string_view>
#include <vector>

namespace lookup {

// The largest list file read; a larger one is refused rather than read into memory.
constexpr qint64 kMaxListFileBytes = 64 * 1024 * 1024;

// One line of bytes and the line end after it (empty for a last line without one).
struct LineSpan {
    std::string_view text;
    std::string_view end;
};

// Splits bytes into lines: a line ends at CR LF, LF or CR. A last line without an end
// counts; nothing follows a final line end.
std::vector<LineSpan> SplitLines(std::string_view bytes);

struct ListLine {
    int number = 0;       // 1-based, counting every line of the file
    std::string bytes;    // the line as it was in the file, without its line end
    QString text;         // the line decoded
    bool cp1251 = false;  // decoded as Windows-1251 (it is not valid UTF-8)
};

struct ListFile {
    std::vector<ListLine> entries;  // every line, empty ones included
    QStringList lines;              // the non-empty lines' text, in file order
    std::string lineEnd;            // the file's first line end; CR LF when it has none
    // Lines read as Windows-1251 in a list that also holds UTF-8 text (empty when the
    // whole list is one encoding).
    std::vector<int> cp1251Lines;
    qint64 size = 0;    // the file's size in bytes
    QByteArray digest;  // SHA-256 of the file's bytes, hex
    QString error;      // empty on success: names the file and what is wrong

    bool ok() const { return error.isEmpty(); }
};

// A list's bytes line by line: each line that is valid UTF-8 as UTF-8 (a leading
// byte-order mark dropped), any other as Windows-1251.
ListFile ParseListBytes(std::string_view bytes);

// The non-empty lines of a list's bytes, decoded as ParseListBytes does.
QStringList SplitListText(std::string_view bytes);

// Reads path as a list. Only a regular file of at most kMaxListFileBytes is read.
ListFile ReadListFile(const QString& path);

// "line 3" or "lines 3, 7, 9" (the first twenty, then how many more) for the lines
// read as Windows-1251; empty when there are none.
std::string Cp1251LinesNote(const std::vector<int>& numbers);

}  // namespace lookup
