// The window's lookup archive: recording every query it ends, the History panel, the
// archive search, stored checks shown "as of" their date, "Check again" and the PDF
// report of the check shown.
#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QStyle>
#include <QTreeView>
#include <algorithm>
#include <map>
#include <memory>
#include <stdexcept>

#include "archive/archive_db.h"
#include "pages/records.h"
#include "platform/cp1251.h"
#include "window/application.h"
#include "window/archive_recording.h"
#include "window/archive_search.h"
#include "window/file_dialogs.h"
#include "window/history_panel.h"
#include "window/main_window.h"
#include "window/message_box.h"
#include "window/query_entry.h"
#include "window/report_pdf.h"
#include "window/report_writer.h"
#include "window/results_model.h"
#include "window/results_pane.h"

namespace window {
namespace {

QString CriteriaText(const lookup::SearchCriteria& criteria) {
    QStringList parts;
    const auto add = [&parts](const QString& caption, const platform::Cp1251String& value) {
        if (!value.empty()) {
            parts << caption + QStringLiteral(": ") + value.ToText();
        }
    };
    add(MainWindow::tr("name"), criteria.name);
    add(MainWindow::tr("address"), criteria.address);
    add(MainWindow::tr("region"), criteria.region);
    add(MainWindow::tr("registration date"), criteria.date);
    add(MainWindow::tr("INN/OGRN"), criteria.number);
    return parts.join(QStringLiteral("; "));
}

// What tells a changed firm's row: its OGRN, else its INN, else its name (UTF-8).
std::string ChangeKey(const std::string& ogrn, const std::string& inn, const std::string& name) {
    if (!ogrn.empty()) {
        return "o" + ogrn;
    }
    if (!inn.empty()) {
        return "i" + inn;
    }
    return "n" + name;
}

// Per firm, what changed; its note reads "Changed since the check of DATE: field: old →
// new; ..." or "New since the check of DATE".
std::map<std::string, FirmChangeMark> ChangeMarks(const std::vector<archive::FirmChange>& changes,
                                                  const QIcon& icon) {
    std::map<std::string, FirmChangeMark> marks;
    std::map<std::string, QStringList> fields;
    for (const archive::FirmChange& c : changes) {
        const std::string key = ChangeKey(c.ogrn, c.inn, c.name);
        FirmChangeMark& mark = marks[key];
        mark.since = LocalTimeOf(c.oldDate);
        mark.icon = icon;
        if (c.kind == archive::ChangeKind::Added) {
            mark.added = true;
            continue;
        }
        const QString earlier = QString::fromStdString(c.oldValue);
        const int field = archive::FirmColumnIndex(c.field);
        // Named by the caption the detail list shows, in the user's language.
        const QString caption =
            field >= 0 && field < static_cast<int>(lookup::FirmFields().size())
                ? QCoreApplication::translate(
                      "FirmField",
                      lookup::FirmFields()[static_cast<std::size_t>(field)].russianCaption)
                : QString::fromStdString(c.field);
        fields[key] << caption + QStringLiteral(": ") + earlier + QStringLiteral(" → ") +
                           QString::fromStdString(c.newValue);
        if (field >= 0) {
            mark.earlier.emplace_back(field, earlier);
        }
    }
    for (auto& [key, mark] : marks) {
        std::sort(mark.earlier.begin(), mark.earlier.end(),
                  [](const auto& a, const auto& b) { return a.first < b.first; });
        mark.note = mark.added ? MainWindow::tr("New since the check of %1").arg(mark.since)
                               : MainWindow::tr("Changed since the check of %1: %2")
                                     .arg(mark.since, fields[key].join(QStringLiteral("; ")));
    }
    return marks;
}

}  // namespace

void MainWindow::MarkChanges(lookup::QueryId id, const std::vector<archive::FirmChange>& changes) {
    const window::NodeHandle node = session_->NodeOf(id);
    ResultsModel& model = resultsPane_->Model();
    const QModelIndex query = model.QueryIndex(node);
    if (!query.isValid()) {
        return;
    }
    const std::map<std::string, FirmChangeMark> marks =
        ChangeMarks(changes, style()->standardIcon(QStyle::SP_MessageBoxWarning));
    for (int row = 0; row < model.rowCount(query); ++row) {
        const lookup::FirmRecord* firm = model.Record(model.index(row, 0, query));
        if (firm == nullptr) {
            continue;
        }
        const auto mark = marks.find(ChangeKey(firm->ogrn, firm->inn, archive::ToUtf8(firm->name)));
        if (mark != marks.end()) {
            model.MarkChanged(node, row, mark->second);
        }
    }
}

void MainWindow::BuildArchive() {
    ConnectRecording();
    BuildHistory();
    BuildArchiveMenu();
    connect(&session_->Reports(), &ReportWriter::finished, this, &MainWindow::OnReportFinished);
}

void MainWindow::ConnectRecording() {
    ArchiveRecording& recording = session_->Recording();
    connect(&recording, &ArchiveRecording::failed, this,
            [this](const QString& message) { SetStatus(tr("Not recorded: %1").arg(message)); });
    // Checks waiting for a locked archive are said beside the status, so that the
    // progress of a run does not hide them, until the next search after they are in.
    connect(&recording, &ArchiveRecording::waiting, this, [this](int count) {
        recordingLabel->setText(
            tr("%1 checks wait to be recorded: another program holds the archive locked")
                .arg(count));
        recordingLabel->setToolTip(QString::fromStdString(session_->Recording().path()));
        recordingLabel->show();
        recordsWaiting_ = true;
    });
    connect(&recording, &ArchiveRecording::caughtUp, this, [this](int count) {
        recordingLabel->setText(tr("%1 checks that waited are recorded now").arg(count));
        recordsWaiting_ = false;
    });
    // Created below, before the first record can be written.
    connect(&recording, &ArchiveRecording::recorded, this,
            [this] { historyPanel_->ArchiveChanged(); });
    recording.SetChangesHandler(
        [this](lookup::QueryId id, const std::vector<archive::FirmChange>& changes) {
            MarkChanges(id, changes);
        });
    // A changed firm's details: what changed and since when, in the status line.
    connect(resultsPane_->Tree()->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current) {
                const QString note = current.data(kChangedRole).toString();
                if (!note.isEmpty()) {
                    SetStatus(note);
                }
            });
}

