// What one register query is, how the register's own messages are told apart and how
// a query ended: the vocabulary shared by the query service, the code that runs one
// query and whoever shows the results.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "config/proxy_settings.h"
#include "exchange/query_error.h"
#include "pages/search_criteria.h"
#include "pages/service_messages.h"

namespace lookup {

// Names one query for as long as its service lives; never 0.
using QueryId = std::uint64_t;

// One query to run.
struct QueryRequest {
    SearchCriteria criteria;
    std::string nodeText;         // the query node's text (Windows-1251), base of the count text
    std::string serviceRoot;      // "http://host[:port]", no trailing '/'
    config::ProxySettings proxy;  // useProxy false: straight to the service
};

// How a query ended. A query that was aborted by AbortAll or the service's end is
// not reported at all.
struct QueryOutcome {
    std::optional<QueryError> error;  // none: the exchange succeeded
    int firmsFound = 0;               // firmFound signals of this query
    int messagesFound = 0;            // messageFound signals of this query
    bool dailyLimit = false;          // one of its messages was the daily-limit message
    int pages = 0;                    // answer pages read: the search's answer and those it led to
    std::string pagesSha256;          // lower-case hex SHA-256 of those pages' bytes; empty: none
    bool listCut = false;             // the register showed only the list's first part

    bool ok() const { return !error.has_value(); }
};

}  // namespace lookup
