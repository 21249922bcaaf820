#include "window/screening_dialog.h"

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QFile>
#include <QFileDialog>
#include <QHeaderView>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <vector>

#include "screen/index.h"
#include "window/background_read.h"
#include "window/screening.h"

namespace window {
namespace {

// The outcome of an import, in the user's words.
QString ImportText(const platform::Result<screen::ImportReport, screen::ImportFailure>& imported) {
    // The texts are marked for the dialog's context where they stand.
    const auto tr = [](const char* text) {
        return QCoreApplication::translate("window::ScreeningListsDialog", text);
    };
    if (!imported) {
        return tr(QT_TRANSLATE_NOOP("window::ScreeningListsDialog", "Not imported: %1"))
            .arg(QString::fromStdString(imported.error().message));
    }
    const screen::ImportReport& report = *imported;
    if (report.unchanged) {
        return tr(QT_TRANSLATE_NOOP(
                      "window::ScreeningListsDialog",
                      "Nothing imported: the newest version of %1 is this file already."))
            .arg(QString::fromStdString(report.version.list));
    }
    QString text = tr(QT_TRANSLATE_NOOP("window::ScreeningListsDialog", "Imported %1."))
                       .arg(VersionText(report.version));
    if (report.skipped > 0) {
        QStringList lines;
        for (const std::int64_t line : report.skippedLines) {
            lines << QString::number(line);
        }
        text += QLatin1Char(' ') + tr(QT_TRANSLATE_NOOP("window::ScreeningListsDialog",
                                                        "%1 malformed lines skipped (lines %2)."))
                                       .arg(report.skipped)
                                       .arg(lines.join(QStringLiteral(", ")));
    }
    return text;
}

}  // namespace

ScreeningListsDialog::ScreeningListsDialog(std::string indexPath, QWidget* parent)
    : QDialog(parent), indexPath_(std::move(indexPath)) {
    setObjectName(QStringLiteral("screeningListsDialog"));
    setWindowTitle(tr("Screening lists"));
    pool_.setMaxThreadCount(1);
    auto* layout = new QVBoxLayout(this);
    auto* where =
        new QLabel(tr("Screening index: %1").arg(QString::fromStdString(indexPath_)), this);
    where->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(where);
    versionList = new QTreeWidget(this);
    versionList->setObjectName(QStringLiteral("versionList"));
    versionList->setRootIsDecorated(false);
    versionList->setHeaderLabels(
        {tr("List"), tr("Version"), tr("Entities"), tr("Imported"), tr("SHA-256")});
    versionList->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    layout->addWidget(versionList, 1);
    importProgress = new QProgressBar(this);
    importProgress->setObjectName(QStringLiteral("importProgress"));
    importProgress->setRange(0, 0);  // an import tells no steps: it runs
    importProgress->hide();
    layout->addWidget(importProgress);
    importOutcome = new QLabel(this);
    importOutcome->setObjectName(QStringLiteral("importOutcome"));
    importOutcome->setWordWrap(true);
    importOutcome->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(importOutcome);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    importButton = buttons->addButton(tr("Import..."), QDialogButtonBox::ActionRole);
    importButton->setObjectName(QStringLiteral("importButton"));
    connect(importButton, &QPushButton::clicked, this, &ScreeningListsDialog::OnImportClicked);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    resize(760, 320);
    ReadVersions();
}

ScreeningListsDialog::~ScreeningListsDialog() {
    pool_.waitForDone();
}

QString ScreeningListsDialog::OutcomeText() const {
    return importOutcome->text();
}

void ScreeningListsDialog::OnImportClicked() {
    const QString path = QFileDialog::getOpenFileName(
        this, tr("Import a screening list"), QString(),
        tr("Screening lists (*.json *.jsonl *.ndjson *.csv);;All files (*)"));
    if (!path.isEmpty()) {
        ImportFile(path);
    }
}

void ScreeningListsDialog::ImportFile(const QString& path) {
    if (importing_) {
        return;
    }
    importing_ = true;
    importButton->setEnabled(false);
    importProgress->show();
    importOutcome->setText(tr("Importing %1...").arg(path));
    struct Imported {
        QString text;
        bool stored = false;
    };
    ReadInBackground<Imported>(
        pool_, this,
        [indexPath = indexPath_, file = QFile::encodeName(path).toStdString()] {
            screen::Index index;
            const platform::Status opened = index.Open(indexPath, screen::Index::Access::ReadWrite);
            const platform::Result<screen::ImportReport, screen::ImportFailure> imported =
                opened ? index.Import(file, screen::ImportOptions{})
                       : platform::Failure(screen::ImportFailure{
                             screen::ImportStatus::Failed, opened.error(), {}});
            return Imported{ImportText(imported), imported && !imported->unchanged};
        },
        [this](Imported outcome) {
            importing_ = false;
            importButton->setEnabled(true);
            importProgress->hide();
            importOutcome->setText(outcome.text);
            if (outcome.stored) {
                ReadVersions();
                emit imported();
            }
        });
}

void ScreeningListsDialog::ReadVersions() {
    using Versions = platform::Result<std::vector<screen::ListVersion>>;
    ReadInBackground<Versions>(
        pool_, this,
        [indexPath = indexPath_] {
            if (!QFile::exists(QString::fromStdString(indexPath))) {
                return Versions(std::vector<screen::ListVersion>());
            }
            screen::Index index;
            const platform::Status opened = index.Open(indexPath, screen::Index::Access::ReadOnly);
            if (!opened) {
                return Versions(platform::Failure(opened.error()));
            }
            return index.Versions();
        },
        [this](Versions read) {
            versionList->clear();
            const std::vector<screen::ListVersion> none;
            for (const screen::ListVersion& version : read ? *read : none) {
                auto* item = new QTreeWidgetItem(
                    versionList,
                    {QString::fromStdString(version.list), QString::number(version.number),
                     QString::number(version.entities), QString::fromStdString(version.importedAt),
                     QString::fromStdString(version.digest)});
                item->setToolTip(0, QString::fromStdString(version.source));
            }
            if (!read && importOutcome->text().isEmpty()) {
                importOutcome->setText(QString::fromStdString(read.error()));
            }
        });
}

}  // namespace window
