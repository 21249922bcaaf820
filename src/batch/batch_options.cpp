#include "batch/batch_options.h"

#include <cmath>
#include <cstdlib>
#include <optional>
#include <utility>

#include "config/service_host.h"
#include "platform/result.h"

namespace batch {
namespace {

// A whole number of at most six digits from least to most; none otherwise.
std::optional<int> WholeNumber(const std::string& text, int least, int most) {
    if (text.empty() || text.size() > 6) {
        return std::nullopt;
    }
    int value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') {
            return std::nullopt;
        }
        value = value * 10 + (c - '0');
    }
    if (value < least || value > most) {
        return std::nullopt;
    }
    return value;
}

// Seconds from 0 to 86400, digits and a decimal point only; none otherwise.
std::optional<double> Seconds(const std::string& text) {
    if (text.empty() || text.find_first_not_of("0123456789.") != std::string::npos) {
        return std::nullopt;
    }
    char* end = nullptr;
    const double value = std::strtod(text.c_str(), &end);
    if (end != text.c_str() + text.size() || !std::isfinite(value) || value > 86400) {
        return std::nullopt;
    }
    return value;
}

// The lines of the usage, shared by UsageText and HelpText.
const char kUsageLines[] =
    "Usage: vendrake-batch FILE [--format text|jsonl|csv|xlsx] [--jobs N]\n"
    "                      [--interval SECONDS] [--resume]\n"
    "                      [--language L [--dictionary D]]\n"
    "                      [--request-language L] [--service HOST[:PORT]]\n"
    "                      [--archive PATH | --no-archive] [--max-age DAYS]\n"
    "                      [--archive-wait SECONDS] [--private] [--stamp [--tsa URL]]\n"
    "                      [--screen [--screen-index PATH]]\n";

const char kDescription[] =
    "Looks up every non-empty line of FILE (a number or a name) in the register and\n"
    "writes the firms found beside FILE (\"_enabled.txt\", \".jsonl\", \".csv\" or\n"
    "\".xlsx\").\n"
    "FILE is UTF-8, Windows-1251, or UTF-16 with a byte-order mark.\n"
    "\n";

const char kOptionLines[] =
    "Options:\n"
    "  --format F              text (default), jsonl, csv or xlsx (a workbook built\n"
    "                          from the rows kept in FILE_enabled.xlsx.csv, written\n"
    "                          anew at the end of each run, --resume too)\n"
    "  --jobs N                queries at once, 1 to 8 (default 4)\n"
    "  --interval SECONDS      at least this long between two queries' starts\n"
    "  --resume                continue a stopped run on the same FILE\n"
    "  --language L            add the _latin columns in language L (jsonl, csv,\n"
    "                          xlsx)\n"
    "  --dictionary D          the dictionary used with --language\n"
    "  --request-language L    convert each name line with language L before sending\n"
    "  --service HOST[:PORT]   the register mirror (also http://HOST[:PORT]/)\n"
    "  --archive PATH          record every line's outcome in the archive at PATH\n"
    "                          (by default the usual per-user archive)\n"
    "  --no-archive            record nothing in the archive\n"
    "  --max-age DAYS          answer a line from the archive when its last answered\n"
    "                          check is less than DAYS days old (no request)\n"
    "  --archive-wait SECONDS  how long to wait for an archive another program holds\n"
    "                          locked (default 120): every ended line waits until its\n"
    "                          record is in the archive before it is marked done;\n"
    "                          past this the run stops with status 7\n"
    "  --screen                screen every firm found against the newest version of\n"
    "                          each watch list imported with vendrake-screen: by INN,\n"
    "                          OGRN, KPP+INN and by name; adds a \"screening\" record\n"
    "                          after each firm (jsonl), the columns screening,\n"
    "                          screening_count and screening_matches (csv), or a\n"
    "                          \"Screening:\" block after each firm (text)\n"
    "  --screen-index PATH     the screening index to use with --screen (by default\n"
    "                          the usual per-user one)\n"
    "  --private               create the results files for the user alone (mode\n"
    "                          0600) instead of following the umask; the progress\n"
    "                          file always is\n"
    "  --stamp                 at the end of the run, have the time-stamping\n"
    "                          authority stamp the archive's head (through the\n"
    "                          proxy of config.ini) and print what was stamped\n"
    "  --tsa URL               the authority's address for --stamp (by default the\n"
    "                          setting TsaUrl)\n"
    "  -h, --help              show this help and exit\n"
    "  --version               show the version and exit\n"
    "\n";

