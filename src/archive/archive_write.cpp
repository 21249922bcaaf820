// Appending records: one transaction per batch, each record given its id, its time
// and its digest chained to the one before, its firms written and indexed for search.
#include "archive/archive_db.h"

#include <sqlite3.h>
#include <sys/stat.h>

#include <array>
#include <utility>

#include "archive/sqlite_statement.h"

namespace archive {

namespace {

// What a batch of records held in the fields that writing them sets, put back when it
// goes unless the write was kept.
class GivenBack {
  public:
    explicit GivenBack(std::vector<CheckRecord>& records) : records_(records) {
        given_.reserve(records.size());
        for (const CheckRecord& record : records)
            given_.push_back({record.id, record.checkedAt, record.digest});
    }
    ~GivenBack() {
        if (kept_)
            return;
        for (size_t k = 0; k < given_.size(); ++k) {
            records_[k].id = given_[k].id;
            records_[k].checkedAt = std::move(given_[k].checkedAt);
            records_[k].digest = std::move(given_[k].digest);
        }
    }
    GivenBack(const GivenBack&) = delete;
    GivenBack& operator=(const GivenBack&) = delete;

    void Keep() { kept_ = true; }

  private:
    struct Fields {
        std::int64_t id;
        std::string checkedAt;
        std::string digest;
    };
    std::vector<CheckRecord>& records_;
    std::vector<Fields> given_;
    bool kept_ = false;
};

}  // namespace

platform::Status Archive::Append(std::vector<CheckRecord>& records) {
    locked_ = false;
    if (records.empty())
        return {};
    platform::Status written = Write(records);
    if (written)
        BoundWal();
    return written;
}

// The statements an append runs for every record and firm, prepared once.
struct AppendStatements {
    AppendStatements(sqlite3* db, StatementCache* cache)
        : insertCheck(db,
                      "INSERT INTO checks(" + kCheckColumns +
                          ", query_key, query_hash) "
                          "VALUES (?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?)",
                      cache),
          insertFirm(db, FirmInsertSql(), cache),
          indexFirm(db, "INSERT INTO firm_text(rowid, name, inn, ogrn) VALUES (?,?,?,?)", cache) {}

    static std::string FirmInsertSql() {
        std::string sql = "INSERT INTO firms(check_id, position";
        for (const FirmColumn& column : FirmColumns())
            sql += std::string(", ") + column.key;
        return sql + ") VALUES (?,?,?,?,?,?,?,?,?,?,?,?)";
    }

    // The code of the first statement that could not be prepared, or SQLITE_OK.
    int failed() const {
        for (const Statement* statement : {&insertCheck, &insertFirm, &indexFirm}) {
            if (!statement->ok())
                return statement->code();
        }
        return SQLITE_OK;
    }

