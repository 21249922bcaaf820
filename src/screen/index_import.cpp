// Importing a list into the screening index: one transaction that adds the list's new
// version, its entities and names, then its postings and identifiers, and removes the
// versions beyond those kept.
#include <sqlite3.h>

#include <QDateTime>
#include <QFileInfo>
#include <algorithm>

#include "screen/import_feed.h"
#include "screen/index.h"
#include "screen/sqlite_statement.h"
#include "translit/translit.h"

namespace screen {
namespace {

std::string Now() {
    return QDateTime::currentDateTimeUtc().toString(Qt::ISODate).toStdString();
}

std::string Join(const std::vector<std::string>& values) {
    std::string out;
    for (const std::string& value : values)
        out += (out.empty() ? "" : ",") + value;
    return out;
}

// The list's name: as given, else the file's name up to its first '.', else "list".
std::string ListName(const std::string& file, const ImportOptions& options) {
    std::string name = options.name;
    if (name.empty())
        name = QFileInfo(QString::fromStdString(file))
                   .fileName()
                   .section(QLatin1Char('.'), 0, 0)
                   .toStdString();
    if (name.empty())
        name = "list";
    return name;
}

}  // namespace

// One import, step by step. Each step that fails has set the error and ended the
// transaction.
class Index::Importer {
  public:
    Importer(Index& index, const std::string& file, const ImportOptions& options)
        : index_(index), db_(index.db_), file_(file), options_(options) {}

    ImportStatus Run(ListReader& reader);
    // What the import stored, or what it said before it failed.
    ImportReport& report() { return report_; }
    // Why it failed.
    std::string& error() { return error_; }

  private:
    // Fails with what, and ends the transaction.
    bool Abandon(const std::string& what) {
        Tell(index_.Fail(what));
        (void)index_.Exec("ROLLBACK");
        return false;
    }
    // Hands why a step failed to the import's error; false.
    bool Tell(platform::Failed<std::string> failed) {
        error_ = std::move(failed.error);
        return false;
    }
    // Whether done; otherwise hands why to the import's error.
    bool Told(const platform::Status& done) {
        if (!done)
            error_ = done.error();
        return done.ok();
    }
    ImportStatus Failed(const std::string& what) {
        Abandon(what);
        return ImportStatus::Failed;
    }
    // Stored when the new version's row is written, Unchanged when the newest version
    // has the same digest.
    ImportStatus AddVersion();
    bool WriteEntities(Feed& feed);
    bool WriteEntity(const Prepared& p, Statement& addEntity, Statement& addName);
    bool WriteTerms();
    bool WriteIdentifiers();
    ImportStatus Finish();

