#include "window/results_pane.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QScrollBar>
#include <QTreeView>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "platform/cp1251.h"
#include "window/controls.h"
#include "window/first_line_delegate.h"
#include "window/focus_tree_view.h"
#include "window/image_list.h"
#include "window/results_model.h"
#include "window/translated_model.h"

namespace window {
namespace {

QTreeView* NewTree(const char* name, const QList<QIcon>& icons, QWidget* parent) {
    auto* tree = new FocusTreeView(parent);
    tree->setObjectName(QString::fromLatin1(name));
    tree->setHeaderHidden(true);
    tree->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tree->setIconSize(icons.value(kImageQuery).availableSizes().value(0, QSize(16, 16)));
    tree->setExpandsOnDoubleClick(false);
    // Every row is one line high: the view need not ask each row for its size, which
    // keeps a tree of 100,000 firms quick to fill and to scroll.
    tree->setUniformRowHeights(true);
    return tree;
}

QTreeWidget* NewDetailList(const char* name, const QStringList& captions, QWidget* parent) {
    auto* list = new QTreeWidget(parent);
    list->setObjectName(QString::fromLatin1(name));
    list->setColumnCount(2);
    list->setHeaderHidden(true);
    list->setRootIsDecorated(false);
    list->setSelectionBehavior(QAbstractItemView::SelectRows);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list->setUniformRowHeights(true);
    list->setItemDelegate(new FirstLineDelegate(list));
    // The caption column takes its captions' width; the value column the rest, so an
    // ordinary value fits without a horizontal scrollbar.
    list->header()->setStretchLastSection(true);
    list->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    list->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    for (const QString& caption : captions) {
        new QTreeWidgetItem(list, {caption, QString()});
    }
    // Tall enough for every row at once.
    const int rowHeight = std::max(list->sizeHintForRow(0), list->fontMetrics().height() + 4);
    list->setMinimumHeight(rowHeight * static_cast<int>(captions.size()) + 2 * list->frameWidth() +
                           2);
    return list;
}

QStringList RussianCaptions() {
    QStringList captions;
    for (const lookup::FirmField& field : lookup::FirmFields()) {
        captions << QCoreApplication::translate("FirmField", field.russianCaption);
    }
    return captions;
}

QLabel* NewChangeNote(const char* name, QWidget* parent) {
    auto* note = new QLabel(parent);
    note->setObjectName(QString::fromLatin1(name));
    note->setTextFormat(Qt::PlainText);
    note->setWordWrap(true);
    note->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    note->hide();
    return note;
}

// A detail list with its change note under it, as one part of a splitter.
QWidget* NewDetailPart(QTreeWidget*& list, QLabel*& note, const char* listName,
                       const char* noteName, QWidget* parent) {
    auto* part = new QWidget(parent);
    auto* column = new QVBoxLayout(part);
    column->setContentsMargins(0, 0, 0, 0);
    list = NewDetailList(listName, RussianCaptions(), part);
    note = NewChangeNote(noteName, part);
    column->addWidget(list, 1);
    column->addWidget(note);
    return part;
}

// A titled column of the pane: the title row, then the tree above its detail list.
QVBoxLayout* NewColumn(QWidget* panel) {
    auto* column = new QVBoxLayout(panel);
    column->setContentsMargins(0, 0, 0, 0);
    return column;
}

QSplitter* NewVerticalSplit(const char* name, QWidget* parent) {
    auto* split = new QSplitter(Qt::Vertical, parent);
    split->setObjectName(QString::fromLatin1(name));
    return split;
}

}  // namespace

ResultsPane::ResultsPane(const QList<QIcon>& icons, QWidget* parent)
    : QSplitter(Qt::Horizontal, parent) {
    setObjectName(QStringLiteral("resultsSplitter"));
    setChildrenCollapsible(false);
    model_ = new ResultsModel(icons, this);
    translated_ = new TranslatedModel(this);
    translated_->setSourceModel(model_);

    BuildOriginalSide(icons);
    BuildTranslatedSide(icons);
    setStretchFactor(0, 1);
    setStretchFactor(1, 1);
    menuList_ = detailList;
    ConnectViews();
}

void ResultsPane::BuildOriginalSide(const QList<QIcon>& icons) {
    auto* originalPanel = new QWidget(this);
    originalPanel->setObjectName(QStringLiteral("originalPanel"));
    QVBoxLayout* left = NewColumn(originalPanel);
    auto* leftTitleLabel = new QLabel(tr("Search results in the original language"), originalPanel);
    auto* leftTitle = new QHBoxLayout;
    leftTitle->addWidget(leftTitleLabel);
    leftTitle->addStretch(1);
    left->addLayout(leftTitle);
    QSplitter* leftSplit = NewVerticalSplit("originalSplitter", originalPanel);
    resultsTree = NewTree("resultsTree", icons, leftSplit);
    resultsTree->setModel(model_);
    leftTitleLabel->setBuddy(resultsTree);
    resultsTree->setAccessibleName(tr("Search results in the original language"));
    NewDetailPart(detailList, changeNote, "detailList", "changeNote", leftSplit);
    detailList->setAccessibleName(tr("Details in the original language"));
    leftSplit->setStretchFactor(0, 3);
    leftSplit->setStretchFactor(1, 2);
    left->addWidget(leftSplit, 1);
}

void ResultsPane::BuildTranslatedSide(const QList<QIcon>& icons) {
    auto* translatedPanel = new QWidget(this);
    translatedPanel->setObjectName(QStringLiteral("translatedPanel"));
    QVBoxLayout* right = NewColumn(translatedPanel);
    auto* rightTitle = new QHBoxLayout;
    paneLanguageBox = NewLanguageBox("paneLanguageBox", translatedPanel);
    rightTitle->addWidget(NewBuddyLabel(tr("Search results in your language"), paneLanguageBox,
                                        tr("Language of the results pane")));
    rightTitle->addWidget(paneLanguageBox);
    rightTitle->addStretch(1);
    right->addLayout(rightTitle);
    QSplitter* rightSplit = NewVerticalSplit("translatedSplitter", translatedPanel);
    translatedTree = NewTree("translatedTree", icons, rightSplit);
    translatedTree->setModel(translated_);
    translatedTree->setAccessibleName(tr("Search results in your language"));
    NewDetailPart(translatedDetailList, translatedChangeNote, "translatedDetailList",
                  "translatedChangeNote", rightSplit);
    translatedDetailList->setAccessibleName(tr("Details in your language"));
    rightSplit->setStretchFactor(0, 3);
    rightSplit->setStretchFactor(1, 2);
    right->addWidget(rightSplit, 1);
}

void ResultsPane::ConnectViews() {
    for (const bool rightSide : {false, true}) {
        QTreeView* tree = rightSide ? translatedTree : resultsTree;
        connect(
            tree->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this, rightSide](const QModelIndex& index) { OnCurrentChanged(index, rightSide); });
        connect(tree, &QTreeView::doubleClicked, this,
                [this, rightSide](const QModelIndex& index) { OnDoubleClicked(index, rightSide); });
    }
    FollowEachOther(resultsTree, translatedTree);
    FollowEachOther(translatedTree, resultsTree);
    connect(translated_, &TranslatedModel::conversionFailed, this, &ResultsPane::ReportOnce);
    connect(model_, &QAbstractItemModel::dataChanged, this, &ResultsPane::OnModelDataChanged);
}

