#include "batch/run_end.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <vector>

#include "batch/exit_status.h"
#include "batch/stop_signal.h"
#include "config/default_addresses.h"
#include "platform/result.h"

namespace batch {
namespace {

// Opens path for writing anew, for the user alone with privateFile. A link or anything
// but a regular file there is not written through.
platform::Result<int> OpenUnchecked(const QString& path, bool privateFile) {
    const int fd =
        ::open(QFile::encodeName(path).constData(),
               O_WRONLY | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, privateFile ? 0600 : 0666);
    if (fd < 0) {
        return platform::Failure(errno == ELOOP ? "It is a symbolic link." : std::strerror(errno));
    }
    struct stat st {};
    std::string why;
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        why = "It is not a regular file.";
    } else if (privateFile && (st.st_mode & 077) != 0 && ::fchmod(fd, st.st_mode & 0700) != 0) {
        why = std::strerror(errno);
    } else if (::ftruncate(fd, 0) != 0) {
        why = std::strerror(errno);
    }
    if (!why.empty()) {
        ::close(fd);
        return platform::Failure(why);
    }
    return fd;
}

// Writes FILE_unchecked.txt: the lines the limit left unsent (numbers, in file order), as
// they were in FILE (a UTF-16 list's lines as UTF-8), a piece at a time.
platform::Status WriteUnchecked(const QString& path, const lookup::ListFile& list,
                                const std::vector<int>& numbers, bool privateFile) {
    const platform::Result<int> fd = OpenUnchecked(path, privateFile);
    if (!fd) {
        return platform::Failure(fd.error());
    }
    std::string why;
    std::string bytes;
    const auto flush = [&] {
        if (why.empty() && !bytes.empty() &&
            ::write(*fd, bytes.data(), bytes.size()) != static_cast<ssize_t>(bytes.size())) {
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
    ::close(*fd);
    if (!why.empty()) {
        return platform::Failure(why);
    }
    return {};
}

// The ends of a run that could not keep its results: a file that failed, a results file
// that went away, an archive that stopped taking records. -1 when none of them.
int LostEnd(Console& console, const RunResult& run, const RunFiles& files,
            const ResultsWriter& writer, bool resuming) {
    if (!run.writeError.empty()) {
        return CannotCreate(
            console, run.writeError.rfind("progress", 0) == 0 ? files.progress : files.results,
            run.writeError.substr(run.writeError.find(": ") + 2));
    }
    const std::string missing = writer.started() || resuming ? writer.Missing() : std::string();
    if (!missing.empty()) {
        console.Err("The results file \"" + files.results.toStdString() + "\" is gone: " + missing +
                    "; the results of this run are lost.\n");
        return ToInt(ExitStatus::CannotWrite);
    }
    if (!run.notKept.empty()) {
        console.Err("The run stopped: " + run.notKept +
                    ".\nThe lines whose records are not in the archive are not marked done; "
                    "run the same command with --resume once the archive can be written "
                    "(exit status 7).\n");
        return ToInt(ExitStatus::NoArchive);
    }
    return -1;
}

// The ends of a run cut short: by the daily limit or a stop. -1 when neither.
int CutEnd(Console& console, const RunResult& run, const RunFiles& files,
           const lookup::ListFile& list) {
    if (run.limitReached) {
        const platform::Status written =
            WriteUnchecked(files.unchecked, list, run.unchecked, files.privateFiles);
        if (!written) {
            return CannotCreate(console, files.unchecked, written.error());
        }
        console.Err("The service's daily request limit is used up: " +
                    std::to_string(run.unchecked.size()) + " lines were not checked (listed in \"" +
                    files.unchecked.toStdString() +
                    "\").\nTo check them, run the same command with --resume on another day.\n");
        return ToInt(ExitStatus::DailyLimit);
    }
    if (StopSignal() != 0 || run.stopped) {
        console.Err("Stopped. Every finished line is in \"" + files.shown.toStdString() +
                    "\"; run the same command with --resume to continue.\n");
        return ToInt(StopSignal() == SIGTERM ? ExitStatus::Terminated : ExitStatus::Interrupted);
    }
    return -1;
}

// The end of a run through the whole list.
int CompletedEnd(Console& console, const RunCounts& total, const RunFiles& files,
                 const ResultsWriter& writer, bool resuming) {
    if (!NotARegularFile(files.unchecked)) {
        QFile::remove(files.unchecked);
    }
    if (writer.started() || resuming) {
        console.Err("Checking completed. Results: " + files.shown.toStdString() + "\n");
    } else {
        console.Err("Checking completed. Nothing was written: the list has no line to check.\n");
    }
    const int notDone = total.failed + total.skipped;
    if (total.listedByNumber == 0) {
        if (notDone == 0 && total.linkedOnly > 0) {
            console.Err("Screening: " + std::to_string(total.linkedOnly) +
                        " firms are linked to a listed entity, none is listed by number (exit "
                        "status 9).\n");
            return ToInt(ExitStatus::Linked);
        }
        return ToInt(notDone == 0 ? ExitStatus::AllDone : ExitStatus::LineNotDone);
    }
    // A firm on a watch list outweighs a line that failed: both are told.
    std::string text = "Screening: " + std::to_string(total.listedByNumber) +
                       " firms match a watch list by number (exit status 6)";
    if (notDone > 0) {
        text += "; " + std::to_string(notDone) + " lines also failed or were skipped";
    }
    console.Err(text + ".\n");
    return ToInt(ExitStatus::Listed);
}

}  // namespace

std::string CountsText(const RunCounts& c, std::size_t of) {
    return "checked " + std::to_string(c.checked()) + " of " + std::to_string(of) +
           " lines, found " + std::to_string(c.firms) + " firms and " + std::to_string(c.messages) +
           " messages, failed " + std::to_string(c.failed) + ", skipped " +
           std::to_string(c.skipped);
}

bool NotARegularFile(const QString& path) {
    struct stat st {};
    return ::lstat(QFile::encodeName(path).constData(), &st) == 0 && !S_ISREG(st.st_mode);
}

int CannotCreate(Console& console, const QString& path, const std::string& why) {
    console.Err("Cannot create file \"" + path.toStdString() + "\". " + why + "\n");
    return ToInt(ExitStatus::CannotWrite);
}

RunCounts PrintSummary(Console& console, const RunResult& run, const RunCounts& earlier,
                       std::size_t allLines, bool fromArchive, bool screened) {
    RunCounts total = run.counts;
    total.done += earlier.done;
    total.skipped += earlier.skipped;
    total.firms += earlier.firms;
    total.messages += earlier.messages;
    total.cut += earlier.cut;
    total.listedByNumber += earlier.listedByNumber;
    total.listedByName += earlier.listedByName;
    total.linkedOnly += earlier.linkedOnly;
    std::string text = "Summary: " + CountsText(total, allLines) + ", unchecked " +
                       std::to_string(total.unchecked);
    if (total.cut > 0) {
        text += ", cut short: " + std::to_string(total.cut);
    }
    if (fromArchive) {
        text += ", from the archive: " + std::to_string(run.counts.fromArchive);
    }
    if (screened) {
        text += ", listed by number: " + std::to_string(total.listedByNumber) +
                ", by name only: " + std::to_string(total.listedByName);
    }
    console.Err(text + "\n");
    return total;
}

XlsxSummary WorkbookSummary(const BatchOptions& options, const WorkbookRun& where,
                            const RunResult& run, const RunCounts& total) {
    const auto n = [](std::int64_t value) { return std::to_string(value); };
    std::string state = "complete";
    if (run.limitReached) {
        state = "stopped by the daily request limit: --resume on another day";
    } else if (StopSignal() != 0 || run.stopped || !run.notKept.empty()) {
        state = "stopped: --resume continues it";
    }
    XlsxSummary lines{
        {"Service", config::HostOfRoot(where.serviceRoot)},
        {"List", options.file.toStdString()},
        {"Started at", where.startedAt},
        {"Finished at", NowUtc()},
        {"Run", state},
        {"Lines", n(static_cast<std::int64_t>(where.allLines))},
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
    lines.emplace_back("Archive head",
                       where.head.empty() ? std::string("not recorded") : where.head);
    return lines;
}

int EndStatus(Console& console, const RunResult& run, const RunCounts& total, const RunFiles& files,
              const ResultsWriter& writer, const lookup::ListFile& list, bool resuming) {
    const int lost = LostEnd(console, run, files, writer, resuming);
    if (lost >= 0) {
        return lost;
    }
    const int cut = CutEnd(console, run, files, list);
    if (cut >= 0) {
        return cut;
    }
    return CompletedEnd(console, total, files, writer, resuming);
}

}  // namespace batch
