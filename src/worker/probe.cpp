#include "worker/probe.h"

#include <curl/curl.h>

#include <mutex>

namespace worker {

namespace {

// The body is not needed: the probe only asks whether a request could be made.
size_t DropBody(char*, size_t size, size_t count, void*) {
    return size * count;
}

}  // namespace

bool InternetConnection(const std::string& url, std::chrono::milliseconds limit) {
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });

    CURL* c = curl_easy_init();
    if (c == nullptr) {
        return false;
    }
    curl_slist* headers = nullptr;
    headers = curl_slist_append(headers, "Cache-Control: no-cache");
    headers = curl_slist_append(headers, "Pragma: no-cache");
    const long ms = limit.count() > 0 ? static_cast<long>(limit.count()) : 1L;
    curl_easy_setopt(c, CURLOPT_URL, url.c_str());
    curl_easy_setopt(c, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(c, CURLOPT_USERAGENT, "InternetConnection");
    curl_easy_setopt(c, CURLOPT_HTTPHEADER, headers);
    curl_easy_setopt(c, CURLOPT_FOLLOWLOCATION, 0L);
    curl_easy_setopt(c, CURLOPT_WRITEFUNCTION, &DropBody);
    curl_easy_setopt(c, CURLOPT_CONNECTTIMEOUT_MS, ms);
    curl_easy_setopt(c, CURLOPT_TIMEOUT_MS, ms);
    // The proxy comes from the environment (http_proxy, no_proxy), as libcurl reads it.

    const CURLcode rc = curl_easy_perform(c);
    long status = 0;
    curl_easy_getinfo(c, CURLINFO_RESPONSE_CODE, &status);
    curl_easy_cleanup(c);
    curl_slist_free_all(headers);
    // Any answer counts, whatever its status; so does one cut short after it began.
    return rc == CURLE_OK || status > 0;
}

}  // namespace worker
