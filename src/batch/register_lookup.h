// The line lookup against the register service: the search page, the search form,
// then the result pages or the entry page, through the user's proxy choice.
#pragma once

#include "batch/line_lookup.h"
#include "worker/http_session.h"
#include "worker/proxy_settings.h"

namespace batch {

class RegisterLookup : public LineLookup {
  public:
    // serviceRoot: "http://host[:port]". hint: appended to every failure's reason
    // (say, how to give the service's address), empty for none.
    RegisterLookup(std::string serviceRoot, worker::ProxySettings proxy, std::string hint = {},
                   worker::HttpLimits limits = {});

    LookupOutcome Run(const std::string& line, LineEvents& events,
                      const std::atomic<bool>& abort) override;

  private:
    std::string root_;
    worker::ProxySettings proxy_;
    std::string hint_;
    worker::HttpLimits limits_;
};

}  // namespace batch
