// How whoever shows the results names a query's node and the icons of the nodes
// under it.
#pragma once

#include <cstdint>

namespace window {

// Refers to a node of the results tree by a number that outlives the node. 0 means
// "no node".
using NodeHandle = std::uint64_t;

// The icons of a query's nodes; whoever shows the tree keeps its icons at these
// indexes.
enum NodeIcon : int {
    kQueryIcon = 0,    // a query node
    kFirmIcon = 1,     // a firm found
    kMessageIcon = 2,  // a service message
};

}  // namespace window
