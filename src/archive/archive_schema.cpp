// Opening an archive: the file checked and connected to, its schema made or migrated
// forward on a connection that writes, and a file too old to migrate read through a
// view when the connection only reads.
#include "archive/archive_db.h"

#include <sqlite3.h>
#include <QDir>
#include <QFileInfo>
#include <QString>
#include <QUrl>

#include "archive/archive_file.h"
#include "archive/sqlite_statement.h"

namespace archive {

namespace {

// Schema steps: kMigrations[i] takes a file from version i to version i + 1.
const char* const kMigrations[] = {
    R"sql(
CREATE TABLE archive_schema(version INTEGER NOT NULL);
INSERT INTO archive_schema(version) VALUES (0);
CREATE TABLE chain(
    one INTEGER PRIMARY KEY CHECK (one = 1),
    base_id INTEGER NOT NULL,
    base_digest TEXT NOT NULL,
    head_id INTEGER NOT NULL,
    head_digest TEXT NOT NULL);
INSERT INTO chain VALUES (1, 0, '', 0, '');
CREATE TABLE checks(
    id INTEGER PRIMARY KEY,
    checked_at TEXT NOT NULL,
    origin TEXT NOT NULL,
    service TEXT NOT NULL,
    typed TEXT NOT NULL,
    mode INTEGER NOT NULL,
    name TEXT NOT NULL,
    address TEXT NOT NULL,
    region TEXT NOT NULL,
    date TEXT NOT NULL,
    number TEXT NOT NULL,
    query_key BLOB NOT NULL,
    language TEXT NOT NULL,
    outcome TEXT NOT NULL,
    message_kind TEXT NOT NULL,
    message TEXT NOT NULL,
    firm_count INTEGER NOT NULL,
    pages INTEGER NOT NULL,
    pages_sha256 TEXT NOT NULL,
    digest TEXT NOT NULL);
CREATE INDEX checks_by_query ON checks(query_key, id);
CREATE INDEX checks_by_time ON checks(checked_at);
CREATE TABLE firms(
    id INTEGER PRIMARY KEY,
    check_id INTEGER NOT NULL,
    position INTEGER NOT NULL,
    name TEXT NOT NULL,
    address TEXT NOT NULL,
    ogrn TEXT NOT NULL,
    grn TEXT NOT NULL,
    inn TEXT NOT NULL,
    kpp TEXT NOT NULL,
    date TEXT NOT NULL,
    authority TEXT NOT NULL,
    authority_address TEXT NOT NULL,
    region TEXT NOT NULL);
CREATE INDEX firms_by_check ON firms(check_id, position);
CREATE VIRTUAL TABLE firm_text USING fts5(name, inn, ogrn, content='firms',
    content_rowid='id', tokenize='unicode61 remove_diacritics 2');
CREATE TRIGGER firms_indexed AFTER INSERT ON firms BEGIN
    INSERT INTO firm_text(rowid, name, inn, ogrn) VALUES (new.id, new.name, new.inn, new.ogrn);
END;
CREATE TRIGGER firms_unindexed AFTER DELETE ON firms BEGIN
    INSERT INTO firm_text(firm_text, rowid, name, inn, ogrn)
        VALUES ('delete', old.id, old.name, old.inn, old.ogrn);
END;
)sql",
    // The firm index keeps which column a word is in but not where in it, nor each
    // column's length: searches match single words by column and order by id, so
    // neither is read, and leaving them out makes each recorded firm cheaper to index.
    R"sql(
DROP TRIGGER firms_indexed;
DROP TRIGGER firms_unindexed;
DROP TABLE firm_text;
CREATE VIRTUAL TABLE firm_text USING fts5(name, inn, ogrn, content='firms',
    content_rowid='id', tokenize='unicode61 remove_diacritics 2', detail=column,
    columnsize=0);
INSERT INTO firm_text(firm_text) VALUES ('rebuild');
CREATE TRIGGER firms_indexed AFTER INSERT ON firms BEGIN
    INSERT INTO firm_text(rowid, name, inn, ogrn) VALUES (new.id, new.name, new.inn, new.ogrn);
END;
CREATE TRIGGER firms_unindexed AFTER DELETE ON firms BEGIN
    INSERT INTO firm_text(firm_text, rowid, name, inn, ogrn)
        VALUES ('delete', old.id, old.name, old.inn, old.ogrn);
END;
)sql",
    // Checks are found by an eight-byte hash of their query key instead of the key
    // itself: each recorded check then changes a few small index pages rather than a
    // random page of a much larger index. The key stays in the row, compared as well.
    // Firms are indexed for search by the statements that add and remove them, not by
    // triggers: a trigger makes every firm's insert a statement of its own within the
    // transaction, and the full-text index writes what it holds to disk at each one.
    R"sql(
ALTER TABLE checks ADD COLUMN query_hash INTEGER NOT NULL DEFAULT 0;
UPDATE checks SET query_hash = key_hash(query_key);
DROP INDEX checks_by_query;
CREATE INDEX checks_by_query_hash ON checks(query_hash);
DROP TRIGGER firms_indexed;
DROP TRIGGER firms_unindexed;
)sql",
    // The digests of records removed by a prune while an older one (the last check of
    // its query) stayed: the chain passes over them from the record before to the next.
    R"sql(
