// The archive database: a per-user SQLite file holding one record per check, each
// chained to the one before by its digest, with a full-text index over the firms'
// names, INNs and OGRNs. Records are only ever appended; the retention setting is the
// one way they leave. Every failure comes back as one message naming the file.
//
// An Archive is one connection: use it from one thread at a time. Any number of
// connections, in any number of processes, may use the same file at once.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "archive/check_record.h"
#include "platform/result.h"

struct sqlite3;

namespace archive {
struct StatementCache;
struct AppendStatements;
}  // namespace archive

namespace archive {

// The schema this build writes; older files are migrated forward when opened for
// writing, newer ones are refused.
constexpr int kSchemaVersion = 6;

// How long a connection waits for another writer before giving up.
constexpr int kBusyTimeoutMs = 5000;

// The most the write-ahead log beside the file keeps once an append has ended, when
// no reader holds on to older pages: a large append may grow it beyond, for a moment.
constexpr std::int64_t kWalLimitBytes = 32 << 20;

// What the retention setting keeps: records younger than keepDays and, of those,
// the newest that fit in maxMiB. 0 means no limit.
struct Retention {
    int keepDays = 0;
    std::int64_t maxMiB = 0;

    bool keepsAll() const { return keepDays <= 0 && maxMiB <= 0; }
};

// One line of the history: a check without its firms.
struct CheckSummary {
    std::int64_t id = 0;
    std::string checkedAt;
    std::string origin;
    std::string typed;
    Outcome outcome = Outcome::Firms;
    lookup::ServiceMessageKind messageKind = lookup::ServiceMessageKind::Other;
    std::string message;
    int firmCount = 0;
    std::string digest;
};

// Narrows the history. Empty members do not narrow it.
struct HistoryFilter {
    std::string text;    // in the criteria as typed, or a word of a firm's name
    std::string number;  // a firm's INN or OGRN (or its beginning)
    std::string from;    // checked on or after this date ("YYYY-MM-DD" or full time)
    std::string to;      // checked on or before this date
    int limit = 0;       // at most this many, newest first; 0: all
    // Only checks older than this one (0: from the newest): the next page of a history
    // shown a page at a time, given the last id of the page before.
    std::int64_t beforeId = 0;
};

// A firm found by a search of the archive: its latest appearance.
struct FoundFirm {
    lookup::FirmRecord firm;  // Windows-1251
    std::int64_t checkId = 0;
    std::string checkedAt;
    std::string typed;  // the query that found it
};

struct PruneReport {
    std::int64_t removed = 0;  // records removed
    std::int64_t kept = 0;     // records left
    std::int64_t bytes = 0;    // the file's size afterwards
    // False when the size limit could not be met without removing the last check of
    // a query.
    bool sizeMet = true;
};

struct VerifyReport {
    bool intact = true;
    std::int64_t records = 0;   // records checked
    std::int64_t firstBad = 0;  // the first record altered or removed
    std::string problem;        // "record 17 was altered", "record 18 was removed"
    bool indexChecked = true;   // false when the file could not be opened to check its index
};

// The newest record of the chain: what a copy kept elsewhere compares against.
struct ChainHead {
    std::int64_t records = 0;  // records in the archive
    std::int64_t lastId = 0;   // the newest record's id
    std::int64_t baseId = 0;   // the record before the oldest kept (0: none was removed)
    std::string time;          // the newest record's time
    std::string digest;        // the newest record's digest
};

// A time-stamp token kept beside the record whose digest it covers.
struct StoredStamp {
    std::int64_t recordId = 0;
    std::string digest;     // the record's digest when it was stamped
    std::string authority;  // the address the token came from
    std::string token;      // DER
};

// The digests kept of records no longer in the archive: the chain's base and the
// records pruned above it, by id.
struct PrunedDigests {
    std::string baseDigest;
    std::map<std::int64_t, std::string> digests;
};

class Archive {
  public:
    enum class Access { ReadOnly, ReadWrite };

    Archive();
    ~Archive();
    Archive(const Archive&) = delete;
    Archive& operator=(const Archive&) = delete;

    // $XDG_DATA_HOME/Quillmarsh/Vendrake/archive.sqlite, or under ~/.local/share when
    // XDG_DATA_HOME is not set to an absolute path.
    static std::string DefaultPath();

    // Opens path; ReadWrite creates it (and its folder) when missing and migrates its
    // schema. Links in the folders above path are followed; a symbolic link at path
    // or beside it (its log files), a path that is no regular file, an empty file and
    // another program's database are refused and left as they are. A new archive
    // appears whole: readers never see it without its schema. A new archive and the
    // folders made for it are the user's alone (0600, 0700). On failure the error is
    // one message.
    platform::Status Open(const std::string& path, Access access);
    // True when the last Open failed because path is no archive at all (see Open),
    // rather than an archive that cannot be used now.
    bool refused() const { return refused_; }
    // True when the last failure was another program holding the file locked: the
    // same work may succeed when tried again.
    bool locked() const { return locked_; }
    void Close();
    bool isOpen() const { return db_ != nullptr; }
    const std::string& path() const { return path_; }

    // Appends the records in one transaction, in order, giving each its id, its time
    // (when empty) and its digest. Nothing is written when it fails.
    platform::Status Append(std::vector<CheckRecord>& records);

