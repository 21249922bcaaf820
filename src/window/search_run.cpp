#include "window/search_run.h"

#include "exchange/query_service.h"
#include "window/list_run.h"

namespace window {

SearchRun::~SearchRun() {
    const bool pending = service_.Pending() > 0;
    service_.AbortAll();
    if (pending && abandoned_) {
        abandoned_();
    }
    service_.AbortProbe();
}

bool SearchRun::MarkEnded(lookup::QueryId id) {
    const auto it = nodes_.find(id);
    if (it == nodes_.end() || it->second.ended) {
        return false;
    }
    it->second.ended = true;
    ++ended_;
    return true;
}

void SearchRun::SetList(std::unique_ptr<ListRun> list) {
    list_ = std::move(list);
}

window::NodeHandle SearchRun::NodeOf(lookup::QueryId id) const {
    const auto it = nodes_.find(id);
    return it == nodes_.end() ? 0 : it->second.handle;
}

std::vector<window::NodeHandle> SearchRun::RunningNodes() const {
    std::vector<window::NodeHandle> running;
    for (const auto& [id, node] : nodes_) {
        if (!node.ended) {
            running.push_back(node.handle);
        }
    }
    return running;
}

}  // namespace window