CREATE TABLE IF NOT EXISTS pruned(id INTEGER PRIMARY KEY, digest TEXT NOT NULL);
)sql",
    // Time-stamp tokens, each beside the record whose digest it covers.
    R"sql(
CREATE TABLE IF NOT EXISTS stamps(
    id INTEGER PRIMARY KEY,
    record_id INTEGER NOT NULL,
    digest TEXT NOT NULL,
    authority TEXT NOT NULL,
    token BLOB NOT NULL);
)sql",
    // What each check's firms were screened against and matched, as one JSON object;
    // empty for a check that was not screened.
    R"sql(
ALTER TABLE checks ADD COLUMN screening TEXT NOT NULL DEFAULT '';
)sql",
};
// The version whose files keep each check's screening.
constexpr int kScreeningVersion = 6;

static_assert(sizeof kMigrations / sizeof kMigrations[0] == kSchemaVersion,
              "one migration per schema version");

// key_hash(key): QueryHash of a query key, for the checks written before the hash was kept.
void KeyHashFunction(sqlite3_context* context, int, sqlite3_value** values) {
    const auto* bytes = static_cast<const char*>(sqlite3_value_blob(values[0]));
    const int size = sqlite3_value_bytes(values[0]);
    sqlite3_result_int64(
        context, QueryHash(bytes == nullptr ? std::string()
                                            : std::string(bytes, static_cast<size_t>(size))));
}

// fold(text): the text case-folded, for matching whatever the case of its letters
// (SQLite's own lower() folds only ASCII).
void FoldFunction(sqlite3_context* context, int, sqlite3_value** values) {
    const auto* bytes = static_cast<const char*>(sqlite3_value_blob(values[0]));
    const int size = sqlite3_value_bytes(values[0]);
    const QByteArray folded = QString::fromUtf8(bytes, size).toCaseFolded().toUtf8();
    sqlite3_result_text(context, folded.constData(), static_cast<int>(folded.size()),
                        SQLITE_TRANSIENT);
}

}  // namespace

Archive::Archive() : cache_(std::make_unique<StatementCache>()) {}

Archive::~Archive() {
    Close();
}

std::string Archive::DefaultPath() {
    QString root = qEnvironmentVariable("XDG_DATA_HOME");
    if (root.isEmpty() || !QDir::isAbsolutePath(root))
        root = QDir::homePath() + QStringLiteral("/.local/share");
    return (root + QStringLiteral("/Quillmarsh/Vendrake/archive.sqlite")).toStdString();
}

platform::Failed<std::string> Archive::Problem(int code, const std::string& what) const {
    const int primary = code & 0xff;
    const int current = db_ != nullptr ? sqlite3_errcode(db_) & 0xff : SQLITE_OK;
    locked_ = primary == SQLITE_BUSY || primary == SQLITE_LOCKED || current == SQLITE_BUSY ||
              current == SQLITE_LOCKED;
    const bool told = db_ != nullptr && sqlite3_errcode(db_) != SQLITE_OK;
    const std::string detail = told ? sqlite3_errmsg(db_) : sqlite3_errstr(code);
    return platform::Failure("archive " + path_ + ": " + (what.empty() ? Describe(code) : what) +
                             " (" + detail + ")");
}

