// The results of the current search or list run, one model that every view and every
// output reads: query rows, and under each the firms, service messages, failures and
// skipped lines it produced, in the order they arrived.
#pragma once

#include <QAbstractItemModel>
#include <QIcon>
#include <QList>
#include <QString>
#include <QTimer>
#include <map>
#include <memory>
#include <optional>
#include <unordered_map>
#include <utility>
#include <vector>

#include "pages/records.h"
#include "window/result_nodes.h"
#include "window/screening.h"

namespace window {

// What a row holds.
enum class RowKind {
    Query,    // a typed query or a list line
    Firm,     // a firm found
    Message,  // a message of the register (not found, daily limit, ...)
    Failed,   // the query failed: why
    Skipped,  // a list line not sent (a check digit that does not match)
};

// What changed in a firm since the previous answered check of its query.
struct FirmChangeMark {
    QString note;        // all of it on one line: the row's tooltip and the status line
    QString since;       // when the previous check was made, as shown
    bool added = false;  // the firm was not in the previous check
    // The fields that changed, in lookup::FirmFields() order: the field's index there
    // and its value at the previous check.
    std::vector<std::pair<int, QString>> earlier;
    QIcon icon;  // what the firm's row and the changed fields' detail rows show
};

// The name of kind in the export's `kind` column; empty for query rows.
const char* RowKindName(RowKind kind);

// A register message in the user's language, as the left tree shows it; the rest of
// the text (the first list item of a "found: 0" answer) stays as it is.
QString TranslatedMessage(const QString& text);

// Item data roles beside the display text, icon and tooltip.
constexpr int kImageIndexRole = Qt::UserRole + 1;  // int: the row's icon index
constexpr int kRowKindRole = Qt::UserRole + 2;     // int: RowKind
// QString: what changed in a firm row since the previous check of its query; empty: nothing.
constexpr int kChangedRole = Qt::UserRole + 10;
// int: what a firm row matched on the watch lists: 0 nothing, 1 a name, 2 a number.
constexpr int kScreenRole = Qt::UserRole + 11;
// QString: the text the right pane converts; the register's messages as it wrote them,
// every other row as shown.
constexpr int kPaneSourceRole = Qt::UserRole + 3;

class ResultsModel : public QAbstractItemModel {
    Q_OBJECT
  public:
    explicit ResultsModel(QList<QIcon> icons, QObject* parent = nullptr);

    // How a failed query's row begins in Text() and so in every file written from
    // it; the trees show the prefix in the user's language.
    static const QString kFailedPrefix;
    // The text of the message row added when the register showed only the first part
    // of a list; files keep it as it is, the trees show it in the user's language.
    static const char* const kListCutText;

    // A new query row at the end; its handle stays unused after Clear.
    window::NodeHandle AddQuery(const QString& text);
    // A row under the query of handle; the query row takes the row's icon. Nothing
    // happens when the handle is no longer in the model (a late delivery after Clear).
    void AddRow(window::NodeHandle query, RowKind kind, const QString& text,
                const std::optional<lookup::FirmRecord>& record = std::nullopt);
    // A firm row that the views hear of together with the firms arriving after it, at
    // most kHeldRowsMs later: a tree lays out every row again for each batch it hears
    // of, so 100,000 firms told one by one would cost 100,000 layouts. Held rows are
    // shown before any other row or query is added, and by ShowHeldRows; until then
    // the model's indexes and row counts leave them out.
    void AddHeldFirm(window::NodeHandle query, const QString& text,
                     const lookup::FirmRecord& record);
    // Tells the views of every held row now.
    void ShowHeldRows();
    static constexpr int kHeldRowsMs = 100;
    // The new text is what Text() and data() return at once; the views hear of it once
    // per event-loop turn, since a name search changes its count text with every firm.
    void SetQueryText(window::NodeHandle query, const QString& text);
    void SetQueryIcon(window::NodeHandle query, int imageIndex);
    // While running, a query row shows the running icon whatever its rows so far are;
    // afterwards the icon of its last row again.
    void SetQueryRunning(window::NodeHandle query, bool running);
    void Clear();
    // Marks child row `child` of the query of handle as changed since an earlier check:
    // the row shows the mark's icon and its note in the tooltip.
    void MarkChanged(window::NodeHandle query, int child, FirmChangeMark mark);
    // The mark of a row of this model; null when it has none.
    const FirmChangeMark* ChangeMarkOf(const QModelIndex& index) const;
    // Marks child row `child` of the query of handle as matching watch-list entities:
    // the row shows the screening icon and the query row counts its firms so marked.
    void MarkScreened(window::NodeHandle query, int child, ScreenMark mark);
    // The screening mark of a row of this model; null when it has none.
    const ScreenMark* ScreenMarkOf(const QModelIndex& index) const;
    // Every firm row marked by MarkScreened, with its query row's text.
    std::vector<std::pair<const lookup::FirmRecord*, const ScreenMark*>> ScreenedFirms() const;