QList<QWidget*> ResultsPane::FocusChain() const {
    return {resultsTree,    detailList,           changeNote,          paneLanguageBox,
            translatedTree, translatedDetailList, translatedChangeNote};
}

void ResultsPane::SetLanguage(const QString& language, const QString& dictionary, bool quiet) {
    failureReported_ = quiet;
    QString firstError = translated_->SetLanguage(language, dictionary);
    SetRightCaptions();
    if (shown_) {
        const lookup::FirmRecord record = *shown_;
        ShowDetails(record, model_->ChangeMarkOf(shownIndex_));
    }
    if (!firstError.isEmpty()) {
        ReportOnce(firstError);
    }
}

void ResultsPane::ReportOnce(const QString& error) {
    if (!failureReported_) {
        failureReported_ = true;
        emit failed(error);
    }
}

QString ResultsPane::ConvertReporting(const QString& text, QString& firstError) const {
    translit::Outcome outcome = translated_->Convert(text);
    if (!outcome.ok() && firstError.isEmpty()) {
        firstError = outcome.error;
    }
    return outcome.text;
}

// A caption passes the dictionary with the ':' that follows it in a label, so the
// dictionary's caption pairs never touch the same word inside a firm's name or address.
QStringList ResultsPane::ConvertedCaptions() const {
    QStringList captions;
    for (const lookup::FirmField& field : lookup::FirmFields()) {
        translit::Outcome outcome = translated_->Convert(
            QCoreApplication::translate("FirmField", field.russianCaption) + QLatin1Char(':'));
        QString caption = outcome.ok() ? outcome.text : QString();  // unconvertible: empty
        if (caption.endsWith(QLatin1Char(':'))) {
            caption.chop(1);
        }
        captions << caption.trimmed();
    }
    return captions;
}

