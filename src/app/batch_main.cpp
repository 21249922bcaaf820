// vendrake-batch FILE [options]: one register query per line of FILE, a few at a time,
// through the proxy settings of config.ini beside the program. Each line's records
// are appended to the results file beside FILE as the line ends, and the line's
// outcome to FILE_enabled.progress, so that --resume continues a stopped run. The
// progress file is locked for the whole run; the results file is not changed before
// the run has a first line to write. Every line's outcome is also recorded in the
// lookup archive (unless --no-archive), and the line's progress entry follows only once
// its record is committed: an archive that cannot take records stops the run. With --screen every
// firm is screened against the watch lists of the screening index on a worker thread as it arrives.
// The exit statuses are batch::ExitStatus.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <QCoreApplication>
#include <QFile>
#include <QSettings>
#include <QUrl>
#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "archive/archive_db.h"
#include "archive/archive_evidence.h"
#include "archive/archive_stamp.h"
#include "archive/check_record.h"
#include "archive/recorder.h"
#include "batch/batch_options.h"
#include "batch/batch_run.h"
#include "batch/exit_status.h"
#include "batch/progress_file.h"
#include "batch/results_writer.h"
#include "batch/screening.h"
#include "batch/xlsx_results.h"
#include "config/config_file.h"
#include "config/default_addresses.h"
#include "config/service_host.h"
#include "exchange/http_session.h"
#include "exchange/probe.h"
#include "lists/list_file.h"
#include "lists/list_run_driver.h"
#include "platform/program_dir.h"
#include "screen/screen_record.h"
#include "screen/screener.h"
#include "translit/translit.h"

namespace {

using batch::ExitStatus;
using batch::ToInt;

volatile std::sig_atomic_t gSignal = 0;

void OnSignal(int signal) {
    gSignal = signal;
}

void CatchStopSignals() {
    struct sigaction action {};
    action.sa_handler = OnSignal;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
}

std::string Path(const QString& path) {
    return path.toStdString();
}

int Refuse(const std::string& text, ExitStatus status = ExitStatus::BadInput) {
    std::cerr << "vendrake-batch: " << text << "\n";
    return ToInt(status);
}

int CannotCreate(const QString& path, const std::string& why) {
    std::cerr << "Cannot create file \"" << Path(path) << "\". " << why << "\n";
    return ToInt(ExitStatus::CannotWrite);
}

// A name given for --language, --dictionary or --request-language that is not
// installed: the message lists the installed ones.
bool Installed(const char* option, const QString& name, const QStringList& names) {
    if (name.isEmpty() || names.contains(name)) {
        return true;
    }
    QStringList sorted = names;
    sorted.sort();
    std::cerr << "vendrake-batch: " << option << ": there is no \"" << name.toStdString()
              << "\". Installed: " << sorted.join(QStringLiteral(", ")).toStdString() << "\n";
    return false;
}

config::ProxySettings ConfigProxy() {
    config::ProxyDialogState defaults;
    defaults.address = config::kDefaultProxyAddress;
    const auto config = config::LoadConfigFile(platform::ProgramDir() + "config.ini", defaults);
    if (!config.error.isEmpty()) {
        std::cerr << config.error.toStdString() << "\n";
    }
    return config::SettingsOf(config.state);
}

// Whether something other than a regular file (a link, a pipe, a folder) is at path.
bool NotARegularFile(const QString& path) {
    struct stat st {};
    return ::lstat(QFile::encodeName(path).constData(), &st) == 0 && !S_ISREG(st.st_mode);
}

// Writes FILE_unchecked.txt: the lines the limit left unsent (numbers, in file order),
// as they were in FILE (a UTF-16 list's lines as UTF-8), a piece at a time. A link or
// anything but a regular file there is not written through.
bool WriteUnchecked(const QString& path, const lookup::ListFile& list,
                    const std::vector<int>& numbers, bool privateFile) {
    const int fd =
        ::open(QFile::encodeName(path).constData(),
               O_WRONLY | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, privateFile ? 0600 : 0666);
    struct stat st {};
    std::string why;
    if (fd < 0) {
        why = errno == ELOOP ? "It is a symbolic link." : std::strerror(errno);
    } else if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        why = "It is not a regular file.";
    } else if (privateFile && (st.st_mode & 077) != 0 && ::fchmod(fd, st.st_mode & 0700) != 0) {
        why = std::strerror(errno);
    } else if (::ftruncate(fd, 0) != 0) {
        why = std::strerror(errno);
    }
    std::string bytes;
    const auto flush = [&] {
        if (why.empty() && !bytes.empty() &&
            ::write(fd, bytes.data(), bytes.size()) != static_cast<ssize_t>(bytes.size())) {
            why = std::strerror(errno);
        }
        bytes.clear();
    };
    auto wanted = numbers.begin();
    for (auto line = list.entries.begin();
         why.empty() && line != list.entries.end() && wanted != numbers.end(); ++line) {
        if (line.number() == *wanted) {
            bytes += (*line).bytes + list.lineEnd;
            ++wanted;
            if (bytes.size() >= (1u << 20)) {
                flush();
            }
        }
    }
    flush();
    if (fd >= 0) {
        ::close(fd);
    }
    if (!why.empty()) {
        CannotCreate(path, why);
        return false;
    }
    return true;
}

