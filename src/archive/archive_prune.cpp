// Pruning: the one way records leave the archive. Records go oldest first; a record
// removed while an older one stays leaves its digest behind, so that the chain still
// runs from the base through every record kept. The size limit is measured on the
// file as it is once the search index is merged and the freed pages are handed back:
// rows removed from the index otherwise stay in it as deletion markers.
#include <sqlite3.h>
#include <sys/stat.h>

#include <algorithm>
#include <string>
#include <vector>

#include "archive/archive_db.h"
#include "archive/sqlite_statement.h"

namespace archive {

namespace {

// Records removed in one transaction at most, so that the log stays near its limit.
constexpr std::size_t kRecordsPerStep = 256;
// Pages handed back to the file system in one transaction at most (16 MiB at 4 KiB).
constexpr int kPagesPerStep = 4096;

// The file's size once the log is copied into it.
constexpr const char* kFileBytes =
    "SELECT page_count * page_size FROM pragma_page_count, pragma_page_size";

}  // namespace

bool Archive::Number(const char* sql, std::int64_t* value, std::string* error) {
    // The statement ends here, so that it holds no read transaction open while the log
    // is copied into the file.
    Statement select(db_, sql);
    if (!select.Step())
        return Fail(select.ok() ? SQLITE_CORRUPT : select.code(), {}, error);
    *value = select.Int(0);
    return true;
}

bool Archive::Prune(const Retention& retention, std::int64_t* removed, std::string* error) {
    PruneReport report;
    const bool ok = Prune(retention, &report, error);
    *removed = report.removed;
    return ok;
}

void Archive::CheckpointWal() {
    sqlite3_busy_timeout(db_, 0);
    // Deliberately unchecked: a reader holding on leaves the log as it is, whole; the
    // next step or append tries again.
    sqlite3_wal_checkpoint_v2(db_, nullptr, SQLITE_CHECKPOINT_TRUNCATE, nullptr, nullptr);
    sqlite3_busy_timeout(db_, kBusyTimeoutMs);
}

bool Archive::RemoveRecords(const std::vector<std::int64_t>& ids, std::string* error) {
    Transaction transaction(db_);
    const int begun = transaction.Begin(true);
    if (begun != SQLITE_OK)
        return Fail(begun, {}, error);
    if (!Exec("CREATE TEMP TABLE IF NOT EXISTS doomed(id INTEGER PRIMARY KEY); "
              "DELETE FROM doomed",
              error))
        return false;
    Statement doom(db_, "INSERT INTO doomed(id) VALUES (?)");
    for (const std::int64_t id : ids) {
        doom.Reset();
        doom.Bind(1, id);
        if (!doom.Run())
            return Fail(doom.code(), {}, error);
    }
    // The index is told each firm's values as it holds them, so that it can take out
    // exactly the words it was given.
    if (!Exec("INSERT INTO firm_text(firm_text, rowid, name, inn, ogrn) "
              "SELECT 'delete', id, name, inn, ogrn FROM firms "
              "WHERE check_id IN (SELECT id FROM doomed); "
              "INSERT OR REPLACE INTO pruned(id, digest) "
              "SELECT id, digest FROM checks WHERE id IN (SELECT id FROM doomed); "
              "DELETE FROM firms WHERE check_id IN (SELECT id FROM doomed); "
              "DELETE FROM checks WHERE id IN (SELECT id FROM doomed); "
              "DELETE FROM doomed",
              error))
        return false;
    // The base moves up to the record before the oldest kept; the digests it passed
    // over are no longer needed.
    Statement oldest(db_,
                     "SELECT coalesce((SELECT min(id) FROM checks), "
                     "(SELECT head_id FROM chain) + 1)");
    if (!oldest.Step())
        return Fail(oldest.code(), {}, error);
    const std::int64_t base = oldest.Int(0) - 1;
    Statement move(db_,
                   "UPDATE chain SET base_id = ?1, base_digest = "
                   "(SELECT digest FROM pruned WHERE id = ?1) "
                   "WHERE base_id < ?1 AND EXISTS (SELECT 1 FROM pruned WHERE id = ?1)");
    move.Bind(1, base);
    if (!move.Run())
        return Fail(move.code(), {}, error);
    Statement forget(db_, "DELETE FROM pruned WHERE id <= (SELECT base_id FROM chain)");
    if (!forget.Run())
        return Fail(forget.code(), {}, error);
    const int committed = transaction.Commit();
    return committed == SQLITE_OK || Fail(committed, {}, error);
}

bool Archive::Compact(std::int64_t* bytes, const std::function<void()>& step, std::string* error) {
    {
        Transaction transaction(db_);
        const int begun = transaction.Begin(true);
        if (begun != SQLITE_OK)
            return Fail(begun, {}, error);
        // Merges the index into one segment, dropping the deletion markers.
        if (!Exec("INSERT INTO firm_text(firm_text) VALUES ('optimize')", error))
            return false;
        const int committed = transaction.Commit();
        if (committed != SQLITE_OK)
            return Fail(committed, {}, error);
    }
    CheckpointWal();
    if (step)
        step();
    std::int64_t mode = 0;
    if (!Number("PRAGMA auto_vacuum", &mode, error))
        return false;
    if (mode == 0) {
        // A file made without incremental vacuum is copied whole.
        if (!Exec("VACUUM", error))
            return false;
        CheckpointWal();
    } else {
        for (;;) {
            std::int64_t free = 0;
            if (!Number("PRAGMA freelist_count", &free, error))
                return false;
            if (free == 0)
                break;
            const std::string vacuum =
                "PRAGMA incremental_vacuum(" + std::to_string(kPagesPerStep) + ")";
            {
                Statement hand(db_, vacuum);
                while (hand.Step()) {
                }
                if (!hand.ok())
                    return Fail(hand.code(), {}, error);
            }
            CheckpointWal();
            if (step)
                step();
        }
    }
    return Number(kFileBytes, bytes, error);
}

bool Archive::Prune(const Retention& retention, PruneReport* report, std::string* error,
                    const std::function<void()>& step) {
    *report = PruneReport();
    const auto remove = [&](std::vector<std::int64_t>& ids) {
        for (std::size_t start = 0; start < ids.size(); start += kRecordsPerStep) {
            const std::size_t end = std::min(ids.size(), start + kRecordsPerStep);
            if (!RemoveRecords({ids.begin() + static_cast<std::ptrdiff_t>(start),
                                ids.begin() + static_cast<std::ptrdiff_t>(end)},
                               error))
                return false;
            report->removed += static_cast<std::int64_t>(end - start);
            BoundWal();
            if (step)
                step();
        }
        return true;
    };
    if (retention.keepDays > 0) {
        std::vector<std::int64_t> ids;
        {
            Statement old(db_,
                          "SELECT id FROM checks WHERE id <= (SELECT coalesce(max(id), 0) FROM "
                          "checks WHERE checked_at < ?) ORDER BY id");
            old.Bind(1, UtcDaysAgo(retention.keepDays));
            while (old.Step())
                ids.push_back(old.Int(0));
            if (!old.ok())
                return Fail(old.code(), {}, error);
        }
        if (!remove(ids))
            return false;
    }
    std::int64_t bytes = 0;
    const bool measure = retention.maxMiB > 0 || report->removed > 0;
    if (measure && !Compact(&bytes, step, error))
        return false;
    if (retention.maxMiB > 0) {
        const std::int64_t limit = retention.maxMiB * 1024 * 1024;
        while (bytes > limit) {
            // What a firm takes, index included, judged from the file as it is; the
            // records that free the excess go, then the file is measured again.
            std::int64_t checks = 0;
            std::int64_t firms = 0;
            if (!Number("SELECT count(*) FROM checks", &checks, error) ||
                !Number("SELECT count(*) FROM firms", &firms, error))
                return false;
            const double perItem = static_cast<double>(bytes) /
                                   static_cast<double>(std::max<std::int64_t>(1, checks + firms));
            std::vector<std::int64_t> ids;
            {
                Statement candidates(
                    db_,
                    "SELECT id, firm_count FROM checks WHERE id NOT IN "
                    "(SELECT max(id) FROM checks GROUP BY query_hash, query_key) ORDER BY id");
                double freed = 0;
                while (freed < static_cast<double>(bytes - limit) && candidates.Step()) {
                    ids.push_back(candidates.Int(0));
                    freed += perItem * static_cast<double>(1 + candidates.Int(1));
                }
                if (!candidates.ok())
                    return Fail(candidates.code(), {}, error);
            }
            if (ids.empty()) {
                report->sizeMet = false;
                break;
            }
            if (!remove(ids) || !Compact(&bytes, step, error))
                return false;
        }
    }
    if (!Number("SELECT count(*) FROM checks", &report->kept, error))
        return false;
    if (!measure && !Number(kFileBytes, &bytes, error))
        return false;
    report->bytes = bytes;
    return true;
}

}  // namespace archive
