// How a query worker reaches whoever shows its results (the main window, or the
// batch tool). A worker calls these on its own thread; an implementation carries
// each call out on its own (GUI) thread, in the order the worker issued them, and
// drops a call for a node that no longer exists.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "worker/records.h"

namespace worker {

// Refers to a node of the results tree without touching it from a worker thread.
// 0 means "no node".
using NodeHandle = std::uint64_t;

// The icons a worker gives the nodes it adds; whoever shows the tree keeps its icons
// at these indexes.
enum NodeIcon : int {
    kQueryIcon = 0,    // a query node
    kFirmIcon = 1,     // a firm found
    kMessageIcon = 2,  // a service message
};

class ResultSink {
  public:
    virtual ~ResultSink() = default;

    // Raise (+1) or lower (-1) the count of running workers.
    virtual void ChangeThreadCount(int delta) = 0;

    // One delivery, carried out as one uninterrupted unit: set the query node's
    // icon to imageIndex (a NodeIcon), add a child with text (Windows-1251) and the
    // same icon,
    // and, when record is given, append (query node, child, record) to the firm list.
    virtual void AddResultNode(NodeHandle queryNode, const std::string& text, int imageIndex,
                               const std::optional<FirmRecord>& record) = 0;

    // Set a node's text (Windows-1251).
    virtual void SetNodeText(NodeHandle node, const std::string& text) = 0;

    // The worker of queryNode has ended its exchange: ok is false when it ended with an
    // error (or was aborted). Called just before the worker lowers the thread count.
    virtual void QueryEnded(NodeHandle /*queryNode*/, bool /*ok*/) {}
};

}  // namespace worker
