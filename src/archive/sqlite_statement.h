// The archive's use of SQLite, shared by the files of the module: prepared statements,
// transactions that roll back unless committed, what a result code means for the user,
// and reading check rows. Not for use outside the module.
#pragma once

#include <sqlite3.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <unordered_map>

#include "archive/archive_db.h"
#include "archive/check_record.h"
#include "platform/result.h"

namespace archive {

// What an SQLite result code means for the user.
inline std::string Describe(int code) {
    switch (code & 0xff) {
        case SQLITE_READONLY:
        case SQLITE_PERM:
            return "it is read-only";
        case SQLITE_BUSY:
        case SQLITE_LOCKED:
            return "it is locked by another program";
        case SQLITE_FULL:
            return "the disk is full";
        case SQLITE_CORRUPT:
        case SQLITE_NOTADB:
            return "it is damaged";
        case SQLITE_CANTOPEN:
            return "it cannot be opened";
        case SQLITE_IOERR:
            return "it cannot be read or written";
        case SQLITE_NOMEM:
            return "there is not enough memory";
        default:
            return "it cannot be used";
    }
}

// Prepared statements kept for the connection's life, by their text.
struct StatementCache {
    std::unordered_map<std::string, sqlite3_stmt*> statements;

    ~StatementCache() { Clear(); }
    void Clear() {
        for (auto& entry : statements)
            sqlite3_finalize(entry.second);
        statements.clear();
    }
};

// One prepared statement, finalized when it goes; one taken from a cache is reset and
// handed back instead, so that the statements run for every record are prepared once.
class Statement {
  public:
    Statement(sqlite3* db, const std::string& sql, StatementCache* cache = nullptr)
        : db_(db), cache_(cache) {
        if (cache_ != nullptr) {
            const auto found = cache_->statements.find(sql);
            if (found != cache_->statements.end()) {
                stmt_ = found->second;
                cache_->statements.erase(found);
                sql_ = sql;
                return;
            }
            sql_ = sql;
        }
        code_ = sqlite3_prepare_v2(db, sql.c_str(), static_cast<int>(sql.size()), &stmt_, nullptr);
    }
    ~Statement() {
        if (cache_ != nullptr && stmt_ != nullptr && cache_->statements.count(sql_) == 0) {
            sqlite3_reset(stmt_);
            sqlite3_clear_bindings(stmt_);
            cache_->statements.emplace(sql_, stmt_);
        } else {
            sqlite3_finalize(stmt_);
        }
    }
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    bool ok() const { return code_ == SQLITE_OK || code_ == SQLITE_ROW || code_ == SQLITE_DONE; }
    int code() const { return code_; }

    void Bind(int index, const std::string& text) {
        Keep(sqlite3_bind_text(stmt_, index, text.data(), static_cast<int>(text.size()),
                               SQLITE_TRANSIENT));
    }
    // Text that stays unchanged where it is until the statement has run.
    void BindUnchanged(int index, const std::string& text) {
        Keep(sqlite3_bind_text(stmt_, index, text.data(), static_cast<int>(text.size()),
                               SQLITE_STATIC));
    }
    void BindBlob(int index, const std::string& bytes) {
        Keep(sqlite3_bind_blob(stmt_, index, bytes.data(), static_cast<int>(bytes.size()),
                               SQLITE_TRANSIENT));
    }
    void Bind(int index, std::int64_t value) { Keep(sqlite3_bind_int64(stmt_, index, value)); }

    // True while a row is there; afterwards ok() tells whether the end was reached.
    bool Step() {
        if (!ok())
            return false;
        code_ = sqlite3_step(stmt_);
        return code_ == SQLITE_ROW;
    }
    bool Run() {
        Step();
        return ok();
    }
    void Reset() {
        sqlite3_reset(stmt_);
        sqlite3_clear_bindings(stmt_);
        if (stmt_ != nullptr)
            code_ = SQLITE_OK;
    }

    std::string Text(int column) const {
        const auto* bytes = static_cast<const char*>(sqlite3_column_blob(stmt_, column));
        const int size = sqlite3_column_bytes(stmt_, column);
        return bytes == nullptr ? std::string() : std::string(bytes, static_cast<size_t>(size));
    }
    std::int64_t Int(int column) const { return sqlite3_column_int64(stmt_, column); }
    // The column's text into *out, reusing its storage.
    void TextInto(int column, std::string* out) const {
        const auto* bytes = static_cast<const char*>(sqlite3_column_blob(stmt_, column));
        const int size = sqlite3_column_bytes(stmt_, column);
        if (bytes == nullptr)
            out->clear();
        else
            out->assign(bytes, static_cast<size_t>(size));
    }

