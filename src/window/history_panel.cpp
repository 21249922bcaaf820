#include "window/history_panel.h"

#include <QDateTime>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "window/results_model.h"

namespace window {
namespace {

constexpr int kIdRole = Qt::UserRole + 1;

}  // namespace

archive::HistoryFilter HistoryFilterOf(const QString& text, const QString& from,
                                       const QString& to) {
    archive::HistoryFilter filter;
    const QString trimmed = text.trimmed();
    static const QRegularExpression digits(QStringLiteral("^[0-9]+$"));
    if (digits.match(trimmed).hasMatch()) {
        filter.number = trimmed.toStdString();
    } else {
        filter.text = trimmed.toStdString();
    }
    filter.from = from.trimmed().toStdString();
    filter.to = to.trimmed().toStdString();
    if (!filter.to.empty() && filter.to.size() == 10) {
        filter.to += "T23:59:59Z";  // the whole of the last day
    }
    filter.limit = kHistoryPageSize;
    return filter;
}

QString LocalTimeOf(const std::string& checkedAt) {
    QDateTime time = QDateTime::fromString(QString::fromStdString(checkedAt), Qt::ISODate);
    if (!time.isValid()) {
        return QString::fromStdString(checkedAt);
    }
    return time.toLocalTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
}

QString OutcomeText(const archive::CheckSummary& check) {
    const QString message = TranslatedMessage(QString::fromStdString(check.message));
    switch (check.outcome) {
        case archive::Outcome::Firms:
            return HistoryPanel::tr("Firms found");
        case archive::Outcome::Message:
            return message;
        case archive::Outcome::Failed:
            return HistoryPanel::tr("Failed: %1").arg(message);
        case archive::Outcome::Skipped:
            return HistoryPanel::tr("Not sent: %1").arg(message);
        case archive::Outcome::Unchecked:
            return HistoryPanel::tr("Not checked (daily limit)");
    }
    return message;
}

HistoryPanel::HistoryPanel(std::string archivePath, QWidget* parent)
    : QDockWidget(tr("History"), parent), path_(std::move(archivePath)) {
    setObjectName(QStringLiteral("historyPanel"));
    pool_.setMaxThreadCount(1);  // pages arrive in the order asked for
    BuildBody();
    ConnectControls();
}

void HistoryPanel::BuildBody() {
    auto* body = new QWidget(this);
    auto* layout = new QVBoxLayout(body);
    auto* filters = new QHBoxLayout;
    filter_ = new QLineEdit(body);
    filter_->setObjectName(QStringLiteral("historyFilter"));
    filter_->setPlaceholderText(tr("Text, INN or OGRN"));
    filter_->setClearButtonEnabled(true);
    from_ = new QLineEdit(body);
    from_->setObjectName(QStringLiteral("historyFrom"));
    from_->setPlaceholderText(tr("from YYYY-MM-DD"));
    to_ = new QLineEdit(body);
    to_->setObjectName(QStringLiteral("historyTo"));
    to_->setPlaceholderText(tr("to YYYY-MM-DD"));
    filters->addWidget(filter_, 2);
    filters->addWidget(from_, 1);
    filters->addWidget(to_, 1);
    layout->addLayout(filters);

    list_ = new QTreeWidget(body);
    list_->setObjectName(QStringLiteral("historyList"));
    list_->setRootIsDecorated(false);
    list_->setUniformRowHeights(true);
    list_->setHeaderLabels({tr("Time"), tr("Criteria"), tr("Outcome"), tr("Firms")});
    list_->header()->setStretchLastSection(false);
    list_->header()->setSectionResizeMode(1, QHeaderView::Stretch);
    layout->addWidget(list_);

    auto* buttons = new QHBoxLayout;
    open_ = new QPushButton(tr("Open"), body);
    open_->setObjectName(QStringLiteral("historyOpenButton"));
    again_ = new QPushButton(tr("Check again"), body);
    again_->setObjectName(QStringLiteral("historyCheckAgainButton"));
    buttons->addStretch(1);
    buttons->addWidget(open_);
    buttons->addWidget(again_);
    layout->addLayout(buttons);
    setWidget(body);
}

void HistoryPanel::ConnectControls() {
    for (QLineEdit* edit : {filter_, from_, to_}) {
        connect(edit, &QLineEdit::returnPressed, this, &HistoryPanel::Reload);
    }
    connect(filter_, &QLineEdit::textChanged, this, &HistoryPanel::Reload);
    connect(list_, &QTreeWidget::itemActivated, this, [this](QTreeWidgetItem* item) {
        emit openRequested(item->data(0, kIdRole).toLongLong());
    });
    connect(open_, &QPushButton::clicked, this, [this] {
        if (const qint64 id = CurrentId(); id != 0) {
            emit openRequested(id);
        }
    });
    connect(again_, &QPushButton::clicked, this, [this] {
        if (const qint64 id = CurrentId(); id != 0) {
            emit checkAgainRequested(id);
        }
    });
    connect(list_->verticalScrollBar(), &QScrollBar::valueChanged, this,
            &HistoryPanel::MaybeLoadMore);
    connect(list_->verticalScrollBar(), &QScrollBar::rangeChanged, this,
            &HistoryPanel::MaybeLoadMore);
}

HistoryPanel::~HistoryPanel() {
    pool_.clear();
    pool_.waitForDone();
}

void HistoryPanel::showEvent(QShowEvent* event) {
    QDockWidget::showEvent(event);
    if (!loaded_) {
        Reload();
    }
}

int HistoryPanel::shownCount() const {
    return list_->topLevelItemCount();
}

qint64 HistoryPanel::CurrentId() const {
    const QTreeWidgetItem* item = list_->currentItem();
    return item == nullptr ? 0 : item->data(0, kIdRole).toLongLong();
}

void HistoryPanel::Reload() {
    loaded_ = true;
    ++generation_;
    list_->clear();
    complete_ = false;
    lastId_ = 0;
    firstId_ = 0;
    newerWanted_ = false;
    loading_ = false;
    if (path_.empty()) {
        setWindowTitle(tr("History (nothing is recorded)"));
        complete_ = true;
        return;
    }
    LoadPage(0);
}

namespace {

// One page of the history from the archive at path, or why it cannot be read.
HistoryPage ReadHistory(const std::string& path, const archive::HistoryFilter& filter) {
    archive::Archive archive;
    const platform::Status opened = archive.Open(path, archive::Archive::Access::ReadOnly);
    if (!opened) {
        return platform::Failure(opened.error());
    }
    return archive.List(filter);
}

}  // namespace

void HistoryPanel::LoadPage(std::int64_t beforeId) {
    loading_ = true;
    archive::HistoryFilter filter = HistoryFilterOf(filter_->text(), from_->text(), to_->text());
    filter.beforeId = beforeId;
    const int generation = generation_;
    ReadInBackground<HistoryPage>(
        pool_, this, [path = path_, filter] { return ReadHistory(path, filter); },
        [this, generation](HistoryPage page) { ShowPage(generation, std::move(page)); });
}

void HistoryPanel::ShowPage(int generation, HistoryPage page) {
    if (generation != generation_) {
        return;
    }
    loading_ = false;
    if (!page) {
        complete_ = true;
        setToolTip(QString::fromStdString(page.error()));
        return;
    }
    const std::vector<archive::CheckSummary>& checks = *page;
    QList<QTreeWidgetItem*> items;
    items.reserve(static_cast<qsizetype>(checks.size()));
    for (const archive::CheckSummary& check : checks) {
        items.append(ItemOf(check));
        lastId_ = check.id;
        firstId_ = std::max(firstId_, check.id);
    }
    list_->addTopLevelItems(items);
    FitColumnsOnce();
    SelectWanted();
    complete_ = static_cast<int>(checks.size()) < kHistoryPageSize;
    if (newerWanted_) {
        ArchiveChanged();
    }
    // The next page follows once the list has laid the rows out and is scrolled to
    // its end (the scroll bar's range and value changes).
}

// The time and count columns take their content's width when the first entries show;
// widths the user sets afterwards stay.
void HistoryPanel::FitColumnsOnce() {
    if (fitted_ || list_->topLevelItemCount() == 0) {
        return;
    }
    fitted_ = true;
    list_->resizeColumnToContents(0);
    list_->resizeColumnToContents(3);
}

QTreeWidgetItem* HistoryPanel::ItemOf(const archive::CheckSummary& check) const {
    auto* item = new QTreeWidgetItem(
        QStringList{LocalTimeOf(check.checkedAt), QString::fromStdString(check.typed),
                    OutcomeText(check), QString::number(check.firmCount)});
    item->setData(0, kIdRole, static_cast<qlonglong>(check.id));
    item->setTextAlignment(3, Qt::AlignRight | Qt::AlignVCenter);
    return item;
}

void HistoryPanel::Select(qint64 checkId) {
    selectWanted_ = checkId;
    for (QLineEdit* edit : {filter_, from_, to_}) {
        const QSignalBlocker quiet(edit);
        edit->clear();
    }
    Reload();
}

void HistoryPanel::SelectWanted() {
    if (selectWanted_ == 0) {
        return;
    }
    for (int row = 0; row < list_->topLevelItemCount(); ++row) {
        QTreeWidgetItem* item = list_->topLevelItem(row);
        if (item->data(0, kIdRole).toLongLong() == selectWanted_) {
            selectWanted_ = 0;
            list_->setCurrentItem(item);
            list_->scrollToItem(item);
            list_->setFocus();
            return;
        }
    }
}

void HistoryPanel::ArchiveChanged() {
    if (!isVisible() || path_.empty()) {
        loaded_ = false;  // read afresh when shown
        return;
    }
    if (loading_) {
        newerWanted_ = true;  // once the page under way is shown
        return;
    }
    newerWanted_ = false;
    loading_ = true;
    const archive::HistoryFilter filter =
        HistoryFilterOf(filter_->text(), from_->text(), to_->text());
    const int generation = generation_;
    ReadInBackground<HistoryPage>(
        pool_, this, [path = path_, filter] { return ReadHistory(path, filter); },
        [this, generation](HistoryPage page) { ShowNewer(generation, std::move(page)); });
}

// The checks newer than the newest shown go on top; a whole page of them leaves a gap
// between them and the rows shown, so the list is read afresh instead.
void HistoryPanel::ShowNewer(int generation, HistoryPage page) {
    if (generation != generation_) {
        return;
    }
    loading_ = false;
    // Newer checks that cannot be read are left for the next change to bring.
    const std::vector<archive::CheckSummary> none;
    const std::vector<archive::CheckSummary>& checks = page ? *page : none;
    QList<QTreeWidgetItem*> items;
    for (const archive::CheckSummary& check : checks) {
        if (check.id <= firstId_) {
            break;  // newest first: the rest are shown
        }
        items.append(ItemOf(check));
    }
    if (items.size() == kHistoryPageSize) {
        qDeleteAll(items);
        Reload();
        return;
    }
    if (!checks.empty()) {
        firstId_ = std::max(firstId_, checks.front().id);
        if (lastId_ == 0) {
            lastId_ = checks.back().id;
        }
    }
    list_->insertTopLevelItems(0, items);
    FitColumnsOnce();
    if (newerWanted_) {
        ArchiveChanged();
    }
}

// The next page once the list is scrolled to (or does not fill up to) its end.
void HistoryPanel::MaybeLoadMore() {
    if (loading_ || complete_ || lastId_ == 0 || !list_->isVisible()) {
        return;
    }
    const QScrollBar* bar = list_->verticalScrollBar();
    if (bar->value() >= bar->maximum()) {
        LoadPage(lastId_);
    }
}

}  // namespace window