platform::Status Archive::Exec(const std::string& sql) {
    const int code = sqlite3_exec(db_, sql.c_str(), nullptr, nullptr, nullptr);
    if (code != SQLITE_OK)
        return Problem(code);
    return {};
}

platform::Status Archive::Open(const std::string& path, Access access) {
    Close();
    path_ = path;
    refused_ = false;
    locked_ = false;
    if (access == Access::ReadWrite) {
        const platform::Status made = MakePrivateFolders(
            QFileInfo(QString::fromStdString(path)).absolutePath().toStdString());
        if (!made)
            return Problem(SQLITE_CANTOPEN, made.error());
    }
    // Links in the folders above are followed here, so that SQLite, told never to
    // follow one, refuses only a link at the file itself.
    const std::string file = ResolvedPath(path);
    if (file.empty())
        return Problem(SQLITE_CANTOPEN, "there is no archive yet");
    bool exists = false;
    const std::string refusal = Refusal(file, path, &exists);
    if (!refusal.empty())
        return Refuse(refusal);
    platform::Status opened =
        access == Access::ReadWrite ? OpenToWrite(file, exists) : OpenToRead(file, exists);
    if (!opened)
        Close();
    return opened;
}

platform::Failed<std::string> Archive::Refuse(const std::string& why) {
    refused_ = true;
    return Problem(SQLITE_CANTOPEN, why);
}

platform::Status Archive::OpenToWrite(const std::string& file, bool exists) {
    if (!exists) {
        const platform::Status made = Create(file);
        if (!made)
            return made;
    }
    platform::Status done =
        Connect(file, SQLITE_OPEN_NOFOLLOW | SQLITE_OPEN_NOMUTEX | SQLITE_OPEN_READWRITE);
    if (!done)
        return done;
    if (sqlite3_db_readonly(db_, "main") == 1)
        return Problem(SQLITE_READONLY);
    if (!(done = Prepare()) || !(done = Migrate()))
        return done;
    // The log is copied into the file once it holds this many pages: less often than
    // by default, so that a page changed by many commits is copied fewer times. Once
    // copied into the file, the log is cut back to the limit when it starts over.
    if (!(done = Exec("PRAGMA wal_autocheckpoint = 4000")))
        return done;
    return Exec("PRAGMA journal_size_limit = " + std::to_string(kWalLimitBytes));
}

platform::Status Archive::OpenToRead(const std::string& file, bool exists) {
    if (!exists)
        return Problem(SQLITE_CANTOPEN, "there is no archive yet");
    const int flags = SQLITE_OPEN_NOFOLLOW | SQLITE_OPEN_NOMUTEX | SQLITE_OPEN_READONLY;
    platform::Status connected = Connect(file, flags);
    if (!connected)
        return connected;
    platform::Result<int> version = SchemaVersion();
    if (!version && (sqlite3_errcode(db_) & 0xff) == SQLITE_READONLY) {
        // Reading a write-ahead-log file takes its shared-memory file beside it; a
        // reader that may not create that one reads the file as it lies on disk.
        Close();
        const std::string uri =
            QUrl::fromLocalFile(QString::fromStdString(file)).toEncoded().toStdString() +
            "?immutable=1";
        if (!(connected = Connect(uri, flags | SQLITE_OPEN_URI)))
            return connected;
        version = SchemaVersion();
    }
    if (!version)
        return platform::Failure(version.error());
    if (*version == 0)
        return Refuse("it is no archive");
    if (*version > kSchemaVersion)
        return Problem(SQLITE_CANTOPEN, "a newer version of the program wrote it");
    // A file written before checks kept their screening is read, not migrated: its
    // checks are seen through a view of this connection's own that adds the column,
    // empty, as the migration would.
    const platform::Result<bool> has = HasScreening();
    if (!has)
        return platform::Failure(has.error());
    if (*has)
        return {};
    return Exec("CREATE TEMP VIEW checks AS SELECT *, '' AS screening FROM main.checks");
}

