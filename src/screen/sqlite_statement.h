// A prepared SQLite statement that finalizes itself: the screening index's one way of
// running SQL.
#pragma once

#include <sqlite3.h>

#include <cstdint>
#include <string>
#include <string_view>

namespace screen {

class Statement {
  public:
    Statement() = default;
    Statement(sqlite3* db, const char* sql) { Prepare(db, sql); }
    ~Statement() { sqlite3_finalize(statement_); }
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    void Prepare(sqlite3* db, const char* sql) {
        sqlite3_finalize(statement_);
        statement_ = nullptr;
        code_ = sqlite3_prepare_v2(db, sql, -1, &statement_, nullptr);
    }
    bool prepared() const { return statement_ != nullptr; }

    Statement& Bind(int i, std::int64_t value) {
        Note(sqlite3_bind_int64(statement_, i, value));
        return *this;
    }
    Statement& Bind(int i, std::string_view text) {
        Note(sqlite3_bind_text(statement_, i, text.data(), static_cast<int>(text.size()),
                               SQLITE_TRANSIENT));
        return *this;
    }
    Statement& BindBlob(int i, const void* data, int size) {
        Note(sqlite3_bind_blob(statement_, i, data, size, SQLITE_TRANSIENT));
        return *this;
    }
    Statement& Bind(int i, const char* text) { return Bind(i, std::string_view(text)); }
    Statement& Bind(int i, const std::string& text) { return Bind(i, std::string_view(text)); }

    // True when a row came; false at the end or on an error (ok() tells which).
    bool Step() {
        if (statement_ == nullptr || !ok())
            return false;
        code_ = sqlite3_step(statement_);
        return code_ == SQLITE_ROW;
    }
    // Runs a statement that gives no rows; true when it succeeded.
    bool Run() {
        Step();
        return code_ == SQLITE_DONE;
    }
    void Reset() {
        sqlite3_reset(statement_);
        sqlite3_clear_bindings(statement_);
        code_ = SQLITE_OK;
    }
    bool ok() const { return code_ == SQLITE_OK || code_ == SQLITE_ROW || code_ == SQLITE_DONE; }
    int code() const { return code_; }

    std::int64_t Int(int column) const { return sqlite3_column_int64(statement_, column); }
    double Real(int column) const { return sqlite3_column_double(statement_, column); }
    std::string Text(int column) const {
        const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(statement_, column));
        return text != nullptr
                   ? std::string(text,
                                 static_cast<size_t>(sqlite3_column_bytes(statement_, column)))
                   : std::string();
    }
    std::string_view Blob(int column) const {
        const auto* data = static_cast<const char*>(sqlite3_column_blob(statement_, column));
        return data != nullptr
                   ? std::string_view(data,
                                      static_cast<size_t>(sqlite3_column_bytes(statement_, column)))
                   : std::string_view();
    }

  private:
    void Note(int code) {
        if (code != SQLITE_OK && ok())
            code_ = code;
    }

    sqlite3_stmt* statement_ = nullptr;
    int code_ = SQLITE_OK;
};

}  // namespace screen
