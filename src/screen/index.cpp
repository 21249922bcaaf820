#include "screen/index.h"

#include <sqlite3.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <algorithm>
#include <cerrno>
#include <condition_variable>
#include <cstdio>
#include <cstring>
#include <deque>
#include <mutex>
#include <thread>
#include <tuple>
#include <unordered_map>

#include "screen/identifiers.h"
#include "screen/list_reader.h"
#include "screen/names.h"
#include "screen/postings.h"
#include "screen/sqlite_statement.h"
#include "translit/translit.h"

namespace screen {
namespace {

constexpr int kBusyTimeoutMs = 5000;

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
    "NULL, first_seen TEXT NOT NULL, last_seen TEXT NOT NULL, last_change TEXT NOT NULL)",
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
};

std::string Now() {
    return QDateTime::currentDateTimeUtc().toString(Qt::ISODate).toStdString();
}

std::string Join(const std::vector<std::string>& values) {
    std::string out;
    for (const std::string& value : values)
        out += (out.empty() ? "" : ",") + value;
    return out;
}

std::string JoinTokens(const std::vector<QString>& tokens) {
    QString out;
    for (const QString& token : tokens) {
        if (!out.isEmpty())
            out += QLatin1Char(' ');
        out += token;
    }
    return out.toStdString();
}

bool IsScreenedSchema(const std::string& schema) {
    return schema == "Company" || schema == "Organization" || schema == "LegalEntity";
}

// Creates the folders of path that are missing, each 0700. Folders that exist keep
// their mode.
bool MakeFolders(const QString& folder, std::string* reason) {
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
            *reason =
                "cannot create the folder " + dir.toStdString() + " (" + std::strerror(errno) + ")";
            return false;
        }
    }
    return true;
}

// Collects one version's postings and identifiers in memory while its entities are
// written, and writes them sorted at the end: one row per token.
struct VersionBuilder {
    struct Term {
        std::int64_t last = 0;  // the id added last
        std::int64_t df = 0;
        std::string postings;
    };
    std::unordered_map<std::string, Term> terms;
    struct Id {
        std::string value;
        std::int64_t entity;
        int kind;
        std::string kpp;
        bool operator<(const Id& o) const {
            return std::tie(value, entity, kind, kpp) < std::tie(o.value, o.entity, o.kind, o.kpp);
        }
        bool operator==(const Id& o) const {
            return value == o.value && entity == o.entity && kind == o.kind && kpp == o.kpp;
        }
    };
    std::vector<Id> ids;

    void Add(const std::vector<std::string>& tokens, int letters, std::int64_t nameId) {
        for (const std::string& token : tokens) {
            Term& term = terms[token];
            AppendPosting(term.postings, term.last, nameId, letters);
            term.last = nameId;
            ++term.df;
        }
    }
};

// One form of a name as the import writes it.
struct PreparedForm {
    NameKind kind = NameKind::Name;
    int via = 0;  // 1: read into Russian by "Latin to Russian"
    std::string text;
    std::string form;
    std::vector<std::string> tokens;
    int letters = 0;
};

// One step of the reader, with an entity made ready to write: its name forms tokenised
// and its numbers found.
struct Prepared {
    ListReader::Step step = ListReader::Step::End;
    std::int64_t line = 0;
    bool screened = false;
    ListEntity entity;
    std::vector<PreparedForm> forms;
    std::vector<Identifier> ids;
    std::string error;
};

PreparedForm MakeForm(NameKind kind, int via, std::string text,
                      const std::vector<QString>& tokens) {
    PreparedForm form;
    form.kind = kind;
    form.via = via;
    form.text = std::move(text);
    for (const QString& token : tokens) {
        form.tokens.push_back(token.toStdString());
        form.letters += static_cast<int>(token.size());
    }
    form.form = JoinTokens(tokens);
    return form;
}

// Reads and prepares entities on a thread of its own while the caller writes the ones
// before: parsing, tokenising and transliterating take most of an import's time, and
// the writing no less. At most kQueuedBatches batches wait, so memory stays bounded
// whatever the list's size.
class Feed {
  public:
    static constexpr size_t kBatch = 256;
    static constexpr size_t kQueuedBatches = 8;

