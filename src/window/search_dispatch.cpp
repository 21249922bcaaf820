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

#include "lookup/list_file.h"
#include "lookup/probe.h"
#include "lookup/query_service.h"
#include "lookup/register_numbers.h"
#include "platform/cp1251.h"
#include "translit/translit.h"
#include "window/application.h"
#include "window/image_list.h"
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

void MainWindow::TrackQuery(lookup::QueryId id, lookup::NodeHandle node) {
    currentRun_->Add(id, node);
    resultsPane_->Model().SetQueryRunning(node, true);
}

QString MainWindow::StatusText() const {
    return statusLabel->text();
}

int MainWindow::ThreadCount() const {
    return currentRun_ ? service_->Pending() : 0;
}

// "Search for entered data..." and the criteria given, composed as Windows-1251 so
// that a character without a Windows-1251 form shows as "?".
QString MainWindow::QueryNodeText() const {
    QString description;
    if (!nameMirror->text().isEmpty()) {
        description += tr(", Название: ") + nameMirror->text();
    }
    if (!addressMirror->text().isEmpty()) {
        description += tr(", Адрес: ") + addressMirror->text();
    }
    const QString region = RegionNames().value(regionBox->currentIndex());
    if (!region.isEmpty()) {
        description += tr(", Регион: ") + region;
    }
    if (!dateEdit->text().isEmpty()) {
        description += tr(", Дата: ") + dateMirror->text();
    }
    if (!numberEdit->text().isEmpty()) {
        description += tr(", ИНН: ") + numberMirror->text();
    }
    const QString text = tr("Search for entered data...(") + description.mid(2) + QLatin1Char(')');
    return platform::FromCp1251(platform::ToCp1251(text));
}

void MainWindow::ConnectService() {
    connect(service_, &lookup::QueryService::firmFound, this,
            [this](lookup::QueryId id, const lookup::FirmRecord& firm) {
                resultsPane_->Model().AddRow(NodeOfQuery(id), RowKind::Firm,
                                             platform::FromCp1251(firm.name), firm);
            });
    connect(service_, &lookup::QueryService::queryTextChanged, this,
            [this](lookup::QueryId id, const std::string& text) {
                resultsPane_->Model().SetQueryText(NodeOfQuery(id), platform::FromCp1251(text));
            });
    connect(service_, &lookup::QueryService::messageFound, this, &MainWindow::OnQueryMessage);
    connect(service_, &lookup::QueryService::queryFinished, this, &MainWindow::OnQueryFinished);
    connect(service_, &lookup::QueryService::allFinished, this, &MainWindow::OnAllFinished);
    connect(service_, &lookup::QueryService::probeFinished, this, &MainWindow::OnProbeFinished);
}

lookup::NodeHandle MainWindow::NodeOfQuery(lookup::QueryId id) const {
    return currentRun_ ? currentRun_->NodeOf(id) : 0;
}

namespace {

std::string Cp1251(const QString& text) {
    return platform::ToCp1251(text);
}

}  // namespace

void MainWindow::OnQueryMessage(lookup::QueryId id, const std::string& text,
                                lookup::ServiceMessageKind kind) {
    ResultsModel& model = resultsPane_->Model();
    model.AddRow(NodeOfQuery(id), RowKind::Message, platform::FromCp1251(text));
    // The service refuses every further request today: the lines not yet sent stay
    // unsent, each marked as such.
    if (kind == lookup::ServiceMessageKind::DailyLimit && currentRun_ && currentRun_->listRun()) {
        const QString notChecked = platform::FromCp1251(lookup::kDailyLimitNotCheckedText);
        for (const lookup::QueryId dropped : service_->DropQueued()) {
            model.AddRow(NodeOfQuery(dropped), RowKind::Skipped, notChecked);
            model.SetQueryRunning(NodeOfQuery(dropped), false);
            currentRun_->MarkEnded(dropped);
        }
    }
}

