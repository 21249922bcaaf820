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
//   vendrake-archive [--archive PATH] stamp [--tsa URL] [--tsa-ca FILE] [--proxy HOST:PORT]
//   vendrake-archive [--archive PATH] prune [--keep-days N] [--max-mib N]
//
// This file reads the command line and holds list, show, search and prune;
// archive_tool_export.cpp holds changes and export, archive_tool_checks.cpp the
// evidence commands (head, verify, stamp and check-export).
#include "archive/archive_tool.h"

#include <cstdint>
#include <cstdio>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "archive/archive_db.h"
#include "archive/archive_tool_commands.h"
#include "archive/check_record.h"
#include "cli/tool_output.h"

namespace archive::tool {

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
    "                           exits 0 when proven, 3 when consistent with itself only,\n"
    "                           1 when it does not hold, 2 when the file is no evidence\n"
    "  head [--format line|json]\n"
    "                           the chain's head, to keep elsewhere\n"
    "  verify [--head FILE|LINE] [--tsa-ca FILE]\n"
    "                           follows the digest chain and checks what lies beside it;\n"
    "                           names the first record altered or removed; with a kept\n"
    "                           head, also that the archive still extends it; with CA\n"
    "                           certificates, checks each time stamp kept (one line\n"
    "                           each, and exit 1 when any does not hold)\n"
    "  stamp [--tsa URL] [--tsa-ca FILE] [--proxy HOST:PORT]\n"
    "                           has a time-stamping authority stamp the head; the URL\n"
    "                           and the proxy are the settings TsaUrl and config.ini's\n"
    "                           unless given; with CA certificates the token is kept\n"
    "                           only when it holds\n"
    "  prune [--keep-days N] [--max-mib N]\n"
    "                           removes the oldest checks the limits do not keep\n"
    "Without --tsa-ca, verify, stamp and check-export take the CA certificates of the setting\n"
    "TsaCaFile when it is set.\n"
    "DATE is YYYY-MM-DD or YYYY-MM-DDTHH:MM:SSZ (UTC). The archive is\n"
    "$XDG_DATA_HOME/Quillmarsh/Vendrake/archive.sqlite unless --archive names one.\n";

std::string OutcomeText(Outcome outcome, const std::string& message) {
    std::string text = OutcomeName(outcome);
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

}  // namespace

platform::Result<std::string> DateOption(const Arguments& args, const std::string& name) {
    if (!args.Has(name))
        return std::string();
    const std::string given = args.Last(name);
    if (!IsArchiveDate(given))
        return platform::Failure(name + " takes a date YYYY-MM-DD or YYYY-MM-DDTHH:MM:SSZ, not " +
                                 given);
    return given;
}

int List(Archive& db, const Arguments& args) {
    const platform::Result<std::string> from = DateOption(args, "--from");
    if (!from)
        return Usage(from.error());
    const platform::Result<std::string> to = DateOption(args, "--to");
    if (!to)
        return Usage(to.error());
    HistoryFilter filter;
    filter.from = *from;
    filter.to = *to;
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
    const platform::Result<std::vector<CheckSummary>> checks = db.List(filter);
    if (!checks)
        return Failure(checks.error());
    for (const CheckSummary& check : *checks) {
        Out(std::to_string(check.id) + '\t' + check.checkedAt + '\t' + check.origin + '\t' +
            std::to_string(check.firmCount) + '\t' + OutcomeText(check.outcome, check.message) +
            '\t' + check.typed + '\n');
    }
    return Finish();
}

int Show(Archive& db, const Arguments& args) {
    std::int64_t id = 0;
    if (args.words.size() != 1 || !ParseCount(args.words[0], &id))
        return Usage("show takes one record number");
    const platform::Result<std::optional<CheckRecord>> found = db.Get(id);
    if (!found)
        return Failure(found.error());
    if (!*found)
        return Failure("there is no record " + args.words[0]);
    const CheckRecord& record = **found;
    std::string text =
        "record: " + std::to_string(record.id) + "\nchecked at: " + record.checkedAt +
        "\norigin: " + record.origin + "\nservice: " + record.service + "\nquery: " + record.typed +
        "\nsent: " + QueryKey(record.criteria) + "\nlanguage: " + record.language +
        "\noutcome: " + OutcomeText(record.outcome, record.message) +
        "\nfirms: " + std::to_string(record.firms.size()) +
        "\npages: " + std::to_string(record.pages) + "\npages sha256: " + record.pagesSha256 +
        "\ndigest: " + record.digest + '\n';
    if (record.screening.screened) {
        std::string versions;
        for (const ScreenedVersion& version : record.screening.versions)
            versions += (versions.empty() ? "" : ", ") + Printable(version.list) + " v" +
                        std::to_string(version.number) + " (" + version.digest + ")";
        text += "screened against: " + (versions.empty() ? "no list" : versions) + '\n';
        for (const ScreenMatch& match : record.screening.matches)
            text += "listed: " + Printable(match.firmName) + " on " + Printable(match.list) + " v" +
                    std::to_string(match.version) + ": " + Printable(match.entityId) + " (" +
                    Printable(match.caption) + "), " + match.kind + ' ' + Printable(match.what) +
                    ", score " + ScoreText(match.score) + '\n';
    }
    for (const lookup::FirmRecord& firm : record.firms) {
        text += '\n';
        for (const lookup::FirmField& field : lookup::FirmFields())
            text += std::string(field.fileLabel) + ToUtf8(firm.*field.member) + '\n';
    }
    Out(text);
    return Finish();
}

int Search(Archive& db, const Arguments& args) {
    if (args.words.size() != 1)
        return Usage("search takes one text (quote it when it has spaces)");
    const platform::Result<std::vector<FoundFirm>> firms = db.Search(args.words[0], 1000);
    if (!firms)
        return Failure(firms.error());
    for (const FoundFirm& found : *firms) {
        Out(ToUtf8(found.firm.inn) + '\t' + ToUtf8(found.firm.ogrn) + '\t' +
            ToUtf8(found.firm.name) + '\t' + found.checkedAt + '\t' +
            std::to_string(found.checkId) + '\n');
    }
    return Finish();
}

int Prune(Archive& db, const Arguments& args) {
    if (!args.words.empty())
        return Usage("prune takes only --keep-days and --max-mib");
    Retention retention;
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
    const platform::Result<PruneReport> pruned = db.Prune(retention);
    if (!pruned)
        return Failure(pruned.error());
    const PruneReport& report = *pruned;
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

}  // namespace archive::tool

namespace archive {

namespace {

// A command on an open archive: what runs it, the options it takes and whether it
// writes.
struct Command {
    int (*run)(Archive&, const cli::Arguments&);
    std::vector<std::string> options;
    bool writes;
};

const std::map<std::string, Command>& Commands() {
    static const std::map<std::string, Command> commands = {
        {"list", {tool::List, {"--text", "--number", "--from", "--to", "--limit"}, false}},
        {"show", {tool::Show, {}, false}},
        {"search", {tool::Search, {}, false}},
        {"changes", {tool::Changes, {"--since", "--list", "--format"}, false}},
        {"export", {tool::Export, {"--since", "--format"}, false}},
        {"verify", {tool::Verify, {"--head", "--tsa-ca"}, false}},
        {"stamp", {tool::Stamp, {"--tsa", "--tsa-ca", "--proxy"}, true}},
        {"head", {tool::Head, {"--format"}, false}},
        {"prune", {tool::Prune, {"--keep-days", "--max-mib"}, true}},
    };
    return commands;
}

int RunOnArchive(const Command& command, std::string path, const std::vector<std::string>& rest) {
    const platform::Result<cli::Arguments> taken = cli::TakeArguments(rest, command.options, {});
    if (!taken)
        return cli::Usage(taken.error());
    const cli::Arguments& args = *taken;
    Archive db;
    if (path.empty())
        path = Archive::DefaultPath();
    const auto access = command.writes ? Archive::Access::ReadWrite : Archive::Access::ReadOnly;
    const platform::Status opened = db.Open(path, access);
    if (!opened) {
        // A path that holds no archive at all is a wrong argument, not a failed archive.
        return cli::Failure(opened.error(), db.refused() ? cli::kUsage : cli::kFailed);
    }
    return command.run(db, args);
}

}  // namespace

int RunArchiveTool(const std::vector<std::string>& args) {
    // The program's name and usage are set once, for every run in the process.
    static const bool named = (cli::SetProgram("vendrake-archive", tool::kUsageText), true);
    static_cast<void>(named);

    std::vector<std::string> words = {"vendrake-archive"};
    words.insert(words.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& word : words)
        argv.push_back(word.data());
    const cli::Leading line =
        cli::TakeLeading(static_cast<int>(argv.size()), argv.data(), "--archive");
    if (line.ended >= 0)
        return line.ended;
    if (line.command == "check-export") {
        // Checks a file on its own: no archive is opened.
        const platform::Result<cli::Arguments> options =
            cli::TakeArguments(line.rest, {"--head", "--tsa-ca"}, {});
        if (!options)
            return cli::Usage(options.error());
        return tool::CheckExport(options->words, options->Last("--head"),
                                 tool::CaFile(options->Last("--tsa-ca")));
    }
    const auto found = Commands().find(line.command);
    if (found == Commands().end())
        return cli::Usage("unknown command " + line.command);
    return RunOnArchive(found->second, line.path, line.rest);
}

}  // namespace archive
