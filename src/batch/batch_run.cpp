#include "batch/batch_run.h"

#include <QEventLoop>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <iterator>
#include <map>
#include <memory>
#include <set>
#include <stdexcept>

#include "batch/line_spool.h"
#include "config/default_addresses.h"
#include "exchange/query_service.h"
#include "lists/list_run_driver.h"
#include "platform/cp1251.h"

namespace batch {
namespace {

// What one running line has delivered so far.
struct RunningLine {
    int number = 0;     // the line's number in the list
    std::string query;  // the line's text (Windows-1251)
    std::string nodeText;
    lookup::SearchCriteria criteria;  // as sent
    std::shared_ptr<LineSpool> spool = std::make_shared<LineSpool>();
    bool hasMessage = false;  // the first message the service gave
    lookup::ServiceMessageKind messageKind = lookup::ServiceMessageKind::Other;
    std::string message;
    std::string keepError;  // the spool could not keep a delivery: why
    bool limit = false;     // the service answered with its daily-limit message
};

// A query that reached no service: nothing answered it.
bool NoAnswer(const lookup::QueryOutcome& outcome) {
    using Kind = lookup::QueryErrorKind;
    return outcome.error && outcome.firmsFound == 0 && outcome.messagesFound == 0 &&
           (outcome.error->kind == Kind::CannotConnect || outcome.error->kind == Kind::TimedOut ||
            outcome.error->kind == Kind::ProxyFailed);
}

class Run {
  public:
    Run(const lookup::ListFile& list, ResultsWriter& writer, ProgressFile& progress,
        const RunSettings& settings)
        : list_(list), writer_(writer), progress_(progress), settings_(settings) {
        lookup::ServiceOptions options;
        options.poolSize = settings.jobs;
        options.startInterval = std::chrono::duration_cast<std::chrono::milliseconds>(
            std::chrono::duration<double>(settings.interval));
        service_ = std::make_unique<lookup::QueryService>(options);
        lookup::QueryRequest base;
        base.serviceRoot = settings.serviceRoot;
        base.proxy = settings.proxy;
        lookup::ListRunDriver::Hooks hooks;
        hooks.skipped = [this](const lookup::ListLine& line, const lookup::ListQuery& query) {
            const std::string text = platform::ToCp1251(line.text);
            EndedLine ended;
            ended.criteria = query.criteria;
            EndLine(
                LineReport{line.number, text, text, LineOutcome::Skipped, query.reason, NowUtc()},
                nullptr, &ended);
        };
        hooks.queued = [this](lookup::QueryId id, const lookup::ListLine& line,
                              const lookup::ListQuery& query) {
            auto running = std::make_unique<RunningLine>();
            running->number = line.number;
            running->query = platform::ToCp1251(line.text);
            running->nodeText = query.text;
            running->criteria = query.criteria;
            running_[id] = std::move(running);
        };
        base_ = std::move(base);
        hooks_ = std::move(hooks);
    }

    RunResult Go() {
        ConnectService();
        std::vector<int> ended = settings_.alreadyEnded;
        AnswerStored(&ended);
        // Two lines per slot waiting in the service.
        driver_ = std::make_unique<lookup::ListRunDriver>(*service_, list_, base_, std::move(ended),
                                                          2 * settings_.jobs, settings_.convert,
                                                          std::move(hooks_));

        QTimer watch;
        QObject::connect(&watch, &QTimer::timeout, [this] {
            // Every twentieth tick: records of a second's lines share a transaction.
            if (++ticks_ % kFlushTicks == 0) {
                FlushProgress();
            }
            if (settings_.stopRequested && settings_.stopRequested()) {
                result_.stopped = true;
                Halt();
            }
        });
        watch.start(50);
        QTimer::singleShot(0, [this] { Pump(); });
        loop_.exec();
        watch.stop();
        service_.reset();  // no thread of a query outlives the run
        FlushProgress();

        if (result_.limitReached && result_.writeError.empty() && !notKept_) {
            RecordUnchecked();
        }
        return result_;
    }