QString UncheckedFileName(const QString& listPath) {
    return batch::ResultsFileName(listPath, batch::OutputFormat::Text).chopped(12) +
           QStringLiteral("_unchecked.txt");
}

std::string CountsText(const batch::RunCounts& c, std::size_t of) {
    return "checked " + std::to_string(c.checked()) + " of " + std::to_string(of) +
           " lines, found " + std::to_string(c.firms) + " firms and " + std::to_string(c.messages) +
           " messages, failed " + std::to_string(c.failed) + ", skipped " +
           std::to_string(c.skipped);
}

// A line's firms as the archive reads them: straight from the line's spool, which the
// record keeps alive until it is written.
class SpoolFirms : public archive::FirmSource {
  public:
    explicit SpoolFirms(std::shared_ptr<const batch::LineSpool> spool) : spool_(std::move(spool)) {}

    std::int64_t count() const override { return spool_->firms(); }

    bool ForEach(const std::function<void(const lookup::FirmRecord&)>& visit,
                 std::string* error) const override {
        try {
            spool_->ForEach([&visit](const batch::SpoolEntry& e) {
                if (e.isFirm) {
                    visit(e.firm);
                }
            });
        } catch (const std::runtime_error& e) {
            *error = e.what();
            return false;
        }
        return true;
    }

  private:
    std::shared_ptr<const batch::LineSpool> spool_;
};

// What screening a done line's firms gave, as its archive record keeps it: the
// versions screened against and each match with the firm it was found for (the firms
// are read back from the line's spool, in the order the hits are numbered).
archive::Screening ScreeningOf(const batch::EndedLine& line,
                               const std::vector<screen::ListVersion>& versions) {
    archive::Screening screening = screen::RecordScreening(versions);
    if (line.screening->hits.empty() || line.keptSpool == nullptr) {
        return screening;
    }
    int index = 0;
    line.keptSpool->ForEach([&](const batch::SpoolEntry& e) {
        if (!e.isFirm) {
            return;
        }
        if (const std::vector<batch::ScreenHit>* hits = line.screening->Of(index)) {
            for (const batch::ScreenHit& hit : *hits) {
                archive::ScreenMatch kept;
                kept.firmName = archive::ToUtf8(e.firm.name);
                kept.firmInn = archive::ToUtf8(e.firm.inn);
                kept.firmOgrn = archive::ToUtf8(e.firm.ogrn);
                kept.list = hit.list;
                kept.version = hit.version;
                kept.entityId = hit.entityId;
                kept.caption = hit.caption;
                kept.schema = hit.schema;
                kept.topics = hit.topics;
                kept.kind = hit.identifier ? "identifier" : "name";
                kept.what = hit.how.empty() ? hit.what : hit.what + " (" + hit.how + ")";
                kept.firmValue = hit.firmValue;
                kept.entityValue = hit.entityValue;
                kept.score = hit.score;
                screening.matches.push_back(std::move(kept));
            }
        }
        ++index;
    });
    return screening;
}

// The archive record of an ended line.
archive::CheckRecord RecordOf(const batch::EndedLine& line, const std::string& serviceRoot,
                              const std::string& language,
                              const std::vector<screen::ListVersion>* screenedAgainst) {
    archive::CheckRecord r;
    r.checkedAt = line.report->checkedAt;
    r.origin = "batch";
    r.service = serviceRoot;
    r.typed = line.typed;
    r.criteria = line.criteria;
    r.language = language;
    r.pages = line.pages;
    r.pagesSha256 = line.pagesSha256;
    if (line.keptSpool != nullptr && line.keptSpool->firms() > 0) {
        r.firmSource = std::make_shared<SpoolFirms>(line.keptSpool);
    }
    if (line.hasMessage) {
        r.messageKind = line.messageKind;
        r.message = archive::ToUtf8(line.message);
    }
    if (screenedAgainst != nullptr && line.screening != nullptr &&
        line.report->outcome == batch::LineOutcome::Done) {
        r.screening = ScreeningOf(line, *screenedAgainst);
    }
    switch (line.report->outcome) {
        case batch::LineOutcome::Done:
            r.outcome = r.firmCount() == 0 && line.hasMessage ? archive::Outcome::Message
                                                              : archive::Outcome::Firms;
            break;
        case batch::LineOutcome::Failed:
            r.outcome = archive::Outcome::Failed;
            r.message = line.report->reason;
            break;
        case batch::LineOutcome::Skipped:
            r.outcome = archive::Outcome::Skipped;
            r.message = line.report->reason;
            break;
        case batch::LineOutcome::Unchecked:
            if (line.metLimit) {
                r.outcome = archive::Outcome::Message;
                r.messageKind = lookup::ServiceMessageKind::DailyLimit;
            } else {
                r.outcome = archive::Outcome::Unchecked;
            }
            break;
    }
    return r;
}

