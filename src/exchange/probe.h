// The connection check run before each search: the register service first, the way the
// queries go; a fixed well-known address only when the service does not answer, to tell
// a service that is down from a missing connection.
#pragma once

#include <chrono>
#include <functional>
#include <string>

#include "config/default_addresses.h"
#include "config/proxy_settings.h"
#include "exchange/query_error.h"

namespace lookup {

struct ProbeOptions {
    // The fixed address, asked only when the service does not answer (or when no
    // serviceRoot is given).
    std::string url = config::DefaultProbeUrl();
    // The request to the fixed address at most, connection included.
    std::chrono::milliseconds limit = std::chrono::seconds(5);
    // The register service's root ("http://host[:port]"). When set, its start page is
    // asked first, exactly as the queries go: through the chosen proxy, otherwise
    // straight (no proxy from the environment).
    std::string serviceRoot;
    // The request to the service at most, connection included.
    std::chrono::milliseconds serviceLimit = std::chrono::seconds(10);
    // With useProxy: exactly this proxy, as the queries use it. Otherwise the service
    // is asked straight and the fixed address through the system's proxy settings
    // (http_proxy, no_proxy).
    config::ProxySettings proxy;
    // Polled while the check waits (every 50 ms at most); true ends it as Aborted.
    std::function<bool()> aborted;
};

struct ProbeResult {
    // With serviceRoot: the service answered, so a search can start. Without: the
    // fixed address answered. Any answer counts, whatever its status, except one that
    // a proxy gives when it cannot reach a site (500, 502 to 504) for the service.
    bool reachable = false;
    // Why not, when !reachable: the service's own failure when serviceSilent, the
    // proxy's (kind ProxyFailed) when the chosen proxy failed, otherwise the fixed
    // address's failure (no connection).
    QueryError error;
    // The service did not answer while the fixed address did.
    bool serviceSilent = false;
    // "host[:port]" of the service asked; empty without serviceRoot.
    std::string serviceHost;
};

// Runs the check; its requests send the queries' user agent. Safe to run on any
// thread; several checks may run at once.
ProbeResult Probe(const ProbeOptions& options);

// "the register service at HOST does not answer: REASON" for a result with
// serviceSilent.
std::string ServiceSilentText(const ProbeResult& result);

}  // namespace lookup
