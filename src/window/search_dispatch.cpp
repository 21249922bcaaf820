// "Find" and the list run: probing the connection, the query nodes, and what the query
// service reports about them.
#include <QComboBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <optional>
#include <stdexcept>

#include "config/default_addresses.h"
#include "exchange/probe.h"
#include "exchange/query_service.h"
#include "lists/list_file.h"
#include "pages/register_numbers.h"
#include "platform/cp1251.h"
#include "translit/translit.h"
#include "window/application.h"
#include "window/image_list.h"
#include "window/list_run.h"
#include "window/main_window.h"
#include "window/message_box.h"
#include "window/regions.h"
#include "window/results_model.h"
#include "window/results_pane.h"
#include "window/search_run.h"
#include "window/service_host_dialog.h"

namespace window {

void MainWindow::SetStatus(const QString& text) {
    statusLabel->setText(text);
}

void MainWindow::ShowProgress() {
    if (!currentRun_) {
        return;
    }
    const int total = currentRun_->Total();
    const int ended = currentRun_->Ended();
    SetStatus(tr("Checking: %1 of %2").arg(ended).arg(total));
    runProgress->setRange(0, total > 0 ? total : 1);
    runProgress->setValue(ended);
    runProgress->show();
}

void MainWindow::EndProgress() {
    runProgress->hide();
    runProgress->reset();
}

void MainWindow::TrackQuery(lookup::QueryId id, window::NodeHandle node) {
    currentRun_->Add(id, node);
    resultsPane_->Model().SetQueryRunning(node, true);
}

QString MainWindow::StatusText() const {
    return statusLabel->text();
}

int MainWindow::ThreadCount() const {
    return currentRun_ ? currentRun_->Total() - currentRun_->Ended() : 0;
}

void MainWindow::ConnectService() {
    connect(service_, &lookup::QueryService::firmFound, this,
            [this](lookup::QueryId id, const lookup::FirmRecord& firm) {
                resultsPane_->Model().AddHeldFirm(NodeOfQuery(id), platform::FromCp1251(firm.name),
                                                  firm);
            });
    connect(service_, &lookup::QueryService::queryTextChanged, this,
            [this](lookup::QueryId id, const std::string& text) {
                const ListRun* list = currentRun_ ? currentRun_->List() : nullptr;
                resultsPane_->Model().SetQueryText(
                    NodeOfQuery(id),
                    list != nullptr ? list->RowText(id, text) : platform::FromCp1251(text));
            });
    connect(service_, &lookup::QueryService::messageFound, this, &MainWindow::OnQueryMessage);
    // An ended query's firms all show before anything reports its end.
    connect(service_, &lookup::QueryService::queryFinished, this,
            [this] { resultsPane_->Model().ShowHeldRows(); });
    connect(service_, &lookup::QueryService::queryFinished, this, &MainWindow::OnQueryFinished);
    connect(service_, &lookup::QueryService::allFinished, this, &MainWindow::OnAllFinished);
    connect(service_, &lookup::QueryService::probeFinished, this, &MainWindow::OnProbeFinished);
}

window::NodeHandle MainWindow::NodeOfQuery(lookup::QueryId id) const {
    return currentRun_ ? currentRun_->NodeOf(id) : 0;
}

namespace {

std::string Cp1251(const QString& text) {
    return platform::ToCp1251(text);
}

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

void MainWindow::OnQueryMessage(lookup::QueryId id, const std::string& text,
                                lookup::ServiceMessageKind kind) {
    ResultsModel& model = resultsPane_->Model();
    model.AddRow(NodeOfQuery(id), RowKind::Message, platform::FromCp1251(text));
    // The service refuses every further request today: the lines not yet sent stay
    // unsent, each marked as such.
    ListRun* list = currentRun_ ? currentRun_->List() : nullptr;
    if (kind == lookup::ServiceMessageKind::DailyLimit && list != nullptr) {
        const QString notChecked = platform::FromCp1251(lookup::kDailyLimitNotCheckedText);
        std::vector<lookup::QueryId> dropped;
        const std::vector<window::NodeHandle> unsent = list->StopForLimit(dropped);
        for (const lookup::QueryId id : dropped) {
            model.AddRow(NodeOfQuery(id), RowKind::Skipped, notChecked);
            model.SetQueryRunning(NodeOfQuery(id), false);
            if (currentRun_->MarkEnded(id)) {
                currentRun_->NoteDropped();
            }
        }
        for (const window::NodeHandle row : unsent) {
            model.AddRow(row, RowKind::Skipped, notChecked);
            currentRun_->AddChecked();
        }
    }
}

// A failed query shows why under its node; what it delivered before stays.
void MainWindow::OnQueryFinished(lookup::QueryId id, const lookup::QueryOutcome& outcome) {
    if (!currentRun_ || !currentRun_->MarkEnded(id)) {
        return;
    }
    resultsPane_->Model().SetQueryRunning(NodeOfQuery(id), false);
    if (ListRun* list = currentRun_->List()) {
        list->Pump();  // the next line takes the ended one's place
    }
    if (!currentRun_->Done()) {
        ShowProgress();
    }
    if (outcome.error) {
        // The model keeps the text as files write it; the tree shows it translated.
        QString text = ResultsModel::kFailedPrefix + QString::fromStdString(outcome.error->reason);
        // The pointer to "Register service..." only where the placeholder host itself
        // could not be reached; an answer that came back (through a proxy that serves
        // any host) is reported as it is.
        if (lookup::CouldNotReach(*outcome.error, config::HostOfRoot(serviceRoot_))) {
            const QString hint = ServiceHostHint(serviceRoot_);
            if (!hint.isEmpty()) {
                text += QStringLiteral(". ") + hint;
            }
        }
        // Shown as the tree showed it, through Windows-1251.
        resultsPane_->Model().AddRow(NodeOfQuery(id), RowKind::Failed,
                                     platform::FromCp1251(Cp1251(text)));
    }
    // The firms shown are not all there are: the row says so, and the query keeps the
    // firm icon of what it found.
    if (outcome.listCut) {
        ResultsModel& model = resultsPane_->Model();
        const window::NodeHandle node = NodeOfQuery(id);
        model.AddRow(node, RowKind::Message, QString::fromLatin1(ResultsModel::kListCutText));
        if (outcome.firmsFound > 0) {
            model.SetQueryIcon(node, kImageFirm);
        }
    }
}

void MainWindow::OnAllFinished(int failed, int total) {
    if (!currentRun_) {
        return;
    }
    EndProgress();
    SetStatus(RunEndText(failed, total));
}

// A list run whose lines were not all searched for says how many were, and why the
// rest were not counted as queries: their lines were skipped (a check digit, the daily
// limit, nothing but blanks).
QString MainWindow::RunEndText(int failed, int total) const {
    const ListRun* list = currentRun_ ? currentRun_->List() : nullptr;
    const int skipped = list != nullptr ? currentRun_->Skipped() + list->BlankLines() : 0;
    if (skipped == 0) {
        return failed == 0
                   ? tr("Checking completed.")
                   : tr("Checking completed: %1 of %2 queries failed.").arg(failed).arg(total);
    }
    const int queries = currentRun_->Total() - currentRun_->Skipped();
    return failed == 0 ? tr("Checked %1 queries; %2 lines skipped").arg(queries).arg(skipped)
                       : tr("Checked %1 queries: %2 failed; %3 lines skipped")
                             .arg(queries)
                             .arg(failed)
                             .arg(skipped);
}

// The check runs on a thread of the query service; the window goes on repainting and
// taking input meanwhile, and `next` runs once the register service has answered. The
// service is asked the way the queries go; the fixed address only tells a silent
// service from a missing connection.
void MainWindow::ProbeThen(std::function<void()> next) {
    SetStatus(tr("Checking internet connection..."));
    lookup::ProbeOptions options;
    options.url = probeUrl_;
    options.serviceRoot = serviceRoot_;
    options.proxy = CurrentProxySettings();
    afterProbe_ = std::move(next);
    service_->StartProbe(std::move(options));
}

void MainWindow::OnProbeFinished(const lookup::ProbeResult& result) {
    std::function<void()> next = std::move(afterProbe_);
    afterProbe_ = nullptr;
    if (!result.reachable) {
        EndProgress();
        SetStatus(ProbeFailureText(result));
        return;
    }
    if (next) {
        Guarded(this, next);
    }
}

lookup::QueryRequest MainWindow::RequestFor(lookup::SearchCriteria criteria,
                                            const QString& nodeText) const {
    lookup::QueryRequest request;
    request.criteria = std::move(criteria);
    request.nodeText = Cp1251(nodeText);
    request.serviceRoot = serviceRoot_;
    request.proxy = CurrentProxySettings();
    return request;
}

// A run cut short ("Clear all", a newer search, closing) ends the checking as far as
// the status line goes, as a run that ran out does.
std::unique_ptr<SearchRun> MainWindow::NewRun(bool listRun) {
    return std::make_unique<SearchRun>(*service_, listRun, [this] {
        EndProgress();
        SetStatus(tr("Checking completed."));
    });
}

// A second "Find" while the connection is being probed is ignored. The rows shown
// stay until the probe has succeeded: a search that cannot start takes nothing away.
void MainWindow::OnFindClicked() {
    if (service_->Probing() || !CheckDate()) {
        return;
    }
    StartSearch(TypedCriteria(), QueryNodeText());
}

// One query for criteria under a query row reading nodeText, once the probe has
// succeeded; the rows shown until then stay.
void MainWindow::StartSearch(lookup::SearchCriteria criteria, const QString& nodeText) {
    DropRun();
    currentRun_ = NewRun(false);
    ProbeThen([this, criteria = std::move(criteria), nodeText] {
        resultsPane_->Clear();
        SetDetailMenuEnabled(true);
        const window::NodeHandle node = resultsPane_->Model().AddQuery(nodeText);
        TrackQuery(EnqueueRecorded(RequestFor(criteria, nodeText), nodeText), node);
        ShowProgress();
    });
}

void MainWindow::DropRun() {
    ++storedReadGeneration_;  // a stored check still being read would replace what follows
    if (!currentRun_) {
        return;
    }
    for (const window::NodeHandle node : currentRun_->RunningNodes()) {
        resultsPane_->Model().SetQueryRunning(node, false);
    }
    currentRun_.reset();
}

// "Stop": no further query starts, the running ones are aborted and everything shown
// stays. Nothing happens when no run is going on.
void MainWindow::OnStopClicked() {
    if (!currentRun_ || (service_->Pending() == 0 && !service_->Probing())) {
        return;
    }
    const int ended = currentRun_->Ended();
    const int total = currentRun_->Total();
    DropRun();
    afterProbe_ = nullptr;
    EndProgress();
    SetStatus(tr("Stopped: %1 of %2 checked.").arg(ended).arg(total));
}

void MainWindow::OnLoadListClicked() {
    const QString path =
        QFileDialog::getOpenFileName(this, QString(), openDialogDir_, tr("Text file (*.txt)"));
    if (!path.isEmpty()) {
        LoadQueryList(path);
    }
}

// Every line of the list that holds more than blanks becomes a query row once the connection is
// known to work, and the lines go out a few at a time, each name converted with the language of
// transliteration as the mirrors show a typed query. The list is read as UTF-8 when it is valid
// UTF-8 and as Windows-1251 otherwise, as the batch tool reads it.
void MainWindow::LoadQueryList(const QString& path) {
    auto list = std::make_shared<lookup::ListFile>(lookup::ReadListFile(path));
    if (!list->ok()) {
        throw std::runtime_error(list->error.toStdString());
    }
    openDialogDir_ = QFileInfo(path).absolutePath() + QLatin1Char('/');
    if (service_->Probing()) {
        return;
    }
    DropRun();
    currentRun_ = NewRun(true);
    const QString resultFile = lookup::EnabledFileName(path);
    ProbeThen([this, list, resultFile] {
        resultsPane_->Clear();
        resultFileName = resultFile;
        ListRun::Hooks hooks;
        hooks.queued = [this](lookup::QueryId id, window::NodeHandle row,
                              const lookup::QueryRequest& request, const QString& line) {
            RecordQueued(id, request, line);
            TrackQuery(id, row);
        };
        hooks.skipped = [this](window::NodeHandle row, const QString& reason) {
            resultsPane_->Model().AddRow(row, RowKind::Skipped, reason);
            currentRun_->AddChecked();
        };
        auto run = std::make_unique<ListRun>(*service_, std::move(*list),
                                             RequestFor(lookup::SearchCriteria{}, QString()),
                                             requestLanguageBox->currentText(), std::move(hooks));
        ListRun& listRun = *run;
        currentRun_->SetList(std::move(run));
        currentRun_->ExpectTotal(listRun.AddRows(resultsPane_->Model()));
        listRun.Pump();
        SetDetailMenuEnabled(true);
        if (service_->Pending() == 0) {
            EndProgress();
            SetStatus(RunEndText(0, 0));
        } else {
            ShowProgress();
        }
        if (!listRun.ConversionError().isEmpty()) {
            ShowMessage(this, listRun.ConversionError());
        }
    });
}

}  // namespace window