    Feed(ListReader& reader, bool persons, const translit::Translator* toRussian)
        : reader_(reader), persons_(persons), toRussian_(toRussian) {
        thread_ = std::thread([this] { Run(); });
    }
    ~Feed() {
        {
            std::lock_guard<std::mutex> lock(mutex_);
            stop_ = true;
        }
        changed_.notify_all();
        thread_.join();
    }
    Feed(const Feed&) = delete;
    Feed& operator=(const Feed&) = delete;

    // The next batch; its last step is End or Failed once the list is read.
    std::vector<Prepared> Next() {
        std::unique_lock<std::mutex> lock(mutex_);
        changed_.wait(lock, [this] { return !queue_.empty(); });
        std::vector<Prepared> batch = std::move(queue_.front());
        queue_.pop_front();
        changed_.notify_all();
        return batch;
    }

  private:
    void Prepare(Prepared& p) const {
        const ListEntity& entity = p.entity;
        for (const std::string& text : entity.identifierTexts) {
            for (Identifier& id : ParseIdentifiers(text)) {
                if (std::find(p.ids.begin(), p.ids.end(), id) == p.ids.end())
                    p.ids.push_back(std::move(id));
            }
        }
        const bool registerCode =
            reader_.format() == ListFormat::SimpleCsv ? !p.ids.empty() : entity.hasRegisterCode;
        p.screened =
            entity.schema == "Person" ? persons_ : IsScreenedSchema(entity.schema) || registerCode;
        if (!p.screened)
            return;
        for (const auto& [kind, text] : entity.names) {
            const std::vector<QString> tokens = ScoringTokens(text);
            std::string utf8 = text.toStdString();
            if (!tokens.empty())
                p.forms.push_back(MakeForm(kind, 0, utf8, tokens));
            if (toRussian_ == nullptr || !HasLatin(text))
                continue;
            const translit::Outcome russian = toRussian_->Convert(text);
            const std::vector<QString> russianTokens =
                russian.ok() ? ScoringTokens(russian.text) : std::vector<QString>();
            // The name as written is in the row before, unless it had no tokens.
            if (!russianTokens.empty() && russianTokens != tokens)
                p.forms.push_back(MakeForm(
                    kind, 1, tokens.empty() ? std::move(utf8) : std::string(), russianTokens));
        }
    }

    void Run() {
        std::vector<Prepared> batch;
        for (;;) {
            Prepared p;
            p.step = reader_.Next(&p.entity);
            p.line = reader_.line();
            if (p.step == ListReader::Step::Failed)
                p.error = reader_.error();
            if (p.step == ListReader::Step::Entity)
                Prepare(p);
            const bool last = p.step == ListReader::Step::End || p.step == ListReader::Step::Failed;
            batch.push_back(std::move(p));
            if (batch.size() < kBatch && !last)
                continue;
            std::unique_lock<std::mutex> lock(mutex_);
            changed_.wait(lock, [this] { return stop_ || queue_.size() < kQueuedBatches; });
            if (stop_)
                return;
            queue_.push_back(std::move(batch));
            batch.clear();
            changed_.notify_all();
            if (last)
                return;
        }
    }

    ListReader& reader_;
    const bool persons_;
    const translit::Translator* const toRussian_;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<std::vector<Prepared>> queue_;
    bool stop_ = false;
    std::thread thread_;
};

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

bool Index::Fail(const std::string& what, std::string* error) const {
    if (error != nullptr) {
        std::string text = "screening index " + path_ + ": " + what;
        if (db_ != nullptr && sqlite3_errcode(db_) != SQLITE_OK)
            text += std::string(" (") + sqlite3_errmsg(db_) + ")";
        *error = text;
    }
    return false;
}

bool Index::Exec(const char* sql, std::string* error) {
    return sqlite3_exec(db_, sql, nullptr, nullptr, nullptr) == SQLITE_OK ||
           Fail("cannot write it", error);
}

