// vendrake-archive: the lookup archive on the command line.
//
//   vendrake-archive [--archive PATH] list [--text T] [--number N] [--from D] [--to D]
//                                          [--limit N]
//   vendrake-archive [--archive PATH] show ID
//   vendrake-archive [--archive PATH] search TEXT
//   vendrake-archive [--archive PATH] changes [--since DATE] [--list FILE]
//                                             [--format text|jsonl|csv]
//   vendrake-archive [--archive PATH] export --since DATE --format jsonl|csv
//   vendrake-archive [--archive PATH] export [--since DATE] --format evidence
//   vendrake-archive check-export FILE [--head FILE|LINE] [--tsa-ca FILE]
//   vendrake-archive [--archive PATH] head [--format line|json]
//   vendrake-archive [--archive PATH] verify [--head FILE|LINE] [--tsa-ca FILE]
//   vendrake-archive [--archive PATH] stamp [--tsa URL] [--proxy HOST:PORT]
//   vendrake-archive [--archive PATH] prune [--keep-days N] [--max-mib N]
#include <QFile>
#include <QFileInfo>
#include <QString>
#include <cstdint>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "archive/archive_changes.h"
#include "archive/archive_db.h"
#include "archive/archive_evidence.h"
#include "archive/archive_stamp.h"
#include "archive/check_record.h"
#include "cli/tool_output.h"
#include "config/tsa_settings.h"
#include "lists/list_file.h"
#include "platform/cp1251.h"
#include "platform/output_cells.h"

