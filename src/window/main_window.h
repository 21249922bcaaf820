// The program's main window. The user types a query, presses "Find", watches the
// firms arrive in the left tree and its copy in their own language on the right, and
// reads the current firm's ten fields under both. The window lays out its parts and
// wires them together: the searching itself is its session's.
#pragma once

#include <QList>
#include <QMainWindow>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "config/default_addresses.h"
#include "config/proxy_settings.h"
#include "exchange/query_service.h"
#include "lists/results_file.h"
#include "window/result_nodes.h"
#include "window/search_session.h"

class QAction;
class QComboBox;
class QLabel;
class QMenu;
class QProgressBar;

namespace lookup {
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
class ResultsPane;
class UserGuideDialog;

class MainWindow : public QMainWindow {
    Q_OBJECT
  public:
    // How the window's parts are made, beyond the addresses it searches at.
    struct Options {
        // Of the service that runs the window's queries: how many run at once, the least
        // time between their starts and the limits of each exchange.
        lookup::ServiceOptions service;
        // The screening index firms are screened against; empty: the user's own.
        std::string screeningIndex;
    };

    // serviceRoot: "http://host[:port]" of the register service, unless the user stored
    // another with "Register service..."; probeUrl: the page
    // fetched before each search to tell whether the machine is on-line. proxyDialog,
    // when given, becomes the window's child: "Proxy..." shows it, queries take their
    // proxy settings from it and closing the window writes its config.ini.
    explicit MainWindow(QWidget* parent = nullptr,
                        std::string serviceRoot = config::DefaultServiceRoot(),
                        std::string probeUrl = config::DefaultProbeUrl(),
                        window::ProxyDialog* proxyDialog = nullptr, Options options = {});
    ~MainWindow() override;

    // --- The window's parts, read-only ---
    QueryEntry& Entry() const { return *queryEntry_; }
    ResultsPane& Results() const { return *resultsPane_; }
    HistoryPanel& History() const { return *historyPanel_; }
    Screening& Screen() const { return *screening_; }
    SearchSession& Session() const { return *session_; }
    ArchiveRecording& Recording() const;
    // The service that runs the window's queries.
    lookup::QueryService* Service() const;
    // Queries of the current search or list run not yet ended.
    int ThreadCount() const;
    QString StatusText() const;
    // The firms as the results file sees them.
    std::vector<lookup::ResultEntry> ResultEntries() const;
    std::size_t FirmCount() const;
    // Where "Save..." writes; empty until the first save or list loading.
    const QString& ResultFileName() const { return resultFileName_; }

    // --- What the file dialogs of the menus lead to, with the path chosen ---
    void LoadQueryList(const QString& path);
    // Writes the results file to path and says so in the status line.
    void SaveTo(const QString& path);
    void ExportTo(const QString& path);
    // Writes the rows "Export" writes, and a summary sheet, as an .xlsx workbook.
    void ExportExcelTo(const QString& path);
    // Takes what the panes show and has it written to path as a PDF report off the
    // window's thread; the status line tells when it is written. Refused while one is
    // written.
    void ExportReportTo(const QString& path);

    // --- Lookup archive, as the History panel and the archive search ask ---
    // Shows a stored check "as of" its date, without a request (read off this thread).
    void OpenStoredCheck(qint64 checkId);
    // Shows a stored check with its firm of that OGRN (else INN) current and in view,
    // the window on top.
    void OpenStoredFirm(qint64 checkId, const QString& ogrn, const QString& inn);
    // Sends a stored check's criteria anew.
    void CheckAgain(qint64 checkId);
    // Screens with the index at path from now on (tests; the usual one otherwise).

  protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

  private slots:
    void OnRequestLanguageChanged();
    void OnPaneLanguageChanged();
    void OnDictionaryChanged();
    void OnFindClicked();
    void OnStopClicked();
    // Empties the results and the detail values, as a new search does.
    void ClearResults();
    void OnLoadListClicked();
    void OnSaveClicked();
    void OnSaveAsClicked();
    void OnCopySelectedClicked();
    void OnCopyAllClicked();
    // The results trees' menu: the row it was opened over, the whole tree, and the
    // stored check shown, as the History panel's entry.
    void OnTreeCopyClicked();
    void OnTreeCopyAllClicked();
    void OnOpenInHistoryClicked();
    void OnExportClicked();
    void OnExportExcelClicked();
    void OnProxyClicked();
    void OnAboutClicked();
    void OnUserGuideClicked();
    void OnServiceHostClicked();
    void OnHistoryClicked();
    void OnArchiveSearchClicked();
    void OnExportReportClicked();
    // File > "Screening lists...": shows the dialog (one at a time).
    void OnScreeningListsClicked();