void ResultsPane::SetRightCaptions() {
    const QStringList captions = ConvertedCaptions();
    for (int row = 0; row < translatedDetailList->topLevelItemCount(); ++row) {
        translatedDetailList->topLevelItem(row)->setText(0, captions.value(row));
    }
}

// The row of `to` that shows the same result as index of `from`.
QModelIndex ResultsPane::Counterpart(const QModelIndex& index, const QTreeView* from) const {
    return from == resultsTree ? translated_->mapFromSource(index)
                               : translated_->mapToSource(index);
}

// Both trees show the same rows: the current row, the selection, open and closed query
// rows and the scroll position of one are taken over by the other, so that a row read
// on one side is beside its copy on the other.
void ResultsPane::FollowEachOther(QTreeView* from, QTreeView* to) {
    connect(from->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this, from, to](const QModelIndex& current) {
                const QModelIndex other = Counterpart(current, from);
                if (following_ || to->currentIndex() == other) {
                    return;
                }
                following_ = true;
                to->selectionModel()->setCurrentIndex(
                    other, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
                if (other.isValid()) {
                    to->scrollTo(other);
                }
                following_ = false;
            });
    connect(from->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this, from, to] {
        if (following_) {
            return;
        }
        QItemSelection selection;
        for (const QModelIndex& index : from->selectionModel()->selectedIndexes()) {
            const QModelIndex other = Counterpart(index, from);
            selection.select(other, other);
        }
        following_ = true;
        to->selectionModel()->select(
            selection, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        following_ = false;
    });
    connect(from, &QTreeView::expanded, this,
            [this, from, to](const QModelIndex& index) { to->expand(Counterpart(index, from)); });
    connect(from, &QTreeView::collapsed, this,
            [this, from, to](const QModelIndex& index) { to->collapse(Counterpart(index, from)); });
    connect(from->verticalScrollBar(), &QScrollBar::valueChanged, to->verticalScrollBar(),
            &QScrollBar::setValue);
}

// A message, failure or skip row says all it has in its text, which a narrow tree cuts
// off: the text as that tree shows it goes to the status bar while the row is current.
void ResultsPane::OnCurrentChanged(const QModelIndex& index, bool right) {
    if (following_) {
        return;  // the other tree's row, which has said it already
    }
    const QModelIndex source = right ? translated_->mapToSource(index) : index;
    if (const lookup::FirmRecord* record = model_->Record(source)) {
        const lookup::FirmRecord copy = *record;  // a report may reach the model meanwhile
        shownIndex_ = source;
        ShowDetails(copy, model_->ChangeMarkOf(source));
    }
    const RowKind kind = model_->Kind(source);
    const bool said = source.isValid() && kind != RowKind::Query && kind != RowKind::Firm;
    emit currentRowTextChanged(said ? index.data(Qt::ToolTipRole).toString() : QString());
}

