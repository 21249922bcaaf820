#include "window/search_run.h"

#include "lookup/query_service.h"

namespace window {

SearchRun::~SearchRun() {
    const bool pending = service_.Pending() > 0;
    service_.AbortAll();
    if (pending && abandoned_) {
        abandoned_();
    }
    service_.AbortProbe();
}

lookup::NodeHandle SearchRun::NodeOf(lookup::QueryId id) const {
    const auto it = nodes_.find(id);
    return it == nodes_.end() ? 0 : it->second;
}

}  // namespace window
