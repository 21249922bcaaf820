#include "batch/progress_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <QFile>
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <vector>

namespace batch {
namespace {

const char* const kHeaderStart = "vendrake-batch progress, format ";

std::string Header(OutputFormat format) {
    return std::string(kHeaderStart) + FormatName(format);
}

bool OutcomeOf(const std::string& word, LineOutcome* out) {
    for (LineOutcome o :
         {LineOutcome::Done, LineOutcome::Failed, LineOutcome::Skipped, LineOutcome::Unchecked}) {
        if (word == OutcomeName(o)) {
            *out = o;
            return true;
        }
    }
    return false;
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
bool ParseNumber(const std::string& text, std::int64_t* out) {
    if (text.empty() || text.size() > 18 ||
        text.find_first_not_of("0123456789") != std::string::npos) {
        return false;
    }
    *out = std::stoll(text);
    return true;
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

bool ParseProgress(const std::string& bytes, OutputFormat format, ProgressState* state,
                   std::string* error) {
    *state = ProgressState{};
    // Cut before its list line ended: a header as far as it goes.
    const std::size_t firstEnd = bytes.find('\n');
    const bool headerCut =
        firstEnd == std::string::npos || bytes.find('\n', firstEnd + 1) == std::string::npos;
    const std::string start = kHeaderStart;
    if (headerCut && bytes.compare(0, std::min(bytes.size(), start.size()), start, 0,
                                   std::min(bytes.size(), start.size())) == 0) {
        state->blank = true;
        return true;
    }
    std::size_t at = 0;
    auto nextLine = [&](std::string* line) {
        const std::size_t end = bytes.find('\n', at);
        if (end == std::string::npos) {
            return false;  // cut short: no line end
        }
        *line = bytes.substr(at, end - at);
        at = end + 1;
        return true;
    };
    std::string header;
    if (!nextLine(&header) || header.rfind(kHeaderStart, 0) != 0) {
        *error = "is not a progress file of vendrake-batch";
        return false;
    }
    if (header != Header(format)) {
        *error = "belongs to a run with --format " + header.substr(header.rfind(' ') + 1) +
                 "; resume with that format";
        return false;
    }
    std::string list;
    const std::vector<std::string> listFields =
        nextLine(&list) ? SplitTabs(list) : std::vector<std::string>{};
    std::int64_t listSize = 0;
    if (listFields.size() != 3 || listFields[0] != "list" ||
        !ParseNumber(listFields[1], &listSize)) {
        *error = "does not say which list it belongs to";
        return false;
    }
    state->listSize = listSize;
    state->listDigest = QByteArray::fromStdString(listFields[2]);
    state->wholeBytes = static_cast<std::int64_t>(at);
    for (std::string line; nextLine(&line);) {
        const std::vector<std::string> f = SplitTabs(line);
        if (f.size() != 6 || Checksum(line.substr(0, line.rfind('\t'))) != f[5]) {
            continue;  // damaged: vouches for nothing
        }
        std::int64_t number = 0, firms = 0, messages = 0, resultsBytes = 0;
        ProgressRecord record;
        if (!ParseNumber(f[0], &number) || !OutcomeOf(f[1], &record.outcome) ||
            !ParseNumber(f[2], &firms) || !ParseNumber(f[3], &messages) ||
            !ParseNumber(f[4], &resultsBytes) || number > 100000000) {
            continue;
        }
        if (resultsBytes < state->resultsBytes) {
            *error = "records a results size that shrinks (line " + f[0] + ")";
            return false;
        }
        record.firms = static_cast<int>(std::min<std::int64_t>(firms, 1 << 30));
        record.messages = static_cast<int>(std::min<std::int64_t>(messages, 1 << 30));
        state->lines[static_cast<int>(number)] = record;
        state->resultsBytes = resultsBytes;
    }
    // New records go after the last line that ended; a record cut short is dropped.
    state->wholeBytes = static_cast<std::int64_t>(bytes.rfind('\n') + 1);
    return true;
}

ProgressFile::~ProgressFile() {
    Close();
}

ProgressFile::OpenResult ProgressFile::Open(const QString& path, std::string* error) {
    path_ = path;
    const QByteArray name = QFile::encodeName(path);
    fd_ = ::open(name.constData(), O_RDWR | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd_ < 0 && errno == ENOENT) {
        fd_ = ::open(name.constData(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644);
        created_ = fd_ >= 0;
    }
    if (fd_ < 0) {
        const bool link = errno == ELOOP;
        *error = link ? "It is a symbolic link." : Why();
        return link ? OpenResult::Refused : OpenResult::Failed;
    }
    struct stat st {};
    if (::fstat(fd_, &st) != 0 || !S_ISREG(st.st_mode)) {
        *error = "It is not a regular file.";
        Close();
        return OpenResult::Refused;
    }
    ::fcntl(fd_, F_SETFL, ::fcntl(fd_, F_GETFL) & ~O_NONBLOCK);
    struct flock lock {};
    lock.l_type = F_WRLCK;
    lock.l_whence = SEEK_SET;
    if (::fcntl(fd_, F_SETLK, &lock) != 0) {
        struct flock holder = lock;
        const bool known = ::fcntl(fd_, F_GETLK, &holder) == 0 && holder.l_type != F_UNLCK;
        *error = "Another vendrake-batch run is using it" +
                 (known ? " (process " + std::to_string(holder.l_pid) + ")" : std::string()) + ".";
        created_ = false;
        Close();
        return OpenResult::Busy;
    }
    // The file may have been replaced between opening and locking: then the lock
    // guards nothing.
    struct stat now {};
    if (::stat(name.constData(), &now) != 0 || now.st_ino != st.st_ino || now.st_dev != st.st_dev) {
        *error = "Another vendrake-batch run replaced it.";
        created_ = false;
        Close();
        return OpenResult::Busy;
    }
    return OpenResult::Ok;
}

bool ProgressFile::Read(OutputFormat format, ProgressState* state, std::string* error) {
    std::string bytes;
    char chunk[65536];
    for (off_t offset = 0;;) {
        const ssize_t n = ::pread(fd_, chunk, sizeof chunk, offset);
        if (n < 0) {
            *error = Why();
            return false;
        }
        if (n == 0) {
            break;
        }
        bytes.append(chunk, static_cast<std::size_t>(n));
        offset += n;
    }
    return ParseProgress(bytes, format, state, error);
}

bool ProgressFile::WriteAll(const std::string& bytes, std::string* error) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd_, bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            *error = Why();
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    return true;
}

bool ProgressFile::Start(OutputFormat format, qint64 listSize, const QByteArray& listDigest,
                         std::string* error) {
    started_ = true;
    if (::ftruncate(fd_, 0) != 0 || ::lseek(fd_, 0, SEEK_SET) != 0) {
        *error = Why();
        return false;
    }
    return WriteAll(Header(format) + "\nlist\t" + std::to_string(listSize) + "\t" +
                        listDigest.toStdString() + "\n",
                    error);
}

bool ProgressFile::Continue(std::int64_t wholeBytes, std::string* error) {
    started_ = true;
    struct stat st {};
    if (::fstat(fd_, &st) != 0) {
        *error = Why();
        return false;
    }
    if (st.st_size > wholeBytes && ::ftruncate(fd_, static_cast<off_t>(wholeBytes)) != 0) {
        *error = Why();
        return false;
    }
    if (::lseek(fd_, 0, SEEK_END) < 0) {
        *error = Why();
        return false;
    }
    return true;
}

bool ProgressFile::Record(int line, const ProgressRecord& record, std::int64_t resultsBytes,
                          std::string* error) {
    return WriteAll(ProgressRecordText(line, record, resultsBytes) + "\n", error);
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
