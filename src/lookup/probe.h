// The connectivity probe run before each search.
#pragma once

#include <chrono>
#include <functional>
#include <string>

#include "lookup/proxy_settings.h"
#include "lookup/query_error.h"

namespace lookup {

// The root page of a widely available plain-HTTP site, chosen when the program is built.
std::string DefaultProbeUrl();

struct ProbeOptions {
    std::string url = DefaultProbeUrl();
    // The whole probe at most, connection included.
    std::chrono::milliseconds limit = std::chrono::seconds(5);
    // With useProxy: exactly this proxy, as the queries use it. Otherwise the system's
    // proxy settings (http_proxy, no_proxy).
    ProxySettings proxy;
    // Polled while the probe waits (every 50 ms at most); true ends it as Aborted.
    std::function<bool()> aborted;
};

struct ProbeResult {
    bool reachable = false;  // a request could be made, whatever the answer's status
    QueryError error;        // why not, when !reachable
};

// A GET of options.url with a no-cache request. Safe to run on any thread; several
// probes may run at once.
ProbeResult Probe(const ProbeOptions& options);

// Probe through the system's proxy settings; true when reachable.
bool InternetConnection(const std::string& url = DefaultProbeUrl(),
                        std::chrono::milliseconds limit = std::chrono::seconds(5));

}  // namespace lookup
