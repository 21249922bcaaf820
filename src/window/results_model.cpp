#include "window/results_model.h"

#include <QCoreApplication>
#include <QMetaObject>
#include <utility>

#include "pages/service_messages.h"
#include "window/image_list.h"
#include "window/shown_texts.h"

namespace window {
namespace {

// Child rows carry their query's row + 1 as internal id; query rows carry 0.
constexpr quintptr kQueryId = 0;

int ImageOf(RowKind kind) {
    switch (kind) {
        case RowKind::Query:
            return window::kQueryIcon;
        case RowKind::Firm:
            return window::kFirmIcon;
        case RowKind::Message:
        case RowKind::Failed:
        case RowKind::Skipped:
            break;
    }
    return window::kMessageIcon;
}

}  // namespace

// A register message in the user's language; the rest of the row's text (the first
// list item of a "found: 0" answer) stays as it is.
QString TranslatedMessage(const QString& text) {
    for (const lookup::ServiceMessage& message : lookup::ServiceMessages()) {
        const QString source = QString::fromUtf8(message.source);
        if (text.contains(source)) {
            QString shown = text;
            return shown.replace(source, QCoreApplication::translate(lookup::kServiceMessageContext,
                                                                     message.source));
        }
    }
    return text;
}

const char* RowKindName(RowKind kind) {
    switch (kind) {
        case RowKind::Query:
            return "";
        case RowKind::Firm:
            return "firm";
        case RowKind::Message:
            return "message";
        case RowKind::Failed:
            return "failed";
        case RowKind::Skipped:
            return "skipped";
    }
    return "";
}

ResultsModel::ResultsModel(QList<QIcon> icons, QObject* parent)
    : QAbstractItemModel(parent), icons_(std::move(icons)) {
    heldRowsTimer_.setSingleShot(true);
    heldRowsTimer_.setInterval(kHeldRowsMs);
    connect(&heldRowsTimer_, &QTimer::timeout, this, &ResultsModel::ShowHeldRows);
}

window::NodeHandle ResultsModel::AddQuery(const QString& text) {
    ShowHeldRows();
    const int row = static_cast<int>(queries_.size());
    const window::NodeHandle handle = nextHandle_++;
    beginInsertRows(QModelIndex(), row, row);
    queries_.push_back({handle, window::kQueryIcon, text, {}});
    rowOfHandle_[handle] = row;
    endInsertRows();
    return handle;
}

int ResultsModel::RowOf(window::NodeHandle handle) const {
    const auto found = rowOfHandle_.find(handle);
    return found == rowOfHandle_.end() ? -1 : found->second;
}

window::NodeHandle ResultsModel::HandleOf(int row) const {
    return row >= 0 && row < QueryCount() ? queries_[static_cast<size_t>(row)].handle : 0;
}

QModelIndex ResultsModel::QueryIndex(window::NodeHandle handle) const {
    const int row = RowOf(handle);
    return row < 0 ? QModelIndex() : createIndex(row, 0, kQueryId);
}

bool ResultsModel::Store(int row, RowKind kind, const QString& text,
                         const lookup::FirmRecord* record) {
    if (row < 0) {
        return false;
    }
    ChildRow child{kind, ImageOf(kind), text, nullptr};
    if (record != nullptr && kind == RowKind::Firm) {
        child.record = std::make_unique<lookup::FirmRecord>(*record);
        ++firmCount_;
    }
    QueryRow& query = queries_[static_cast<size_t>(row)];
    // The child vector grows by doubling on its own; 100,000 firms under one query
    // move their rows a few dozen times, not once per firm.
    query.children.push_back(std::move(child));
    if (record != nullptr && kind == RowKind::Firm) {
        emit firmStored(query.handle, static_cast<int>(query.children.size()) - 1, *record);
    }
    return true;
}

void ResultsModel::AddRow(window::NodeHandle query, RowKind kind, const QString& text,
                          const std::optional<lookup::FirmRecord>& record) {
    ShowHeldRows();
    const int row = RowOf(query);
    if (row < 0) {
        return;
    }
    QueryRow& parentRow = queries_[static_cast<size_t>(row)];
    const int at = static_cast<int>(parentRow.children.size());
    beginInsertRows(createIndex(row, 0, kQueryId), at, at);
    Store(row, kind, text, record ? &*record : nullptr);
    parentRow.shown = at + 1;
    endInsertRows();
    SetQueryIcon(query, ImageOf(kind));
}

void ResultsModel::AddHeldFirm(window::NodeHandle query, const QString& text,
                               const lookup::FirmRecord& record) {
    const int row = RowOf(query);
    if (!Store(row, RowKind::Firm, text, &record)) {
        return;
    }
    const QueryRow& parentRow = queries_[static_cast<size_t>(row)];
    if (static_cast<std::size_t>(parentRow.shown) + 1 == parentRow.children.size()) {
        holding_.push_back(query);  // its first held row
    }
    if (!heldRowsTimer_.isActive()) {
        heldRowsTimer_.start();
    }
    SetQueryIcon(query, window::kFirmIcon);
}

void ResultsModel::ShowHeldRows() {
    heldRowsTimer_.stop();
    for (const window::NodeHandle handle : std::exchange(holding_, {})) {
        const int row = RowOf(handle);
        if (row < 0) {
            continue;  // cleared meanwhile
        }
        QueryRow& query = queries_[static_cast<size_t>(row)];
        const int count = static_cast<int>(query.children.size());
        if (query.shown < count) {
            beginInsertRows(createIndex(row, 0, kQueryId), query.shown, count - 1);
            query.shown = count;
            endInsertRows();
        }
    }
}

void ResultsModel::SetQueryText(window::NodeHandle query, const QString& text) {
    const int row = RowOf(query);
    if (row < 0 || queries_[static_cast<size_t>(row)].text == text) {
        return;
    }
    QueryRow& changed = queries_[static_cast<size_t>(row)];
    changed.text = text;
    if (changed.textUntold) {
        return;
    }
    // A tree measures its first row again on every change of it: told for every firm,
    // a 50,000-firm search would lay its count text out 50,000 times.
    changed.textUntold = true;
    if (untoldTexts_.empty()) {
        QMetaObject::invokeMethod(this, &ResultsModel::TellChangedTexts, Qt::QueuedConnection);
    }
    untoldTexts_.push_back(query);
}

void ResultsModel::TellChangedTexts() {
    for (const window::NodeHandle handle : std::exchange(untoldTexts_, {})) {
        const int row = RowOf(handle);
        if (row < 0) {
            continue;  // cleared meanwhile
        }
        queries_[static_cast<size_t>(row)].textUntold = false;
        const QModelIndex at = createIndex(row, 0, kQueryId);
        emit dataChanged(at, at, {Qt::DisplayRole, Qt::ToolTipRole});
    }
}

void ResultsModel::SetQueryIcon(window::NodeHandle query, int imageIndex) {
    const int row = RowOf(query);
    if (row < 0 || queries_[static_cast<size_t>(row)].image == imageIndex) {
        return;
    }
    queries_[static_cast<size_t>(row)].image = imageIndex;
    const QModelIndex at = createIndex(row, 0, kQueryId);
    emit dataChanged(at, at, {Qt::DecorationRole, kImageIndexRole});
}

void ResultsModel::SetQueryRunning(window::NodeHandle query, bool running) {
    const int row = RowOf(query);
    if (row < 0 || queries_[static_cast<size_t>(row)].running == running) {
        return;
    }
    queries_[static_cast<size_t>(row)].running = running;
    const QModelIndex at = createIndex(row, 0, kQueryId);
    emit dataChanged(at, at, {Qt::DecorationRole, kImageIndexRole});
}

void ResultsModel::Clear() {
    beginResetModel();
    queries_.clear();
    rowOfHandle_.clear();
    untoldTexts_.clear();
    holding_.clear();
    heldRowsTimer_.stop();
    firmCount_ = 0;
    changed_.clear();
    screened_.clear();
    screenedCount_.clear();
    endResetModel();
}

void ResultsModel::MarkChanged(window::NodeHandle query, int child, FirmChangeMark mark) {
    const int row = RowOf(query);
    if (row < 0 || child < 0 ||
        child >= static_cast<int>(queries_[static_cast<size_t>(row)].children.size())) {
        return;
    }
    changed_[{query, child}] = std::move(mark);
    // A held row is told with its mark when the views hear of it.
    if (child < queries_[static_cast<size_t>(row)].shown) {
        const QModelIndex at = index(child, 0, QueryIndex(query));
        emit dataChanged(at, at, {Qt::DecorationRole, Qt::ToolTipRole, kChangedRole});
    }
}

const FirmChangeMark* ResultsModel::ChangeMarkOf(const QModelIndex& index) const {
    if (changed_.empty() || !index.isValid() || index.model() != this ||
        index.internalId() == kQueryId) {
        return nullptr;
    }
    const auto mark =
        changed_.find({queries_[index.internalId() - 1].handle, static_cast<int>(index.row())});
    return mark != changed_.end() ? &mark->second : nullptr;
}

void ResultsModel::MarkScreened(window::NodeHandle query, int child, ScreenMark mark) {
    const int row = RowOf(query);
    if (row < 0 || child < 0 ||
        child >= static_cast<int>(queries_[static_cast<size_t>(row)].children.size()) ||
        queries_[static_cast<size_t>(row)].children[static_cast<size_t>(child)].record == nullptr) {
        return;
    }
    const bool fresh = screened_.count({query, child}) == 0;
    screened_[{query, child}] = std::move(mark);
    if (fresh) {
        ++screenedCount_[query];
    }
    const QModelIndex parent = QueryIndex(query);
    emit dataChanged(parent, parent, {Qt::DisplayRole, Qt::ToolTipRole});
    // A held row is told with its mark when the views hear of it.
    if (child < queries_[static_cast<size_t>(row)].shown) {
        const QModelIndex at = index(child, 0, parent);
        emit dataChanged(at, at, {Qt::DecorationRole, Qt::ToolTipRole, kScreenRole});
    }
}

const ScreenMark* ResultsModel::ScreenMarkOf(const QModelIndex& index) const {
    if (screened_.empty() || !index.isValid() || index.model() != this ||
        index.internalId() == kQueryId) {
        return nullptr;
    }
    const auto mark =
        screened_.find({queries_[index.internalId() - 1].handle, static_cast<int>(index.row())});
    return mark != screened_.end() ? &mark->second : nullptr;
}

std::vector<std::pair<const lookup::FirmRecord*, const ScreenMark*>> ResultsModel::ScreenedFirms()
    const {
    std::vector<std::pair<const lookup::FirmRecord*, const ScreenMark*>> firms;
    for (const auto& [at, mark] : screened_) {
        const int row = RowOf(at.first);
        if (row >= 0) {
            firms.emplace_back(queries_[static_cast<size_t>(row)]
                                   .children[static_cast<size_t>(at.second)]
                                   .record.get(),
                               &mark);
        }
    }
    return firms;
}

const lookup::FirmRecord* ResultsModel::Record(const QModelIndex& index) const {
    if (!index.isValid() || index.model() != this || index.internalId() == kQueryId) {
        return nullptr;
    }
    const QueryRow& query = queries_[index.internalId() - 1];
    return query.children[static_cast<size_t>(index.row())].record.get();
}

RowKind ResultsModel::Kind(const QModelIndex& index) const {
    if (!index.isValid() || index.internalId() == kQueryId) {
        return RowKind::Query;
    }
    return queries_[index.internalId() - 1].children[static_cast<size_t>(index.row())].kind;
}

QString ResultsModel::Text(const QModelIndex& index) const {
    if (!index.isValid()) {
        return QString();
    }
    if (index.internalId() == kQueryId) {
        return queries_[static_cast<size_t>(index.row())].text;
    }
    return queries_[index.internalId() - 1].children[static_cast<size_t>(index.row())].text;
}

QModelIndex ResultsModel::index(int row, int column, const QModelIndex& parent) const {
    if (column != 0 || row < 0) {
        return QModelIndex();
    }
    if (!parent.isValid()) {
        return row < QueryCount() ? createIndex(row, 0, kQueryId) : QModelIndex();
    }
    if (parent.internalId() != kQueryId || parent.row() >= QueryCount()) {
        return QModelIndex();
    }
    if (row >= queries_[static_cast<size_t>(parent.row())].shown) {
        return QModelIndex();
    }
    return createIndex(row, 0, static_cast<quintptr>(parent.row()) + 1);
}

QModelIndex ResultsModel::parent(const QModelIndex& child) const {
    if (!child.isValid() || child.internalId() == kQueryId) {
        return QModelIndex();
    }
    return createIndex(static_cast<int>(child.internalId() - 1), 0, kQueryId);
}

int ResultsModel::rowCount(const QModelIndex& parent) const {
    if (!parent.isValid()) {
        return QueryCount();
    }
    if (parent.internalId() != kQueryId || parent.column() != 0) {
        return 0;
    }
    return queries_[static_cast<size_t>(parent.row())].shown;
}

int ResultsModel::columnCount(const QModelIndex&) const {
    return 1;
}

// Rows under a query never have rows of their own; saying so spares a tree's layout
// asking each of them for its children.
Qt::ItemFlags ResultsModel::flags(const QModelIndex& index) const {
    Qt::ItemFlags flags = QAbstractItemModel::flags(index);
    if (index.isValid() && index.internalId() != kQueryId) {
        flags |= Qt::ItemNeverHasChildren;
    }
    return flags;
}

const QString ResultsModel::kFailedPrefix = QStringLiteral("Query failed: ");
const char* const ResultsModel::kListCutText = QT_TRANSLATE_NOOP(
    "window::ResultsModel",
    "Only the first firms of the list are shown: the register cut it short. Narrow the search "
    "to see the others.");

ResultsModel::RowView ResultsModel::ViewOf(const QModelIndex& index) const {
    if (index.internalId() == kQueryId) {
        const QueryRow& query = queries_[static_cast<size_t>(index.row())];
        return {query.running ? kImageRunning : query.image, RowKind::Query, &query.text};
    }
    const ChildRow& child =
        queries_[index.internalId() - 1].children[static_cast<size_t>(index.row())];
    return {child.image, child.kind, &child.text};
}

QVariant ResultsModel::ScreenMarkData(const ScreenMark& mark, const QString& text, int role) const {
    if (role == kScreenRole) {
        return mark.identifier ? 2 : 1;
    }
    if (role == Qt::DecorationRole) {
        QIcon& icon = mark.identifier ? identifierIcon_ : nameIcon_;
        if (icon.isNull()) {
            icon = ScreeningIcon(mark.identifier);
        }
        return icon;
    }
    QString tip = text;
    for (const screen::Match& match : mark.matches) {
        tip += QLatin1Char('\n') + QString::fromStdString(match.list) + QStringLiteral(": ") +
               QString::fromStdString(screen::DescribeMatch(match));
    }
    return tip;
}

QString ResultsModel::ShownText(const QModelIndex& index, const RowView& row) const {
    const QString& text = *row.text;
    switch (row.kind) {
        case RowKind::Failed:
            if (text.startsWith(kFailedPrefix)) {
                return QCoreApplication::translate("window::MainWindow", "Query failed: ") +
                       ShownReason(text.mid(kFailedPrefix.size()));
            }
            return text;
        case RowKind::Skipped:
            return ShownReason(text);
        case RowKind::Query: {
            const auto count =
                screenedCount_.find(queries_[static_cast<size_t>(index.row())].handle);
            if (count == screenedCount_.end()) {
                return ShownQueryText(text);
            }
            return ShownQueryText(text) +
                   QCoreApplication::translate("window::ResultsModel", " — on watch lists: %1")
                       .arg(count->second);
        }
        case RowKind::Message:
            return text == QLatin1String(kListCutText)
                       ? QCoreApplication::translate("window::ResultsModel", kListCutText)
                       : TranslatedMessage(text);
        case RowKind::Firm:
            break;
    }
    return text;
}

// The register's messages and the reasons the lookup wrote are converted as written,
// not as the left tree shows them in the user's language.
QString ResultsModel::PaneSource(const QModelIndex& index, const RowView& row) const {
    const QString& text = *row.text;
    if ((row.kind == RowKind::Message && text != QLatin1String(kListCutText)) ||
        row.kind == RowKind::Skipped) {
        return text;
    }
    if (row.kind == RowKind::Failed && text.startsWith(kFailedPrefix)) {
        return QCoreApplication::translate("window::MainWindow", "Query failed: ") +
               text.mid(kFailedPrefix.size());
    }
    return ShownText(index, row);
}

QVariant ResultsModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) {
        return QVariant();
    }
    const RowView row = ViewOf(index);
    if (role == kScreenRole || role == Qt::DecorationRole || role == Qt::ToolTipRole) {
        if (const ScreenMark* mark = ScreenMarkOf(index)) {
            return ScreenMarkData(*mark, *row.text, role);
        }
    }
    if (role == kChangedRole || role == Qt::DecorationRole || role == Qt::ToolTipRole) {
        if (const FirmChangeMark* mark = ChangeMarkOf(index)) {
            if (role == kChangedRole) {
                return mark->note;
            }
            if (role == Qt::DecorationRole) {
                return mark->icon;
            }
            return *row.text + QLatin1Char('\n') + mark->note;
        }
    }
    switch (role) {
        case Qt::DisplayRole:
        case Qt::ToolTipRole:  // the tree may be too narrow for the whole text
            return ShownText(index, row);
        case kPaneSourceRole:
            return PaneSource(index, row);
        case Qt::DecorationRole:
            return icons_.value(row.image);
        case kImageIndexRole:
            return row.image;
        case kRowKindRole:
            return static_cast<int>(row.kind);
        default:
            return QVariant();
    }
}

}  // namespace window
