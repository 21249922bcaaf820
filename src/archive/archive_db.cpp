#include "archive/archive_db.h"

#include <sqlite3.h>
#include <sys/stat.h>
#include <QDir>
#include <QFileInfo>
#include <QString>
#include <QUrl>

#include <algorithm>
#include <array>
#include <iterator>
#include <map>
#include <set>
#include <unordered_map>
#include <utility>

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

// The fields the firm index holds.
const auto kNameColumn = static_cast<std::size_t>(FirmColumnIndex("name"));
const auto kInnColumn = static_cast<std::size_t>(FirmColumnIndex("inn"));
const auto kOgrnColumn = static_cast<std::size_t>(FirmColumnIndex("ogrn"));

// key_hash(key): QueryHash of a query key, for the checks written before the hash was kept.
void KeyHashFunction(sqlite3_context* context, int, sqlite3_value** values) {
    const auto* bytes = static_cast<const char*>(sqlite3_value_blob(values[0]));
    const int size = sqlite3_value_bytes(values[0]);
    sqlite3_result_int64(
        context, QueryHash(bytes == nullptr ? std::string()
                                            : std::string(bytes, static_cast<size_t>(size))));
}

}  // namespace

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

// A word as the firm index compares it: case-folded, without diacritical marks.
QString FoldWord(const QString& word) {
    const QString decomposed = word.toCaseFolded().normalized(QString::NormalizationForm_D);
    QString folded;
    folded.reserve(decomposed.size());
    for (const QChar c : decomposed) {
        if (c.category() != QChar::Mark_NonSpacing)
            folded += c;
    }
    return folded;
}

// Words in double quotes that must stand together, in this order, in one field.
struct Phrase {
    std::vector<QString> words;  // folded
    bool lastIsPrefix = false;   // its quote is still open at the end of the text
};

// What to search for: the words of the text (runs of letters and digits), the last
// one the beginning of a word (it may be still being typed) unless a closing quote
// follows it, and the phrases of two words or more among them. A quote left open
// runs to the end of the text.
struct SearchText {
    std::vector<QString> words;
    bool lastIsPrefix = true;
    std::vector<Phrase> phrases;
};

SearchText ParseSearchText(const std::string& text) {
    SearchText parsed;
    bool quoted = false;
    Phrase phrase;
    QString word;
    const auto endWord = [&] {
        if (word.isEmpty())
            return;
        parsed.words.push_back(word);
        if (quoted)
            phrase.words.push_back(FoldWord(word));
        word.clear();
    };
    const auto endPhrase = [&] {
        if (phrase.words.size() >= 2)
            parsed.phrases.push_back(phrase);
        phrase = Phrase();
    };
    for (const QChar c : QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()))) {
        if (c.isLetterOrNumber()) {
            if (word.isEmpty())
                parsed.lastIsPrefix = true;
            word += c;
            continue;
        }
        endWord();
        if (c == QLatin1Char('"')) {
            if (quoted) {
                endPhrase();
                parsed.lastIsPrefix = false;
            }
            quoted = !quoted;
        }
    }
    endWord();
    if (quoted) {
        phrase.lastIsPrefix = parsed.lastIsPrefix;
        endPhrase();
    }
    return parsed;
}

// An FTS5 query matching rows whose columns hold each word of the text. Every word is
// quoted, so that no operator in the text takes effect, and each holds one word only:
// the index keeps no word positions, so phrases are checked on the rows it gives
// (HoldsPhrase). Whole words keep a common one such as "ООО" cheap: only a prefix
// needs the index's terms merged before the first row comes.
std::string MatchExpression(const SearchText& parsed, const char* columns) {
    std::string expression;
    for (size_t i = 0; i < parsed.words.size(); ++i) {
        if (i > 0)
            expression += " AND ";
        if (columns != nullptr)
            expression += columns;
        const bool prefix = parsed.lastIsPrefix && i + 1 == parsed.words.size();
        expression += '"' + parsed.words[i].toStdString() + (prefix ? "\"*" : "\"");
    }
    return expression;
}

