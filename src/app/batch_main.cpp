// vendrake-batch FILE [options]: one register query per non-empty line of FILE, a few
// at a time, through the proxy settings of config.ini beside the program. Each line's
// records are appended to the results file beside FILE as the line ends, and the
// line's outcome to FILE_enabled.progress, so that --resume continues a stopped run.
//
// Exit status: 0 every line done, 1 a line failed or was skipped (a check digit does
// not match), 2 bad arguments or FILE unreadable, 3 no Internet connection, 4 the
// results cannot be written, 5 the service's daily limit is used up, 130 / 143 stopped
// by SIGINT / SIGTERM.
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <atomic>
#include <csignal>
#include <cstdio>
#include <iostream>
#include <string>
#include <vector>

#include "batch/batch_options.h"
#include "batch/batch_run.h"
#include "batch/list_lines.h"
#include "batch/progress_file.h"
#include "batch/results_writer.h"
#include "config/config_file.h"
#include "config/service_host.h"
#include "lookup/http_session.h"
#include "lookup/list_file.h"
#include "lookup/probe.h"
#include "platform/program_dir.h"
#include "translit/translit.h"

namespace {

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

int CannotCreate(const QString& path, const std::string& why) {
    std::cerr << "Cannot create file \"" << Path(path) << "\". " << why << "\n";
    return 4;
}

// Whether the file can be written, tried before the probe and any query, so that a
// folder the results cannot go to does not cost a run of the service's requests. A
// file that did not exist is not left behind, and an existing one is not changed.
bool CanCreate(const QString& path) {
    const bool existed = QFile::exists(path);
    QFile probeOut(path);
    if (!probeOut.open(QIODevice::WriteOnly | QIODevice::Append)) {
        CannotCreate(path, probeOut.errorString().toStdString());
        return false;
    }
    probeOut.close();
    if (!existed) {
        QFile::remove(path);
    }
    return true;
}

lookup::ProxySettings ConfigProxy() {
    config::ProxyDialogState defaults;
    defaults.address = config::kDefaultProxyAddress;
    const auto config = config::LoadConfigFile(platform::ProgramDir() + "config.ini", defaults);
    if (!config.error.isEmpty()) {
        std::cerr << config.error.toStdString() << "\n";
    }
    return config::SettingsOf(config.state);
}

// Writes FILE_unchecked.txt: the lines the limit left unsent, as they were in FILE.
bool WriteUnchecked(const QString& path, const batch::ListFile& list,
                    const std::vector<int>& numbers) {
    std::string bytes;
    for (int n : numbers) {
        bytes += list.lines[static_cast<std::size_t>(n - 1)].bytes + list.lineEnd;
    }
    QFile out(path);
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        out.write(bytes.data(), static_cast<qint64>(bytes.size())) !=
            static_cast<qint64>(bytes.size()) ||
        !out.flush()) {
        CannotCreate(path, out.errorString().toStdString());
        return false;
    }
    return true;
}