    Index& index_;
    sqlite3* const db_;
    const std::string& file_;
    const ImportOptions& options_;
    ImportReport report_;
    ListVersion& version_ = report_.version;
    std::string error_;
    std::int64_t listRow_ = 0;
    VersionBuilder builder_;
    std::int64_t firstEntity_ = 0, lastEntity_ = -1, firstName_ = 0, lastName_ = -1;
    std::int64_t wellFormed_ = 0;
};

platform::Result<ImportReport, ImportFailure> Index::Import(const std::string& file,
                                                            const ImportOptions& options) {
    if (db_ == nullptr)
        return platform::Failure(
            ImportFailure{ImportStatus::Failed, Problem("it is not open"), {}});
    ListReader reader;
    const platform::Result<void, ListReader::OpenFailure> opened = reader.Open(file);
    if (!opened) {
        const bool notAList = opened.error().result == ListReader::OpenResult::NotAList;
        return platform::Failure(ImportFailure{
            notAList ? ImportStatus::NotAList : ImportStatus::Failed, opened.error().message, {}});
    }
    Importer importer(*this, file, options);
    const ImportStatus status = importer.Run(reader);
    if (status == ImportStatus::Stored || status == ImportStatus::Unchanged)
        return std::move(importer.report());
    return platform::Failure(
        ImportFailure{status, std::move(importer.error()), std::move(importer.report().warnings)});
}

ImportStatus Index::Importer::Run(ListReader& reader) {
    const platform::Result<std::string> digest = FileDigest(file_);
    if (!digest) {
        error_ = digest.error();
        return ImportStatus::Failed;
    }
    version_.list = ListName(file_, options_);
    version_.digest = *digest;
    version_.format = ListFormatName(reader.format());
    version_.source = file_;
    version_.persons = options_.persons;

    // A large list writes far more pages than the default cache holds; a page written out
    // to the log and changed again is written again, so a larger cache saves writing.
    (void)index_.Exec("PRAGMA cache_size = -32768");
    if (!Told(index_.Exec("BEGIN IMMEDIATE")))
        return ImportStatus::Failed;
    const ImportStatus added = AddVersion();
    if (added != ImportStatus::Stored)
        return added;

    const translit::Translator toRussian =
        translit::Translator::Open(QStringLiteral("Latin to Russian"));
    if (!toRussian.Error().isEmpty()) {
        report_.warnings.push_back("Latin names are compared in Latin letters only: " +
                                   toRussian.Error().toStdString());
    }
    builder_.terms.reserve(1 << 16);
    {
        Feed feed(reader, options_.persons, toRussian.Error().isEmpty() ? &toRussian : nullptr);
        if (!WriteEntities(feed))
            return ImportStatus::Failed;
    }
    if (wellFormed_ == 0) {
        (void)index_.Exec("ROLLBACK");
        error_ = file_ + ": not a watch list (no line holds an entity with an id and a schema)";
        return ImportStatus::NotAList;
    }
    if (!WriteTerms() || !WriteIdentifiers())
        return ImportStatus::Failed;
    return Finish();
}

ImportStatus Index::Importer::AddVersion() {
    const std::string& name = version_.list;
    Statement latest(db_,
                     "SELECT v.digest, v.number FROM versions v JOIN lists l ON l.id = v.list "
                     "WHERE l.name = ? ORDER BY v.number DESC LIMIT 1");
    latest.Bind(1, name);
    int number = 1;
    if (latest.Step()) {
        if (latest.Text(0) == version_.digest) {
            (void)index_.Exec("ROLLBACK");
            report_.unchanged = true;
            const platform::Result<std::vector<ListVersion>> all = index_.Versions();
            if (!all) {
                error_ = all.error();
            } else {
                const std::string digest = version_.digest;
                for (const ListVersion& v : *all) {
                    if (v.list == name && v.digest == digest) {
                        version_ = v;
                        break;
                    }
                }
            }
            return ImportStatus::Unchanged;
        }
        number = static_cast<int>(latest.Int(1)) + 1;
    } else if (!latest.ok()) {
        return Failed("cannot read it");
    }
    version_.number = number;
    Statement list(db_, "INSERT INTO lists(name) VALUES(?) ON CONFLICT(name) DO NOTHING");
    if (!list.Bind(1, name).Run())
        return Failed("cannot write it");
    Statement listId(db_, "SELECT id FROM lists WHERE name = ?");
    if (!listId.Bind(1, name).Step())
        return Failed("cannot read it");
    listRow_ = listId.Int(0);
    Statement newVersion(db_,
                         "INSERT INTO versions(list, number, digest, entities, skipped, "
                         "imported_at, format, source, persons, first_entity, last_entity, "
                         "first_name, last_name) VALUES(?, ?, ?, 0, 0, ?, ?, ?, ?, 0, -1, 0, -1)");
    version_.importedAt = Now();
    newVersion.Bind(1, listRow_).Bind(2, number).Bind(3, version_.digest);
    newVersion.Bind(4, version_.importedAt).Bind(5, version_.format).Bind(6, file_);
    newVersion.Bind(7, options_.persons ? 1 : 0);
    if (!newVersion.Run())
        return Failed("cannot write it");
    version_.id = sqlite3_last_insert_rowid(db_);
    return ImportStatus::Stored;
}

bool Index::Importer::WriteEntities(Feed& feed) {
    Statement addEntity(db_,
                        "INSERT INTO entities(version, entity_id, schema, caption, topics, "
                        "datasets, first_seen, last_seen, last_change, target) VALUES(?, ?, ?, ?, "
                        "?, ?, ?, ?, ?, ?)");
    Statement addName(db_,
                      "INSERT INTO names(entity, kind, via, text, form) VALUES(?, ?, ?, ?, ?)");
    Statement addRelation(db_,
                          "INSERT INTO relations(version, entity_id, property, other_id, "
                          "other_property, schema, detail) VALUES(?, ?, ?, ?, ?, ?, ?)");
    Statement addNamed(db_,
                       "INSERT OR IGNORE INTO named(version, entity_id, schema, caption) "
                       "VALUES(?, ?, ?, ?)");
    // Each end of a relation, with the others.
    const auto writeRelation = [&](const ListEntity& relation) {
        for (const RelationEnd& from : relation.ends) {
            for (const RelationEnd& to : relation.ends) {
                if (from.id == to.id)
                    continue;
                addRelation.Reset();
                addRelation.Bind(1, version_.id).Bind(2, from.id).Bind(3, from.property);
                addRelation.Bind(4, to.id).Bind(5, to.property).Bind(6, relation.schema);
                addRelation.Bind(7, relation.relationDetail);
                if (!addRelation.Run())
                    return false;
            }
        }
        return true;
    };
    // Every target, of any schema, so that a link can name it; those no relation
    // reaches leave when the file is read.
    const auto writeNamed = [&](const ListEntity& entity) {
        addNamed.Reset();
        addNamed.Bind(1, version_.id).Bind(2, entity.id).Bind(3, entity.schema);
        addNamed.Bind(4, entity.caption.empty() && !entity.names.empty()
                             ? entity.names.front().second.toStdString()
                             : entity.caption);
        return addNamed.Run();
    };
    for (;;) {
        for (Prepared& p : feed.Next()) {
            if (p.step == ListReader::Step::End)
                return true;
            if (p.step == ListReader::Step::Failed)
                return Abandon(p.error);
            if (p.step == ListReader::Step::Skipped) {
                if (++report_.skipped <= kSkippedLinesShown)
                    report_.skippedLines.push_back(p.line);
                continue;
            }
            ++wellFormed_;
            if (!p.entity.ends.empty() && !writeRelation(p.entity))
                return Abandon("cannot write it");
            if (p.entity.target && p.entity.ends.empty() && !writeNamed(p.entity))
                return Abandon("cannot write it");
            if (!p.screened) {
                ++report_.notIndexed;
                continue;
            }
            if (!WriteEntity(p, addEntity, addName))
                return Abandon("cannot write it");
        }
    }
}

bool Index::Importer::WriteEntity(const Prepared& p, Statement& addEntity, Statement& addName) {
    const ListEntity& entity = p.entity;
    addEntity.Reset();
    addEntity.Bind(1, version_.id).Bind(2, entity.id).Bind(3, entity.schema);
    addEntity.Bind(4, entity.caption).Bind(5, Join(entity.topics)).Bind(6, Join(entity.datasets));
    addEntity.Bind(7, entity.firstSeen).Bind(8, entity.lastSeen).Bind(9, entity.lastChange);
    addEntity.Bind(10, entity.target ? 1 : 0);
    if (!addEntity.Run())
        return false;
    const std::int64_t row = sqlite3_last_insert_rowid(db_);
    if (firstEntity_ == 0)
        firstEntity_ = row;
    lastEntity_ = row;
    ++version_.entities;
    for (const PreparedForm& form : p.forms) {
        addName.Reset();
        addName.Bind(1, row).Bind(2, static_cast<int>(form.kind)).Bind(3, form.via);
        addName.Bind(4, form.text).Bind(5, form.form);
        if (!addName.Run())
            return false;
        const std::int64_t id = sqlite3_last_insert_rowid(db_);
        if (firstName_ == 0)
            firstName_ = id;
        lastName_ = id;
        builder_.Add(form.tokens, form.letters, id);
    }
    for (const Identifier& id : p.ids)
        builder_.ids.push_back({id.value, row, static_cast<int>(id.kind), id.kpp});
    return true;
}

bool Index::Importer::WriteTerms() {
    Statement addTerm(db_, "INSERT INTO terms(version, token, df, postings) VALUES(?, ?, ?, ?)");
    std::vector<std::pair<const std::string*, const VersionBuilder::Term*>> terms;
    terms.reserve(builder_.terms.size());
    for (const auto& [token, term] : builder_.terms)
        terms.emplace_back(&token, &term);
    std::sort(terms.begin(), terms.end(),
              [](const auto& a, const auto& b) { return *a.first < *b.first; });
    for (const auto& [token, term] : terms) {
        addTerm.Reset();
        addTerm.Bind(1, version_.id).Bind(2, *token).Bind(3, term->df);
        addTerm.BindBlob(4, term->postings.data(), static_cast<int>(term->postings.size()));
        if (!addTerm.Run())
            return Abandon("cannot write it");
    }
    terms.clear();
    builder_.terms.clear();
    return true;
}

bool Index::Importer::WriteIdentifiers() {
    std::vector<VersionBuilder::Id>& ids = builder_.ids;
    std::sort(ids.begin(), ids.end());
    ids.erase(std::unique(ids.begin(), ids.end()), ids.end());
    Statement addId(
        db_, "INSERT INTO identifiers(version, value, entity, kind, kpp) VALUES(?, ?, ?, ?, ?)");
    for (const VersionBuilder::Id& id : ids) {
        addId.Reset();
        addId.Bind(1, version_.id)
            .Bind(2, id.value)
            .Bind(3, id.entity)
            .Bind(4, id.kind)
            .Bind(5, id.kpp);
        if (!addId.Run())
            return Abandon("cannot write it");
    }
    return true;
}

ImportStatus Index::Importer::Finish() {
    version_.skipped = report_.skipped;
    Statement unnamed(db_,
                      "DELETE FROM named WHERE version = ?1 AND entity_id NOT IN (SELECT other_id "
                      "FROM relations WHERE version = ?1)");
    if (!unnamed.Bind(1, version_.id).Run())
        return Failed("cannot write it");
    Statement finish(db_,
                     "UPDATE versions SET entities = ?, skipped = ?, first_entity = ?, "
                     "last_entity = ?, first_name = ?, last_name = ? WHERE id = ?");
    finish.Bind(1, version_.entities).Bind(2, version_.skipped).Bind(3, firstEntity_);
    finish.Bind(4, lastEntity_).Bind(5, firstName_).Bind(6, lastName_).Bind(7, version_.id);
    if (!finish.Run())
        return Failed("cannot write it");

    const int keep = std::max(1, options_.keep);
    Statement old(db_,
                  "SELECT id FROM versions WHERE list = ? ORDER BY number DESC LIMIT -1 OFFSET ?");
    old.Bind(1, listRow_).Bind(2, keep);
    std::vector<std::int64_t> prune;
    while (old.Step())
        prune.push_back(old.Int(0));
    for (const std::int64_t id : prune) {
        if (!Told(index_.DeleteVersion(id))) {
            (void)index_.Exec("ROLLBACK");
            return ImportStatus::Failed;
        }
        ++report_.pruned;
    }
    if (!Told(index_.Exec("COMMIT"))) {
        (void)index_.Exec("ROLLBACK");
        return ImportStatus::Failed;
    }
    if (report_.pruned > 0)
        (void)index_.Exec("PRAGMA incremental_vacuum");
    return ImportStatus::Stored;
}

}  // namespace screen
