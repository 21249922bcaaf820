// The connectivity probe run before each search.
#pragma once

#include <chrono>
#include <string>

namespace worker {

// GET of url (the root page of a widely available plain-HTTP site) with a no-cache
// request, through the system's proxy settings (http_proxy). True when the request
// could be made, whatever the status. Bounded by `limit`.
bool InternetConnection(const std::string& url = VENDRAKE_PROBE_URL,
                        std::chrono::milliseconds limit = std::chrono::seconds(5));

}  // namespace worker
