// vendrake-screen's commands: importing, listing and removing watch lists, and
// screening firms or the lookup archive against them.
#include "screen/screen_tool.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "archive/archive_db.h"
#include "archive/check_record.h"
#include "cli/tool_output.h"
#include "pages/records.h"
#include "platform/cp1251.h"
#include "platform/output_cells.h"
#include "platform/result.h"
#include "screen/identifiers.h"
#include "screen/index.h"
#include "screen/list_reader.h"
#include "screen/rescreen.h"
#include "screen/screener.h"

namespace screen {
namespace {

using namespace cli;

constexpr int kNameMatch = 3;
constexpr int kIdentifierMatch = 6;
// A match of a related party only ("linked to a listed entity"): never 6, and apart
// from 3 so that a script tells it from a possible listing by name.
constexpr int kLinked = 9;

// The status a match gives: a target's number 6, a link 9, a target's name 3.
int StatusOf(const screen::Match& match) {
    if (!match.target)
        return kLinked;
    return match.kind == screen::MatchKind::Identifier ? kIdentifierMatch : kNameMatch;
}

// Of two statuses the weightier: 6, then 9, then 3, then 2 (a mistyped number), then 0.
int Weightier(int a, int b) {
    const auto rank = [](int status) {
        return status == kIdentifierMatch ? 4
               : status == kLinked        ? 3
               : status == kNameMatch     ? 2
               : status == kUsage         ? 1
                                          : 0;
    };
    return rank(a) >= rank(b) ? a : b;
}

const char kUsageText[] =
    "usage: vendrake-screen [--index PATH] COMMAND\n"
    "  import FILE [--name NAME] [--keep N] [--persons]\n"
    "                    stores a list (FollowTheMoney JSON lines or the simple targets\n"
    "                    CSV) as a new version; keeps the last N versions (default 3)\n"
    "  lists             the stored versions of every list\n"
    "  remove NAME       removes a list with all its versions\n"
    "  check [--threshold T] [--list NAME] [--format text|jsonl] [--results FILE] [FIRM...]\n"
    "                    screens firms against the newest version of each list: each\n"
    "                    FIRM is an INN, OGRN or OGRNIP as printed (\"ИНН 7704730655\",\n"
    "                    \"1 402 015 986\", \"ИНН/КПП 7704730655/770401001\") or a name;\n"
    "                    --results reads the firms of a vendrake-batch jsonl file\n"
    "  rescreen [--archive PATH] [--since DATE] [--threshold T] [--list NAME]\n"
    "                    screens every firm of the lookup archive (of the checks made\n"
    "                    since DATE) against the newest versions and prints the firms\n"
    "                    now listed; the archive is only read\n"
    "Exit status of check: 0 nothing matched, 3 a name matched, 6 an INN, OGRN or\n"
    "KPP+INN matched, 9 only a related party of a listed entity matched (\"linked to a\n"
    "listed entity\"); 1 a failure, 2 bad arguments, a mistyped number or a file that\n"
    "is not a list.\n"
    "Exit status of rescreen: 6 an INN, OGRN or KPP+INN matched, otherwise 0 (1, 2 as\n"
    "for check).\n"
    "The index is $XDG_DATA_HOME/Quillmarsh/Vendrake/screening.sqlite unless --index\n"
    "names one.\n";

std::string Lines(const std::vector<std::int64_t>& numbers) {
    std::string out;
    for (const std::int64_t n : numbers)
        out += (out.empty() ? "" : ", ") + std::to_string(n);
    return out;
}

int ImportCommand(screen::Index& index, const Arguments& args) {
    if (args.words.size() != 1)
        return Usage("import takes one file");
    screen::ImportOptions options;
    options.name = args.Get("--name");
    options.persons = args.Has("--persons");
    if (args.Has("--keep")) {
        const std::string keep = args.Get("--keep");
        if (keep.empty() || keep.size() > 6 ||
            keep.find_first_not_of("0123456789") != std::string::npos || std::stoi(keep) < 1)
            return Usage("--keep takes a number of versions, 1 or more");
        options.keep = std::stoi(keep);
    }
    const platform::Result<screen::ImportReport, screen::ImportFailure> imported =
        index.Import(args.words[0], options);
    if (!imported) {
        const screen::ImportFailure& failure = imported.error();
        for (const std::string& warning : failure.warnings)
            Warn(warning);
        return Failure(failure.message,
                       failure.status == screen::ImportStatus::NotAList ? kUsage : kFailed);
    }
    const screen::ImportReport& report = *imported;
    for (const std::string& warning : report.warnings)
        Warn(warning);
    const screen::ListVersion& v = report.version;
    if (report.unchanged) {
        Out("import: " + v.list + " is unchanged (version " + std::to_string(v.number) +
            ", sha256 " + v.digest + "); nothing stored\n");
        return Finish();
    }
    std::string text = "import: " + v.list + " version " + std::to_string(v.number) + ", " +
                       std::to_string(v.entities) + " entities, sha256 " + v.digest + ", " +
                       v.importedAt + "\n";
    if (report.notIndexed > 0)
        text += "import: " + std::to_string(report.notIndexed) +
                " entities of other schemata not indexed" +
                (options.persons ? "\n" : " (persons need --persons)\n");
    if (report.skipped > 0)
        text += "import: " + std::to_string(report.skipped) + " malformed lines skipped (lines " +
                Lines(report.skippedLines) +
                (report.skipped > static_cast<std::int64_t>(report.skippedLines.size()) ? ", ...)\n"
                                                                                        : ")\n");
    if (report.pruned > 0)
        text += "import: " + std::to_string(report.pruned) + " older versions removed\n";
    Out(text);
    return Finish();
}

int ListsCommand(screen::Index& index, const Arguments& args) {
    if (!args.words.empty())
        return Usage("lists takes nothing more");
    const platform::Result<std::vector<screen::ListVersion>> versions = index.Versions();
    if (!versions)
        return Failure(versions.error());
    for (const screen::ListVersion& v : *versions) {
        Out(v.list + '\t' + std::to_string(v.number) + '\t' + v.importedAt + '\t' +
            std::to_string(v.entities) + '\t' + v.digest + '\t' + v.format + '\t' + v.source +
            '\n');
    }
    return Finish();
}

int RemoveCommand(screen::Index& index, const Arguments& args) {
    if (args.words.size() != 1)
        return Usage("remove takes one list name");
    const platform::Result<bool> found = index.Remove(args.words[0]);
    if (!found)
        return Failure(found.error());
    if (!*found)
        return Failure("there is no list \"" + args.words[0] + "\"");
    Out("remove: " + args.words[0] + " removed\n");
    return Finish();
}

// A firm given on the command line: 10 digits are an INN, 13 an OGRN, anything else a
// name. Fields are Windows-1251, as the register gives them.
// A FIRM argument read as a person types or pastes it: the register numbers it gives
// (with labels, blanks, dots or brackets), else a name. *invalid receives the numbers
// that fail their check digits.
lookup::FirmRecord FirmOfWord(const std::string& word, std::vector<std::string>* invalid) {
    lookup::FirmRecord firm;
    const screen::TypedIdentifiers typed = screen::ReadTypedIdentifiers(word);
    *invalid = typed.invalid;
    if (typed.ids.empty() && typed.invalid.empty()) {
        firm.name = platform::Utf8ToCp1251(word);
        return firm;
    }
    for (const screen::Identifier& id : typed.ids) {
        std::string& field = id.kind == screen::IdKind::Inn ? firm.inn : firm.ogrn;
        if (field.empty())
            field = id.value;
        if (id.kind == screen::IdKind::Inn && !id.kpp.empty() && firm.kpp.empty())
            firm.kpp = id.kpp;
    }
    return firm;
}

// Reads one line of at most 8 MiB; a longer one is read to its end and given empty.
bool ReadLine(std::FILE* file, std::string* line) {
    line->clear();
    char chunk[65536];
    bool any = false;
    bool tooLong = false;
    while (std::fgets(chunk, sizeof chunk, file) != nullptr) {
        any = true;
        const size_t n = std::strlen(chunk);
        if (!tooLong)
            line->append(chunk, n);
        if (line->size() > screen::kMaxLineBytes) {
            tooLong = true;
            line->clear();
        }
        if (n > 0 && chunk[n - 1] == '\n')
            break;
    }
    while (!line->empty() && (line->back() == '\n' || line->back() == '\r'))
        line->pop_back();
    return any;
}

// Opens a regular file for reading without waiting: a named pipe or a device given
// as the results file is refused at once instead of blocking the check.
platform::Result<std::FILE*> OpenRegularFile(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return platform::Failure(path + ": cannot open it (" + std::strerror(errno) + ")");
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return platform::Failure(path + ": not a regular file");
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    std::FILE* file = ::fdopen(fd, "rb");
    if (file == nullptr) {
        ::close(fd);
        return platform::Failure(path + ": cannot open it");
    }
    return file;
}

std::string JsonList(const std::vector<std::string>& values) {
    std::string out = "[";
    for (const std::string& value : values)
        out += (out.size() > 1 ? "," : "") + platform::JsonString(value);
    return out + "]";
}

std::string Join(const std::vector<std::string>& values) {
    std::string out;
    for (const std::string& value : values)
        out += (out.empty() ? "" : ",") + value;
    return out;
}

std::string MatchLine(const std::string& firm, const screen::Match& m, bool jsonl) {
    char score[16];
    std::snprintf(score, sizeof score, "%.3f", m.score);
    const std::string kind = !m.target                                 ? "link"
                             : m.kind == screen::MatchKind::Identifier ? "identifier"
                                                                       : "name";
    if (jsonl) {
        return "{\"firm\":" + platform::JsonString(firm) + ",\"match\":\"" + kind +
               "\",\"list\":" + platform::JsonString(m.list) +
               ",\"version\":" + std::to_string(m.versionNumber) +
               ",\"digest\":" + platform::JsonString(m.versionDigest) +
               ",\"entity_id\":" + platform::JsonString(m.entityId) +
               ",\"caption\":" + platform::JsonString(m.caption) +
               ",\"schema\":" + platform::JsonString(m.schema) +
               ",\"topics\":" + JsonList(m.topics) + ",\"what\":" + platform::JsonString(m.what) +
               ",\"how\":" + platform::JsonString(m.how) +
               ",\"firm_value\":" + platform::JsonString(m.firmValue) +
               ",\"entity_value\":" + platform::JsonString(m.entityValue) + ",\"score\":" + score +
               ",\"target\":" + (m.target ? "true" : "false") + "}\n";
    }
    return Printable(firm) + '\t' + Printable(m.list) + " v" + std::to_string(m.versionNumber) +
           '\t' + Printable(m.entityId) + '\t' + Printable(m.caption) + '\t' + Printable(m.schema) +
           '\t' + Printable(Join(m.topics)) + '\t' + Printable(screen::DescribeMatch(m)) + '\n';
}

// --threshold, when given: false when it is no number in (0, 1].
bool ThresholdOption(const Arguments& args, double* threshold) {
    *threshold = screen::kDefaultThreshold;
    if (!args.Has("--threshold"))
        return true;
    bool ok = false;
    *threshold = QString::fromStdString(args.Get("--threshold")).toDouble(&ok);
    return ok && *threshold > 0 && *threshold <= 1;
}

// Loads the newest version of each list (or of the --list ones); 0 when it could, or
// the exit status with the failure told.
int LoadScreener(const std::string& path, const Arguments& args, double threshold,
                 screen::Screener* screener) {
    std::vector<std::string> lists;
    for (auto [it, end] = args.options.equal_range("--list"); it != end; ++it)
        lists.push_back(it->second);
    const platform::Status loaded = screener->Load(path, lists);
    if (!loaded)
        return Failure(loaded.error());
    if (screener->versions().empty())
        return Failure("no list has been imported yet (vendrake-screen import FILE)");
    for (const std::string& warning : screener->warnings())
        Warn(warning);
    screener->setThreshold(threshold);
    return 0;
}

// Screens the firms of a vendrake-batch jsonl results file with screenOne; 0 when every
// firm was screened, or the exit status with the failure told (error holds why
// screenOne failed).
int ScreenResultsFile(
    const std::string& file,
    const std::function<bool(const std::string&, const lookup::FirmRecord&)>& screenOne,
    const std::string& error) {
    const platform::Result<std::FILE*> opened = OpenRegularFile(file);
    if (!opened)
        return Failure(opened.error());
    std::FILE* in = *opened;
    std::string line;
    std::int64_t lines = 0;
    std::int64_t results = 0;
    while (ReadLine(in, &line)) {
        ++lines;
        const QJsonDocument document = QJsonDocument::fromJson(QByteArray::fromStdString(line));
        const QJsonObject object = document.object();
        const QString kind = object.value(QLatin1String("kind")).toString();
        results += kind.isEmpty() ? 0 : 1;
        if (kind != QLatin1String("firm"))
            continue;
        lookup::FirmRecord firm;
        const auto field = [&](const char* key) {
            return platform::Utf8ToCp1251(
                object.value(QLatin1String(key)).toString().toStdString());
        };
        firm.name = field("name");
        firm.inn = field("inn");
        firm.kpp = field("kpp");
        firm.ogrn = field("ogrn");
        const std::string label = object.value(QLatin1String("name")).toString().toStdString();
        if (!screenOne(label, firm)) {
            std::fclose(in);
            return Failure(error);
        }
    }
    const bool readError = std::ferror(in) != 0;
    std::fclose(in);
    if (readError)
        return Failure(file + ": cannot read it");
    // A results file of messages only holds no firm; a file without a single line of a
    // results file is another file, which must not pass for a clean result.
    if (lines > 0 && results == 0)
        return Failure(file + ": not a vendrake-batch jsonl results file", kUsage);
    return 0;
}

int CheckCommand(const std::string& path, const Arguments& args) {
    const std::string format = args.Has("--format") ? args.Get("--format") : "text";
    if (format != "text" && format != "jsonl")
        return Usage("--format takes text or jsonl");
    double threshold = 0;
    if (!ThresholdOption(args, &threshold))
        return Usage("--threshold takes a number above 0 and at most 1");
    if (args.words.empty() && !args.Has("--results"))
        return Usage("check needs a firm or --results FILE");
    screen::Screener screener;
    if (const int failed = LoadScreener(path, args, threshold, &screener); failed != 0)
        return failed;
    std::string error;
    const bool jsonl = format == "jsonl";
    int status = 0;
    const auto screenOne = [&](const std::string& label, const lookup::FirmRecord& firm) {
        const platform::Result<std::vector<screen::Match>> matches = screener.Screen(firm);
        if (!matches) {
            error = matches.error();
            return false;
        }
        if (matches->empty() && !jsonl)
            Out(Printable(label) + "\tno match\n");
        for (const screen::Match& match : *matches) {
            Out(MatchLine(label, match, jsonl));
            status = Weightier(status, StatusOf(match));
        }
        return true;
    };
    for (const std::string& word : args.words) {
        std::vector<std::string> invalid;
        const lookup::FirmRecord firm = FirmOfWord(word, &invalid);
        for (const std::string& note : invalid) {
            // A mistyped number is no evidence of a clean firm: say what is wrong with it.
            Out(jsonl
                    ? "{\"firm\":" + platform::JsonString(word) +
                          ",\"match\":\"invalid\",\"problem\":" + platform::JsonString(note) + "}\n"
                    : Printable(word) + '\t' + Printable(note) + '\n');
            status = Weightier(status, kUsage);
        }
        if (invalid.empty() || !firm.inn.empty() || !firm.ogrn.empty()) {
            if (!screenOne(word, firm))
                return Failure(error);
        }
    }
    if (args.Has("--results")) {
        if (const int failed = ScreenResultsFile(args.Get("--results"), screenOne, error);
            failed != 0)
            return failed;
    }
    return Finish(status);
}

// Screens each firm of the archive once (where it was first found since the date)
// against the newest versions, reading the archive a record at a time.
int RescreenCommand(const std::string& path, const Arguments& args) {
    if (!args.words.empty())
        return Usage("rescreen takes only options");
    screen::RescreenOptions options;
    if (!ThresholdOption(args, &options.threshold))
        return Usage("--threshold takes a number above 0 and at most 1");
    options.since = args.Get("--since");
    if (args.Has("--since") && !archive::IsArchiveDate(options.since))
        return Usage("--since takes a date YYYY-MM-DD or YYYY-MM-DDTHH:MM:SSZ, not " +
                     options.since);
    for (auto [it, end] = args.options.equal_range("--list"); it != end; ++it)
        options.lists.push_back(it->second);
    const std::string archivePath =
        args.Has("--archive") ? args.Get("--archive") : archive::Archive::DefaultPath();
    screen::RescreenReport report;
    bool refused = false;
    bool written = true;
    const platform::Status done = screen::Rescreen(
        archivePath, path, options,
        [&](const screen::RescreenHit& hit) {
            const std::string firm = Printable(archive::ToUtf8(hit.firm.name)) + "\tINN " +
                                     Printable(archive::ToUtf8(hit.firm.inn)) + " OGRN " +
                                     Printable(archive::ToUtf8(hit.firm.ogrn)) + "\trecord " +
                                     std::to_string(hit.recordId) + ' ' + hit.checkedAt + '\t';
            for (std::size_t i = 0; i < hit.matches.size(); ++i) {
                const screen::Match& m = hit.matches[i];
                char score[16];
                std::snprintf(score, sizeof score, "%.3f", m.score);
                const std::string& since = hit.listedSince[i];
                Out(firm + Printable(m.list) + " v" + std::to_string(m.versionNumber) + '\t' +
                    Printable(m.entityId) + '\t' + Printable(m.caption) + '\t' +
                    Printable(Join(m.topics)) + '\t' + Printable(screen::DescribeMatch(m)) +
                    "\tscore " + score + (since.empty() ? "" : '\t' + Printable(since)) + '\n');
            }
            written = !std::ferror(stdout);
            return written;
        },
        &report, &refused);
    for (const std::string& warning : report.warnings)
        Warn(warning);
    if (!done)
        return Failure(done.error(), refused ? kUsage : kFailed);
    if (!written)
        return Finish();
    std::string versions;
    for (const screen::ListVersion& version : report.versions)
        versions +=
            (versions.empty() ? "" : ", ") + version.list + " v" + std::to_string(version.number);
    std::fprintf(stderr, "vendrake-screen: rescreen: %lld firms screened against %s, %lld listed\n",
                 static_cast<long long>(report.firms), versions.c_str(),
                 static_cast<long long>(report.listed));
    return Finish(report.identifierMatched ? kIdentifierMatch : report.linked ? kLinked : 0);
}

}  // namespace

int RunScreenTool(int argc, char** argv) {
    SetProgram("vendrake-screen", kUsageText);

    Leading line = TakeLeading(argc, argv, "--index");
    if (line.ended >= 0)
        return line.ended;
    std::string& path = line.path;
    const std::string& command = line.command;
    if (path.empty())
        path = screen::Index::DefaultPath();

    struct Entry {
        std::vector<std::string> options;
        std::vector<std::string> flags;
    };
    const std::map<std::string, Entry> commands = {
        {"import", {{"--name", "--keep"}, {"--persons"}}},
        {"lists", {{}, {}}},
        {"remove", {{}, {}}},
        {"check", {{"--threshold", "--list", "--format", "--results"}, {}}},
        {"rescreen", {{"--archive", "--since", "--threshold", "--list"}, {}}},
    };
    const auto found = commands.find(command);
    if (found == commands.end())
        return Usage("unknown command " + command);
    const platform::Result<Arguments> taken =
        TakeArguments(line.rest, found->second.options, found->second.flags);
    if (!taken)
        return Usage(taken.error());
    const Arguments& args = *taken;
    if (command == "check")
        return CheckCommand(path, args);
    if (command == "rescreen")
        return RescreenCommand(path, args);

    screen::Index index;
    const auto access =
        command == "lists" ? screen::Index::Access::ReadOnly : screen::Index::Access::ReadWrite;
    const platform::Status opened = index.Open(path, access);
    if (!opened) {
        if (command == "lists" && !QFileInfo::exists(QString::fromStdString(path)))
            return Finish();  // no list imported yet: an empty listing
        return Failure(opened.error());
    }
    if (command == "import")
        return ImportCommand(index, args);
    if (command == "lists")
        return ListsCommand(index, args);
    return RemoveCommand(index, args);
}

}  // namespace screen
