#include "screen/rescreen.h"

#include <condition_variable>
#include <map>
#include <memory>
#include <mutex>
#include <thread>
#include <unordered_set>
#include <utility>

#include "archive/archive_db.h"
#include "platform/result.h"

namespace screen {

namespace {

// Firms handed to a screening thread at once: enough that the queue's lock is seldom taken.
constexpr std::size_t kBatchFirms = 256;
// Batches read but not yet reported, at most: what bounds the memory of a rescreen.
constexpr std::size_t kBatchesInFlight = 16;

struct Item {
    lookup::FirmRecord firm;
    std::int64_t recordId = 0;
    std::string checkedAt;
    std::shared_ptr<const archive::CheckRecord> record;  // screened records only, for notes
};

struct Batch {
    std::vector<Item> items;
    std::vector<RescreenHit> hits;  // once screened
};

bool SameVersions(const std::vector<ListVersion>& a, const std::vector<ListVersion>& b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (a[i].id != b[i].id)
            return false;
    }
    return true;
}

// The batches between the reading thread and the screening threads, numbered in archive order.
class Pipeline {
  public:
    // Waits for room, then queues batch; false once the run has stopped.
    bool Put(Batch batch, const std::function<bool(Batch&)>& deliver) {
        std::unique_lock<std::mutex> lock(mutex_);
        for (;;) {
            if (!EmitReady(lock, deliver))
                return false;
            if (stopped_)
                return false;
            if (next_ - emitted_ < kBatchesInFlight)
                break;
            changed_.wait(lock);
        }
        queued_.emplace(next_++, std::move(batch));
        changed_.notify_all();
        return true;
    }

    // Waits until every queued batch is reported (or the run stopped).
    bool Drain(const std::function<bool(Batch&)>& deliver) {
        std::unique_lock<std::mutex> lock(mutex_);
        for (;;) {
            if (!EmitReady(lock, deliver) || stopped_)
                return false;
            if (emitted_ == next_)
                break;
            changed_.wait(lock);
        }
        finished_ = true;
        changed_.notify_all();
        return true;
    }

    // A screening thread's next batch; false when there will be none.
    bool Take(std::size_t* number, Batch* batch) {
        std::unique_lock<std::mutex> lock(mutex_);
        changed_.wait(lock, [&] { return stopped_ || finished_ || !queued_.empty(); });
        if (stopped_ || queued_.empty())
            return false;
        *number = queued_.begin()->first;
        *batch = std::move(queued_.begin()->second);
        queued_.erase(queued_.begin());
        return true;
    }

    void Done(std::size_t number, Batch batch) {
        std::lock_guard<std::mutex> lock(mutex_);
        done_.emplace(number, std::move(batch));
        changed_.notify_all();
    }

    void Stop(const std::string& error) {
        std::lock_guard<std::mutex> lock(mutex_);
        if (!stopped_)
            error_ = error;
        stopped_ = true;
        changed_.notify_all();
    }

    void Finish() {
        std::lock_guard<std::mutex> lock(mutex_);
        finished_ = true;
        changed_.notify_all();
    }

    std::string error() {
        std::lock_guard<std::mutex> lock(mutex_);
        return error_;
    }

  private:
    // Reports the screened batches that are next in order, without the lock held.
    bool EmitReady(std::unique_lock<std::mutex>& lock, const std::function<bool(Batch&)>& deliver) {
        while (!stopped_) {
            const auto ready = done_.find(emitted_);
            if (ready == done_.end())
                return true;
            Batch batch = std::move(ready->second);
            done_.erase(ready);
            lock.unlock();
            const bool going = deliver(batch);
            lock.lock();
            ++emitted_;
            changed_.notify_all();
            if (!going) {
                stopped_ = true;
                changed_.notify_all();
                return false;
            }
        }
        return false;
    }

