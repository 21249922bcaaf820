// The register's own refusals and empty results: what the answer rules look for in an
// answer, and what keeps a node out of the results file.
#pragma once

#include <array>
#include <string>

namespace lookup {

// Which of the register's own messages a message node carries.
enum class ServiceMessageKind {
    DailyLimit,  // the day's request limit is used up: further queries are refused too
    NotFound,    // no record found
    Error,       // the service reports an error
    FoundNone,   // "found: 0" with the answer's first list item
    Other,
};

struct ServiceMessage {
    const char* source;      // UTF-8, marked for translation in the context "ServiceMessage"
    std::string text;        // as the answer holds it (Windows-1251)
    std::string nodeMarker;  // a node text holding it is no firm; empty: none
    bool withFirstListItem;  // its node also shows the answer's first list item
    ServiceMessageKind kind;
};

// In the order the answer rules try them.
const std::array<ServiceMessage, 4>& ServiceMessages();

// Which of the messages answer (Windows-1251) holds first; Other when none.
ServiceMessageKind ServiceMessageKindOf(const std::string& answer);

// The translation context of the messages' source texts.
extern const char* const kServiceMessageContext;

// True when a node's text (Windows-1251) holds a service message's node marker.
bool IsServiceMessageText(const std::string& nodeText);

}  // namespace lookup
