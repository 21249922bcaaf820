#include "batch/progress_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <QFile>
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <optional>
#include <vector>

namespace batch {
namespace {

const char* const kHeaderStart = "vendrake-batch progress, format ";

// The largest count of firms or messages a record keeps (a larger one is cut to it).
constexpr int kMaxCount = (1 << 30) - 1;

// A screened run's header says so: its results hold screening records that a run
// without --screen would not continue, and the other way round.
const char* const kScreenedMark = ", screened";

std::string Header(OutputFormat format, bool screened) {
    return std::string(kHeaderStart) + FormatName(format) + (screened ? kScreenedMark : "");
}

std::optional<LineOutcome> OutcomeOf(const std::string& word) {
    for (LineOutcome o :
         {LineOutcome::Done, LineOutcome::Failed, LineOutcome::Skipped, LineOutcome::Unchecked}) {
        if (word == OutcomeName(o)) {
            return o;
        }
    }
    return std::nullopt;
}

// FNV-1a, 32 bits: enough to tell a record cut short or garbled from a whole one.
std::string Checksum(std::string_view text) {
    std::uint32_t hash = 2166136261u;
    for (char c : text) {
        hash = (hash ^ static_cast<unsigned char>(c)) * 16777619u;
    }
    static const char hex[] = "0123456789abcdef";
    std::string out(8, '0');
    for (int i = 7; i >= 0; --i, hash >>= 4) {
        out[static_cast<std::size_t>(i)] = hex[hash & 15];
    }
    return out;
}

// A whole decimal number of at most 18 digits, nothing else.
std::optional<std::int64_t> ParseNumber(const std::string& text) {
    if (text.empty() || text.size() > 18 ||
        text.find_first_not_of("0123456789") != std::string::npos) {
        return std::nullopt;
    }
    return std::stoll(text);
}

std::vector<std::string> SplitTabs(const std::string& text) {
    std::vector<std::string> fields;
    std::size_t start = 0;
    for (std::size_t tab; (tab = text.find('\t', start)) != std::string::npos; start = tab + 1) {
        fields.push_back(text.substr(start, tab - start));
    }
    fields.push_back(text.substr(start));
    return fields;
}

std::string Why() {
    return std::strerror(errno);
}

}  // namespace

QString ProgressFileName(const QString& listPath) {
    return ResultsFileName(listPath, OutputFormat::Text).chopped(4) + QStringLiteral(".progress");
}

std::string ProgressRecordText(int line, const ProgressRecord& record, std::int64_t resultsBytes) {
    const std::string text = std::to_string(line) + "\t" + OutcomeName(record.outcome) + "\t" +
                             std::to_string(record.firms) + "\t" + std::to_string(record.messages) +
                             "\t" + std::to_string(resultsBytes);
    return text + "\t" + Checksum(text);
}

static_assert(sizeof(ProgressLines::Packed) == 12, "a line's record takes 12 bytes");

void ProgressLines::Add(int number, const ProgressRecord& record) {
    Packed p{};
    p.number = number;
    p.firms = static_cast<std::uint32_t>(std::clamp(record.firms, 0, kMaxCount));
    p.outcome = static_cast<std::uint32_t>(record.outcome);
    p.messages = std::clamp(record.messages, 0, kMaxCount);
    entries_.push_back(p);
    // A batch is sorted into the rest once it is as long as a few pieces of the file.
    if (entries_.size() - settled_ >= kBatch) {
        Settle();
    }
}

void ProgressLines::Settle() {
    const auto byNumber = [](const Packed& a, const Packed& b) { return a.number < b.number; };
    const auto middle = entries_.begin() + static_cast<std::ptrdiff_t>(settled_);
    // Records in number order after all the others, as one run writes them, are in place.
    const auto strictly = [](const Packed& a, const Packed& b) { return a.number >= b.number; };
    if (std::adjacent_find(middle, entries_.end(), strictly) == entries_.end() &&
        (settled_ == 0 || middle == entries_.end() || (middle - 1)->number < middle->number)) {
        settled_ = entries_.size();
        return;
    }
    // Stable: of two records of a line, the later stays after the earlier.
    std::stable_sort(middle, entries_.end(), byNumber);
    std::inplace_merge(entries_.begin(), middle, entries_.end(), byNumber);
    // Of the records of a line, now side by side in file order, the last one stays.
    std::size_t kept = 0;
    for (std::size_t i = 0; i < entries_.size(); ++i) {
        if (i + 1 < entries_.size() && entries_[i + 1].number == entries_[i].number) {
            continue;
        }
        entries_[kept++] = entries_[i];
    }
    entries_.resize(kept);
    settled_ = kept;
}

std::optional<ProgressRecord> ProgressLines::Find(int number) const {
    const auto end = entries_.begin() + static_cast<std::ptrdiff_t>(settled_);
    const auto at = std::lower_bound(entries_.begin(), end, number,
                                     [](const Packed& p, int n) { return p.number < n; });
    if (at == end || at->number != number) {
        return std::nullopt;
    }
    return Unpack(*at);
}

ProgressRecord ProgressLines::Unpack(const Packed& p) {
    return ProgressRecord{static_cast<LineOutcome>(p.outcome), static_cast<int>(p.firms),
                          p.messages};
}

namespace {

// Reads a progress file's bytes given a piece at a time (see ParseProgress).
class ProgressParser {
  public:
    ProgressParser(OutputFormat format, bool screened, ProgressState* state)
        : format_(format), screened_(screened), state_(*state) {
        state_ = ProgressState{};
    }