const char kExitStatusLines[] =
    "Exit status:\n"
    "  0    every line checked and done\n"
    "  1    a line failed or was skipped\n"
    "  2    bad arguments, FILE unreadable or not text, nothing sound to resume,\n"
    "       FILE in use, or (--screen) a screening index that cannot be read or\n"
    "       holds no list\n"
    "  3    no Internet connection, or no register service answering\n"
    "  4    the results or progress file cannot be written\n"
    "  5    the service's daily request limit is used up\n"
    "  6    --screen: a firm matched a watch list by INN, OGRN or KPP+INN, also when\n"
    "       a line failed or was skipped (a run ending with 3, 4, 5, 130 or 143 keeps\n"
    "       that status; its summary counts the matches found)\n"
    "  7    the archive cannot be written (read-only, full, damaged during the run,\n"
    "       or locked by another program for longer than --archive-wait): the lines\n"
    "       whose records are not in it are not marked done, so --resume checks them\n"
    "  8    --stamp: the run ended as with 0 or 1, but its head could not be stamped\n"
    "  130  stopped by SIGINT, 143 stopped by SIGTERM\n";

}  // namespace

const char* UsageText() {
    static const std::string text =
        std::string(kUsageLines) + "       vendrake-batch --help | --version\n";
    return text.c_str();
}

const char* HelpText() {
    static const std::string text =
        std::string(kUsageLines) + kDescription + kOptionLines + kExitStatusLines;
    return text.c_str();
}

const char* FormatName(OutputFormat format) {
    switch (format) {
        case OutputFormat::Jsonl:
            return "jsonl";
        case OutputFormat::Csv:
            return "csv";
        case OutputFormat::Xlsx:
            return "xlsx";
        case OutputFormat::Text:
            break;
    }
    return "text";
}

