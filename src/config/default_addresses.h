// The addresses the program was built with, and the host part of a service root.
#pragma once

#include <string>

namespace config {

// "http://" + the register service's host as built, no trailing '/'.
std::string DefaultServiceRoot();

// The fixed address the connection check asks when the service is silent.
std::string DefaultProbeUrl();

// The "host[:port]" part of a service root such as "http://127.0.0.1:8080".
std::string HostOfRoot(const std::string& serviceRoot);

}  // namespace config
