#include "batch/batch_options.h"

#include <cmath>
#include <cstdlib>

#include "config/service_host.h"

namespace batch {
namespace {

bool ParseInt(const std::string& text, int* out) {
    if (text.empty() || text.size() > 6) {
        return false;
    }
    int value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') {
            return false;
        }
        value = value * 10 + (c - '0');
    }
    *out = value;
    return true;
}

bool ParseSeconds(const std::string& text, double* out) {
    if (text.empty() || text.find_first_not_of("0123456789.") != std::string::npos) {
        return false;
    }
    char* end = nullptr;
    const double value = std::strtod(text.c_str(), &end);
    if (end != text.c_str() + text.size() || !std::isfinite(value) || value > 86400) {
        return false;
    }
    *out = value;
    return true;
}

}  // namespace

const char* UsageText() {
    return "Usage: vendrake-batch FILE [--format text|jsonl|csv|xlsx] [--jobs N]\n"
           "                      [--interval SECONDS] [--resume]\n"
           "                      [--language L [--dictionary D]]\n"
           "                      [--request-language L] [--service HOST[:PORT]]\n"
           "                      [--archive PATH | --no-archive] [--max-age DAYS]\n"
           "                      [--archive-wait SECONDS] [--private] [--stamp [--tsa URL]]\n"
           "                      [--screen [--screen-index PATH]]\n"
           "       vendrake-batch --help | --version\n";
}

