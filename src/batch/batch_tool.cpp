#include "batch/batch_tool.h"

#include <sys/stat.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QFile>
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <memory>
#include <optional>

#include "batch/archive_wiring.h"
#include "batch/batch_options.h"
#include "batch/batch_run.h"
#include "batch/console.h"
#include "batch/exit_status.h"
#include "batch/progress_file.h"
#include "batch/results_writer.h"
#include "batch/run_choices.h"
#include "batch/run_end.h"
#include "batch/screener_setup.h"
#include "batch/screening.h"
#include "batch/stop_signal.h"
#include "batch/xlsx_results.h"
#include "config/default_addresses.h"
#include "config/service_host.h"
#include "exchange/probe.h"
#include "lists/list_file.h"
#include "lists/list_query.h"
#include "lists/list_run_driver.h"
#include "platform/result.h"
#include "translit/translit.h"

namespace batch {
namespace {

// A step of the run: fails with the exit status the tool ends with.
using Step = platform::Result<void, int>;

std::string Path(const QString& path) {
    return path.toStdString();
}

// Whether anything, a link included, is at path.
bool Exists(const QString& path) {
    struct stat st {};
    return ::lstat(QFile::encodeName(path).constData(), &st) == 0;
}

// What the tool says when the register's address is the build-time placeholder and
// nothing answers there.
std::string NoRegisterText(const std::string& serviceRoot, const std::string& reason) {
    return "The register's address is not set and \"" + config::HostOfRoot(serviceRoot) +
           "\" does not answer (" + reason +
           "). Give the address of a register mirror with --service HOST[:PORT], or set it "
           "in the window (File, Register service...).";
}

// One run of the tool on its options, from the checks of what it is given to the last
// word. The steps run in order; each may end the run with its exit status.
class ToolRun {
  public:
    ToolRun(const BatchOptions& options, Console& console)
        : options_(options), console_(console), archive_(console) {}

    int Run();

  private:
    Step CheckInstalledNames();
    Step ReadList();
    Step LoadScreening();
    Step OpenTranslators();
    Step ChooseAddresses();
    Step OpenProgress();
    Step OpenResults();
    Step CheckResultsKept();
    Step ProbeService();
    Step CountEarlier();
    void CountLines();
    void Configure();
    int Execute();
    Step BuildWorkbook(const RunResult& run, const RunCounts& total, const std::string& head);
    int Finish(const RunResult& run);
    // Removes the spool of a workbook that nothing is left to resume; a link or
    // anything else that is not a regular file in its place is left alone.
    void DropSpool();

    Step Refuse(const std::string& text) {
        console_.Err("vendrake-batch: " + text + "\n");
        return platform::Failure(ToInt(ExitStatus::BadInput));
    }
    Step CannotWrite(const QString& path, const std::string& why) {
        return platform::Failure(CannotCreate(console_, path, why));
    }