platform::Status Archive::Prepare() {
    // A new file reclaims the space of pruned records; an existing one keeps its mode.
    const platform::Status vacuum = Exec("PRAGMA auto_vacuum = INCREMENTAL");
    if (!vacuum)
        return vacuum;
    Statement wal(db_, "PRAGMA journal_mode = WAL");
    if (!wal.Step())
        return Problem(wal.code());
    if (wal.Text(0) != "wal")
        return Problem(SQLITE_READONLY);
    // In WAL mode a commit survives the end of the process that made it; NORMAL
    // leaves only the last commits before a power loss to chance.
    return Exec("PRAGMA synchronous = NORMAL");
}

platform::Status Archive::Connect(const std::string& name, int flags) {
    // SQLite counts its memory under a process-wide lock unless told not to before its
    // first use; nothing here reads the counts. Later calls are refused, harmlessly.
    static const int memoryStatusOff = sqlite3_config(SQLITE_CONFIG_MEMSTATUS, 0);
    static_cast<void>(memoryStatusOff);
    const int code = sqlite3_open_v2(name.c_str(), &db_, flags, nullptr);
    if (code != SQLITE_OK) {
        platform::Failed<std::string> failed = Problem(code);
        Close();
        return failed;
    }
    sqlite3_extended_result_codes(db_, 1);
    sqlite3_create_function(db_, "fold", 1, SQLITE_UTF8 | SQLITE_DETERMINISTIC, nullptr,
                            FoldFunction, nullptr, nullptr);
    sqlite3_create_function(db_, "key_hash", 1, SQLITE_UTF8 | SQLITE_DETERMINISTIC, nullptr,
                            KeyHashFunction, nullptr, nullptr);
    sqlite3_busy_timeout(db_, kBusyTimeoutMs);
    return {};
}

void Archive::Close() {
    readHeld_ = false;
    cache_->Clear();
    if (db_ != nullptr)
        sqlite3_close_v2(db_);
    db_ = nullptr;
}

platform::Result<int> Archive::SchemaVersion() {
    Statement exists(db_,
                     "SELECT count(*) FROM sqlite_master WHERE name = 'archive_schema' AND "
                     "type = 'table'");
    if (!exists.Step())
        return Problem(exists.code());
    if (exists.Int(0) == 0)
        return 0;
    Statement read(db_, "SELECT version FROM archive_schema");
    if (!read.Step())
        return Problem(read.ok() ? SQLITE_CORRUPT : read.code());
    return static_cast<int>(read.Int(0));
}

platform::Result<bool> Archive::HasScreening() {
    Statement column(db_,
                     "SELECT count(*) FROM pragma_table_info('checks', 'main') WHERE name = "
                     "'screening'");
    if (!column.Step())
        return Problem(column.code());
    return column.Int(0) > 0;
}

platform::Status Archive::Migrate() {
    Transaction transaction(db_);
    const int begun = transaction.Begin(true);
    if (begun != SQLITE_OK)
        return Problem(begun);
    const platform::Result<int> stored = SchemaVersion();
    if (!stored)
        return platform::Failure(stored.error());
    int version = *stored;
    if (version > kSchemaVersion)
        return Problem(SQLITE_CANTOPEN, "a newer version of the program wrote it");
    if (version == 0) {
        // A file with tables of its own is someone else's database: leave it alone.
        Statement tables(db_, "SELECT count(*) FROM sqlite_master");
        if (!tables.Step())
            return Problem(tables.code());
        if (tables.Int(0) != 0) {
            refused_ = true;
            return Problem(SQLITE_NOTADB, "it is no archive");
        }
    }
    for (; version < kSchemaVersion; ++version) {
        // A file may hold the screening column already under an older number (one
        // carried back by hand): adding it again would fail.
        platform::Result<bool> has = false;
        if (version == kScreeningVersion - 1 && !(has = HasScreening()))
            return platform::Failure(has.error());
        platform::Status step;
        if (!*has && !(step = Exec(kMigrations[version])))
            return step;
        if (!(step = Exec("UPDATE archive_schema SET version = " + std::to_string(version + 1))))
            return step;
    }
    const int committed = transaction.Commit();
    if (committed != SQLITE_OK)
        return Problem(committed);
    return {};
}

}  // namespace archive
