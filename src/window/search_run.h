// The window's side of a running search or list run: which query node each query of
// the service reports to. Destroying it aborts the run's queries and its probe.
#pragma once

#include <functional>
#include <string>
#include <unordered_map>

#include "worker/query_service.h"
#include "worker/result_nodes.h"

namespace window {

class SearchRun {
  public:
    // abandoned runs when the run is destroyed with queries still pending.
    SearchRun(worker::QueryService& service, bool listRun, std::function<void()> abandoned)
        : service_(service), listRun_(listRun), abandoned_(std::move(abandoned)) {}
    ~SearchRun();
    SearchRun(const SearchRun&) = delete;
    SearchRun& operator=(const SearchRun&) = delete;

    bool listRun() const { return listRun_; }
    void Add(worker::QueryId id, worker::NodeHandle node) { nodes_[id] = node; }
    // The node of query id, 0 when the query is not this run's.
    worker::NodeHandle NodeOf(worker::QueryId id) const;

  private:
    worker::QueryService& service_;
    bool listRun_;
    std::function<void()> abandoned_;
    std::unordered_map<worker::QueryId, worker::NodeHandle> nodes_;
};

}  // namespace window
