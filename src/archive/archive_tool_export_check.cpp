// vendrake-archive's check-export: an evidence file checked on its own, against a
// kept head and the time stamps it holds when given.
//
// Exit status: 0 when the file holds and is proven against a kept head or a time
// stamp whose authority a CA vouches for; 3 when it holds but is consistent with
// itself only; 1 when it does not hold (a record altered, missing or out of order);
// 2 when the file is no evidence at all (a folder, a FIFO, empty, cut inside a line,
// binary, a line too long) or the command is wrong.
#include <QFile>
#include <QString>
#include <QStringDecoder>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>
#include <vector>

#include "archive/archive_evidence.h"
#include "archive/archive_stamp.h"
#include "archive/archive_tool_commands.h"

namespace archive::tool {

using namespace cli;

namespace {

// Opens path for reading when it is a regular file, or says why it is no evidence.
// It is opened without blocking, so that a FIFO is refused rather than waited on.
bool OpenEvidence(const std::string& path, QFile& file, int* status, std::string* problem) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        *status = kFailed;
        *problem = path + ": it cannot be read (" + std::strerror(errno) + ")";
        return false;
    }
    struct stat info {};
    std::string why;
    if (::fstat(fd, &info) != 0)
        why = std::strerror(errno);
    else if (S_ISDIR(info.st_mode))
        why = "it is a folder";
    else if (S_ISFIFO(info.st_mode))
        why = "it is a FIFO";
    else if (!S_ISREG(info.st_mode))
        why = "it is not a regular file";
    else if (info.st_size == 0)
        why = "it is empty";
    if (!why.empty() || !file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        if (why.empty())
            why = file.errorString().toStdString();
        ::close(fd);
        *status = kUsage;
        *problem = path + ": " + why + ", not evidence";
        return false;
    }
    return true;
}

// True when bytes are text as evidence is written: UTF-8 with no control bytes but
// the line's end.
bool IsText(const QByteArray& bytes) {
    for (const char c : bytes) {
        const auto u = static_cast<unsigned char>(c);
        if ((u < 0x20 && c != '\n' && c != '\r' && c != '\t') || u == 0x7F)
            return false;
    }
    QStringDecoder decoder(QStringDecoder::Utf8);
    const QString decoded = decoder(bytes);
    return !decoder.hasError();
}

}  // namespace

// A kept head from a file (its first line that is not empty) or given as text.
platform::Result<ChainHead> KeptHead(const std::string& given) {
    std::string text = given;
    if (given.rfind("vendrake-head ", 0) != 0 && given.rfind("{", 0) != 0) {
        QFile file;
        int status = 0;
        std::string problem;
        if (!OpenEvidence(given, file, &status, &problem))
            return platform::Failure("--head " + problem);
        // A head is one short line; more than this is no head.
        const QByteArray bytes = file.read(1 << 16);
        if (!IsText(bytes))
            return platform::Failure("--head " + given + ": it is binary, not a head");
        text.clear();
        for (const QByteArray& line : bytes.split('\n')) {
            if (!line.trimmed().isEmpty()) {
                text = line.toStdString();
                break;
            }
        }
    }
    return ParseHead(text);
}

namespace {

// How the lines of an evidence file were read: what stops the reading before the
// chain is judged is bad input, not tampering.
enum class Reading { kWhole, kTooLong, kBinary, kCut };

// Checks the lines of an evidence file open for reading against kept (when given).
EvidenceReport CheckEvidenceFile(QFile& file, const ChainHead* kept, Reading* reading) {
    EvidenceReport report;
    *reading = Reading::kWhole;
    bool unterminated = false;
    std::int64_t number = 0;
    const bool holds = CheckEvidence(
        [&](std::string* line) {
            // A record's line is as long as its firms make it; a line with no end in
            // sight is no evidence.
            constexpr qint64 kLongestLine = qint64{1} << 28;
            const QByteArray bytes = file.readLine(kLongestLine);
            if (bytes.isEmpty())
                return false;
            if (bytes.size() >= kLongestLine - 1 && !bytes.endsWith('\n')) {
                *reading = Reading::kTooLong;
                return false;
            }
            if (!IsText(bytes)) {
                *reading = Reading::kBinary;
                return false;
            }
            ++number;
            unterminated = !bytes.endsWith('\n');
            *line = bytes.trimmed().toStdString();
            return true;
        },
        kept, &report);
    // A last line with no end that is no evidence was cut inside it.
    if (*reading == Reading::kWhole && !holds && unterminated &&
        report.problem == "line " + std::to_string(number) + " is no evidence")
        *reading = Reading::kCut;
    if (!holds)
        report.intact = false;
    return report;
}

}  // namespace

int CheckExport(const std::vector<std::string>& words, const std::string& headText,
                const std::string& caFile) {
    if (words.size() != 1)
        return Usage("check-export takes one evidence file");
    platform::Result<ChainHead> kept = ChainHead();
    if (!headText.empty() && !(kept = KeptHead(headText)))
        return Usage(kept.error());
    const std::string& path = words[0];
    QFile file;
    int status = 0;
    std::string problem;
    if (!OpenEvidence(path, file, &status, &problem))
        return Failure(problem, status);
    Reading reading = Reading::kWhole;
    const EvidenceReport report =
        CheckEvidenceFile(file, headText.empty() ? nullptr : &*kept, &reading);
    switch (reading) {
        case Reading::kTooLong:
            return Failure(path + ": a line is too long for evidence", kUsage);
        case Reading::kBinary:
            return Failure(path + ": it is binary, not evidence", kUsage);
        case Reading::kCut:
            return Failure(path + ": its last line is cut, not evidence", kUsage);
        case Reading::kWhole:
            break;
    }
    if (!report.intact) {
        Out("check-export: " + report.problem + '\n');
        Finish();
        return kFailed;
    }
    if (!caFile.empty() && report.stamps.empty()) {
        Out("check-export: the file holds no time stamp to check against the CA of " + caFile +
            '\n');
        Finish();
        return kFailed;
    }
    std::vector<std::string> stampLines;
    if (!caFile.empty()) {
        for (const StoredStamp& stamp : report.stamps) {
            const StampCheck check = CheckStamp(stamp.token, stamp.digest, caFile);
            const std::string id = std::to_string(stamp.recordId);
            if (!check.valid) {
                Out("check-export: the time stamp of record " + id +
                    " does not hold: " + check.problem + '\n');
                Finish();
                return kFailed;
            }
            stampLines.push_back("check-export: record " + id + " stamped by " + check.subject +
                                 " at " + check.time + " (" + stamp.authority + ")\n");
        }
    } else {
        for (const StoredStamp& stamp : report.stamps)
            stampLines.push_back("check-export: record " + std::to_string(stamp.recordId) +
                                 " has a time stamp of " + stamp.authority +
                                 ", not checked (no CA given: --tsa-ca)\n");
    }
    const bool proven = !headText.empty() || (!caFile.empty() && !report.stamps.empty());
    std::string text = "check-export: " + std::to_string(report.records) +
                       " records intact from the base " + std::to_string(report.baseId) +
                       " to the head: " + HeadLine(report.head);
    if (!headText.empty())
        text += "; it extends the kept head (record " + std::to_string(kept->lastId) + ")";
    Out(text + '\n');
    for (const std::string& line : stampLines)
        Out(line);
    if (!proven) {
        Out("check-export: consistent with itself only; not proven against a kept head or a "
            "time stamp\n");
        return Finish(kSelfOnly);
    }
    return Finish();
}

}  // namespace archive::tool
