#include "lists/list_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <QCryptographicHash>
#include <QFile>
#include <QStringDecoder>
#include <algorithm>
#include <cerrno>
#include <cstring>

#include "platform/cp1251.h"

namespace lookup {

// Each non-empty line is a record: the empty lines before it, its bytes, and LF. A line
// never holds CR or LF, so the LF ends the record, and the empty lines before it are
// one LF each when there are one or two of them, otherwise CR and their count (7 bits
// a byte, low bits first, the top bit set on every byte but the last). So the records
// take no more than the lines did in the file (a last line without its end aside).
struct ListStore {
    struct Mark {
        std::size_t at;  // where a record starts
        int before;      // the number of the line before it
    };
    // One mark every kMarkEvery records: finding a line by its number reads at most
    // that many records.
    static constexpr std::size_t kMarkEvery = 64;

    std::string data;
    std::vector<Mark> marks;
    std::size_t count = 0;
};

namespace {

constexpr std::size_t kShownCp1251Lines = 20;

bool IsAscii(std::string_view bytes) {
    return std::all_of(bytes.begin(), bytes.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

// A control character other than TAB: what a text list holds by accident at most.
bool IsControlByte(unsigned char c) {
    return (c < 0x20 && c != '\t') || c == 0x7F;
}

QString ReadError(const QString& name, const QString& why) {
    return QStringLiteral("Cannot read file \"%1\". %2").arg(name, why);
}

QString NotTextError(const QString& name, const QString& why) {
    return QStringLiteral(
               "Cannot read file \"%1\". It is not a text list: %2. Save it as text (UTF-8, "
               "Windows-1251, or UTF-16 with a byte-order mark).")
        .arg(name, why);
}

// Builds a list from its bytes, given in one piece or in several: splits them into
// lines (a line ends at CR LF, LF or CR, also when the two of CR LF come in different
// pieces) and keeps the non-empty ones.
class ListBuilder {
  public:
    ListBuilder(ListFile& list, ListStore& store, const QString& name)
        : list_(list), store_(store), name_(name) {}

    // fileBytes: the bytes fed are the file's own (checked for NUL and decoded line by
    // line); otherwise they are UTF-8 decoded from UTF-16, counted by CountText.
    void SetFileBytes(bool fileBytes) { fileBytes_ = fileBytes; }

    // False once the bytes are refused (list.error says why).
    bool Feed(std::string_view bytes) {
        std::size_t i = 0;
        if (pendingCr_ && !bytes.empty()) {
            pendingCr_ = false;
            const bool crlf = bytes.front() == '\n';
            EndLine(crlf ? "\r\n" : "\r");
            i = crlf ? 1 : 0;
        }
        while (i < bytes.size() && list_.ok()) {
            const std::size_t end = bytes.find_first_of("\r\n", i);
            if (end == std::string_view::npos) {
                partial_.append(bytes.substr(i));
                break;
            }
            partial_.append(bytes.substr(i, end - i));
            if (bytes[end] == '\n') {
                EndLine("\n");
                i = end + 1;
            } else if (end + 1 == bytes.size()) {
                pendingCr_ = true;  // the LF of a CR LF may come with the next piece
                i = end + 1;
            } else {
                const bool crlf = bytes[end + 1] == '\n';
                EndLine(crlf ? "\r\n" : "\r");
                i = end + (crlf ? 2 : 1);
            }
        }
        return list_.ok();
    }

    // Ends the last line and judges the whole: true when the list is accepted.
    bool Finish() {
        if (pendingCr_) {
            EndLine("\r");
        } else if (!partial_.empty()) {
            EndLine({});
        }
        if (!list_.ok()) {
            return false;
        }
        if (controls_ > 0 && controls_ * 2 > characters_) {
            list_.error = NotTextError(name_, QStringLiteral("most of its characters are "
                                                             "control characters"));
            return false;
        }
        if (!utf8Text_) {
            list_.cp1251Lines.clear();
            list_.cp1251Count = 0;
        }
        if (list_.lineEnd.empty()) {
            list_.lineEnd = "\r\n";
        }
        return true;
    }

    // The list began with a UTF-8 byte-order mark: it is UTF-8 text.
    void MarkUtf8Text() { utf8Text_ = true; }

    // Counts characters of a UTF-16 list before they are fed as UTF-8.
    void CountText(const QString& text) {
        for (const QChar c : text) {
            const char16_t u = c.unicode();
            if (u == '\r' || u == '\n') {
                continue;
            }
            ++characters_;
            // Control characters, and what the decoder put for bytes that are no
            // character at all.
            if (u < 0x20 ? u != '\t' : (u >= 0x7F && u <= 0x9F) || u == 0xFFFD) {
                ++controls_;
            }
        }
    }

  private:
    void EndLine(std::string_view end) {
        ++list_.lineCount;
        if (list_.lineEnd.empty() && !end.empty()) {
            list_.lineEnd = std::string(end);
        }
        if (partial_.empty()) {
            ++emptyBefore_;
            return;
        }
        if (fileBytes_ && !CheckFileLine()) {
            return;
        }
        if (store_.count % ListStore::kMarkEvery == 0) {
            store_.marks.push_back(
                {store_.data.size(), list_.lineCount - 1 - static_cast<int>(emptyBefore_)});
        }
        if (emptyBefore_ <= 2) {
            store_.data.append(emptyBefore_, '\n');
        } else {
            store_.data += '\r';
            for (unsigned gap = emptyBefore_; true; gap >>= 7) {
                const unsigned char low = gap & 0x7F;
                if (gap < 0x80) {
                    store_.data += static_cast<char>(low);
                    break;
                }
                store_.data += static_cast<char>(low | 0x80);
            }
        }
        store_.data += partial_;
        store_.data += '\n';
        ++store_.count;
        emptyBefore_ = 0;
        partial_.clear();
    }

    // A line of the file's own bytes: refused when it holds NUL; noted when it is read
    // as Windows-1251.
    bool CheckFileLine() {
        if (std::memchr(partial_.data(), '\0', partial_.size()) != nullptr) {
            list_.error = NotTextError(
                name_, QStringLiteral("line %1 holds a NUL byte").arg(list_.lineCount));
            return false;
        }
        characters_ += partial_.size();
        for (const char c : partial_) {
            controls_ += IsControlByte(static_cast<unsigned char>(c)) ? 1 : 0;
        }
        if (platform::IsValidUtf8(partial_)) {
            utf8Text_ = utf8Text_ || !IsAscii(partial_);
        } else {
            if (list_.cp1251Lines.size() < kShownCp1251Lines) {
                list_.cp1251Lines.push_back(list_.lineCount);
            }
            ++list_.cp1251Count;
        }
        return true;
    }

    ListFile& list_;
    ListStore& store_;
    const QString& name_;
    bool fileBytes_ = true;
    std::string partial_;  // the line read so far
    bool pendingCr_ = false;
    unsigned emptyBefore_ = 0;  // empty lines since the last one kept
    bool utf8Text_ = false;     // some line is UTF-8 beyond ASCII
    std::uint64_t characters_ = 0;
    std::uint64_t controls_ = 0;
};

// Reads a list from its bytes given a piece at a time: the first bytes decide the
// encoding (a byte-order mark), a UTF-16 list is decoded piece by piece, and the
// digest is taken on the way, so that the file never sits in memory whole.
class ListReader {
  public:
    explicit ListReader(const QString& name)
        : name_(name), store_(std::make_shared<ListStore>()), builder_(list_, *store_, name_) {}

    // Room for the lines of a file of size bytes, taken at once instead of in steps
    // that would each copy what is there. Pages never written are never used.
    void Expect(qint64 size) { store_->data.reserve(static_cast<std::size_t>(size) / 2 * 3 + 16); }

    // False once the list is refused.
    bool Add(std::string_view bytes) {
        hash_.addData(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
        list_.size += static_cast<qint64>(bytes.size());
        if (!list_.ok()) {
            return false;
        }
        if (!decided_) {
            head_.append(bytes);
            if (head_.size() < 3) {
                return true;
            }
            return Decide();
        }
        return Feed(bytes);
    }

    ListFile Finish() {
        if (!decided_ && list_.ok()) {
            Decide();
        }
        if (list_.ok() && list_.utf16) {
            if (utf16Bytes_ % 2 != 0) {
                list_.error = NotTextError(name_, QStringLiteral("it is UTF-16 but ends with "
                                                                 "half a character"));
            } else if (!held_.isEmpty()) {
                FeedText(QString(QChar::ReplacementCharacter));  // a pair never completed
            }
        }
        list_.digest = hash_.result().toHex();
        if (!list_.ok() || !builder_.Finish()) {
            ListFile refused;
            refused.size = list_.size;
            refused.digest = list_.digest;
            refused.error = list_.error;
            return refused;
        }
        store_->marks.shrink_to_fit();
        list_.entries = ListLines(std::move(store_));
        list_.lines = ListTexts(list_.entries);
        return std::move(list_);
    }

  private:
    bool Decide() {
        decided_ = true;
        std::string_view head = head_;
        if (head.substr(0, 2) == "\xFF\xFE" || head.substr(0, 2) == "\xFE\xFF") {
            list_.utf16 = true;
            decoder_ = QStringDecoder(head[0] == '\xFF' ? QStringDecoder::Utf16LE
                                                        : QStringDecoder::Utf16BE);
            builder_.SetFileBytes(false);
            head.remove_prefix(2);
        } else if (head.substr(0, 3) == "\xEF\xBB\xBF") {
            builder_.MarkUtf8Text();
            head.remove_prefix(3);
        }
        const bool fed = Feed(head);
        head_.clear();
        head_.shrink_to_fit();
        return fed;
    }

    bool Feed(std::string_view bytes) {
        if (!list_.utf16) {
            return builder_.Feed(bytes);
        }
        utf16Bytes_ += bytes.size();
        QString text = held_ + decoder_.decode(QByteArrayView(
                                   bytes.data(), static_cast<qsizetype>(bytes.size())));
        held_.clear();
        // The first half of a surrogate pair waits for the second in the next piece.
        if (!text.isEmpty() && text.back().isHighSurrogate()) {
            held_ = text.back();
            text.chop(1);
        }
        return FeedText(text);
    }

    bool FeedText(const QString& text) {
        builder_.CountText(text);
        utf8_ = text.toUtf8().toStdString();
        return builder_.Feed(utf8_);
    }

    const QString& name_;
    ListFile list_;
    std::shared_ptr<ListStore> store_;
    ListBuilder builder_;
    QCryptographicHash hash_{QCryptographicHash::Sha256};
    bool decided_ = false;
    std::string head_;  // the first bytes, until they tell the encoding
    QStringDecoder decoder_;
    std::uint64_t utf16Bytes_ = 0;  // after the byte-order mark
    QString held_;
    std::string utf8_;  // a UTF-16 piece as UTF-8, reused
};

}  // namespace

void ListLines::Iterator::Read() {
    const std::string& data = store_->data;
    if (at_ >= data.size()) {
        at_ = data.size();
        number_ = 0;
        return;
    }
    unsigned gap = 0;  // the empty lines before this one
    std::size_t i = at_;
    while (i < data.size() && data[i] == '\n') {
        ++gap;
        ++i;
    }
    if (i < data.size() && data[i] == '\r') {
        ++i;
        for (unsigned shift = 0; i < data.size(); shift += 7) {
            const auto byte = static_cast<unsigned char>(data[i++]);
            gap |= static_cast<unsigned>(byte & 0x7F) << shift;
            if ((byte & 0x80) == 0) {
                break;
            }
        }
    }
    number_ += static_cast<int>(gap) + 1;
    text_ = i;
    const std::size_t end = data.find('\n', i);
    size_ = (end == std::string::npos ? data.size() : end) - i;
}

ListLine ListLines::Iterator::operator*() const {
    ListLine line;
    line.number = number_;
    line.bytes.assign(store_->data, text_, size_);
    line.cp1251 = !platform::IsValidUtf8(line.bytes);
    line.text = line.cp1251 ? platform::FromCp1251(line.bytes)
                            : QString::fromUtf8(line.bytes.data(),
                                                static_cast<qsizetype>(line.bytes.size()));
    return line;
}

ListLines::Iterator& ListLines::Iterator::operator++() {
    at_ = std::min(text_ + size_ + 1, store_->data.size());
    Read();
    return *this;
}

ListLines::Iterator ListLines::begin() const {
    Iterator it;
    if (store_) {
        it.store_ = store_.get();
        it.Read();
    }
    return it;
}

ListLines::Iterator ListLines::end() const {
    Iterator it;
    if (store_) {
        it.store_ = store_.get();
        it.at_ = store_->data.size();
    }
    return it;
}

std::size_t ListLines::size() const {
    return store_ ? store_->count : 0;
}

std::size_t ListLines::heldBytes() const {
    return store_ ? store_->data.size() + store_->marks.size() * sizeof(ListStore::Mark) : 0;
}

std::optional<ListLine> ListLines::Numbered(int number) const {
    if (!store_ || store_->marks.empty() || number <= 0) {
        return std::nullopt;
    }
    const auto& marks = store_->marks;
    // The last mark whose line is at or before number.
    auto mark = std::upper_bound(marks.begin(), marks.end(), number,
                                 [](int n, const ListStore::Mark& m) { return n <= m.before; });
    if (mark == marks.begin()) {
        return std::nullopt;
    }
    --mark;
    Iterator it;
    it.store_ = store_.get();
    it.at_ = mark->at;
    it.number_ = mark->before;
    it.Read();
    for (std::size_t read = 0; read <= ListStore::kMarkEvery && it != end(); ++read, ++it) {
        if (it.number() == number) {
            return *it;
        }
        if (it.number() > number) {
            break;
        }
    }
    return std::nullopt;
}

QStringList ListTexts::toList() const {
    QStringList texts;
    texts.reserve(static_cast<qsizetype>(size()));
    for (const QString& text : *this) {
        texts.append(text);
    }
    return texts;
}

ListFile ParseListBytes(std::string_view bytes, const QString& name) {
    ListReader reader(name);
    reader.Expect(static_cast<qint64>(bytes.size()));
    reader.Add(bytes);
    return reader.Finish();
}

ListFile ReadListFile(const QString& path) {
    ListFile failed;
    // O_NONBLOCK: opening a named pipe would otherwise wait for a writer.
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    struct stat info {};
    if (fd < 0) {
        failed.error = ReadError(path, QString::fromLocal8Bit(std::strerror(errno)));
        return failed;
    }
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        failed.error = ReadError(path, QStringLiteral("Not a regular file."));
    } else if (info.st_size > kMaxListFileBytes) {
        failed.error =
            ReadError(path, QStringLiteral("Larger than %1 bytes.").arg(kMaxListFileBytes));
    }
    if (!failed.ok()) {
        ::close(fd);
        return failed;
    }
    ListReader reader(path);
    reader.Expect(info.st_size);
    std::string piece(1u << 20, '\0');
    qint64 read = 0;
    for (;;) {
        const ssize_t got = ::read(fd, piece.data(), piece.size());
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got < 0) {
            failed.error = ReadError(path, QString::fromLocal8Bit(std::strerror(errno)));
            break;
        }
        // The file may have grown since it was looked at: read on, within the limit.
        read += got;
        if (read > kMaxListFileBytes) {
            failed.error =
                ReadError(path, QStringLiteral("Larger than %1 bytes.").arg(kMaxListFileBytes));
            break;
        }
        if (got == 0 ||
            !reader.Add(std::string_view(piece.data(), static_cast<std::size_t>(got)))) {
            break;
        }
    }
    ::close(fd);
    return failed.ok() ? reader.Finish() : failed;
}

std::string Cp1251LinesNote(const std::vector<int>& numbers, std::size_t total) {
    if (numbers.empty()) {
        return {};
    }
    total = std::max(total, numbers.size());
    std::string text = total == 1 ? "line " : "lines ";
    for (std::size_t i = 0; i < numbers.size() && i < kShownCp1251Lines; ++i) {
        text += (i == 0 ? "" : ", ") + std::to_string(numbers[i]);
    }
    const std::size_t shown = std::min(numbers.size(), kShownCp1251Lines);
    if (total > shown) {
        text += " and " + std::to_string(total - shown) + " more";
    }
    return text;
}

}  // namespace lookup
