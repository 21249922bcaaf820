#include "window/results_model.h"

#include <QCoreApplication>
#include <utility>

#include "lookup/service_messages.h"
#include "window/image_list.h"

namespace window {
namespace {

// Child rows carry their query's row + 1 as internal id; query rows carry 0.
constexpr quintptr kQueryId = 0;

int ImageOf(RowKind kind) {
    switch (kind) {
        case RowKind::Query:
            return lookup::kQueryIcon;
        case RowKind::Firm:
            return lookup::kFirmIcon;
        case RowKind::Message:
        case RowKind::Failed:
        case RowKind::Skipped:
            break;
    }
    return lookup::kMessageIcon;
}

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

}  // namespace

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
    : QAbstractItemModel(parent), icons_(std::move(icons)) {}

lookup::NodeHandle ResultsModel::AddQuery(const QString& text) {
    const int row = static_cast<int>(queries_.size());
    const lookup::NodeHandle handle = nextHandle_++;
    beginInsertRows(QModelIndex(), row, row);
    queries_.push_back({handle, lookup::kQueryIcon, text, {}});
    rowOfHandle_[handle] = row;
    endInsertRows();
    return handle;
}

int ResultsModel::RowOf(lookup::NodeHandle handle) const {
    const auto found = rowOfHandle_.find(handle);
    return found == rowOfHandle_.end() ? -1 : found->second;
}

lookup::NodeHandle ResultsModel::HandleOf(int row) const {
    return row >= 0 && row < QueryCount() ? queries_[static_cast<size_t>(row)].handle : 0;
}

QModelIndex ResultsModel::QueryIndex(lookup::NodeHandle handle) const {
    const int row = RowOf(handle);
    return row < 0 ? QModelIndex() : createIndex(row, 0, kQueryId);
}

void ResultsModel::AddRow(lookup::NodeHandle query, RowKind kind, const QString& text,
                          const std::optional<lookup::FirmRecord>& record) {
    const int row = RowOf(query);
    if (row < 0) {
        return;
    }
    QueryRow& parentRow = queries_[static_cast<size_t>(row)];
    const QModelIndex parentIndex = createIndex(row, 0, kQueryId);
    const int at = static_cast<int>(parentRow.children.size());
    beginInsertRows(parentIndex, at, at);
    ChildRow child{kind, ImageOf(kind), text, nullptr};
    if (record && kind == RowKind::Firm) {
        child.record = std::make_unique<lookup::FirmRecord>(*record);
        ++firmCount_;
    }
    // The child vector grows by doubling on its own; 100,000 firms under one query
    // move their rows a few dozen times, not once per firm.
    parentRow.children.push_back(std::move(child));
    endInsertRows();
    SetQueryIcon(query, ImageOf(kind));
}

void ResultsModel::SetQueryText(lookup::NodeHandle query, const QString& text) {
    const int row = RowOf(query);
    if (row < 0 || queries_[static_cast<size_t>(row)].text == text) {
        return;
    }
    queries_[static_cast<size_t>(row)].text = text;
    const QModelIndex at = createIndex(row, 0, kQueryId);
    emit dataChanged(at, at, {Qt::DisplayRole, Qt::ToolTipRole});
}

void ResultsModel::SetQueryIcon(lookup::NodeHandle query, int imageIndex) {
    const int row = RowOf(query);
    if (row < 0 || queries_[static_cast<size_t>(row)].image == imageIndex) {
        return;
    }
    queries_[static_cast<size_t>(row)].image = imageIndex;
    const QModelIndex at = createIndex(row, 0, kQueryId);
    emit dataChanged(at, at, {Qt::DecorationRole, kImageIndexRole});
}

void ResultsModel::SetQueryRunning(lookup::NodeHandle query, bool running) {
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
    firmCount_ = 0;
    endResetModel();
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
    const QueryRow& query = queries_[static_cast<size_t>(parent.row())];
    if (row >= static_cast<int>(query.children.size())) {
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
    return static_cast<int>(queries_[static_cast<size_t>(parent.row())].children.size());
}

int ResultsModel::columnCount(const QModelIndex&) const {
    return 1;
}

const QString ResultsModel::kFailedPrefix = QStringLiteral("Query failed: ");
const char* const ResultsModel::kListCutText = QT_TRANSLATE_NOOP(
    "window::ResultsModel",
    "Only the first firms of the list are shown: the register cut it short. Narrow the search "
    "to see the others.");

QVariant ResultsModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) {
        return QVariant();
    }
    int image = 0;
    RowKind kind = RowKind::Query;
    const QString* text = nullptr;
    if (index.internalId() == kQueryId) {
        const QueryRow& query = queries_[static_cast<size_t>(index.row())];
        image = query.running ? kImageRunning : query.image;
        text = &query.text;
    } else {
        const ChildRow& child =
            queries_[index.internalId() - 1].children[static_cast<size_t>(index.row())];
        image = child.image;
        kind = child.kind;
        text = &child.text;
    }
    switch (role) {
        case Qt::DisplayRole:
        case Qt::ToolTipRole:  // the tree may be too narrow for the whole text
            if (kind == RowKind::Failed && text->startsWith(kFailedPrefix)) {
                return QCoreApplication::translate("window::MainWindow", "Query failed: ") +
                       text->mid(kFailedPrefix.size());
            }
            if (kind == RowKind::Message) {
                return *text == QLatin1String(kListCutText)
                           ? QCoreApplication::translate("window::ResultsModel", kListCutText)
                           : TranslatedMessage(*text);
            }
            return *text;
        case kPaneSourceRole:
            if (kind == RowKind::Message && *text != QLatin1String(kListCutText)) {
                return *text;
            }
            return data(index, Qt::DisplayRole);
        case Qt::DecorationRole:
            return icons_.value(image);
        case kImageIndexRole:
            return image;
        case kRowKindRole:
            return static_cast<int>(kind);
        default:
            return QVariant();
    }
}

}  // namespace window