    const BatchOptions& options_;
    Console& console_;
    lookup::ListFile list_;
    std::unique_ptr<screen::Screener> screener_;
    translit::Translator translator_;
    translit::Translator requestTranslator_;
    std::string serviceRoot_;
    std::string tsaUrl_;
    config::ProxySettings proxy_;
    // An xlsx run spools csv rows beside the workbook and builds the workbook from them;
    // a run resumed from an earlier version's rows file goes on with that file.
    bool workbook_ = options_.format == OutputFormat::Xlsx;
    QString workbookPath_ = ResultsFileName(options_.file, options_.format);
    QString resultPath_ = workbook_ ? XlsxSpoolFileName(options_.file) : workbookPath_;
    bool earlierRows_ = false;
    QString progressPath_ = ProgressFileName(options_.file);
    QString uncheckedPath_ = UncheckedFileName(options_.file);
    ProgressFile progress_;
    ProgressState before_;
    bool resuming_ = false;
    std::unique_ptr<ResultsWriter> writer_;
    RunSettings settings_;
    RunCounts earlier_;
    std::size_t allLines_ = 0;  // the lines with something to search for
    std::size_t toCheck_ = 0;   // those not ended by an earlier run
    std::unique_ptr<ScreeningQueue> screening_;
    ArchiveWiring archive_;
    std::string startedAt_;  // when the first line was queued
};

int ToolRun::Run() {
    for (Step (ToolRun::*step)() :
         {&ToolRun::CheckInstalledNames, &ToolRun::ReadList, &ToolRun::LoadScreening,
          &ToolRun::OpenTranslators, &ToolRun::ChooseAddresses, &ToolRun::OpenProgress,
          &ToolRun::OpenResults, &ToolRun::CheckResultsKept, &ToolRun::ProbeService,
          &ToolRun::CountEarlier}) {
        const Step done = (this->*step)();
        if (!done) {
            return done.error();
        }
    }
    CountLines();
    Configure();
    return Execute();
}

Step ToolRun::CheckInstalledNames() {
    const QStringList languages = translit::ListLanguageFolders();
    for (const platform::Status& installed :
         {CheckInstalled("--language", options_.language, languages),
          CheckInstalled("--request-language", options_.requestLanguage, languages),
          CheckInstalled("--dictionary", options_.dictionary, translit::ListDictionaryNames())}) {
        if (!installed) {
            return Refuse(installed.error());
        }
    }
    return {};
}

Step ToolRun::ReadList() {
    list_ = lookup::ReadListFile(options_.file);
    if (!list_.ok()) {
        console_.Err(list_.error.toStdString() + "\n");
        return platform::Failure(ToInt(ExitStatus::BadInput));
    }
    if (!list_.cp1251Lines.empty()) {
        console_.Err("\"" + Path(options_.file) +
                     "\": " + lookup::Cp1251LinesNote(list_.cp1251Lines, list_.cp1251Count) +
                     " not valid UTF-8, read as Windows-1251.\n");
    }
    return {};
}

// The screener of --screen, loaded before any request.
Step ToolRun::LoadScreening() {
    if (!options_.screen) {
        return {};
    }
    auto loaded = LoadScreener(options_, console_);
    if (!loaded) {
        return Refuse(loaded.error());
    }
    screener_ = std::move(*loaded);
    return {};
}

Step ToolRun::OpenTranslators() {
    if (!options_.language.isEmpty()) {
        translator_ = translit::Translator::Open(options_.language, options_.dictionary);
        if (!translator_.Error().isEmpty()) {
            return Refuse(translator_.Error().toStdString());
        }
    }
    if (!options_.requestLanguage.isEmpty()) {
        requestTranslator_ = translit::Translator::Open(options_.requestLanguage);
        if (!requestTranslator_.Error().isEmpty()) {
            return Refuse(requestTranslator_.Error().toStdString());
        }
    }
    return {};
}

Step ToolRun::ChooseAddresses() {
    const platform::Result<std::string> root = ChooseServiceRoot(options_);
    if (!root) {
        return Refuse(root.error());
    }
    serviceRoot_ = *root;
    if (options_.stamp) {
        const platform::Result<std::string> tsa = ChooseTsaUrl(options_);
        if (!tsa) {
            return Refuse(tsa.error());
        }
        tsaUrl_ = *tsa;
    }
    return {};
}

// The progress file, locked for the run; with --resume the run it records, which must
// be of this very list.
Step ToolRun::OpenProgress() {
    const auto opened = progress_.Open(progressPath_);
    if (!opened) {
        const ProgressFile::OpenFailure& failure = opened.error();
        return failure.kind == ProgressFile::OpenFailure::Kind::Failed
                   ? CannotWrite(progressPath_, failure.why)
                   : Refuse("cannot use \"" + Path(progressPath_) + "\": " + failure.why);
    }
    resuming_ = options_.resume && !progress_.created();
    if (resuming_) {
        platform::Result<ProgressState> read = progress_.Read(options_.format, options_.screen);
        if (!read) {
            return Refuse("\"" + Path(progressPath_) + "\" " + read.error());
        }
        before_ = std::move(*read);
    }
    if (options_.resume && (!resuming_ || before_.blank)) {
        console_.Err("Nothing to resume (\"" + Path(progressPath_) +
                     "\" records no line): starting afresh.\n");
        resuming_ = false;
        before_ = ProgressState{};
    }
    if (resuming_ && (before_.listSize != list_.size || before_.listDigest != list_.digest)) {
        return Refuse("\"" + Path(options_.file) + "\" has changed since the run recorded in \"" +
                      Path(progressPath_) +
                      "\"; its lines no longer match. Run without --resume to start afresh.");
    }
    return {};
}

Step ToolRun::OpenResults() {
    if (workbook_ && resuming_ && !Exists(resultPath_) && Exists(XlsxRowsFileName(options_.file))) {
        resultPath_ = XlsxRowsFileName(options_.file);
        earlierRows_ = true;
    }
    writer_ = std::make_unique<ResultsWriter>(options_.format, config::HostOfRoot(serviceRoot_),
                                              options_.language.isEmpty() ? nullptr : &translator_);
    if (options_.maxAge > 0) {
        writer_->MarkSource();
    }
    if (options_.screen) {
        writer_->MarkScreening();
    }
    // The spool holds what the workbook will, so it is the user's alone whatever the umask.
    if (options_.privateFiles || workbook_) {
        writer_->MarkPrivate();
    }
    if (earlierRows_) {
        writer_->MarkUnguardedRows();
    }
    const auto opened = writer_->Open(resultPath_, resuming_ ? before_.resultsBytes : 0);
    if (!opened) {
        const ResultsWriter::OpenFailure& failure = opened.error();
        return failure.kind == ResultsWriter::OpenFailure::Kind::Refused
                   ? Refuse("cannot use \"" + Path(resultPath_) + "\": " + failure.why)
                   : CannotWrite(resultPath_, failure.why);
    }
    return {};
}

// The lines recorded as done are not sent again, so their results must still be there,
// ending where the progress file says; the files written at the end must be files.
Step ToolRun::CheckResultsKept() {
    if (resuming_ && (writer_->SizeOnDisk() < before_.resultsBytes ||
                      !writer_->EndsRecordAt(before_.resultsBytes))) {
        return Refuse("\"" + Path(resultPath_) +
                      "\" does not hold the results its progress file records (" +
                      std::to_string(before_.resultsBytes) +
                      " bytes ending with a whole record); the results of lines recorded as "
                      "done are missing or damaged. Run without --resume to start afresh.");
    }
    for (const QString& path : {uncheckedPath_, workbookPath_}) {
        if (NotARegularFile(path)) {
            return Refuse("cannot use \"" + Path(path) +
                          "\": it is a symbolic link or not a regular file.");
        }
    }
    return {};
}

// The check asks the register service the way the queries go: through the proxy of
// config.ini when one is chosen there, otherwise straight. Only when the service does
// not answer is the fixed address asked, to tell a silent service (named with its
// reason) from no connection at all; a chosen proxy that fails is named.
Step ToolRun::ProbeService() {
    proxy_ = ConfigProxy(console_);
    lookup::ProbeOptions probe;
    probe.serviceRoot = serviceRoot_;
    probe.proxy = proxy_;
    const lookup::ProbeResult reached = lookup::Probe(probe);
    if (reached.reachable) {
        return {};
    }
    if (reached.error.kind == lookup::QueryErrorKind::ProxyFailed) {
        console_.Err(reached.error.reason + "\n");
    } else if (!reached.serviceSilent) {
        console_.Err("No Internet connection...\n");
    } else if (config::IsPlaceholderServiceRoot(serviceRoot_) &&
               lookup::CouldNotReach(reached.error, reached.serviceHost)) {
        console_.Err(NoRegisterText(serviceRoot_, reached.error.reason) + "\n");
    } else {
        console_.Err(lookup::ServiceSilentText(reached) + "\n");
    }
    return platform::Failure(ToInt(ExitStatus::NoConnection));
}

// What the earlier runs on the list ended: the lines not to send again and their
// counts. Lines cut short before are told by their message in the results kept.
Step ToolRun::CountEarlier() {
    if (resuming_) {
        earlier_.cut = static_cast<int>(std::max<std::int64_t>(
            0, writer_->Occurrences(before_.resultsBytes, lookup::kListCutText)));
        const std::optional<ScreenedFirms> screened = writer_->CountScreened(before_.resultsBytes);
        if (!screened) {
            return Refuse("\"" + Path(resultPath_) +
                          "\" cannot be read back to count its screened firms.");
        }
        earlier_.listedByNumber = static_cast<int>(screened->byNumber);
        earlier_.listedByName = static_cast<int>(screened->byName);
    }
    for (const auto& [number, record] : before_.lines) {
        if (record.outcome == LineOutcome::Done || record.outcome == LineOutcome::Skipped) {
            settings_.alreadyEnded.push_back(number);  // in number order, as the lines are
            ++(record.outcome == LineOutcome::Done ? earlier_.done : earlier_.skipped);
            earlier_.firms += record.firms;
            earlier_.messages += record.messages;
        }
    }
    return {};
}

void ToolRun::CountLines() {
    const std::vector<int>& ended = settings_.alreadyEnded;
    for (const lookup::ListLine& line : list_.entries) {
        if (lookup::PlanListQuery(line.text).action != lookup::ListQuery::Action::Pass) {
            ++allLines_;
            toCheck_ += std::binary_search(ended.begin(), ended.end(), line.number) ? 0 : 1;
        }
    }
}

void ToolRun::Configure() {
    settings_.jobs = options_.jobs;
    settings_.interval = options_.interval;
    settings_.stopRequested = [] { return StopSignal() != 0; };
    settings_.report = [this](const std::string& lineMessage, const RunCounts& c) {
        std::string text = CountsText(c, toCheck_);
        text[0] = 'C';
        console_.Err((lineMessage.empty() ? std::string() : lineMessage + "\n") + text + "\n");
    };
    settings_.beforeFirstWrite = [this] {
        return resuming_
                   ? progress_.Continue(before_.wholeBytes)
                   : progress_.Start(options_.format, list_.size, list_.digest, options_.screen);
    };
    if (!options_.requestLanguage.isEmpty()) {
        settings_.convert = [this](const QString& line) {
            return requestTranslator_.Convert(line).text;
        };
    }
    // The screening thread screens each firm while the register is asked for the next.
    if (screener_ != nullptr) {
        screening_ = std::make_unique<ScreeningQueue>(ScreenWith(*screener_));
        settings_.screening = screening_.get();
        archive_.screenedAgainst = &screener_->versions();
    }
    WireArchive(options_, serviceRoot_, archive_, settings_);
    settings_.serviceRoot = serviceRoot_;
    settings_.proxy = proxy_;
    settings_.placeholderService = config::IsPlaceholderServiceRoot(serviceRoot_);
    settings_.failureHint = " (the register's address is not set: use --service HOST[:PORT])";
}

int ToolRun::Execute() {
    CatchStopSignals();
    console_.Err("Checking...\n");
    startedAt_ = NowUtc();
    const RunResult run = RunList(list_, *writer_, progress_, settings_);
    screening_.reset();  // the screening thread is done with the screener
    if (!run.noService.empty()) {
        console_.Err(NoRegisterText(serviceRoot_, run.noService) + "\n");
        return ToInt(ExitStatus::NoConnection);
    }
    if (!writer_->translitError().empty()) {
        console_.Err("Transliteration: " + writer_->translitError() + "\n");
    }
    return Finish(run);
}

Step ToolRun::BuildWorkbook(const RunResult& run, const RunCounts& total, const std::string& head) {
    if (!workbook_ || !(writer_->started() || resuming_) || !run.writeError.empty() ||
        !writer_->Missing().empty()) {
        return {};
    }
    const WorkbookRun where{serviceRoot_, startedAt_, allLines_, head};
    const mode_t umaskBefore = options_.privateFiles ? ::umask(077) : 0;
    const platform::Status built = WriteXlsxResults(
        resultPath_, workbookPath_, WorkbookSummary(options_, where, run, total), !earlierRows_);
    if (options_.privateFiles) {
        ::umask(umaskBefore);
    }
    return built ? Step() : CannotWrite(workbookPath_, built.error());
}

// What is still queued for the archive is written before the summary, which names the
// head that covers every record of the run; then the workbook, the last words and, with
// --stamp, the stamp on that head.
int ToolRun::Finish(const RunResult& run) {
    const bool recorded = archive_.recorder != nullptr;
    archive_.recorder.reset();
    const RunCounts total =
        PrintSummary(console_, run, earlier_, allLines_, options_.maxAge > 0, options_.screen);
    const std::string head = recorded ? PrintHead(archive_.path, console_) : std::string();
    const Step built = BuildWorkbook(run, total, head);
    if (!built) {
        return built.error();
    }
    const RunFiles files{progressPath_, resultPath_, workbookPath_, uncheckedPath_,
                         options_.privateFiles};
    const int status = EndStatus(console_, run, total, files, *writer_, list_, resuming_);
    if (workbook_ && status == ToInt(ExitStatus::AllDone)) {
        DropSpool();
    }
    const bool stampable =
        status == ToInt(ExitStatus::AllDone) || status == ToInt(ExitStatus::LineNotDone) ||
        status == ToInt(ExitStatus::Listed) || status == ToInt(ExitStatus::DailyLimit);
    if (!options_.stamp || !recorded || !stampable) {
        return status;
    }
    const bool stamped = StampHead(archive_.path, tsaUrl_, proxy_, console_);
    return stamped || status > ToInt(ExitStatus::LineNotDone) ? status
                                                              : ToInt(ExitStatus::NotStamped);
}

void ToolRun::DropSpool() {
    const QByteArray name = QFile::encodeName(resultPath_);
    struct stat st {};
    if (::lstat(name.constData(), &st) == 0 && S_ISREG(st.st_mode) &&
        ::unlink(name.constData()) != 0) {
        console_.Err("vendrake-batch: could not remove the spool \"" + Path(resultPath_) +
                     "\": " + std::strerror(errno) + "\n");
    }
}

}  // namespace

int RunBatchTool(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    Console console(out, err);
    const ParsedOptions parsed = ParseOptions(args);
    if (!parsed.options) {
        console.Err("vendrake-batch: " + parsed.error + "\n" + UsageText());
        return ToInt(ExitStatus::BadInput);
    }
    const BatchOptions& options = *parsed.options;
    if (options.help) {
        console.Out(HelpText());
        return ToInt(ExitStatus::AllDone);
    }
    if (options.version) {
        console.Out(std::string("vendrake-batch ") + VENDRAKE_VERSION + "\n");
        return ToInt(ExitStatus::AllDone);
    }
    return ToolRun(options, console).Run();
}

}  // namespace batch
