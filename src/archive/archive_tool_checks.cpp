// vendrake-archive's evidence commands: the chain's head, verify, stamp and
// check-export.
#include <QFile>
#include <QFileInfo>
#include <QString>
#include <cstdint>
#include <string>
#include <vector>

#include "archive/archive_evidence.h"
#include "archive/archive_stamp.h"
#include "archive/archive_tool_commands.h"
#include "config/tsa_settings.h"

namespace archive::tool {

namespace {

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

// The CA certificates time stamps are checked against: --tsa-ca, else the setting.
std::string CaFile(const std::string& given) {
    return given.empty() ? config::StoredTsaSettings().caFile : given;
}

int Head(Archive& db, const Arguments& args) {
    if (!args.words.empty())
        return Usage("head takes only --format");
    const std::string format = args.Has("--format") ? args.Last("--format") : "line";
    if (format != "line" && format != "json")
        return Usage("--format takes line or json");
    const platform::Result<ChainHead> head = db.Head();
    if (!head)
        return Failure(head.error());
    Out((format == "json" ? HeadJson(*head) : HeadLine(*head)) + '\n');
    return Finish();
}

int Verify(Archive& db, const Arguments& args) {
    if (!args.words.empty())
        return Usage("verify takes only --head and --tsa-ca");
    const bool withHead = args.Has("--head");
    platform::Result<ChainHead> kept = ChainHead();
    if (withHead && !(kept = KeptHead(args.Last("--head"))))
        return Usage(kept.error());
    const platform::Result<VerifyReport> verified = withHead ? db.Verify(*kept) : db.Verify();
    if (!verified)
        return Failure(verified.error());
    VerifyReport report = *verified;
    std::vector<StampReport> stamps;
    const std::string caFile = CaFile(args.Last("--tsa-ca"));
    if (report.intact && !caFile.empty()) {
        platform::Result<StampsChecked> checked = VerifyStamps(db, caFile);
        if (!checked)
            return Failure(checked.error());
        stamps = std::move(checked->stamps);
        if (!checked->problem.empty()) {
            report.intact = false;
            report.problem = checked->problem;
        }
    }
    if (!report.intact) {
        Out("verify: " + report.problem + '\n');
        Finish();
        return kFailed;
    }

    std::string text = "verify: " + std::to_string(report.records) + " records intact";
    if (withHead)
        text += "; the archive extends the kept head (record " + std::to_string(kept->lastId) + ")";
    if (!report.indexChecked)
        text += "; the search index was not checked (the archive cannot be opened for writing)";
    Out(text + '\n');
    for (const StampReport& stamp : stamps) {
        Out("verify: record " + std::to_string(stamp.recordId) + " stamped by " +
            stamp.check.subject + " at " + stamp.check.time + " (" + stamp.authority + ")\n");
    }
    return Finish();
}

int Stamp(Archive& db, const Arguments& args) {
    if (!args.words.empty())
        return Usage("stamp takes only --tsa and --proxy");
    const std::string url =
        args.Has("--tsa") ? args.Last("--tsa") : config::StoredTsaSettings().url;
    if (url.empty())
        return Usage("stamp needs --tsa URL, or the authority's URL in the setting TsaUrl");
    config::ProxySettings proxy;
    if (!args.Has("--proxy")) {
        // The request goes out the way the register's queries do. The program's folder
        // is read from the running file: this tool has no application object to ask.
        const config::ConfiguredProxySettings configured =
            config::ConfiguredProxy(QFileInfo(QStringLiteral("/proc/self/exe")).canonicalPath() +
                                    QStringLiteral("/config.ini"));
        proxy = configured.proxy;
        if (!configured.problem.empty())
            Warn(configured.problem);
    } else {
        const std::string given = args.Last("--proxy");
        const auto colon = given.rfind(':');
        if (colon == std::string::npos || colon == 0 || colon + 1 == given.size())
            return Usage("--proxy takes HOST:PORT");
        proxy = {true, given.substr(0, colon), given.substr(colon + 1)};
    }
    const platform::Result<std::int64_t> stamped = StampHead(db, url, proxy);
    if (!stamped)
        return Failure(stamped.error());
    Out("stamp: record " + std::to_string(*stamped) + " stamped by " + url + '\n');
    return Finish();
}

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