// A failed query shows why under its node; what it delivered before stays.
void MainWindow::OnQueryFinished(lookup::QueryId id, const lookup::QueryOutcome& outcome) {
    if (!currentRun_ || !currentRun_->MarkEnded(id)) {
        return;
    }
    resultsPane_->Model().SetQueryRunning(NodeOfQuery(id), false);
    if (!currentRun_->Done()) {
        ShowProgress();
    }
    if (outcome.error) {
        // The model keeps the text as files write it; the tree shows it translated.
        QString text = ResultsModel::kFailedPrefix + QString::fromStdString(outcome.error->reason);
        const QString hint = ServiceHostHint(serviceRoot_);
        if (!hint.isEmpty()) {
            text += QStringLiteral(". ") + hint;
        }
        // Shown as the tree showed it, through Windows-1251.
        resultsPane_->Model().AddRow(NodeOfQuery(id), RowKind::Failed,
                                     platform::FromCp1251(Cp1251(text)));
    }
    // The firms shown are not all there are: the row says so, and the query keeps the
    // firm icon of what it found.
    if (outcome.listCut) {
        ResultsModel& model = resultsPane_->Model();
        const lookup::NodeHandle node = NodeOfQuery(id);
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
    SetStatus(failed == 0
                  ? tr("Checking completed.")
                  : tr("Checking completed: %1 of %2 queries failed.").arg(failed).arg(total));
}

// The probe runs on the service's thread pool side; the window goes on repainting and
// taking input meanwhile, and `next` runs once the probe has reached the network.
void MainWindow::ProbeThen(std::function<void()> next) {
    SetStatus(tr("Checking internet connection..."));
    lookup::ProbeOptions options;
    options.url = probeUrl_;
    options.proxy = CurrentProxySettings();
    afterProbe_ = std::move(next);
    service_->StartProbe(std::move(options));
}

void MainWindow::OnProbeFinished(const lookup::ProbeResult& result) {
    std::function<void()> next = std::move(afterProbe_);
    afterProbe_ = nullptr;
    if (!result.reachable) {
        EndProgress();
        // A chosen proxy that fails is named, so that the user mends the proxy rather
        // than the connection.
        SetStatus(result.error.kind == lookup::QueryErrorKind::ProxyFailed
                      ? QString::fromStdString(result.error.reason)
                      : tr("No Internet connection..."));
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
    DropRun();
    currentRun_ = NewRun(false);
    lookup::SearchCriteria criteria = TypedCriteria();
    const QString nodeText = QueryNodeText();
    ProbeThen([this, criteria, nodeText] {
        resultsPane_->Clear();
        SetDetailMenuEnabled(true);
        const lookup::NodeHandle node = resultsPane_->Model().AddQuery(nodeText);
        TrackQuery(service_->Enqueue(RequestFor(criteria, nodeText)), node);
        ShowProgress();
    });
}

void MainWindow::DropRun() {
    if (!currentRun_) {
        return;
    }
    for (const lookup::NodeHandle node : currentRun_->RunningNodes()) {
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
        QFileDialog::getOpenFileName(this, QString(), openDialogDir_, tr("Текстовый файл (*.txt)"));
    if (!path.isEmpty()) {
        LoadQueryList(path);
    }
}

// Every non-empty line of the list becomes a query node once the connection is
// known to work; the lookups start at once. The list is read as UTF-8 when it is
// valid UTF-8 and as Windows-1251 otherwise, as the batch tool reads it.
void MainWindow::LoadQueryList(const QString& path) {
    const lookup::ListFile list = lookup::ReadListFile(path);
    if (!list.ok()) {
        throw std::runtime_error(list.error.toStdString());
    }
    openDialogDir_ = QFileInfo(path).absolutePath() + QLatin1Char('/');
    StartBatchSearch(list.lines, lookup::EnabledFileName(path));
}

// One lookup per query row, a number search when the line starts with two digits and
// a name search otherwise; the service runs a bounded number at once. Each line goes
// out converted with the language of transliteration, as the mirrors show a typed
// query.
void MainWindow::StartBatchSearch(const QStringList& lines, const QString& resultFile) {
    if (service_->Probing()) {
        return;
    }
    DropRun();
    currentRun_ = NewRun(true);
    ProbeThen([this, lines, resultFile] {
        resultsPane_->Clear();
        resultFileName = resultFile;
        ResultsModel& model = resultsPane_->Model();
        for (const QString& line : lines) {
            model.AddQuery(line);
        }
        currentRun_->ExpectTotal(model.QueryCount());
        const QString language = requestLanguageBox->currentText();
        QString conversionError;
        for (int row = 0; row < model.QueryCount(); ++row) {
            const lookup::NodeHandle handle = model.HandleOf(row);
            const QString lineText = model.Text(model.QueryIndex(handle));
            translit::Outcome converted = translit::ConvertText(lineText, language);
            if (!converted.ok()) {
                if (conversionError.isEmpty()) {
                    conversionError = converted.error;
                }
                converted.text = lineText;  // the line goes as it is
            }
            const std::string line = Cp1251(converted.text);
            // A number whose check digit does not match can only be "not found":
            // it is not worth one of the day's requests.
            const lookup::ListLineCheck check = lookup::CheckListLine(line);
            if (!check.send()) {
                model.AddRow(handle, RowKind::Skipped,
                             platform::FromCp1251(lookup::CheckDigitMismatchText(check.kind)));
                currentRun_->AddChecked();
                continue;
            }
            TrackQuery(
                service_->Enqueue(RequestFor(lookup::SearchCriteria::ForLine(line), lineText)),
                handle);
        }
        if (service_->Pending() == 0) {
            SetStatus(tr("Checking completed."));
        } else {
            ShowProgress();
        }
        SetDetailMenuEnabled(true);
        if (!conversionError.isEmpty()) {
            ShowMessage(this, conversionError);
        }
    });
}

}  // namespace window
