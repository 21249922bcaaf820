#include "exchange/page_fetch.h"

#include <utility>

#include "config/default_addresses.h"
#include "exchange/http_session.h"

namespace lookup {

platform::Result<std::string, QueryError> FetchServicePage(const std::string& root,
                                                           const std::string& path,
                                                           const config::ProxySettings& proxy,
                                                           std::function<bool()> aborted,
                                                           const HttpLimits& limits) {
    try {
        HttpSession http(config::HostOfRoot(root), proxy, std::move(aborted), limits);
        std::string page;
        http.Get(root + path, &page);
        return page;
    } catch (const HttpError& e) {
        return platform::Failure(e.error());
    }
}

}  // namespace lookup