  private:
    void BuildLayout();
    void BuildStatusLine();
    void BuildMenus();
    void BuildFileMenu();
    void BuildHelpMenu();
    void BuildDetailMenu();
    void BuildTreeMenu();
    // A menu entry named name that runs handler, an error it throws reported.
    QAction* AddAction(QMenu* menu, const char* name, const QString& text,
                       void (MainWindow::*handler)());
    void BuildSession(std::string serviceRoot, std::string probeUrl,
                      const lookup::ServiceOptions& service);
    void ConnectSession();
    void ConnectHandlers();
    void LoadLanguageChoices();
    void LoadLanguageChoicesOrThrow();
    void RestoreSelections(const QString& dictionary, const QString& langDict,
                           const QString& langDict2);
    void ApplyFirstRunChoices(const QString& storedRequest, const QString& storedPane,
                              const QString& storedDictionary);
    void RestoreLayout();
    void ReportStoredServiceHost();
    void SaveLayout();
    void SetStatus(const QString& text);
    // "Checking: N of M" and the progress bar for the current run; EndProgress hides
    // the bar once nothing runs.
    void ShowProgress(int ended, int total);
    void EndProgress();
    // What the status bar says once the current run has ended.
    QString RunEndText(const SearchSession::RunEnd& end) const;
    void SetDetailMenuEnabled(bool on);
    void ApplyPaneLanguage();
    void WriteChoice(const QString& name, const QString& value);
    // A setting of the program's own group as text; empty when it is not set.
    QString Setting(const QString& name) const;
    config::ProxySettings CurrentProxySettings() const;
    void WriteFileOrThrow(const QString& path, const std::string& bytes) const;
    void BuildArchive();
    void ConnectRecording();
    void BuildHistory();
    void BuildArchiveMenu();
    void BuildScreening(const std::string& index);
    // What the status bar says of screening: the list versions in use, or that none is.
    QString ScreeningNote(const QString& error) const;
    QStringList ScreeningReportLines() const;
    // Marks the firm rows under node that record's screening matched, as they were when
    // it was recorded; "screened against ..." for the status line (empty: unscreened).
    QString ShowStoredScreening(window::NodeHandle node, const archive::CheckRecord& record);
    void ShowStoredCheck(std::shared_ptr<archive::CheckRecord> record);
    // Makes the firm row of that OGRN (else INN) under the first query row current.
    void SelectStoredFirm(const QString& ogrn, const QString& inn);
    void MarkChanges(lookup::QueryId id, const std::vector<archive::FirmChange>& changes);
    void OnReportFinished(const QString& path, const QString& error);

    SearchSession* session_ = nullptr;
    window::ProxyDialog* proxyDialog_ = nullptr;  // a child of the window, or none
    QList<QIcon> icons_;
    QString openDialogDir_;   // where the list-loading dialog starts
    QString resultFileName_;  // where "Save..." writes
    bool closed_ = false;
    bool centred_ = false;
    QueryEntry* queryEntry_ = nullptr;
    ResultsPane* resultsPane_ = nullptr;
    HistoryPanel* historyPanel_ = nullptr;
    ArchiveSearchDialog* archiveSearch_ = nullptr;
    UserGuideDialog* userGuide_ = nullptr;  // made when first asked for
    Screening* screening_ = nullptr;
    bool addingStoredFirms_ = false;  // the firms of a stored check are not screened anew
    bool recordsWaiting_ = false;     // recordingLabel tells of checks not yet written

    // Controls; each one's objectName is its member name.
    QComboBox* requestLanguageBox = nullptr;  // owned by the query entry
    QComboBox* dictionaryBox = nullptr;       // owned by the query entry
    QComboBox* paneLanguageBox = nullptr;     // owned by the results pane
    QLabel* statusLabel = nullptr;
    // Beside the status: checks waiting for a locked archive, then that they are written.
    QLabel* recordingLabel = nullptr;
    QLabel* screeningLabel = nullptr;     // the list versions screened against
    QProgressBar* runProgress = nullptr;  // in the status bar while a run goes on
    QMenu* detailMenu = nullptr;
    QMenu* treeMenu = nullptr;
    QAction* exportReportAction = nullptr;  // off while a report is being written
};

}  // namespace window