std::string MatchExpression(const std::string& text, const char* columns) {
    return MatchExpression(ParseSearchText(text), columns);
}

// True when the field (UTF-8) holds the phrase's words next to each other, in order.
bool HoldsPhrase(const std::string& field, const Phrase& phrase) {
    std::vector<QString> words;
    QString word;
    for (const QChar c :
         QString::fromUtf8(field.data(), static_cast<qsizetype>(field.size())) + QLatin1Char(' ')) {
        if (c.isLetterOrNumber()) {
            word += c;
        } else if (!word.isEmpty()) {
            words.push_back(FoldWord(word));
            word.clear();
        }
    }
    const size_t n = phrase.words.size();
    for (size_t start = 0; start + n <= words.size(); ++start) {
        size_t k = 0;
        while (k < n && (words[start + k] == phrase.words[k] ||
                         (k + 1 == n && phrase.lastIsPrefix &&
                          words[start + k].startsWith(phrase.words[k]))))
            ++k;
        if (k == n)
            return true;
    }
    return false;
}

// The end of a date range given as a day: everything on that day is before it.
std::string DayEnd(const std::string& date) {
    return date.size() == 10 ? date + "T99" : date;
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

bool Archive::Fail(int code, const std::string& what, std::string* error) const {
    const int primary = code & 0xff;
    const int current = db_ != nullptr ? sqlite3_errcode(db_) & 0xff : SQLITE_OK;
    locked_ = primary == SQLITE_BUSY || primary == SQLITE_LOCKED || current == SQLITE_BUSY ||
              current == SQLITE_LOCKED;
    if (error != nullptr) {
        const bool told = db_ != nullptr && sqlite3_errcode(db_) != SQLITE_OK;
        const std::string detail = told ? sqlite3_errmsg(db_) : sqlite3_errstr(code);
        *error = "archive " + path_ + ": " + (what.empty() ? Describe(code) : what) + " (" +
                 detail + ")";
    }
    return false;
}

bool Archive::Exec(const char* sql, std::string* error) {
    const int code = sqlite3_exec(db_, sql, nullptr, nullptr, nullptr);
    return code == SQLITE_OK || Fail(code, {}, error);
}

bool Archive::Open(const std::string& path, Access access, std::string* error) {
    Close();
    path_ = path;
    refused_ = false;
    locked_ = false;
    const auto refuse = [&](const std::string& why) {
        refused_ = true;
        return Fail(SQLITE_CANTOPEN, why, error);
    };
    if (access == Access::ReadWrite) {
        std::string problem;
        if (!MakePrivateFolders(
                QFileInfo(QString::fromStdString(path)).absolutePath().toStdString(), &problem))
            return Fail(SQLITE_CANTOPEN, problem, error);
    }
    // Links in the folders above are followed here, so that SQLite, told never to
    // follow one, refuses only a link at the file itself.
    const std::string file = ResolvedPath(path);
    if (file.empty())
        return Fail(SQLITE_CANTOPEN, "there is no archive yet", error);
    bool exists = false;
    const std::string refusal = Refusal(file, path, &exists);
    if (!refusal.empty())
        return refuse(refusal);
    int flags = SQLITE_OPEN_NOFOLLOW | SQLITE_OPEN_NOMUTEX;
    if (access == Access::ReadOnly) {
        if (!exists)
            return Fail(SQLITE_CANTOPEN, "there is no archive yet", error);
        flags |= SQLITE_OPEN_READONLY;
    } else {
        if (!exists && !Create(file, error))
            return false;
        flags |= SQLITE_OPEN_READWRITE;
    }
    if (!Connect(file, flags, error))
        return false;
    bool ok = true;
    if (access == Access::ReadWrite) {
        if (sqlite3_db_readonly(db_, "main") == 1)
            ok = Fail(SQLITE_READONLY, {}, error);
        ok = ok && Prepare(error) && Migrate(error);
        // The log is copied into the file once it holds this many pages: less often
        // than by default, so that a page changed by many commits is copied fewer times.
        ok = ok && Exec("PRAGMA wal_autocheckpoint = 4000", error);
        // Once copied into the file, the log is cut back to this size when it starts over.
        ok = ok &&
             Exec(("PRAGMA journal_size_limit = " + std::to_string(kWalLimitBytes)).c_str(), error);
    } else {
        int version = 0;
        ok = SchemaVersion(&version, error);
        if (!ok && (sqlite3_errcode(db_) & 0xff) == SQLITE_READONLY) {
            // Reading a write-ahead-log file takes its shared-memory file beside it; a
            // reader that may not create that one reads the file as it lies on disk.
            Close();
            const std::string uri =
                QUrl::fromLocalFile(QString::fromStdString(file)).toEncoded().toStdString() +
                "?immutable=1";
            ok = Connect(uri, flags | SQLITE_OPEN_URI, error) && SchemaVersion(&version, error);
            if (!ok && db_ == nullptr)
                return false;
        }
        if (ok && version == 0)
            ok = refuse("it is no archive");
        else if (ok && version > kSchemaVersion)
            ok = Fail(SQLITE_CANTOPEN, "a newer version of the program wrote it", error);
        // A file written before checks kept their screening is read, not migrated: its
        // checks are seen through a view of this connection's own that adds the column,
        // empty, as the migration would.
        bool has = true;
        ok = ok && HasScreening(&has, error);
        if (ok && !has)
            ok = Exec("CREATE TEMP VIEW checks AS SELECT *, '' AS screening FROM main.checks",
                      error);
    }
    if (!ok)
        Close();
    return ok;
}

bool Archive::Prepare(std::string* error) {
    // A new file reclaims the space of pruned records; an existing one keeps its mode.
    if (!Exec("PRAGMA auto_vacuum = INCREMENTAL", error))
        return false;
    Statement wal(db_, "PRAGMA journal_mode = WAL");
    if (!wal.Step())
        return Fail(wal.code(), {}, error);
    if (wal.Text(0) != "wal")
        return Fail(SQLITE_READONLY, {}, error);
    // In WAL mode a commit survives the end of the process that made it; NORMAL
    // leaves only the last commits before a power loss to chance.
    return Exec("PRAGMA synchronous = NORMAL", error);
}

bool Archive::Connect(const std::string& name, int flags, std::string* error) {
    // SQLite counts its memory under a process-wide lock unless told not to before its
    // first use; nothing here reads the counts. Later calls are refused, harmlessly.
    static const int memoryStatusOff = sqlite3_config(SQLITE_CONFIG_MEMSTATUS, 0);
    static_cast<void>(memoryStatusOff);
    const int code = sqlite3_open_v2(name.c_str(), &db_, flags, nullptr);
    if (code != SQLITE_OK) {
        Fail(code, {}, error);
        Close();
        return false;
    }
    sqlite3_extended_result_codes(db_, 1);
    sqlite3_create_function(db_, "fold", 1, SQLITE_UTF8 | SQLITE_DETERMINISTIC, nullptr,
                            FoldFunction, nullptr, nullptr);
    sqlite3_create_function(db_, "key_hash", 1, SQLITE_UTF8 | SQLITE_DETERMINISTIC, nullptr,
                            KeyHashFunction, nullptr, nullptr);
    sqlite3_busy_timeout(db_, kBusyTimeoutMs);
    return true;
}

void Archive::Close() {
    readHeld_ = false;
    cache_->Clear();
    if (db_ != nullptr)
        sqlite3_close_v2(db_);
    db_ = nullptr;
}

bool Archive::SchemaVersion(int* version, std::string* error) {
    Statement exists(db_,
                     "SELECT count(*) FROM sqlite_master WHERE name = 'archive_schema' AND "
                     "type = 'table'");
    if (!exists.Step())
        return Fail(exists.code(), {}, error);
    *version = 0;
    if (exists.Int(0) == 0)
        return true;
    Statement read(db_, "SELECT version FROM archive_schema");
    if (!read.Step())
        return Fail(read.ok() ? SQLITE_CORRUPT : read.code(), {}, error);
    *version = static_cast<int>(read.Int(0));
    return true;
}

bool Archive::HasScreening(bool* has, std::string* error) {
    Statement column(db_,
                     "SELECT count(*) FROM pragma_table_info('checks', 'main') WHERE name = "
                     "'screening'");
    if (!column.Step())
        return Fail(column.code(), {}, error);
    *has = column.Int(0) > 0;
    return true;
}

bool Archive::Migrate(std::string* error) {
    Transaction transaction(db_);
    const int begun = transaction.Begin(true);
    if (begun != SQLITE_OK)
        return Fail(begun, {}, error);
    int version = 0;
    if (!SchemaVersion(&version, error))
        return false;
    if (version > kSchemaVersion)
        return Fail(SQLITE_CANTOPEN, "a newer version of the program wrote it", error);
    if (version == 0) {
        // A file with tables of its own is someone else's database: leave it alone.
        Statement tables(db_, "SELECT count(*) FROM sqlite_master");
        if (!tables.Step())
            return Fail(tables.code(), {}, error);
        if (tables.Int(0) != 0) {
            refused_ = true;
            return Fail(SQLITE_NOTADB, "it is no archive", error);
        }
    }
    for (; version < kSchemaVersion; ++version) {
        // A file may hold the screening column already under an older number (one
        // carried back by hand): adding it again would fail.
        bool has = false;
        if (version == kScreeningVersion - 1 && !HasScreening(&has, error))
            return false;
        if (!has && !Exec(kMigrations[version], error))
            return false;
        const std::string set =
            "UPDATE archive_schema SET version = " + std::to_string(version + 1);
        if (!Exec(set.c_str(), error))
            return false;
    }
    const int committed = transaction.Commit();
    return committed == SQLITE_OK || Fail(committed, {}, error);
}

bool Archive::Append(std::vector<CheckRecord>& records, std::string* error) {
    locked_ = false;
    if (records.empty())
        return true;
    if (!Write(records, error))
        return false;
    BoundWal();
    return true;
}

bool Archive::Write(std::vector<CheckRecord>& records, std::string* error) {
    Transaction transaction(db_);
    const int begun = transaction.Begin(true);
    if (begun != SQLITE_OK)
        return Fail(begun, {}, error);
    Statement head(db_, "SELECT head_id, head_digest FROM chain", cache_.get());
    if (!head.Step())
        return Fail(head.ok() ? SQLITE_CORRUPT : head.code(), {}, error);
    std::int64_t id = head.Int(0);
    std::string previous = head.Text(1);

    Statement insertCheck(db_,
                          "INSERT INTO checks(" + kCheckColumns +
                              ", query_key, query_hash) "
                              "VALUES (?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?)",
                          cache_.get());
    std::string firmSql = "INSERT INTO firms(check_id, position";
    for (const FirmColumn& column : FirmColumns())
        firmSql += std::string(", ") + column.key;
    firmSql += ") VALUES (?,?,?,?,?,?,?,?,?,?,?,?)";
    Statement insertFirm(db_, firmSql, cache_.get());
    Statement indexFirm(db_, "INSERT INTO firm_text(rowid, name, inn, ogrn) VALUES (?,?,?,?)",
                        cache_.get());
    for (const Statement* statement : {&insertCheck, &insertFirm, &indexFirm}) {
        if (!statement->ok())
            return Fail(statement->code(), {}, error);
    }

    // The records get their ids, times and digests as they are written; a failed write
    // gives them back what they came with, so that they can be tried again.
    GivenBack given(records);
    const std::string now = UtcNow();
    for (CheckRecord& record : records) {
        record.id = ++id;
        if (record.checkedAt.empty())
            record.checkedAt = now;
        const std::int64_t firmCount = record.firmCount();
        RecordHasher hasher(record, previous, firmCount);

        // The firms go first, each hashed as it is inserted, so that a record whose
        // firms come from a source never has them all in memory at once.
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
            insertFirm.Reset();
            insertFirm.Bind(1, record.id);
            insertFirm.Bind(2, position++);
            for (std::size_t i = 0; i < n; ++i)
                insertFirm.BindUnchanged(static_cast<int>(i) + 3, values[i]);
            if (!insertFirm.Run()) {
                failed = insertFirm.code();
                return;
            }
            indexFirm.Reset();
            indexFirm.Bind(1, static_cast<std::int64_t>(sqlite3_last_insert_rowid(db_)));
            indexFirm.BindUnchanged(2, values[kNameColumn]);
            indexFirm.BindUnchanged(3, values[kInnColumn]);
            indexFirm.BindUnchanged(4, values[kOgrnColumn]);
            if (!indexFirm.Run())
                failed = indexFirm.code();
        };
        if (record.firmSource) {
            std::string readError;
            if (!record.firmSource->ForEach(insert, &readError) && failed == SQLITE_OK) {
                if (error != nullptr)
                    *error = "archive " + path_ + ": " + readError;
                return false;
            }
        } else {
            for (const lookup::FirmRecord& firm : record.firms)
                insert(firm);
        }
        if (failed != SQLITE_OK)
            return Fail(failed, {}, error);
        if (position != firmCount) {
            if (error != nullptr)
                *error = "archive " + path_ + ": a check's firms changed while they were written";
            return false;
        }
        for (const ScreenMatch& match : record.screening.matches) {
            if (!(match.score >= 0.0 && match.score <= 1.0)) {
                if (error != nullptr)
                    *error = "archive " + path_ + ": a screening score is not within 0 and 1";
                return false;
            }
        }
        hasher.AddScreening(record.screening);
        record.digest = hasher.Finish();
        if (record.digest.empty())
            return Fail(SQLITE_NOMEM, {}, error);
        previous = record.digest;

        insertCheck.Reset();
        insertCheck.Bind(1, record.id);
        insertCheck.Bind(2, record.checkedAt);
        insertCheck.Bind(3, record.origin);
        insertCheck.Bind(4, record.service);
        insertCheck.Bind(5, record.typed);
        insertCheck.Bind(6, static_cast<std::int64_t>(record.criteria.mode));
        insertCheck.Bind(7, ToUtf8(record.criteria.name));
        insertCheck.Bind(8, ToUtf8(record.criteria.address));
        insertCheck.Bind(9, ToUtf8(record.criteria.region));
        insertCheck.Bind(10, ToUtf8(record.criteria.date));
        insertCheck.Bind(11, ToUtf8(record.criteria.number));
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
            return Fail(insertCheck.code(), {}, error);
    }
    Statement moveHead(db_, "UPDATE chain SET head_id = ?, head_digest = ?", cache_.get());
    moveHead.Bind(1, id);
    moveHead.Bind(2, previous);
    if (!moveHead.Run())
        return Fail(moveHead.code(), {}, error);
    const int code = transaction.Commit();
    if (code != SQLITE_OK)
        return Fail(code, {}, error);
    given.Keep();
    return true;
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

bool Archive::FirmsOf(std::int64_t id, std::vector<lookup::FirmRecord>* firms, std::string* error) {
    std::string sql = "SELECT position";
    for (const FirmColumn& column : FirmColumns())
        sql += std::string(", ") + column.key;
    sql += " FROM firms WHERE check_id = ? ORDER BY position";
    Statement select(db_, sql, cache_.get());
    select.Bind(1, id);
    firms->clear();
    while (select.Step()) {
        lookup::FirmRecord firm;
        int index = 1;
        for (const FirmColumn& column : FirmColumns())
            firm.*column.member = FromUtf8(select.Text(index++));
        firms->push_back(std::move(firm));
    }
    return select.ok() || Fail(select.code(), {}, error);
}

bool Archive::Get(std::int64_t id, CheckRecord* record, bool* found, std::string* error) {
    Statement select(db_, "SELECT " + kCheckColumns + " FROM checks WHERE id = ?", cache_.get());
    select.Bind(1, id);
    *found = select.Step();
    if (!select.ok())
        return Fail(select.code(), {}, error);
    if (!*found)
        return true;
    *record = ReadCheck(select);
    return FirmsOf(id, &record->firms, error);
}

bool Archive::List(const HistoryFilter& filter, std::vector<CheckSummary>* checks,
                   std::string* error) {
    std::string sql =
        "SELECT id, checked_at, origin, typed, outcome, message_kind, message, firm_count, "
        "digest FROM checks WHERE 1";
    std::vector<std::string> values;
    if (filter.beforeId > 0)
        sql += " AND id < " + std::to_string(filter.beforeId);
    if (!filter.from.empty()) {
        sql += " AND checked_at >= ?";
        values.push_back(filter.from);
    }
    if (!filter.to.empty()) {
        sql += " AND checked_at <= ?";
        values.push_back(DayEnd(filter.to));
    }
    const auto firmMatch = [&](const std::string& expression) {
        sql +=
            " id IN (SELECT check_id FROM firms WHERE id IN (SELECT rowid FROM firm_text "
            "WHERE firm_text MATCH ?))";
        values.push_back(expression);
    };
    if (!filter.text.empty()) {
        sql += " AND (instr(fold(typed), fold(?)) > 0";
        values.push_back(filter.text);
        const std::string expression = MatchExpression(filter.text, "name : ");
        if (!expression.empty()) {
            sql += " OR";
            firmMatch(expression);
        }
        sql += ')';
    }
    if (!filter.number.empty()) {
        const std::string expression = MatchExpression(filter.number, "{inn ogrn} : ");
        if (expression.empty()) {
            checks->clear();
            return true;
        }
        sql += " AND";
        firmMatch(expression);
    }
    sql += " ORDER BY id DESC";
    if (filter.limit > 0)
        sql += " LIMIT " + std::to_string(filter.limit);
    Statement select(db_, sql);
    for (size_t i = 0; i < values.size(); ++i)
        select.Bind(static_cast<int>(i + 1), values[i]);
    checks->clear();
    while (select.Step())
        checks->push_back(ReadSummary(select));
    return select.ok() || Fail(select.code(), {}, error);
}

bool Archive::Search(const std::string& text, int limit, std::vector<FoundFirm>* firms,
                     std::string* error) {
    firms->clear();
    const SearchText parsed = ParseSearchText(text);
    const std::string expression = MatchExpression(parsed, nullptr);
    if (expression.empty() || limit <= 0)
        return true;
    std::string sql = "SELECT c.id, c.checked_at, c.typed";
    for (const FirmColumn& column : FirmColumns())
        sql += std::string(", f.") + column.key;
    sql +=
        " FROM firm_text JOIN firms f ON f.id = firm_text.rowid JOIN checks c ON c.id = "
        "f.check_id WHERE firm_text MATCH ? ORDER BY firm_text.rowid DESC";
    Statement select(db_, sql);
    select.Bind(1, expression);
    std::set<std::string> seen;
    const auto holdsPhrases = [&] {
        for (const Phrase& phrase : parsed.phrases) {
            const std::size_t fields[] = {kNameColumn, kInnColumn, kOgrnColumn};
            if (std::none_of(std::begin(fields), std::end(fields), [&](std::size_t field) {
                    return HoldsPhrase(select.Text(3 + static_cast<int>(field)), phrase);
                }))
                return false;
        }
        return true;
    };
    while (static_cast<int>(firms->size()) < limit && select.Step()) {
        if (!holdsPhrases())
            continue;
        FoundFirm found;
        found.checkId = select.Int(0);
        found.checkedAt = select.Text(1);
        found.typed = select.Text(2);
        int index = 3;
        for (const FirmColumn& column : FirmColumns())
            found.firm.*column.member = FromUtf8(select.Text(index++));
        if (seen.insert(FirmIdentity(found.firm)).second)
            firms->push_back(std::move(found));
    }
    return select.ok() || Fail(select.code(), {}, error);
}

bool Archive::LastAnswered(const lookup::SearchCriteria& criteria, const std::string& notBefore,
                           CheckRecord* record, bool* found, std::string* error) {
    Statement select(db_,
                     "SELECT id FROM checks WHERE query_hash = ? AND query_key = ? AND "
                     "checked_at >= ? AND (outcome = 'firms' OR (outcome = 'message' AND "
                     "message_kind IN ('not-found', 'found-none'))) ORDER BY id DESC LIMIT 1",
                     cache_.get());
    const std::string key = QueryKey(criteria);
    select.Bind(1, QueryHash(key));
    select.BindBlob(2, key);
    select.Bind(3, notBefore);
    *found = select.Step();
    if (!select.ok())
        return Fail(select.code(), {}, error);
    if (!*found)
        return true;
    const std::int64_t id = select.Int(0);
    if (!Get(id, record, found, error))
        return false;
    // The key beside the record is not digested: a record whose own criteria give
    // another query is never the answer to this one.
    if (*found && QueryKey(record->criteria) != key)
        return Fail(SQLITE_CORRUPT,
                    "record " + std::to_string(id) +
                        " was altered: its query key does not match its criteria",
                    error);
    return true;
}

bool Archive::RepeatedQueries(std::vector<std::string>* keys, std::string* error) {
    Statement select(db_,
                     "SELECT query_key FROM checks GROUP BY query_hash, query_key "
                     "HAVING count(*) >= 2 ORDER BY min(id)");
    keys->clear();
    while (select.Step())
        keys->push_back(select.Text(0));
    return select.ok() || Fail(select.code(), {}, error);
}

bool Archive::ChecksOf(const std::string& key, std::vector<CheckSummary>* checks,
                       std::string* error) {
    Statement select(db_,
                     "SELECT id, checked_at, origin, typed, outcome, message_kind, message, "
                     "firm_count, digest FROM checks WHERE query_hash = ? AND query_key = ? "
                     "ORDER BY id",
                     cache_.get());
    select.Bind(1, QueryHash(key));
    select.BindBlob(2, key);
    checks->clear();
    while (select.Step())
        checks->push_back(ReadSummary(select));
    return select.ok() || Fail(select.code(), {}, error);
}

bool Archive::Scan(const std::string& since, const std::function<bool(const CheckRecord&)>& visit,
                   std::string* error) {
    // One read transaction, so that the records seen belong to one moment.
    Transaction snapshot(db_);
    if (sqlite3_get_autocommit(db_) != 0) {
        const int begun = snapshot.Begin(false);
        if (begun != SQLITE_OK)
            return Fail(begun, {}, error);
    }
    Statement select(db_, "SELECT " + kCheckColumns + " FROM checks " +
                              (since.empty() ? "" : "WHERE checked_at >= ? ") + "ORDER BY id");
    if (!since.empty())
        select.Bind(1, since);
    while (select.Step()) {
        CheckRecord record = ReadCheck(select);
        if (!FirmsOf(record.id, &record.firms, error))
            return false;
        if (!visit(record))
            return true;
    }
    return select.ok() || Fail(select.code(), {}, error);
}

bool Archive::ScanScreened(
    const std::function<bool(const CheckRecord&, const std::string& key)>& visit,
    std::string* error) {
    Statement select(db_, "SELECT " + kCheckColumns +
                              ", query_key FROM checks WHERE screening != '' ORDER BY id");
    while (select.Step()) {
        if (!visit(ReadCheck(select), select.Text(20)))
            return select.ok() || Fail(select.code(), {}, error);
    }
    return select.ok() || Fail(select.code(), {}, error);
}

bool Archive::BeginRead(std::string* error) {
    if (readHeld_ || sqlite3_get_autocommit(db_) == 0)
        return true;
    // The snapshot is taken by the first read, as a deferred transaction does.
    const int code = sqlite3_exec(db_, "BEGIN", nullptr, nullptr, nullptr);
    if (code != SQLITE_OK)
        return Fail(code, {}, error);
    readHeld_ = true;
    return true;
}

void Archive::EndRead() {
    if (!readHeld_)
        return;
    readHeld_ = false;
    // Ending a transaction that only read cannot lose anything.
    sqlite3_exec(db_, "COMMIT", nullptr, nullptr, nullptr);
}

}  // namespace archive
