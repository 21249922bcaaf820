// Time stamps from an authority the user chooses (RFC 3161): a chain head's digest is
// sent to the authority, whose signed token says the digest existed at its time; the
// token is kept beside the record it covers and checked later against the
// authority's CA certificates. The message stamped is the digest's 32 bytes; the
// token holds their SHA-256.
#pragma once

#include <cstdint>
#include <string>

#include <vector>

#include "config/proxy_settings.h"
#include "platform/result.h"

namespace archive {

class Archive;

// Sends digestHex (a record's digest) to the authority at url (http or https) through
// proxy, and checks its answer: granted, for this digest and this request. The signed
// token (DER), or what went wrong.
platform::Result<std::string> RequestStamp(const std::string& url,
                                           const config::ProxySettings& proxy,
                                           const std::string& digestHex);

// Which hop of a request to the authority at url failed, and how (without the
// "time stamp: " prefix): the proxy ("host:port", empty for none) or the authority
// behind it. curlCode is the transfer's CURLcode, curlError its message, status the
// answer's HTTP status, tunnelStatus the proxy's answer to an https tunnel (0 for
// none), and passedOn whether the answer carried Via, which a proxy adds to what it
// passes on.
std::string FailedHop(const std::string& url, const std::string& proxy, int curlCode,
                      const std::string& curlError, long status, long tunnelStatus, bool passedOn);

// What a token says, once checked.
struct StampCheck {
    bool valid = false;
    std::string subject;  // the authority's certificate subject
    std::string time;     // "2026-12-09T11:40:00Z"
    std::string problem;  // why it is not valid
    std::string note;     // what a valid token's reader should know (an expired certificate)
};

// Why the CA certificates in caFile (PEM, one or a bundle, or DER) cannot be used: the
// file cannot be read or holds no certificate. Empty when they can.
std::string CaFileProblem(const std::string& caFile);

// Checks token (DER) against the CA certificates in caFile (PEM or DER): signed by an
// authority they vouch for at the token's time, over the SHA-256 of digestHex.
StampCheck CheckStamp(const std::string& token, const std::string& digestHex,
                      const std::string& caFile);

// The same over expected, the imprint's 32 bytes themselves (what CheckStamp takes
// from the digest).
StampCheck CheckStampImprint(const std::string& token, const std::string& expected,
                             const std::string& caFile);

// One kept token, checked.
struct StampReport {
    std::int64_t number = 0;  // its place among the kept tokens, oldest first, from 1
    std::int64_t recordId = 0;
    std::string authority;
    StampCheck check;
    std::string problem;  // why it does not hold (the token, or the record it covers)
};

// Stamps the archive's head: requests a token for its newest record's digest and
// keeps it beside that record; the record's id.
platform::Result<std::int64_t> StampHead(Archive& db, const std::string& url,
                                         const config::ProxySettings& proxy);

// The same, and with caFile given the token is kept only when it holds against it;
// otherwise nothing is kept and the failure says which check failed.
platform::Result<std::int64_t> StampHead(Archive& db, const std::string& url,
                                         const config::ProxySettings& proxy,
                                         const std::string& caFile);

// The kept tokens, checked: each one's verdict, and the first that does not hold.
struct StampsChecked {
    std::vector<StampReport> stamps;
    std::string problem;  // names the first token that does not hold; empty when all do
};

// Checks every kept token against caFile and against the record it covers: that
// record must still be there with the digest the token was given.
platform::Result<StampsChecked> VerifyStamps(Archive& db, const std::string& caFile);

}  // namespace archive