bool Index::Open(const std::string& path, Access access, std::string* error) {
    Close();
    path_ = path;
    const QString file = QString::fromStdString(path);
    const QFileInfo info(file);
    if (info.isSymLink())
        return Fail("it is a symbolic link, which is never followed", error);
    int flags = SQLITE_OPEN_NOFOLLOW | SQLITE_OPEN_NOMUTEX;
    if (access == Access::ReadOnly) {
        if (!info.exists())
            return Fail("no list has been imported yet", error);
        flags |= SQLITE_OPEN_READONLY;
    } else {
        std::string reason;
        if (!MakeFolders(info.absolutePath(), &reason))
            return Fail(reason, error);
        // Created here, owner-only, before SQLite opens it: its journal files take the
        // same mode. O_EXCL with O_NOFOLLOW never writes through a link put in its place.
        const int fd =
            ::open(path.c_str(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
        if (fd >= 0)
            ::close(fd);
        else if (errno != EEXIST)
            return Fail(std::string("cannot create it (") + std::strerror(errno) + ")", error);
        flags |= SQLITE_OPEN_READWRITE;
    }
    if (sqlite3_open_v2(path.c_str(), &db_, flags, nullptr) != SQLITE_OK) {
        Fail("cannot open it", error);
        Close();
        return false;
    }
    sqlite3_extended_result_codes(db_, 1);
    sqlite3_busy_timeout(db_, kBusyTimeoutMs);
    bool fresh = false;
    bool ok = ReadSchema(access, &fresh, error);
    if (ok && fresh)
        ok = CreateSchema(error);
    if (ok && access == Access::ReadWrite) {
        // Readers go on reading the versions they loaded while an import writes.
        ok = Exec("PRAGMA journal_mode = WAL", error) &&
             Exec("PRAGMA synchronous = NORMAL", error) &&
             Exec("PRAGMA journal_size_limit = 33554432", error);
    }
    if (!ok)
        Close();
    return ok;
}

bool Index::ReadSchema(Access access, bool* fresh, std::string* error) {
    Statement exists(db_, "SELECT count(*) FROM sqlite_master WHERE name = 'screen_schema'");
    if (!exists.Step())
        return Fail(exists.code() == SQLITE_NOTADB ? "it is no screening index" : "cannot read it",
                    error);
    *fresh = exists.Int(0) == 0;
    if (*fresh) {
        Statement any(db_, "SELECT count(*) FROM sqlite_master");
        if (access == Access::ReadOnly || !any.Step() || any.Int(0) != 0)
            return Fail("it is no screening index", error);
        return true;
    }
    Statement version(db_, "SELECT version FROM screen_schema");
    if (!version.Step())
        return Fail("it is no screening index", error);
    if (version.Int(0) > kSchemaVersion)
        return Fail("a newer version of the program wrote it", error);
    return true;
}

bool Index::CreateSchema(std::string* error) {
    if (!Exec("PRAGMA auto_vacuum = INCREMENTAL", error) || !Exec("BEGIN", error))
        return false;
    for (const char* sql : kSchema) {
        if (!Exec(sql, error)) {
            Exec("ROLLBACK", nullptr);
            return false;
        }
    }
    const std::string insert =
        "INSERT INTO screen_schema(version) VALUES(" + std::to_string(kSchemaVersion) + ")";
    return (Exec(insert.c_str(), error) && Exec("COMMIT", error)) ||
           (Exec("ROLLBACK", nullptr), false);
}

void Index::Close() {
    if (db_ != nullptr)
        sqlite3_close_v2(db_);
    db_ = nullptr;
}

std::string FileDigest(const std::string& path, std::string* error) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    struct stat st {};
    if (fd < 0 || ::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        *error = path + (fd < 0 ? ": cannot open it (" + std::string(std::strerror(errno)) + ")"
                                : ": not a regular file");
        if (fd >= 0)
            ::close(fd);
        return {};
    }
    QCryptographicHash hash(QCryptographicHash::Sha256);
    std::vector<char> buffer(1 << 20);
    for (;;) {
        const ssize_t got = ::read(fd, buffer.data(), buffer.size());
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0) {
            *error = path + ": cannot read it (" + std::strerror(errno) + ")";
            ::close(fd);
            return {};
        }
        if (got == 0)
            break;
        hash.addData(QByteArrayView(buffer.data(), got));
    }
    ::close(fd);
    return hash.result().toHex().toStdString();
}

