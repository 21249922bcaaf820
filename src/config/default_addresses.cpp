#include "config/default_addresses.h"

namespace config {

std::string DefaultServiceRoot() {
    return std::string("http://") + VENDRAKE_SERVICE_HOST;
}

std::string DefaultProbeUrl() {
    return VENDRAKE_PROBE_URL;
}

std::string HostOfRoot(const std::string& serviceRoot) {
    std::string rest = serviceRoot;
    const auto scheme = rest.find("://");
    if (scheme != std::string::npos) {
        rest.erase(0, scheme + 3);
    }
    const auto slash = rest.find('/');
    if (slash != std::string::npos) {
        rest.erase(slash);
    }
    return rest;
}

}  // namespace config
