// One register query carried out on the calling thread: the search page, the form,
// and whatever the answer leads to (result pages, an entry page, a message).
#pragma once

#include <functional>
#include <string>

#include "lookup/http_session.h"
#include "lookup/query_types.h"
#include "lookup/records.h"

namespace lookup {

// What a query produces, in the order it produces it.
class QueryEvents {
  public:
    virtual ~QueryEvents() = default;
    virtual void Firm(const FirmRecord& firm) = 0;
    virtual void QueryText(const std::string& text) = 0;
    virtual void Message(const std::string& text, ServiceMessageKind kind) = 0;
    // The register showed only the first part of the list and asked for a narrower
    // search; the firms delivered are all the query gets.
    virtual void ListCut() {}
};

// Which of the register's messages an answer holds first; Other when none.
ServiceMessageKind MessageKindOf(const std::string& answer);

// Runs request through to its end. Throws HttpError when the exchange fails (what was
// reported before stays valid), including Aborted once aborted() returns true and
// TooManyResultPages after limits.maxResultPages pages.
void RunRegisterQuery(const QueryRequest& request, const HttpLimits& limits,
                      std::function<bool()> aborted, QueryEvents& out);

}  // namespace lookup