  private:
    // The service's reports go to the lines they belong to.
    void ConnectService() {
        using lookup::QueryService;
        QObject::connect(service_.get(), &QueryService::firmFound,
                         [this](lookup::QueryId id, const lookup::FirmRecord& firm) {
                             Keep(id, [&](RunningLine& r) {
                                 r.spool->AddFirm(firm);
                                 if (settings_.screening != nullptr) {
                                     settings_.screening->Submit(r.number, firm);
                                 }
                             });
                         });
        QObject::connect(service_.get(), &QueryService::queryTextChanged,
                         [this](lookup::QueryId id, const std::string& text) {
                             Keep(id, [&](RunningLine& r) { r.nodeText = text; });
                         });
        QObject::connect(
            service_.get(), &QueryService::messageFound,
            [this](lookup::QueryId id, const std::string& text, lookup::ServiceMessageKind kind) {
                Keep(id, [&](RunningLine& r) {
                    if (!r.hasMessage) {
                        r.hasMessage = true;
                        r.messageKind = kind;
                        r.message = text;
                    }
                    if (kind == lookup::ServiceMessageKind::DailyLimit) {
                        r.limit = true;  // no result: the line was not checked
                        StopForLimit();
                    } else {
                        r.spool->Add({false, {}, text});
                    }
                });
            });
        QObject::connect(service_.get(), &QueryService::queryFinished,
                         [this](lookup::QueryId id, const lookup::QueryOutcome& outcome) {
                             Finished(id, outcome);
                         });
    }

    // Applies a delivery to its line. A delivery the spool cannot keep fails the line
    // when it ends instead of escaping into the event loop.
    template <typename F>
    void Keep(lookup::QueryId id, F&& apply) {
        auto it = running_.find(id);
        if (it == running_.end() || !it->second->keepError.empty()) {
            return;
        }
        try {
            apply(*it->second);
        } catch (const std::runtime_error& e) {
            it->second->keepError = e.what();
        }
    }

    // Queues lines (skipped ones are written as they come) and ends the run once
    // nothing runs and no line is left to queue.
    void Pump() {
        driver_->Pump();
        if (running_.empty() && driver_->Exhausted()) {
            loop_.quit();
        }
    }

    void Finished(lookup::QueryId id, const lookup::QueryOutcome& outcome) {
        auto it = running_.find(id);
        if (it == running_.end()) {
            return;
        }
        const std::unique_ptr<RunningLine> r = std::move(it->second);
        running_.erase(it);
        if (r->limit || outcome.dailyLimit) {
            Unscreen(r->number);
            limitLines_.insert(r->number);
            metLimit_[r->number] = r->criteria;
            StopForLimit();
        } else if (settings_.placeholderService && NoAnswer(outcome)) {
            // Every line would fail the same way: stop before recording any of them.
            Unscreen(r->number);
            result_.noService = outcome.error->reason;
            Halt();
            return;
        } else {
            LineReport report{r->number, r->query, r->nodeText, LineOutcome::Done, {}, NowUtc()};
            report.cut = outcome.listCut;
            if (!r->keepError.empty()) {
                report.outcome = LineOutcome::Failed;
                report.reason = r->keepError;
            } else if (outcome.error) {
                report.outcome = LineOutcome::Failed;
                report.reason = outcome.error->reason;
                // The hint only where the placeholder host itself was not reached: an
                // answer that came back (through a proxy serving any host) is the
                // register's and is reported as it is.
                if (settings_.placeholderService &&
                    lookup::CouldNotReach(*outcome.error,
                                          config::HostOfRoot(settings_.serviceRoot))) {
                    report.reason += settings_.failureHint;
                }
            }
            EndedLine ended;
            ended.criteria = r->criteria;
            ended.hasMessage = r->hasMessage;
            ended.messageKind = r->messageKind;
            ended.message = r->message;
            ended.keptSpool = r->spool;
            ended.pages = outcome.pages;
            ended.pagesSha256 = outcome.pagesSha256;
            EndLine(report, r->spool.get(), &ended);
        }
        Pump();
    }

