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

platform::Result<std::int64_t> Archive::Number(const char* sql) {
    // The statement ends here, so that it holds no read transaction open while the log
    // is copied into the file.
    Statement select(db_, sql);
    if (!select.Step())
        return Problem(select.ok() ? SQLITE_CORRUPT : select.code());
    return select.Int(0);
}

void Archive::CheckpointWal() {
    sqlite3_busy_timeout(db_, 0);
    // Deliberately unchecked: a reader holding on leaves the log as it is, whole; the
    // next step or append tries again.
    sqlite3_wal_checkpoint_v2(db_, nullptr, SQLITE_CHECKPOINT_TRUNCATE, nullptr, nullptr);
    sqlite3_busy_timeout(db_, kBusyTimeoutMs);
}

platform::Status Archive::RemoveRecords(const std::vector<std::int64_t>& ids) {
    Transaction transaction(db_);
    const int begun = transaction.Begin(true);
    if (begun != SQLITE_OK)
        return Problem(begun);
    platform::Status done = Exec(
        "CREATE TEMP TABLE IF NOT EXISTS doomed(id INTEGER PRIMARY KEY); "
        "DELETE FROM doomed");
    if (!done)
        return done;
    Statement doom(db_, "INSERT INTO doomed(id) VALUES (?)");
    for (const std::int64_t id : ids) {
        doom.Reset();
        doom.Bind(1, id);
        if (!doom.Run())
            return Problem(doom.code());
    }
    // The index is told each firm's values as it holds them, so that it can take out
    // exactly the words it was given.
    done = Exec(
        "INSERT INTO firm_text(firm_text, rowid, name, inn, ogrn) "
        "SELECT 'delete', id, name, inn, ogrn FROM firms "
        "WHERE check_id IN (SELECT id FROM doomed); "
        "INSERT OR REPLACE INTO pruned(id, digest) "
        "SELECT id, digest FROM checks WHERE id IN (SELECT id FROM doomed); "
        "DELETE FROM firms WHERE check_id IN (SELECT id FROM doomed); "
        "DELETE FROM checks WHERE id IN (SELECT id FROM doomed); "
        "DELETE FROM doomed");
    if (!done)
        return done;
    // The base moves up to the record before the oldest kept; the digests it passed
    // over are no longer needed.
    Statement oldest(db_,
                     "SELECT coalesce((SELECT min(id) FROM checks), "
                     "(SELECT head_id FROM chain) + 1)");
    if (!oldest.Step())
        return Problem(oldest.code());
    const std::int64_t base = oldest.Int(0) - 1;
    Statement move(db_,
                   "UPDATE chain SET base_id = ?1, base_digest = "
                   "(SELECT digest FROM pruned WHERE id = ?1) "
                   "WHERE base_id < ?1 AND EXISTS (SELECT 1 FROM pruned WHERE id = ?1)");
    move.Bind(1, base);
    if (!move.Run())
        return Problem(move.code());
    Statement forget(db_, "DELETE FROM pruned WHERE id <= (SELECT base_id FROM chain)");
    if (!forget.Run())
        return Problem(forget.code());
    const int committed = transaction.Commit();
    if (committed != SQLITE_OK)
        return Problem(committed);
    return {};
}

platform::Result<std::int64_t> Archive::Compact(const std::function<void()>& step) {
    {
        Transaction transaction(db_);
        const int begun = transaction.Begin(true);
        if (begun != SQLITE_OK)
            return Problem(begun);
        // Merges the index into one segment, dropping the deletion markers.
        const platform::Status merged =
            Exec("INSERT INTO firm_text(firm_text) VALUES ('optimize')");
        if (!merged)
            return platform::Failure(merged.error());
        const int committed = transaction.Commit();
        if (committed != SQLITE_OK)
            return Problem(committed);
    }
    CheckpointWal();
    if (step)
        step();
    const platform::Result<std::int64_t> mode = Number("PRAGMA auto_vacuum");
    if (!mode)
        return mode;
    if (*mode == 0) {
        // A file made without incremental vacuum is copied whole.
        const platform::Status copied = Exec("VACUUM");
        if (!copied)
            return platform::Failure(copied.error());
        CheckpointWal();
        return Number(kFileBytes);
    }
    for (;;) {
        const platform::Result<std::int64_t> free = Number("PRAGMA freelist_count");
        if (!free)
            return free;
        if (*free == 0)
            break;
        {
            Statement hand(db_, "PRAGMA incremental_vacuum(" + std::to_string(kPagesPerStep) + ")");
            while (hand.Step()) {
            }
            if (!hand.ok())
                return Problem(hand.code());
        }
        CheckpointWal();
        if (step)
            step();
    }
    return Number(kFileBytes);
}

