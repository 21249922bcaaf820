#include "window/archive_search.h"

#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "platform/cp1251.h"
#include "window/background_read.h"
#include "window/history_panel.h"

namespace window {
namespace {

constexpr int kCheckRole = Qt::UserRole + 1;

}  // namespace

ArchiveSearchDialog::ArchiveSearchDialog(std::string archivePath, QWidget* parent)
    : QDialog(parent), path_(std::move(archivePath)) {
    setObjectName(QStringLiteral("archiveSearchDialog"));
    setWindowTitle(tr("Search the archive"));
    pool_.setMaxThreadCount(1);
    auto* layout = new QVBoxLayout(this);
    box_ = new QLineEdit(this);
    box_->setObjectName(QStringLiteral("archiveSearchBox"));
    box_->setPlaceholderText(tr("Name, INN or OGRN"));
    box_->setClearButtonEnabled(true);
    layout->addWidget(box_);
    list_ = new QTreeWidget(this);
    list_->setObjectName(QStringLiteral("archiveSearchList"));
    list_->setRootIsDecorated(false);
    list_->setUniformRowHeights(true);
    list_->setHeaderLabels({tr("Name"), tr("INN"), tr("OGRN"), tr("Last seen"), tr("Query")});
    list_->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    list_->header()->setStretchLastSection(false);
    layout->addWidget(list_);
    resize(760, 420);
    connect(box_, &QLineEdit::textChanged, this, &ArchiveSearchDialog::Search);
    // The dialog steps aside for the firm it opens.
    connect(list_, &QTreeWidget::itemActivated, this, [this](QTreeWidgetItem* item) {
        const qint64 id = item->data(0, kCheckRole).toLongLong();
        const QString ogrn = item->text(2);
        const QString inn = item->text(1);
        hide();
        emit openRequested(id, ogrn, inn);
    });
}

ArchiveSearchDialog::~ArchiveSearchDialog() {
    pool_.clear();
    pool_.waitForDone();
}

void ArchiveSearchDialog::Search(const QString& text) {
    if (box_->text() != text) {
        box_->setText(text);  // comes back here through textChanged
        return;
    }
    const int generation = ++generation_;
    list_->clear();
    const std::string words = text.trimmed().toStdString();
    if (words.empty() || path_.empty()) {
        searching_ = false;
        return;
    }
    searching_ = true;
    ReadInBackground<Found>(
        pool_, this,
        [path = path_, words] {
            archive::Archive archive;
            const platform::Status opened = archive.Open(path, archive::Archive::Access::ReadOnly);
            if (!opened) {
                return Found(platform::Failure(opened.error()));
            }
            return archive.Search(words, kArchiveSearchLimit);
        },
        [this, generation](Found found) { Show(generation, found); });
}

void ArchiveSearchDialog::Show(int generation, const Found& found) {
    if (generation != generation_) {
        return;
    }
    searching_ = false;
    list_->setToolTip(found ? QString() : QString::fromStdString(found.error()));
    const std::vector<archive::FoundFirm> none;
    QList<QTreeWidgetItem*> items;
    for (const archive::FoundFirm& f : found ? *found : none) {
        auto* item = new QTreeWidgetItem(
            QStringList{platform::FromCp1251(f.firm.name), QString::fromStdString(f.firm.inn),
                        QString::fromStdString(f.firm.ogrn), LocalTimeOf(f.checkedAt),
                        QString::fromStdString(f.typed)});
        item->setData(0, kCheckRole, static_cast<qlonglong>(f.checkId));
        items.append(item);
    }
    list_->addTopLevelItems(items);
    // The number columns take their content's width when the first firms show; widths
    // the user sets afterwards stay.
    if (!fitted_ && !items.isEmpty()) {
        fitted_ = true;
        list_->resizeColumnToContents(1);
        list_->resizeColumnToContents(2);
    }
}

}  // namespace window