void MainWindow::BuildHistory() {
    historyPanel_ = new HistoryPanel(session_->Recording().path(), this);
    addDockWidget(Qt::RightDockWidgetArea, historyPanel_);
    historyPanel_->hide();
    connect(historyPanel_, &HistoryPanel::openRequested, this,
            [this](qint64 id) { Guarded(this, [this, id] { OpenStoredCheck(id); }); });
    connect(historyPanel_, &HistoryPanel::checkAgainRequested, this,
            [this](qint64 id) { Guarded(this, [this, id] { CheckAgain(id); }); });
}

void MainWindow::BuildArchiveMenu() {
    QMenu* archiveMenu = new QMenu(tr("&Archive"), this);
    archiveMenu->setObjectName(QStringLiteral("archiveMenu"));
    QAction* history =
        AddAction(archiveMenu, "historyAction", tr("History"), &MainWindow::OnHistoryClicked);
    history->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_H));
    history->setCheckable(true);
    // The panel itself, not the window: the dock says it hides while the window is
    // being destroyed, when the window's members are gone.
    connect(historyPanel_, &QDockWidget::visibilityChanged, history,
            [panel = historyPanel_, history] { history->setChecked(panel->isVisible()); });
    AddAction(archiveMenu, "archiveSearchAction", tr("Search the archive..."),
              &MainWindow::OnArchiveSearchClicked)
        ->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_F));
    exportReportAction = AddAction(archiveMenu, "exportReportAction", tr("Export report..."),
                                   &MainWindow::OnExportReportClicked);
    QMenu* help = menuBar()->findChild<QMenu*>(QStringLiteral("helpMenu"));
    if (help != nullptr) {
        menuBar()->insertMenu(help->menuAction(), archiveMenu);
    } else {
        menuBar()->addMenu(archiveMenu);
    }
}

