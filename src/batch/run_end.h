// How a vendrake-batch run ends: the summary of the whole list, the "Summary" sheet of a
// workbook, the lines the daily limit left unsent and the run's last words with its exit
// status.
#pragma once

#include <QString>
#include <cstddef>
#include <string>

#include "batch/batch_options.h"
#include "batch/batch_run.h"
#include "batch/console.h"
#include "batch/results_writer.h"
#include "batch/xlsx_results.h"
#include "lists/list_file.h"

namespace batch {

// "checked C of N lines, found F firms and M messages, failed X, skipped S".
std::string CountsText(const RunCounts& counts, std::size_t of);

// Whether something other than a regular file (a link, a pipe, a folder) is at path.
bool NotARegularFile(const QString& path);

// Says "Cannot create file "PATH". WHY" on console; returns ExitStatus::CannotWrite.
int CannotCreate(Console& console, const QString& path, const std::string& why);

// Says the summary line of the whole list, this run's lines and earlier ones, on console;
// returns their counts.
RunCounts PrintSummary(Console& console, const RunResult& run, const RunCounts& earlier,
                       std::size_t allLines, bool fromArchive, bool screened);

// Where and when a run went, as the "Summary" sheet of an xlsx run has it.
struct WorkbookRun {
    std::string serviceRoot;
    std::string startedAt;
    std::size_t allLines = 0;  // the lines of the list with something to search for
    std::string head;          // the archive head the run was written against, or ""
};

// The "Summary" sheet: where and when, the counts of the whole list (as the summary line
// has them) and the archive head.
XlsxSummary WorkbookSummary(const BatchOptions& options, const WorkbookRun& where,
                            const RunResult& run, const RunCounts& total);

// The files a run writes.
struct RunFiles {
    QString progress;
    QString results;  // the file the results are written to
    QString shown;    // the file the user reads them in: the workbook for xlsx, else results
    QString unchecked;
    bool privateFiles = false;  // --private
};

// The run's last words on console and its exit status; writes the unchecked lines of a
// run the daily limit ended, and removes those of an earlier run once none are left.
int EndStatus(Console& console, const RunResult& run, const RunCounts& total, const RunFiles& files,
              const ResultsWriter& writer, const lookup::ListFile& list, bool resuming);

}  // namespace batch
