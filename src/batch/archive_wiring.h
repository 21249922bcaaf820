// A vendrake-batch run and the lookup archive: unless --no-archive every ended line is
// recorded, and its progress entry follows only once the record is committed, so that a
// line reported done is in the archive even after a kill; with --max-age a recent answer
// stands in for the request. At the end the archive's head is told and, with --stamp,
// stamped.
#pragma once

#include <chrono>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "archive/archive_db.h"
#include "archive/check_record.h"
#include "archive/recorder.h"
#include "batch/batch_options.h"
#include "batch/batch_run.h"
#include "batch/console.h"
#include "config/proxy_settings.h"
#include "screen/index.h"

namespace batch {

// What the archive needs for as long as the run lasts.
struct ArchiveWiring {
    explicit ArchiveWiring(Console& to) : console(to) {}
    // The recorder's thread may still speak while it ends: it ends before the rest goes.
    ~ArchiveWiring() { recorder.reset(); }
    ArchiveWiring(const ArchiveWiring&) = delete;
    ArchiveWiring& operator=(const ArchiveWiring&) = delete;

    Console& console;
    std::string path;                             // the archive file
    std::unique_ptr<archive::Recorder> recorder;  // none with --no-archive
    archive::Recorder::Ticket lastTicket = 0;
    std::vector<archive::CheckRecord> unkept;  // records of lines ended since the last wait
    archive::Archive stored;                   // read for --max-age
    std::mutex mutex;
    std::string told;  // what the recorder said went wrong (guarded by mutex)
    // With --screen, the list versions every firm is screened against; null otherwise.
    const std::vector<screen::ListVersion>* screenedAgainst = nullptr;
};

// Opens the archive for the run and sets settings' lineEnded, linesKept and stored to
// use it, as options ask. w must outlive the run.
void WireArchive(const BatchOptions& options, const std::string& serviceRoot, ArchiveWiring& w,
                 RunSettings& settings);

// Says "Archive head: vendrake-head records=N last=ID ..." on console: the head of the
// archive at path once every record of the run is in, for the user to keep elsewhere.
// Returns the head's line (empty when it cannot be read).
std::string PrintHead(const std::string& path, Console& console);

// --stamp: has the authority at url stamp the head of the archive at path, through
// proxy, and says which record was stamped or why none was.
bool StampHead(const std::string& path, const std::string& url, const config::ProxySettings& proxy,
               Console& console);

}  // namespace batch
