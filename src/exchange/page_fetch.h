// One GET of a page of the register service outside a query, as the service-address
// dialog's test asks for the search page.
#pragma once

#include <functional>
#include <string>

#include "config/proxy_settings.h"
#include "exchange/http_limits.h"
#include "exchange/query_error.h"
#include "platform/result.h"

namespace lookup {

// Fetches root + path ("http://host[:port]" + "/fns/") with the queries' headers and
// route; aborted is polled during the transfer. The answer's decoded body, or why
// there was none.
platform::Result<std::string, QueryError> FetchServicePage(const std::string& root,
                                                           const std::string& path,
                                                           const config::ProxySettings& proxy,
                                                           std::function<bool()> aborted,
                                                           const HttpLimits& limits);

}  // namespace lookup
