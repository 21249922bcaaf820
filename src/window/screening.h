// Screening in the window: every firm the results hold is checked against the newest
// version of each watch list in the screening index, on a thread of its own with a
// screener of its own; the matches come back to the window's thread through a locked
// list and a queued wake-up.
// Without any list loaded nothing is screened and the window works as it would
// without screening.
#pragma once

#include <QIcon>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <condition_variable>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "archive/check_record.h"
#include "pages/records.h"
#include "screen/index.h"
#include "screen/screener.h"
#include "window/result_nodes.h"

namespace window {

// What a firm row shows of its matches.
struct ScreenMark {
    bool identifier = false;  // some match is by INN, OGRN or KPP+INN
    std::vector<screen::Match> matches;
};

// The marks of firm rows: a red flag for a match by number, an amber one for a name.
QIcon ScreeningIcon(bool identifier);

// "NAME version N (E entities, imported AT)"; with the file's digest when withDigest.
QString VersionText(const screen::ListVersion& version, bool withDigest = false);

class Screening : public QObject {
    Q_OBJECT
  public:
    explicit Screening(QObject* parent = nullptr);
    // Waits for the screening thread: the work queued is finished (every ScreenCheck
    // told), and what it found for the window dropped.
    ~Screening() override;

    // The index read; the usual one unless told otherwise (before Reload).
    void SetIndexPath(std::string path) { path_ = std::move(path); }
    const std::string& indexPath() const { return path_; }
    // The least score a name match is shown with (from the next Reload on).
    void SetThreshold(double threshold) { threshold_ = threshold; }
    // Loads the newest version of each list anew on the screening thread (after an import).
    void Reload();
    // The versions loaded, as last told by `loaded`.
    const std::vector<screen::ListVersion>& versions() const { return versions_; }
    // Whether Reload has told its result yet.
    bool ready() const { return ready_; }

    // Queues firm, in child row `child` of query `query`, to be screened; nothing is
    // done while no list is loaded. Firms queued in one turn of the event loop go to
    // the screening thread together.
    void Add(window::NodeHandle query, int child, const lookup::FirmRecord& firm);
    // Screens the firms of record on the screening thread, after the firms queued
    // before, and sets its screening to the versions screened against and every match;
    // then calls done on that thread, with why the screening failed (empty when it did not). While
    // no list is loaded, or when a firm cannot be screened, the record is left
    // unscreened. done is always called, at the latest while this object goes.
    void ScreenCheck(std::shared_ptr<archive::CheckRecord> record,
                     std::function<void(const QString& error)> done);
    // Waits until every firm queued so far has been screened and its matches told
    // (tests).
    void Flush();

  signals:
    // The lists loaded have changed (or failed to load: error says why).
    void loaded(const QString& error);
    // The firm of child row `child` under query matches mark's entities.
    void screened(window::NodeHandle query, int child, const window::ScreenMark& mark);

  private:
    struct Firm {
        window::NodeHandle query;
        int child;
        lookup::FirmRecord record;
    };
    void SendBatch();
    // Queues job for the screening thread, after the jobs queued before.
    void Queue(std::function<void()> job);
    // The screening thread: each job in turn, until the end with none left.
    void RunJobs();
    // Runs call on this object's thread, after the calls posted before it.
    void Post(std::function<void()> call);
    // Runs the calls posted so far (on this object's thread).
    Q_INVOKABLE void RunPosted();

    std::string path_;
    double threshold_ = screen::kDefaultThreshold;
    std::vector<screen::ListVersion> versions_;
    bool ready_ = false;
    std::vector<Firm> pending_;
    QTimer batchTimer_;
    // Used only on the screening thread.
    std::shared_ptr<screen::Screener> screener_;

    // Every hand-over between this object's thread and the screening thread.
    std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<std::function<void()>> jobs_;     // for the screening thread, in order
    bool running_ = false;                       // the screening thread holds a job
    bool stopping_ = false;                      // the thread ends once jobs_ is empty
    std::vector<std::function<void()>> posted_;  // calls for this object's thread
    bool wakePosted_ = false;                    // a RunPosted call is on its way
    std::thread thread_;
};

}  // namespace window