// Shows the panel, read afresh, or hides it when it is open.
void MainWindow::OnHistoryClicked() {
    if (historyPanel_->isVisible()) {
        historyPanel_->hide();
        return;
    }
    historyPanel_->show();
    historyPanel_->raise();
    historyPanel_->Reload();
}

void MainWindow::OnOpenInHistoryClicked() {
    const archive::CheckRecord* shown = session_->ShownCheck();
    if (shown == nullptr) {
        return;
    }
    historyPanel_->show();
    historyPanel_->raise();
    historyPanel_->Select(shown->id);
}

void MainWindow::OnArchiveSearchClicked() {
    if (archiveSearch_ == nullptr) {
        archiveSearch_ = new ArchiveSearchDialog(session_->Recording().path(), this);
        connect(archiveSearch_, &ArchiveSearchDialog::openRequested, this,
                [this](qint64 id, const QString& ogrn, const QString& inn) {
                    Guarded(this, [this, id, ogrn, inn] { OpenStoredFirm(id, ogrn, inn); });
                });
    }
    archiveSearch_->show();
    archiveSearch_->raise();
}

void MainWindow::OpenStoredCheck(qint64 checkId) {
    session_->ReadStoredCheckThen(checkId, [this](std::shared_ptr<archive::CheckRecord> record) {
        ShowStoredCheck(std::move(record));
    });
}

void MainWindow::OpenStoredFirm(qint64 checkId, const QString& ogrn, const QString& inn) {
    session_->ReadStoredCheckThen(checkId,
                                  [this, ogrn, inn](std::shared_ptr<archive::CheckRecord> record) {
                                      ShowStoredCheck(std::move(record));
                                      SelectStoredFirm(ogrn, inn);
                                      raise();
                                      activateWindow();
                                  });
}