// The register's address: --service wins over the user's setting, which wins over the
// build-time address. False, with the refusal, when the stored setting is unusable.
bool ChooseServiceRoot(const batch::BatchOptions& options, std::string* root,
                       std::string* refusal) {
    *root = config::BuildTimeServiceAddress().ServiceRoot();
    if (!options.service.isEmpty()) {
        *root = config::ParseServiceHost(options.service)->ServiceRoot();
        return true;
    }
    const config::StoredSetting stored = config::StoredServiceSetting();
    if (!stored.error.isEmpty()) {
        *refusal = stored.error.toStdString() +
                   " Set it again in the window (File, Register service...) or give "
                   "--service HOST[:PORT].";
        return false;
    }
    if (stored.address) {
        *root = stored.address->ServiceRoot();
    }
    return true;
}

// The time-stamping authority of --stamp: --tsa wins over the setting TsaUrl. False,
// with the refusal, when neither names an http or https address.
bool ChooseTsaUrl(const batch::BatchOptions& options, std::string* url, std::string* refusal) {
    const QString given = !options.tsa.isEmpty()
                              ? options.tsa
                              : QSettings(QStringLiteral("Quillmarsh"), QStringLiteral("Vendrake"))
                                    .value(QStringLiteral("TsaUrl"))
                                    .toString()
                                    .trimmed();
    if (given.isEmpty()) {
        *refusal =
            "--stamp needs the time-stamping authority's address: give --tsa URL or set TsaUrl";
        return false;
    }
    const QUrl parsed(given, QUrl::StrictMode);
    if (!parsed.isValid() || parsed.host().isEmpty() ||
        (parsed.scheme() != QLatin1String("http") && parsed.scheme() != QLatin1String("https"))) {
        *refusal = std::string(options.tsa.isEmpty() ? "the setting TsaUrl" : "--tsa") + ": \"" +
                   given.toStdString() + "\" is not an http or https address";
        return false;
    }
    *url = given.toStdString();
    return true;
}

// "Archive head: vendrake-head records=N last=ID ...": the head of the archive at path
// once every record of the run is in, for the user to keep elsewhere. Returns the head's
// line (empty when it cannot be read).
std::string PrintHead(const std::string& path) {
    archive::Archive db;
    archive::ChainHead head;
    std::string error;
    if (db.Open(path, archive::Archive::Access::ReadOnly, &error) && db.Head(&head, &error)) {
        const std::string line = archive::HeadLine(head);
        std::cerr << "Archive head: " << line << "\n";
        return line;
    }
    std::cerr << "Archive head: cannot be read (" << error << ")\n";
    return {};
}

// The "Summary" sheet of an xlsx run: where and when, the counts of the whole list (as
// the summary line has them) and the archive head the run was written against.
batch::XlsxSummary WorkbookSummary(const batch::BatchOptions& options,
                                   const std::string& serviceRoot, const std::string& startedAt,
                                   const batch::RunResult& run, const batch::RunCounts& total,
                                   std::size_t allLines, const std::string& head) {
    const auto n = [](std::int64_t value) { return std::to_string(value); };
    std::string state = "complete";
    if (run.limitReached) {
        state = "stopped by the daily request limit: --resume on another day";
    } else if (gSignal != 0 || run.stopped || !run.notKept.empty()) {
        state = "stopped: --resume continues it";
    }
    batch::XlsxSummary lines{
        {"Service", config::HostOfRoot(serviceRoot)},
        {"List", Path(options.file)},
        {"Started at", startedAt},
        {"Finished at", batch::NowUtc()},
        {"Run", state},
        {"Lines", n(static_cast<std::int64_t>(allLines))},
        {"Checked", n(total.checked())},
        {"Done", n(total.done)},
        {"Failed", n(total.failed)},
        {"Skipped", n(total.skipped)},
        {"Unchecked", n(total.unchecked)},
        {"Firms", n(total.firms)},
        {"Messages", n(total.messages)},
        {"Cut short", n(total.cut)},
    };
    if (options.maxAge > 0) {
        lines.emplace_back("From the archive", n(run.counts.fromArchive));
    }
    if (options.screen) {
        lines.emplace_back("Listed by number", n(total.listedByNumber));
        lines.emplace_back("Listed by name only", n(total.listedByName));
    }
    lines.emplace_back("Archive head", head.empty() ? std::string("not recorded") : head);
    return lines;
}