ImportStatus Index::Import(const std::string& file, const ImportOptions& options,
                           ImportReport* report, std::string* error) {
    *report = ImportReport();
    if (db_ == nullptr) {
        Fail("it is not open", error);
        return ImportStatus::Failed;
    }
    ListReader reader;
    switch (reader.Open(file, error)) {
        case ListReader::OpenResult::Ok:
            break;
        case ListReader::OpenResult::NotAList:
            return ImportStatus::NotAList;
        case ListReader::OpenResult::Unreadable:
            return ImportStatus::Failed;
    }
    const std::string digest = FileDigest(file, error);
    if (digest.empty())
        return ImportStatus::Failed;
    std::string name = options.name;
    if (name.empty())
        name = QFileInfo(QString::fromStdString(file))
                   .fileName()
                   .section(QLatin1Char('.'), 0, 0)
                   .toStdString();
    if (name.empty())
        name = "list";
    ListVersion& version = report->version;
    version.list = name;
    version.digest = digest;
    version.format = ListFormatName(reader.format());
    version.source = file;
    version.persons = options.persons;

    // A large list writes far more pages than the default cache holds; a page written out
    // to the log and changed again is written again, so a larger cache saves writing.
    Exec("PRAGMA cache_size = -32768", nullptr);
    if (!Exec("BEGIN IMMEDIATE", error))
        return ImportStatus::Failed;
    const auto failed = [&](const std::string& what) {
        Fail(what, error);
        Exec("ROLLBACK", nullptr);
        return ImportStatus::Failed;
    };
    Statement latest(db_,
                     "SELECT v.digest, v.number FROM versions v JOIN lists l ON l.id = v.list "
                     "WHERE l.name = ? ORDER BY v.number DESC LIMIT 1");
    latest.Bind(1, name);
    int number = 1;
    if (latest.Step()) {
        if (latest.Text(0) == digest) {
            Exec("ROLLBACK", nullptr);
            report->unchanged = true;
            std::vector<ListVersion> all;
            if (Versions(&all, error)) {
                for (const ListVersion& v : all) {
                    if (v.list == name && v.digest == digest) {
                        version = v;
                        break;
                    }
                }
            }
            return ImportStatus::Unchanged;
        }
        number = static_cast<int>(latest.Int(1)) + 1;
    } else if (!latest.ok()) {
        return failed("cannot read it");
    }
    version.number = number;
    Statement list(db_, "INSERT INTO lists(name) VALUES(?) ON CONFLICT(name) DO NOTHING");
    if (!list.Bind(1, name).Run())
        return failed("cannot write it");
    Statement listId(db_, "SELECT id FROM lists WHERE name = ?");
    if (!listId.Bind(1, name).Step())
        return failed("cannot read it");
    const std::int64_t listRow = listId.Int(0);
    Statement newVersion(db_,
                         "INSERT INTO versions(list, number, digest, entities, skipped, "
                         "imported_at, format, source, persons, first_entity, last_entity, "
                         "first_name, last_name) VALUES(?, ?, ?, 0, 0, ?, ?, ?, ?, 0, -1, 0, -1)");
    version.importedAt = Now();
    newVersion.Bind(1, listRow).Bind(2, number).Bind(3, digest).Bind(4, version.importedAt);
    newVersion.Bind(5, version.format).Bind(6, file).Bind(7, options.persons ? 1 : 0);
    if (!newVersion.Run())
        return failed("cannot write it");
    version.id = sqlite3_last_insert_rowid(db_);

    const translit::Translator toRussian =
        translit::Translator::Open(QStringLiteral("Latin to Russian"));
    if (!toRussian.Error().isEmpty()) {
        report->warnings.push_back("Latin names are compared in Latin letters only: " +
                                   toRussian.Error().toStdString());
    }
    Statement addEntity(db_,
                        "INSERT INTO entities(version, entity_id, schema, caption, topics, "
                        "datasets, first_seen, last_seen, last_change) VALUES(?, ?, ?, ?, ?, ?, "
                        "?, ?, ?)");
    Statement addName(db_,
                      "INSERT INTO names(entity, kind, via, text, form) VALUES(?, ?, ?, ?, ?)");
    VersionBuilder builder;
    builder.terms.reserve(1 << 16);
    std::int64_t firstEntity = 0, lastEntity = -1, firstName = 0, lastName = -1;
    std::int64_t wellFormed = 0;
    const auto addForm = [&](std::int64_t entity, const PreparedForm& form) {
        addName.Reset();
        addName.Bind(1, entity).Bind(2, static_cast<int>(form.kind)).Bind(3, form.via);
        addName.Bind(4, form.text).Bind(5, form.form);
        if (!addName.Run())
            return false;
        const std::int64_t id = sqlite3_last_insert_rowid(db_);
        if (firstName == 0)
            firstName = id;
        lastName = id;
        builder.Add(form.tokens, form.letters, id);
        return true;
    };

    Feed feed(reader, options.persons, toRussian.Error().isEmpty() ? &toRussian : nullptr);
    for (bool ended = false; !ended;) {
        for (Prepared& p : feed.Next()) {
            if (p.step == ListReader::Step::End) {
                ended = true;
                break;
            }
            if (p.step == ListReader::Step::Failed)
                return failed(p.error);
            if (p.step == ListReader::Step::Skipped) {
                if (++report->skipped <= kSkippedLinesShown)
                    report->skippedLines.push_back(p.line);
                continue;
            }
            ++wellFormed;
            if (!p.screened) {
                ++report->notIndexed;
                continue;
            }
            const ListEntity& entity = p.entity;
            addEntity.Reset();
            addEntity.Bind(1, version.id).Bind(2, entity.id).Bind(3, entity.schema);
            addEntity.Bind(4, entity.caption)
                .Bind(5, Join(entity.topics))
                .Bind(6, Join(entity.datasets));
            addEntity.Bind(7, entity.firstSeen).Bind(8, entity.lastSeen).Bind(9, entity.lastChange);
            if (!addEntity.Run())
                return failed("cannot write it");
            const std::int64_t row = sqlite3_last_insert_rowid(db_);
            if (firstEntity == 0)
                firstEntity = row;
            lastEntity = row;
            ++version.entities;
            for (const PreparedForm& form : p.forms) {
                if (!addForm(row, form))
                    return failed("cannot write it");
            }
            for (const Identifier& id : p.ids)
                builder.ids.push_back({id.value, row, static_cast<int>(id.kind), id.kpp});
        }
    }
    if (wellFormed == 0) {
        Exec("ROLLBACK", nullptr);
        *error = file + ": not a watch list (no line holds an entity with an id and a schema)";
        return ImportStatus::NotAList;
    }

    Statement addTerm(db_, "INSERT INTO terms(version, token, df, postings) VALUES(?, ?, ?, ?)");
    std::vector<std::pair<const std::string*, const VersionBuilder::Term*>> terms;
    terms.reserve(builder.terms.size());
    for (const auto& [token, term] : builder.terms)
        terms.emplace_back(&token, &term);
    std::sort(terms.begin(), terms.end(),
              [](const auto& a, const auto& b) { return *a.first < *b.first; });
    for (const auto& [token, term] : terms) {
        addTerm.Reset();
        addTerm.Bind(1, version.id).Bind(2, *token).Bind(3, term->df);
        addTerm.BindBlob(4, term->postings.data(), static_cast<int>(term->postings.size()));
        if (!addTerm.Run())
            return failed("cannot write it");
    }
    terms.clear();
    builder.terms.clear();
    std::sort(builder.ids.begin(), builder.ids.end());
    builder.ids.erase(std::unique(builder.ids.begin(), builder.ids.end()), builder.ids.end());
    Statement addId(
        db_, "INSERT INTO identifiers(version, value, entity, kind, kpp) VALUES(?, ?, ?, ?, ?)");
    for (const VersionBuilder::Id& id : builder.ids) {
        addId.Reset();
        addId.Bind(1, version.id)
            .Bind(2, id.value)
            .Bind(3, id.entity)
            .Bind(4, id.kind)
            .Bind(5, id.kpp);
        if (!addId.Run())
            return failed("cannot write it");
    }
    version.skipped = report->skipped;
    Statement finish(db_,
                     "UPDATE versions SET entities = ?, skipped = ?, first_entity = ?, "
                     "last_entity = ?, first_name = ?, last_name = ? WHERE id = ?");
    finish.Bind(1, version.entities).Bind(2, version.skipped).Bind(3, firstEntity);
    finish.Bind(4, lastEntity).Bind(5, firstName).Bind(6, lastName).Bind(7, version.id);
    if (!finish.Run())
        return failed("cannot write it");

    const int keep = std::max(1, options.keep);
    Statement old(db_,
                  "SELECT id FROM versions WHERE list = ? ORDER BY number DESC LIMIT -1 OFFSET ?");
    old.Bind(1, listRow).Bind(2, keep);
    std::vector<std::int64_t> prune;
    while (old.Step())
        prune.push_back(old.Int(0));
    for (const std::int64_t id : prune) {
        std::string ignored;
        if (!DeleteVersion(id, error)) {
            Exec("ROLLBACK", nullptr);
            return ImportStatus::Failed;
        }
        ++report->pruned;
    }
    if (!Exec("COMMIT", error)) {
        Exec("ROLLBACK", nullptr);
        return ImportStatus::Failed;
    }
    if (report->pruned > 0)
        Exec("PRAGMA incremental_vacuum", nullptr);
    return ImportStatus::Stored;
}

