// Checking the archive in place: the digest chain followed from the base to the head
// with what is stored beside it, the search index against the firms, and a kept head
// against the chain as it is now; and the time-stamp tokens kept beside records.
#include <sqlite3.h>

#include <map>
#include <string>
#include <thread>
#include <unordered_map>
#include <vector>

#include "archive/archive_db.h"
#include "archive/sqlite_statement.h"

namespace archive {

namespace {

// The digests of records pruned while an older one stayed, above base.
bool ReadPruned(sqlite3* db, std::int64_t base, std::map<std::int64_t, std::string>* pruned,
                int* code) {
    Statement has(db, "SELECT count(*) FROM sqlite_master WHERE name = 'pruned'");
    if (!has.Step()) {
        *code = has.code();
        return false;
    }
    if (has.Int(0) == 0)
        return true;
    Statement passed(db, "SELECT id, digest FROM pruned WHERE id > ? ORDER BY id");
    passed.Bind(1, base);
    while (passed.Step())
        pruned->emplace(passed.Int(0), passed.Text(1));
    *code = passed.code();
    return passed.ok();
}

// Query keys already found to match their criteria and hash: a query checked many
// times has its key worked out once. Forgets everything when it grows large.
class KeysSeen {
  public:
    bool Matches(const std::string& key, std::int64_t hash, const lookup::SearchCriteria& c) {
        const auto found = seen_.find(key);
        if (found != seen_.end() && found->second.hash == hash && Same(found->second.criteria, c))
            return true;
        if (key != QueryKey(c) || hash != QueryHash(key))
            return false;
        if (seen_.size() >= kMostKept)
            seen_.clear();
        seen_[key] = {hash, c};
        return true;
    }

  private:
    static constexpr std::size_t kMostKept = 1 << 16;
    struct Seen {
        std::int64_t hash;
        lookup::SearchCriteria criteria;
    };
    static bool Same(const lookup::SearchCriteria& a, const lookup::SearchCriteria& b) {
        return a.mode == b.mode && a.name == b.name && a.address == b.address &&
               a.region == b.region && a.date == b.date && a.number == b.number;
    }
    std::unordered_map<std::string, Seen> seen_;
};

// Where following the chain has got to: the id the next record must have and the
// digest it must chain to, with the digests of pruned records to pass over.
struct ChainWalk {
    explicit ChainWalk(VerifyReport* verifyReport) : report(verifyReport) {}

    // Passes over the pruned records before upTo that follow on from the last one.
    void PassOver(std::int64_t upTo) {
        for (auto at = pruned.find(expected); expected < upTo && at != pruned.end();
             at = pruned.find(expected)) {
            previous = at->second;
            ++expected;
        }
    }

    // Marks the report broken at record id; false, for the walk to stop.
    bool Bad(std::int64_t id, const std::string& what) {
        report->intact = false;
        report->firstBad = id;
        report->problem = "record " + std::to_string(id) + " was " + what;
        return false;
    }

    std::int64_t expected = 0;
    std::string previous;
    std::map<std::int64_t, std::string> pruned;
    VerifyReport* report;
};

// The firms of every check in one pass beside the checks, as they are stored (UTF-8),
// so that no firm is converted or looked up on its own. The strings are reused from
// record to record, so that reading them allocates only for a record larger than before.
class FirmReader {
  public:
    explicit FirmReader(sqlite3* db) : firms_(db, Sql()), fields_(FirmColumns().size()) {
        row_ = firms_.Step();
    }

    // Reads the firms of check id, which follows the checks read before; their count.
    std::size_t Read(std::int64_t id) {
        std::size_t used = 0;
        while (row_ && firms_.Int(0) <= id) {
            if (firms_.Int(0) == id) {
                if (values_.size() < used + fields_)
                    values_.resize(used + fields_);
                for (std::size_t i = 0; i < fields_; ++i)
                    firms_.TextInto(static_cast<int>(i) + 1, &values_[used + i]);
                used += fields_;
            }
            row_ = firms_.Step();
        }
        return used / fields_;
    }

    bool ok() const { return firms_.ok(); }
    int code() const { return firms_.code(); }
    // The values of the index-th firm read, in the order of FirmColumns().
    const std::string* firm(std::size_t index) const { return &values_[index * fields_]; }
    std::size_t fields() const { return fields_; }

  private:
    static std::string Sql() {
        std::string sql = "SELECT check_id";
        for (const FirmColumn& column : FirmColumns())
            sql += std::string(", ") + column.key;
        return sql + " FROM firms ORDER BY check_id, position";
    }

