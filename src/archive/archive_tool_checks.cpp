// vendrake-archive's chain commands: the chain's head, verify and stamp.
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

using namespace cli;

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

// One line for a kept token: which it is, the record it covers, who stamped it and
// when, and whether it holds.
std::string StampLine(const StampReport& stamp, bool checked) {
    // "record N stamped by SUBJECT at TIME (AUTHORITY)" as before, then the verdict.
    std::string line = "verify: record " + std::to_string(stamp.recordId) + " stamped by ";
    line += stamp.check.subject.empty() ? stamp.authority : stamp.check.subject;
    if (!stamp.check.time.empty())
        line += " at " + stamp.check.time;
    if (!stamp.check.subject.empty())
        line += " (" + stamp.authority + ")";
    line += ", stamp " + std::to_string(stamp.number);
    if (!checked)
        return line + ": chain not checked (no CA certificates given)";
    if (!stamp.problem.empty())
        return line + ": does not hold: " + stamp.problem;
    return line + ": holds" + (stamp.check.note.empty() ? std::string() : "; " + stamp.check.note);
}

int Verify(Archive& db, const Arguments& args) {
    if (!args.words.empty())
        return Usage("verify takes only --head and --tsa-ca");
    const bool withHead = args.Has("--head");
    platform::Result<ChainHead> kept = ChainHead();
    if (withHead && !(kept = KeptHead(args.Last("--head"))))
        return Usage(kept.error());
    const std::string caFile = CaFile(args.Last("--tsa-ca"));
    if (!caFile.empty()) {
        const std::string unusable = CaFileProblem(caFile);
        if (!unusable.empty())
            return Usage("the CA certificates cannot be used: " + unusable);
    }
    const platform::Result<VerifyReport> verified = withHead ? db.Verify(*kept) : db.Verify();
    if (!verified)
        return Failure(verified.error());
    const VerifyReport& report = *verified;

    // The chain's verdict and each token's are apart: a token that does not hold
    // never hides the others, nor the chain that holds.
    std::vector<StampReport> stamps;
    bool stampsHold = true;
    if (!caFile.empty()) {
        platform::Result<StampsChecked> checked = VerifyStamps(db, caFile);
        if (!checked)
            return Failure(checked.error());
        stamps = std::move(checked->stamps);
        stampsHold = checked->problem.empty();
    } else {
        const platform::Result<std::vector<StoredStamp>> stored = db.Stamps();
        if (!stored)
            return Failure(stored.error());
        std::int64_t number = 0;
        for (const StoredStamp& token : *stored) {
            StampReport stamp;
            stamp.number = ++number;
            stamp.recordId = token.recordId;
            stamp.authority = token.authority;
            stamps.push_back(std::move(stamp));
        }
    }

    if (report.intact) {
        std::string text = "verify: " + std::to_string(report.records) + " records intact";
        if (withHead)
            text +=
                "; the archive extends the kept head (record " + std::to_string(kept->lastId) + ")";
        if (!report.indexChecked)
            text +=
                "; the search index was not checked (the archive cannot be opened for "
                "writing)";
        Out(text + '\n');
    } else {
        Out("verify: " + report.problem + '\n');
    }
    for (const StampReport& stamp : stamps)
        Out(StampLine(stamp, !caFile.empty()) + '\n');
    return Finish(report.intact && stampsHold ? 0 : kFailed);
}

int Stamp(Archive& db, const Arguments& args) {
    if (!args.words.empty())
        return Usage("stamp takes only --tsa, --tsa-ca and --proxy");
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
    const std::string caFile = CaFile(args.Last("--tsa-ca"));
    if (!caFile.empty()) {
        const std::string unusable = CaFileProblem(caFile);
        if (!unusable.empty())
            return Usage("the CA certificates cannot be used: " + unusable);
    }
    const platform::Result<std::int64_t> stamped = StampHead(db, url, proxy, caFile);
    if (!stamped)
        return Failure(stamped.error());
    // Without CA certificates the token is kept as the authority gave it: its signer's
    // chain is not judged, so it proves nothing yet.
    Out("stamp: record " + std::to_string(*stamped) + " stamped by " + url +
        (caFile.empty() ? " (chain not checked: no CA certificates given)" : "") + '\n');
    return Finish();
}

}  // namespace archive::tool
