// The screening index: a per-user SQLite file holding the imported watch lists, each
// import a version of its list (name, file digest, entity count, import time), with
// the entities' names as token postings and their INNs and OGRNs for exact lookup.
// Every failure comes back as one message naming the file.
//
// An Index is one connection: use it from one thread at a time. Readers in other
// connections keep reading while an import writes (write-ahead log).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/result.h"

struct sqlite3;

namespace screen {

// 2: entities carry the target flag.
constexpr int kSchemaVersion = 2;
// How many versions of a list an import keeps when not told otherwise.
constexpr int kDefaultKeep = 3;
// How many line numbers of malformed lines an import report names.
constexpr int kSkippedLinesShown = 5;

struct ImportOptions {
    std::string name;         // the list's name; empty: the file's name up to its first '.'
    int keep = kDefaultKeep;  // versions of the list kept after this one is added (1 or more)
    bool persons = false;     // index Person entities too
};

// One stored version of a list.
struct ListVersion {
    std::int64_t id = 0;  // unique in the index; what a Match names
    std::string list;
    int number = 0;             // 1 for a list's first import, then counting up
    std::string digest;         // SHA-256 of the file, hex
    std::int64_t entities = 0;  // top-level entities stored
    std::int64_t skipped = 0;   // malformed lines
    std::string importedAt;     // UTC, YYYY-MM-DDTHH:MM:SSZ
    std::string format;         // "jsonl" or "csv"
    std::string source;         // the file's path as given
    bool persons = false;
};

struct ImportReport {
    ListVersion version;
    bool unchanged = false;  // the list's newest version has the same digest: nothing stored
    std::int64_t skipped = 0;
    std::vector<std::int64_t> skippedLines;  // the first kSkippedLinesShown, from 1
    std::int64_t notIndexed = 0;             // well-formed entities of a schema not screened
    std::int64_t pruned = 0;                 // older versions removed
    std::vector<std::string> warnings;
};

enum class ImportStatus {
    Stored,
    Unchanged,
    NotAList,  // refused before anything was stored
    Failed,
};

// Why an import stored nothing, and what it had to say before it stopped.
struct ImportFailure {
    ImportStatus status = ImportStatus::Failed;  // NotAList or Failed
    std::string message;                         // names the file or the index
    std::vector<std::string> warnings;
};

class Index {
  public:
    enum class Access { ReadOnly, ReadWrite };

    Index() = default;
    ~Index();
    Index(const Index&) = delete;
    Index& operator=(const Index&) = delete;

    // $XDG_DATA_HOME/Quillmarsh/Vendrake/screening.sqlite, or under ~/.local/share when
    // XDG_DATA_HOME is not set to an absolute path.
    static std::string DefaultPath();

    // Opens path. ReadWrite creates it when missing: its folders 0700, the file 0600.
    // A symbolic link at path is refused, never followed.
    platform::Status Open(const std::string& path, Access access);
    void Close();
    bool isOpen() const { return db_ != nullptr; }
    const std::string& path() const { return path_; }

    // Reads file and stores it as the newest version of its list, in one transaction,
    // then removes the versions beyond options.keep; what was stored (report.unchanged:
    // nothing, the newest version is this file already). A file that is not a list, or
    // whose lines are all malformed, is refused with NotAList and nothing stored.
    platform::Result<ImportReport, ImportFailure> Import(const std::string& file,
                                                         const ImportOptions& options);

    // Every stored version, by list name, newest first within a list.
    platform::Result<std::vector<ListVersion>> Versions();
    // The newest version of each list, by list name.
    platform::Result<std::vector<ListVersion>> LatestVersions();

    // Removes a list with all its versions; whether there was one.
    platform::Result<bool> Remove(const std::string& name);

    sqlite3* handle() const { return db_; }
    // Whether the open file stores the target flag (an index of schema 1, opened
    // read-only, does not: all its entities are targets).
    bool hasTargetFlag() const { return storedVersion_ >= 2; }
    // "screening index PATH: what (detail)", for returning.
    platform::Failed<std::string> Fail(const std::string& what) const;

  private:
    class Importer;

    // "screening index PATH: what (detail)".
    std::string Problem(const std::string& what) const;
    platform::Status Exec(const char* sql);
    // Whether the file is new and empty (the schema is yet to be made).
    platform::Result<bool> ReadSchema(Access access);
    // Reads or makes the schema of a file just opened, and sets how it is written.
    platform::Status Prepare(Access access);
    platform::Status CreateSchema();
    // Brings an index of an earlier schema to kSchemaVersion, in one transaction.
    platform::Status Migrate();
    platform::Status DeleteVersion(std::int64_t id);
    platform::Result<std::vector<ListVersion>> ReadVersions(const char* sql);

    sqlite3* db_ = nullptr;
    std::string path_;
    int storedVersion_ = 0;  // the schema version of the open file
};

// SHA-256 of a file, hex, or why it cannot be read.
platform::Result<std::string> FileDigest(const std::string& path);

}  // namespace screen
