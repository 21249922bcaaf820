#include "window/window_sink.h"

namespace window {

SearchRun::~SearchRun() {
    service_.AbortAll();
    service_.AbortProbe();
}

worker::NodeHandle SearchRun::NodeOf(worker::QueryId id) const {
    const auto it = nodes_.find(id);
    return it == nodes_.end() ? 0 : it->second;
}

}  // namespace window