    // Fails, saying why, once the bytes are refused.
    platform::Status Add(std::string_view bytes) {
        while (!bytes.empty()) {
            const std::size_t end = bytes.find('\n');
            if (end == std::string_view::npos) {
                // A line as long as a piece is no record: only its start is kept.
                partial_.append(
                    bytes.substr(0, kLongestLine - std::min(kLongestLine, partial_.size())));
                offset_ += static_cast<std::int64_t>(bytes.size());
                return {};
            }
            partial_.append(bytes.substr(
                0, std::min(end, kLongestLine - std::min(kLongestLine, partial_.size()))));
            offset_ += static_cast<std::int64_t>(end + 1);
            bytes.remove_prefix(end + 1);
            wholeBytes_ = offset_;
            platform::Status read = Line(partial_);
            partial_.clear();
            if (!read) {
                return read;
            }
        }
        return {};
    }

    platform::Status Finish() {
        if (lines_ < 2) {
            // Cut before its list line ended: a header as far as it goes, or nothing.
            const std::string start = kHeaderStart;
            const std::string_view seen = lines_ == 0 ? std::string_view(partial_) : header_;
            const std::size_t n = std::min(seen.size(), start.size());
            if (seen.substr(0, n) == std::string_view(start).substr(0, n)) {
                state_ = ProgressState{};
                state_.blank = true;
                return {};
            }
            return platform::Failure("is not a progress file of vendrake-batch");
        }
        state_.lines.Settle();
        // New records go after the last line that ended; a record cut short is dropped.
        state_.wholeBytes = wholeBytes_;
        return {};
    }

