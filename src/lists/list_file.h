// Query lists: text files with one query (a number or a name) per line, read the same
// way by the window and by vendrake-batch.
//
// A list is kept in a compact form: its non-empty lines one after another, each with
// the count of empty lines before it, and a mark every few dozen lines for finding a
// line by its number. Empty lines cost nothing, and a line is decoded only when it is
// looked at, so a list of millions of lines takes little more than its own bytes.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <cstddef>
#include <cstdint>
#include <iterator>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace lookup {

// The largest list file read; a larger one is refused rather than read into memory.
constexpr qint64 kMaxListFileBytes = 64 * 1024 * 1024;

// One non-empty line of a list, decoded when it is looked at.
struct ListLine {
    int number = 0;  // 1-based, counting every line of the file
    // The line without its line end: as it was in the file, or as UTF-8 for a UTF-16 list.
    std::string bytes;
    QString text;         // the line decoded
    bool cp1251 = false;  // decoded as Windows-1251 (it is not valid UTF-8)
};

// The compact form of a list's non-empty lines (see the top of this file).
struct ListStore;

// The non-empty lines of a list, in file order. Copies share the lines.
class ListLines {
  public:
    class Iterator {
      public:
        using iterator_category = std::input_iterator_tag;
        using value_type = ListLine;
        using difference_type = std::ptrdiff_t;
        using pointer = void;
        using reference = ListLine;

        Iterator() = default;
        ListLine operator*() const;
        Iterator& operator++();
        bool operator==(const Iterator& other) const { return at_ == other.at_; }
        bool operator!=(const Iterator& other) const { return at_ != other.at_; }
        // The number of the line it stands on (0 at the end).
        int number() const { return number_; }

      private:
        friend class ListLines;
        void Read();

        const ListStore* store_ = nullptr;
        std::size_t at_ = 0;    // where the line's record starts
        std::size_t text_ = 0;  // where its bytes start
        std::size_t size_ = 0;  // how many bytes it has
        int number_ = 0;
    };

    ListLines() = default;
    explicit ListLines(std::shared_ptr<const ListStore> store) : store_(std::move(store)) {}

    Iterator begin() const;
    Iterator end() const;
    // How many non-empty lines there are.
    std::size_t size() const;
    bool empty() const { return size() == 0; }
    // The line numbered number, or nothing when that line is empty or beyond the list.
    std::optional<ListLine> Numbered(int number) const;
    // The memory the lines take, in bytes (their bytes and the marks).
    std::size_t heldBytes() const;

  private:
    std::shared_ptr<const ListStore> store_;
};

// The text of a list's non-empty lines, in file order.
class ListTexts {
  public:
    class Iterator {
      public:
        using iterator_category = std::input_iterator_tag;
        using value_type = QString;
        using difference_type = std::ptrdiff_t;
        using pointer = void;
        using reference = QString;

        explicit Iterator(ListLines::Iterator at) : at_(at) {}
        QString operator*() const { return (*at_).text; }
        Iterator& operator++() {
            ++at_;
            return *this;
        }
        bool operator==(const Iterator& other) const { return at_ == other.at_; }
        bool operator!=(const Iterator& other) const { return at_ != other.at_; }

      private:
        ListLines::Iterator at_;
    };

    ListTexts() = default;
    explicit ListTexts(ListLines lines) : lines_(std::move(lines)) {}

    Iterator begin() const { return Iterator(lines_.begin()); }
    Iterator end() const { return Iterator(lines_.end()); }
    std::size_t size() const { return lines_.size(); }
    bool isEmpty() const { return lines_.empty(); }
    QStringList toList() const;

  private:
    ListLines lines_;
};

struct ListFile {
    ListLines entries;    // the non-empty lines (a line of blanks is one)
    ListTexts lines;      // their text, in file order
    int lineCount = 0;    // every line of the file, empty ones included
    std::string lineEnd;  // the file's first line end; CR LF when it has none
    // Lines read as Windows-1251 in a list that also holds UTF-8 text (none when the
    // whole list is one encoding): the first few of them, and how many there are.
    std::vector<int> cp1251Lines;
    std::size_t cp1251Count = 0;
    bool utf16 = false;  // the file is UTF-16 with a byte-order mark
    qint64 size = 0;     // the file's size in bytes
    QByteArray digest;   // SHA-256 of the file's bytes, hex
    QString error;       // empty on success: names the file and what is wrong

    bool ok() const { return error.isEmpty(); }
};

// A list's bytes line by line. A byte-order mark decides UTF-16 (little- or
// big-endian) for the whole file; otherwise each line that is valid UTF-8 is read as
// UTF-8 (a leading UTF-8 byte-order mark dropped), any other as Windows-1251. Bytes
// that are not text are refused: a NUL byte outside UTF-16, or a file whose characters
// are mostly control characters. name is the file named in the error.
ListFile ParseListBytes(std::string_view bytes, const QString& name = QStringLiteral("list"));

// Reads path as a list. Only a regular file of at most kMaxListFileBytes is read.
ListFile ReadListFile(const QString& path);

// "line 3" or "lines 3, 7, 9" (the first twenty, then how many more) for the lines
// read as Windows-1251; total, when larger, is how many there are in all. Empty when
// there are none.
std::string Cp1251LinesNote(const std::vector<int>& numbers, std::size_t total = 0);

}  // namespace lookup