void MainWindow::SelectStoredFirm(const QString& ogrn, const QString& inn) {
    ResultsModel& model = resultsPane_->Model();
    const QModelIndex query = model.index(0, 0);
    QModelIndex found;
    for (int row = 0; row < model.rowCount(query); ++row) {
        const QModelIndex index = model.index(row, 0, query);
        const lookup::FirmRecord* firm = model.Record(index);
        if (firm == nullptr) {
            continue;
        }
        if (!ogrn.isEmpty() && QString::fromStdString(firm->ogrn) == ogrn) {
            found = index;
            break;
        }
        if (!found.isValid() && !inn.isEmpty() && QString::fromStdString(firm->inn) == inn) {
            found = index;
        }
    }
    if (found.isValid()) {
        QTreeView* tree = resultsPane_->Tree();
        tree->expand(query);
        tree->selectionModel()->setCurrentIndex(
            found, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        tree->scrollTo(found);
    }
}

// The stored check in the results, its query row marked with its date; no request.
void MainWindow::ShowStoredCheck(std::shared_ptr<archive::CheckRecord> record) {
    ClearResults();
    ResultsModel& model = resultsPane_->Model();
    const QString when = LocalTimeOf(record->checkedAt);
    const window::NodeHandle node =
        model.AddQuery(tr("%1 (as of %2)").arg(QString::fromStdString(record->typed), when));
    // Told to the views in one step, however many firms the check holds.
    addingStoredFirms_ = true;
    for (const lookup::FirmRecord& firm : record->firms) {
        model.AddHeldFirm(node, platform::FromCp1251(firm.name), firm);
    }
    addingStoredFirms_ = false;
    const QString message = QString::fromStdString(record->message);
    switch (record->outcome) {
        case archive::Outcome::Firms:
            break;
        case archive::Outcome::Message:
            model.AddRow(node, RowKind::Message, message);
            break;
        case archive::Outcome::Failed:
            model.AddRow(node, RowKind::Failed, ResultsModel::kFailedPrefix + message);
            break;
        case archive::Outcome::Skipped:
        case archive::Outcome::Unchecked:
            model.AddRow(node, RowKind::Skipped, message);
            break;
    }
    model.ShowHeldRows();
    const QString screened = ShowStoredScreening(node, *record);
    SetDetailMenuEnabled(true);
    SetStatus(screened.isEmpty() ? tr("Stored check of %1.").arg(when)
                                 : tr("Stored check of %1, %2.").arg(when, screened));
    record->firms.clear();
    record->firms.shrink_to_fit();
    session_->SetShownCheck(std::move(record));
}

void MainWindow::CheckAgain(qint64 checkId) {
    session_->ReadStoredCheckThen(checkId, [this](std::shared_ptr<archive::CheckRecord> record) {
        if (!session_->Probing()) {
            session_->StartSearch(record->criteria, QString::fromStdString(record->typed),
                                  requestLanguageBox->currentText());
        }
    });
}

void MainWindow::OnExportReportClicked() {
    if (session_->Reports().busy()) {
        SetStatus(tr("A report is still being written; export again once it is done."));
        return;
    }
    const QString path = AskSaveFile(this, tr("Export report..."), openDialogDir_,
                                     QStringLiteral("report.pdf"), tr("PDF document (*.pdf)"));
    if (!path.isEmpty()) {
        ExportReportTo(path);
    }
}

// The report of what the results show: a stored check opened from the archive, or the
// query last recorded, whose digest the report's thread reads back once its record is written.
void MainWindow::ExportReportTo(const QString& path) {
    if (session_->Reports().busy()) {
        SetStatus(tr("A report is still being written; export again once it is done."));
        return;
    }
    auto job = std::make_unique<ReportJob>();
    job->path = path;
    ReportContent& content = job->content;
    content.rows = resultsPane_->ExportRows();
    content.convertedCaptions = resultsPane_->ConvertedCaptions();
    content.language = paneLanguageBox->currentText();
    const archive::CheckRecord* check = session_->ShownCheck();
    if (check != nullptr) {
        job->stored = *check;
    }
    job->tsaCaFile = QFile::encodeName(Setting(QStringLiteral("TsaCaFile"))).toStdString();
    const ArchiveRecording& recording = session_->Recording();
    if (check == nullptr && !recording.path().empty() && recording.lastRecorded()) {
        job->recorded = recording.lastRecorded();
        check = &*job->recorded;
    }
    if (check != nullptr) {
        content.checkedAt = LocalTimeOf(check->checkedAt) + QStringLiteral(" (") +
                            QString::fromStdString(check->checkedAt) + QLatin1Char(')');
        content.service = QString::fromStdString(check->service);
        content.criteria = QString::fromStdString(check->typed) + QStringLiteral(" — ") +
                           CriteriaText(check->criteria);
        content.digest = QString::fromStdString(check->digest);
    } else {
        content.checkedAt = QDateTime::currentDateTime().toString(Qt::ISODate);
        content.service = QString::fromStdString(session_->ServiceRoot());
        content.criteria = queryEntry_->QueryNodeText();
    }
    content.screening = ScreeningReportLines();
    job->KeepFirms();
    session_->Reports().Start(std::move(job));
    exportReportAction->setEnabled(false);
    SetStatus(tr("The report is being written to %1...").arg(QDir::toNativeSeparators(path)));
}

void MainWindow::OnReportFinished(const QString& path, const QString& error) {
    exportReportAction->setEnabled(true);
    if (!error.isEmpty()) {
        SetStatus(error);
        ShowErrorReport(this, error);
        return;
    }
    SetStatus(tr("Report written to %1").arg(QDir::toNativeSeparators(path)));
}

}  // namespace window