  private:
    void Keep(int code) {
        if (code_ == SQLITE_OK && code != SQLITE_OK)
            code_ = code;
    }

    sqlite3* db_;
    StatementCache* cache_;
    std::string sql_;
    sqlite3_stmt* stmt_ = nullptr;
    int code_ = SQLITE_OK;
};

// Rolls back an open transaction unless it was committed.
class Transaction {
  public:
    explicit Transaction(sqlite3* db) : db_(db) {}
    ~Transaction() {
        if (open_)
            sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
    }
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;

    int Begin(bool write) {
        const int code =
            sqlite3_exec(db_, write ? "BEGIN IMMEDIATE" : "BEGIN", nullptr, nullptr, nullptr);
        open_ = code == SQLITE_OK;
        return code;
    }
    int Commit() {
        const int code = sqlite3_exec(db_, "COMMIT", nullptr, nullptr, nullptr);
        if (code == SQLITE_OK)
            open_ = false;
        return code;
    }

  private:
    sqlite3* db_;
    bool open_ = false;
};

// The fields of a firm the search index holds, by their place in FirmColumns().
inline const auto kNameColumn = static_cast<std::size_t>(FirmColumnIndex("name"));
inline const auto kInnColumn = static_cast<std::size_t>(FirmColumnIndex("inn"));
inline const auto kOgrnColumn = static_cast<std::size_t>(FirmColumnIndex("ogrn"));

inline const std::string kCheckColumns =
    "id, checked_at, origin, service, typed, mode, name, address, region, date, number, "
    "language, outcome, message_kind, message, firm_count, pages, pages_sha256, digest, screening";

// A check row selected with kCheckColumns, without its firms.
inline CheckRecord ReadCheck(const Statement& row) {
    CheckRecord record;
    record.id = row.Int(0);
    record.checkedAt = row.Text(1);
    record.origin = row.Text(2);
    record.service = row.Text(3);
    record.typed = row.Text(4);
    const std::int64_t mode = row.Int(5);
    record.criteria.mode =
        mode == static_cast<int>(lookup::SearchMode::Number)  ? lookup::SearchMode::Number
        : mode == static_cast<int>(lookup::SearchMode::Other) ? lookup::SearchMode::Other
                                                              : lookup::SearchMode::Name;
    record.criteria.name = platform::Cp1251String::FromUtf8(row.Text(6));
    record.criteria.address = platform::Cp1251String::FromUtf8(row.Text(7));
    record.criteria.region = platform::Cp1251String::FromUtf8(row.Text(8));
    record.criteria.date = platform::Cp1251String::FromUtf8(row.Text(9));
    record.criteria.number = platform::Cp1251String::FromUtf8(row.Text(10));
    record.language = row.Text(11);
    if (!OutcomeFromName(row.Text(12), &record.outcome))
        record.outcome = Outcome::Failed;
    MessageKindFromName(row.Text(13), &record.messageKind);
    record.message = row.Text(14);
    record.firms.reserve(static_cast<size_t>(std::max<std::int64_t>(0, row.Int(15))));
    record.pages = static_cast<int>(row.Int(16));
    record.pagesSha256 = row.Text(17);
    record.digest = row.Text(18);
    // A screening that cannot be read is found by Verify; a reader gets what could be.
    static_cast<void>(ScreeningFromJson(row.Text(19), &record.screening));
    return record;
}

// A row of id, checked_at, origin, typed, outcome, message_kind, message, firm_count.
inline CheckSummary ReadSummary(const Statement& row) {
    CheckSummary summary;
    summary.id = row.Int(0);
    summary.checkedAt = row.Text(1);
    summary.origin = row.Text(2);
    summary.typed = row.Text(3);
    if (!OutcomeFromName(row.Text(4), &summary.outcome))
        summary.outcome = Outcome::Failed;
    MessageKindFromName(row.Text(5), &summary.messageKind);
    summary.message = row.Text(6);
    summary.firmCount = static_cast<int>(row.Int(7));
    summary.digest = row.Text(8);
    return summary;
}

}  // namespace archive
