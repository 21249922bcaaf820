// The order of a list run, shared by the window and vendrake-batch: each line is
// planned (PlanListQuery), a line whose check digit does not match is skipped without
// a request, and the others are queued on a query service a few at a time, so that
// the service always has the next line at hand but no list sits in its queue whole.
// Once the service answers that its daily limit is used up, no new line is queued and
// the queued ones are dropped; the run then tells which lines were never sent.
#pragma once

#include <functional>
#include <vector>

#include "exchange/query_service.h"
#include "lists/list_file.h"
#include "lists/list_query.h"

namespace lookup {

// What a list run says of a query whose result list the register cut short: only the
// firms of its first pages were delivered.
inline constexpr char kListCutText[] =
    "Only the first firms of the list are shown: the register cut it short. Narrow the search "
    "to see the others.";

class ListRunDriver {
  public:
    struct Hooks {
        // A line not sent because a check digit does not match.
        std::function<void(const ListLine& line, const ListQuery& query)> skipped;
        // A line queued as query id.
        std::function<void(QueryId id, const ListLine& line, const ListQuery& query)> queued;
    };

    // base: the service root and proxy of every request. alreadyEnded: line numbers
    // not to send again, in ascending order. window: at most this many lines waiting in the
    // service. The service and list must outlive the driver.
    ListRunDriver(QueryService& service, const ListFile& list, QueryRequest base,
                  std::vector<int> alreadyEnded, int window, LineConverter convert, Hooks hooks);

    // Queues lines until the service holds `window` or no line is left; skipped lines
    // are reported on the way. Does nothing once stopped.
    void Pump();
    // The daily limit: no new line from now on, and the queued ones are dropped from
    // the service (their ids are returned; they were never sent).
    std::vector<QueryId> StopForLimit();
    // Nothing new from now on (a stop or a failure); the caller aborts what runs.
    void Halt() { halted_ = true; }

    bool limitReached() const { return limitReached_; }
    // Whether no further line will be queued: all were, or the run stopped.
    bool Exhausted() const;
    // The lines with something to search for that were never queued, in file order.
    std::vector<int> NotQueued() const;

  private:
    bool ToSend(const ListLine& line) const;

    QueryService& service_;
    const ListFile& list_;
    ListLines::Iterator next_;  // the next line to look at
    QueryRequest base_;
    bool Ended(int number) const;

    std::vector<int> alreadyEnded_;
    int window_;
    LineConverter convert_;
    Hooks hooks_;
    bool halted_ = false;
    bool limitReached_ = false;
};

}  // namespace lookup
