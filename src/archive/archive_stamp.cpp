#include "archive/archive_stamp.h"

#include "archive/archive_db.h"
#include "exchange/http_limits.h"

#include <curl/curl.h>
#include <openssl/asn1.h>
#include <openssl/bio.h>
#include <openssl/err.h>
#include <openssl/evp.h>
#include <openssl/objects.h>
#include <openssl/pem.h>
#include <openssl/pkcs7.h>
#include <openssl/rand.h>
#include <openssl/sha.h>
#include <openssl/ts.h>
#include <openssl/x509.h>
#include <map>

#include <strings.h>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <memory>
#include <optional>
#include <vector>

namespace archive {

namespace {

// The most an authority's answer may hold.
constexpr std::size_t kMaxReplyBytes = 1 << 20;

template <typename T, void (*Free)(T*)>
struct Freer {
    void operator()(T* p) const { Free(p); }
};
template <typename T, void (*Free)(T*)>
using Owned = std::unique_ptr<T, Freer<T, Free>>;

std::string OpenSslReason() {
    const unsigned long code = ERR_get_error();
    ERR_clear_error();
    if (code == 0)
        return "unknown reason";
    char text[256];
    ERR_error_string_n(code, text, sizeof text);
    return text;
}

// The SHA-256 of the digest's 32 bytes: the imprint a token holds. False when
// digestHex is no SHA-256 digest.
bool Imprint(const std::string& digestHex, unsigned char imprint[SHA256_DIGEST_LENGTH]) {
    if (digestHex.size() != 64)
        return false;
    unsigned char bytes[32];
    for (std::size_t i = 0; i < 32; ++i) {
        unsigned value = 0;
        if (std::sscanf(digestHex.c_str() + 2 * i, "%2x", &value) != 1)
            return false;
        bytes[i] = static_cast<unsigned char>(value);
    }
    SHA256(bytes, sizeof bytes, imprint);
    return true;
}

std::size_t Collect(char* data, std::size_t size, std::size_t count, void* target) {
    auto* reply = static_cast<std::string*>(target);
    if (reply->size() + size * count > kMaxReplyBytes)
        return 0;
    reply->append(data, size * count);
    return size * count;
}

// Notes whether the latest answer's headers carry Via: a proxy adds it to what it
// passes on, so an answer without it through a proxy is the proxy's own.
std::size_t NoteVia(char* data, std::size_t size, std::size_t count, void* target) {
    auto* via = static_cast<bool*>(target);
    const std::string line(data, size * count);
    if (line.rfind("HTTP/", 0) == 0)
        *via = false;  // a new answer (after "100 Continue") starts afresh
    else if (line.size() >= 4 && strncasecmp(line.c_str(), "via:", 4) == 0)
        *via = true;
    return size * count;
}

std::string IsoTime(const ASN1_GENERALIZEDTIME* time) {
    std::tm parts{};
    if (time == nullptr || ASN1_TIME_to_tm(time, &parts) != 1)
        return {};
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%SZ", &parts);
    return text;
}

}  // namespace

namespace {

// Fills request with the imprint, a nonce the answer must repeat, and the authority's
// certificate asked for, so that the token can be checked on its own: its DER.
platform::Result<std::string> BuildRequest(TS_REQ* request, unsigned char* imprint) {
    Owned<TS_MSG_IMPRINT, TS_MSG_IMPRINT_free> message(TS_MSG_IMPRINT_new());
    Owned<X509_ALGOR, X509_ALGOR_free> algorithm(X509_ALGOR_new());
    Owned<ASN1_INTEGER, ASN1_INTEGER_free> nonce(ASN1_INTEGER_new());
    unsigned char nonceBytes[8];
    Owned<BIGNUM, BN_free> nonceNumber(nullptr);
    bool built = request != nullptr && message && algorithm && nonce &&
                 RAND_bytes(nonceBytes, sizeof nonceBytes) == 1;
    if (built) {
        nonceNumber.reset(BN_bin2bn(nonceBytes, sizeof nonceBytes, nullptr));
        built =
            nonceNumber && BN_to_ASN1_INTEGER(nonceNumber.get(), nonce.get()) != nullptr &&
            X509_ALGOR_set0(algorithm.get(), OBJ_nid2obj(NID_sha256), V_ASN1_NULL, nullptr) == 1 &&
            TS_MSG_IMPRINT_set_algo(message.get(), algorithm.get()) == 1 &&
            TS_MSG_IMPRINT_set_msg(message.get(), imprint, SHA256_DIGEST_LENGTH) == 1 &&
            TS_REQ_set_version(request, 1) == 1 &&
            TS_REQ_set_msg_imprint(request, message.get()) == 1 &&
            TS_REQ_set_nonce(request, nonce.get()) == 1 && TS_REQ_set_cert_req(request, 1) == 1;
    }
    unsigned char* der = nullptr;
    const int derSize = built ? i2d_TS_REQ(request, &der) : -1;
    if (derSize <= 0)
        return platform::Failure("time stamp: the request cannot be made (" + OpenSslReason() +
                                 ")");
    std::string body(reinterpret_cast<const char*>(der), static_cast<std::size_t>(derSize));
    OPENSSL_free(der);
    return body;
}

}  // namespace

std::string FailedHop(const std::string& url, const std::string& proxy, int curlCode,
                      const std::string& curlError, long status, long tunnelStatus, bool passedOn) {
    const auto code = static_cast<CURLcode>(curlCode);
    const std::string why = curlError.empty() ? curl_easy_strerror(code) : curlError;
    if (proxy.empty()) {
        if (code != CURLE_OK)
            return url + " cannot be reached (" + why + ")";
        return url + " answered HTTP " + std::to_string(status);
    }
    const std::string theProxy = "the proxy " + proxy;
    const std::string behind = ", not the authority " + url + " behind it";
    if (code == CURLE_COULDNT_CONNECT || code == CURLE_COULDNT_RESOLVE_PROXY)
        return "cannot reach " + theProxy + " (" + why + "), so not " + url;
    // An https authority is reached through a tunnel the proxy opens first.
    if (tunnelStatus != 0 && tunnelStatus != 200)
        return theProxy + " answered HTTP " + std::to_string(tunnelStatus) + behind;
    // An answer's status counts even when the proxy then cut the connection (one
    // answers before it has read the request's body).
    if (code != CURLE_OK && status == 0)
        return url + " cannot be reached through " + theProxy + " (" + why + ")";
    if (status == 407)
        return theProxy + " asks for a password";
    if (passedOn)
        return url + " answered HTTP " + std::to_string(status) + " through " + theProxy;
    // Proxies answer these when they get no answer from the host (one says 500, others
    // 502 to 504).
    const bool gateway = status == 500 || status == 502 || status == 503 || status == 504;
    return theProxy + " answered HTTP " + std::to_string(status) + behind +
           (gateway ? " (it could not reach the authority)" : "");
}

namespace {

// Posts the request's body to the authority at url: its answer.
platform::Result<std::string> PostRequest(const std::string& url,
                                          const config::ProxySettings& proxy,
                                          const std::string& body) {
    lookup::InitCurlOnce();
    Owned<CURL, curl_easy_cleanup> curl(curl_easy_init());
    if (!curl)
        return platform::Failure("time stamp: no HTTP client");
    std::string reply;
    curl_slist* headers = curl_slist_append(nullptr, "Content-Type: application/timestamp-query");
    Owned<curl_slist, curl_slist_free_all> headerList(headers);
    char curlError[CURL_ERROR_SIZE] = {0};
    curl_easy_setopt(curl.get(), CURLOPT_URL, url.c_str());
    curl_easy_setopt(curl.get(), CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(curl.get(), CURLOPT_POST, 1L);
    curl_easy_setopt(curl.get(), CURLOPT_POSTFIELDS, body.data());
    curl_easy_setopt(curl.get(), CURLOPT_POSTFIELDSIZE, static_cast<long>(body.size()));
    curl_easy_setopt(curl.get(), CURLOPT_HTTPHEADER, headers);
    curl_easy_setopt(curl.get(), CURLOPT_WRITEFUNCTION, Collect);
    curl_easy_setopt(curl.get(), CURLOPT_WRITEDATA, &reply);
    curl_easy_setopt(curl.get(), CURLOPT_ERRORBUFFER, curlError);
    bool passedOn = false;
    curl_easy_setopt(curl.get(), CURLOPT_HEADERFUNCTION, NoteVia);
    curl_easy_setopt(curl.get(), CURLOPT_HEADERDATA, &passedOn);
    curl_easy_setopt(curl.get(), CURLOPT_CONNECTTIMEOUT, 30L);
    curl_easy_setopt(curl.get(), CURLOPT_TIMEOUT, 120L);
    curl_easy_setopt(curl.get(), CURLOPT_NOSIGNAL, 1L);
    // The proxy the user set for the register is the one the authority is reached
    // through; without one, none is used.
    const std::string proxyUrl =
        proxy.useProxy ? "http://" + proxy.host + ":" + proxy.port : std::string();
    curl_easy_setopt(curl.get(), CURLOPT_PROXY, proxyUrl.c_str());
    const CURLcode sent = curl_easy_perform(curl.get());
    long status = 0;
    curl_easy_getinfo(curl.get(), CURLINFO_RESPONSE_CODE, &status);
    long tunnel = 0;
    curl_easy_getinfo(curl.get(), CURLINFO_HTTP_CONNECTCODE, &tunnel);
    if (sent != CURLE_OK || status != 200)
        return platform::Failure("time stamp: " +
                                 FailedHop(url, proxy.useProxy ? proxy.host + ":" + proxy.port : "",
                                           sent, curlError, status, tunnel, passedOn));
    return reply;
}

// The signed token (DER) of the authority's answer to request, once the answer is
// found granted, for this digest and this nonce; its signature is checked against the
// CA certificates the user gives when it is verified.
platform::Result<std::string> GrantedToken(const std::string& url, TS_REQ* request,
                                           const std::string& reply) {
    const auto* bytes = reinterpret_cast<const unsigned char*>(reply.data());
    Owned<TS_RESP, TS_RESP_free> response(
        d2i_TS_RESP(nullptr, &bytes, static_cast<long>(reply.size())));
    if (!response)
        return platform::Failure("time stamp: " + url + " gave no time-stamp answer");
    Owned<TS_VERIFY_CTX, TS_VERIFY_CTX_free> context(TS_REQ_to_TS_VERIFY_CTX(request, nullptr));
    if (!context)
        return platform::Failure("time stamp: the answer cannot be checked (" + OpenSslReason() +
                                 ")");
    TS_VERIFY_CTX_set_flags(context.get(), TS_VFY_VERSION | TS_VFY_IMPRINT | TS_VFY_NONCE);
    if (TS_RESP_verify_response(context.get(), response.get()) != 1)
        return platform::Failure("time stamp: " + url + " did not grant a stamp for this digest (" +
                                 OpenSslReason() + ")");
    unsigned char* tokenDer = nullptr;
    const int tokenSize = i2d_PKCS7(TS_RESP_get_token(response.get()), &tokenDer);
    if (tokenSize <= 0)
        return platform::Failure("time stamp: the token cannot be kept (" + OpenSslReason() + ")");
    std::string token(reinterpret_cast<const char*>(tokenDer), static_cast<std::size_t>(tokenSize));
    OPENSSL_free(tokenDer);
    return token;
}

}  // namespace

platform::Result<std::string> RequestStamp(const std::string& url,
                                           const config::ProxySettings& proxy,
                                           const std::string& digestHex) {
    unsigned char imprint[SHA256_DIGEST_LENGTH];
    if (!Imprint(digestHex, imprint))
        return platform::Failure("time stamp: the head's digest is no SHA-256 digest");
    Owned<TS_REQ, TS_REQ_free> request(TS_REQ_new());
    const platform::Result<std::string> body = BuildRequest(request.get(), imprint);
    if (!body)
        return body;
    const platform::Result<std::string> reply = PostRequest(url, proxy, *body);
    if (!reply)
        return reply;
    return GrantedToken(url, request.get(), *reply);
}

namespace {

// The certificates of caFile, PEM (one or a bundle) or DER, added to store: why they
// cannot be, or empty.
std::string LoadCaInto(const std::string& caFile, X509_STORE* store,
                       STACK_OF(X509) * given = nullptr) {
    std::FILE* file = std::fopen(caFile.c_str(), "rb");
    if (file == nullptr)
        return caFile + " cannot be read (" + std::strerror(errno) + ")";
    std::string bytes;
    char buffer[8192];
    std::size_t got = 0;
    while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0 && bytes.size() <= kMaxReplyBytes)
        bytes.append(buffer, got);
    const bool failed = std::ferror(file) != 0;
    std::fclose(file);
    if (failed)
        return caFile + " cannot be read";
    if (bytes.size() > kMaxReplyBytes)
        return caFile + " is too large for a CA file";
    int added = 0;
    Owned<BIO, BIO_free_all> in(BIO_new_mem_buf(bytes.data(), static_cast<int>(bytes.size())));
    while (in) {
        Owned<X509, X509_free> cert(PEM_read_bio_X509(in.get(), nullptr, nullptr, nullptr));
        if (!cert)
            break;
        if (store != nullptr && X509_STORE_add_cert(store, cert.get()) != 1)
            continue;
        if (given != nullptr && sk_X509_push(given, cert.get()) > 0)
            cert.release();
        ++added;
    }
    ERR_clear_error();
    if (added == 0) {
        const auto* der = reinterpret_cast<const unsigned char*>(bytes.data());
        Owned<X509, X509_free> cert(d2i_X509(nullptr, &der, static_cast<long>(bytes.size())));
        ERR_clear_error();
        if (cert && (store == nullptr || X509_STORE_add_cert(store, cert.get()) == 1)) {
            if (given != nullptr && sk_X509_push(given, cert.get()) > 0)
                cert.release();
            ++added;
        }
    }
    if (added == 0)
        return caFile + " holds no certificate (neither PEM nor DER)";
    return {};
}

// The subject of cert, as RFC 2253 writes it.
std::string Subject(X509* cert) {
    Owned<BIO, BIO_free_all> out(BIO_new(BIO_s_mem()));
    if (!out || cert == nullptr)
        return {};
    X509_NAME_print_ex(out.get(), X509_get_subject_name(cert), 0, XN_FLAG_RFC2253);
    char* text = nullptr;
    const long size = BIO_get_mem_data(out.get(), &text);
    return size > 0 ? std::string(text, static_cast<std::size_t>(size)) : std::string();
}

}  // namespace

std::string CaFileProblem(const std::string& caFile) {
    return LoadCaInto(caFile, nullptr);
}

StampCheck CheckStamp(const std::string& token, const std::string& digestHex,
                      const std::string& caFile) {
    unsigned char imprint[SHA256_DIGEST_LENGTH];
    if (!Imprint(digestHex, imprint)) {
        StampCheck check;
        check.problem = "the record's digest is no SHA-256 digest";
        return check;
    }
    return CheckStampImprint(
        token, std::string(reinterpret_cast<const char*>(imprint), sizeof imprint), caFile);
}

StampCheck CheckStampImprint(const std::string& token, const std::string& expected,
                             const std::string& caFile) {
    StampCheck check;
    const auto* bytes = reinterpret_cast<const unsigned char*>(token.data());
    Owned<PKCS7, PKCS7_free> signedToken(
        d2i_PKCS7(nullptr, &bytes, static_cast<long>(token.size())));
    Owned<TS_TST_INFO, TS_TST_INFO_free> info(signedToken ? PKCS7_to_TS_TST_INFO(signedToken.get())
                                                          : nullptr);
    ERR_clear_error();
    if (!info) {
        check.problem = "it is no time-stamp token";
        return check;
    }
    const ASN1_GENERALIZEDTIME* genTime = TS_TST_INFO_get_time(info.get());
    check.time = IsoTime(genTime);
    TS_MSG_IMPRINT* stamped = TS_TST_INFO_get_msg_imprint(info.get());
    const X509_ALGOR* algorithm = stamped ? TS_MSG_IMPRINT_get_algo(stamped) : nullptr;
    const int nid = algorithm ? OBJ_obj2nid(algorithm->algorithm) : NID_undef;
    if (nid != NID_sha256) {
        check.problem = std::string("its imprint is a ") +
                        (nid == NID_undef ? "unknown" : OBJ_nid2sn(nid)) +
                        " digest, not the SHA-256 of a head's digest";
        return check;
    }
    std::tm parts{};
    if (genTime == nullptr || ASN1_TIME_to_tm(genTime, &parts) != 1) {
        check.problem = "its time cannot be read";
        return check;
    }
    const std::time_t at = timegm(&parts);
    auto* imprint = static_cast<unsigned char*>(OPENSSL_malloc(SHA256_DIGEST_LENGTH));
    if (imprint == nullptr || expected.size() != SHA256_DIGEST_LENGTH) {
        OPENSSL_free(imprint);
        check.problem = "the record's digest is no SHA-256 digest";
        return check;
    }
    std::memcpy(imprint, expected.data(), SHA256_DIGEST_LENGTH);
    Owned<TS_VERIFY_CTX, TS_VERIFY_CTX_free> context(TS_VERIFY_CTX_new());
    X509_STORE* store = X509_STORE_new();
    STACK_OF(X509)* given = sk_X509_new_null();
    const std::string caProblem = store == nullptr || given == nullptr
                                      ? "no certificate store"
                                      : LoadCaInto(caFile, store, given);
    if (!context || !caProblem.empty()) {
        sk_X509_pop_free(given, X509_free);
        X509_STORE_free(store);
        OPENSSL_free(imprint);
        check.problem = "the CA certificates cannot be used: " + caProblem;
        return check;
    }
    // The authority's certificates are judged at the time the token names: one that
    // has expired since still vouches for what it signed while it held.
    X509_VERIFY_PARAM_set_time(X509_STORE_get0_param(store), at);
    // The context owns the store and the imprint from here.
    TS_VERIFY_CTX_set_store(context.get(), store);
    TS_VERIFY_CTX_set_imprint(context.get(), imprint, SHA256_DIGEST_LENGTH);
    TS_VERIFY_CTX_set_flags(context.get(), TS_VFY_VERSION | TS_VFY_SIGNATURE | TS_VFY_IMPRINT);
    // The signer is the certificate the SignerInfo names by issuer and serial, in the
    // token or among those given; never merely the first one the token carries.
    STACK_OF(X509)* signers = PKCS7_get0_signers(signedToken.get(), given, 0);
    TS_VERIFY_CTX_set_certs(context.get(), given);  // the context owns them from here
    X509* signer =
        signers != nullptr && sk_X509_num(signers) > 0 ? sk_X509_value(signers, 0) : nullptr;
    ERR_clear_error();
    if (signer == nullptr) {
        sk_X509_free(signers);
        check.problem =
            "it cannot be vouched for (the authority's certificate is neither in the token "
            "nor given)";
        return check;
    }
    check.subject = Subject(signer);
    const bool expired = X509_cmp_current_time(X509_get0_notAfter(signer)) < 0;
    sk_X509_free(signers);
    if (TS_RESP_verify_token(context.get(), signedToken.get()) != 1) {
        check.problem =
            "its signature or imprint is not good, or no CA given vouches for its authority (" +
            OpenSslReason() + ")";
        return check;
    }
    if (expired)
        check.note = "the authority's certificate has expired since; it held at the stamp's time";
    check.valid = true;
    return check;
}

platform::Result<std::int64_t> StampHead(Archive& db, const std::string& url,
                                         const config::ProxySettings& proxy) {
    return StampHead(db, url, proxy, std::string());
}

platform::Result<std::int64_t> StampHead(Archive& db, const std::string& url,
                                         const config::ProxySettings& proxy,
                                         const std::string& caFile) {
    const platform::Result<ChainHead> head = db.Head();
    if (!head)
        return platform::Failure(head.error());
    if (head->lastId == 0 || head->records == 0)
        return platform::Failure("time stamp: the archive holds no record to stamp");
    const platform::Result<std::string> token = RequestStamp(url, proxy, head->digest);
    if (!token)
        return platform::Failure(token.error());
    // With CA certificates to judge it by, a token is kept only when it holds.
    if (!caFile.empty()) {
        const StampCheck check = CheckStamp(*token, head->digest, caFile);
        if (!check.valid)
            return platform::Failure("time stamp: " + url + " gave a token that does not hold (" +
                                     check.problem + "); nothing was kept");
    }
    const platform::Status kept = db.AddStamp({head->lastId, head->digest, url, *token});
    if (!kept)
        return platform::Failure(kept.error());
    return head->lastId;
}

platform::Result<StampsChecked> VerifyStamps(Archive& db, const std::string& caFile) {
    const platform::Result<std::vector<StoredStamp>> kept = db.Stamps();
    if (!kept)
        return platform::Failure(kept.error());
    const platform::Result<PrunedDigests> pruned = db.Pruned();
    if (!pruned)
        return platform::Failure(pruned.error());
    const platform::Result<ChainHead> head = db.Head();
    if (!head)
        return platform::Failure(head.error());
    StampsChecked checked;
    std::int64_t number = 0;
    for (const StoredStamp& stamp : *kept) {
        StampReport report;
        report.number = ++number;
        report.recordId = stamp.recordId;
        report.authority = stamp.authority;
        const std::string id = std::to_string(stamp.recordId);
        std::string digest;
        std::string& problem = report.problem;
        if (stamp.recordId == head->baseId) {
            digest = pruned->baseDigest;
        } else if (pruned->digests.count(stamp.recordId) > 0) {
            digest = pruned->digests.at(stamp.recordId);
        } else if (stamp.recordId > head->baseId) {
            const platform::Result<std::optional<CheckRecord>> record = db.Get(stamp.recordId);
            if (!record)
                return platform::Failure(record.error());
            if (*record)
                digest = (*record)->digest;
            else
                problem = "record " + id + " was removed (a time stamp covers it)";
        }
        // A token for a record pruned past the base covers nothing kept.
        if (!digest.empty() && digest != stamp.digest)
            problem = "record " + id +
                      " was altered, or one before it (its time stamp covers "
                      "another digest)";
        report.check = CheckStamp(stamp.token, stamp.digest, caFile);
        // Each token gets its own verdict; the first that fails is the archive's.
        if (!problem.empty() && checked.problem.empty())
            checked.problem = problem;
        if (!report.check.valid && problem.empty()) {
            problem = report.check.problem;
            if (checked.problem.empty())
                checked.problem = "the time stamp of record " + id + " does not hold: " + problem;
        }
        checked.stamps.push_back(std::move(report));
    }
    return checked;
}

}  // namespace archive
