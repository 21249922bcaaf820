// The program's main window. The user types a query, presses "Find", watches the
// firms arrive in the left tree and its copy in their own language on the right, and
// reads the current firm's ten fields under both.
#pragma once

#include <QList>
#include <QMainWindow>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "config/default_addresses.h"
#include "config/proxy_settings.h"
#include "exchange/probe.h"
#include "exchange/query_types.h"
#include "lists/results_file.h"
#include "window/result_nodes.h"

class QAction;
class QComboBox;
class QLabel;
class QMenu;
class QProgressBar;

namespace lookup {
class QueryService;
struct ProbeResult;
}  // namespace lookup

namespace archive {
struct CheckRecord;
struct FirmChange;
}  // namespace archive

namespace window {

class ProxyDialog;
class Screening;
class ScreeningListsDialog;

class ArchiveRecording;
class ArchiveSearchDialog;
class HistoryPanel;
class QueryEntry;
class ReportWriter;
class ResultsPane;
class SearchRun;
class UserGuideDialog;

class MainWindow : public QMainWindow {
    Q_OBJECT
  public:
    // serviceRoot: "http://host[:port]" of the register service, unless the user stored
    // another with "Register service..."; probeUrl: the page
    // fetched before each search to tell whether the machine is on-line. proxyDialog,
    // when given, becomes the window's child: "Proxy..." shows it, workers take their
    // proxy settings from it and closing the window writes its config.ini.
    explicit MainWindow(QWidget* parent = nullptr,
                        std::string serviceRoot = config::DefaultServiceRoot(),
                        std::string probeUrl = config::DefaultProbeUrl(),
                        window::ProxyDialog* proxyDialog = nullptr);
    ~MainWindow() override;

    // --- Query entry (its fields, mirrors and checks live in QueryEntry) ---
    QueryEntry& Entry() const { return *queryEntry_; }
    lookup::SearchCriteria TypedCriteria() const;
    QString QueryNodeText() const;
    bool CheckDate();
    void OnRequestLanguageChanged();
    void OnPaneLanguageChanged();
    void OnDictionaryChanged();

    // --- Search dispatch ---
    void OnFindClicked();
    void OnStopClicked();
    // Queries of the current search or list run not yet ended.
    int ThreadCount() const;
    QString StatusText() const;
    // The service that runs the window's queries (a child of the window).
    lookup::QueryService* Service() const { return service_; }

    // --- Results ---
    // Empties the results and the detail values, as a new search does.
    void ClearResults();
    // The firms as the results file sees them.
    std::vector<lookup::ResultEntry> ResultEntries() const;
    std::size_t FirmCount() const;
    ResultsPane& Results() const { return *resultsPane_; }

    // --- Batch lookups ---
    void OnLoadListClicked();
    void LoadQueryList(const QString& path);

    // --- Saving, copying, export, proxy ---
    void OnSaveClicked();
    void OnSaveAsClicked();
    // Writes the results file to path and says so in the status line.
    void SaveTo(const QString& path);
    void OnCopySelectedClicked();
    void OnCopyAllClicked();
    // The results trees' menu: the row it was opened over, the whole tree, and the
    // stored check shown, as the History panel's entry.
    void OnTreeCopyClicked();
    void OnTreeCopyAllClicked();
    void OnOpenInHistoryClicked();
    void OnExportClicked();
    void ExportTo(const QString& path);
    void OnExportExcelClicked();
    // Writes the rows "Export" writes, and a summary sheet, as an .xlsx workbook.
    void ExportExcelTo(const QString& path);
    void OnProxyClicked();
    void OnAboutClicked();
    void OnUserGuideClicked();

    // --- Register service, first-run choices ---
    void OnServiceHostClicked();

    // --- Lookup archive ---
    void OnHistoryClicked();
    void OnArchiveSearchClicked();
    void OnExportReportClicked();
    // Takes what the panes show and has it written to path as a PDF report on a worker
    // thread; the status line tells when it is written. Refused while one is written.
    void ExportReportTo(const QString& path);
    // Shows a stored check "as of" its date, without a request (read off this thread).
    void OpenStoredCheck(qint64 checkId);
    // Shows a stored check with its firm of that OGRN (else INN) current and in view,
    // the window on top.
    void OpenStoredFirm(qint64 checkId, const QString& ogrn, const QString& inn);
    // Sends a stored check's criteria anew.
    void CheckAgain(qint64 checkId);
    ArchiveRecording& Recording() const { return *archiveRecording_; }
    Screening& Screen() const { return *screening_; }
    // Screens with the index at path from now on (tests; the usual one otherwise).
    void UseScreeningIndex(const std::string& path);
    // File > "Screening lists...": shows the dialog (one at a time) and returns it.
    ScreeningListsDialog* OnScreeningListsClicked();
    HistoryPanel& History() const { return *historyPanel_; }

    // Where "Save..." writes; empty until the first save or list loading.
    QString resultFileName;

  protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

