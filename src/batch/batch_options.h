// The command line of vendrake-batch: FILE and its options.
#pragma once

#include <QString>
#include <optional>
#include <string>
#include <vector>

namespace batch {

// Xlsx: a workbook built from rows kept as csv beside it (see XlsxRowsFileName).
enum class OutputFormat { Text, Jsonl, Csv, Xlsx };

struct BatchOptions {
    QString file;
    OutputFormat format = OutputFormat::Text;
    int jobs = 4;             // 1..8 queries at once
    double interval = 0;      // seconds at least between the starts of two queries
    bool resume = false;      // continue the run recorded in the progress file
    QString language;         // adds the _latin columns (jsonl, csv)
    QString dictionary;       // the dictionary pass before the conversion
    QString service;          // HOST[:PORT] of the register as given; empty: the user's setting
    QString requestLanguage;  // converts each name line before it is sent; empty: as is
    QString archive;          // the archive file; empty: the user's usual one
    bool noArchive = false;   // record nothing and read nothing from the archive
    int maxAge = -1;          // days: a line checked more recently answers from the archive
    // Seconds a run waits for an archive another program holds locked before it stops.
    int archiveWait = 120;
    bool screen = false;        // screen every firm found against the loaded watch lists
    bool privateFiles = false;  // results and unchecked files for the user alone (0600)
    bool stamp = false;         // have an authority stamp the archive's head at the end
    QString tsa;                // the authority's address; empty: the setting TsaUrl
    QString screenIndex;        // the screening index; empty: the user's usual one
    bool help = false;          // --help or -h: print the help and do nothing else
    bool version = false;       // --version
};

struct ParsedOptions {
    std::optional<BatchOptions> options;
    std::string error;  // why the arguments were refused, when !options
};

// Parses the arguments after the program's name. Refuses unknown options, a missing
// or second FILE, values out of range and --dictionary without --language.
ParsedOptions ParseOptions(const std::vector<std::string>& args);

// The usage lines printed for bad arguments.
const char* UsageText();

// --help: the usage, one line per option, the exit statuses.
const char* HelpText();

// "text", "jsonl", "csv", "xlsx".
const char* FormatName(OutputFormat format);

}  // namespace batch