// A query row with rows under it opens or closes; the details follow the current row.
void ResultsPane::OnDoubleClicked(const QModelIndex& index, bool right) {
    QTreeView* tree = right ? translatedTree : resultsTree;
    if (index.isValid() && tree->model()->rowCount(index) > 0) {
        tree->setExpanded(index, !tree->isExpanded(index));
    }
}

void ResultsPane::ShowDetails(const lookup::FirmRecord& record, const FirmChangeMark* mark) {
    shown_ = record;
    const auto& fields = lookup::FirmFields();
    QString firstError;
    for (int row = 0; row < detailList->topLevelItemCount() && row < int(fields.size()); ++row) {
        const QString value = platform::FromCp1251(record.*fields[static_cast<size_t>(row)].member);
        detailList->topLevelItem(row)->setText(1, value);
        translatedDetailList->topLevelItem(row)->setText(1, ConvertReporting(value, firstError));
    }
    ShowChangeMark(mark, firstError);
    ShowScreening(shownIndex_.isValid() ? model_->ScreenMarkOf(shownIndex_) : nullptr);
    if (!firstError.isEmpty()) {
        ReportOnce(firstError);
    }
}

// A changed field's rows show the mark's icon and, in their tooltip, the value of the
// previous check; the notes under the lists say the same for every changed field, in the
// list's own language, as text that can be selected and copied. The values themselves
// stay as they are, so copying a value copies only the value.
void ResultsPane::ShowChangeMark(const FirmChangeMark* mark, QString& firstError) {
    const auto& fields = lookup::FirmFields();
    const bool anyChanged = mark != nullptr && !mark->earlier.empty();
    const QStringList convertedCaptions = anyChanged ? ConvertedCaptions() : QStringList();
    const QString empty = tr("(empty)");
    QStringList left;
    QStringList right;
    for (int row = 0; row < detailList->topLevelItemCount() && row < int(fields.size()); ++row) {
        QString earlier;
        bool changed = false;
        if (mark != nullptr) {
            for (const auto& [field, value] : mark->earlier) {
                if (field == row) {
                    earlier = value;
                    changed = true;
                }
            }
        }
        const QString converted = changed ? ConvertReporting(earlier, firstError) : QString();
        const QString shownLeft = earlier.isEmpty() ? empty : earlier;
        const QString shownRight = converted.isEmpty() ? empty : converted;
        const QString since = mark != nullptr ? mark->since : QString();
        for (QTreeWidget* list : {detailList, translatedDetailList}) {
            QTreeWidgetItem* item = list->topLevelItem(row);
            const QString tip = changed
                                    ? tr("Changed since the check of %1; it was: %2")
                                          .arg(since, list == detailList ? shownLeft : shownRight)
                                    : QString();
            item->setIcon(0, changed ? mark->icon : QIcon());
            item->setToolTip(0, tip);
            item->setToolTip(1, tip);
        }
        if (changed) {
            left << detailList->topLevelItem(row)->text(0) + QStringLiteral(": ") + shownLeft;
            right << convertedCaptions.value(row) + QStringLiteral(": ") + shownRight;
        }
    }
    QString leftText;
    QString rightText;
    if (mark != nullptr && mark->added) {
        leftText = rightText =
            QCoreApplication::translate("window::MainWindow", "New since the check of %1")
                .arg(mark->since);
    } else if (mark != nullptr && !left.isEmpty()) {
        const QString head = tr("Changed since the check of %1; the values then:").arg(mark->since);
        leftText = head + QLatin1Char('\n') + left.join(QLatin1Char('\n'));
        rightText = head + QLatin1Char('\n') + right.join(QLatin1Char('\n'));
    }
    changeNote->setText(leftText);
    changeNote->setVisible(!leftText.isEmpty());
    translatedChangeNote->setText(rightText);
    translatedChangeNote->setVisible(!rightText.isEmpty());
}

