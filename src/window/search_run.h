// The window's side of a running search or list run: which query node each query of
// the service reports to. Destroying it aborts the run's queries and its probe.
#pragma once

#include <functional>
#include <string>
#include <unordered_map>

#include "lookup/query_types.h"
#include "lookup/result_nodes.h"

namespace lookup {
class QueryService;
}

namespace window {

class SearchRun {
  public:
    // abandoned runs when the run is destroyed with queries still pending.
    SearchRun(lookup::QueryService& service, bool listRun, std::function<void()> abandoned)
        : service_(service), listRun_(listRun), abandoned_(std::move(abandoned)) {}
    ~SearchRun();
    SearchRun(const SearchRun&) = delete;
    SearchRun& operator=(const SearchRun&) = delete;

    bool listRun() const { return listRun_; }
    void Add(lookup::QueryId id, lookup::NodeHandle node) {
        nodes_[id] = node;
        ++total_;
    }
    // A line that was checked without a query (a check digit that does not match).
    void AddChecked() {
        ++total_;
        ++ended_;
    }
    // Query id has ended.
    void MarkEnded(lookup::QueryId id) { ended_ += nodes_.count(id) > 0 ? 1 : 0; }
    int Total() const { return total_; }
    int Ended() const { return ended_; }
    // The node of query id, 0 when the query is not this run's.
    lookup::NodeHandle NodeOf(lookup::QueryId id) const;

  private:
    lookup::QueryService& service_;
    bool listRun_;
    std::function<void()> abandoned_;
    std::unordered_map<lookup::QueryId, lookup::NodeHandle> nodes_;
    int total_ = 0;
    int ended_ = 0;
};

}  // namespace window
