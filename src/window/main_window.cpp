#include "window/main_window.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QStandardPaths>
#include <QStatusBar>
#include <stdexcept>

#include "archive/check_record.h"
#include "config/service_host.h"
#include "exchange/query_service.h"
#include "platform/program_dir.h"
#include "platform/safe_file.h"
#include "window/application.h"
#include "window/archive_recording.h"
#include "window/csv_export.h"
#include "window/detail_copy.h"
#include "window/file_dialogs.h"
#include "window/help.h"
#include "window/image_list.h"
#include "window/message_box.h"
#include "window/proxy_dialog.h"
#include "window/query_entry.h"
#include "window/report_writer.h"
#include "window/results_model.h"
#include "window/results_pane.h"
#include "window/search_run.h"
#include "window/service_host_dialog.h"
#include "window/xlsx_export.h"

namespace window {

MainWindow::MainWindow(QWidget* parent, std::string serviceRoot, std::string probeUrl,
                       window::ProxyDialog* proxyDialog, Options options)
    : QMainWindow(parent), proxyDialog_(proxyDialog), icons_(MakeImageList()) {
    if (proxyDialog_ != nullptr) {
        proxyDialog_->setParent(this, proxyDialog_->windowFlags());
    }
    setObjectName(QStringLiteral("mainWindow"));
    setAttribute(Qt::WA_DeleteOnClose, false);
    BuildLayout();
    BuildSession(config::ConfiguredServiceRoot(serviceRoot), std::move(probeUrl), options.service);
    BuildMenus();
    BuildArchive();
    BuildScreening(options.screeningIndex);
    LoadLanguageChoices();
    RestoreLayout();
    ConnectHandlers();
    Guarded(this, [this] { ApplyPaneLanguage(); });
    ReportStoredServiceHost();
}

void MainWindow::BuildSession(std::string serviceRoot, std::string probeUrl,
                              const lookup::ServiceOptions& service) {
    SearchSession::Options options;
    options.serviceRoot = std::move(serviceRoot);
    options.probeUrl = std::move(probeUrl);
    options.archivePath = ArchivePathInUse();
    options.proxy = [this] { return CurrentProxySettings(); };
    options.reachHint = [](const std::string& root) { return ServiceHostHint(root); };
    options.service = service;
    session_ = new SearchSession(std::move(options), resultsPane_->Model(), this);
    ConnectSession();
}

// A stored service address that cannot be read is passed over for the default one;
// the status line says so once, so that the user can set it again. It follows what
// start-up said there about the stored languages.
void MainWindow::ReportStoredServiceHost() {
    const auto stored = config::StoredServiceSetting();
    if (!stored) {
        const QString earlier = StatusText();
        SetStatus((earlier.isEmpty() ? QString() : earlier + QLatin1Char(' ')) +
                  tr("%1 The default address %2 is used; set another under File > \"Register "
                     "service...\".")
                      .arg(stored.error(), QString::fromStdString(session_->ServiceRoot())));
    }
}

// The session goes first: ending its run still tells the window's status line, and its
// threads end before the window's members go.
MainWindow::~MainWindow() {
    delete session_;
    session_ = nullptr;
}

ArchiveRecording& MainWindow::Recording() const {
    return session_->Recording();
}

lookup::QueryService* MainWindow::Service() const {
    return &session_->Service();
}

void MainWindow::ConnectHandlers() {
    auto on = [this](auto handler) {
        return [this, handler]() { Guarded(this, [this, handler]() { (this->*handler)(); }); };
    };
    // Connected after start-up has filled the boxes, so restoring the saved choices
    // writes nothing back.
    connect(requestLanguageBox, &QComboBox::currentTextChanged, this,
            on(&MainWindow::OnRequestLanguageChanged));
    connect(paneLanguageBox, &QComboBox::currentTextChanged, this,
            on(&MainWindow::OnPaneLanguageChanged));
    connect(dictionaryBox, &QComboBox::currentTextChanged, this,
            on(&MainWindow::OnDictionaryChanged));
    connect(queryEntry_, &QueryEntry::findRequested, this, on(&MainWindow::OnFindClicked));
    connect(queryEntry_, &QueryEntry::notice, this,
            [this](const QString& text) { statusBar()->showMessage(text); });
    connect(resultsPane_, &ResultsPane::failed, this,
            [this](const QString& error) { ShowMessage(this, error); });
    // Shown over the run's status while the row is current; the status returns after.
    connect(resultsPane_, &ResultsPane::currentRowTextChanged, this, [this](const QString& text) {
        if (text.isEmpty()) {
            statusBar()->clearMessage();
        } else {
            statusBar()->showMessage(text);
        }
    });
}

void MainWindow::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (centred_) {
        return;
    }
    centred_ = true;
    if (QScreen* screen = this->screen()) {
        QRect frame = frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
}

// Closing writes the proxy settings, then aborts every query and the probe; their
// threads end within moments, and none sends a request after the window has closed.
void MainWindow::closeEvent(QCloseEvent* event) {
    if (!closed_ && session_->Running() &&
        !AskQuestion(this, tr("Queries are still running. Stop them and close the window?"),
                     tr("Stop and close"), tr("Keep running"))) {
        event->ignore();
        return;
    }
    if (!closed_) {
        closed_ = true;
        SaveLayout();
        Guarded(this, [this]() {
            if (proxyDialog_ != nullptr) {
                proxyDialog_->WriteConfig();
            }
        });
        session_->Shutdown();
    }
    event->accept();
}

config::ProxySettings MainWindow::CurrentProxySettings() const {
    return proxyDialog_ != nullptr ? proxyDialog_->Settings() : config::ProxySettings{};
}

void MainWindow::OnProxyClicked() {
    if (proxyDialog_ != nullptr) {
        proxyDialog_->ShowModal();
    }
}

void MainWindow::OnServiceHostClicked() {
    ServiceHostDialog dialog(this, CurrentProxySettings());
    if (dialog.exec() == QDialog::Accepted) {
        session_->SetServiceRoot(config::ConfiguredServiceRoot(session_->ServiceRoot()));
    }
}

void MainWindow::OnAboutClicked() {
    QMessageBox::about(this, tr("About"),
                       AboutHtml(QString::fromStdString(session_->ServiceRoot())));
}

void MainWindow::OnUserGuideClicked() {
    if (userGuide_ == nullptr) {
        userGuide_ = new UserGuideDialog(this);
    }
    userGuide_->show();
    userGuide_->raise();
    userGuide_->activateWindow();
}

// Written atomically: a failed write leaves the old file whole, and a symbolic link
// at path is replaced rather than followed.
void MainWindow::WriteFileOrThrow(const QString& path, const std::string& bytes) const {
    const QString error = platform::SaveFileAtomically(path, QByteArray::fromStdString(bytes));
    if (!error.isEmpty()) {
        throw std::runtime_error(error.toStdString());
    }
}

// "Save...": every firm to the results file named last. Without one, "enabled.txt" beside the
// program, or in the user's documents when the program's folder keeps no user files.
void MainWindow::OnSaveClicked() {
    if (resultFileName_.isEmpty()) {
        QString folder = platform::ProgramDir();
        if (!platform::KeepsUserFiles(folder)) {
            folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
            QDir().mkpath(folder);
            folder += QLatin1Char('/');
        }
        resultFileName_ = folder + QStringLiteral("enabled.txt");
    }
    SaveTo(resultFileName_);
}

void MainWindow::OnSaveAsClicked() {
    if (lookup::ResultsFileBytes(ResultEntries()).empty()) {
        SetStatus(tr("No firms to save."));
        return;
    }
    QString folder = openDialogDir_;
    QString name = QStringLiteral("enabled.txt");
    if (!resultFileName_.isEmpty()) {
        folder = QFileInfo(resultFileName_).absolutePath() + QLatin1Char('/');
        name = QFileInfo(resultFileName_).fileName();
    }
    const QString path = AskSaveFile(this, tr("Save as"), folder, name, tr("Text file (*.txt)"));
    if (!path.isEmpty()) {
        openDialogDir_ = folder;
        resultFileName_ = path;
        SaveTo(path);
    }
}

// With no firm to write, an earlier results file at path is kept as it is.
void MainWindow::SaveTo(const QString& path) {
    const std::vector<lookup::ResultEntry> entries = ResultEntries();
    const std::string bytes = lookup::ResultsFileBytes(entries);
    if (bytes.empty()) {
        SetStatus(
            tr("No firms to save; %1 is left as it was.").arg(QDir::toNativeSeparators(path)));
        return;
    }
    WriteFileOrThrow(path, bytes);
    SetStatus(tr("Saved %n firms to %1", nullptr, static_cast<int>(entries.size()))
                  .arg(QDir::toNativeSeparators(path)));
}

void MainWindow::OnExportClicked() {
    const QString path = AskSaveFile(this, tr("Export..."), openDialogDir_,
                                     QStringLiteral("results.csv"), tr("CSV file (*.csv)"));
    if (!path.isEmpty()) {
        ExportTo(path);
    }
}

void MainWindow::ExportTo(const QString& path) {
    WriteFileOrThrow(path, CsvBytes(resultsPane_->ExportRows(), paneLanguageBox->currentText(),
                                    resultsPane_->ConvertedCaptions()));
}

void MainWindow::OnExportExcelClicked() {
    const QString path = AskSaveFile(this, tr("Export to Excel..."), openDialogDir_,
                                     QStringLiteral("results.xlsx"), tr("Excel workbook (*.xlsx)"));
    if (!path.isEmpty()) {
        ExportExcelTo(path);
    }
}

void MainWindow::ExportExcelTo(const QString& path) {
    XlsxRunSummary summary;
    summary.exportedAt = QDateTime::currentDateTimeUtc().toString(Qt::ISODate);
    summary.service = QString::fromStdString(session_->ServiceRoot());
    const archive::CheckRecord* shown = session_->ShownCheck();
    if (shown != nullptr) {
        summary.service = QString::fromStdString(shown->service);
        summary.checkedAt = QString::fromStdString(shown->checkedAt);
    }
    // The record and head the export came from, read as the report reads them; "not
    // recorded" only with the reason nothing was.
    const ExportEvidence evidence = ReadExportEvidence(Recording(), shown);
    summary.digest = evidence.digest;
    summary.archiveHead = evidence.head;
    summary.notRecordedWhy = evidence.why;
    const QString error =
        WriteResultsXlsx(path, resultsPane_->ExportRows(), paneLanguageBox->currentText(),
                         resultsPane_->ConvertedCaptions(), summary);
    if (!error.isEmpty()) {
        throw std::runtime_error(error.toStdString());
    }
    SetStatus(tr("Exported to %1").arg(QDir::toNativeSeparators(path)));
}

// Both copy commands read the list the menu was last opened over.
void MainWindow::OnCopySelectedClicked() {
    if (std::optional<QString> text = SelectedValueText(*resultsPane_->MenuList())) {
        CopyToBuffer(*text);
    }
}

void MainWindow::OnCopyAllClicked() {
    CopyToBuffer(AllRowsText(*resultsPane_->MenuList()));
}

void MainWindow::OnTreeCopyClicked() {
    const bool right = resultsPane_->MenuTree() == resultsPane_->TranslatedTree();
    const QString text = resultsPane_->RowCopyText(resultsPane_->MenuIndex(), right);
    if (!text.isEmpty()) {
        CopyToBuffer(text);
    }
}

void MainWindow::OnTreeCopyAllClicked() {
    CopyToBuffer(
        resultsPane_->AllRowsCopyText(resultsPane_->MenuTree() == resultsPane_->TranslatedTree()));
}

std::vector<lookup::ResultEntry> MainWindow::ResultEntries() const {
    return resultsPane_->ResultEntries();
}

std::size_t MainWindow::FirmCount() const {
    return resultsPane_->Model().FirmCount();
}

void MainWindow::ClearResults() {
    session_->DropRun();  // queued list lines not yet started are dropped with their rows
    resultsPane_->Clear();
}

// A box without a choice (nothing installed to choose) converts without reports: only
// a real choice that fails is worth a message.
void MainWindow::ApplyPaneLanguage() {
    const QString language = paneLanguageBox->currentText();
    const QString dictionary = dictionaryBox->currentText();
    const bool chosen =
        paneLanguageBox->findText(language, Qt::MatchFixedString) >= 0 &&
        (dictionary.isEmpty() || dictionaryBox->findText(dictionary, Qt::MatchFixedString) >= 0);
    resultsPane_->SetLanguage(language, dictionary, !chosen);
}

}  // namespace window