QString UncheckedFileName(const QString& listPath) {
    return batch::ResultsFileName(listPath, batch::OutputFormat::Text).chopped(12) +
           QStringLiteral("_unchecked.txt");
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const batch::ParsedOptions parsed =
        batch::ParseOptions(std::vector<std::string>(argv + 1, argv + argc));
    if (!parsed.options) {
        std::cerr << "vendrake-batch: " << parsed.error << "\n" << batch::UsageText();
        return 2;
    }
    const batch::BatchOptions& options = *parsed.options;

    // Only a regular file of bounded size is read whole (not a pipe or a device).
    const QFileInfo info(options.file);
    if (info.exists() && (!info.isFile() || info.size() > lookup::kMaxListFileBytes)) {
        std::cerr << "Cannot open file \"" << Path(options.file) << "\". "
                  << (info.isFile() ? "It is larger than 64 MiB." : "It is not a regular file.")
                  << "\n";
        return 2;
    }
    QFile file(options.file);
    if (!file.open(QIODevice::ReadOnly)) {
        std::cerr << "Cannot open file \"" << Path(options.file) << "\". "
                  << file.errorString().toStdString() << "\n";
        return 2;
    }
    const QByteArray bytes = file.readAll();
    file.close();
    const batch::ListFile list = batch::SplitListFile(
        std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));

    translit::Translator translator;
    const bool latin = !options.language.isEmpty();
    if (latin) {
        translator = translit::Translator::Open(options.language, options.dictionary);
        if (!translator.Error().isEmpty()) {
            std::cerr << "vendrake-batch: " << translator.Error().toStdString() << "\n";
            return 2;
        }
    }

    const QString resultPath = batch::ResultsFileName(options.file, options.format);
    const QString progressPath = batch::ProgressFileName(options.file);
    const QString uncheckedPath = UncheckedFileName(options.file);

    batch::ProgressState before;
    const bool resuming = options.resume && QFile::exists(progressPath);
    if (options.resume && !resuming) {
        std::cerr << "Nothing to resume (no \"" << Path(progressPath) << "\"): starting afresh.\n";
    }
    if (resuming) {
        std::string error;
        if (!batch::ReadProgress(progressPath, options.format, &before, &error)) {
            std::cerr << "vendrake-batch: " << error << "\n";
            return 2;
        }
        // The lines recorded as done are not sent again, so their results must still
        // be there.
        if (QFileInfo(resultPath).size() < before.resultsBytes) {
            std::cerr << "vendrake-batch: \"" << Path(resultPath)
                      << "\" is shorter than its progress file records; the results of lines "
                         "recorded as done are missing. Run without --resume to start afresh.\n";
            return 2;
        }
    }
    if (!CanCreate(resultPath) || !CanCreate(progressPath)) {
        return 4;
    }
    if (!lookup::InternetConnection()) {
        std::cerr << "No Internet connection...\n";
        return 3;
    }

    // --service wins over the user's setting, which wins over the build-time address.
    const std::optional<config::ServiceAddress> given =
        options.service.isEmpty() ? std::nullopt : config::ParseServiceHost(options.service);
    const std::string serviceRoot =
        given ? given->ServiceRoot()
              : config::ConfiguredServiceRoot(config::BuildTimeServiceAddress().ServiceRoot());
    const std::string serviceHost = lookup::HostOfRoot(serviceRoot);
    batch::ResultsWriter writer(options.format, serviceHost, latin ? &translator : nullptr);
    batch::ProgressFile progress;
    std::string error;
    if (!writer.Open(resultPath, resuming, before.resultsBytes, &error)) {
        return CannotCreate(resultPath, error);
    }
    if (!progress.Open(progressPath, options.format, resuming, &error)) {
        return CannotCreate(progressPath, error);
    }

    batch::RunSettings settings;
    settings.jobs = options.jobs;
    settings.interval = options.interval;
    batch::RunCounts earlier;
    for (const auto& [number, record] : before.lines) {
        if (record.outcome == batch::LineOutcome::Done ||
            record.outcome == batch::LineOutcome::Skipped) {
            settings.alreadyEnded.insert(number);
            ++(record.outcome == batch::LineOutcome::Done ? earlier.done : earlier.skipped);
            earlier.firms += record.firms;
            earlier.messages += record.messages;
        }
    }
    std::size_t toCheck = 0;
    for (const batch::ListLine& line : list.lines) {
        toCheck += !line.text.empty() && settings.alreadyEnded.count(line.number) == 0 ? 1 : 0;
    }
    settings.stopRequested = [] { return gSignal != 0; };
    settings.report = [toCheck](const std::string& lineMessage, const batch::RunCounts& c) {
        if (!lineMessage.empty()) {
            std::cerr << lineMessage << "\n";
        }
        std::fprintf(stderr, "Lines done: %d of %zu, firms found: %d, service messages: %d\n",
                     c.done + c.failed + c.skipped, toCheck, c.firms, c.messages);
    };
    CatchStopSignals();

    settings.serviceRoot = serviceRoot;
    settings.proxy = ConfigProxy();
    if (config::IsPlaceholderServiceRoot(serviceRoot)) {
        settings.failureHint = " (the register's address is not set: use --service HOST[:PORT])";
    }
    std::cerr << "Checking...\n";
    const batch::RunResult run = batch::RunList(list, writer, progress, settings);

    if (!writer.translitError().empty()) {
        std::cerr << "Transliteration: " << writer.translitError() << "\n";
    }
    batch::RunCounts total = run.counts;
    total.done += earlier.done;
    total.skipped += earlier.skipped;
    total.firms += earlier.firms;
    total.messages += earlier.messages;
    std::cerr << "Summary: lines done: " << total.done << ", firms: " << total.firms
              << ", messages: " << total.messages << ", failed: " << total.failed
              << ", skipped: " << total.skipped << ", unchecked: " << total.unchecked << "\n";

    if (!run.writeError.empty()) {
        return CannotCreate(run.writeError.rfind("progress", 0) == 0 ? progressPath : resultPath,
                            run.writeError.substr(run.writeError.find(": ") + 2));
    }
    if (run.limitReached) {
        if (!WriteUnchecked(uncheckedPath, list, run.unchecked)) {
            return 4;
        }
        std::cerr << "The service's daily request limit is used up: " << run.unchecked.size()
                  << " lines were not checked (listed in \"" << Path(uncheckedPath)
                  << "\").\nTo check them, run the same command with --resume on another day.\n";
        return 5;
    }
    if (gSignal != 0 || run.stopped) {
        std::cerr << "Stopped. Every finished line is in \"" << Path(resultPath)
                  << "\"; run the same command with --resume to continue.\n";
        return gSignal == SIGTERM ? 143 : 130;
    }
    QFile::remove(uncheckedPath);
    std::cerr << "Checking completed. Results: " << Path(resultPath) << "\n";
    return total.failed + total.skipped == 0 ? 0 : 1;
}