    std::mutex mutex_;
    std::condition_variable changed_;
    std::map<std::size_t, Batch> queued_;
    std::map<std::size_t, Batch> done_;
    std::size_t next_ = 0;
    std::size_t emitted_ = 0;
    bool stopped_ = false;
    bool finished_ = false;
    std::string error_;
};

// Loads one screener a thread, all of the same versions: an import between two loads
// would otherwise screen some firms against another version.
using Screeners = std::vector<std::unique_ptr<Screener>>;

platform::Result<Screeners> LoadScreeners(const std::string& indexPath,
                                          const RescreenOptions& options, int threads) {
    Screeners screeners;
    for (int attempt = 0; attempt < 2 && static_cast<int>(screeners.size()) < threads; ++attempt) {
        screeners.clear();
        for (int i = 0; i < threads; ++i) {
            auto screener = std::make_unique<Screener>();
            const platform::Status loaded = screener->Load(indexPath, options.lists);
            if (!loaded)
                return platform::Failure(loaded.error());
            screener->setThreshold(options.threshold);
            if (!screeners.empty() && !SameVersions(screener->versions(), screeners[0]->versions()))
                break;
            screeners.push_back(std::move(screener));
        }
    }
    if (static_cast<int>(screeners.size()) < threads)
        return platform::Failure("screening index " + indexPath +
                                 ": a list was imported while it was read");
    return platform::Result<Screeners>(std::move(screeners));
}

// A screening thread: screens the batches it takes until there are none, or a read fails.
void ScreenBatches(Pipeline& pipeline, const Screener& screener) {
    std::size_t number = 0;
    Batch batch;
    while (pipeline.Take(&number, &batch)) {
        batch.hits.clear();
        for (Item& item : batch.items) {
            platform::Result<std::vector<Match>> screened = screener.Screen(item.firm);
            if (!screened) {
                pipeline.Stop(screened.error());
                return;
            }
            std::vector<Match>& matches = *screened;
            if (matches.empty())
                continue;
            RescreenHit hit;
            for (const Match& match : matches)
                hit.listedSince.push_back(item.record ? ListedSince(*item.record, item.firm, match)
                                                      : "");
            hit.firm = std::move(item.firm);
            hit.recordId = item.recordId;
            hit.checkedAt = std::move(item.checkedAt);
            hit.matches = std::move(matches);
            batch.hits.push_back(std::move(hit));
        }
        batch.items.clear();
        pipeline.Done(number, std::move(batch));
    }
}

// Counts a screened batch's hits into report and hands each to found; false when found
// stops the run.
bool Deliver(const Batch& batch, const std::function<bool(const RescreenHit&)>& found,
             RescreenReport* report) {
    for (const RescreenHit& hit : batch.hits) {
        ++report->listed;
        for (const Match& match : hit.matches) {
            report->identifierMatched = report->identifierMatched || ListedByNumber(match);
            report->linked = report->linked || !match.target;
        }
        if (!found(hit))
            return false;
    }
    return true;
}

// Reads the archive's records and queues each firm not seen before; fails when the
// archive cannot be read. *going false: the run stopped.
platform::Status QueueFirms(archive::Archive& db, const std::string& since, Pipeline& pipeline,
                            const std::function<bool(Batch&)>& deliver, RescreenReport* report,
                            bool* going) {
    // Firms already screened, by a hash of what tells them apart: eight bytes a firm, so
    // that an archive of millions of firms is screened in bounded memory. Two firms
    // sharing a hash would leave the second unscreened; with 64 bits that is as good as
    // never.
    std::unordered_set<std::uint64_t> seen;
    Batch batch;
    *going = true;
    const platform::Status scanned = db.Scan(since, [&](const archive::CheckRecord& record) {
        std::shared_ptr<const archive::CheckRecord> screened;
        if (record.screening.screened) {
            auto kept = std::make_shared<archive::CheckRecord>();
            kept->id = record.id;
            kept->screening = record.screening;
            screened = std::move(kept);
        }
        for (const lookup::FirmRecord& firm : record.firms) {
            if (!seen.insert(std::hash<std::string>()(archive::FirmIdentity(firm))).second)
                continue;
            ++report->firms;
            batch.items.push_back({firm, record.id, record.checkedAt, screened});
            if (batch.items.size() >= kBatchFirms) {
                *going = pipeline.Put(std::move(batch), deliver);
                batch = Batch();
                if (!*going)
                    return false;
            }
        }
        return true;
    });
    if (scanned && *going && !batch.items.empty())
        *going = pipeline.Put(std::move(batch), deliver);
    return scanned;
}

}  // namespace

std::string ListedSince(const archive::CheckRecord& record, const lookup::FirmRecord& firm,
                        const Match& match) {
    if (!record.screening.screened)
        return {};
    const std::string name = archive::ToUtf8(firm.name);
    const std::string inn = archive::ToUtf8(firm.inn);
    const std::string ogrn = archive::ToUtf8(firm.ogrn);
    for (const archive::ScreenMatch& was : record.screening.matches) {
        if (was.list == match.list && was.firmName == name && was.firmInn == inn &&
            was.firmOgrn == ogrn)
            return {};
    }
    for (const archive::ScreenedVersion& version : record.screening.versions) {
        if (version.list == match.list && version.number < match.versionNumber)
            return "newly listed (not on version " + std::to_string(version.number) +
                   " in record " + std::to_string(record.id) + ")";
    }
    return {};
}

platform::Status Rescreen(const std::string& archivePath, const std::string& indexPath,
                          const RescreenOptions& options,
                          const std::function<bool(const RescreenHit&)>& found,
                          RescreenReport* report, bool* refused) {
    *report = RescreenReport();
    if (refused != nullptr)
        *refused = false;
    const int threads = options.threads < 1 ? 1 : options.threads;
    // Every screening thread's screener loaded first.
    const platform::Result<Screeners> loaded = LoadScreeners(indexPath, options, threads);
    if (!loaded)
        return platform::Failure(loaded.error());
    const Screeners& screeners = *loaded;
    report->versions = screeners[0]->versions();
    report->warnings = screeners[0]->warnings();
    if (report->versions.empty())
        return platform::Failure("no list has been imported yet (vendrake-screen import FILE)");

    archive::Archive db;
    const platform::Status opened = db.Open(archivePath, archive::Archive::Access::ReadOnly);
    if (!opened) {
        if (refused != nullptr)
            *refused = db.refused();
        return opened;
    }

    Pipeline pipeline;
    std::vector<std::thread> screening;
    for (const std::unique_ptr<Screener>& screener : screeners)
        screening.emplace_back([&pipeline, &screener] { ScreenBatches(pipeline, *screener); });

    const auto deliver = [&](Batch& batch) { return Deliver(batch, found, report); };
    bool going = true;
    const platform::Status scanned =
        QueueFirms(db, options.since, pipeline, deliver, report, &going);
    if (scanned && going)
        going = pipeline.Drain(deliver);
    if (!scanned || !going)
        pipeline.Stop(scanned ? std::string() : scanned.error());
    else
        pipeline.Finish();
    for (std::thread& thread : screening)
        thread.join();
    if (!scanned)
        return scanned;
    const std::string failure = pipeline.error();
    if (!failure.empty())
        return platform::Failure(failure);
    return {};
}

}  // namespace screen
