// A sink for tests of failing exchanges that keeps every call of every worker in
// the order it was made, so a test can tell what came after a failure.
#pragma once

#include <chrono>
#include <condition_variable>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "lookup/result_nodes.h"
#include "support/standin.h"

namespace hostile {

struct Event {
    enum Kind { Add, Text, Ended } kind;
    std::string text;                          // Add, Text
    int image = 0;                             // Add
    std::optional<lookup::FirmRecord> record;  // Add
    bool ok = true;                            // Ended
};

class EventSink : public testsupport::QuerySink {
  public:
    void ChangeThreadCount(int delta) override {
        std::lock_guard<std::mutex> lock(mutex_);
        count_ += delta;
        counts_.push_back(count_);
        changed_.notify_all();
    }
    void AddResultNode(lookup::NodeHandle node, const std::string& text, int image,
                       const std::optional<lookup::FirmRecord>& record) override {
        Push(node, Event{Event::Add, text, image, record, true});
    }
    void SetNodeText(lookup::NodeHandle node, const std::string& text) override {
        Push(node, Event{Event::Text, text, 0, std::nullopt, true});
    }
    void QueryEnded(lookup::NodeHandle node, bool ok) override {
        Push(node, Event{Event::Ended, {}, 0, std::nullopt, ok});
        std::lock_guard<std::mutex> lock(mutex_);
        ++ended_;
        changed_.notify_all();
    }

    bool WaitUntilDone(int queries, std::chrono::milliseconds wait) {
        return testsupport::SpinUntil(
            [&] {
                std::lock_guard<std::mutex> lock(mutex_);
                return ended_ >= queries && count_ == 0;
            },
            wait);
    }
    std::vector<Event> EventsOf(lookup::NodeHandle node) const {
        std::lock_guard<std::mutex> lock(mutex_);
        const auto it = events_.find(node);
        return it == events_.end() ? std::vector<Event>() : it->second;
    }
    int threadCount() const {
        std::lock_guard<std::mutex> lock(mutex_);
        return count_;
    }
    // The thread count after every change.
    std::vector<int> counts() const {
        std::lock_guard<std::mutex> lock(mutex_);
        return counts_;
    }

  private:
    void Push(lookup::NodeHandle node, Event e) {
        std::lock_guard<std::mutex> lock(mutex_);
        events_[node].push_back(std::move(e));
    }

    mutable std::mutex mutex_;
    std::condition_variable changed_;
    std::map<lookup::NodeHandle, std::vector<Event>> events_;
    std::vector<int> counts_;
    int count_ = 0;
    int ended_ = 0;
};

}  // namespace hostile
