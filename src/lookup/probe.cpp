#include "lookup/probe.h"

#include <curl/curl.h>

#include <cctype>
#include <cerrno>
#include <cstring>
#include <memory>
#include <mutex>
#include <optional>

#include "lookup/http_session.h"

namespace lookup {

std::string DefaultProbeUrl() {
    return VENDRAKE_PROBE_URL;
}

namespace {

// The body is not needed: the probe only asks whether a request could be made.
size_t DropBody(char*, size_t size, size_t count, void*) {
    return size * count;
}

struct CurlDeleter {
    void operator()(CURL* c) const { curl_easy_cleanup(c); }
};
struct MultiDeleter {  // declared after CurlDeleter: the multi handle goes first
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

// Why the chosen proxy failed the probe, if it did: it could not be found or reached,
// it did not answer in time, it closed the connection without an answer, it wants a
// password, or it says that it could not reach the site (a gateway status). Through
// a proxy, the probe's well-known site answering such a status itself is taken for the
// same: either way no search can go through.
std::optional<std::string> ProxyFault(CURL* c, CURLcode rc, long status,
                                      const TransferContext& context) {
    switch (rc) {
        case CURLE_COULDNT_RESOLVE_PROXY:
            return std::string("the host name is not known");
        case CURLE_COULDNT_CONNECT: {
            long osErrno = 0;
            curl_easy_getinfo(c, CURLINFO_OS_ERRNO, &osErrno);
            if (osErrno == ECONNREFUSED) {
                return std::string("connection refused");
            }
            if (osErrno != 0) {
                std::string text = std::strerror(static_cast<int>(osErrno));
                if (!text.empty()) {
                    text[0] = static_cast<char>(std::tolower(static_cast<unsigned char>(text[0])));
                }
                return text;
            }
            return std::string("cannot connect");
        }
        case CURLE_PROXY:
            return std::string("the proxy refused the request");
        case CURLE_OPERATION_TIMEDOUT:
            if (status == 0) {
                return context.timeoutText;
            }
            break;
        case CURLE_GOT_NOTHING:
        case CURLE_RECV_ERROR:
        case CURLE_SEND_ERROR:
            if (status == 0) {
                return std::string("the proxy closed the connection without an answer");
            }
            break;
        default:
            break;
    }
    if (status == 407) {
        return std::string("the proxy asks for a password");
    }
    // Proxies answer these when they cannot get an answer from the site (tinyproxy
    // says 500, others 502 to 504).
    if (status == 500 || status == 502 || status == 503 || status == 504) {
        return "the proxy answered HTTP " + std::to_string(status) +
               " (it could not reach the site)";
    }
    return std::nullopt;
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

    bool aborted = false;
    CURLcode rc = CURLE_OK;
    try {
        rc = static_cast<CURLcode>(RunTransfer(multi.get(), c, o.aborted, &aborted));
    } catch (const HttpError& e) {
        return {false, e.error()};
    }
    long status = 0;
    curl_easy_getinfo(c, CURLINFO_RESPONSE_CODE, &status);
    if (aborted || rc == CURLE_ABORTED_BY_CALLBACK) {
        return {false, AbortedError()};
    }
    if (context.viaProxy) {
        if (const std::optional<std::string> why = ProxyFault(c, rc, status, context)) {
            return {false, QueryError{QueryErrorKind::ProxyFailed,
                                      "Cannot reach the proxy " + context.proxy + ": " + *why, 0}};
        }
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