  private:
    platform::Status Line(const std::string& line) {
        ++lines_;
        if (lines_ == 1) {
            header_ = line;
            return {};
        }
        if (lines_ == 2) {
            return Head(line);
        }
        const std::vector<std::string> f = SplitTabs(line);
        if (f.size() != 6 || Checksum(line.substr(0, line.rfind('\t'))) != f[5]) {
            return {};  // damaged: vouches for nothing
        }
        const std::optional<std::int64_t> number = ParseNumber(f[0]);
        const std::optional<LineOutcome> outcome = OutcomeOf(f[1]);
        const std::optional<std::int64_t> firms = ParseNumber(f[2]);
        const std::optional<std::int64_t> messages = ParseNumber(f[3]);
        const std::optional<std::int64_t> resultsBytes = ParseNumber(f[4]);
        if (!number || !outcome || !firms || !messages || !resultsBytes || *number > 100000000) {
            return {};
        }
        if (*resultsBytes < state_.resultsBytes) {
            return platform::Failure("records a results size that shrinks (line " + f[0] + ")");
        }
        ProgressRecord record;
        record.outcome = *outcome;
        record.firms = static_cast<int>(std::min<std::int64_t>(*firms, kMaxCount));
        record.messages = static_cast<int>(std::min<std::int64_t>(*messages, kMaxCount));
        state_.lines.Add(static_cast<int>(*number), record);
        state_.resultsBytes = *resultsBytes;
        return {};
    }

    // The header and the list line.
    platform::Status Head(const std::string& list) {
        if (header_.rfind(kHeaderStart, 0) != 0) {
            return platform::Failure("is not a progress file of vendrake-batch");
        }
        std::string format = header_.substr(std::string_view(kHeaderStart).size());
        const std::size_t mark = format.find(kScreenedMark);
        const bool screened = mark != std::string::npos;
        format = format.substr(0, mark);
        if (format != FormatName(format_)) {
            return platform::Failure("belongs to a run with --format " + format +
                                     "; resume with that format");
        }
        if (header_ != Header(format_, screened_)) {
            return platform::Failure(screened
                                         ? "belongs to a run with --screen; resume with --screen"
                                         : "belongs to a run without --screen; resume without it");
        }
        const std::vector<std::string> fields = SplitTabs(list);
        const std::optional<std::int64_t> listSize =
            fields.size() == 3 && fields[0] == "list" ? ParseNumber(fields[1]) : std::nullopt;
        if (!listSize) {
            return platform::Failure("does not say which list it belongs to");
        }
        state_.listSize = *listSize;
        state_.listDigest = QByteArray::fromStdString(fields[2]);
        return {};
    }

    // No record is longer than this; a longer line is damage and only its start is read.
    static constexpr std::size_t kLongestLine = 4096;

