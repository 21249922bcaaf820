// The History panel: past checks from the lookup archive, newest first, a page at a
// time (the next page when the list is scrolled to its end), narrowed by a filter of
// text or INN/OGRN and a date range. Every read runs on a thread of the panel's own
// pool; the window's thread only shows what came back.
#pragma once

#include <QDockWidget>
#include <QMetaObject>
#include <QPointer>
#include <QRunnable>
#include <QThreadPool>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <utility>

#include "archive/archive_db.h"

class QLineEdit;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace window {

// History entries read per page.
constexpr int kHistoryPageSize = 1000;

// The reads started on one pool, in a queue of their own: the pool's threads take the
// work from it and put the results back, and a bare wake-up calls them in on the thread
// the reads were started on. Work and results change threads only under Lock(), a lock
// the thread sanitizer sees; Qt's event queue carries no data of ours. A child of its
// pool, so it goes after the pool has waited for its threads.
class BackgroundReads : public QObject, public QRunnable {
    Q_OBJECT
  public:
    struct Read {
        std::function<void()> work;     // on a pool thread; never touches context
        std::function<void()> deliver;  // on the owner's thread, once work is done
        QPointer<QObject> context;      // read on the owner's thread only
    };

    // The reads of pool, made on first use on the calling thread.
    static BackgroundReads& Of(QThreadPool& pool) {
        auto* reads = pool.findChild<BackgroundReads*>(QString(), Qt::FindDirectChildrenOnly);
        return reads != nullptr ? *reads : *new BackgroundReads(pool);
    }

    // Queues read and asks the pool for a thread to run it; reads run in the order asked.
    void Start(std::unique_ptr<Read> read) {
        {
            std::lock_guard<std::mutex> lock(Lock());
            queued_.push_back(std::move(read));
        }
        pool_.start(this);
    }

    // On a pool thread: runs the reads queued, oldest first, until none is left. A
    // start finds none when an earlier one took its read, or when the pool's queue was
    // cleared and a later start took the reads left over.
    void run() override {
        std::unique_lock<std::mutex> lock(Lock());
        while (!queued_.empty()) {
            std::unique_ptr<Read> read = std::move(queued_.front());
            queued_.pop_front();
            lock.unlock();
            read->work();
            lock.lock();
            done_.push_back(std::move(read));
            if (!wakePosted_) {
                wakePosted_ = true;
                QMetaObject::invokeMethod(this, "Deliver", Qt::QueuedConnection);
            }
        }
    }

  private:
    explicit BackgroundReads(QThreadPool& pool) : QObject(&pool), pool_(pool) {
        setAutoDelete(false);  // started once per read, it lives as long as the pool
    }

  public:
    // The pool has waited for its threads: the reads it never ran and the results
    // never delivered go, taken under the lock their threads last held.
    ~BackgroundReads() override {
        std::deque<std::unique_ptr<Read>> queued;
        std::deque<std::unique_ptr<Read>> done;
        std::lock_guard<std::mutex> lock(Lock());
        queued.swap(queued_);
        done.swap(done_);
    }

  private:
    // One lock for the reads of every pool. It is not a member: a pool thread that
    // meets this object for the first time locks it before anything else, and the
    // object's memory reached that thread through the pool's queue, unseen.
    static std::mutex& Lock() {
        static std::mutex lock;
        return lock;
    }

    // Hands each finished read its result, unless its context is gone by then.
    Q_INVOKABLE void Deliver() {
        std::deque<std::unique_ptr<Read>> done;
        {
            std::lock_guard<std::mutex> lock(Lock());
            done.swap(done_);
            wakePosted_ = false;
        }
        // A result may end the pool, and this object with it: the rest are dropped.
        const QPointer<BackgroundReads> alive(this);
        for (std::unique_ptr<Read>& read : done) {
            if (!read->context.isNull()) {
                read->deliver();
            }
            if (alive.isNull()) {
                return;
            }
        }
    }

    QThreadPool& pool_;
    std::deque<std::unique_ptr<Read>> queued_;  // reads not yet taken by a pool thread
    std::deque<std::unique_ptr<Read>> done_;    // reads whose results wait for Deliver
    bool wakePosted_ = false;                   // a Deliver call is on its way
};

// Runs work on pool and hands its result to done on context's thread, unless context
// is gone by then. work must not touch context. Reads started on one pool run in the
// order they were started, one at a time when the pool has one thread.
template <typename Result>
void ReadInBackground(QThreadPool& pool, QObject* context, std::function<Result()> work,
                      std::function<void(Result)> done) {
    auto result = std::make_shared<std::optional<Result>>();
    auto read = std::make_unique<BackgroundReads::Read>();
    read->work = [work = std::move(work), result] { result->emplace(work()); };
    read->deliver = [done = std::move(done), result] { done(std::move(**result)); };
    read->context = context;
    BackgroundReads::Of(pool).Start(std::move(read));
}

// One page of history as read.
struct HistoryPage {
    std::vector<archive::CheckSummary> checks;
    std::string error;
};

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
