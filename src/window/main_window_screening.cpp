// Screening in the window: the firms found are screened as they arrive, their rows
// marked, the lists in use named beside the status, and File > "Screening lists..."
// imports lists.
#include <QAction>
#include <QLabel>

#include "archive/check_record.h"
#include "platform/cp1251.h"
#include "window/archive_recording.h"
#include "window/main_window.h"
#include "window/results_model.h"
#include "window/results_pane.h"
#include "window/screening.h"
#include "window/screening_dialog.h"

namespace window {

void MainWindow::BuildScreening(const std::string& index) {
    screening_ = new Screening(this);
    if (!index.empty()) {
        screening_->SetIndexPath(index);
    }
    // A stored check shows the screening it was recorded with, not one against today's
    // lists.
    connect(&resultsPane_->Model(), &ResultsModel::firmStored, this,
            [this](window::NodeHandle query, int child, const lookup::FirmRecord& firm) {
                if (!addingStoredFirms_) {
                    screening_->Add(query, child, firm);
                }
            });
    connect(screening_, &Screening::screened, this,
            [this](window::NodeHandle query, int child, const ScreenMark& mark) {
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
    session_->Recording().SetScreening(screening_);
    connect(&session_->Recording(), &ArchiveRecording::notScreened, this,
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

void MainWindow::OnScreeningListsClicked() {
    auto* dialog = findChild<ScreeningListsDialog*>();
    if (dialog == nullptr) {
        dialog = new ScreeningListsDialog(screening_->indexPath(), this);
        connect(dialog, &ScreeningListsDialog::imported, screening_, &Screening::Reload);
    }
    dialog->show();
    dialog->raise();
}

namespace {

// A match as a record keeps it, back in the form a firm row's mark shows.
screen::Match ShownMatch(const archive::ScreenMatch& kept, const archive::Screening& screening) {
    screen::Match match;
    // A link ("link") keeps what matched as either kind does: a name's "property (form)",
    // or the numbers' "INN", "OGRN", "KPP+INN".
    match.target = kept.kind != "link";
    const bool byNumber = kept.kind == "identifier" ||
                          (kept.kind == "link" && kept.what.find(" (") == std::string::npos);
    match.kind = byNumber ? screen::MatchKind::Identifier : screen::MatchKind::Name;
    match.list = kept.list;
    match.versionNumber = kept.version;
    for (const archive::ScreenedVersion& version : screening.versions) {
        if (version.list == kept.list && version.number == kept.version) {
            match.versionDigest = version.digest;
        }
    }
    match.entityId = kept.entityId;
    match.caption = kept.caption;
    match.schema = kept.schema;
    match.topics = kept.topics;
    // A name match keeps "property (form)": the property never holds " (", the form may.
    match.what = kept.what;
    const std::size_t open = kept.what.find(" (");
    if (match.kind == screen::MatchKind::Name && open != std::string::npos &&
        kept.what.back() == ')') {
        match.what = kept.what.substr(0, open);
        match.how = kept.what.substr(open + 2, kept.what.size() - open - 3);
    }
    match.firmValue = kept.firmValue;
    match.entityValue = kept.entityValue;
    match.score = kept.score;
    return match;
}

}  // namespace

QString MainWindow::ShowStoredScreening(window::NodeHandle node,
                                        const archive::CheckRecord& record) {
    const archive::Screening& screening = record.screening;
    if (!screening.screened) {
        return {};
    }
    for (std::size_t child = 0; child < record.firms.size(); ++child) {
        const lookup::FirmRecord& firm = record.firms[child];
        const std::string name = archive::ToUtf8(firm.name);
        const std::string inn = archive::ToUtf8(firm.inn);
        const std::string ogrn = archive::ToUtf8(firm.ogrn);
        ScreenMark mark;
        for (const archive::ScreenMatch& kept : screening.matches) {
            if (kept.firmName == name && kept.firmInn == inn && kept.firmOgrn == ogrn) {
                mark.matches.push_back(ShownMatch(kept, screening));
                mark.identifier = mark.identifier || screen::ListedByNumber(mark.matches.back());
            }
        }
        if (!mark.matches.empty()) {
            resultsPane_->Model().MarkScreened(node, static_cast<int>(child), std::move(mark));
        }
    }
    QStringList names;
    for (const archive::ScreenedVersion& version : screening.versions) {
        names << tr("%1 version %2").arg(QString::fromStdString(version.list)).arg(version.number);
    }
    return names.isEmpty() ? tr("screened against no list")
                           : tr("screened against %1").arg(names.join(QStringLiteral(", ")));
}

// The report's screening section: every list version screened against with its digest,
// then each firm shown that matched.
QStringList MainWindow::ScreeningReportLines() const {
    QStringList lines;
    if (const archive::CheckRecord* shown = session_->ShownCheck()) {
        // A stored check: the versions it was screened against when it was recorded.
        for (const archive::ScreenedVersion& version : shown->screening.versions) {
            lines << tr("%1 version %2, SHA-256 %3")
                         .arg(QString::fromStdString(version.list))
                         .arg(version.number)
                         .arg(QString::fromStdString(version.digest));
        }
    } else {
        for (const screen::ListVersion& version : screening_->versions()) {
            lines << VersionText(version, true);
        }
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