    Statement insertCheck;
    Statement insertFirm;
    Statement indexFirm;
};

platform::Status Archive::Write(std::vector<CheckRecord>& records) {
    Transaction transaction(db_);
    const int begun = transaction.Begin(true);
    if (begun != SQLITE_OK)
        return Problem(begun);
    Statement head(db_, "SELECT head_id, head_digest FROM chain", cache_.get());
    if (!head.Step())
        return Problem(head.ok() ? SQLITE_CORRUPT : head.code());
    std::int64_t id = head.Int(0);
    std::string previous = head.Text(1);
    AppendStatements statements(db_, cache_.get());
    if (statements.failed() != SQLITE_OK)
        return Problem(statements.failed());

    // The records get their ids, times and digests as they are written; a failed write
    // gives them back what they came with, so that they can be tried again.
    GivenBack given(records);
    const std::string now = UtcNow();
    for (CheckRecord& record : records) {
        record.id = ++id;
        if (record.checkedAt.empty())
            record.checkedAt = now;
        const platform::Status written = WriteRecord(record, previous, statements);
        if (!written)
            return written;
        previous = record.digest;
    }
    Statement moveHead(db_, "UPDATE chain SET head_id = ?, head_digest = ?", cache_.get());
    moveHead.Bind(1, id);
    moveHead.Bind(2, previous);
    if (!moveHead.Run())
        return Problem(moveHead.code());
    const int code = transaction.Commit();
    if (code != SQLITE_OK)
        return Problem(code);
    given.Keep();
    return {};
}

platform::Status Archive::WriteRecord(CheckRecord& record, const std::string& previous,
                                      AppendStatements& statements) {
    const std::int64_t firmCount = record.firmCount();
    RecordHasher hasher(record, previous, firmCount);
    const platform::Result<std::int64_t> written = WriteFirms(record, hasher, statements);
    if (!written)
        return platform::Failure(written.error());
    if (*written != firmCount)
        return platform::Failure("archive " + path_ +
                                 ": a check's firms changed while they were written");
    for (const ScreenMatch& match : record.screening.matches) {
        if (!(match.score >= 0.0 && match.score <= 1.0))
            return platform::Failure("archive " + path_ +
                                     ": a screening score is not within 0 and 1");
    }
    hasher.AddScreening(record.screening);
    record.digest = hasher.Finish();
    if (record.digest.empty())
        return Problem(SQLITE_NOMEM);

    Statement& insertCheck = statements.insertCheck;
    insertCheck.Reset();
    insertCheck.Bind(1, record.id);
    insertCheck.Bind(2, record.checkedAt);
    insertCheck.Bind(3, record.origin);
    insertCheck.Bind(4, record.service);
    insertCheck.Bind(5, record.typed);
    insertCheck.Bind(6, static_cast<std::int64_t>(record.criteria.mode));
    insertCheck.Bind(7, record.criteria.name.ToUtf8());
    insertCheck.Bind(8, record.criteria.address.ToUtf8());
    insertCheck.Bind(9, record.criteria.region.ToUtf8());
    insertCheck.Bind(10, record.criteria.date.ToUtf8());
    insertCheck.Bind(11, record.criteria.number.ToUtf8());
    insertCheck.Bind(12, record.language);
    insertCheck.Bind(13, std::string(OutcomeName(record.outcome)));
    insertCheck.Bind(14, std::string(MessageKindName(record.messageKind)));
    insertCheck.Bind(15, record.message);
    insertCheck.Bind(16, firmCount);
    insertCheck.Bind(17, static_cast<std::int64_t>(record.pages));
    insertCheck.Bind(18, record.pagesSha256);
    insertCheck.Bind(19, record.digest);
    insertCheck.Bind(20, ScreeningJson(record.screening));
    const std::string key = QueryKey(record.criteria);
    insertCheck.BindBlob(21, key);
    insertCheck.Bind(22, QueryHash(key));
    if (!insertCheck.Run())
        return Problem(insertCheck.code());
    return {};
}

// The firms go first, each hashed as it is inserted, so that a record whose firms come
// from a source never has them all in memory at once.
platform::Result<std::int64_t> Archive::WriteFirms(const CheckRecord& record, RecordHasher& hasher,
                                                   AppendStatements& statements) {
    std::int64_t position = 0;
    int failed = SQLITE_OK;
    std::array<std::string, 10> values;
    const auto insert = [&](const lookup::FirmRecord& firm) {
        if (failed != SQLITE_OK)
            return;
        // Each value converted once, for the digest and the row alike.
        std::size_t n = 0;
        for (const FirmColumn& column : FirmColumns())
            values[n++] = ToUtf8(firm.*column.member);
        hasher.AddFirmUtf8(values.data(), n);
        Statement& insertFirm = statements.insertFirm;
        insertFirm.Reset();
        insertFirm.Bind(1, record.id);
        insertFirm.Bind(2, position++);
        for (std::size_t i = 0; i < n; ++i)
            insertFirm.BindUnchanged(static_cast<int>(i) + 3, values[i]);
        if (!insertFirm.Run()) {
            failed = insertFirm.code();
            return;
        }
        Statement& indexFirm = statements.indexFirm;
        indexFirm.Reset();
        indexFirm.Bind(1, static_cast<std::int64_t>(sqlite3_last_insert_rowid(db_)));
        indexFirm.BindUnchanged(2, values[kNameColumn]);
        indexFirm.BindUnchanged(3, values[kInnColumn]);
        indexFirm.BindUnchanged(4, values[kOgrnColumn]);
        if (!indexFirm.Run())
            failed = indexFirm.code();
    };
    if (record.firmSource) {
        const platform::Status read = record.firmSource->ForEach(insert);
        if (!read && failed == SQLITE_OK)
            return platform::Failure("archive " + path_ + ": " + read.error());
    } else {
        for (const lookup::FirmRecord& firm : record.firms)
            insert(firm);
    }
    if (failed != SQLITE_OK)
        return Problem(failed);
    return position;
}

// A log grown past the limit (by a large append, or while a reader kept the pages it
// holds from being copied) is copied into the file and cut back at once, rather than
// when the next append starts it over. A reader still holding on makes the copy give
// up at once; a later append tries again. No statement of the connection may be
// running.
void Archive::BoundWal() {
    struct stat wal {};
    if (::stat((path_ + "-wal").c_str(), &wal) != 0 || wal.st_size <= kWalLimitBytes)
        return;
    sqlite3_busy_timeout(db_, 0);
    // Deliberately unchecked: a busy or failed copy leaves the log as it was, whole.
    sqlite3_wal_checkpoint_v2(db_, nullptr, SQLITE_CHECKPOINT_TRUNCATE, nullptr, nullptr);
    sqlite3_busy_timeout(db_, kBusyTimeoutMs);
}

}  // namespace archive
