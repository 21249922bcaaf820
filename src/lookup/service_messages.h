// The register's own refusals and empty results: what the answer rules look for in an
// answer, and what keeps a node out of the results file.
#pragma once

#include <array>
#include <string>

namespace lookup {

struct ServiceMessage {
    std::string text;        // as the answer holds it (Windows-1251)
    std::string nodeMarker;  // a node text holding it is no firm; empty: none
    bool withFirstListItem;  // its node also shows the answer's first list item
};

// In the order the answer rules try them.
const std::array<ServiceMessage, 4>& ServiceMessages();

// True when a node's text (Windows-1251) holds a service message's node marker.
bool IsServiceMessageText(const std::string& nodeText);

}  // namespace lookup
