// The History panel: past checks from the lookup archive, newest first, a page at a
// time (the next page when the list is scrolled to its end), narrowed by a filter of
// text or INN/OGRN and a date range. Every read runs on a thread of the panel's own
// pool; the window's thread only shows what came back.
#pragma once

#include <QDockWidget>
#include <QPointer>
#include <QThreadPool>
#include <cstdint>
#include <functional>
#include <string>
#include <utility>

#include "archive/archive_db.h"
#include "window/background_read.h"

class QLineEdit;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace window {

// History entries read per page.
constexpr int kHistoryPageSize = 1000;

// One page of history as read, or why it could not be.
using HistoryPage = platform::Result<std::vector<archive::CheckSummary>>;

// The history filter the panel's fields give: digits are an INN/OGRN, anything else
// words of the query or a firm's name; dates as "YYYY-MM-DD".
archive::HistoryFilter HistoryFilterOf(const QString& text, const QString& from, const QString& to);

// A check's time as the panel shows it: local time, "YYYY-MM-DD HH:MM:SS".
QString LocalTimeOf(const std::string& checkedAt);

// A check's outcome as the panel shows it, the register's own words in the user's
// language as the results tree shows them (the archive keeps them as received).
QString OutcomeText(const archive::CheckSummary& check);

class HistoryPanel : public QDockWidget {
    Q_OBJECT
  public:
    // archivePath empty: the panel says that nothing is recorded.
    HistoryPanel(std::string archivePath, QWidget* parent = nullptr);
    ~HistoryPanel() override;

    // Reads the first page again (the filter as it stands).
    void Reload();
    // New checks are in the archive: shown at the top at once while the panel is open
    // (the current entry and the scroll position stay), read afresh when it next opens.
    void ArchiveChanged();
    // Reads the history without a filter and makes check checkId the current entry
    // once it shows.
    void Select(qint64 checkId);
    // Pages being read (tests wait for 0).
    bool loading() const { return loading_; }
    int shownCount() const;
    QTreeWidget* List() const { return list_; }
    const std::string& archivePath() const { return path_; }
    // The pool the panel reads on, for other reads of the same archive.
    QThreadPool& Pool() { return pool_; }

  signals:
    void openRequested(qint64 checkId);
    void checkAgainRequested(qint64 checkId);

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    // The filter fields, the list and the buttons, then what each of them does.
    void BuildBody();
    void ConnectControls();
    void LoadPage(std::int64_t beforeId);
    void ShowPage(int generation, HistoryPage page);
    void ShowNewer(int generation, HistoryPage page);
    QTreeWidgetItem* ItemOf(const archive::CheckSummary& check) const;
    void MaybeLoadMore();
    void FitColumnsOnce();
    void SelectWanted();
    qint64 CurrentId() const;

    std::string path_;
    QThreadPool pool_;
    QLineEdit* filter_ = nullptr;
    QLineEdit* from_ = nullptr;
    QLineEdit* to_ = nullptr;
    QTreeWidget* list_ = nullptr;
    QPushButton* open_ = nullptr;
    QPushButton* again_ = nullptr;
    int generation_ = 0;  // a new filter drops pages of the old one still on their way
    bool loading_ = false;
    bool complete_ = false;     // the last page read was the end
    std::int64_t lastId_ = 0;   // the oldest check shown
    std::int64_t firstId_ = 0;  // the newest check shown
    bool newerWanted_ = false;  // checks were added while a read was under way
    bool loaded_ = false;       // the first page was asked for
    qint64 selectWanted_ = 0;   // the check to make current once its page shows
    bool fitted_ = false;       // the columns took their content's width
};

}  // namespace window