    // No new line once the service has said its daily limit is used up: the queued
    // ones are dropped (and listed as unchecked) before any of them starts, while the
    // running ones end on their own.
    void StopForLimit() {
        if (driver_->limitReached()) {
            return;
        }
        result_.limitReached = true;
        for (lookup::QueryId dropped : driver_->StopForLimit()) {
            auto d = running_.find(dropped);
            if (d != running_.end()) {
                Unscreen(d->second->number);
                limitLines_.insert(d->second->number);
                running_.erase(d);
            }
        }
    }

    // Stops everything at once: nothing new, running queries aborted (they report
    // nothing more and are not recorded).
    void Halt() {
        if (halted_) {
            return;
        }
        halted_ = true;
        driver_->Halt();
        if (service_ != nullptr) {  // gone once the run's loop has ended
            service_->AbortAll();
        }
        for (const auto& running : running_) {
            Unscreen(running.second->number);
        }
        running_.clear();
        loop_.quit();
    }

    // A line whose records are not written: its firms need no screening.
    void Unscreen(int number) {
        if (settings_.screening != nullptr) {
            settings_.screening->Drop(number);
        }
    }

    // Lines with an answer kept from an earlier check: each is written as done from
    // that answer and added to *ended (ascending), so that no request is sent for it.
    void AnswerStored(std::vector<int>* ended) {
        if (!settings_.stored) {
            return;
        }
        std::vector<int> answered;  // in file order, none of them in *ended
        for (const lookup::ListLine& line : list_.entries) {
            if (halted_ || !result_.writeError.empty() ||
                std::binary_search(ended->begin(), ended->end(), line.number)) {
                continue;
            }
            const lookup::ListQuery query = lookup::PlanListQuery(line.text, settings_.convert);
            StoredAnswer answer;
            if (query.action != lookup::ListQuery::Action::Send ||
                !settings_.stored(query.criteria, &answer)) {
                continue;
            }
            answered.push_back(line.number);
            LineSpool spool;
            for (const lookup::FirmRecord& firm : answer.firms) {
                spool.AddFirm(firm);
                if (settings_.screening != nullptr) {
                    settings_.screening->Submit(line.number, firm);
                }
            }
            if (answer.firms.empty() && !answer.message.empty()) {
                spool.Add({false, {}, answer.message});
            }
            // The node text as the service would have left it: a name search's count
            // of the firms it found.
            const bool counted =
                query.criteria.mode == lookup::SearchMode::Name && !answer.firms.empty();
            LineReport report{
                line.number,
                platform::ToCp1251(line.text),
                counted ? lookup::QueryCountText(query.text, static_cast<int>(answer.firms.size()))
                        : query.text,
                LineOutcome::Done,
                {},
                answer.checkedAt};
            report.fromArchive = true;
            EndLine(report, &spool, nullptr);
        }
        const std::size_t before = ended->size();
        ended->insert(ended->end(), answered.begin(), answered.end());
        std::inplace_merge(ended->begin(), ended->begin() + static_cast<std::ptrdiff_t>(before),
                           ended->end());
    }

    // Takes the screening of a line that ended; a screening that failed fails the line.
    LineScreening TakeScreening(LineReport& report) {
        LineScreening screening;
        if (settings_.screening == nullptr) {
            return screening;
        }
        if (report.outcome == LineOutcome::Done) {
            screening = settings_.screening->Take(report.number);
        } else {
            settings_.screening->Drop(report.number);
        }
        if (!screening.error.empty()) {
            report.outcome = LineOutcome::Failed;
            report.reason = "screening: " + screening.error;
        }
        return screening;
    }