namespace {

using platform::Failure;
using platform::Status;

// An option that takes a value: its name and how the value is taken in.
struct ValueOption {
    const char* name;
    Status (*take)(const std::string& v, BatchOptions& o);
};

QString Local(const std::string& v) {
    return QString::fromLocal8Bit(v.c_str());
}

Status TakeFormat(const std::string& v, BatchOptions& o) {
    for (OutputFormat format :
         {OutputFormat::Text, OutputFormat::Jsonl, OutputFormat::Csv, OutputFormat::Xlsx}) {
        if (v == FormatName(format)) {
            o.format = format;
            return {};
        }
    }
    return Failure("--format must be text, jsonl, csv or xlsx, not \"" + v + "\"");
}

Status TakeJobs(const std::string& v, BatchOptions& o) {
    const std::optional<int> jobs = WholeNumber(v, 1, 8);
    if (!jobs) {
        return Failure("--jobs must be a whole number from 1 to 8, not \"" + v + "\"");
    }
    o.jobs = *jobs;
    return {};
}

Status TakeInterval(const std::string& v, BatchOptions& o) {
    const std::optional<double> interval = Seconds(v);
    if (!interval) {
        return Failure("--interval must be a number of seconds from 0 to 86400, not \"" + v + "\"");
    }
    o.interval = *interval;
    return {};
}

Status TakeMaxAge(const std::string& v, BatchOptions& o) {
    const std::optional<int> days = WholeNumber(v, 1, 36500);
    if (!days) {
        return Failure("--max-age must be a whole number of days from 1 to 36500, not \"" + v +
                       "\"");
    }
    o.maxAge = *days;
    return {};
}

Status TakeArchiveWait(const std::string& v, BatchOptions& o) {
    const std::optional<int> seconds = WholeNumber(v, 1, 86400);
    if (!seconds) {
        return Failure("--archive-wait must be a whole number of seconds from 1 to 86400, not \"" +
                       v + "\"");
    }
    o.archiveWait = *seconds;
    return {};
}

Status TakeService(const std::string& v, BatchOptions& o) {
    if (const config::AddressResult parsed = config::ParseServiceHost(Local(v)); !parsed) {
        return Failure("--service: " + parsed.error().toStdString());
    }
    o.service = Local(v);
    return {};
}

const ValueOption kValueOptions[] = {
    {"--format", TakeFormat},
    {"--jobs", TakeJobs},
    {"--interval", TakeInterval},
    {"--language",
     [](const std::string& v, BatchOptions& o) {
         o.language = Local(v);
         return Status();
     }},
    {"--dictionary",
     [](const std::string& v, BatchOptions& o) {
         o.dictionary = Local(v);
         return Status();
     }},
    {"--service", TakeService},
    {"--request-language",
     [](const std::string& v, BatchOptions& o) {
         o.requestLanguage = Local(v);
         return Status();
     }},
    {"--archive",
     [](const std::string& v, BatchOptions& o) {
         o.archive = Local(v);
         return v.empty() ? Status(Failure("--archive needs a file")) : Status();
     }},
    {"--max-age", TakeMaxAge},
    {"--screen-index",
     [](const std::string& v, BatchOptions& o) {
         o.screenIndex = Local(v);
         return v.empty() ? Status(Failure("--screen-index needs a file")) : Status();
     }},
    {"--archive-wait", TakeArchiveWait},
    {"--tsa",
     [](const std::string& v, BatchOptions& o) {
         o.tsa = Local(v);
         return v.empty() ? Status(Failure("--tsa needs the authority's address")) : Status();
     }},
};

// Sets the flag arg names; false when arg is no flag.
bool TakeFlag(const std::string& arg, BatchOptions& o) {
    const std::pair<const char*, bool BatchOptions::*> flags[] = {
        {"--resume", &BatchOptions::resume}, {"--no-archive", &BatchOptions::noArchive},
        {"--screen", &BatchOptions::screen}, {"--private", &BatchOptions::privateFiles},
        {"--stamp", &BatchOptions::stamp},   {"--help", &BatchOptions::help},
        {"-h", &BatchOptions::help},         {"--version", &BatchOptions::version},
    };
    for (const auto& [name, member] : flags) {
        if (arg == name) {
            o.*member = true;
            return true;
        }
    }
    return false;
}

const ValueOption* ValueOptionNamed(const std::string& arg) {
    for (const ValueOption& option : kValueOptions) {
        if (arg == option.name) {
            return &option;
        }
    }
    return nullptr;
}

// The options that do not go together, and those that need another.
Status CheckCombination(const BatchOptions& o, bool archiveWaitGiven) {
    if (!o.dictionary.isEmpty() && o.language.isEmpty()) {
        return Failure("--dictionary needs --language");
    }
    if (o.noArchive && (!o.archive.isEmpty() || o.maxAge >= 0 || archiveWaitGiven)) {
        return Failure("--no-archive cannot go with --archive, --max-age or --archive-wait");
    }
    if (!o.tsa.isEmpty() && !o.stamp) {
        return Failure("--tsa needs --stamp");
    }
    if (o.stamp && o.noArchive) {
        return Failure("--stamp cannot go with --no-archive");
    }
    if (!o.screenIndex.isEmpty() && !o.screen) {
        return Failure("--screen-index needs --screen");
    }
    if (!o.language.isEmpty() && o.format == OutputFormat::Text) {
        return Failure("--language needs --format jsonl, csv or xlsx");
    }
    return {};
}

}  // namespace

ParsedOptions ParseOptions(const std::vector<std::string>& args) {
    BatchOptions o;
    bool haveFile = false;
    bool archiveWaitGiven = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (TakeFlag(arg, o)) {
            if (o.help || o.version) {
                return {o, {}};  // nothing else is looked at
            }
        } else if (const ValueOption* option = ValueOptionNamed(arg)) {
            if (i + 1 >= args.size()) {
                return {std::nullopt, arg + " needs a value"};
            }
            archiveWaitGiven = archiveWaitGiven || arg == "--archive-wait";
            const Status taken = option->take(args[++i], o);
            if (!taken) {
                return {std::nullopt, taken.error()};
            }
        } else if (arg.size() > 1 && arg[0] == '-') {
            return {std::nullopt, "unknown option \"" + arg + "\""};
        } else if (haveFile) {
            return {std::nullopt, "one FILE only"};
        } else {
            o.file = Local(arg);
            haveFile = true;
        }
    }
    if (!haveFile) {
        return {std::nullopt, "FILE is missing"};
    }
    const Status combined = CheckCombination(o, archiveWaitGiven);
    if (!combined) {
        return {std::nullopt, combined.error()};
    }
    return {o, {}};
}

}  // namespace batch