bool Index::DeleteVersion(std::int64_t id, std::string* error) {
    Statement range(db_,
                    "SELECT first_entity, last_entity, first_name, last_name FROM versions WHERE "
                    "id = ?");
    if (!range.Bind(1, id).Step())
        return Fail("cannot read it", error);
    Statement entities(db_, "DELETE FROM entities WHERE id BETWEEN ? AND ?");
    Statement names(db_, "DELETE FROM names WHERE id BETWEEN ? AND ?");
    Statement terms(db_, "DELETE FROM terms WHERE version = ?");
    Statement ids(db_, "DELETE FROM identifiers WHERE version = ?");
    Statement version(db_, "DELETE FROM versions WHERE id = ?");
    const bool ok = entities.Bind(1, range.Int(0)).Bind(2, range.Int(1)).Run() &&
                    names.Bind(1, range.Int(2)).Bind(2, range.Int(3)).Run() &&
                    terms.Bind(1, id).Run() && ids.Bind(1, id).Run() && version.Bind(1, id).Run();
    return ok || Fail("cannot write it", error);
}

bool Index::ReadVersions(const char* sql, std::vector<ListVersion>* versions, std::string* error) {
    versions->clear();
    if (db_ == nullptr)
        return Fail("it is not open", error);
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
        versions->push_back(std::move(v));
    }
    return read.ok() || Fail("cannot read it", error);
}

