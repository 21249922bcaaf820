#include "lookup/probe.h"

#include <curl/curl.h>

#include <memory>
#include <mutex>

#include "lookup/http_session.h"

namespace lookup {

namespace {

// The body is not needed: the probe only asks whether a request could be made.
size_t DropBody(char*, size_t size, size_t count, void*) {
    return size * count;
}

constexpr long kPollMs = 50;

struct CurlDeleter {
    void operator()(CURL* c) const { curl_easy_cleanup(c); }
};
struct MultiDeleter {
    void operator()(CURLM* m) const { curl_multi_cleanup(m); }
};
struct ListDeleter {
    void operator()(curl_slist* l) const { curl_slist_free_all(l); }
};

QueryError Refused(const char* what, CURLcode rc, QueryErrorKind kind) {
    return QueryError{
        kind,
        std::string("the HTTP client refused the ") + what + " (" + curl_easy_strerror(rc) + ")",
        0};
}

// Sets up and runs the probe's request; returns the error that ends it, or none.
ProbeResult Run(const ProbeOptions& o) {
    std::unique_ptr<CURL, CurlDeleter> easy(curl_easy_init());
    std::unique_ptr<CURLM, MultiDeleter> multi(curl_multi_init());
    if (!easy || !multi) {
        return {false, {QueryErrorKind::Failed, "cannot create an HTTP client", 0}};
    }
    curl_slist* raw = curl_slist_append(nullptr, "Cache-Control: no-cache");
    std::unique_ptr<curl_slist, ListDeleter> headers(raw);
    curl_slist* more = raw != nullptr ? curl_slist_append(raw, "Pragma: no-cache") : nullptr;
    if (more == nullptr) {
        return {false, {QueryErrorKind::Failed, "out of memory for the request headers", 0}};
    }

    TransferContext context;
    context.host = HostOfRoot(o.url);
    context.viaProxy = o.proxy.useProxy && !o.proxy.host.empty();
    context.proxy = o.proxy.host + ":" + o.proxy.port;
    context.timeoutText = "no answer within " + DurationText(o.limit);

    CURL* c = easy.get();
    const long ms = o.limit.count() > 0 ? static_cast<long>(o.limit.count()) : 1L;
    struct Option {
        CURLcode rc;
        const char* what;
        QueryErrorKind kind;
    };
    const auto failed = [](std::initializer_list<Option> options) -> const Option* {
        for (const Option& opt : options) {
            if (opt.rc != CURLE_OK) {
                return &opt;
            }
        }
        return nullptr;
    };
    constexpr auto kFailed = QueryErrorKind::Failed;
    constexpr auto kProxy = QueryErrorKind::ProxyFailed;
    std::initializer_list<Option> common = {
        {curl_easy_setopt(c, CURLOPT_URL, o.url.c_str()), "address", kFailed},
        {curl_easy_setopt(c, CURLOPT_NOSIGNAL, 1L), "no-signal setting", kFailed},
        {curl_easy_setopt(c, CURLOPT_USERAGENT, "InternetConnection"), "user agent", kFailed},
        {curl_easy_setopt(c, CURLOPT_HTTPHEADER, raw), "request headers", kFailed},
        {curl_easy_setopt(c, CURLOPT_FOLLOWLOCATION, 0L), "redirect setting", kFailed},
        {curl_easy_setopt(c, CURLOPT_WRITEFUNCTION, &DropBody), "body callback", kFailed},
        {curl_easy_setopt(c, CURLOPT_CONNECTTIMEOUT_MS, ms), "connection time-out", kFailed},
        {curl_easy_setopt(c, CURLOPT_TIMEOUT_MS, ms), "time-out", kFailed},
    };
    if (const Option* bad = failed(common)) {
        return {false, Refused(bad->what, bad->rc, bad->kind)};
    }
#if LIBCURL_VERSION_NUM >= 0x075700
    // An abort during a slow name look-up must not wait for the resolver thread.
    if (const CURLcode rc = curl_easy_setopt(c, CURLOPT_QUICK_EXIT, 1L); rc != CURLE_OK) {
        return {false, Refused("quick-exit setting", rc, kFailed)};
    }
#endif
    if (o.proxy.useProxy) {
        long port = 0;
        try {
            port = ParseProxyPort(o.proxy.port);
        } catch (const HttpError& e) {
            return {false, e.error()};
        }
        // Exactly the chosen proxy: no_proxy from the environment must not bypass it.
        std::initializer_list<Option> proxy = {
            {curl_easy_setopt(c, CURLOPT_PROXY, o.proxy.host.c_str()), "proxy host", kProxy},
            {curl_easy_setopt(c, CURLOPT_PROXYPORT, port), "proxy port", kProxy},
            {curl_easy_setopt(c, CURLOPT_PROXYTYPE, static_cast<long>(CURLPROXY_HTTP)),
             "proxy type", kProxy},
            {curl_easy_setopt(c, CURLOPT_NOPROXY, ""), "proxy exceptions", kProxy},
        };
        if (const Option* bad = failed(proxy)) {
            return {false, Refused(bad->what, bad->rc, bad->kind)};
        }
    }
    // Without "Use proxy" libcurl reads http_proxy and no_proxy from the environment.

    CURLMcode mc = curl_multi_add_handle(multi.get(), c);
    if (mc != CURLM_OK) {
        return {
            false,
            {kFailed, std::string("cannot start the probe (") + curl_multi_strerror(mc) + ")", 0}};
    }
    bool aborted = false;
    for (;;) {
        int running = 0;
        mc = curl_multi_perform(multi.get(), &running);
        if (mc != CURLM_OK || running == 0) {
            break;
        }
        if (o.aborted && o.aborted()) {
            aborted = true;
            break;
        }
        mc = curl_multi_poll(multi.get(), nullptr, 0, kPollMs, nullptr);
        if (mc != CURLM_OK) {
            break;
        }
    }
    CURLcode rc = CURLE_OK;
    if (mc == CURLM_OK && !aborted) {
        int left = 0;
        while (CURLMsg* msg = curl_multi_info_read(multi.get(), &left)) {
            if (msg->msg == CURLMSG_DONE && msg->easy_handle == c) {
                rc = msg->data.result;
            }
        }
    }
    long status = 0;
    curl_easy_getinfo(c, CURLINFO_RESPONSE_CODE, &status);
    curl_multi_remove_handle(multi.get(), c);
    if (aborted) {
        return {false, AbortedError()};
    }
    if (mc != CURLM_OK) {
        return {false,
                {kFailed, std::string("the probe failed (") + curl_multi_strerror(mc) + ")", 0}};
    }
    // Any answer counts, whatever its status; so does one cut short after it began.
    if (rc == CURLE_OK || status > 0) {
        return {true, {}};
    }
    return {false, ErrorOfCurlCode(rc, context)};
}

}  // namespace

ProbeResult Probe(const ProbeOptions& options) {
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
    return Run(options);
}

bool InternetConnection(const std::string& url, std::chrono::milliseconds limit) {
    ProbeOptions options;
    options.url = url;
    options.limit = limit;
    return Probe(options).reachable;
}

}  // namespace lookup
