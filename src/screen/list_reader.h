// Reading a watch list one entity at a time: FollowTheMoney JSON lines (one entity a
// line, nested entities inside the properties of a "targets" export) or the simple
// targets CSV of the same data. Only one line is held in memory at a time, and a line
// longer than kMaxLineBytes is skipped without being held.
#pragma once

#include <QString>
#include <cstdint>
#include <cstdio>
#include <deque>
#include <string>
#include <utility>
#include <vector>

#include "platform/result.h"

class QJsonObject;

namespace screen {

enum class ListFormat {
    JsonLines,
    SimpleCsv,
};

// "jsonl", "csv".
const char* ListFormatName(ListFormat format);

enum class NameKind {
    Name,
    Alias,
    PreviousName,
    WeakAlias,
};

// The property a name came from: "name", "alias", "previousName", "weakAlias".
const char* NameKindName(NameKind kind);

// One end of a relation entity: the property naming it ("owner", "asset", "director",
// "organization", ...) and the id of the entity there.
struct RelationEnd {
    std::string property;
    std::string id;
};

// One entity, with what screening uses of it. Texts are UTF-8.
struct ListEntity {
    std::string id;
    std::string schema;
    std::string caption;
    std::vector<std::pair<NameKind, QString>> names;
    std::vector<std::string> identifierTexts;  // innCode, ogrnCode, taxNumber, registrationNumber
    bool hasRegisterCode = false;              // an innCode or ogrnCode is given
    std::vector<std::string> topics;
    std::vector<std::string> datasets;
    std::string firstSeen;
    std::string lastSeen;
    std::string lastChange;
    // False for a related party the list carries for its links only ("target": false);
    // an entity without the field, and every row of the simple CSV, is a target.
    bool target = true;
    // A relation entity (Ownership, Directorship, Family, UnknownLink, Representation,
    // Employment, Membership, Associate): its ends, and what it says of itself (role,
    // relationship, percentage) for naming the link. Empty for any other entity.
    std::vector<RelationEnd> ends;
    std::string relationDetail;
    std::string percentage;  // a relation's share as given ("51", "51.5"), else empty
};

// A line (or csv record) longer than this is malformed.
constexpr std::size_t kMaxLineBytes = 8 << 20;

class ListReader {
  public:
    ListReader() = default;
    ~ListReader();
    ListReader(const ListReader&) = delete;
    ListReader& operator=(const ListReader&) = delete;

    enum class OpenResult {
        Ok,
        NotAList,    // readable, but neither JSON lines of entities nor the simple CSV
        Unreadable,  // missing, not a regular file, or a read error
    };
    // Why a file cannot be read as a list.
    struct OpenFailure {
        OpenResult result = OpenResult::Unreadable;  // NotAList or Unreadable
        std::string message;                         // names the file
    };
    // Opens path and tells its format from its first line that is not blank: a '{'
    // begins JSON lines, a header with the columns id, schema and name the simple CSV.
    platform::Result<void, OpenFailure> Open(const std::string& path);

    enum class Step {
        Entity,   // *entity holds the next entity
        Skipped,  // a malformed line: not JSON, not an object, or without id or schema
        End,
        Failed,  // a read error; error() says which
    };
    Step Next(ListEntity* entity);

    ListFormat format() const { return format_; }
    // The number (from 1) of the line the last step began on.
    std::int64_t line() const { return recordLine_; }
    const std::string& error() const { return error_; }
    // Entities read so far that carry numbers but no name: they can be found by number
    // only.
    std::int64_t namelessEntities() const { return nameless_; }
    // Whether entities nested in properties (a targets export) are returned as entities
    // of their own (after the entity holding them, with target false unless they say
    // otherwise). Off by default: a reader that does not tell targets from related
    // parties would list them.
    void SetNestedEntities(bool on) { nestedEntities_ = on; }

  private:
    // Opens path for reading if it is a regular file.
    platform::Status OpenFile(const std::string& path);
    // Takes the list's first line that is not blank: true when it begins JSON lines or
    // is the simple CSV's header.
    bool TellFormat(std::string line);
    // The next line without its end; false at the end of the file or on a read error.
    // *tooLong is set when the line was longer than kMaxLineBytes (its bytes are dropped).
    bool ReadLine(std::string* line, bool* tooLong);
    bool Fill();
    Step NextJson(ListEntity* entity);
    Step NextCsv(ListEntity* entity);
    // Fills *entity from one JSON object; entities nested in its properties (a targets
    // export) are queued to be returned as entities of their own. False when the object
    // has no id or schema.
    bool ReadObject(const QJsonObject& object, int depth, bool nested, ListEntity* entity);

    std::FILE* file_ = nullptr;
    std::string path_;
    std::vector<char> buffer_;
    size_t begin_ = 0;
    size_t end_ = 0;
    bool eof_ = false;
    std::int64_t lineNumber_ = 0;
    std::int64_t recordLine_ = 0;
    std::string pending_;  // the first line, read to tell the format
    bool hasPending_ = false;
    ListFormat format_ = ListFormat::JsonLines;
    std::vector<std::string> columns_;
    std::string error_;
    std::deque<ListEntity> queued_;   // nested entities of the last line, bounded by its size
    std::int64_t skippedAtOpen_ = 0;  // over-long lines before the one telling the format
    std::int64_t nameless_ = 0;
    bool nestedEntities_ = false;
};

// The cells of one csv record (',' separated, '"' quoted with doubled quotes). *open
// is set when a quoted cell is still open at the end of text (the record goes on on
// the next line).
std::vector<std::string> SplitCsvRecord(const std::string& text, bool* open);

}  // namespace screen
