// What the main window searches with, without a widget of its own: the query service,
// the run going on (one search or a list run), the connection probe before each run,
// the archive that records every check, the reports written from it and the stored
// checks read back. The rows go into the results model; everything the user reads
// about the run goes out through signals, which the window turns into its texts.
#pragma once

#include <QObject>
#include <QString>
#include <QThreadPool>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "config/proxy_settings.h"
#include "exchange/probe.h"
#include "exchange/query_service.h"
#include "exchange/query_types.h"
#include "lists/list_file.h"
#include "pages/search_criteria.h"
#include "window/result_nodes.h"

namespace archive {
struct CheckRecord;
}

namespace window {

class ArchiveRecording;
class ReportWriter;
class ResultsModel;
class SearchRun;

class SearchSession : public QObject {
    Q_OBJECT
  public:
    struct Options {
        // "http://host[:port]" of the register service the queries go to.
        std::string serviceRoot;
        // The page fetched before each run to tell whether the machine is on-line.
        std::string probeUrl;
        // The archive every check is recorded in; empty: none is.
        std::string archivePath;
        // The proxy of each request and probe, asked afresh for each.
        std::function<config::ProxySettings()> proxy;
        // What a failure to reach serviceRoot adds to its row (empty: nothing), so that
        // the user finds where the address is set.
        std::function<QString(const std::string& serviceRoot)> reachHint;
        // How many queries run at once, the least time between their starts and the
        // limits of each exchange.
        lookup::ServiceOptions service;
    };

    // How far the run that ended had got.
    struct RunEnd {
        int failed = 0;
        int total = 0;    // queries that ended
        int queries = 0;  // of a list run: lines searched for
        int skipped = 0;  // of a list run: lines skipped (check digit, daily limit, blanks)
    };

    SearchSession(Options options, ResultsModel& model, QObject* parent = nullptr);
    // Ends the run and the service's threads before the archive goes.
    ~SearchSession() override;

    lookup::QueryService& Service() const { return *service_; }
    ArchiveRecording& Recording() const { return *recording_; }
    ReportWriter& Reports() const { return *reports_; }
    const std::string& ServiceRoot() const { return options_.serviceRoot; }
    void SetServiceRoot(std::string root) { options_.serviceRoot = std::move(root); }

    // The connection is being probed before a run starts.
    bool Probing() const;
    // A run has queries or its probe still going.
    bool Running() const;
    // Queries of the current run not yet ended.
    int Unfinished() const;
    // Aborts everything and waits a moment for the service's threads (closing).
    void Shutdown();

    // One query for criteria under a query row reading nodeText, once the probe has
    // succeeded; the rows shown until then stay. language: the request's language of
    // transliteration, as the archive records it.
    void StartSearch(lookup::SearchCriteria criteria, const QString& nodeText,
                     const QString& language);
    // A query row for every line of list, the lines going out a few at a time once the
    // probe has succeeded; names are converted with language. Ignored while probing.
    void StartList(std::shared_ptr<lookup::ListFile> list, const QString& resultFile,
                   const QString& language);
    // The query row query id of the current run reports to; 0 when it is none of its.
    window::NodeHandle NodeOf(lookup::QueryId id) const;
    // Ends the current run: its queries are aborted, its rows stay.
    void DropRun();
    // "Stop": aborts the run and the probe; how far it got, or none when nothing ran.
    struct Progress {
        int ended = 0;
        int total = 0;
    };
    std::optional<Progress> Stop();

    // Reads stored check checkId off this thread, then hands it to next; a check that
    // cannot be read is told through readFailed() instead. A read overtaken by a newer
    // one or by a run ending or starting is dropped.
    void ReadStoredCheckThen(qint64 checkId,
                             std::function<void(std::shared_ptr<archive::CheckRecord>)> next);
    // The stored check the results show (without its firms), or none when they show a
    // check of this session's own.
    const archive::CheckRecord* ShownCheck() const { return shownCheck_.get(); }
    void SetShownCheck(std::shared_ptr<archive::CheckRecord> check);
    // The one thread stored checks are read on, in the order they were asked for.
    QThreadPool& ReadPool() { return readPool_; }

  signals:
    void probeStarted();
    void probeFailed(const lookup::ProbeResult& result);
    // The probe succeeded: the results are about to be replaced by the new run's.
    void runStarting();
    // How far the current run is.
    void progressChanged(int ended, int total);
    // The current run has ended, or was given up (a newer run, "Clear all", closing).
    void runEnded(const SearchSession::RunEnd& end);
    // A check was queued for recording.
    void checkQueued();
    // The list run writes its results file here.
    void resultFileChosen(const QString& path);
    // A line of the list run could not be converted (told once; it went out as it is).
    void conversionFailed(const QString& error);
    void readFailed(const QString& error);
    // Starting the run after the probe failed: error says why.
    void failed(const QString& error);

  private:
    void ConnectService();
    void ProbeThen(std::function<void()> next);
    void OnProbeFinished(const lookup::ProbeResult& result);
    void OnQueryMessage(lookup::QueryId id, const std::string& text,
                        lookup::ServiceMessageKind kind);
    void OnQueryFinished(lookup::QueryId id, const lookup::QueryOutcome& outcome);
    void OnAllFinished(int failed, int total);
    void ShowFailure(lookup::QueryId id, const lookup::QueryError& error);
    RunEnd EndOf(int failed, int total) const;
    void EmitProgress();
    void BeginList(lookup::ListFile list, const QString& language);
    lookup::QueryRequest RequestFor(lookup::SearchCriteria criteria, const QString& nodeText) const;
    std::unique_ptr<SearchRun> NewRun(bool listRun);
    void TrackQuery(lookup::QueryId id, window::NodeHandle node);
    void RecordQueued(lookup::QueryId id, const lookup::QueryRequest& request, const QString& typed,
                      const QString& language);

    Options options_;
    ResultsModel& model_;
    lookup::QueryService* service_ = nullptr;
    ArchiveRecording* recording_ = nullptr;
    ReportWriter* reports_ = nullptr;
    // The running search or list run; resetting it aborts its queries.
    std::unique_ptr<SearchRun> currentRun_;
    std::function<void()> afterProbe_;  // what a successful probe goes on with
    std::shared_ptr<archive::CheckRecord> shownCheck_;
    // Counts what supersedes a stored check still being read (a newer read, a search, a
    // list run, "Clear all", "Stop"): a read that comes back after it is dropped.
    std::uint64_t readGeneration_ = 0;
    QThreadPool readPool_;  // the stored checks' reads, one at a time
};

}  // namespace window
