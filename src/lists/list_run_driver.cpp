#include "lists/list_run_driver.h"

#include <algorithm>
#include <utility>

namespace lookup {

ListRunDriver::ListRunDriver(QueryService& service, const ListFile& list, QueryRequest base,
                             std::vector<int> alreadyEnded, int window, LineConverter convert,
                             Hooks hooks)
    : service_(service),
      list_(list),
      next_(list.entries.begin()),
      base_(std::move(base)),
      alreadyEnded_(std::move(alreadyEnded)),
      window_(window),
      convert_(std::move(convert)),
      hooks_(std::move(hooks)) {}

void ListRunDriver::Pump() {
    while (!halted_ && !limitReached_ && next_ != list_.entries.end() &&
           service_.Pending() < window_) {
        const ListLine line = *next_;
        ++next_;
        if (Ended(line.number)) {
            continue;
        }
        ListQuery query = PlanListQuery(line.text, convert_);
        if (query.action == ListQuery::Action::Pass) {
            continue;
        }
        if (query.action == ListQuery::Action::Skip) {
            if (hooks_.skipped) {
                hooks_.skipped(line, query);
            }
            continue;
        }
        QueryRequest request = base_;
        request.criteria = query.criteria;
        request.nodeText = query.text;
        const QueryId id = service_.Enqueue(std::move(request));
        if (hooks_.queued) {
            hooks_.queued(id, line, query);
        }
    }
}

std::vector<QueryId> ListRunDriver::StopForLimit() {
    if (limitReached_) {
        return {};
    }
    limitReached_ = true;
    return service_.DropQueued();
}

bool ListRunDriver::Exhausted() const {
    return halted_ || limitReached_ || next_ == list_.entries.end();
}

bool ListRunDriver::Ended(int number) const {
    return std::binary_search(alreadyEnded_.begin(), alreadyEnded_.end(), number);
}

bool ListRunDriver::ToSend(const ListLine& line) const {
    return !Ended(line.number) && PlanListQuery(line.text).action != ListQuery::Action::Pass;
}

std::vector<int> ListRunDriver::NotQueued() const {
    std::vector<int> lines;
    for (ListLines::Iterator it = next_; it != list_.entries.end(); ++it) {
        const ListLine line = *it;
        if (ToSend(line)) {
            lines.push_back(line.number);
        }
    }
    return lines;
}

}  // namespace lookup