void ResultsPane::ShowScreening(const ScreenMark* mark) {
    const int fields = static_cast<int>(lookup::FirmFields().size());
    for (QTreeWidget* list : {detailList, translatedDetailList}) {
        while (list->topLevelItemCount() > fields) {
            delete list->takeTopLevelItem(fields);
        }
        if (mark == nullptr) {
            continue;
        }
        auto* section = new QTreeWidgetItem(
            {tr("Screening"),
             mark->identifier ? tr("Matches: %1 (by number among them)").arg(mark->matches.size())
                              : tr("Matches: %1 (by name)").arg(mark->matches.size())});
        section->setIcon(0, ScreeningIcon(mark->identifier));
        for (const screen::Match& match : mark->matches) {
            auto* entry = new QTreeWidgetItem(section, {tr("%1 version %2")
                                                            .arg(QString::fromStdString(match.list))
                                                            .arg(match.versionNumber),
                                                        QString::fromStdString(match.caption)});
            QStringList topics;
            for (const std::string& topic : match.topics) {
                topics << QString::fromStdString(topic);
            }
            const std::pair<QString, QString> rows[] = {
                {tr("Entity"), QStringLiteral("%1 (%2)").arg(QString::fromStdString(match.entityId),
                                                             QString::fromStdString(match.schema))},
                {tr("Topics"), topics.join(QStringLiteral(", "))},
                {tr("What matched"), QString::fromStdString(screen::DescribeMatch(match))},
                {tr("Score"), QString::number(match.score, 'f', 2)},
            };
            for (const auto& [caption, value] : rows) {
                auto* item = new QTreeWidgetItem(entry, {caption, value});
                item->setToolTip(1, value);
            }
        }
        list->addTopLevelItem(section);
        section->setExpanded(true);
        for (int i = 0; i < section->childCount(); ++i) {
            section->child(i)->setExpanded(true);
        }
    }
}

void ResultsPane::OnModelDataChanged(const QModelIndex& topLeft, const QModelIndex& bottomRight,
                                     const QList<int>& roles) {
    if (!shown_ || !shownIndex_.isValid() ||
        !(roles.contains(kChangedRole) || roles.contains(kScreenRole)) ||
        topLeft.parent() != shownIndex_.parent() || shownIndex_.row() < topLeft.row() ||
        shownIndex_.row() > bottomRight.row()) {
        return;
    }
    const lookup::FirmRecord record = *shown_;
    ShowDetails(record, model_->ChangeMarkOf(shownIndex_));
}

void ResultsPane::ClearDetailValues() {
    shown_.reset();
    shownIndex_ = QPersistentModelIndex();
    for (QTreeWidget* list : {detailList, translatedDetailList}) {
        for (int row = 0; row < list->topLevelItemCount(); ++row) {
            list->topLevelItem(row)->setText(1, QString());
        }
    }
    QString ignored;  // nothing is converted without a mark
    ShowChangeMark(nullptr, ignored);
    ShowScreening(nullptr);
    SetDetailMenuEnabled(false);
}

void ResultsPane::Clear() {
    model_->Clear();
    ClearDetailValues();
    emit currentRowTextChanged(QString());
}

std::vector<lookup::ResultEntry> ResultsPane::ResultEntries() const {
    model_->ShowHeldRows();  // every firm received so far
    std::vector<lookup::ResultEntry> entries;
    entries.reserve(model_->FirmCount());
    for (int q = 0; q < model_->rowCount(); ++q) {
        const QModelIndex query = model_->index(q, 0);
        const std::string queryText = platform::ToCp1251(model_->Text(query));
        for (int r = 0; r < model_->rowCount(query); ++r) {
            const QModelIndex row = model_->index(r, 0, query);
            if (const lookup::FirmRecord* record = model_->Record(row)) {
                entries.push_back({queryText, platform::ToCp1251(model_->Text(row)), *record});
            }
        }
    }
    return entries;
}