namespace {

using namespace cli;

const char kUsageText[] =
    "usage: vendrake-archive [--archive PATH] COMMAND\n"
    "  list [--text TEXT] [--number INN|OGRN] [--from DATE] [--to DATE] [--limit N]\n"
    "                           past checks, newest first\n"
    "  show ID                  one check with its firms\n"
    "  search TEXT              every firm seen, by name, INN or OGRN\n"
    "  changes [--since DATE] [--list FILE] [--format text|jsonl|csv]\n"
    "                           added, removed and changed firms of repeated checks\n"
    "  export --since DATE --format jsonl|csv\n"
    "                           every check since DATE, one row per firm\n"
    "  export [--since DATE] --format evidence\n"
    "                           the records with their digests and the head, to be\n"
    "                           checked without the archive\n"
    "  check-export FILE [--head FILE|LINE] [--tsa-ca FILE]\n"
    "                           checks an evidence file (that it extends a kept head, and\n"
    "                           its time stamps against the authority's CA certificates)\n"
    "  head [--format line|json]\n"
    "                           the chain's head, to keep elsewhere\n"
    "  verify [--head FILE|LINE] [--tsa-ca FILE]\n"
    "                           follows the digest chain and checks what lies beside it;\n"
    "                           names the first record altered or removed; with a kept\n"
    "                           head, also that the archive still extends it; with CA\n"
    "                           certificates, checks each time stamp kept\n"
    "  stamp [--tsa URL] [--proxy HOST:PORT]\n"
    "                           has a time-stamping authority stamp the head; the URL\n"
    "                           and the proxy are the settings TsaUrl and config.ini's\n"
    "                           unless given\n"
    "  prune [--keep-days N] [--max-mib N]\n"
    "                           removes the oldest checks the limits do not keep\n"
    "Without --tsa-ca, verify and check-export take the CA certificates of the setting\n"
    "TsaCaFile when it is set.\n"
    "DATE is YYYY-MM-DD or YYYY-MM-DDTHH:MM:SSZ (UTC). The archive is\n"
    "$XDG_DATA_HOME/Quillmarsh/Vendrake/archive.sqlite unless --archive names one.\n";

// Keys and values of one output row, written as a JSON object or a csv row.
using Row = std::vector<std::pair<std::string, std::string>>;

std::string JsonRow(const Row& row) {
    std::string out = "{";
    for (const auto& [key, value] : row)
        out += (out.size() > 1 ? "," : "") + platform::JsonString(key) + ':' +
               platform::JsonString(value);
    return out + "}\n";
}

std::string CsvHeader(const Row& row) {
    std::string out = "\xEF\xBB\xBF";
    for (size_t i = 0; i < row.size(); ++i)
        out += (i > 0 ? ";" : "") + row[i].first;
    return out + "\r\n";
}

std::string CsvRow(const Row& row) {
    std::string out;
    for (size_t i = 0; i < row.size(); ++i)
        out += (i > 0 ? ";" : "") + platform::CsvCell(row[i].second);
    return out + "\r\n";
}

std::string OutcomeText(archive::Outcome outcome, const std::string& message) {
    std::string text = archive::OutcomeName(outcome);
    if (!message.empty())
        text += ": " + message;
    return text;
}

bool ParseCount(const std::string& text, std::int64_t* value) {
    if (text.empty() || text.size() > 9 ||
        text.find_first_not_of("0123456789") != std::string::npos)
        return false;
    *value = std::stoll(text);
    return true;
}

bool DateOption(const Arguments& args, const std::string& name, std::string* date,
                std::string* problem) {
    if (!args.Has(name))
        return true;
    const std::string given = args.Last(name);
    if (!archive::IsArchiveDate(given)) {
        *problem = name + " takes a date YYYY-MM-DD or YYYY-MM-DDTHH:MM:SSZ, not " + given;
        return false;
    }
    *date = given;
    return true;
}

int List(archive::Archive& db, const Arguments& args) {
    archive::HistoryFilter filter;
    std::string problem;
    if (!DateOption(args, "--from", &filter.from, &problem) ||
        !DateOption(args, "--to", &filter.to, &problem))
        return Usage(problem);
    if (args.Has("--text"))
        filter.text = args.Last("--text");
    if (args.Has("--number"))
        filter.number = args.Last("--number");
    if (args.Has("--limit")) {
        std::int64_t limit = 0;
        if (!ParseCount(args.Last("--limit"), &limit))
            return Usage("--limit takes a number");
        filter.limit = static_cast<int>(limit);
    }
    std::vector<archive::CheckSummary> checks;
    std::string error;
    if (!db.List(filter, &checks, &error))
        return Failure(error);
    for (const archive::CheckSummary& check : checks) {
        Out(std::to_string(check.id) + '\t' + check.checkedAt + '\t' + check.origin + '\t' +
            std::to_string(check.firmCount) + '\t' + OutcomeText(check.outcome, check.message) +
            '\t' + check.typed + '\n');
    }
    return Finish();
}

int Show(archive::Archive& db, const Arguments& args) {
    std::int64_t id = 0;
    if (args.words.size() != 1 || !ParseCount(args.words[0], &id))
        return Usage("show takes one record number");
    archive::CheckRecord record;
    bool found = false;
    std::string error;
    if (!db.Get(id, &record, &found, &error))
        return Failure(error);
    if (!found)
        return Failure("there is no record " + args.words[0]);
    std::string text =
        "record: " + std::to_string(record.id) + "\nchecked at: " + record.checkedAt +
        "\norigin: " + record.origin + "\nservice: " + record.service + "\nquery: " + record.typed +
        "\nsent: " + archive::QueryKey(record.criteria) + "\nlanguage: " + record.language +
        "\noutcome: " + OutcomeText(record.outcome, record.message) +
        "\nfirms: " + std::to_string(record.firms.size()) +
        "\npages: " + std::to_string(record.pages) + "\npages sha256: " + record.pagesSha256 +
        "\ndigest: " + record.digest + '\n';
    if (record.screening.screened) {
        std::string versions;
        for (const archive::ScreenedVersion& version : record.screening.versions)
            versions += (versions.empty() ? "" : ", ") + Printable(version.list) + " v" +
                        std::to_string(version.number) + " (" + version.digest + ")";
        text += "screened against: " + (versions.empty() ? "no list" : versions) + '\n';
        for (const archive::ScreenMatch& match : record.screening.matches)
            text += "listed: " + Printable(match.firmName) + " on " + Printable(match.list) + " v" +
                    std::to_string(match.version) + ": " + Printable(match.entityId) + " (" +
                    Printable(match.caption) + "), " + match.kind + ' ' + Printable(match.what) +
                    ", score " + archive::ScoreText(match.score) + '\n';
    }
    for (const lookup::FirmRecord& firm : record.firms) {
        text += '\n';
        for (const lookup::FirmField& field : lookup::FirmFields())
            text += std::string(field.fileLabel) + archive::ToUtf8(firm.*field.member) + '\n';
    }
    Out(text);
    return Finish();
}

int Search(archive::Archive& db, const Arguments& args) {
    if (args.words.size() != 1)
        return Usage("search takes one text (quote it when it has spaces)");
    std::vector<archive::FoundFirm> firms;
    std::string error;
    if (!db.Search(args.words[0], 1000, &firms, &error))
        return Failure(error);
    for (const archive::FoundFirm& found : firms) {
        Out(archive::ToUtf8(found.firm.inn) + '\t' + archive::ToUtf8(found.firm.ogrn) + '\t' +
            archive::ToUtf8(found.firm.name) + '\t' + found.checkedAt + '\t' +
            std::to_string(found.checkId) + '\n');
    }
    return Finish();
}

Row ChangeRow(const archive::FirmChange& change) {
    return {{"kind", archive::ChangeKindName(change.kind)},
            {"query", change.query},
            {"name", change.name},
            {"inn", change.inn},
            {"ogrn", change.ogrn},
            {"field", change.field},
            {"old_value", change.oldValue},
            {"new_value", change.newValue},
            {"old_checked_at", change.oldDate},
            {"new_checked_at", change.newDate},
            {"old_record", std::to_string(change.oldCheck)},
            {"new_record", std::to_string(change.newCheck)},
            {"reason", change.reason}};
}

std::string ChangeText(const archive::FirmChange& change) {
    std::string text =
        change.newDate + '\t' + change.query + '\t' + archive::ChangeKindName(change.kind);
    if (change.kind == archive::ChangeKind::NotRechecked)
        return text + " since " + change.oldDate + ": " + change.reason + '\n';
    text += '\t' + change.name;
    if (change.kind == archive::ChangeKind::NewlyListed) {
        if (!change.inn.empty())
            text += " INN " + change.inn;
        if (!change.ogrn.empty())
            text += " OGRN " + change.ogrn;
        return text + '\t' + change.field + ' ' + change.newValue + " (not on " + change.oldValue +
               " at record " + std::to_string(change.oldCheck) + ", " + change.oldDate +
               "): " + Printable(change.reason) + '\n';
    }
    if (!change.inn.empty())
        text += " INN " + change.inn;
    if (!change.ogrn.empty())
        text += " OGRN " + change.ogrn;
    if (change.kind == archive::ChangeKind::Changed)
        text += "\t" + change.field + ": \"" + change.oldValue + "\" (" + change.oldDate +
                ") -> \"" + change.newValue + "\" (" + change.newDate + ")";
    return text + '\n';
}

int Changes(archive::Archive& db, const Arguments& args) {
    if (!args.words.empty())
        return Usage("changes takes no words, only options");
    archive::ChangeQuery query;
    std::string problem;
    if (!DateOption(args, "--since", &query.since, &problem))
        return Usage(problem);
    const std::string format = args.Has("--format") ? args.Last("--format") : "text";
    if (format != "text" && format != "jsonl" && format != "csv")
        return Usage("--format takes text, jsonl or csv");
    if (args.Has("--list")) {
        const lookup::ListFile list =
            lookup::ReadListFile(QString::fromStdString(args.Last("--list")));
        if (!list.ok())
            return Failure(list.error.toStdString());
        query.listGiven = true;
        for (const QString& line : list.lines)
            query.list.push_back(lookup::SearchCriteria::ForLine(platform::ToCp1251(line)));
    }
    bool header = format == "csv";
    std::string error;
    const bool ok = archive::FindChanges(
        db, query,
        [&](const archive::FirmChange& change) {
            if (format == "text") {
                Out(ChangeText(change));
                return;
            }
            const Row row = ChangeRow(change);
            if (header) {
                Out(CsvHeader(row));
                header = false;
            }
            Out(format == "jsonl" ? JsonRow(row) : CsvRow(row));
        },
        &error);
    if (!ok)
        return Failure(error);
    if (header)
        Out(CsvHeader(ChangeRow({})));
    return Finish();
}

Row ExportRow(const archive::CheckRecord& record, const lookup::FirmRecord* firm) {
    Row row = {{"record", std::to_string(record.id)},
               {"checked_at", record.checkedAt},
               {"origin", record.origin},
               {"service", record.service},
               {"query", record.typed},
               {"language", record.language},
               {"outcome", archive::OutcomeName(record.outcome)},
               {"message", record.message}};
    for (const archive::FirmColumn& column : archive::FirmColumns())
        row.emplace_back(column.key, firm != nullptr ? archive::ToUtf8(firm->*column.member) : "");
    row.emplace_back("pages", std::to_string(record.pages));
    row.emplace_back("pages_sha256", record.pagesSha256);
    row.emplace_back("digest", record.digest);
    return row;
}

int Export(archive::Archive& db, const Arguments& args) {
    if (!args.words.empty())
        return Usage("export takes no words, only options");
    std::string since;
    std::string problem;
    const bool evidence = args.Has("--format") && args.Last("--format") == "evidence";
    if (!args.Has("--since") && !evidence)
        return Usage("export needs --since DATE");
    if (!DateOption(args, "--since", &since, &problem))
        return Usage(problem);
    const std::string format = args.Has("--format") ? args.Last("--format") : "";
    if (format != "jsonl" && format != "csv" && format != "evidence")
        return Usage("export needs --format jsonl, csv or evidence");
    if (format == "evidence") {
        std::string error;
        if (!archive::WriteEvidence(
                db, since,
                [](const std::string& line) {
                    Out(line + '\n');
                    return !std::ferror(stdout);
                },
                &error))
            return Failure(error);
        return Finish();
    }
    if (format == "csv")
        Out(CsvHeader(ExportRow({}, nullptr)));
    std::string error;
    const bool ok = db.Scan(
        since,
        [&](const archive::CheckRecord& record) {
            const auto write = [&](const lookup::FirmRecord* firm) {
                const Row row = ExportRow(record, firm);
                Out(format == "jsonl" ? JsonRow(row) : CsvRow(row));
            };
            if (record.firms.empty())
                write(nullptr);
            for (const lookup::FirmRecord& firm : record.firms)
                write(&firm);
            return !std::ferror(stdout);
        },
        &error);
    if (!ok)
        return Failure(error);
    return Finish();
}

// A kept head from a file (its first line that is not empty) or given as text.
bool KeptHead(const std::string& given, archive::ChainHead* head, std::string* problem) {
    std::string text = given;
    QFile file(QString::fromStdString(given));
    if (given.rfind("vendrake-head ", 0) != 0 && given.rfind("{", 0) != 0) {
        if (!file.open(QIODevice::ReadOnly)) {
            *problem = "--head " + given + ": it cannot be read (" +
                       file.errorString().toStdString() + ")";
            return false;
        }
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
    return archive::ParseHead(text, head, problem);
}

// The CA certificates time stamps are checked against: --tsa-ca, else the setting.
std::string CaFile(const std::string& given) {
    return given.empty() ? config::StoredTsaSettings().caFile : given;
}

int Head(archive::Archive& db, const Arguments& args) {
    if (!args.words.empty())
        return Usage("head takes only --format");
    const std::string format = args.Has("--format") ? args.Last("--format") : "line";
    if (format != "line" && format != "json")
        return Usage("--format takes line or json");
    archive::ChainHead head;
    std::string error;
    if (!db.Head(&head, &error))
        return Failure(error);
    Out((format == "json" ? archive::HeadJson(head) : archive::HeadLine(head)) + '\n');
    return Finish();
}

int Verify(archive::Archive& db, const Arguments& args) {
    if (!args.words.empty())
        return Usage("verify takes only --head and --tsa-ca");
    archive::ChainHead kept;
    std::string problem;
    const bool withHead = args.Has("--head");
    if (withHead && !KeptHead(args.Last("--head"), &kept, &problem))
        return Usage(problem);
    archive::VerifyReport report;
    std::string error;
    if (!(withHead ? db.Verify(kept, &report, &error) : db.Verify(&report, &error)))
        return Failure(error);
    std::vector<archive::StampReport> stamps;
    const std::string caFile = CaFile(args.Last("--tsa-ca"));
    if (report.intact && !caFile.empty()) {
        std::string problem;
        if (!archive::VerifyStamps(db, caFile, &stamps, &problem, &error))
            return Failure(error);
        if (!problem.empty()) {
            report.intact = false;
            report.problem = problem;
        }
    }
    if (!report.intact) {
        Out("verify: " + report.problem + '\n');
        Finish();
        return kFailed;
    }

    std::string text = "verify: " + std::to_string(report.records) + " records intact";
    if (withHead)
        text += "; the archive extends the kept head (record " + std::to_string(kept.lastId) + ")";
    if (!report.indexChecked)
        text += "; the search index was not checked (the archive cannot be opened for writing)";
    Out(text + '\n');
    for (const archive::StampReport& stamp : stamps) {
        Out("verify: record " + std::to_string(stamp.recordId) + " stamped by " +
            stamp.check.subject + " at " + stamp.check.time + " (" + stamp.authority + ")\n");
    }
    return Finish();
}

int Stamp(archive::Archive& db, const Arguments& args) {
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
        QString problem;
        proxy =
            config::ConfiguredProxy(QFileInfo(QStringLiteral("/proc/self/exe")).canonicalPath() +
                                        QStringLiteral("/config.ini"),
                                    &problem);
        if (!problem.isEmpty())
            Warn(problem.toStdString());
    } else {
        const std::string given = args.Last("--proxy");
        const auto colon = given.rfind(':');
        if (colon == std::string::npos || colon == 0 || colon + 1 == given.size())
            return Usage("--proxy takes HOST:PORT");
        proxy = {true, given.substr(0, colon), given.substr(colon + 1)};
    }
    std::int64_t stamped = 0;
    std::string error;
    if (!archive::StampHead(db, url, proxy, &stamped, &error))
        return Failure(error);
    Out("stamp: record " + std::to_string(stamped) + " stamped by " + url + '\n');
    return Finish();
}

int CheckExport(const std::vector<std::string>& words, const std::string& headText,
                const std::string& caFile) {
    if (words.size() != 1)
        return Usage("check-export takes one evidence file");
    archive::ChainHead kept;
    std::string problem;
    if (!headText.empty() && !KeptHead(headText, &kept, &problem))
        return Usage(problem);
    QFile file(QString::fromStdString(words[0]));
    if (!file.open(QIODevice::ReadOnly))
        return Failure(words[0] + ": it cannot be read (" + file.errorString().toStdString() + ")");
    archive::EvidenceReport report;
    bool tooLong = false;
    const bool holds = archive::CheckEvidence(
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
        headText.empty() ? nullptr : &kept, &report);
    if (tooLong) {
        report = archive::EvidenceReport();
        report.intact = false;
        report.problem = "a line is too long for evidence";
    }
    if (!holds || !report.intact) {
        Out("check-export: " + report.problem + '\n');
        Finish();
        return kFailed;
    }
    std::vector<std::string> stampLines;
    if (!caFile.empty()) {
        for (const archive::StoredStamp& stamp : report.stamps) {
            const archive::StampCheck check =
                archive::CheckStamp(stamp.token, stamp.digest, caFile);
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
                       " to the head: " + archive::HeadLine(report.head);
    if (!headText.empty())
        text += "; it extends the kept head (record " + std::to_string(kept.lastId) + ")";
    Out(text + '\n');
    for (const std::string& line : stampLines)
        Out(line);
    return Finish();
}

int Prune(archive::Archive& db, const Arguments& args) {
    if (!args.words.empty())
        return Usage("prune takes only --keep-days and --max-mib");
    archive::Retention retention;
    std::int64_t value = 0;
    if (args.Has("--keep-days")) {
        if (!ParseCount(args.Last("--keep-days"), &value) || value == 0)
            return Usage("--keep-days takes a number of days, 1 or more");
        retention.keepDays = static_cast<int>(value);
    }
    if (args.Has("--max-mib")) {
        if (!ParseCount(args.Last("--max-mib"), &value) || value == 0)
            return Usage("--max-mib takes a size in MiB, 1 or more");
        retention.maxMiB = value;
    }
    if (retention.keepsAll()) {
        Out("prune: no limit given, every record is kept\n");
        return Finish();
    }
    archive::PruneReport report;
    std::string error;
    if (!db.Prune(retention, &report, &error))
        return Failure(error);
    char size[32];
    std::snprintf(size, sizeof size, "%.1f MiB",
                  static_cast<double>(report.bytes) / (1024.0 * 1024.0));
    std::string text = "prune: " + std::to_string(report.removed) + " records removed, " +
                       std::to_string(report.kept) + " kept; the archive is " + size;
    if (!report.sizeMet)
        text += ", above the " + std::to_string(retention.maxMiB) +
                " MiB asked: what is left is the last check of each query, which is never "
                "removed for the size";
    Out(text + "\n");
    return Finish();
}

}  // namespace

int main(int argc, char** argv) {
    SetProgram("vendrake-archive", kUsageText);

    Leading line = TakeLeading(argc, argv, "--archive");
    if (line.ended >= 0)
        return line.ended;
    std::string& path = line.path;
    const std::string& command = line.command;

    using Command = int (*)(archive::Archive&, const Arguments&);
    struct Entry {
        Command run;
        std::vector<std::string> options;
        bool writes;
    };
    const std::map<std::string, Entry> commands = {
        {"list", {List, {"--text", "--number", "--from", "--to", "--limit"}, false}},
        {"show", {Show, {}, false}},
        {"search", {Search, {}, false}},
        {"changes", {Changes, {"--since", "--list", "--format"}, false}},
        {"export", {Export, {"--since", "--format"}, false}},
        {"verify", {Verify, {"--head", "--tsa-ca"}, false}},
        {"stamp", {Stamp, {"--tsa", "--proxy"}, true}},
        {"head", {Head, {"--format"}, false}},
        {"prune", {Prune, {"--keep-days", "--max-mib"}, true}},
    };
    if (command == "check-export") {
        // Checks a file on its own: no archive is opened.
        Arguments args;
        std::string problem;
        if (!TakeArguments(line.rest, {"--head", "--tsa-ca"}, {}, &args, &problem))
            return Usage(problem);
        return CheckExport(args.words, args.Last("--head"), CaFile(args.Last("--tsa-ca")));
    }
    const auto found = commands.find(command);
    if (found == commands.end())
        return Usage("unknown command " + command);
    Arguments args;
    std::string problem;
    if (!TakeArguments(line.rest, found->second.options, {}, &args, &problem))
        return Usage(problem);

    archive::Archive db;
    std::string error;
    if (path.empty())
        path = archive::Archive::DefaultPath();
    const auto access = found->second.writes ? archive::Archive::Access::ReadWrite
                                             : archive::Archive::Access::ReadOnly;
    if (!db.Open(path, access, &error)) {
        // A path that holds no archive at all is a wrong argument, not a failed archive.
        return Failure(error, db.refused() ? kUsage : kFailed);
    }
    return found->second.run(db, args);
}
