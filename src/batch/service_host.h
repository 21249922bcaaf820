// Where the register service is: --service HOST[:PORT], else the user's setting
// (QSettings "Quillmarsh"/"Vendrake", key ServiceHost), else the address the program
// was built with, which is only a placeholder.
#pragma once

#include <string>

namespace batch {

struct ServiceHost {
    std::string host;          // "host[:port]"
    bool placeholder = false;  // the build-time placeholder: the user has set nothing
};

ServiceHost ChooseServiceHost(const std::string& fromOption);

}  // namespace batch
