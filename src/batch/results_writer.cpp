#include "batch/results_writer.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <vector>

#include "lists/list_run_driver.h"
#include "lists/results_file.h"
#include "platform/cp1251.h"
#include "translit/translit.h"

namespace batch {
namespace {

// The keys of the ten fields in record order, and which of them get a _latin twin.
struct FieldKey {
    std::string lookup::FirmRecord::*member;
    const char* key;
    bool latin;
};

const std::vector<FieldKey>& FieldKeys() {
    static const std::vector<FieldKey> keys = {
        {&lookup::FirmRecord::name, "name", true},
        {&lookup::FirmRecord::address, "address", true},
        {&lookup::FirmRecord::ogrn, "ogrn", false},
        {&lookup::FirmRecord::grn, "grn", false},
        {&lookup::FirmRecord::inn, "inn", false},
        {&lookup::FirmRecord::kpp, "kpp", false},
        {&lookup::FirmRecord::date, "date", false},
        {&lookup::FirmRecord::authority, "authority", true},
        {&lookup::FirmRecord::authorityAddress, "authority_address", true},
        {&lookup::FirmRecord::region, "region", true},
    };
    return keys;
}

std::string Utf8(const std::string& cp1251) {
    return platform::Cp1251ToUtf8(cp1251);
}

// A value of the twelve-line text blocks: control characters (NUL, ESC, line breaks)
// other than TAB are dropped, so that every block keeps its twelve lines.
std::string PrintableText(const std::string& value) {
    std::string out;
    out.reserve(value.size());
    for (char c : value) {
        if (static_cast<unsigned char>(c) >= 0x20 || c == '\t') {
            out += c;
        }
    }
    return out;
}

// Flush the buffer to the file once it holds this much, so a line of many firms
// never sits in memory whole as text.
constexpr std::size_t kDrainBytes = 1u << 20;

}  // namespace

const char* OutcomeName(LineOutcome outcome) {
    switch (outcome) {
        case LineOutcome::Failed:
            return "failed";
        case LineOutcome::Skipped:
            return "skipped";
        case LineOutcome::Unchecked:
            return "unchecked";
        case LineOutcome::Done:
            break;
    }
    return "done";
}

QString ResultsFileName(const QString& listPath, OutputFormat format) {
    const QString text = lookup::EnabledFileName(listPath);
    switch (format) {
        case OutputFormat::Jsonl:
            return text.chopped(4) + QStringLiteral(".jsonl");
        case OutputFormat::Csv:
            return text.chopped(4) + QStringLiteral(".csv");
        case OutputFormat::Xlsx:
            return text.chopped(4) + QStringLiteral(".xlsx");
        case OutputFormat::Text:
            break;
    }
    return text;
}

QString XlsxSpoolFileName(const QString& listPath) {
    const QFileInfo book(ResultsFileName(listPath, OutputFormat::Xlsx));
    return book.dir().filePath(QLatin1Char('.') + book.fileName() + QStringLiteral(".spool"));
}

QString XlsxRowsFileName(const QString& listPath) {
    return ResultsFileName(listPath, OutputFormat::Xlsx) + QStringLiteral(".csv");
}

// A csv cell; for the rows of a workbook, the same with one more apostrophe before a
// leading one (see XlsxSpoolFileName), or, in a file of an earlier version, quoted
// where needed but otherwise as it is.
std::string ResultsWriter::Cell(std::string_view utf8) const {
    if (format_ != OutputFormat::Xlsx) {
        return CsvCell(utf8);
    }
    if (guardRows_) {
        const std::string cell = CsvCell(utf8);
        if (utf8.empty() || utf8.front() != '\'') {
            return cell;
        }
        return cell.front() == '"' ? "\"'" + cell.substr(1) : "'" + cell;
    }
    if (utf8.find_first_of(";\"\r\n") == std::string_view::npos) {
        return std::string(utf8);
    }
    std::string quoted = "\"";
    for (char c : utf8) {
        if (c == '"') {
            quoted += '"';
        }
        quoted += c;
    }
    return quoted + '"';
}

std::string NowUtc() {
    return QDateTime::currentDateTimeUtc().toString(Qt::ISODate).toStdString();
}

ResultsWriter::ResultsWriter(OutputFormat format, std::string service,
                             const translit::Translator* translator)
    : format_(format), service_(std::move(service)), translator_(translator) {}

ResultsWriter::~ResultsWriter() {
    Close();
}

platform::Result<void, ResultsWriter::OpenFailure> ResultsWriter::Open(const QString& path,
                                                                       std::int64_t keepBytes) {
    using Kind = OpenFailure::Kind;
    path_ = path;
    keepBytes_ = keepBytes;
    const QByteArray name = QFile::encodeName(path);
    // O_NONBLOCK: a named pipe in the file's place must not hold the run up.
    fd_ = ::open(name.constData(), O_RDWR | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd_ < 0 && errno == ENOENT) {
        // The user's output: its mode follows the umask, unless it is to be private.
        fd_ = ::open(name.constData(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC,
                     private_ ? 0600 : 0666);
        created_ = fd_ >= 0;
    }
    if (fd_ < 0) {
        if (errno == ELOOP) {
            return platform::Failure(OpenFailure{Kind::Refused, "It is a symbolic link."});
        }
        return platform::Failure(OpenFailure{Kind::Failed, std::strerror(errno)});
    }
    struct stat st {};
    if (::fstat(fd_, &st) != 0 || !S_ISREG(st.st_mode)) {
        Close();
        return platform::Failure(OpenFailure{Kind::Refused, "It is not a regular file."});
    }
    ::fcntl(fd_, F_SETFL, ::fcntl(fd_, F_GETFL) & ~O_NONBLOCK);
    if (private_ && (st.st_mode & 077) != 0 && ::fchmod(fd_, st.st_mode & 0700) != 0) {
        const std::string why = std::string("It cannot be made private: ") + std::strerror(errno);
        Close();
        return platform::Failure(OpenFailure{Kind::Failed, why});
    }
    size_ = st.st_size;
    return {};
}

// Cuts the file back to what the progress file vouches for and writes the csv header
// into an empty file.
platform::Status ResultsWriter::Begin() {
    started_ = true;
    const std::int64_t onDisk = SizeOnDisk();
    if (onDisk < 0 ||
        (onDisk > keepBytes_ && ::ftruncate(fd_, static_cast<off_t>(keepBytes_)) != 0)) {
        return platform::Failure(std::strerror(errno));
    }
    const off_t end = ::lseek(fd_, 0, SEEK_END);
    if (end < 0) {
        return platform::Failure(std::strerror(errno));
    }
    size_ = end;
    if (size_ == 0 && csvRows()) {
        buffer_ = "\xEF\xBB\xBFline;query;kind";
        for (const FieldKey& f : FieldKeys()) {
            buffer_ += ';';
            buffer_ += f.key;
        }
        buffer_ += markSource_ ? ";text;service;checked_at;source" : ";text;service;checked_at";
        if (translator_ != nullptr) {
            for (const FieldKey& f : FieldKeys()) {
                if (f.latin) {
                    buffer_ += ';';
                    buffer_ += f.key;
                    buffer_ += "_latin";
                }
            }
        }
        if (markScreening_) {
            for (const char* column : ScreenColumns()) {
                buffer_ += ';';
                buffer_ += column;
            }
        }
        buffer_ += "\r\n";
        const platform::Status drained = Drain();
        if (!drained) {
            return drained;
        }
        size_ = ::lseek(fd_, 0, SEEK_CUR);
    }
    return {};
}

bool ResultsWriter::EndsRecordAt(std::int64_t bytes) const {
    if (bytes == 0) {
        return true;
    }
    char last = 0;
    return ::pread(fd_, &last, 1, static_cast<off_t>(bytes - 1)) == 1 && last == '\n';
}

std::int64_t ResultsWriter::SizeOnDisk() const {
    struct stat st {};
    return fd_ >= 0 && ::fstat(fd_, &st) == 0 ? static_cast<std::int64_t>(st.st_size) : -1;
}

std::int64_t ResultsWriter::Occurrences(std::int64_t bytes, std::string_view text) const {
    if (fd_ < 0 || text.empty()) {
        return fd_ < 0 ? -1 : 0;
    }
    constexpr std::size_t kPiece = 1u << 20;
    std::string window;  // the end of the last piece (shorter than text), then a new piece
    std::int64_t count = 0;
    for (std::int64_t offset = 0; offset < bytes;) {
        const std::size_t want =
            static_cast<std::size_t>(std::min<std::int64_t>(kPiece, bytes - offset));
        const std::size_t kept = window.size();
        window.resize(kept + want);
        const ssize_t n = ::pread(fd_, window.data() + kept, want, static_cast<off_t>(offset));
        if (n < 0 && errno == EINTR) {
            window.resize(kept);
            continue;
        }
        if (n <= 0) {
            return -1;
        }
        window.resize(kept + static_cast<std::size_t>(n));
        offset += n;
        std::size_t at = 0;
        std::size_t next = 0;
        for (; (at = window.find(text, at)) != std::string::npos; at += text.size()) {
            ++count;
            next = at + text.size();
        }
        // What could still begin an occurrence that the next piece completes.
        const std::size_t tail =
            std::max(next, window.size() - std::min(window.size(), text.size() - 1));
        window.erase(0, tail);
    }
    return count;
}

std::optional<ScreenedFirms> ResultsWriter::CountScreened(std::int64_t bytes) const {
    if (!markScreening_ || bytes <= 0) {
        return ScreenedFirms{};
    }
    if (csvRows()) {
        return CountCsvCells(bytes);
    }
    // Quotes in jsonl strings are escaped and a text value holds no line end, so these
    // are found only where the writer put them.
    const bool jsonl = format_ == OutputFormat::Jsonl;
    ScreenedFirms firms;
    firms.byNumber = Occurrences(bytes, jsonl ? "\"kind\":\"screening\",\"result\":\"identifier\""
                                              : "\nScreening: identifier match");
    firms.byName = Occurrences(
        bytes, jsonl ? "\"kind\":\"screening\",\"result\":\"name\"" : "\nScreening: name match");
    if (firms.byNumber < 0 || firms.byName < 0) {
        return std::nullopt;
    }
    return firms;
}

// The csv rows' "screening" cells, told apart from text inside quoted cells (which may
// hold anything, line ends too) by following the quotes from the header on.
std::optional<ScreenedFirms> ResultsWriter::CountCsvCells(std::int64_t bytes) const {
    std::size_t columns =
        3 + FieldKeys().size() + 3 + (markSource_ ? 1 : 0) + ScreenColumns().size();
    if (translator_ != nullptr) {
        columns += static_cast<std::size_t>(std::count_if(
            FieldKeys().begin(), FieldKeys().end(), [](const FieldKey& f) { return f.latin; }));
    }
    const std::size_t wanted = columns - ScreenColumns().size();
    constexpr std::size_t kPiece = 1u << 20;
    std::string piece(kPiece, '\0');
    bool quoted = false;
    bool header = true;
    std::size_t cell = 0;
    std::string value;  // the wanted cell of the row so far
    ScreenedFirms firms;
    for (std::int64_t offset = 0; offset < bytes;) {
        const std::size_t want =
            static_cast<std::size_t>(std::min<std::int64_t>(kPiece, bytes - offset));
        const ssize_t n = ::pread(fd_, piece.data(), want, static_cast<off_t>(offset));
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            return std::nullopt;
        }
        offset += n;
        for (ssize_t i = 0; i < n; ++i) {
            const char c = piece[static_cast<std::size_t>(i)];
            if (c == '"') {
                quoted = !quoted;
                continue;
            }
            if (quoted) {
                continue;
            }
            if (c == ';') {
                ++cell;
            } else if (c == '\n') {
                if (!header) {
                    firms.byNumber += value == "identifier" ? 1 : 0;
                    firms.byName += value == "name" ? 1 : 0;
                }
                header = false;
                cell = 0;
                value.clear();
            } else if (cell == wanted && c != '\r' && value.size() < 16) {
                value += c;
            }
        }
    }
    return firms;
}

std::string ResultsWriter::Missing() const {
    struct stat own {};
    struct stat named {};
    if (fd_ < 0 || ::fstat(fd_, &own) != 0) {
        return "it is not open";
    }
    if (::lstat(QFile::encodeName(path_).constData(), &named) != 0) {
        return "it was deleted during the run";
    }
    if (named.st_ino != own.st_ino || named.st_dev != own.st_dev) {
        return "it was replaced by another file during the run";
    }
    return {};
}

void ResultsWriter::Close() {
    if (fd_ < 0) {
        return;
    }
    if (created_ && !started_) {
        ::unlink(QFile::encodeName(path_).constData());
    }
    ::close(fd_);
    fd_ = -1;
}

std::string ResultsWriter::Latin(const std::string& cp1251) {
    const translit::Outcome out = translator_->Translate(platform::FromCp1251(cp1251));
    if (!out.ok() && translitError_.empty()) {
        translitError_ = out.error.toStdString();
    }
    return out.text.toUtf8().toStdString();
}

void ResultsWriter::AppendFirmText(const LineReport& line, const lookup::FirmRecord& firm) {
    lookup::FirmRecord clean = firm;
    for (const lookup::FirmField& field : lookup::FirmFields()) {
        clean.*field.member = PrintableText(clean.*field.member);
    }
    buffer_ += lookup::ResultsFileBytes(
        {lookup::ResultEntry{PrintableText(line.nodeText), clean.name, clean}});
}

// A message in the text file: the query's line, the message, an empty line.
void ResultsWriter::AppendMessageText(const LineReport& line, const std::string& text) {
    buffer_ += '[' + PrintableText(line.nodeText) + "]\r\n" + PrintableText(text) + "\r\n\r\n";
}

// The end of a jsonl record: where and when it was checked, and from where.
void ResultsWriter::AppendTail(const LineReport& line) {
    buffer_ +=
        ",\"service\":" + JsonString(service_) + ",\"checked_at\":" + JsonString(line.checkedAt);
    if (markSource_) {
        buffer_ += line.fromArchive ? ",\"source\":\"archive\"" : ",\"source\":\"register\"";
    }
    buffer_ += "}\n";
}

void ResultsWriter::AppendRecord(const LineReport& line, const char* kind,
                                 const lookup::FirmRecord* firm, const std::string& textUtf8,
                                 const std::vector<ScreenHit>* hits) {
    const std::string number = std::to_string(line.number);
    if (format_ == OutputFormat::Jsonl) {
        buffer_ += "{\"line\":" + number + ",\"query\":" + JsonString(Utf8(line.query)) +
                   ",\"kind\":\"" + kind + "\"";
        if (firm != nullptr) {
            for (const FieldKey& f : FieldKeys()) {
                buffer_ += ",\"";
                buffer_ += f.key;
                buffer_ += "\":" + JsonString(Utf8(firm->*f.member));
            }
            if (translator_ != nullptr) {
                for (const FieldKey& f : FieldKeys()) {
                    if (f.latin) {
                        buffer_ += ",\"";
                        buffer_ += f.key;
                        buffer_ += "_latin\":" + JsonString(Latin(firm->*f.member));
                    }
                }
            }
        } else {
            buffer_ += ",\"text\":" + JsonString(textUtf8);
        }
        AppendTail(line);
        if (firm != nullptr && markScreening_) {
            AppendScreeningRecord(line, *firm, hits != nullptr ? *hits : std::vector<ScreenHit>{});
        }
        return;
    }
    buffer_ += number + ';' + Cell(Utf8(line.query)) + ';' + kind;
    for (const FieldKey& f : FieldKeys()) {
        buffer_ += ';';
        if (firm != nullptr) {
            buffer_ += Cell(Utf8(firm->*f.member));
        }
    }
    buffer_ += ';' + Cell(textUtf8) + ';' + Cell(service_) + ';' + Cell(line.checkedAt);
    if (markSource_) {
        buffer_ += line.fromArchive ? ";archive" : ";register";
    }
    if (translator_ != nullptr) {
        for (const FieldKey& f : FieldKeys()) {
            if (f.latin) {
                buffer_ += ';';
                if (firm != nullptr) {
                    buffer_ += Cell(Latin(firm->*f.member));
                }
            }
        }
    }
    if (markScreening_) {
        // A firm's row carries its screening; the rows of messages leave the cells empty.
        std::vector<std::string> cells(ScreenColumns().size());
        if (firm != nullptr) {
            cells = ScreenCells(hits != nullptr ? *hits : std::vector<ScreenHit>{});
        }
        for (const std::string& cell : cells) {
            buffer_ += ';' + Cell(cell);
        }
    }
    buffer_ += "\r\n";
}

// A firm's "screening" record, right after the firm's own: the firm's name and numbers
// to join them by, the result and every match.
void ResultsWriter::AppendScreeningRecord(const LineReport& line, const lookup::FirmRecord& firm,
                                          const std::vector<ScreenHit>& hits) {
    buffer_ +=
        "{\"line\":" + std::to_string(line.number) + ",\"query\":" + JsonString(Utf8(line.query)) +
        ",\"kind\":\"screening\",\"result\":\"" + ScreenResultName(hits) +
        "\",\"name\":" + JsonString(Utf8(firm.name)) + ",\"ogrn\":" + JsonString(Utf8(firm.ogrn)) +
        ",\"inn\":" + JsonString(Utf8(firm.inn)) + ",\"matches\":[";
    for (std::size_t i = 0; i < hits.size(); ++i) {
        const ScreenHit& h = hits[i];
        char score[16];
        std::snprintf(score, sizeof score, "%.3f", h.score);
        std::string topics;
        for (const std::string& topic : h.topics) {
            topics += (topics.empty() ? "" : ",") + JsonString(topic);
        }
        buffer_ +=
            std::string(i == 0 ? "" : ",") + "{\"match\":\"" +
            (!h.target      ? "link"
             : h.identifier ? "identifier"
                            : "name") +
            "\",\"list\":" + JsonString(h.list) + ",\"version\":" + std::to_string(h.version) +
            ",\"digest\":" + JsonString(h.digest) + ",\"entity_id\":" + JsonString(h.entityId) +
            ",\"caption\":" + JsonString(h.caption) + ",\"schema\":" + JsonString(h.schema) +
            ",\"topics\":[" + topics + "],\"what\":" + JsonString(h.what) +
            ",\"how\":" + JsonString(h.how) + ",\"firm_value\":" + JsonString(h.firmValue) +
            ",\"entity_value\":" + JsonString(h.entityValue) + ",\"score\":" + score + "}";
    }
    buffer_ += "]";
    AppendTail(line);
}

// A firm's screening in the text file, after its block: "Screening: no match", or the
// kind of the strongest match with the number of matches and one indented line each;
// then an empty line.
void ResultsWriter::AppendScreeningText(const std::vector<ScreenHit>& hits) {
    const std::string result = ScreenResultName(hits);
    if (hits.empty()) {
        buffer_ += "Screening: no match\r\n\r\n";
        return;
    }
    buffer_ += "Screening: " + result + " match (" + std::to_string(hits.size()) + ")\r\n";
    for (const ScreenHit& hit : hits) {
        buffer_ += "  " + PrintableText(platform::Utf8ToCp1251(ScreenHitText(hit))) + "\r\n";
    }
    buffer_ += "\r\n";
}

platform::Status ResultsWriter::WriteLine(const LineReport& line, const LineSpool* spool,
                                          const LineScreening* screening) {
    if (!started_) {
        if (platform::Status begun = Begin(); !begun) {
            return begun;
        }
    }
    platform::Status ok;
    if (spool != nullptr && line.outcome == LineOutcome::Done) {
        int firm = 0;  // the firm's place among the line's firms
        spool->ForEach([&](const SpoolEntry& e) {
            if (!ok) {
                return;
            }
            const std::vector<ScreenHit>* hits =
                e.isFirm && screening != nullptr ? screening->Of(firm) : nullptr;
            firm += e.isFirm ? 1 : 0;
            if (format_ == OutputFormat::Text) {
                if (e.isFirm) {
                    AppendFirmText(line, e.firm);
                    if (markScreening_) {
                        AppendScreeningText(hits != nullptr ? *hits : std::vector<ScreenHit>{});
                    }
                }
            } else if (e.isFirm) {
                AppendRecord(line, "firm", &e.firm, {}, hits);
            } else {
                AppendRecord(line, "message", nullptr, Utf8(e.text));
            }
            if (buffer_.size() >= kDrainBytes) {
                ok = Drain();
            }
        });
    }
    if (ok && line.cut && line.outcome == LineOutcome::Done) {
        if (format_ == OutputFormat::Text) {
            AppendMessageText(line, lookup::kListCutText);
        } else {
            AppendRecord(line, "message", nullptr, lookup::kListCutText);
        }
    }
    if (ok && format_ != OutputFormat::Text) {
        if (line.outcome == LineOutcome::Failed) {
            AppendRecord(line, "error", nullptr, line.reason);
        } else if (line.outcome == LineOutcome::Skipped) {
            AppendRecord(line, "skipped", nullptr, line.reason);
        }
    }
    if (ok) {
        ok = Drain();
    }
    if (!ok) {
        return ok;
    }
    size_ = ::lseek(fd_, 0, SEEK_CUR);
    return {};
}

platform::Status ResultsWriter::Drain() {
    std::size_t done = 0;
    while (done < buffer_.size()) {
        const ssize_t n = ::write(fd_, buffer_.data() + done, buffer_.size() - done);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            const std::string why = n < 0 ? std::strerror(errno) : "nothing could be written";
            buffer_.clear();
            // What went out of an unfinished line is cut off again, so that the file
            // ends with the last whole line.
            if (::ftruncate(fd_, static_cast<off_t>(size_)) == 0) {
                ::lseek(fd_, 0, SEEK_END);
            }
            return platform::Failure(why);
        }
        done += static_cast<std::size_t>(n);
    }
    buffer_.clear();
    return {};
}

}  // namespace batch
