// A list run: the lines looked up a few at a time at a pace, each line's records
// written and its progress recorded as it ends, stopped early by a signal, by the
// service's daily limit or by a results file that cannot be written.
#pragma once

#include <atomic>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "batch/line_lookup.h"
#include "batch/list_lines.h"
#include "batch/progress_file.h"
#include "batch/results_writer.h"

namespace batch {

struct RunCounts;

struct RunSettings {
    int jobs = 4;
    double interval = 0;         // seconds between the starts of two queries
    std::set<int> alreadyEnded;  // lines not to send again (done or skipped before)
    // Polled while the run waits: true stops it (no new line, running ones aborted).
    std::function<bool()> stopRequested;
    // Told of every line as it ends, for the progress on stderr: "line N: REASON" for
    // a failed or skipped line (empty otherwise) and the counts so far.
    std::function<void(const std::string& lineMessage, const RunCounts& counts)> report;
};

struct RunCounts {
    int done = 0;
    int firms = 0;
    int messages = 0;
    int failed = 0;
    int skipped = 0;
    int unchecked = 0;
};

struct RunResult {
    RunCounts counts;            // of the lines this run ended
    bool stopped = false;        // stopRequested ended it
    bool limitReached = false;   // the service's daily limit ended it
    std::vector<int> unchecked;  // line numbers left unsent by the limit, in order
    std::string writeError;      // the results or progress file failed: why
};

// Runs every non-empty line of list not in settings.alreadyEnded through lookup.
// Lines whose check digit does not match are skipped without a request; the line
// that meets the daily limit, and every line not sent after it, is recorded as
// unchecked (after the lines still running have ended). A line aborted by a stop is
// neither written nor recorded, so that a resumed run sends it again.
RunResult RunList(const ListFile& list, LineLookup& lookup, ResultsWriter& writer,
                  ProgressFile& progress, const RunSettings& settings);

}  // namespace batch