const char* HelpText() {
    return "Usage: vendrake-batch FILE [--format text|jsonl|csv|xlsx] [--jobs N]\n"
           "                      [--interval SECONDS] [--resume]\n"
           "                      [--language L [--dictionary D]]\n"
           "                      [--request-language L] [--service HOST[:PORT]]\n"
           "                      [--archive PATH | --no-archive] [--max-age DAYS]\n"
           "                      [--archive-wait SECONDS] [--private] [--stamp [--tsa URL]]\n"
           "                      [--screen [--screen-index PATH]]\n"
           "Looks up every non-empty line of FILE (a number or a name) in the register and\n"
           "writes the firms found beside FILE (\"_enabled.txt\", \".jsonl\", \".csv\" or\n"
           "\".xlsx\").\n"
           "FILE is UTF-8, Windows-1251, or UTF-16 with a byte-order mark.\n"
           "\n"
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
           "\n"
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

ParsedOptions ParseOptions(const std::vector<std::string>& args) {
    BatchOptions o;
    bool haveFile = false;
    bool archiveWaitGiven = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        auto value = [&](std::string* out) {
            if (i + 1 >= args.size()) {
                return false;
            }
            *out = args[++i];
            return true;
        };
        std::string v;
        if (arg == "--help" || arg == "-h") {
            o.help = true;
            return {o, {}};
        } else if (arg == "--version") {
            o.version = true;
            return {o, {}};
        } else if (arg == "--resume") {
            o.resume = true;
        } else if (arg == "--no-archive") {
            o.noArchive = true;
        } else if (arg == "--screen") {
            o.screen = true;
        } else if (arg == "--private") {
            o.privateFiles = true;
        } else if (arg == "--stamp") {
            o.stamp = true;
        } else if (arg == "--format" || arg == "--jobs" || arg == "--interval" ||
                   arg == "--language" || arg == "--dictionary" || arg == "--service" ||
                   arg == "--request-language" || arg == "--archive" || arg == "--max-age" ||
                   arg == "--screen-index" || arg == "--archive-wait" || arg == "--tsa") {
            if (!value(&v)) {
                return {std::nullopt, arg + " needs a value"};
            }
            if (arg == "--format") {
                if (v == "text") {
                    o.format = OutputFormat::Text;
                } else if (v == "jsonl") {
                    o.format = OutputFormat::Jsonl;
                } else if (v == "csv") {
                    o.format = OutputFormat::Csv;
                } else if (v == "xlsx") {
                    o.format = OutputFormat::Xlsx;
                } else {
                    return {std::nullopt,
                            "--format must be text, jsonl, csv or xlsx, not \"" + v + "\""};
                }
            } else if (arg == "--jobs") {
                if (!ParseInt(v, &o.jobs) || o.jobs < 1 || o.jobs > 8) {
                    return {std::nullopt,
                            "--jobs must be a whole number from 1 to 8, not \"" + v + "\""};
                }
            } else if (arg == "--interval") {
                if (!ParseSeconds(v, &o.interval)) {
                    return {std::nullopt,
                            "--interval must be a number of seconds from 0 to 86400, not \"" + v +
                                "\""};
                }
            } else if (arg == "--language") {
                o.language = QString::fromLocal8Bit(v.c_str());
            } else if (arg == "--dictionary") {
                o.dictionary = QString::fromLocal8Bit(v.c_str());
            } else if (arg == "--archive") {
                if (v.empty()) {
                    return {std::nullopt, "--archive needs a file"};
                }
                o.archive = QString::fromLocal8Bit(v.c_str());
            } else if (arg == "--screen-index") {
                if (v.empty()) {
                    return {std::nullopt, "--screen-index needs a file"};
                }
                o.screenIndex = QString::fromLocal8Bit(v.c_str());
            } else if (arg == "--max-age") {
                if (!ParseInt(v, &o.maxAge) || o.maxAge < 1 || o.maxAge > 36500) {
                    return {std::nullopt,
                            "--max-age must be a whole number of days from 1 to 36500, not \"" + v +
                                "\""};
                }
            } else if (arg == "--archive-wait") {
                archiveWaitGiven = true;
                if (!ParseInt(v, &o.archiveWait) || o.archiveWait < 1 || o.archiveWait > 86400) {
                    return {std::nullopt,
                            "--archive-wait must be a whole number of seconds from 1 to 86400, "
                            "not \"" +
                                v + "\""};
                }
            } else if (arg == "--tsa") {
                if (v.empty()) {
                    return {std::nullopt, "--tsa needs the authority's address"};
                }
                o.tsa = QString::fromLocal8Bit(v.c_str());
            } else if (arg == "--request-language") {
                o.requestLanguage = QString::fromLocal8Bit(v.c_str());
            } else {
                QString why;
                if (!config::ParseServiceHost(QString::fromLocal8Bit(v.c_str()), &why)) {
                    return {std::nullopt, "--service: " + why.toStdString()};
                }
                o.service = QString::fromLocal8Bit(v.c_str());
            }
        } else if (arg.size() > 1 && arg[0] == '-') {
            return {std::nullopt, "unknown option \"" + arg + "\""};
        } else if (haveFile) {
            return {std::nullopt, "one FILE only"};
        } else {
            o.file = QString::fromLocal8Bit(arg.c_str());
            haveFile = true;
        }
    }
    if (!haveFile) {
        return {std::nullopt, "FILE is missing"};
    }
    if (!o.dictionary.isEmpty() && o.language.isEmpty()) {
        return {std::nullopt, "--dictionary needs --language"};
    }
    if (o.noArchive && (!o.archive.isEmpty() || o.maxAge >= 0 || archiveWaitGiven)) {
        return {std::nullopt, "--no-archive cannot go with --archive, --max-age or --archive-wait"};
    }
    if (!o.tsa.isEmpty() && !o.stamp) {
        return {std::nullopt, "--tsa needs --stamp"};
    }
    if (o.stamp && o.noArchive) {
        return {std::nullopt, "--stamp cannot go with --no-archive"};
    }
    if (!o.screenIndex.isEmpty() && !o.screen) {
        return {std::nullopt, "--screen-index needs --screen"};
    }
    if (!o.language.isEmpty() && o.format == OutputFormat::Text) {
        return {std::nullopt, "--language needs --format jsonl, csv or xlsx"};
    }
    return {o, {}};
}

}  // namespace batch
