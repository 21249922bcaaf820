// Screening in the window: the firms found are screened as they arrive, their rows
// marked, the lists in use named beside the status, and File > "Screening lists..."
// imports lists.
#include <QAction>
#include <QLabel>

#include "platform/cp1251.h"
#include "window/archive_recording.h"
#include "window/main_window.h"
#include "window/results_model.h"
#include "window/results_pane.h"
#include "window/screening.h"
#include "window/screening_dialog.h"

namespace window {

void MainWindow::BuildScreening() {
    screening_ = new Screening(this);
    connect(&resultsPane_->Model(), &ResultsModel::firmStored, screening_, &Screening::Add);
    connect(screening_, &Screening::screened, this,
            [this](lookup::NodeHandle query, int child, const ScreenMark& mark) {
                resultsPane_->Model().MarkScreened(query, child, mark);
            });
    connect(screening_, &Screening::loaded, this, [this](const QString& error) {
        screeningLabel->setText(ScreeningNote(error));
        screeningLabel->setToolTip(screeningLabel->text());
    });
    // A threshold the setting does not give as a number in (0, 1] leaves the default.
    bool number = false;
    const double threshold = Setting(QStringLiteral("ScreenThreshold")).toDouble(&number);
    if (number && threshold > 0 && threshold <= 1) {
        screening_->SetThreshold(threshold);
    }
    screening_->Reload();
    archiveRecording_->SetScreening(screening_);
    connect(archiveRecording_, &ArchiveRecording::notScreened, this,
            [this](const QString& why) { SetStatus(tr("Recorded unscreened: %1").arg(why)); });
}

QString MainWindow::ScreeningNote(const QString& error) const {
    if (!error.isEmpty()) {
        return tr("Screening: %1").arg(error);
    }
    const std::vector<screen::ListVersion>& versions = screening_->versions();
    if (versions.empty()) {
        return tr("Screening: no list loaded");
    }
    QStringList names;
    for (const screen::ListVersion& version : versions) {
        names << tr("%1 version %2").arg(QString::fromStdString(version.list)).arg(version.number);
    }
    return tr("Screening: %1").arg(names.join(QStringLiteral(", ")));
}

void MainWindow::UseScreeningIndex(const std::string& path) {
    screening_->SetIndexPath(path);
    screening_->Reload();
}

ScreeningListsDialog* MainWindow::OnScreeningListsClicked() {
    auto* dialog = findChild<ScreeningListsDialog*>();
    if (dialog == nullptr) {
        dialog = new ScreeningListsDialog(screening_->indexPath(), this);
        connect(dialog, &ScreeningListsDialog::imported, screening_, &Screening::Reload);
    }
    dialog->show();
    dialog->raise();
    return dialog;
}

// The report's screening section: every list version in use with its digest, then each
// firm shown that matched.
QStringList MainWindow::ScreeningReportLines() const {
    QStringList lines;
    for (const screen::ListVersion& version : screening_->versions()) {
        lines << VersionText(version, true);
    }
    if (lines.isEmpty()) {
        return lines;
    }
    for (const auto& [firm, mark] : resultsPane_->Model().ScreenedFirms()) {
        for (const screen::Match& match : mark->matches) {
            lines << tr("%1 (INN %2): %3 version %4, %5 (%6): %7")
                         .arg(platform::FromCp1251(firm->name), QString::fromStdString(firm->inn),
                              QString::fromStdString(match.list))
                         .arg(match.versionNumber)
                         .arg(QString::fromStdString(match.caption),
                              QString::fromStdString(match.entityId),
                              QString::fromStdString(screen::DescribeMatch(match)));
        }
    }
    return lines;
}

}  // namespace window