platform::Status Archive::RemoveInSteps(const std::vector<std::int64_t>& ids, PruneReport* report,
                                        const std::function<void()>& step) {
    for (std::size_t start = 0; start < ids.size(); start += kRecordsPerStep) {
        const std::size_t end = std::min(ids.size(), start + kRecordsPerStep);
        const platform::Status removed =
            RemoveRecords({ids.begin() + static_cast<std::ptrdiff_t>(start),
                           ids.begin() + static_cast<std::ptrdiff_t>(end)});
        if (!removed)
            return removed;
        report->removed += static_cast<std::int64_t>(end - start);
        BoundWal();
        if (step)
            step();
    }
    return {};
}

platform::Result<std::vector<std::int64_t>> Archive::CheckedBefore(int keepDays) {
    std::vector<std::int64_t> ids;
    Statement old(db_,
                  "SELECT id FROM checks WHERE id <= (SELECT coalesce(max(id), 0) FROM "
                  "checks WHERE checked_at < ?) ORDER BY id");
    old.Bind(1, UtcDaysAgo(keepDays));
    while (old.Step())
        ids.push_back(old.Int(0));
    if (!old.ok())
        return Problem(old.code());
    return ids;
}

platform::Result<std::vector<std::int64_t>> Archive::ExcessRecords(std::int64_t bytes,
                                                                   std::int64_t limit) {
    // What a record or a firm takes, index included, judged from the file as it is.
    const platform::Result<std::int64_t> checks = Number("SELECT count(*) FROM checks");
    if (!checks)
        return platform::Failure(checks.error());
    const platform::Result<std::int64_t> firms = Number("SELECT count(*) FROM firms");
    if (!firms)
        return platform::Failure(firms.error());
    const double perItem = static_cast<double>(bytes) /
                           static_cast<double>(std::max<std::int64_t>(1, *checks + *firms));
    std::vector<std::int64_t> ids;
    Statement candidates(db_,
                         "SELECT id, firm_count FROM checks WHERE id NOT IN "
                         "(SELECT max(id) FROM checks GROUP BY query_hash, query_key) ORDER BY id");
    double freed = 0;
    while (freed < static_cast<double>(bytes - limit) && candidates.Step()) {
        ids.push_back(candidates.Int(0));
        freed += perItem * static_cast<double>(1 + candidates.Int(1));
    }
    if (!candidates.ok())
        return Problem(candidates.code());
    return ids;
}

platform::Status Archive::MeetSize(std::int64_t limit, std::int64_t* bytes, PruneReport* report,
                                   const std::function<void()>& step) {
    // The records that free the excess go, then the file is measured again.
    while (*bytes > limit) {
        const platform::Result<std::vector<std::int64_t>> ids = ExcessRecords(*bytes, limit);
        if (!ids)
            return platform::Failure(ids.error());
        if (ids->empty()) {
            report->sizeMet = false;
            break;
        }
        const platform::Status removed = RemoveInSteps(*ids, report, step);
        if (!removed)
            return removed;
        const platform::Result<std::int64_t> compacted = Compact(step);
        if (!compacted)
            return platform::Failure(compacted.error());
        *bytes = *compacted;
    }
    return {};
}

platform::Result<PruneReport> Archive::Prune(const Retention& retention,
                                             const std::function<void()>& step) {
    PruneReport report;
    if (retention.keepDays > 0) {
        const platform::Result<std::vector<std::int64_t>> ids = CheckedBefore(retention.keepDays);
        if (!ids)
            return platform::Failure(ids.error());
        const platform::Status removed = RemoveInSteps(*ids, &report, step);
        if (!removed)
            return platform::Failure(removed.error());
    }
    const bool measure = retention.maxMiB > 0 || report.removed > 0;
    platform::Result<std::int64_t> bytes = measure ? Compact(step) : std::int64_t{0};
    if (!bytes)
        return platform::Failure(bytes.error());
    if (retention.maxMiB > 0) {
        const platform::Status met =
            MeetSize(retention.maxMiB * 1024 * 1024, &*bytes, &report, step);
        if (!met)
            return platform::Failure(met.error());
    }
    const platform::Result<std::int64_t> kept = Number("SELECT count(*) FROM checks");
    if (!kept)
        return platform::Failure(kept.error());
    report.kept = *kept;
    if (!measure && !(bytes = Number(kFileBytes)))
        return platform::Failure(bytes.error());
    report.bytes = *bytes;
    return report;
}

}  // namespace archive