    // The record id with its firms; none when there is no such record.
    platform::Result<std::optional<CheckRecord>> Get(std::int64_t id);

    // The history, newest first.
    platform::Result<std::vector<CheckSummary>> List(const HistoryFilter& filter);

    // Every firm ever seen whose name, INN or OGRN holds the words of text (the last
    // one may be the beginning of a word), each firm once (its latest appearance), newest
    // first. Words in double quotes ("ромашка плюс") must stand together, in that order,
    // in one of those fields; case and diacritical marks do not count.
    platform::Result<std::vector<FoundFirm>> Search(const std::string& text, int limit);

    // The newest answered check of the criteria made at or after notBefore, with its
    // firms; none when there is none.
    platform::Result<std::optional<CheckRecord>> LastAnswered(
        const lookup::SearchCriteria& criteria, const std::string& notBefore);

    // The query keys checked at least twice, in the order first checked.
    platform::Result<std::vector<std::string>> RepeatedQueries();

    // The checks of one query key, oldest first.
    platform::Result<std::vector<CheckSummary>> ChecksOf(const std::string& key);

    // The firms of one check, in answer order.
    platform::Result<std::vector<lookup::FirmRecord>> FirmsOf(std::int64_t id);

    // Calls visit with every record (firms included) checked at or after since (all
    // when empty), oldest first, until visit returns false.
    platform::Status Scan(const std::string& since,
                          const std::function<bool(const CheckRecord&)>& visit);

    // Calls visit with every screened record (without its firms) and its query key,
    // oldest first, until visit returns false.
    platform::Status ScanScreened(
        const std::function<bool(const CheckRecord&, const std::string& key)>& visit);

    // Reads between BeginRead and EndRead all see the archive as it was at the first
    // of them, and share one read transaction instead of one each. Within a
    // transaction already open, both do nothing.
    platform::Status BeginRead();
    void EndRead();

    // Follows the digest chain from the oldest kept record to the newest written, and
    // checks what is stored beside the digested values: each record's query key and
    // its hash against its criteria, its firm count against its firms, and the search
    // index against the firms.
    platform::Result<VerifyReport> Verify();
    // The same, and that the archive still extends kept: its record is there with the
    // same digest and no record it covered was removed.
    platform::Result<VerifyReport> Verify(const ChainHead& kept);

    // The chain's head as it is now.
    platform::Result<ChainHead> Head();

    // Keeps a time-stamp token beside its record; the stamps kept, oldest first.
    platform::Status AddStamp(const StoredStamp& stamp);
    platform::Result<std::vector<StoredStamp>> Stamps();
    // The chain's base digest and the digests of records pruned above it.
    platform::Result<PrunedDigests> Pruned();

    // Removes the oldest records the retention does not keep, telling what was removed
    // and kept. The size limit is met by the file as it is once the search index is
    // merged and the freed pages are handed back, and removes records, oldest first,
    // only until it is met; the last check of each query is never removed for it.
    // step, when given, is called after each part of the work that was committed.
    platform::Result<PruneReport> Prune(const Retention& retention,
                                        const std::function<void()>& step = {});

  private:
    // The failure of an SQLite call as one message naming the file; notes whether
    // another program holds the file locked.
    platform::Failed<std::string> Problem(int code, const std::string& what = {}) const;
    // A file that is no archive at all: noted for refused().
    platform::Failed<std::string> Refuse(const std::string& why);
    platform::Status OpenToWrite(const std::string& file, bool exists);
    platform::Status OpenToRead(const std::string& file, bool exists);
    platform::Status Connect(const std::string& name, int flags);
    platform::Status Exec(const std::string& sql);
    platform::Status Migrate();
    platform::Status Prepare();
    platform::Status Create(const std::string& file);
    platform::Result<int> SchemaVersion();
    platform::Result<bool> HasScreening();

    platform::Status Write(std::vector<CheckRecord>& records);
    platform::Status WriteRecord(CheckRecord& record, const std::string& previous,
                                 AppendStatements& statements);
    platform::Result<std::int64_t> WriteFirms(const CheckRecord& record, RecordHasher& hasher,
                                              AppendStatements& statements);
    void BoundWal();

    platform::Status VerifyChain(VerifyReport* report);

    platform::Result<std::int64_t> Number(const char* sql);
    platform::Status RemoveRecords(const std::vector<std::int64_t>& ids);
    platform::Status RemoveInSteps(const std::vector<std::int64_t>& ids, PruneReport* report,
                                   const std::function<void()>& step);
    platform::Result<std::vector<std::int64_t>> CheckedBefore(int keepDays);
    platform::Result<std::vector<std::int64_t>> ExcessRecords(std::int64_t bytes,
                                                              std::int64_t limit);
    platform::Status MeetSize(std::int64_t limit, std::int64_t* bytes, PruneReport* report,
                              const std::function<void()>& step);
    platform::Result<std::int64_t> Compact(const std::function<void()>& step);
    void CheckpointWal();

    sqlite3* db_ = nullptr;
    std::string path_;
    std::unique_ptr<StatementCache> cache_;
    bool readHeld_ = false;        // BeginRead opened a transaction
    bool refused_ = false;         // the last Open found no archive at its path
    mutable bool locked_ = false;  // the last failure was a lock held by another program
};

}  // namespace archive
