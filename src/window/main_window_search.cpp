// "Find", "Stop" and the list run as the window shows them: the status line and the
// progress bar follow what the session reports.
#include <QComboBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QProgressBar>
#include <QStatusBar>
#include <stdexcept>

#include "exchange/probe.h"
#include "exchange/query_error.h"
#include "lists/list_file.h"
#include "window/application.h"
#include "window/archive_recording.h"
#include "window/main_window.h"
#include "window/message_box.h"
#include "window/query_entry.h"
#include "window/results_pane.h"
#include "window/service_host_dialog.h"

namespace window {
namespace {

// Why a search could not start. A chosen proxy that fails is named, so that the user
// mends the proxy rather than the connection; a silent service is told from a missing
// connection, with the pointer to "Register service..." when the placeholder host is
// what could not be reached.
QString ProbeFailureText(const lookup::ProbeResult& result) {
    if (result.error.kind == lookup::QueryErrorKind::ProxyFailed) {
        return QString::fromStdString(result.error.reason);
    }
    if (!result.serviceSilent) {
        return MainWindow::tr("No Internet connection...");
    }
    QString text = MainWindow::tr("the register service at %1 does not answer: %2")
                       .arg(QString::fromStdString(lookup::ShortForReason(result.serviceHost)),
                            QString::fromStdString(result.error.reason));
    if (lookup::CouldNotReach(result.error, result.serviceHost)) {
        const QString hint = ServiceHostHint("http://" + result.serviceHost);
        if (!hint.isEmpty()) {
            text += QStringLiteral(". ") + hint;
        }
    }
    return text;
}

}  // namespace

void MainWindow::SetStatus(const QString& text) {
    statusLabel->setText(text);
}

QString MainWindow::StatusText() const {
    return statusLabel->text();
}

int MainWindow::ThreadCount() const {
    return session_->Unfinished();
}

void MainWindow::ShowProgress(int ended, int total) {
    SetStatus(tr("Checking: %1 of %2").arg(ended).arg(total));
    runProgress->setRange(0, total > 0 ? total : 1);
    runProgress->setValue(ended);
    runProgress->show();
}

void MainWindow::EndProgress() {
    runProgress->hide();
    runProgress->reset();
}

void MainWindow::ConnectSession() {
    connect(session_, &SearchSession::probeStarted, this,
            [this] { SetStatus(tr("Checking internet connection...")); });
    connect(session_, &SearchSession::probeFailed, this, [this](const lookup::ProbeResult& result) {
        EndProgress();
        SetStatus(ProbeFailureText(result));
    });
    // The rows shown stay until the probe has succeeded: a search that cannot start
    // takes nothing away.
    connect(session_, &SearchSession::runStarting, this, [this] {
        resultsPane_->Clear();
        SetDetailMenuEnabled(true);
    });
    connect(session_, &SearchSession::progressChanged, this, &MainWindow::ShowProgress);
    connect(session_, &SearchSession::runEnded, this, [this](const SearchSession::RunEnd& end) {
        EndProgress();
        SetStatus(RunEndText(end));
    });
    connect(session_, &SearchSession::checkQueued, this, [this] {
        if (!recordsWaiting_) {
            recordingLabel->hide();
        }
    });
    connect(session_, &SearchSession::resultFileChosen, this,
            [this](const QString& path) { resultFileName_ = path; });
    connect(session_, &SearchSession::conversionFailed, this,
            [this](const QString& error) { ShowMessage(this, error); });
    connect(session_, &SearchSession::readFailed, this, &MainWindow::SetStatus);
    connect(session_, &SearchSession::failed, this,
            [this](const QString& error) { ShowErrorReport(this, error); });
}

// A list run whose lines were not all searched for says how many were, and why the
// rest were not counted as queries: their lines were skipped (a check digit, the daily
// limit, nothing but blanks).
QString MainWindow::RunEndText(const SearchSession::RunEnd& end) const {
    if (end.skipped == 0) {
        return end.failed == 0 ? tr("Checking completed.")
                               : tr("Checking completed: %1 of %2 queries failed.")
                                     .arg(end.failed)
                                     .arg(end.total);
    }
    return end.failed == 0
               ? tr("Checked %1 queries; %2 lines skipped").arg(end.queries).arg(end.skipped)
               : tr("Checked %1 queries: %2 failed; %3 lines skipped")
                     .arg(end.queries)
                     .arg(end.failed)
                     .arg(end.skipped);
}

// A second "Find" while the connection is being probed is ignored.
void MainWindow::OnFindClicked() {
    if (session_->Probing() || !queryEntry_->CheckDate()) {
        return;
    }
    session_->StartSearch(queryEntry_->TypedCriteria(), queryEntry_->QueryNodeText(),
                          requestLanguageBox->currentText());
}

// "Stop": no further query starts, the running ones are aborted and everything shown
// stays. Nothing happens when no run is going on.
void MainWindow::OnStopClicked() {
    if (const std::optional<SearchSession::Progress> stopped = session_->Stop()) {
        EndProgress();
        SetStatus(tr("Stopped: %1 of %2 checked.").arg(stopped->ended).arg(stopped->total));
    }
}

void MainWindow::OnLoadListClicked() {
    const QString path =
        QFileDialog::getOpenFileName(this, QString(), openDialogDir_, tr("Text file (*.txt)"));
    if (!path.isEmpty()) {
        LoadQueryList(path);
    }
}

// Every line of the list that holds more than blanks becomes a query row once the
// connection is known to work. The list is read as UTF-8 when it is valid UTF-8 and as
// Windows-1251 otherwise, as the batch tool reads it.
void MainWindow::LoadQueryList(const QString& path) {
    auto list = std::make_shared<lookup::ListFile>(lookup::ReadListFile(path));
    if (!list->ok()) {
        throw std::runtime_error(list->error.toStdString());
    }
    openDialogDir_ = QFileInfo(path).absolutePath() + QLatin1Char('/');
    session_->StartList(std::move(list), lookup::EnabledFileName(path),
                        requestLanguageBox->currentText());
}

}  // namespace window
