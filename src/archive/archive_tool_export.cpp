// vendrake-archive's changes and export: rows of every firm of the records asked for,
// as text, JSON lines or csv, and the evidence file.
#include <QString>
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "archive/archive_changes.h"
#include "archive/archive_evidence.h"
#include "archive/archive_tool_commands.h"
#include "archive/check_record.h"
#include "lists/list_file.h"
#include "platform/cp1251.h"
#include "platform/output_cells.h"

namespace archive::tool {

namespace {

using namespace cli;

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

Row ChangeRow(const FirmChange& change) {
    return {{"kind", ChangeKindName(change.kind)},
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

std::string ChangeText(const FirmChange& change) {
    std::string text = change.newDate + '\t' + change.query + '\t' + ChangeKindName(change.kind);
    if (change.kind == ChangeKind::NotRechecked)
        return text + " since " + change.oldDate + ": " + change.reason + '\n';
    text += '\t' + change.name;
    if (change.kind == ChangeKind::NewlyListed) {
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
    if (change.kind == ChangeKind::Changed)
        text += "\t" + change.field + ": \"" + change.oldValue + "\" (" + change.oldDate +
                ") -> \"" + change.newValue + "\" (" + change.newDate + ")";
    return text + '\n';
}

Row ExportRow(const CheckRecord& record, const lookup::FirmRecord* firm) {
    Row row = {{"record", std::to_string(record.id)},
               {"checked_at", record.checkedAt},
               {"origin", record.origin},
               {"service", record.service},
               {"query", record.typed},
               {"language", record.language},
               {"outcome", OutcomeName(record.outcome)},
               {"message", record.message}};
    for (const FirmColumn& column : FirmColumns())
        row.emplace_back(column.key, firm != nullptr ? ToUtf8(firm->*column.member) : "");
    row.emplace_back("pages", std::to_string(record.pages));
    row.emplace_back("pages_sha256", record.pagesSha256);
    row.emplace_back("digest", record.digest);
    return row;
}

}  // namespace

int Changes(Archive& db, const Arguments& args) {
    if (!args.words.empty())
        return Usage("changes takes no words, only options");
    const platform::Result<std::string> since = DateOption(args, "--since");
    if (!since)
        return Usage(since.error());
    ChangeQuery query;
    query.since = *since;
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
            query.list.push_back(
                lookup::SearchCriteria::ForLine(platform::Cp1251String::FromText(line)));
    }
    bool header = format == "csv";
    const platform::Status found = FindChanges(db, query, [&](const FirmChange& change) {
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
    });
    if (!found)
        return Failure(found.error());
    if (header)
        Out(CsvHeader(ChangeRow({})));
    return Finish();
}

int Export(Archive& db, const Arguments& args) {
    if (!args.words.empty())
        return Usage("export takes no words, only options");
    const bool evidence = args.Has("--format") && args.Last("--format") == "evidence";
    if (!args.Has("--since") && !evidence)
        return Usage("export needs --since DATE");
    const platform::Result<std::string> given = DateOption(args, "--since");
    if (!given)
        return Usage(given.error());
    const std::string& since = *given;
    const std::string format = args.Has("--format") ? args.Last("--format") : "";
    if (format != "jsonl" && format != "csv" && format != "evidence")
        return Usage("export needs --format jsonl, csv or evidence");
    if (format == "evidence") {
        const platform::Status written = WriteEvidence(db, since, [](const std::string& line) {
            Out(line + '\n');
            return !std::ferror(stdout);
        });
        if (!written)
            return Failure(written.error());
        return Finish();
    }
    if (format == "csv")
        Out(CsvHeader(ExportRow({}, nullptr)));
    const platform::Status scanned = db.Scan(since, [&](const CheckRecord& record) {
        const auto write = [&](const lookup::FirmRecord* firm) {
            const Row row = ExportRow(record, firm);
            Out(format == "jsonl" ? JsonRow(row) : CsvRow(row));
        };
        if (record.firms.empty())
            write(nullptr);
        for (const lookup::FirmRecord& firm : record.firms)
            write(&firm);
        return !std::ferror(stdout);
    });
    if (!scanned)
        return Failure(scanned.error());
    return Finish();
}

}  // namespace archive::tool
