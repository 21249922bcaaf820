// One stored check: a register query, when and where it was sent, and what came back.
// The record's text is kept as the database holds it (UTF-8); the firms are converted
// to and from the Windows-1251 records the rest of the program works with.
#pragma once

#include <QCryptographicHash>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "exchange/query_service.h"
#include "pages/records.h"
#include "pages/search_criteria.h"
#include "platform/result.h"

struct evp_md_ctx_st;

namespace archive {

// How a check ended.
enum class Outcome {
    Firms,      // the register answered with firms
    Message,    // the register answered with one of its messages (see messageKind)
    Failed,     // the exchange failed; message holds the reason
    Skipped,    // not sent (for instance a wrong check digit); message holds the reason
    Unchecked,  // not sent because the daily limit was reached before it
};

// "firms", "message", "failed", "skipped", "unchecked"; and back (false: unknown).
const char* OutcomeName(Outcome outcome);
bool OutcomeFromName(const std::string& name, Outcome* outcome);

// "daily-limit", "not-found", "error", "found-none", "other"; and back.
const char* MessageKindName(lookup::ServiceMessageKind kind);
bool MessageKindFromName(const std::string& name, lookup::ServiceMessageKind* kind);

// A record's firms kept outside it (a line's spool, perhaps on disk), read once, in
// order, while the record is written, so that an answer of any size is never held
// whole in memory on its way into the archive.
class FirmSource {
  public:
    virtual ~FirmSource() = default;
    virtual std::int64_t count() const = 0;
    // Calls visit with each firm in order; fails when they cannot be read.
    virtual platform::Status ForEach(
        const std::function<void(const lookup::FirmRecord&)>& visit) const = 0;
};

// A list version a check was screened against.
struct ScreenedVersion {
    std::string list;    // the list's name
    int number = 0;      // its version number
    std::string digest;  // the SHA-256 of the file the version was imported from, hex
};

// One entity of a list that one of the check's firms matched. Texts are UTF-8.
struct ScreenMatch {
    std::string firmName;  // the firm that matched, as the check gave it
    std::string firmInn;
    std::string firmOgrn;
    std::string list;
    int version = 0;  // the list's version number
    std::string entityId;
    std::string caption;
    std::string schema;
    std::vector<std::string> topics;  // "sanction", "debarment", ...
    std::string kind;                 // "identifier" or "name"
    std::string what;                 // "INN", "OGRN", "KPP+INN", or the entity's name property
    std::string firmValue;            // the firm's number or name form that matched
    std::string entityValue;          // the entity's number or name
    double score = 1.0;               // in [0, 1]; 1 for an identifier
};

// What screening the check's firms gave. A check that was not screened has
// screened false and adds nothing to its digest.
struct Screening {
    bool screened = false;
    std::vector<ScreenedVersion> versions;  // every version screened against
    std::vector<ScreenMatch> matches;       // empty: no firm matched
};

struct CheckRecord {
    std::int64_t id = 0;              // given by the archive, 1 upwards without gaps
    std::string checkedAt;            // "2026-12-09T11:40:00Z"; empty when appended: now
    std::string origin;               // who checked: "window" or "batch"
    std::string service;              // the service root the request went to
    std::string typed;                // the criteria as the user typed them (UTF-8)
    lookup::SearchCriteria criteria;  // as sent (Windows-1251 values)
    std::string language;             // the request's language: "ru" or a transliteration
    Outcome outcome = Outcome::Firms;
    lookup::ServiceMessageKind messageKind = lookup::ServiceMessageKind::Other;
    std::string message;                    // service message, or why it failed (UTF-8)
    std::vector<lookup::FirmRecord> firms;  // Windows-1251, as the service gave them
    int pages = 0;                          // answer pages read
    std::string pagesSha256;                // hex SHA-256 of the answer pages; may be empty
    std::string digest;                     // hex, chained to the previous record's
    Screening screening;                    // set by the caller when the firms were screened
    // When set, the firms to append are read from here and `firms` stays empty.
    std::shared_ptr<const FirmSource> firmSource;

    // The firms the record holds or will append.
    std::int64_t firmCount() const {
        return firmSource ? firmSource->count() : static_cast<std::int64_t>(firms.size());
    }
};

// A firm's field and its key in the database and in exported records, in the order
// of lookup::FirmFields(); the keys are the batch tool's jsonl and csv keys.
struct FirmColumn {
    std::string lookup::FirmRecord::*member;
    const char* key;
};
const std::vector<FirmColumn>& FirmColumns();
// Where the field stored under key is in FirmColumns(); -1 when none is.
int FirmColumnIndex(std::string_view key);

// True when the check tells what the register holds for its query: firms, or the
// register's "nothing found". A failure, a skip, the daily limit or an error message
// leaves the query not re-checked.
bool IsAnswered(Outcome outcome, lookup::ServiceMessageKind messageKind);
bool IsAnswered(const CheckRecord& record);

// The key that makes two checks "the same query": the request body the criteria give.
std::string QueryKey(const lookup::SearchCriteria& criteria);

// A query key's first eight bytes of SHA-256 as a signed integer: what the archive
// indexes checks by, so that its index holds eight bytes a check, not the whole key.
// Different keys may share one; the archive compares the keys themselves as well.
std::int64_t QueryHash(const std::string& key);

// What tells one firm apart from another within a query's answer: its OGRN, else
// its INN and KPP, else its name.
std::string FirmIdentity(const lookup::FirmRecord& firm);

// Lower-case hex SHA-256 of bytes.
std::string Sha256Hex(const std::string& bytes);

// The record's digest: SHA-256 over the previous record's digest and every stored
// value of this one (its id included), each length-prefixed so that no two records
// give the same input.
std::string RecordDigest(const CheckRecord& record, const std::string& previousDigest);

// The same digest taken a firm at a time: the record's values and firmCount first,
// then each firm as it goes by, then Finish.
class RecordHasher {
  public:
    RecordHasher(const CheckRecord& record, const std::string& previousDigest,
                 std::int64_t firmCount);
    void AddFirm(const lookup::FirmRecord& firm);
    // The same from the firm's values already in UTF-8, in the order of FirmColumns().
    void AddFirmUtf8(const std::string* values, std::size_t count);
    // What the firms were screened against and matched, after the last firm; nothing
    // when screening.screened is false, so unscreened records keep their digests.
    void AddScreening(const Screening& screening);
    std::string Finish();

    ~RecordHasher();
    RecordHasher(const RecordHasher&) = delete;
    RecordHasher& operator=(const RecordHasher&) = delete;

  private:
    void Add(const std::string& value);
    void Flush();

    evp_md_ctx_st* hash_;  // OpenSSL's SHA-256, several times faster than Qt's own
    std::string pending_;  // input not yet handed to the hash
};

// The screening as the archive stores it: one JSON object (empty when not screened),
// and back; false when text is no screening.
std::string ScreeningJson(const Screening& screening);
bool ScreeningFromJson(const std::string& text, Screening* screening);

// A score as it is digested and stored: the shortest text that reads back as the same
// double.
std::string ScoreText(double score);

// Windows-1251 <-> UTF-8.
std::string ToUtf8(const std::string& cp1251);
std::string FromUtf8(const std::string& utf8);

// "2026-12-09T11:40:00Z" for now, or for now minus days.
std::string UtcNow();
std::string UtcDaysAgo(int days);

// Accepts "YYYY-MM-DD" or "YYYY-MM-DDTHH:MM:SSZ"; true when date is one of them.
bool IsArchiveDate(const std::string& date);

}  // namespace archive