std::vector<ExportRow> ResultsPane::ExportRows() const {
    model_->ShowHeldRows();  // every row received so far
    std::vector<ExportRow> rows;
    QString ignored;  // failures of the pane were reported when it showed them
    for (int q = 0; q < model_->rowCount(); ++q) {
        const QModelIndex query = model_->index(q, 0);
        const QString queryText = model_->Text(query);
        for (int r = 0; r < model_->rowCount(query); ++r) {
            const QModelIndex index = model_->index(r, 0, query);
            ExportRow row;
            row.kind = model_->Kind(index);
            row.queryText = queryText;
            row.text = model_->Text(index);
            row.firm = model_->Record(index);
            row.convertedText = translated_->mapFromSource(index).data().toString();
            if (row.firm != nullptr) {
                for (const lookup::FirmField& field : lookup::FirmFields()) {
                    row.convertedFields
                        << ConvertReporting(platform::FromCp1251(row.firm->*field.member), ignored);
                }
            }
            rows.push_back(std::move(row));
        }
    }
    return rows;
}

void ResultsPane::AppendFirmLines(QString& out, const lookup::FirmRecord& firm, bool right,
                                  const QString& indent) const {
    const QStringList captions = right ? ConvertedCaptions() : RussianCaptions();
    QString ignored;  // failures of the pane were reported when it showed them
    const auto& fields = lookup::FirmFields();
    for (std::size_t i = 0; i < fields.size(); ++i) {
        const QString value = platform::FromCp1251(firm.*fields[i].member);
        out += indent + captions.value(static_cast<qsizetype>(i)) + QStringLiteral(": ") +
               (right ? ConvertReporting(value, ignored) : value) + QStringLiteral("\r\n");
    }
}

QString ResultsPane::RowCopyText(const QModelIndex& index, bool right) const {
    const QModelIndex source = right ? translated_->mapToSource(index) : index;
    if (!source.isValid()) {
        return QString();
    }
    QString out;
    if (const lookup::FirmRecord* firm = model_->Record(source)) {
        AppendFirmLines(out, *firm, right, QString());
        return out;
    }
    return index.data(Qt::DisplayRole).toString() + QStringLiteral("\r\n");
}

QString ResultsPane::AllRowsCopyText(bool right) const {
    model_->ShowHeldRows();  // every row received so far
    const QAbstractItemModel* shown = right ? static_cast<QAbstractItemModel*>(translated_)
                                            : static_cast<QAbstractItemModel*>(model_);
    QString out;
    for (int q = 0; q < shown->rowCount(); ++q) {
        const QModelIndex query = shown->index(q, 0);
        out += query.data().toString() + QStringLiteral("\r\n");
        for (int r = 0; r < shown->rowCount(query); ++r) {
            const QModelIndex row = shown->index(r, 0, query);
            out += QLatin1Char('\t') + row.data().toString() + QStringLiteral("\r\n");
            const QModelIndex source = right ? translated_->mapToSource(row) : row;
            if (const lookup::FirmRecord* firm = model_->Record(source)) {
                AppendFirmLines(out, *firm, right, QStringLiteral("\t\t"));
            }
        }
    }
    return out;
}

void ResultsPane::SetTreeMenu(QMenu* menu) {
    for (QTreeView* tree : {resultsTree, translatedTree}) {
        tree->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(tree, &QWidget::customContextMenuRequested, this, [this, tree, menu](QPoint at) {
            menuTree_ = tree;
            menuIndex_ = tree->indexAt(at);
            emit treeMenuAboutToShow(tree == translatedTree, menuIndex_);
            menu->popup(tree->viewport()->mapToGlobal(at));
        });
    }
}

void ResultsPane::SetDetailMenu(QMenu* menu) {
    for (QTreeWidget* list : {detailList, translatedDetailList}) {
        connect(list, &QWidget::customContextMenuRequested, this, [this, list, menu](QPoint at) {
            menuList_ = list;
            menu->popup(list->viewport()->mapToGlobal(at));
        });
    }
}

void ResultsPane::SetDetailMenuEnabled(bool on) {
    for (QTreeWidget* list : {detailList, translatedDetailList}) {
        list->setContextMenuPolicy(on ? Qt::CustomContextMenu : Qt::NoContextMenu);
    }
}

}  // namespace window
