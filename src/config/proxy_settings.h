#pragma once

#include <string>

namespace config {

// A query service's copy of the proxy settings, taken when it is created.
struct ProxySettings {
    bool useProxy = false;
    std::string host;  // host name, IPv4 address or bracketed IPv6 address
    std::string port;  // decimal text; read as a number only by the query service
};

}  // namespace config