    Statement firms_;
    std::size_t fields_;
    std::vector<std::string> values_;
    bool row_ = false;
};

// Checks one record, read with its query key and hash after kCheckColumns, against the
// chain and against what is stored beside its digested values; false (with the report
// marked) when it does not hold.
bool RecordHolds(const Statement& select, CheckRecord& record, const FirmReader& firms,
                 std::size_t firmCount, ChainWalk& walk, KeysSeen& keys) {
    walk.PassOver(record.id);
    if (record.id != walk.expected)
        return walk.Bad(walk.expected, record.id > walk.expected ? "removed" : "altered");
    RecordHasher hasher(record, walk.previous, static_cast<std::int64_t>(firmCount));
    for (std::size_t f = 0; f < firmCount; ++f)
        hasher.AddFirmUtf8(firms.firm(f), firms.fields());
    const std::string screening = select.Text(19);
    if (!screening.empty() && !ScreeningFromJson(screening, &record.screening))
        return walk.Bad(record.id, "altered (its screening cannot be read)");
    hasher.AddScreening(record.screening);
    if (hasher.Finish() != record.digest)
        return walk.Bad(record.id, "altered");
    // Values kept beside the digested ones, which searches and reports rely on.
    if (!keys.Matches(select.Text(20), select.Int(21), record.criteria))
        return walk.Bad(record.id, "altered (its query key does not match its criteria)");
    if (select.Int(15) != static_cast<std::int64_t>(firmCount))
        return walk.Bad(record.id, "altered (its firm count does not match its firms)");
    walk.previous = record.digest;
    ++walk.expected;
    ++walk.report->records;
    return true;
}

// Follows the records from walk's start, oldest first, until one does not hold; the
// code of a failed read, or SQLITE_OK.
int FollowRecords(sqlite3* db, ChainWalk& walk) {
    Statement select(db,
                     "SELECT " + kCheckColumns + ", query_key, query_hash FROM checks ORDER BY id");
    FirmReader firms(db);
    KeysSeen keys;
    while (select.Step()) {
        CheckRecord record = ReadCheck(select);
        const std::size_t firmCount = firms.Read(record.id);
        if (!firms.ok())
            return firms.code();
        if (!RecordHolds(select, record, firms, firmCount, walk, keys))
            return SQLITE_OK;
    }
    return select.ok() ? SQLITE_OK : select.code();
}

}  // namespace

platform::Result<ChainHead> Archive::Head() {
    Transaction snapshot(db_);
    if (sqlite3_get_autocommit(db_) != 0) {
        const int begun = snapshot.Begin(false);
        if (begun != SQLITE_OK)
            return Problem(begun);
    }
    Statement chain(db_,
                    "SELECT head_id, head_digest, base_id, (SELECT count(*) FROM checks), "
                    "coalesce((SELECT checked_at FROM checks WHERE id = head_id), '') FROM chain");
    if (!chain.Step())
        return Problem(chain.ok() ? SQLITE_CORRUPT : chain.code());
    ChainHead head;
    head.lastId = chain.Int(0);
    head.digest = chain.Text(1);
    head.baseId = chain.Int(2);
    head.records = chain.Int(3);
    head.time = chain.Text(4);
    return head;
}

platform::Status Archive::VerifyChain(VerifyReport* report) {
    *report = VerifyReport();
    Transaction snapshot(db_);
    if (sqlite3_get_autocommit(db_) != 0) {
        const int begun = snapshot.Begin(false);
        if (begun != SQLITE_OK)
            return Problem(begun);
    }
    ChainWalk walk(report);
    std::int64_t headId = 0;
    std::string headDigest;
    {
        Statement chain(db_, "SELECT base_id, base_digest, head_id, head_digest FROM chain");
        if (!chain.Step())
            return Problem(chain.ok() ? SQLITE_CORRUPT : chain.code());
        walk.expected = chain.Int(0) + 1;
        walk.previous = chain.Text(1);
        headId = chain.Int(2);
        headDigest = chain.Text(3);
    }
    // Records pruned while an older one stayed left their digests to pass over.
    int code = SQLITE_OK;
    if (!ReadPruned(db_, walk.expected - 1, &walk.pruned, &code))
        return Problem(code);
    code = FollowRecords(db_, walk);
    if (code != SQLITE_OK)
        return Problem(code);
    if (!report->intact)
        return {};
    walk.PassOver(headId + 1);
    // The chain's head remembers the newest record written: records missing after the
    // last one, or a head moved back over them, show here.
    if (walk.expected - 1 > headId)
        walk.Bad(headId + 1, "altered");
    else if (walk.expected - 1 < headId || walk.previous != headDigest)
        walk.Bad(walk.expected, "removed");
    return {};
}

platform::Result<VerifyReport> Archive::Verify() {
    // The search index holds each kept firm's words and nothing else. Its check is run
    // as a write, on a connection of its own that may write and writes nothing, on a
    // thread of its own while this one follows the chain: the two take about as long,
    // and neither waits for the other. A file its user may only read keeps its index
    // unchecked, and says so.
    const char* name = sqlite3_db_filename(db_, "main");
    const std::string file = name != nullptr ? name : "";
    int checked = SQLITE_CANTOPEN;
    std::thread indexCheck([&file, &checked] {
        sqlite3* checker = nullptr;
        if (file.empty() ||
            sqlite3_open_v2(file.c_str(), &checker,
                            SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOFOLLOW | SQLITE_OPEN_NOMUTEX,
                            nullptr) != SQLITE_OK) {
            sqlite3_close_v2(checker);
            return;
        }
        sqlite3_busy_timeout(checker, kBusyTimeoutMs);
        checked =
            sqlite3_exec(checker,
                         "SAVEPOINT index_check; "
                         "INSERT INTO firm_text(firm_text, rank) VALUES ('integrity-check', 1)",
                         nullptr, nullptr, nullptr);
        sqlite3_exec(checker, "ROLLBACK TO index_check; RELEASE index_check", nullptr, nullptr,
                     nullptr);
        sqlite3_close_v2(checker);
    });
    // The chain is read in one transaction of this connection.
    VerifyReport report;
    const platform::Status chained = VerifyChain(&report);
    indexCheck.join();
    if (!chained)
        return platform::Failure(chained.error());
    if (!report.intact)
        return report;
    if ((checked & 0xff) == SQLITE_CORRUPT) {
        report.intact = false;
        report.problem = "the search index does not match the records";
    } else if ((checked & 0xff) == SQLITE_READONLY || (checked & 0xff) == SQLITE_CANTOPEN) {
        report.indexChecked = false;
    } else if (checked != SQLITE_OK) {
        return Problem(checked);
    }
    return report;
}

platform::Result<VerifyReport> Archive::Verify(const ChainHead& kept) {
    platform::Result<VerifyReport> verified = Verify();
    if (!verified || !verified->intact)
        return verified;
    const platform::Result<ChainHead> head = Head();
    if (!head)
        return platform::Failure(head.error());
    const ChainHead& now = *head;
    VerifyReport report = *verified;
    const auto bad = [&](std::int64_t id, const std::string& what) {
        report.intact = false;
        report.firstBad = id;
        report.problem = "record " + std::to_string(id) + " was " + what;
        return report;
    };
    if (kept.lastId > now.lastId)
        return bad(now.lastId + 1,
                   "removed (the kept head has records up to " + std::to_string(kept.lastId) + ")");
    std::string digest;
    std::map<std::int64_t, std::string> pruned;
    int code = SQLITE_OK;
    if (!ReadPruned(db_, kept.baseId, &pruned, &code))
        return Problem(code);
    {
        Statement at(db_, "SELECT digest FROM checks WHERE id = ?");
        at.Bind(1, kept.lastId);
        if (at.Step())
            digest = at.Text(0);
        else if (!at.ok())
            return Problem(at.code());
        else if (pruned.count(kept.lastId) > 0)
            digest = pruned.at(kept.lastId);
    }
    if (kept.lastId <= now.baseId || digest.empty())
        return bad(kept.baseId + 1, "removed (the kept head covers it)");
    if (digest != kept.digest)
        return bad(kept.lastId, "altered, or one before it (record " + std::to_string(kept.lastId) +
                                    " differs from the kept head)");
    // Every record the kept head covered is still here.
    Statement present(db_, "SELECT count(*), min(id) FROM checks WHERE id > ? AND id <= ?");
    present.Bind(1, kept.baseId);
    present.Bind(2, kept.lastId);
    if (!present.Step())
        return Problem(present.code());
    if (present.Int(0) < kept.records) {
        std::int64_t first = kept.baseId + 1;
        if (now.baseId <= kept.baseId && !pruned.empty())
            first = pruned.begin()->first;
        return bad(first, "removed (the kept head covers " + std::to_string(kept.records) +
                              " records, " + std::to_string(present.Int(0)) + " are left)");
    }
    return report;
}

platform::Status Archive::AddStamp(const StoredStamp& stamp) {
    Statement insert(db_,
                     "INSERT INTO stamps(record_id, digest, authority, token) VALUES (?,?,?,?)");
    insert.Bind(1, stamp.recordId);
    insert.Bind(2, stamp.digest);
    insert.Bind(3, stamp.authority);
    insert.BindBlob(4, stamp.token);
    if (!insert.Run())
        return Problem(insert.code());
    return {};
}

platform::Result<std::vector<StoredStamp>> Archive::Stamps() {
    std::vector<StoredStamp> stamps;
    Statement has(db_, "SELECT count(*) FROM sqlite_master WHERE name = 'stamps'");
    if (!has.Step())
        return Problem(has.code());
    if (has.Int(0) == 0)
        return stamps;
    Statement select(db_, "SELECT record_id, digest, authority, token FROM stamps ORDER BY id");
    while (select.Step())
        stamps.push_back({select.Int(0), select.Text(1), select.Text(2), select.Text(3)});
    if (!select.ok())
        return Problem(select.code());
    return stamps;
}

platform::Result<PrunedDigests> Archive::Pruned() {
    PrunedDigests kept;
    std::int64_t base = 0;
    {
        Statement chain(db_, "SELECT base_id, base_digest FROM chain");
        if (!chain.Step())
            return Problem(chain.ok() ? SQLITE_CORRUPT : chain.code());
        base = chain.Int(0);
        kept.baseDigest = chain.Text(1);
    }
    int code = SQLITE_OK;
    if (!ReadPruned(db_, base, &kept.digests, &code))
        return Problem(code);
    return kept;
}

}  // namespace archive