    // Held rows included.
    std::size_t FirmCount() const { return firmCount_; }
    int QueryCount() const { return static_cast<int>(queries_.size()); }
    // The handle of query row `row`, 0 when there is none.
    window::NodeHandle HandleOf(int row) const;
    // The index of the query row of handle; invalid when it is gone.
    QModelIndex QueryIndex(window::NodeHandle handle) const;

    // The record of a firm row; null for every other row.
    const lookup::FirmRecord* Record(const QModelIndex& index) const;
    RowKind Kind(const QModelIndex& index) const;
    QString Text(const QModelIndex& index) const;

    QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

  signals:
    // A firm row was stored (shown now or held): child row `child` of query.
    void firmStored(window::NodeHandle query, int child, const lookup::FirmRecord& record);

  private:
    struct ChildRow {
        RowKind kind;
        int image;
        QString text;
        std::unique_ptr<lookup::FirmRecord> record;  // firm rows only
    };
    struct QueryRow {
        window::NodeHandle handle;
        int image;
        QString text;
        std::vector<ChildRow> children;
        int shown = 0;            // children the views have heard of; the rest are held
        bool textUntold = false;  // the views have not yet heard of the current text
        bool running = false;
    };
    // What data() reads of a row.
    struct RowView {
        int image;
        RowKind kind;
        const QString* text;
    };
    int RowOf(window::NodeHandle handle) const;
    RowView ViewOf(const QModelIndex& index) const;
    // The screening mark's kScreenRole, icon or tooltip for a row showing text.
    QVariant ScreenMarkData(const ScreenMark& mark, const QString& text, int role) const;
    // A row's text as the trees show it, in the user's language.
    QString ShownText(const QModelIndex& index, const RowView& row) const;
    // A row's text as the right pane converts it (kPaneSourceRole).
    QString PaneSource(const QModelIndex& index, const RowView& row) const;
    void TellChangedTexts();
    // Stores a row under the query of row; true when it was stored.
    bool Store(int row, RowKind kind, const QString& text, const lookup::FirmRecord* record);

    QList<QIcon> icons_;
    std::vector<QueryRow> queries_;
    std::unordered_map<window::NodeHandle, int> rowOfHandle_;
    window::NodeHandle nextHandle_ = 1;
    std::size_t firmCount_ = 0;
    // Query rows whose text changed since the views were last told, in order.
    std::vector<window::NodeHandle> untoldTexts_;
    // Query rows with held rows, in the order their first held row arrived.
    std::vector<window::NodeHandle> holding_;
    QTimer heldRowsTimer_;
    // Rows marked by MarkChanged, by query handle and child row.
    std::map<std::pair<window::NodeHandle, int>, FirmChangeMark> changed_;
    // Rows marked by MarkScreened, and per query how many of its firms are.
    std::map<std::pair<window::NodeHandle, int>, ScreenMark> screened_;
    std::unordered_map<window::NodeHandle, int> screenedCount_;
    // Drawn when first shown: a model may live where nothing is painted.
    mutable QIcon identifierIcon_;
    mutable QIcon nameIcon_;
};

}  // namespace window
