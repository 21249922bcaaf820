#include "batch/screening.h"

#include <pthread.h>

#include <utility>

namespace batch {

const char* ScreenResultName(const std::vector<ScreenHit>& hits) {
    if (hits.empty()) {
        return "none";
    }
    bool target = false;
    for (const ScreenHit& hit : hits) {
        if (hit.identifier) {
            return "identifier";
        }
        target = target || hit.target;
    }
    // Matches of related parties only: linked to a listed entity, not listed.
    return target ? "name" : "link";
}

const std::vector<const char*>& ScreenColumns() {
    static const std::vector<const char*> columns = {"screening", "screening_count",
                                                     "screening_matches"};
    return columns;
}

std::string ScreenHitText(const ScreenHit& hit) {
    std::string topics;
    for (const std::string& topic : hit.topics) {
        topics += (topics.empty() ? "" : ", ") + topic;
    }
    return hit.list + " v" + std::to_string(hit.version) + ": " + hit.entityId + " \"" +
           hit.caption + "\" (" + hit.schema + (topics.empty() ? "" : "; " + topics) +
           "): " + hit.describe;
}

std::vector<std::string> ScreenCells(const std::vector<ScreenHit>& hits) {
    std::string described;
    for (const ScreenHit& hit : hits) {
        described += (described.empty() ? "" : " | ") + ScreenHitText(hit);
    }
    return {ScreenResultName(hits), std::to_string(hits.size()), described};
}

ScreeningQueue::ScreeningQueue(FirmScreen screen, std::size_t backlog, std::size_t remembered)
    : screen_(std::move(screen)), backlog_(backlog == 0 ? 1 : backlog), remembered_(remembered) {
    thread_ = std::thread([this] { Work(); });
}

ScreeningQueue::~ScreeningQueue() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        stop_ = true;
    }
    work_.notify_all();
    thread_.join();
}

void ScreeningQueue::Submit(int line, const lookup::FirmRecord& firm) {
    std::unique_lock<std::mutex> lock(mutex_);
    done_.wait(lock, [this] { return jobs_.size() < backlog_; });
    Line& l = lines_[line];
    jobs_.push_back(Job{line, l.submitted++, firm});
    // Only a waiting screening thread needs waking: one that is busy takes the job next.
    if (idle_) {
        idle_ = false;
        work_.notify_one();
    }
}

LineScreening ScreeningQueue::Take(int line) {
    std::unique_lock<std::mutex> lock(mutex_);
    done_.wait(lock, [&] {
        const auto it = lines_.find(line);
        return it == lines_.end() || it->second.screened == it->second.submitted;
    });
    const auto it = lines_.find(line);
    if (it == lines_.end()) {
        return {};
    }
    LineScreening result = std::move(it->second.result);
    lines_.erase(it);
    return result;
}

void ScreeningQueue::Drop(int line) {
    std::lock_guard<std::mutex> lock(mutex_);
    lines_.erase(line);
}

// Called without the lock: seen_ is the screening thread's own.
platform::Result<std::vector<ScreenHit>> ScreeningQueue::Screen(const lookup::FirmRecord& firm) {
    std::string key = firm.name;
    for (const std::string* part : {&firm.inn, &firm.ogrn, &firm.kpp}) {
        key += '\0';
        key += *part;
    }
    const auto known = seen_.find(key);
    if (known != seen_.end()) {
        return known->second;
    }
    platform::Result<std::vector<ScreenHit>> hits = screen_(firm);
    if (hits && remembered_ > 0) {
        if (seen_.size() >= remembered_) {
            seen_.clear();  // a run of many different firms: start remembering afresh
        }
        seen_.emplace(std::move(key), *hits);
    }
    return hits;
}

void ScreeningQueue::Work() {
    // Named, so that what screening costs can be told apart in /proc.
    pthread_setname_np(pthread_self(), "batch-screening");
    std::unique_lock<std::mutex> lock(mutex_);
    for (;;) {
        while (!stop_ && jobs_.empty()) {
            idle_ = true;
            work_.wait(lock);
        }
        idle_ = false;
        if (stop_) {
            return;
        }
        const bool wasFull = jobs_.size() >= backlog_;
        Job job = std::move(jobs_.front());
        jobs_.pop_front();
        if (wasFull) {
            done_.notify_all();  // room for a waiting Submit
        }
        auto line = lines_.find(job.line);
        if (line == lines_.end()) {
            continue;  // dropped
        }
        const bool failed = !line->second.result.error.empty();
        std::vector<ScreenHit> hits;
        std::string error;
        if (!failed) {
            // Screening reads the index: the queue stays open to Submit meanwhile.
            lock.unlock();
            platform::Result<std::vector<ScreenHit>> screened = Screen(job.record);
            if (screened) {
                hits = std::move(*screened);
            } else {
                error = screened.error();
            }
            lock.lock();
        }
        line = lines_.find(job.line);
        if (line == lines_.end()) {
            continue;  // dropped while it was screened
        }
        LineScreening& result = line->second.result;
        if (!error.empty() && result.error.empty()) {
            result.error = error;
        }
        if (!hits.empty()) {
            const std::string kind = ScreenResultName(hits);
            ++(kind == "identifier" ? result.identifierFirms
               : kind == "name"     ? result.nameFirms
                                    : result.linkedFirms);
            result.hits[job.firm] = std::move(hits);
        }
        if (++line->second.screened == line->second.submitted) {
            done_.notify_all();  // the line may be taken
        }
    }
}

}  // namespace batch