    // Writes an ended line, tells settings.lineEnded of it and records its progress.
    // ended: what lineEnded is told (null: nothing, the line's answer is kept already).
    void EndLine(const LineReport& given, const LineSpool* spool, EndedLine* ended) {
        LineReport report = given;
        LineScreening screening = TakeScreening(report);
        if (!result_.writeError.empty() || notKept_ || !BeforeFirstWrite()) {
            return;
        }
        if (const platform::Status written = writer_.WriteLine(report, spool, &screening);
            !written) {
            result_.writeError = "results: " + written.error();
            Halt();
            return;
        }
        if (ended != nullptr && settings_.lineEnded) {
            ended->report = &report;
            ended->typed = platform::FromCp1251(report.query).toStdString();
            ended->spool = spool;
            ended->screening = settings_.screening != nullptr ? &screening : nullptr;
            settings_.lineEnded(*ended);
            unkept_ = true;
        }
        // A failed line's partial records are not written, so it counts none of them.
        // A list cut short adds a message of its own.
        const bool kept = spool != nullptr && report.outcome == LineOutcome::Done;
        const bool cut = report.cut && report.outcome == LineOutcome::Done;
        const ProgressRecord record{report.outcome, kept ? spool->firms() : 0,
                                    (kept ? spool->messages() : 0) + (cut ? 1 : 0)};
        pending_.push_back(PendingProgress{report.number, record, writer_.size()});
        pendingFirms_ += record.firms;
        CountLine(report, record, kept ? &screening : nullptr, cut);
        // Large answers' spools are let go soon rather than held with the others.
        if (pending_.size() >= kPendingProgressMax || pendingFirms_ >= kPendingFirmsMax) {
            FlushProgress();
        }
    }

    // Adds an ended line to the run's counts and tells settings.report of it.
    // screening: the line's, when its records are kept.
    void CountLine(const LineReport& report, const ProgressRecord& record,
                   const LineScreening* screening, bool cut) {
        RunCounts& c = result_.counts;
        if (screening != nullptr) {
            c.listedByNumber += screening->identifierFirms;
            c.listedByName += screening->nameFirms;
            c.linkedOnly += screening->linkedFirms;
        }
        c.firms += record.firms;
        c.messages += record.messages;
        std::string text;
        switch (report.outcome) {
            case LineOutcome::Done:
                ++c.done;
                c.fromArchive += report.fromArchive ? 1 : 0;
                if (cut) {
                    ++c.cut;
                    text = "line " + std::to_string(report.number) + ": " + lookup::kListCutText;
                }
                break;
            case LineOutcome::Failed:
                ++c.failed;
                text = "line " + std::to_string(report.number) + ": " + report.reason;
                break;
            case LineOutcome::Skipped:
                ++c.skipped;
                text = "line " + std::to_string(report.number) + ": " + report.reason;
                break;
            case LineOutcome::Unchecked:
                ++c.unchecked;
                break;
        }
        if (settings_.report) {
            settings_.report(text, c);
        }
    }

    // Writes the progress entries held back, in the order the lines ended, once the
    // records told of them are kept (settings.linesKept): a line is never reported
    // done before its record is committed, and the records of many lines share one
    // wait and one transaction.
    void FlushProgress() {
        if (pending_.empty() || progressFailed_ || notKept_) {
            return;
        }
        if (unkept_ && !Kept()) {
            // Their lines stay unrecorded and uncounted, as if they had never ended.
            pending_.clear();
            pendingFirms_ = 0;
            result_.counts = recordedCounts_;
            return;
        }
        unkept_ = false;
        for (const PendingProgress& p : pending_) {
            const platform::Status recorded = progress_.Record(p.number, p.record, p.resultsBytes);
            if (!recorded) {
                progressFailed_ = true;
                if (result_.writeError.empty()) {
                    result_.writeError = "progress: " + recorded.error();
                }
                Halt();
                break;
            }
        }
        pending_.clear();
        pendingFirms_ = 0;
        recordedCounts_ = result_.counts;
    }

    // Waits until the records of the lines told to settings.lineEnded are kept. When
    // they cannot be, stops the run: for a stop asked meanwhile, as stopped; otherwise
    // with the reason in result.notKept.
    bool Kept() {
        if (!settings_.linesKept) {
            return true;
        }
        const platform::Status kept = settings_.linesKept();
        if (kept) {
            return true;
        }
        notKept_ = true;
        if (settings_.stopRequested && settings_.stopRequested()) {
            result_.stopped = true;
        } else {
            result_.notKept = kept.error();
        }
        Halt();
        return false;
    }

    bool BeforeFirstWrite() {
        if (wrote_ || !settings_.beforeFirstWrite) {
            return true;
        }
        wrote_ = true;
        const platform::Status ready = settings_.beforeFirstWrite();
        if (!ready) {
            result_.writeError = "progress: " + ready.error();
            Halt();
            return false;
        }
        return true;
    }

