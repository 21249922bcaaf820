// Screening in the window: every firm the results hold is checked against the newest
// version of each watch list in the screening index, on a thread of its own with a
// screener of its own; the matches come back to the window's thread by queued calls.
// Without any list loaded nothing is screened and the window works as it would
// without screening.
#pragma once

#include <QIcon>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QThreadPool>
#include <QTimer>
#include <functional>
#include <memory>
#include <string>
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
    // Waits for its thread: a batch being screened is finished, and what it found dropped.
    ~Screening() override;

    // The index read; the usual one unless told otherwise (before Reload).
    void SetIndexPath(std::string path) { path_ = std::move(path); }
    const std::string& indexPath() const { return path_; }
    // The least score a name match is shown with (from the next Reload on).
    void SetThreshold(double threshold) { threshold_ = threshold; }
    // Loads the newest version of each list anew on its thread (after an import).
    void Reload();
    // The versions loaded, as last told by `loaded`.
    const std::vector<screen::ListVersion>& versions() const { return versions_; }
    // Whether Reload has told its result yet.
    bool ready() const { return ready_; }

    // Queues firm, in child row `child` of query `query`, to be screened; nothing is
    // done while no list is loaded. Firms queued in one turn of the event loop go to
    // its thread together.
    void Add(window::NodeHandle query, int child, const lookup::FirmRecord& firm);
    // Screens the firms of record on its thread, after the firms queued before, and
    // sets its screening to the versions screened against and every match; then calls
    // done on its thread, with why the screening failed (empty when it did not). While
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

    std::string path_;
    double threshold_ = screen::kDefaultThreshold;
    std::vector<screen::ListVersion> versions_;
    bool ready_ = false;
    std::vector<Firm> pending_;
    QTimer batchTimer_;
    // Used only on pool_'s one thread.
    std::shared_ptr<screen::Screener> screener_;
    QThreadPool pool_;
};

}  // namespace window
