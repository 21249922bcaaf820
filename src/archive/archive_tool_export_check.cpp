// vendrake-archive's check-export: an evidence file checked on its own, against a
// kept head and the time stamps it holds when given.
#include <QFile>
#include <QString>

#include <string>
#include <vector>

#include "archive/archive_evidence.h"
#include "archive/archive_stamp.h"
#include "archive/archive_tool_commands.h"

namespace archive::tool {

using namespace cli;

// A kept head from a file (its first line that is not empty) or given as text.
platform::Result<ChainHead> KeptHead(const std::string& given) {
    std::string text = given;
    QFile file(QString::fromStdString(given));
    if (given.rfind("vendrake-head ", 0) != 0 && given.rfind("{", 0) != 0) {
        if (!file.open(QIODevice::ReadOnly))
            return platform::Failure("--head " + given + ": it cannot be read (" +
                                     file.errorString().toStdString() + ")");
        // A head is one short line; more than this is no head.
        const QByteArray bytes = file.read(1 << 16);
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

// Checks the lines of an evidence file open for reading against kept (when given).
EvidenceReport CheckEvidenceFile(QFile& file, const ChainHead* kept) {
    EvidenceReport report;
    bool tooLong = false;
    const bool holds = CheckEvidence(
        [&](std::string* line) {
            // A record's line is as long as its firms make it; a line with no end in
            // sight is no evidence.
            constexpr qint64 kLongestLine = qint64{1} << 28;
            const QByteArray bytes = file.readLine(kLongestLine);
            if (bytes.isEmpty())
                return false;
            if (bytes.size() >= kLongestLine - 1 && !bytes.endsWith('\n')) {
                tooLong = true;
                return false;
            }
            *line = bytes.trimmed().toStdString();
            return true;
        },
        kept, &report);
    if (tooLong) {
        report = EvidenceReport();
        report.intact = false;
        report.problem = "a line is too long for evidence";
    }
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
    QFile file(QString::fromStdString(words[0]));
    if (!file.open(QIODevice::ReadOnly))
        return Failure(words[0] + ": it cannot be read (" + file.errorString().toStdString() + ")");
    const EvidenceReport report = CheckEvidenceFile(file, headText.empty() ? nullptr : &*kept);
    if (!report.intact) {
        Out("check-export: " + report.problem + '\n');
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
    }
    std::string text = "check-export: " + std::to_string(report.records) +
                       " records intact from the base " + std::to_string(report.baseId) +
                       " to the head: " + HeadLine(report.head);
    if (!headText.empty())
        text += "; it extends the kept head (record " + std::to_string(kept->lastId) + ")";
    Out(text + '\n');
    for (const std::string& line : stampLines)
        Out(line);
    return Finish();
}

}  // namespace archive::tool