    OutputFormat format_;
    bool screened_;
    ProgressState& state_;
    std::string partial_;  // the line read so far
    std::string header_;
    int lines_ = 0;  // whole lines read
    std::int64_t offset_ = 0;
    std::int64_t wholeBytes_ = 0;  // up to the last line end
};

// The fewest bytes a record takes: "1\tdone\t0\t0\t0\t" and a checksum, and its LF.
constexpr std::size_t kShortestRecord = 22;

}  // namespace

platform::Result<ProgressState> ParseProgress(std::string_view bytes, OutputFormat format,
                                              bool screened) {
    ProgressState state;
    ProgressParser parser(format, screened, &state);
    state.lines.Expect(bytes.size() / kShortestRecord);
    platform::Status read = parser.Add(bytes);
    if (read) {
        read = parser.Finish();
    }
    if (!read) {
        return platform::Failure(read.error());
    }
    return state;
}

ProgressFile::~ProgressFile() {
    Close();
}

platform::Result<void, ProgressFile::OpenFailure> ProgressFile::Open(const QString& path) {
    using Kind = OpenFailure::Kind;
    path_ = path;
    const QByteArray name = QFile::encodeName(path);
    fd_ = ::open(name.constData(), O_RDWR | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd_ < 0 && errno == ENOENT) {
        // The user's alone whatever the umask: it names every line the user checked.
        fd_ = ::open(name.constData(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
        created_ = fd_ >= 0;
    }
    if (fd_ < 0) {
        const bool link = errno == ELOOP;
        return platform::Failure(OpenFailure{link ? Kind::Refused : Kind::Failed,
                                             link ? "It is a symbolic link." : Why()});
    }
    struct stat st {};
    if (::fstat(fd_, &st) != 0 || !S_ISREG(st.st_mode)) {
        Close();
        return platform::Failure(OpenFailure{Kind::Refused, "It is not a regular file."});
    }
    ::fcntl(fd_, F_SETFL, ::fcntl(fd_, F_GETFL) & ~O_NONBLOCK);
    struct flock lock {};
    lock.l_type = F_WRLCK;
    lock.l_whence = SEEK_SET;
    if (::fcntl(fd_, F_SETLK, &lock) != 0) {
        struct flock holder = lock;
        const bool known = ::fcntl(fd_, F_GETLK, &holder) == 0 && holder.l_type != F_UNLCK;
        created_ = false;
        Close();
        return platform::Failure(OpenFailure{
            Kind::Busy,
            "Another vendrake-batch run is using it" +
                (known ? " (process " + std::to_string(holder.l_pid) + ")" : std::string()) + "."});
    }
    // The file may have been replaced between opening and locking: then the lock
    // guards nothing.
    struct stat now {};
    if (::stat(name.constData(), &now) != 0 || now.st_ino != st.st_ino || now.st_dev != st.st_dev) {
        created_ = false;
        Close();
        return platform::Failure(
            OpenFailure{Kind::Busy, "Another vendrake-batch run replaced it."});
    }
    // A file left by an older run that others may read becomes the user's alone too.
    if ((st.st_mode & 077) != 0 && st.st_uid == ::geteuid()) {
        ::fchmod(fd_, st.st_mode & 0700);
    }
    return {};
}

platform::Result<ProgressState> ProgressFile::Read(OutputFormat format, bool screened) {
    ProgressState state;
    ProgressParser parser(format, screened, &state);
    struct stat st {};
    if (::fstat(fd_, &st) == 0) {
        state.lines.Expect(static_cast<std::size_t>(st.st_size) / kShortestRecord);
    }
    std::string chunk(65536, '\0');
    for (off_t offset = 0;;) {
        const ssize_t n = ::pread(fd_, chunk.data(), chunk.size(), offset);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0) {
            return platform::Failure(Why());
        }
        if (n == 0) {
            break;
        }
        const platform::Status read =
            parser.Add(std::string_view(chunk.data(), static_cast<std::size_t>(n)));
        if (!read) {
            return platform::Failure(read.error());
        }
        offset += n;
    }
    if (const platform::Status read = parser.Finish(); !read) {
        return platform::Failure(read.error());
    }
    return state;
}

platform::Status ProgressFile::WriteAll(const std::string& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd_, bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return platform::Failure(Why());
        }
        done += static_cast<std::size_t>(n);
    }
    return {};
}

platform::Status ProgressFile::Start(OutputFormat format, qint64 listSize,
                                     const QByteArray& listDigest, bool screened) {
    started_ = true;
    if (::ftruncate(fd_, 0) != 0 || ::lseek(fd_, 0, SEEK_SET) != 0) {
        return platform::Failure(Why());
    }
    return WriteAll(Header(format, screened) + "\nlist\t" + std::to_string(listSize) + "\t" +
                    listDigest.toStdString() + "\n");
}

platform::Status ProgressFile::Continue(std::int64_t wholeBytes) {
    started_ = true;
    struct stat st {};
    if (::fstat(fd_, &st) != 0 ||
        (st.st_size > wholeBytes && ::ftruncate(fd_, static_cast<off_t>(wholeBytes)) != 0) ||
        ::lseek(fd_, 0, SEEK_END) < 0) {
        return platform::Failure(Why());
    }
    return {};
}

platform::Status ProgressFile::Record(int line, const ProgressRecord& record,
                                      std::int64_t resultsBytes) {
    return WriteAll(ProgressRecordText(line, record, resultsBytes) + "\n");
}

void ProgressFile::Close() {
    if (fd_ < 0) {
        return;
    }
    if (created_ && !started_) {
        ::unlink(QFile::encodeName(path_).constData());
    }
    ::close(fd_);
    fd_ = -1;
}

}  // namespace batch