  private:
    void BuildLayout();
    void BuildMenus();
    void ConnectHandlers();
    void LoadLanguageChoices();
    void LoadLanguageChoicesOrThrow();
    void RestoreSelections(const QString& dictionary, const QString& langDict,
                           const QString& langDict2);
    void RestoreLayout();
    void ReportStoredServiceHost();
    void SaveLayout();
    void SetStatus(const QString& text);
    // "Checking: N of M" and the progress bar for the current run; EndProgress hides
    // the bar once nothing runs.
    void ShowProgress();
    void EndProgress();
    // Query id of the current run reports to the query row node, which shows the
    // running icon until the query ends.
    void TrackQuery(lookup::QueryId id, window::NodeHandle node);
    // Ends the current run: its queries are aborted, its rows stay.
    void DropRun();
    void SetDetailMenuEnabled(bool on);
    void ApplyPaneLanguage();
    void WriteChoice(const QString& name, const QString& value);
    // A setting of the program's own group as text; empty when it is not set.
    QString Setting(const QString& name) const;
    config::ProxySettings CurrentProxySettings() const;
    void WriteFileOrThrow(const QString& path, const std::string& bytes) const;
    void ConnectService();
    void ProbeThen(std::function<void()> next);
    void OnProbeFinished(const lookup::ProbeResult& result);
    lookup::QueryRequest RequestFor(lookup::SearchCriteria criteria, const QString& nodeText) const;
    void OnQueryMessage(lookup::QueryId id, const std::string& text,
                        lookup::ServiceMessageKind kind);
    void OnQueryFinished(lookup::QueryId id, const lookup::QueryOutcome& outcome);
    void OnAllFinished(int failed, int total);
    // What the status bar says once the current run has ended.
    QString RunEndText(int failed, int total) const;
    window::NodeHandle NodeOfQuery(lookup::QueryId id) const;
    std::unique_ptr<SearchRun> NewRun(bool listRun);
    void BuildArchive();
    void BuildScreening();
    // What the status bar says of screening: the list versions in use, or that none is.
    QString ScreeningNote(const QString& error) const;
    QStringList ScreeningReportLines() const;
    // Marks the firm rows under node that record's screening matched, as they were when
    // it was recorded; "screened against ..." for the status line (empty: unscreened).
    QString ShowStoredScreening(window::NodeHandle node, const archive::CheckRecord& record);
    lookup::QueryId EnqueueRecorded(lookup::QueryRequest request, const QString& typed);
    // Has the archive record query id, queued with request; typed: the query as typed.
    void RecordQueued(lookup::QueryId id, const lookup::QueryRequest& request,
                      const QString& typed);
    void ShowStoredCheck(std::shared_ptr<archive::CheckRecord> record);
    void ReadStoredCheckThen(qint64 checkId,
                             std::function<void(std::shared_ptr<archive::CheckRecord>)> next);
    void StartSearch(lookup::SearchCriteria criteria, const QString& nodeText);
    void MarkChanges(lookup::QueryId id, const std::vector<archive::FirmChange>& changes);
    void OnReportFinished(const QString& path, const QString& error);

    std::string serviceRoot_;
    std::string probeUrl_;
    lookup::QueryService* service_ = nullptr;
    // The running search or list run; resetting it aborts its queries.
    std::unique_ptr<SearchRun> currentRun_;
    std::function<void()> afterProbe_;            // what a successful probe goes on with
    window::ProxyDialog* proxyDialog_ = nullptr;  // a child of the window, or none
    QList<QIcon> icons_;
    QString openDialogDir_;  // where the list-loading dialog starts
    bool closed_ = false;
    bool centred_ = false;
    QueryEntry* queryEntry_ = nullptr;
    ResultsPane* resultsPane_ = nullptr;
    ArchiveRecording* archiveRecording_ = nullptr;
    HistoryPanel* historyPanel_ = nullptr;
    ArchiveSearchDialog* archiveSearch_ = nullptr;
    ReportWriter* reportWriter_ = nullptr;
    std::shared_ptr<archive::CheckRecord> shownCheck_;  // the stored check shown, without firms
    // Counts what supersedes a stored check still being read (a newer read, a search, a
    // list run, "Clear all", "Stop"): a read that comes back after it is dropped.
    std::uint64_t storedReadGeneration_ = 0;
    UserGuideDialog* userGuide_ = nullptr;  // made when first asked for

    // Controls; each one's objectName is its member name.
    QComboBox* requestLanguageBox = nullptr;  // owned by the query entry
    QComboBox* dictionaryBox = nullptr;       // owned by the query entry
    QComboBox* paneLanguageBox = nullptr;     // owned by the results pane
    QLabel* statusLabel = nullptr;
    // Beside the status: checks waiting for a locked archive, then that they are written.
    QLabel* recordingLabel = nullptr;
    QLabel* screeningLabel = nullptr;  // the list versions screened against
    Screening* screening_ = nullptr;
    bool addingStoredFirms_ = false;      // the firms of a stored check are not screened anew
    bool recordsWaiting_ = false;         // recordingLabel tells of checks not yet written
    QProgressBar* runProgress = nullptr;  // in the status bar while a run goes on
    QMenu* detailMenu = nullptr;
    QMenu* treeMenu = nullptr;
    QAction* exportReportAction = nullptr;  // off while a report is being written

    // --- Register service, first-run choices, one report per operation ---
    void ApplyFirstRunChoices(const QString& storedRequest, const QString& storedPane,
                              const QString& storedDictionary);
};

}  // namespace window
