// The window's side of a running search or list run: which query node each query of
// the service reports to. Destroying it aborts the run's queries and its probe.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "exchange/query_types.h"
#include "window/list_run.h"
#include "window/result_nodes.h"

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
    // The list run's lines, which live as long as the run.
    void SetList(std::unique_ptr<ListRun> list);
    ListRun* List() const { return list_.get(); }
    // A list run counts its lines from the start: total is then at least lines.
    void ExpectTotal(int lines) { expected_ = lines; }
    void Add(lookup::QueryId id, window::NodeHandle node) {
        nodes_[id] = Node{node, false};
        ++added_;
    }
    // A line that was checked without a query (a check digit that does not match, or
    // the daily limit reached before it went out).
    void AddChecked() {
        ++added_;
        ++ended_;
        ++skipped_;
    }
    // A queued query dropped unsent: it ends without being checked.
    void NoteDropped() { ++skipped_; }
    // The lines and queries counted in Total that were never searched for.
    int Skipped() const { return skipped_; }
    // Query id has ended (or was dropped unsent); true when it was this run's and
    // had not ended before.
    bool MarkEnded(lookup::QueryId id);
    int Total() const { return added_ > expected_ ? added_ : expected_; }
    int Ended() const { return ended_; }
    bool Done() const { return ended_ >= Total(); }
    // The node of query id, 0 when the query is not this run's.
    window::NodeHandle NodeOf(lookup::QueryId id) const;
    // The nodes of the queries not yet ended.
    std::vector<window::NodeHandle> RunningNodes() const;

  private:
    lookup::QueryService& service_;
    bool listRun_;
    std::function<void()> abandoned_;
    std::unique_ptr<ListRun> list_;
    struct Node {
        window::NodeHandle handle;
        bool ended;
    };
    std::unordered_map<lookup::QueryId, Node> nodes_;
    int added_ = 0;
    int expected_ = 0;
    int ended_ = 0;
    int skipped_ = 0;
};

}  // namespace window
