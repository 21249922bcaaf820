// A list run on the query service: the lines queued a few at a time at the pace set,
// each line's records written and its progress recorded as it ends, stopped early by
// a signal, by the service's daily limit or by a file that cannot be written.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "batch/progress_file.h"
#include "batch/results_writer.h"
#include "batch/screening.h"
#include "config/proxy_settings.h"
#include "exchange/query_service.h"
#include "lists/list_file.h"
#include "lists/list_query.h"
#include "pages/search_criteria.h"
#include "platform/result.h"

namespace batch {

struct RunCounts {
    int done = 0;
    int firms = 0;
    int messages = 0;
    int failed = 0;
    int skipped = 0;
    int unchecked = 0;
    int fromArchive = 0;     // done lines answered by settings.stored (also counted in done)
    int cut = 0;             // done lines whose result list the register cut short
    int listedByNumber = 0;  // firms screened that matched a watch list by number
    int listedByName = 0;    // firms screened that matched one by name only
    int linkedOnly = 0;      // firms screened that matched related parties only

    // Lines that ended this way or another: done, failed or skipped.
    int checked() const { return done + failed + skipped; }
};

// A line as it ended, told before its progress entry is written, for a record kept
// beside the results file.
struct EndedLine {
    const LineReport* report = nullptr;
    std::string typed;                 // the line's text (UTF-8)
    lookup::SearchCriteria criteria;   // as sent, or as the line would have been sent
    const LineSpool* spool = nullptr;  // what a done or failed line delivered; may be null
    // The same spool, for a record that reads it after the line has gone (null with spool).
    std::shared_ptr<const LineSpool> keptSpool;
    int pages = 0;            // answer pages read
    std::string pagesSha256;  // their SHA-256 (hex); empty when none
    bool hasMessage = false;  // the service answered with a message
    lookup::ServiceMessageKind messageKind = lookup::ServiceMessageKind::Other;
    std::string message;    // the first message (Windows-1251)
    bool metLimit = false;  // the service's daily-limit message ended it
    // With settings.screening, the screening of a done line's firms (by their place
    // among the line's firms); null otherwise.
    const LineScreening* screening = nullptr;
};

// A line's answer kept from an earlier check, given instead of a request.
struct StoredAnswer {
    std::vector<lookup::FirmRecord> firms;  // Windows-1251
    std::string message;                    // the service's message when no firm (Windows-1251)
    std::string checkedAt;                  // when it was checked
};

struct RunSettings {
    std::string serviceRoot;  // "http://host[:port]"
    config::ProxySettings proxy;
    // The address is still the build-time placeholder: the first line that gets no
    // answer at all stops the run unrecorded instead of failing every line the same
    // way; a failure in which the placeholder host could not be reached gets failureHint
    // appended.
    bool placeholderService = false;
    std::string failureHint;
    lookup::LineConverter convert;  // what a name line becomes before it is sent; none: as is
    // Called once, before the run writes its first record: readies the progress file.
    // Fails with the reason when it cannot.
    std::function<platform::Status()> beforeFirstWrite;
    int jobs = 4;
    double interval = 0;            // seconds between the starts of two queries
    std::vector<int> alreadyEnded;  // lines not to send again (done or skipped before), ascending
    // Polled while the run waits: true stops it (no new line, running ones aborted).
    std::function<bool()> stopRequested;
    // Told of every line as it ends, for the progress on stderr: "line N: REASON" for
    // a failed or skipped line or one whose list was cut short (empty otherwise) and
    // the counts so far.
    std::function<void(const std::string& lineMessage, const RunCounts& counts)> report;
    // Told of every ended line (unchecked ones included) before its progress entry.
    std::function<void(const EndedLine& line)> lineEnded;
    // Called after one or more lineEnded and before their progress entries are written:
    // waits until they are kept. Fails, with the reason, when they cannot be: the run then
    // stops and their progress entries are not written, so that a resumed run checks
    // those lines again (unless stopRequested says the wait was cut short by a stop).
    std::function<platform::Status()> linesKept;
    // Asked on the calling thread before a line is queued: true with *answer filled
    // writes the stored answer and sends nothing for the line.
    std::function<bool(const lookup::SearchCriteria& criteria, StoredAnswer* answer)> stored;
    // Screens every firm as it arrives (none: nothing is screened). A done line whose
    // firms cannot all be screened ends as failed, so that a resumed run sends it again.
    ScreeningQueue* screening = nullptr;
};

struct RunResult {
    RunCounts counts;            // of the lines this run ended
    bool stopped = false;        // stopRequested ended it
    bool limitReached = false;   // the service's daily limit ended it
    std::vector<int> unchecked;  // line numbers left unsent by the limit, in order
    std::string writeError;      // "results: WHY" or "progress: WHY" when a file failed
    std::string noService;       // why the placeholder address failed, when it stopped the run
    // Why the records of ended lines could not be kept (settings.linesKept), when that
    // stopped the run; those lines are not counted and not recorded as done.
    std::string notKept;
};

// Runs every line of list not in settings.alreadyEnded that has something to search
// for through a query service of its own, on the calling thread's event loop (a
// QCoreApplication must exist). Lines whose check digit does not match are skipped
// without a request; a failed line's partial records are not written; the
// line that meets the daily limit, and every line not sent after it, is recorded as
// unchecked once the lines still running have ended. A line aborted by a stop is
// neither written nor recorded, so that a resumed run sends it again.
RunResult RunList(const lookup::ListFile& list, ResultsWriter& writer, ProgressFile& progress,
                  const RunSettings& settings);

}  // namespace batch
