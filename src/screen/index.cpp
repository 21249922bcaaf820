#include "screen/index.h"

#include <sqlite3.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <cerrno>
#include <cstring>
#include <string>
#include <vector>

#include "platform/result.h"
#include "screen/sqlite_statement.h"

namespace screen {
namespace {

constexpr int kBusyTimeoutMs = 5000;

// The relation entities of a version, once from each end: entity_id at property is
// related to other_id at other_property by a relation of schema, detail its role,
// relationship or share.
constexpr const char* kRelationsTable =
    "CREATE TABLE IF NOT EXISTS relations(version INTEGER NOT NULL, entity_id TEXT NOT NULL, "
    "property TEXT NOT NULL, other_id TEXT NOT NULL, other_property TEXT NOT NULL, schema TEXT "
    "NOT NULL, detail TEXT NOT NULL)";
constexpr const char* kRelationsKey =
    "CREATE INDEX IF NOT EXISTS relations_by_entity ON relations(version, entity_id)";
// The targets at an end of a relation, of any schema (persons too), to name a link.
constexpr const char* kNamedTable =
    "CREATE TABLE IF NOT EXISTS named(version INTEGER NOT NULL, entity_id TEXT NOT NULL, schema "
    "TEXT NOT NULL, caption TEXT NOT NULL, PRIMARY KEY(version, entity_id)) WITHOUT ROWID";

const char* const kSchema[] = {
    "CREATE TABLE screen_schema(version INTEGER NOT NULL)",
    "CREATE TABLE lists(id INTEGER PRIMARY KEY, name TEXT NOT NULL UNIQUE)",
    // first_entity..last_entity and first_name..last_name: the version's rows, which an
    // import writes with consecutive ids, so that a version leaves by id ranges.
    "CREATE TABLE versions(id INTEGER PRIMARY KEY, list INTEGER NOT NULL, number INTEGER NOT "
    "NULL, digest TEXT NOT NULL, entities INTEGER NOT NULL, skipped INTEGER NOT NULL, "
    "imported_at TEXT NOT NULL, format TEXT NOT NULL, source TEXT NOT NULL, persons INTEGER NOT "
    "NULL, first_entity INTEGER NOT NULL, last_entity INTEGER NOT NULL, first_name INTEGER NOT "
    "NULL, last_name INTEGER NOT NULL)",
    "CREATE TABLE entities(id INTEGER PRIMARY KEY, version INTEGER NOT NULL, entity_id TEXT NOT "
    "NULL, schema TEXT NOT NULL, caption TEXT NOT NULL, topics TEXT NOT NULL, datasets TEXT NOT "
    "NULL, first_seen TEXT NOT NULL, last_seen TEXT NOT NULL, last_change TEXT NOT NULL, target "
    "INTEGER NOT NULL DEFAULT 1)",
    // One row per form of a name: as written, and for a Latin name its reading through
    // "Latin to Russian" (via 1), whose text is empty when the row before holds it. form
    // holds the scoring tokens, blank-separated.
    "CREATE TABLE names(id INTEGER PRIMARY KEY, entity INTEGER NOT NULL, kind INTEGER NOT NULL, "
    "via INTEGER NOT NULL, text TEXT NOT NULL, form TEXT NOT NULL)",
    "CREATE TABLE terms(version INTEGER NOT NULL, token TEXT NOT NULL, df INTEGER NOT NULL, "
    "postings BLOB NOT NULL, PRIMARY KEY(version, token)) WITHOUT ROWID",
    "CREATE TABLE identifiers(version INTEGER NOT NULL, value TEXT NOT NULL, entity INTEGER NOT "
    "NULL, kind INTEGER NOT NULL, kpp TEXT NOT NULL, PRIMARY KEY(version, value, entity, kind, "
    "kpp)) WITHOUT ROWID",
    kRelationsTable,
    kRelationsKey,
    kNamedTable,
};

// Creates the folders of path that are missing, each 0700. Folders that exist keep
// their mode.
platform::Status MakeFolders(const QString& folder) {
    QStringList missing;
    QString at = QDir::cleanPath(folder);
    while (!at.isEmpty() && !QFileInfo::exists(at)) {
        missing.prepend(at);
        const QString parent = QFileInfo(at).path();
        if (parent == at)
            break;
        at = parent;
    }
    for (const QString& dir : missing) {
        if (::mkdir(QFile::encodeName(dir).constData(), 0700) != 0 && errno != EEXIST) {
            return platform::Failure("cannot create the folder " + dir.toStdString() + " (" +
                                     std::strerror(errno) + ")");
        }
    }
    return {};
}

}  // namespace

Index::~Index() {
    Close();
}

std::string Index::DefaultPath() {
    QString root = qEnvironmentVariable("XDG_DATA_HOME");
    if (root.isEmpty() || !QDir::isAbsolutePath(root))
        root = QDir::homePath() + QStringLiteral("/.local/share");
    return (root + QStringLiteral("/Quillmarsh/Vendrake/screening.sqlite")).toStdString();
}

std::string Index::Problem(const std::string& what) const {
    std::string text = "screening index " + path_ + ": " + what;
    if (db_ != nullptr && sqlite3_errcode(db_) != SQLITE_OK)
        text += std::string(" (") + sqlite3_errmsg(db_) + ")";
    return text;
}

platform::Failed<std::string> Index::Fail(const std::string& what) const {
    return platform::Failure(Problem(what));
}

platform::Status Index::Exec(const char* sql) {
    if (sqlite3_exec(db_, sql, nullptr, nullptr, nullptr) != SQLITE_OK)
        return Fail("cannot write it");
    return {};
}

platform::Status Index::Open(const std::string& path, Access access) {
    Close();
    path_ = path;
    const QString file = QString::fromStdString(path);
    const QFileInfo info(file);
    if (info.isSymLink())
        return Fail("it is a symbolic link, which is never followed");
    if (info.isDir())
        return Fail("it is a folder, not an index file (give the file's path)");
    int flags = SQLITE_OPEN_NOFOLLOW | SQLITE_OPEN_NOMUTEX;
    if (access == Access::ReadOnly) {
        if (!info.exists())
            return Fail("no list has been imported yet");
        flags |= SQLITE_OPEN_READONLY;
    } else {
        const platform::Status folders = MakeFolders(info.absolutePath());
        if (!folders)
            return Fail(folders.error());
        // Created here, owner-only, before SQLite opens it: its journal files take the
        // same mode. O_EXCL with O_NOFOLLOW never writes through a link put in its place.
        const int fd =
            ::open(path.c_str(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
        if (fd >= 0)
            ::close(fd);
        else if (errno != EEXIST)
            return Fail(std::string("cannot create it (") + std::strerror(errno) + ")");
        flags |= SQLITE_OPEN_READWRITE;
    }
    if (sqlite3_open_v2(path.c_str(), &db_, flags, nullptr) != SQLITE_OK) {
        platform::Failed<std::string> failed = Fail("cannot open it");
        Close();
        return failed;
    }
    sqlite3_extended_result_codes(db_, 1);
    sqlite3_busy_timeout(db_, kBusyTimeoutMs);
    platform::Status done = Prepare(access);
    if (!done)
        Close();
    return done;
}

platform::Status Index::Prepare(Access access) {
    const platform::Result<bool> fresh = ReadSchema(access);
    if (!fresh)
        return platform::Failure(fresh.error());
    platform::Status done;
    if (*fresh && !(done = CreateSchema()))
        return done;
    if (!*fresh && storedVersion_ < kSchemaVersion && access == Access::ReadWrite &&
        !(done = Migrate()))
        return done;
    if (access == Access::ReadWrite) {
        // Readers go on reading the versions they loaded while an import writes.
        if (!(done = Exec("PRAGMA journal_mode = WAL")) ||
            !(done = Exec("PRAGMA synchronous = NORMAL")))
            return done;
        return Exec("PRAGMA journal_size_limit = 33554432");
    }
    return {};
}

platform::Result<bool> Index::ReadSchema(Access access) {
    Statement exists(db_, "SELECT count(*) FROM sqlite_master WHERE name = 'screen_schema'");
    if (!exists.Step())
        return platform::Failure(Problem(exists.code() == SQLITE_NOTADB ? "it is no screening index"
                                                                        : "cannot read it"));
    if (exists.Int(0) == 0) {
        Statement any(db_, "SELECT count(*) FROM sqlite_master");
        if (access == Access::ReadOnly || !any.Step() || any.Int(0) != 0)
            return platform::Failure(Problem("it is no screening index"));
        return true;
    }
    Statement version(db_, "SELECT version FROM screen_schema");
    if (!version.Step())
        return platform::Failure(Problem("it is no screening index"));
    if (version.Int(0) > kSchemaVersion)
        return platform::Failure(Problem("a newer version of the program wrote it"));
    storedVersion_ = static_cast<int>(version.Int(0));
    return false;
}

platform::Status Index::CreateSchema() {
    platform::Status done;
    if (!(done = Exec("PRAGMA auto_vacuum = INCREMENTAL")) || !(done = Exec("BEGIN")))
        return done;
    for (const char* sql : kSchema) {
        if (!(done = Exec(sql))) {
            (void)Exec("ROLLBACK");
            return done;
        }
    }
    const std::string insert =
        "INSERT INTO screen_schema(version) VALUES(" + std::to_string(kSchemaVersion) + ")";
    if ((done = Exec(insert.c_str())) && (done = Exec("COMMIT"))) {
        storedVersion_ = kSchemaVersion;
        return {};
    }
    (void)Exec("ROLLBACK");
    return done;
}

platform::Status Index::Migrate() {
    platform::Status done;
    if (!(done = Exec("BEGIN IMMEDIATE")))
        return done;
    // Version 1 kept no target flag and no relations: the entities it stored count as
    // targets, as they were screened, and its links cannot be named.
    if (storedVersion_ < 2 &&
        (!(done = Exec("ALTER TABLE entities ADD COLUMN target INTEGER NOT NULL DEFAULT 1")) ||
         !(done = Exec(kRelationsTable)) || !(done = Exec(kRelationsKey)) ||
         !(done = Exec(kNamedTable)))) {
        (void)Exec("ROLLBACK");
        return done;
    }
    const std::string update =
        "UPDATE screen_schema SET version = " + std::to_string(kSchemaVersion);
    if ((done = Exec(update.c_str())) && (done = Exec("COMMIT"))) {
        storedVersion_ = kSchemaVersion;
        return {};
    }
    (void)Exec("ROLLBACK");
    return done;
}

void Index::Close() {
    if (db_ != nullptr)
        sqlite3_close_v2(db_);
    db_ = nullptr;
    storedVersion_ = 0;
}

platform::Result<std::string> FileDigest(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    struct stat st {};
    if (fd < 0 || ::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        std::string why =
            path + (fd < 0 ? ": cannot open it (" + std::string(std::strerror(errno)) + ")"
                           : ": not a regular file");
        if (fd >= 0)
            ::close(fd);
        return platform::Failure(std::move(why));
    }
    QCryptographicHash hash(QCryptographicHash::Sha256);
    std::vector<char> buffer(1 << 20);
    for (;;) {
        const ssize_t got = ::read(fd, buffer.data(), buffer.size());
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0) {
            std::string why = path + ": cannot read it (" + std::strerror(errno) + ")";
            ::close(fd);
            return platform::Failure(std::move(why));
        }
        if (got == 0)
            break;
        hash.addData(QByteArrayView(buffer.data(), got));
    }
    ::close(fd);
    return hash.result().toHex().toStdString();
}

platform::Status Index::DeleteVersion(std::int64_t id) {
    Statement range(db_,
                    "SELECT first_entity, last_entity, first_name, last_name FROM versions WHERE "
                    "id = ?");
    if (!range.Bind(1, id).Step())
        return platform::Failure(Problem("cannot read it"));
    Statement entities(db_, "DELETE FROM entities WHERE id BETWEEN ? AND ?");
    Statement names(db_, "DELETE FROM names WHERE id BETWEEN ? AND ?");
    Statement terms(db_, "DELETE FROM terms WHERE version = ?");
    Statement ids(db_, "DELETE FROM identifiers WHERE version = ?");
    Statement version(db_, "DELETE FROM versions WHERE id = ?");
    bool ok = entities.Bind(1, range.Int(0)).Bind(2, range.Int(1)).Run() &&
              names.Bind(1, range.Int(2)).Bind(2, range.Int(3)).Run() && terms.Bind(1, id).Run() &&
              ids.Bind(1, id).Run() && version.Bind(1, id).Run();
    if (ok && hasTargetFlag()) {
        Statement relations(db_, "DELETE FROM relations WHERE version = ?");
        Statement named(db_, "DELETE FROM named WHERE version = ?");
        ok = relations.Bind(1, id).Run() && named.Bind(1, id).Run();
    }
    if (!ok)
        return platform::Failure(Problem("cannot write it"));
    return {};
}

platform::Result<std::vector<ListVersion>> Index::ReadVersions(const char* sql) {
    std::vector<ListVersion> versions;
    if (db_ == nullptr)
        return platform::Failure(Problem("it is not open"));
    Statement read(db_, sql);
    while (read.Step()) {
        ListVersion v;
        v.id = read.Int(0);
        v.list = read.Text(1);
        v.number = static_cast<int>(read.Int(2));
        v.digest = read.Text(3);
        v.entities = read.Int(4);
        v.skipped = read.Int(5);
        v.importedAt = read.Text(6);
        v.format = read.Text(7);
        v.source = read.Text(8);
        v.persons = read.Int(9) != 0;
        versions.push_back(std::move(v));
    }
    if (!read.ok())
        return platform::Failure(Problem("cannot read it"));
    return versions;
}

platform::Result<std::vector<ListVersion>> Index::Versions() {
    return ReadVersions(
        "SELECT v.id, l.name, v.number, v.digest, v.entities, v.skipped, v.imported_at, "
        "v.format, v.source, v.persons FROM versions v JOIN lists l ON l.id = v.list "
        "ORDER BY l.name, v.number DESC");
}

platform::Result<std::vector<ListVersion>> Index::LatestVersions() {
    return ReadVersions(
        "SELECT v.id, l.name, v.number, v.digest, v.entities, v.skipped, v.imported_at, "
        "v.format, v.source, v.persons FROM versions v JOIN lists l ON l.id = v.list "
        "WHERE v.number = (SELECT max(number) FROM versions w WHERE w.list = v.list) "
        "ORDER BY l.name");
}

platform::Result<bool> Index::Remove(const std::string& name) {
    if (db_ == nullptr)
        return Fail("it is not open");
    const platform::Status begun = Exec("BEGIN IMMEDIATE");
    if (!begun)
        return platform::Failure(begun.error());
    Statement ids(db_,
                  "SELECT v.id FROM versions v JOIN lists l ON l.id = v.list WHERE l.name = ?");
    ids.Bind(1, name);
    std::vector<std::int64_t> versions;
    while (ids.Step())
        versions.push_back(ids.Int(0));
    platform::Status done = ids.ok() ? platform::Status() : Fail("cannot read it");
    for (const std::int64_t id : versions) {
        if (done)
            done = DeleteVersion(id);
    }
    Statement list(db_, "DELETE FROM lists WHERE name = ?");
    if (done && !list.Bind(1, name).Run())
        done = Fail("cannot write it");
    const bool found = done && sqlite3_changes(db_) > 0;
    if (done)
        done = Exec("COMMIT");
    if (!done) {
        // Deliberately unchecked: the failure that led here is what is told.
        (void)Exec("ROLLBACK");
        return platform::Failure(done.error());
    }
    (void)Exec("PRAGMA incremental_vacuum");
    return found;
}

}  // namespace screen