bool Index::Versions(std::vector<ListVersion>* versions, std::string* error) {
    return ReadVersions(
        "SELECT v.id, l.name, v.number, v.digest, v.entities, v.skipped, v.imported_at, "
        "v.format, v.source, v.persons FROM versions v JOIN lists l ON l.id = v.list "
        "ORDER BY l.name, v.number DESC",
        versions, error);
}

bool Index::LatestVersions(std::vector<ListVersion>* versions, std::string* error) {
    return ReadVersions(
        "SELECT v.id, l.name, v.number, v.digest, v.entities, v.skipped, v.imported_at, "
        "v.format, v.source, v.persons FROM versions v JOIN lists l ON l.id = v.list "
        "WHERE v.number = (SELECT max(number) FROM versions w WHERE w.list = v.list) "
        "ORDER BY l.name",
        versions, error);
}

bool Index::Remove(const std::string& name, bool* found, std::string* error) {
    *found = false;
    if (db_ == nullptr)
        return Fail("it is not open", error);
    if (!Exec("BEGIN IMMEDIATE", error))
        return false;
    Statement ids(db_,
                  "SELECT v.id FROM versions v JOIN lists l ON l.id = v.list WHERE l.name = ?");
    ids.Bind(1, name);
    std::vector<std::int64_t> versions;
    while (ids.Step())
        versions.push_back(ids.Int(0));
    bool ok = ids.ok() || Fail("cannot read it", error);
    for (const std::int64_t id : versions)
        ok = ok && DeleteVersion(id, error);
    Statement list(db_, "DELETE FROM lists WHERE name = ?");
    ok = ok && (list.Bind(1, name).Run() || Fail("cannot write it", error));
    *found = ok && sqlite3_changes(db_) > 0;
    if (!ok || !Exec("COMMIT", error)) {
        Exec("ROLLBACK", nullptr);
        return false;
    }
    Exec("PRAGMA incremental_vacuum", nullptr);
    return true;
}

}  // namespace screen
