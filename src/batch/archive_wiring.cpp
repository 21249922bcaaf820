#include "batch/archive_wiring.h"

#include <QFile>
#include <QString>
#include <optional>

#include "archive/archive_evidence.h"
#include "archive/archive_stamp.h"
#include "batch/line_record.h"
#include "batch/stop_signal.h"

namespace batch {
namespace {

// What the recorder said went wrong, or a plain reason when it said nothing.
std::string GivenUpReason(ArchiveWiring& w) {
    std::lock_guard<std::mutex> lock(w.mutex);
    return w.told.empty() ? "archive " + w.path + ": a record could not be written" : w.told;
}

// Waits until the records handed to the recorder are committed. A file another program
// holds locked is waited for, at most `bound` from the start of this wait; a signal ends
// the wait at once. Fails, with the reason, when the records are not in the archive:
// given up (read-only, full, damaged), still locked past the bound, or stopped.
platform::Status WaitKept(ArchiveWiring& w, std::chrono::seconds bound) {
    if (!w.unkept.empty()) {
        w.lastTicket = w.recorder->AppendAll(std::move(w.unkept));
        w.unkept.clear();
    }
    if (w.lastTicket == 0) {
        return {};
    }
    const auto start = std::chrono::steady_clock::now();
    while (!w.recorder->WaitWritten(w.lastTicket, std::chrono::milliseconds(200))) {
        if (StopSignal() != 0) {
            return platform::Failure("stopped while waiting for the archive");
        }
        const bool locked = w.recorder->retrying();
        if (w.recorder->failed() && !locked) {
            return platform::Failure(GivenUpReason(w));
        }
        if (locked && std::chrono::steady_clock::now() - start >= bound) {
            return platform::Failure("archive " + w.path +
                                     ": another program has held it locked for more than " +
                                     std::to_string(bound.count()) + " s (--archive-wait)");
        }
    }
    return {};
}

// Whether the run records: not with --no-archive, nor when the file there cannot be read
// as an archive at all (damaged, foreign, a link), which is left as it is and said at
// once. An archive that stops taking records during the run stops the run (WaitKept).
bool Recordable(const BatchOptions& options, ArchiveWiring& w) {
    if (options.noArchive || !QFile::exists(QString::fromStdString(w.path))) {
        return !options.noArchive;
    }
    archive::Archive probe;
    const platform::Status opened = probe.Open(w.path, archive::Archive::Access::ReadOnly);
    if (!opened && !probe.locked()) {
        w.console.Err(opened.error() + "; the run goes on without recording.\n");
        return false;
    }
    return true;
}

// Every ended line is recorded; the records of the lines that ended since the last wait
// go in together, as one transaction. A record reads its firms from the line's spool
// while it is written, so recording holds no answer in memory beyond what the spool
// keeps there.
void WireRecording(const BatchOptions& options, const std::string& serviceRoot, ArchiveWiring& w,
                   RunSettings& settings) {
    const std::string language = options.requestLanguage.isEmpty()
                                     ? std::string("ru")
                                     : options.requestLanguage.toStdString();
    w.recorder = std::make_unique<archive::Recorder>(w.path, [&w](const std::string& why) {
        w.console.Err(why + ".\n");
        std::lock_guard<std::mutex> lock(w.mutex);
        w.told = why;
    });
    settings.lineEnded = [&w, serviceRoot, language](const EndedLine& line) {
        w.unkept.push_back(RecordOf(line, serviceRoot, language, w.screenedAgainst));
    };
    const std::chrono::seconds bound(options.archiveWait);
    settings.linesKept = [&w, bound] { return WaitKept(w, bound); };
}

// --max-age: a line answered within the last maxAge days is answered from the archive.
// An archive that cannot be read sends every line; one that fails while read sends the
// rest.
void WireStored(const BatchOptions& options, ArchiveWiring& w, RunSettings& settings) {
    archive::Archive& stored = w.stored;
    if (options.maxAge > 0 && QFile::exists(QString::fromStdString(w.path))) {
        const platform::Status opened = stored.Open(w.path, archive::Archive::Access::ReadOnly);
        if (!opened) {
            w.console.Err(opened.error() + "; every line is sent.\n");
        }
    }
    if (!stored.isOpen()) {
        return;
    }
    const std::string notBefore = archive::UtcDaysAgo(options.maxAge);
    Console& console = w.console;
    settings.stored = [&stored, &console, notBefore](const lookup::SearchCriteria& criteria,
                                                     StoredAnswer* answer) {
        if (!stored.isOpen()) {
            return false;
        }
        platform::Result<std::optional<archive::CheckRecord>> found =
            stored.LastAnswered(criteria, notBefore);
        if (!found) {
            console.Err(found.error() + "; the remaining lines are sent.\n");
            stored.Close();
            return false;
        }
        if (!*found) {
            return false;
        }
        archive::CheckRecord& record = **found;
        answer->firms = std::move(record.firms);
        answer->message = archive::FromUtf8(record.message);
        answer->checkedAt = record.checkedAt;
        return true;
    };
}

}  // namespace

void WireArchive(const BatchOptions& options, const std::string& serviceRoot, ArchiveWiring& w,
                 RunSettings& settings) {
    w.path =
        options.archive.isEmpty() ? archive::Archive::DefaultPath() : options.archive.toStdString();
    if (Recordable(options, w)) {
        WireRecording(options, serviceRoot, w, settings);
    }
    WireStored(options, w, settings);
}

std::string PrintHead(const std::string& path, Console& console) {
    archive::Archive db;
    const platform::Status opened = db.Open(path, archive::Archive::Access::ReadOnly);
    const platform::Result<archive::ChainHead> head =
        opened ? db.Head()
               : platform::Result<archive::ChainHead>(platform::Failure(opened.error()));
    if (head) {
        const std::string line = archive::HeadLine(*head);
        console.Err("Archive head: " + line + "\n");
        return line;
    }
    console.Err("Archive head: cannot be read (" + head.error() + ")\n");
    return {};
}

bool StampHead(const std::string& path, const std::string& url, const config::ProxySettings& proxy,
               Console& console) {
    archive::Archive db;
    const platform::Status opened = db.Open(path, archive::Archive::Access::ReadWrite);
    const platform::Result<std::int64_t> stamped =
        opened ? archive::StampHead(db, url, proxy)
               : platform::Result<std::int64_t>(platform::Failure(opened.error()));
    if (!stamped) {
        console.Err("The archive's head was not stamped: " + stamped.error() +
                    " (exit status 8 when the run ended well).\n");
        return false;
    }
    console.Err("Time stamp: record " + std::to_string(*stamped) + " stamped by " + url + "\n");
    return true;
}

}  // namespace batch