    // Every line the limit left unsent: the ones that met it or were dropped from the
    // queue, and every line not yet queued.
    void RecordUnchecked() {
        if (!BeforeFirstWrite()) {
            return;
        }
        FlushProgress();
        if (progressFailed_ || notKept_) {
            return;
        }
        // Both in file order, and no line in both: merged, they are in file order too.
        const std::vector<int> notQueued = driver_->NotQueued();
        std::vector<int> left;
        left.reserve(notQueued.size() + limitLines_.size());
        std::merge(notQueued.begin(), notQueued.end(), limitLines_.begin(), limitLines_.end(),
                   std::back_inserter(left));
        if (settings_.lineEnded) {
            // The list is walked once beside the numbers (both in file order), and the
            // records told are kept every few hundred lines, so that a long list left
            // unchecked is never held whole as records.
            auto number = left.begin();
            std::size_t told = 0;
            for (auto it = list_.entries.begin(); it != list_.entries.end() && number != left.end();
                 ++it) {
                if (it.number() != *number) {
                    continue;
                }
                const lookup::ListLine line = *it;
                const std::string text = platform::ToCp1251(line.text);
                const LineReport report{*number, text, text, LineOutcome::Unchecked, {}, NowUtc()};
                EndedLine ended;
                ended.report = &report;
                ended.typed = line.text.toStdString();
                const auto met = metLimit_.find(*number);
                if (met != metLimit_.end()) {
                    ended.criteria = met->second;
                    ended.metLimit = true;
                } else {
                    ended.criteria = lookup::PlanListQuery(line.text, settings_.convert).criteria;
                }
                settings_.lineEnded(ended);
                ++number;
                if (++told % kPendingProgressMax == 0 && !Kept()) {
                    return;
                }
            }
            if (!Kept()) {
                return;
            }
        }
        std::size_t recorded = 0;
        for (const int number : left) {
            const platform::Status written = progress_.Record(
                number, ProgressRecord{LineOutcome::Unchecked, 0, 0}, writer_.size());
            if (!written) {
                result_.writeError = "progress: " + written.error();
                break;
            }
            ++recorded;
        }
        left.resize(recorded);
        result_.counts.unchecked += static_cast<int>(recorded);
        result_.unchecked = std::move(left);
    }

    const lookup::ListFile& list_;
    ResultsWriter& writer_;
    ProgressFile& progress_;
    const RunSettings& settings_;
    std::unique_ptr<lookup::QueryService> service_;
    QEventLoop loop_;

    std::map<lookup::QueryId, std::unique_ptr<RunningLine>> running_;
    lookup::QueryRequest base_;
    lookup::ListRunDriver::Hooks hooks_;
    std::unique_ptr<lookup::ListRunDriver> driver_;
    // Progress entries of ended lines not yet written wait at most kFlushTicks ticks of
    // the watch timer, and at most this many lines, or lines of this many firms, wait.
    // Each wait is one transaction of the archive, so the fewer the cheaper.
    static constexpr unsigned kFlushTicks = 20;
    static constexpr std::size_t kPendingProgressMax = 512;
    static constexpr std::int64_t kPendingFirmsMax = 2000;
    struct PendingProgress {
        int number;
        ProgressRecord record;
        std::int64_t resultsBytes;
    };
    std::vector<PendingProgress> pending_;
    std::int64_t pendingFirms_ = 0;  // firms of the lines in pending_
    bool unkept_ = false;            // lineEnded was told of lines not yet kept
    unsigned ticks_ = 0;             // of the watch timer
    bool progressFailed_ = false;    // the progress file could not be written
    bool notKept_ = false;           // records of ended lines could not be kept
    RunCounts recordedCounts_;       // the counts of the lines whose progress is written
    bool halted_ = false;            // a stop or a write failure
    bool wrote_ = false;             // beforeFirstWrite has run
    std::set<int> limitLines_;
    std::map<int, lookup::SearchCriteria> metLimit_;  // lines that met the limit, as sent
    RunResult result_;
};

}  // namespace

RunResult RunList(const lookup::ListFile& list, ResultsWriter& writer, ProgressFile& progress,
                  const RunSettings& settings) {
    Run run(list, writer, progress, settings);
    return run.Go();
}

}  // namespace batch
