#include "batch/batch_run.h"

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

#include "worker/register_numbers.h"
#include "worker/service_messages.h"

namespace batch {
namespace {

using Clock = std::chrono::steady_clock;

// A lookup's deliveries for one line, kept until the line ends.
class SpoolEvents : public LineEvents {
  public:
    explicit SpoolEvents(const std::string& line) : nodeText_(line) {}

    void Firm(const worker::FirmRecord& firm) override { spool_.Add(SpoolEntry{true, firm, {}}); }
    void Message(const std::string& text) override {
        if (text.find(worker::ServiceMessages()[0].nodeMarker) != std::string::npos) {
            limit_ = true;
        }
        spool_.Add(SpoolEntry{false, {}, text});
    }
    void QueryText(const std::string& text) override { nodeText_ = text; }

    const LineSpool& spool() const { return spool_; }
    const std::string& nodeText() const { return nodeText_; }
    bool limit() const { return limit_; }

  private:
    LineSpool spool_;
    std::string nodeText_;
    bool limit_ = false;
};

class Run {
  public:
    Run(const ListFile& list, LineLookup& lookup, ResultsWriter& writer, ProgressFile& progress,
        const RunSettings& settings)
        : list_(list),
          lookup_(lookup),
          writer_(writer),
          progress_(progress),
          settings_(settings),
          nextStart_(Clock::now()) {}

    RunResult Go() {
        std::vector<std::thread> threads;
        for (int i = 0; i < settings_.jobs; ++i) {
            threads.emplace_back([this] { Work(); });
        }
        // The main thread watches for a stop while the workers run.
        {
            std::unique_lock<std::mutex> lock(mutex_);
            const auto allEnded = [&] { return started_ == settings_.jobs && working_ == 0; };
            while (!allEnded()) {
                if (!halt_ && settings_.stopRequested && settings_.stopRequested()) {
                    result_.stopped = true;
                    Halt();
                }
                changed_.wait_for(lock, std::chrono::milliseconds(50), allEnded);
            }
        }
        for (std::thread& t : threads) {
            t.join();
        }
        if (result_.limitReached && result_.writeError.empty()) {
            RecordUnchecked();
        }
        return result_;
    }

  private:
    // Stops handing out lines and aborts the running lookups. Called under mutex_.
    void Halt() {
        halt_ = true;
        abort_ = true;
        changed_.notify_all();
    }

    // The next line to send, or null when none is left or the run stops. Skipped
    // lines are written here as they come. Waits for the pace's turn.
    const ListLine* Next() {
        std::unique_lock<std::mutex> lock(mutex_);
        while (!halt_ && !limitHalt_ && next_ < list_.lines.size()) {
            const ListLine& line = list_.lines[next_++];
            if (line.text.empty() || settings_.alreadyEnded.count(line.number) != 0) {
                continue;
            }
            const worker::ListLineCheck check = worker::CheckListLine(line.text);
            if (!check.send()) {
                LineReport report{line.number,
                                  line.text,
                                  line.text,
                                  LineOutcome::Skipped,
                                  worker::CheckDigitMismatchText(check.kind),
                                  NowUtc()};
                EndLine(report, nullptr);
                continue;
            }
            // The pace: this query starts no sooner than the interval after the last.
            const Clock::time_point start = std::max(Clock::now(), nextStart_);
            nextStart_ = start + std::chrono::duration_cast<Clock::duration>(
                                     std::chrono::duration<double>(settings_.interval));
            while (!halt_ && !limitHalt_ && Clock::now() < start) {
                changed_.wait_until(lock,
                                    std::min(start, Clock::now() + std::chrono::milliseconds(50)));
            }
            if (halt_ || limitHalt_) {
                limitLines_.insert(line.number);  // not sent: a limit stop lists it
                return nullptr;
            }
            return &line;
        }
        return nullptr;
    }

    void Work() {
        {
            std::lock_guard<std::mutex> lock(mutex_);
            ++started_;
            ++working_;
        }
        while (const ListLine* line = Next()) {
            SpoolEvents events(line->text);
            LookupOutcome outcome;
            try {
                outcome = lookup_.Run(line->text, events, abort_);
            } catch (const std::exception& e) {
                // A line whose results cannot be kept (no temporary file, no memory)
                // fails on its own; the run goes on with the next.
                outcome = {LookupEnd::Failed, e.what()};
            }
            std::lock_guard<std::mutex> lock(mutex_);
            if (outcome.end == LookupEnd::Aborted) {
                continue;  // neither written nor recorded: a resumed run sends it again
            }
            if (events.limit()) {
                if (!result_.limitReached) {
                    result_.limitReached = true;
                    limitHalt_ = true;
                    changed_.notify_all();
                }
                limitLines_.insert(line->number);
                continue;
            }
            LineReport report{
                line->number,
                line->text,
                events.nodeText(),
                outcome.end == LookupEnd::Done ? LineOutcome::Done : LineOutcome::Failed,
                outcome.reason,
                NowUtc()};
            EndLine(report, &events.spool());
        }
        std::lock_guard<std::mutex> lock(mutex_);
        --working_;
        changed_.notify_all();
    }

    // Writes an ended line and records it. Called under mutex_.
    void EndLine(const LineReport& report, const LineSpool* spool) {
        if (!result_.writeError.empty()) {
            return;
        }
        std::string error;
        if (!writer_.WriteLine(report, spool, &error)) {
            result_.writeError = "results: " + error;
            Halt();
            return;
        }
        ProgressRecord record{report.outcome, spool ? spool->firms() : 0,
                              spool ? spool->messages() : 0};
        if (!progress_.Record(report.number, record, writer_.size(), &error)) {
            result_.writeError = "progress: " + error;
            Halt();
            return;
        }
        RunCounts& c = result_.counts;
        c.firms += record.firms;
        c.messages += record.messages;
        std::string text;
        switch (report.outcome) {
            case LineOutcome::Done:
                ++c.done;
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

    // Every line the limit left unsent: the ones that met it and all after the last
    // line handed out.
    void RecordUnchecked() {
        std::string error;
        for (std::size_t i = 0; i < list_.lines.size(); ++i) {
            const ListLine& line = list_.lines[i];
            const bool unsent =
                i >= next_ && !line.text.empty() && settings_.alreadyEnded.count(line.number) == 0;
            if (!unsent && limitLines_.count(line.number) == 0) {
                continue;
            }
            result_.unchecked.push_back(line.number);
            ++result_.counts.unchecked;
            if (!progress_.Record(line.number, ProgressRecord{LineOutcome::Unchecked, 0, 0},
                                  writer_.size(), &error)) {
                result_.writeError = "progress: " + error;
                return;
            }
        }
    }

    const ListFile& list_;
    LineLookup& lookup_;
    ResultsWriter& writer_;
    ProgressFile& progress_;
    const RunSettings& settings_;

    std::mutex mutex_;
    std::condition_variable changed_;
    std::size_t next_ = 0;  // index of the next line to look at
    Clock::time_point nextStart_;
    int started_ = 0;
    int working_ = 0;
    bool halt_ = false;       // a stop or a write failure: nothing new, running aborted
    bool limitHalt_ = false;  // the limit: nothing new, running ones end
    std::atomic<bool> abort_{false};
    std::set<int> limitLines_;
    RunResult result_;
};

}  // namespace

RunResult RunList(const ListFile& list, LineLookup& lookup, ResultsWriter& writer,
                  ProgressFile& progress, const RunSettings& settings) {
    Run run(list, lookup, writer, progress, settings);
    return run.Go();
}

}  // namespace batch
