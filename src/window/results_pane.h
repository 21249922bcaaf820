// The lower half of the main window: the results tree on the left with its detail list,
// and on the right the same rows in the user's language with theirs. Both trees are
// views on one results model; the detail lists show the current row of either tree.
#pragma once

#include <QIcon>
#include <QList>
#include <QPersistentModelIndex>
#include <QSplitter>
#include <QString>
#include <QStringList>
#include <optional>
#include <string>
#include <vector>

#include "lists/results_file.h"
#include "pages/records.h"
#include "window/csv_export.h"

class QComboBox;
class QLabel;
class QMenu;
class QModelIndex;
class QTreeView;
class QTreeWidget;

namespace window {

class ResultsModel;
class TranslatedModel;
struct FirmChangeMark;
struct ScreenMark;

class ResultsPane : public QSplitter {
    Q_OBJECT
  public:
    ResultsPane(const QList<QIcon>& icons, QWidget* parent);

    ResultsModel& Model() const { return *model_; }
    QComboBox* LanguageBox() const { return paneLanguageBox; }
    // The controls in the order keyboard focus visits them.
    QList<QWidget*> FocusChain() const;
    QTreeView* Tree() const { return resultsTree; }

    // Converts the right pane with language and dictionary; reports the first failure
    // of the choice through failed(), unless quiet (a name still being typed).
    void SetLanguage(const QString& language, const QString& dictionary, bool quiet = false);
    // Empties the model and the detail values.
    void Clear();
    // The firms as the results file sees them.
    std::vector<lookup::ResultEntry> ResultEntries() const;
    // Every row under a query, with the right pane's texts, and the right captions.
    std::vector<ExportRow> ExportRows() const;
    QStringList ConvertedCaptions() const;
    // "Copy" over a row of either tree: a message's text, or a firm's ten fields as
    // "caption: value" lines, in that tree's language; CR LF after each line.
    QString RowCopyText(const QModelIndex& index, bool right) const;
    // "Copy all data": every query row, each row under it after a tab, and each firm's
    // fields after two tabs, in that tree's language.
    QString AllRowsCopyText(bool right) const;
    // The tree menu opens over both trees; it is told which and over which row.
    void SetTreeMenu(QMenu* menu);
    QTreeView* MenuTree() const { return menuTree_; }
    QModelIndex MenuIndex() const { return menuIndex_; }
    QTreeView* TranslatedTree() const { return translatedTree; }

    // The detail menu opens over both lists while switched on.
    void SetDetailMenu(QMenu* menu);
    void SetDetailMenuEnabled(bool on);
    // The detail list the menu was last opened over (the left one before that).
    QTreeWidget* MenuList() const { return menuList_; }

  signals:
    void failed(const QString& error);
    // The tree menu is about to open over row index (maybe none) of the right tree or
    // the left one.
    void treeMenuAboutToShow(bool right, const QModelIndex& index);
    // The full text of the current message, failure or skip row of either tree, as
    // that tree shows it; empty when the current row is none of these.
    void currentRowTextChanged(const QString& text);

  private:
    // The left tree and its detail list, then the right ones with the language box.
    void BuildOriginalSide(const QList<QIcon>& icons);
    void BuildTranslatedSide(const QList<QIcon>& icons);
    void ConnectViews();
    void FollowEachOther(QTreeView* from, QTreeView* to);
    QModelIndex Counterpart(const QModelIndex& index, const QTreeView* from) const;
    void OnCurrentChanged(const QModelIndex& index, bool right);
    void OnDoubleClicked(const QModelIndex& index, bool right);
    // Shows record's fields in both lists, and what changed in them when mark is given.
    void ShowDetails(const lookup::FirmRecord& record, const FirmChangeMark* mark);
    void ShowChangeMark(const FirmChangeMark* mark, QString& firstError);
    // Below the ten fields of both lists: a "Screening" section with each match of the
    // firm shown (list, entity, topics, what matched, score); none without a mark.
    void ShowScreening(const ScreenMark* mark);
    // The firm row the lists show has just been marked: its change shows at once.
    void OnModelDataChanged(const QModelIndex& topLeft, const QModelIndex& bottomRight,
                            const QList<int>& roles);
    void ClearDetailValues();
    void AppendFirmLines(QString& out, const lookup::FirmRecord& firm, bool right,
                         const QString& indent) const;
    void SetRightCaptions();
    QString ConvertReporting(const QString& text, QString& firstError) const;
    // Emits failed unless a failure was reported since the language was last chosen:
    // a broken language file is reported once, not for every row the user moves to.
    void ReportOnce(const QString& error);

    ResultsModel* model_ = nullptr;
    TranslatedModel* translated_ = nullptr;
    QTreeWidget* menuList_ = nullptr;
    QTreeView* menuTree_ = nullptr;
    QPersistentModelIndex menuIndex_;  // of menuTree_'s model
    // The record the lists show, kept so a language change converts it again.
    std::optional<lookup::FirmRecord> shown_;
    QPersistentModelIndex shownIndex_;  // its row in the model, while it is there
    bool failureReported_ = false;
    bool following_ = false;  // one tree is taking over the other's current row

    // Controls; each one's objectName is its member name.
    QTreeView* resultsTree = nullptr;
    QTreeWidget* detailList = nullptr;
    QComboBox* paneLanguageBox = nullptr;
    QTreeView* translatedTree = nullptr;
    QTreeWidget* translatedDetailList = nullptr;
    // Under each detail list: what changed in the firm shown since the previous check,
    // as text to read and copy; hidden for a firm without changes.
    QLabel* changeNote = nullptr;
    QLabel* translatedChangeNote = nullptr;
};

}  // namespace window