// --stamp: has the authority at url stamp the head of the archive at path, through
// proxy, and says which record was stamped or why none was.
bool StampHead(const std::string& path, const std::string& url,
               const config::ProxySettings& proxy) {
    archive::Archive db;
    std::int64_t stamped = 0;
    std::string error;
    if (!db.Open(path, archive::Archive::Access::ReadWrite, &error) ||
        !archive::StampHead(db, url, proxy, &stamped, &error)) {
        std::cerr << "The archive's head was not stamped: " << error << " (exit status 8 when "
                  << "the run ended well).\n";
        return false;
    }
    std::cerr << "Time stamp: record " << stamped << " stamped by " << url << "\n";
    return true;
}

// What the archive needs for as long as the run lasts.
struct ArchiveWiring {
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

// Waits until the records handed to the recorder are committed. A file another
// program holds locked is waited for, at most `bound` from the start of this wait; a
// signal ends the wait at once. False, with *why, when the records are not in the
// archive: given up (read-only, full, damaged), still locked past the bound, or
// stopped.
bool WaitKept(ArchiveWiring& w, std::chrono::seconds bound, std::string* why) {
    if (!w.unkept.empty()) {
        w.lastTicket = w.recorder->AppendAll(std::move(w.unkept));
        w.unkept.clear();
    }
    if (w.lastTicket == 0) {
        return true;
    }
    const auto start = std::chrono::steady_clock::now();
    while (!w.recorder->WaitWritten(w.lastTicket, std::chrono::milliseconds(200))) {
        std::string told;
        {
            std::lock_guard<std::mutex> lock(w.mutex);
            told = w.told;
        }
        if (gSignal != 0) {
            *why = "stopped while waiting for the archive";
            return false;
        }
        const bool locked = w.recorder->retrying();
        if (w.recorder->failed() && !locked) {
            *why = told.empty() ? "archive " + w.path + ": a record could not be written" : told;
            return false;
        }
        if (locked && std::chrono::steady_clock::now() - start >= bound) {
            *why = "archive " + w.path + ": another program has held it locked for more than " +
                   std::to_string(bound.count()) + " s (--archive-wait)";
            return false;
        }
    }
    return true;
}

void WireArchive(const batch::BatchOptions& options, const std::string& serviceRoot,
                 ArchiveWiring& w, batch::RunSettings& settings) {
    // The archive: unless --no-archive every ended line is recorded (its progress entry
    // follows once the record is committed, so a line reported done is in the archive
    // even after a kill), and with --max-age a recent answer stands in for the request.
    // A record reads its firms from the line's spool while it is written, so recording
    // holds no answer in memory beyond what the spool keeps there.
    const std::string archivePath =
        options.archive.isEmpty() ? archive::Archive::DefaultPath() : Path(options.archive);
    w.path = archivePath;
    const std::string language =
        options.requestLanguage.isEmpty() ? std::string("ru") : Path(options.requestLanguage);
    bool record = !options.noArchive;
    if (record && QFile::exists(QString::fromStdString(archivePath))) {
        // A file that cannot be read as an archive at all (damaged, foreign, a link) is
        // left as it is and the run records nothing, which is said at once; an archive
        // that stops taking records during the run stops the run (WaitKept).
        archive::Archive probe;
        std::string why;
        if (!probe.Open(archivePath, archive::Archive::Access::ReadOnly, &why) && !probe.locked()) {
            std::cerr << why << "; the run goes on without recording.\n";
            record = false;
        }
    }
    if (record) {
        w.recorder = std::make_unique<archive::Recorder>(archivePath, [&w](const std::string& why) {
            std::cerr << why + ".\n";
            std::lock_guard<std::mutex> lock(w.mutex);
            w.told = why;
        });
        // The records of the lines that ended since the last wait go in together, as
        // one transaction.
        settings.lineEnded = [&w, serviceRoot, language](const batch::EndedLine& line) {
            w.unkept.push_back(RecordOf(line, serviceRoot, language, w.screenedAgainst));
        };
        const std::chrono::seconds bound(options.archiveWait);
        settings.linesKept = [&w, bound](std::string* why) { return WaitKept(w, bound, why); };
    }
    archive::Archive& stored = w.stored;
    if (options.maxAge > 0 && QFile::exists(QString::fromStdString(archivePath))) {
        std::string why;
        if (!stored.Open(archivePath, archive::Archive::Access::ReadOnly, &why)) {
            std::cerr << why << "; every line is sent.\n";
        }
    }
    if (stored.isOpen()) {
        const std::string notBefore = archive::UtcDaysAgo(options.maxAge);
        settings.stored = [&stored, notBefore](const lookup::SearchCriteria& criteria,
                                               batch::StoredAnswer* answer) {
            archive::CheckRecord record;
            bool found = false;
            std::string why;
            if (!stored.isOpen() ||
                !stored.LastAnswered(criteria, notBefore, &record, &found, &why)) {
                if (stored.isOpen()) {
                    std::cerr << why << "; the remaining lines are sent.\n";
                    stored.Close();
                }
                return false;
            }
            if (!found) {
                return false;
            }
            answer->firms = std::move(record.firms);
            answer->message = archive::FromUtf8(record.message);
            answer->checkedAt = record.checkedAt;
            return true;
        };
    }
}

// The screener of --screen, loaded before any request: an index that cannot be read or
// holds no list refuses the run. Null with *refusal set then.
std::unique_ptr<screen::Screener> LoadScreener(const batch::BatchOptions& options,
                                               std::string* refusal) {
    const std::string path =
        options.screenIndex.isEmpty() ? screen::Index::DefaultPath() : Path(options.screenIndex);
    auto screener = std::make_unique<screen::Screener>();
    std::string why;
    if (!screener->Load(path, &why)) {
        *refusal = "--screen: " + why;
        return nullptr;
    }
    if (screener->versions().empty()) {
        *refusal = "--screen: screening index " + path +
                   ": no list has been imported yet (vendrake-screen import FILE)";
        return nullptr;
    }
    for (const std::string& warning : screener->warnings()) {
        std::cerr << "Screening: " << warning << "\n";
    }
    std::string versions;
    for (const screen::ListVersion& v : screener->versions()) {
        versions += (versions.empty() ? "" : ", ") + v.list + " v" + std::to_string(v.number) +
                    " (" + std::to_string(v.entities) + " entities, SHA-256 " +
                    v.digest.substr(0, 12) + ")";
    }
    std::cerr << "Screening against " << versions << ".\n";
    return screener;
}

// Screens a firm with screener (used by the screening worker only) into the records
// the results file writes.
batch::FirmScreen ScreenWith(const screen::Screener& screener) {
    return [&screener](const lookup::FirmRecord& firm, std::string* error) {
        std::vector<batch::ScreenHit> hits;
        for (const screen::Match& m : screener.Screen(firm, error)) {
            batch::ScreenHit h;
            h.identifier = m.kind == screen::MatchKind::Identifier;
            h.list = m.list;
            h.version = m.versionNumber;
            h.digest = m.versionDigest;
            h.entityId = m.entityId;
            h.caption = m.caption;
            h.schema = m.schema;
            h.topics = m.topics;
            h.what = m.what;
            h.how = m.how;
            h.firmValue = m.firmValue;
            h.entityValue = m.entityValue;
            h.score = m.score;
            h.describe = screen::DescribeMatch(m);
            hits.push_back(std::move(h));
        }
        return hits;
    };
}

// Prints the summary line of the whole list, this run's lines and earlier ones; returns
// their counts.
batch::RunCounts PrintSummary(const batch::RunResult& run, const batch::RunCounts& earlier,
                              std::size_t allLines, bool fromArchive, bool screened) {
    batch::RunCounts total = run.counts;
    total.done += earlier.done;
    total.skipped += earlier.skipped;
    total.firms += earlier.firms;
    total.messages += earlier.messages;
    total.cut += earlier.cut;
    total.listedByNumber += earlier.listedByNumber;
    total.listedByName += earlier.listedByName;
    std::cerr << "Summary: " << CountsText(total, allLines) << ", unchecked " << total.unchecked;
    if (total.cut > 0) {
        std::cerr << ", cut short: " << total.cut;
    }
    if (fromArchive) {
        std::cerr << ", from the archive: " << run.counts.fromArchive;
    }
    if (screened) {
        std::cerr << ", listed by number: " << total.listedByNumber
                  << ", by name only: " << total.listedByName;
    }
    std::cerr << "\n";
    return total;
}

struct RunFiles {
    QString progress;
    QString results;  // the file the results are written to
    QString shown;    // the file the user reads them in: the workbook for xlsx, else results
    QString unchecked;
    bool privateFiles = false;  // --private
};

// The run's last words and its exit status.
int EndStatus(const batch::RunResult& run, const batch::RunCounts& total, const RunFiles& files,
              const batch::ResultsWriter& writer, const lookup::ListFile& list, bool resuming) {
    if (!run.writeError.empty()) {
        return CannotCreate(
            run.writeError.rfind("progress", 0) == 0 ? files.progress : files.results,
            run.writeError.substr(run.writeError.find(": ") + 2));
    }
    const std::string missing = writer.started() || resuming ? writer.Missing() : std::string();
    if (!missing.empty()) {
        std::cerr << "The results file \"" << Path(files.results) << "\" is gone: " << missing
                  << "; the results of this run are lost.\n";
        return ToInt(ExitStatus::CannotWrite);
    }
    if (!run.notKept.empty()) {
        std::cerr << "The run stopped: " << run.notKept
                  << ".\nThe lines whose records are not in the archive are not marked done; "
                     "run the same command with --resume once the archive can be written "
                     "(exit status 7).\n";
        return ToInt(ExitStatus::NoArchive);
    }
    if (run.limitReached) {
        if (!WriteUnchecked(files.unchecked, list, run.unchecked, files.privateFiles)) {
            return ToInt(ExitStatus::CannotWrite);
        }
        std::cerr << "The service's daily request limit is used up: " << run.unchecked.size()
                  << " lines were not checked (listed in \"" << Path(files.unchecked)
                  << "\").\nTo check them, run the same command with --resume on another day.\n";
        return ToInt(ExitStatus::DailyLimit);
    }
    if (gSignal != 0 || run.stopped) {
        std::cerr << "Stopped. Every finished line is in \"" << Path(files.shown)
                  << "\"; run the same command with --resume to continue.\n";
        return ToInt(gSignal == SIGTERM ? ExitStatus::Terminated : ExitStatus::Interrupted);
    }
    if (!NotARegularFile(files.unchecked)) {
        QFile::remove(files.unchecked);
    }
    if (writer.started() || resuming) {
        std::cerr << "Checking completed. Results: " << Path(files.shown) << "\n";
    } else {
        std::cerr << "Checking completed. Nothing was written: the list has no line to check.\n";
    }
    const int notDone = total.failed + total.skipped;
    if (total.listedByNumber > 0) {
        // A firm on a watch list outweighs a line that failed: both are told.
        std::cerr << "Screening: " << total.listedByNumber
                  << " firms match a watch list by number (exit status 6)";
        if (notDone > 0) {
            std::cerr << "; " << notDone << " lines also failed or were skipped";
        }
        std::cerr << ".\n";
        return ToInt(ExitStatus::Listed);
    }
    return ToInt(notDone == 0 ? ExitStatus::AllDone : ExitStatus::LineNotDone);
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const batch::ParsedOptions parsed =
        batch::ParseOptions(std::vector<std::string>(argv + 1, argv + argc));
    if (!parsed.options) {
        std::cerr << "vendrake-batch: " << parsed.error << "\n" << batch::UsageText();
        return ToInt(ExitStatus::BadInput);
    }
    const batch::BatchOptions& options = *parsed.options;
    if (options.help) {
        std::cout << batch::HelpText();
        return ToInt(ExitStatus::AllDone);
    }
    if (options.version) {
        std::cout << "vendrake-batch " << VENDRAKE_VERSION << "\n";
        return ToInt(ExitStatus::AllDone);
    }

    const QStringList languages = translit::ListLanguageFolders();
    if (!Installed("--language", options.language, languages) ||
        !Installed("--request-language", options.requestLanguage, languages) ||
        !Installed("--dictionary", options.dictionary, translit::ListDictionaryNames())) {
        return ToInt(ExitStatus::BadInput);
    }

    const lookup::ListFile list = lookup::ReadListFile(options.file);
    if (!list.ok()) {
        std::cerr << list.error.toStdString() << "\n";
        return ToInt(ExitStatus::BadInput);
    }
    if (!list.cp1251Lines.empty()) {
        std::cerr << "\"" << Path(options.file)
                  << "\": " << lookup::Cp1251LinesNote(list.cp1251Lines, list.cp1251Count)
                  << " not valid UTF-8, read as Windows-1251.\n";
    }

    std::unique_ptr<screen::Screener> screener;
    if (options.screen) {
        std::string refusal;
        screener = LoadScreener(options, &refusal);
        if (screener == nullptr) {
            return Refuse(refusal);
        }
    }

    translit::Translator translator;
    const bool latin = !options.language.isEmpty();
    if (latin) {
        translator = translit::Translator::Open(options.language, options.dictionary);
        if (!translator.Error().isEmpty()) {
            return Refuse(translator.Error().toStdString());
        }
    }
    translit::Translator requestTranslator;
    if (!options.requestLanguage.isEmpty()) {
        requestTranslator = translit::Translator::Open(options.requestLanguage);
        if (!requestTranslator.Error().isEmpty()) {
            return Refuse(requestTranslator.Error().toStdString());
        }
    }

    std::string serviceRoot;
    std::string refusal;
    if (!ChooseServiceRoot(options, &serviceRoot, &refusal)) {
        return Refuse(refusal);
    }
    std::string tsaUrl;
    if (options.stamp && !ChooseTsaUrl(options, &tsaUrl, &refusal)) {
        return Refuse(refusal);
    }

    // An xlsx run writes csv rows beside the workbook and builds the workbook from them.
    const bool workbook = options.format == batch::OutputFormat::Xlsx;
    const QString workbookPath = batch::ResultsFileName(options.file, options.format);
    const QString resultPath = workbook ? batch::XlsxRowsFileName(options.file) : workbookPath;
    const QString progressPath = batch::ProgressFileName(options.file);
    const QString uncheckedPath = UncheckedFileName(options.file);

    batch::ProgressFile progress;
    std::string error;
    switch (progress.Open(progressPath, &error)) {
        case batch::ProgressFile::OpenResult::Ok:
            break;
        case batch::ProgressFile::OpenResult::Busy:
        case batch::ProgressFile::OpenResult::Refused:
            return Refuse("cannot use \"" + Path(progressPath) + "\": " + error);
        case batch::ProgressFile::OpenResult::Failed:
            return CannotCreate(progressPath, error);
    }
    batch::ProgressState before;
    bool resuming = options.resume && !progress.created();
    if (resuming && !progress.Read(options.format, &before, &error, options.screen)) {
        return Refuse("\"" + Path(progressPath) + "\" " + error);
    }
    if (options.resume && (!resuming || before.blank)) {
        std::cerr << "Nothing to resume (\"" << Path(progressPath)
                  << "\" records no line): starting afresh.\n";
        resuming = false;
        before = batch::ProgressState{};
    }
    if (resuming) {
        if (before.listSize != list.size || before.listDigest != list.digest) {
            return Refuse("\"" + Path(options.file) +
                          "\" has changed since the run recorded in \"" + Path(progressPath) +
                          "\"; its lines no longer match. Run without --resume to start afresh.");
        }
    }
    batch::ResultsWriter writer(options.format, config::HostOfRoot(serviceRoot),
                                latin ? &translator : nullptr);
    if (options.maxAge > 0) {
        writer.MarkSource();
    }
    if (options.screen) {
        writer.MarkScreening();
    }
    if (options.privateFiles) {
        writer.MarkPrivate();
    }
    if (!writer.Open(resultPath, resuming ? before.resultsBytes : 0, &error)) {
        return writer.refused() ? Refuse("cannot use \"" + Path(resultPath) + "\": " + error)
                                : CannotCreate(resultPath, error);
    }
    // The lines recorded as done are not sent again, so their results must still be
    // there, ending where the progress file says.
    if (resuming &&
        (writer.SizeOnDisk() < before.resultsBytes || !writer.EndsRecordAt(before.resultsBytes))) {
        return Refuse("\"" + Path(resultPath) +
                      "\" does not hold the results its progress file records (" +
                      std::to_string(before.resultsBytes) +
                      " bytes ending with a whole record); the results of lines recorded as "
                      "done are missing or damaged. Run without --resume to start afresh.");
    }
    for (const QString& path : {uncheckedPath, workbookPath}) {
        if (NotARegularFile(path)) {
            return Refuse("cannot use \"" + Path(path) +
                          "\": it is a symbolic link or not a regular file.");
        }
    }
    // The check asks the register service the way the queries go: through the proxy of
    // config.ini when one is chosen there, otherwise straight. Only when the service
    // does not answer is the fixed address asked, to tell a silent service (named with
    // its reason) from no connection at all; a chosen proxy that fails is named.
    const config::ProxySettings proxy = ConfigProxy();
    const auto noRegister = [&serviceRoot](const std::string& reason) {
        return "The register's address is not set and \"" + config::HostOfRoot(serviceRoot) +
               "\" does not answer (" + reason +
               "). Give the address of a register mirror with --service HOST[:PORT], or set it "
               "in the window (File, Register service...).";
    };
    lookup::ProbeOptions probe;
    probe.serviceRoot = serviceRoot;
    probe.proxy = proxy;
    const lookup::ProbeResult reached = lookup::Probe(probe);
    if (!reached.reachable) {
        if (reached.error.kind == lookup::QueryErrorKind::ProxyFailed) {
            std::cerr << reached.error.reason << "\n";
        } else if (!reached.serviceSilent) {
            std::cerr << "No Internet connection...\n";
        } else if (config::IsPlaceholderServiceRoot(serviceRoot) &&
                   lookup::CouldNotReach(reached.error, reached.serviceHost)) {
            std::cerr << noRegister(reached.error.reason) << "\n";
        } else {
            std::cerr << lookup::ServiceSilentText(reached) << "\n";
        }
        return ToInt(ExitStatus::NoConnection);
    }

    batch::RunSettings settings;
    settings.jobs = options.jobs;
    settings.interval = options.interval;
    batch::RunCounts earlier;
    // Lines cut short before are told by their message in the results kept.
    if (resuming) {
        earlier.cut = static_cast<int>(std::max<std::int64_t>(
            0, writer.Occurrences(before.resultsBytes, lookup::kListCutText)));
        std::int64_t byNumber = 0;
        std::int64_t byName = 0;
        if (!writer.CountScreened(before.resultsBytes, &byNumber, &byName)) {
            return Refuse("\"" + Path(resultPath) +
                          "\" cannot be read back to count its screened firms.");
        }
        earlier.listedByNumber = static_cast<int>(byNumber);
        earlier.listedByName = static_cast<int>(byName);
    }
    for (const auto& [number, record] : before.lines) {
        if (record.outcome == batch::LineOutcome::Done ||
            record.outcome == batch::LineOutcome::Skipped) {
            settings.alreadyEnded.push_back(number);  // in number order, as the lines are
            ++(record.outcome == batch::LineOutcome::Done ? earlier.done : earlier.skipped);
            earlier.firms += record.firms;
            earlier.messages += record.messages;
        }
    }
    std::size_t allLines = 0;
    std::size_t toCheck = 0;
    for (const lookup::ListLine& line : list.entries) {
        if (lookup::PlanListQuery(line.text).action != lookup::ListQuery::Action::Pass) {
            ++allLines;
            toCheck += std::binary_search(settings.alreadyEnded.begin(),
                                          settings.alreadyEnded.end(), line.number)
                           ? 0
                           : 1;
        }
    }
    settings.stopRequested = [] { return gSignal != 0; };
    settings.report = [toCheck](const std::string& lineMessage, const batch::RunCounts& c) {
        if (!lineMessage.empty()) {
            std::cerr << lineMessage << "\n";
        }
        std::string text = CountsText(c, toCheck);
        text[0] = 'C';
        std::cerr << text << "\n";
    };
    settings.beforeFirstWrite = [&](std::string* why) {
        return resuming
                   ? progress.Continue(before.wholeBytes, why)
                   : progress.Start(options.format, list.size, list.digest, why, options.screen);
    };
    if (!options.requestLanguage.isEmpty()) {
        settings.convert = [&requestTranslator](const QString& line) {
            return requestTranslator.Convert(line).text;
        };
    }

    // The worker screens each firm while the register is asked for the next ones.
    std::unique_ptr<batch::ScreeningQueue> screening;
    if (screener != nullptr) {
        screening = std::make_unique<batch::ScreeningQueue>(ScreenWith(*screener));
        settings.screening = screening.get();
    }

    ArchiveWiring archiveWiring;
    if (screener != nullptr) {
        archiveWiring.screenedAgainst = &screener->versions();
    }
    WireArchive(options, serviceRoot, archiveWiring, settings);
    CatchStopSignals();

    settings.serviceRoot = serviceRoot;
    settings.proxy = proxy;
    settings.placeholderService = config::IsPlaceholderServiceRoot(serviceRoot);
    settings.failureHint = " (the register's address is not set: use --service HOST[:PORT])";
    std::cerr << "Checking...\n";
    const std::string startedAt = batch::NowUtc();
    const batch::RunResult run = batch::RunList(list, writer, progress, settings);
    screening.reset();  // the worker is done with the screener

    if (!run.noService.empty()) {
        std::cerr << noRegister(run.noService) << "\n";
        return ToInt(ExitStatus::NoConnection);
    }
    if (!writer.translitError().empty()) {
        std::cerr << "Transliteration: " << writer.translitError() << "\n";
    }
    // What is still queued is written before the summary, which names the head that
    // covers every record of the run.
    const bool recorded = archiveWiring.recorder != nullptr;
    archiveWiring.recorder.reset();
    const batch::RunCounts total =
        PrintSummary(run, earlier, allLines, options.maxAge > 0, options.screen);
    const std::string head = recorded ? PrintHead(archiveWiring.path) : std::string();
    if (workbook && (writer.started() || resuming) && run.writeError.empty() &&
        writer.Missing().empty()) {
        const mode_t umaskBefore = options.privateFiles ? ::umask(077) : 0;
        const bool built = batch::WriteXlsxResults(
            resultPath, workbookPath,
            WorkbookSummary(options, serviceRoot, startedAt, run, total, allLines, head), &error);
        if (options.privateFiles) {
            ::umask(umaskBefore);
        }
        if (!built) {
            return CannotCreate(workbookPath, error);
        }
    }
    const RunFiles files{progressPath, resultPath, workbookPath, uncheckedPath,
                         options.privateFiles};
    const int status = EndStatus(run, total, files, writer, list, resuming);
    const bool stampable =
        status == ToInt(ExitStatus::AllDone) || status == ToInt(ExitStatus::LineNotDone) ||
        status == ToInt(ExitStatus::Listed) || status == ToInt(ExitStatus::DailyLimit);
    if (!options.stamp || !recorded || !stampable) {
        return status;
    }
    const bool stamped = StampHead(archiveWiring.path, tsaUrl, proxy);
    return stamped || status > ToInt(ExitStatus::LineNotDone) ? status
                                                              : ToInt(ExitStatus::NotStamped);
}
