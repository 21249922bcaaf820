#include "archive/archive_evidence.h"

#include <sqlite3.h>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>

#include <map>
#include <thread>
#include <unordered_map>
#include <vector>

#include "archive/sqlite_statement.h"
#include "platform/output_cells.h"

namespace archive {

namespace {

// The digests of records pruned while an older one stayed, above base.
bool ReadPruned(sqlite3* db, std::int64_t base, std::map<std::int64_t, std::string>* pruned,
                int* code) {
    Statement has(db, "SELECT count(*) FROM sqlite_master WHERE name = 'pruned'");
    if (!has.Step()) {
        *code = has.code();
        return false;
    }
    if (has.Int(0) == 0)
        return true;
    Statement passed(db, "SELECT id, digest FROM pruned WHERE id > ? ORDER BY id");
    passed.Bind(1, base);
    while (passed.Step())
        pruned->emplace(passed.Int(0), passed.Text(1));
    *code = passed.code();
    return passed.ok();
}

// Query keys already found to match their criteria and hash: a query checked many
// times has its key worked out once. Forgets everything when it grows large.
class KeysSeen {
  public:
    bool Matches(const std::string& key, std::int64_t hash, const lookup::SearchCriteria& c) {
        const auto found = seen_.find(key);
        if (found != seen_.end() && found->second.hash == hash && Same(found->second.criteria, c))
            return true;
        if (key != QueryKey(c) || hash != QueryHash(key))
            return false;
        if (seen_.size() >= kMostKept)
            seen_.clear();
        seen_[key] = {hash, c};
        return true;
    }

  private:
    static constexpr std::size_t kMostKept = 1 << 16;
    struct Seen {
        std::int64_t hash;
        lookup::SearchCriteria criteria;
    };
    static bool Same(const lookup::SearchCriteria& a, const lookup::SearchCriteria& b) {
        return a.mode == b.mode && a.name == b.name && a.address == b.address &&
               a.region == b.region && a.date == b.date && a.number == b.number;
    }
    std::unordered_map<std::string, Seen> seen_;
};

std::string Field(const char* key, const std::string& value) {
    return platform::JsonString(key) + ':' + platform::JsonString(value);
}

std::string Field(const char* key, std::int64_t value) {
    return platform::JsonString(key) + ':' + std::to_string(value);
}

std::string RecordJson(const CheckRecord& record) {
    std::string out = "{\"record\":{" + Field("id", record.id) + ',' +
                      Field("checked_at", record.checkedAt) + ',' + Field("origin", record.origin) +
                      ',' + Field("service", record.service) + ',' + Field("typed", record.typed) +
                      ',' + Field("mode", static_cast<std::int64_t>(record.criteria.mode)) + ',' +
                      Field("name", ToUtf8(record.criteria.name)) + ',' +
                      Field("address", ToUtf8(record.criteria.address)) + ',' +
                      Field("region", ToUtf8(record.criteria.region)) + ',' +
                      Field("date", ToUtf8(record.criteria.date)) + ',' +
                      Field("number", ToUtf8(record.criteria.number)) + ',' +
                      Field("language", record.language) + ',' +
                      Field("outcome", OutcomeName(record.outcome)) + ',' +
                      Field("message_kind", MessageKindName(record.messageKind)) + ',' +
                      Field("message", record.message) + ',' +
                      Field("pages", static_cast<std::int64_t>(record.pages)) + ',' +
                      Field("pages_sha256", record.pagesSha256) + ",\"firms\":[";
    for (std::size_t i = 0; i < record.firms.size(); ++i) {
        out += i > 0 ? ",{" : "{";
        bool first = true;
        for (const FirmColumn& column : FirmColumns()) {
            out += (first ? "" : ",") + Field(column.key, ToUtf8(record.firms[i].*column.member));
            first = false;
        }
        out += '}';
    }
    out += "],";
    if (record.screening.screened)
        out += "\"screening\":" + ScreeningJson(record.screening) + ',';
    return out + Field("digest", record.digest) + "}}";
}

std::string Utf8(const QJsonObject& object, const char* key) {
    return object.value(QLatin1String(key)).toString().toStdString();
}

// A record as an evidence file holds it; false when a value is missing or unknown.
bool RecordFromJson(const QJsonObject& object, CheckRecord* record) {
    for (const char* key : {"id", "mode", "pages"}) {
        if (!object.value(QLatin1String(key)).isDouble())
            return false;
    }
    for (const char* key :
         {"checked_at", "origin", "service", "typed", "name", "address", "region", "date", "number",
          "language", "outcome", "message_kind", "message", "pages_sha256", "digest"}) {
        if (!object.value(QLatin1String(key)).isString())
            return false;
    }
    if (!object.value(QLatin1String("firms")).isArray())
        return false;
    record->id = static_cast<std::int64_t>(object.value(QLatin1String("id")).toDouble());
    record->checkedAt = Utf8(object, "checked_at");
    record->origin = Utf8(object, "origin");
    record->service = Utf8(object, "service");
    record->typed = Utf8(object, "typed");
    const int mode = object.value(QLatin1String("mode")).toInt();
    if (mode != static_cast<int>(lookup::SearchMode::Name) &&
        mode != static_cast<int>(lookup::SearchMode::Number) &&
        mode != static_cast<int>(lookup::SearchMode::Other))
        return false;
    record->criteria.mode = static_cast<lookup::SearchMode>(mode);
    record->criteria.name = FromUtf8(Utf8(object, "name"));
    record->criteria.address = FromUtf8(Utf8(object, "address"));
    record->criteria.region = FromUtf8(Utf8(object, "region"));
    record->criteria.date = FromUtf8(Utf8(object, "date"));
    record->criteria.number = FromUtf8(Utf8(object, "number"));
    record->language = Utf8(object, "language");
    if (!OutcomeFromName(Utf8(object, "outcome"), &record->outcome) ||
        !MessageKindFromName(Utf8(object, "message_kind"), &record->messageKind))
        return false;
    record->message = Utf8(object, "message");
    record->pages = object.value(QLatin1String("pages")).toInt();
    record->pagesSha256 = Utf8(object, "pages_sha256");
    record->digest = Utf8(object, "digest");
    for (const QJsonValue& value : object.value(QLatin1String("firms")).toArray()) {
        if (!value.isObject())
            return false;
        const QJsonObject firm = value.toObject();
        lookup::FirmRecord read;
        for (const FirmColumn& column : FirmColumns()) {
            if (!firm.value(QLatin1String(column.key)).isString())
                return false;
            read.*column.member = FromUtf8(Utf8(firm, column.key));
        }
        record->firms.push_back(std::move(read));
    }
    const QJsonValue screening = object.value(QLatin1String("screening"));
    if (screening.isUndefined())
        return true;
    if (!screening.isObject())
        return false;
    const QByteArray text = QJsonDocument(screening.toObject()).toJson(QJsonDocument::Compact);
    return ScreeningFromJson(text.toStdString(), &record->screening);
}

std::string StampJson(const StoredStamp& stamp) {
    const QByteArray token =
        QByteArray(stamp.token.data(), static_cast<qsizetype>(stamp.token.size())).toBase64();
    return "{\"stamp\":{" + Field("record", stamp.recordId) + ',' + Field("digest", stamp.digest) +
           ',' + Field("authority", stamp.authority) + ',' + Field("token", token.toStdString()) +
           "}}";
}

bool StampFromJson(const QJsonObject& object, StoredStamp* stamp) {
    if (!object.value(QLatin1String("record")).isDouble())
        return false;
    for (const char* key : {"digest", "authority", "token"}) {
        if (!object.value(QLatin1String(key)).isString())
            return false;
    }
    stamp->recordId = static_cast<std::int64_t>(object.value(QLatin1String("record")).toDouble());
    stamp->digest = Utf8(object, "digest");
    stamp->authority = Utf8(object, "authority");
    stamp->token =
        QByteArray::fromBase64(object.value(QLatin1String("token")).toString().toLatin1())
            .toStdString();
    return true;
}

bool HeadFromJson(const QJsonObject& object, ChainHead* head) {
    for (const char* key : {"records", "last", "base"}) {
        if (!object.value(QLatin1String(key)).isDouble())
            return false;
    }
    if (!object.value(QLatin1String("time")).isString() ||
        !object.value(QLatin1String("digest")).isString())
        return false;
    head->records = static_cast<std::int64_t>(object.value(QLatin1String("records")).toDouble());
    head->lastId = static_cast<std::int64_t>(object.value(QLatin1String("last")).toDouble());
    head->baseId = static_cast<std::int64_t>(object.value(QLatin1String("base")).toDouble());
    head->time = Utf8(object, "time");
    head->digest = Utf8(object, "digest");
    return true;
}

}  // namespace

std::string HeadLine(const ChainHead& head) {
    return "vendrake-head records=" + std::to_string(head.records) +
           " last=" + std::to_string(head.lastId) + " base=" + std::to_string(head.baseId) +
           " time=" + (head.time.empty() ? "-" : head.time) + " digest=" + head.digest;
}

std::string HeadJson(const ChainHead& head) {
    return "{" + Field("records", head.records) + ',' + Field("last", head.lastId) + ',' +
           Field("base", head.baseId) + ',' + Field("time", head.time) + ',' +
           Field("digest", head.digest) + '}';
}

bool ParseHead(const std::string& text, ChainHead* head, std::string* problem) {
    const QString trimmed =
        QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())).trimmed();
    *head = ChainHead();
    if (trimmed.startsWith(QLatin1Char('{'))) {
        const QJsonDocument document = QJsonDocument::fromJson(trimmed.toUtf8());
        if (document.isObject()) {
            QJsonObject object = document.object();
            if (object.value(QLatin1String("head")).isObject())
                object = object.value(QLatin1String("head")).toObject();
            if (HeadFromJson(object, head) && head->lastId > 0)
                return true;
        }
    } else {
        static const QRegularExpression line(QStringLiteral(
            "^vendrake-head records=(\\d{1,18}) last=(\\d{1,18}) base=(\\d{1,18}) time=(\\S+) "
            "digest=([0-9a-f]{64})$"));
        const QRegularExpressionMatch match = line.match(trimmed);
        if (match.hasMatch()) {
            head->records = match.captured(1).toLongLong();
            head->lastId = match.captured(2).toLongLong();
            head->baseId = match.captured(3).toLongLong();
            head->time = match.captured(4) == QLatin1String("-") ? std::string()
                                                                 : match.captured(4).toStdString();
            head->digest = match.captured(5).toStdString();
            if (head->lastId > 0)
                return true;
        }
    }
    *problem =
        "a kept head is a line \"vendrake-head records=N last=N base=N time=T digest=D\" "
        "or its JSON object, of an archive with a record";
    return false;
}

bool Archive::Head(ChainHead* head, std::string* error) {
    *head = ChainHead();
    Transaction snapshot(db_);
    if (sqlite3_get_autocommit(db_) != 0) {
        const int begun = snapshot.Begin(false);
        if (begun != SQLITE_OK)
            return Fail(begun, {}, error);
    }
    Statement chain(db_,
                    "SELECT head_id, head_digest, base_id, (SELECT count(*) FROM checks), "
                    "coalesce((SELECT checked_at FROM checks WHERE id = head_id), '') FROM chain");
    if (!chain.Step())
        return Fail(chain.ok() ? SQLITE_CORRUPT : chain.code(), {}, error);
    head->lastId = chain.Int(0);
    head->digest = chain.Text(1);
    head->baseId = chain.Int(2);
    head->records = chain.Int(3);
    head->time = chain.Text(4);
    return true;
}

bool Archive::VerifyChain(VerifyReport* report, std::string* error) {
    *report = VerifyReport();
    Transaction snapshot(db_);
    if (sqlite3_get_autocommit(db_) != 0) {
        const int begun = snapshot.Begin(false);
        if (begun != SQLITE_OK)
            return Fail(begun, {}, error);
    }
    std::int64_t expected = 0;
    std::string previous;
    std::int64_t headId = 0;
    std::string headDigest;
    {
        Statement chain(db_, "SELECT base_id, base_digest, head_id, head_digest FROM chain");
        if (!chain.Step())
            return Fail(chain.ok() ? SQLITE_CORRUPT : chain.code(), {}, error);
        expected = chain.Int(0) + 1;
        previous = chain.Text(1);
        headId = chain.Int(2);
        headDigest = chain.Text(3);
    }
    const auto bad = [&](std::int64_t id, const std::string& what) {
        report->intact = false;
        report->firstBad = id;
        report->problem = "record " + std::to_string(id) + " was " + what;
    };
    // Records pruned while an older one stayed left their digests to pass over.
    std::map<std::int64_t, std::string> pruned;
    int code = SQLITE_OK;
    if (!ReadPruned(db_, expected - 1, &pruned, &code))
        return Fail(code, {}, error);
    const auto passOver = [&](std::int64_t upTo) {
        for (auto at = pruned.find(expected); expected < upTo && at != pruned.end();
             at = pruned.find(expected)) {
            previous = at->second;
            ++expected;
        }
    };
    {
        Statement select(
            db_, "SELECT " + kCheckColumns + ", query_key, query_hash FROM checks ORDER BY id");
        // The firms come in one pass beside the checks, as they are stored (UTF-8), so
        // that no firm is converted or looked up on its own.
        std::string firmSql = "SELECT check_id";
        for (const FirmColumn& column : FirmColumns())
            firmSql += std::string(", ") + column.key;
        Statement firms(db_, firmSql + " FROM firms ORDER BY check_id, position");
        const std::size_t fields = FirmColumns().size();
        bool firmRow = firms.Step();
        // The values of one record's firms; their strings are reused from record to
        // record, so that reading them allocates only for a record larger than before.
        std::vector<std::string> values;
        KeysSeen keys;
        while (select.Step()) {
            CheckRecord record = ReadCheck(select);
            std::size_t used = 0;
            while (firmRow && firms.Int(0) <= record.id) {
                if (firms.Int(0) == record.id) {
                    if (values.size() < used + fields)
                        values.resize(used + fields);
                    for (std::size_t i = 0; i < fields; ++i)
                        firms.TextInto(static_cast<int>(i) + 1, &values[used + i]);
                    used += fields;
                }
                firmRow = firms.Step();
            }
            if (!firms.ok())
                return Fail(firms.code(), {}, error);
            const std::size_t firmCount = used / fields;
            passOver(record.id);
            if (record.id != expected) {
                bad(expected, record.id > expected ? "removed" : "altered");
                return true;
            }
            RecordHasher hasher(record, previous, static_cast<std::int64_t>(firmCount));
            for (std::size_t f = 0; f < firmCount; ++f)
                hasher.AddFirmUtf8(&values[f * fields], fields);
            const std::string screening = select.Text(19);
            if (!screening.empty() && !ScreeningFromJson(screening, &record.screening)) {
                bad(record.id, "altered (its screening cannot be read)");
                return true;
            }
            hasher.AddScreening(record.screening);
            if (hasher.Finish() != record.digest) {
                bad(record.id, "altered");
                return true;
            }
            // Values kept beside the digested ones, which searches and reports rely on.
            const std::string key = select.Text(20);
            if (!keys.Matches(key, select.Int(21), record.criteria)) {
                bad(record.id, "altered (its query key does not match its criteria)");
                return true;
            }
            if (select.Int(15) != static_cast<std::int64_t>(firmCount)) {
                bad(record.id, "altered (its firm count does not match its firms)");
                return true;
            }
            previous = record.digest;
            ++expected;
            ++report->records;
        }
        if (!select.ok())
            return Fail(select.code(), {}, error);
    }
    passOver(headId + 1);
    // The chain's head remembers the newest record written: records missing after the
    // last one, or a head moved back over them, show here.
    if (expected - 1 > headId) {
        bad(headId + 1, "altered");
        return true;
    }
    if (expected - 1 < headId || previous != headDigest) {
        bad(expected, "removed");
        return true;
    }
    return true;
}

bool Archive::Verify(VerifyReport* report, std::string* error) {
    // The search index holds each kept firm's words and nothing else. Its check is run
    // as a write, on a connection of its own that may write and writes nothing, on a
    // thread of its own while this one follows the chain: the two take about as long,
    // and neither waits for the other. A file its user may only read keeps its index
    // unchecked, and says so.
    const char* name = sqlite3_db_filename(db_, "main");
    const std::string file = name != nullptr ? name : "";
    int checked = SQLITE_CANTOPEN;
    std::thread indexCheck([&file, &checked] {
        sqlite3* checker = nullptr;
        if (file.empty() ||
            sqlite3_open_v2(file.c_str(), &checker,
                            SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOFOLLOW | SQLITE_OPEN_NOMUTEX,
                            nullptr) != SQLITE_OK) {
            sqlite3_close_v2(checker);
            return;
        }
        sqlite3_busy_timeout(checker, kBusyTimeoutMs);
        checked =
            sqlite3_exec(checker,
                         "SAVEPOINT index_check; "
                         "INSERT INTO firm_text(firm_text, rank) VALUES ('integrity-check', 1)",
                         nullptr, nullptr, nullptr);
        sqlite3_exec(checker, "ROLLBACK TO index_check; RELEASE index_check", nullptr, nullptr,
                     nullptr);
        sqlite3_close_v2(checker);
    });
    // The chain is read in one transaction of this connection.
    const bool chained = VerifyChain(report, error);
    indexCheck.join();
    if (!chained)
        return false;
    if (!report->intact)
        return true;
    if ((checked & 0xff) == SQLITE_CORRUPT) {
        report->intact = false;
        report->problem = "the search index does not match the records";
    } else if ((checked & 0xff) == SQLITE_READONLY || (checked & 0xff) == SQLITE_CANTOPEN) {
        report->indexChecked = false;
    } else if (checked != SQLITE_OK) {
        return Fail(checked, {}, error);
    }
    return true;
}

bool Archive::Verify(const ChainHead& kept, VerifyReport* report, std::string* error) {
    if (!Verify(report, error))
        return false;
    if (!report->intact)
        return true;
    ChainHead now;
    if (!Head(&now, error))
        return false;
    const auto bad = [&](std::int64_t id, const std::string& what) {
        report->intact = false;
        report->firstBad = id;
        report->problem = "record " + std::to_string(id) + " was " + what;
        return true;
    };
    if (kept.lastId > now.lastId)
        return bad(now.lastId + 1,
                   "removed (the kept head has records up to " + std::to_string(kept.lastId) + ")");
    std::string digest;
    std::map<std::int64_t, std::string> pruned;
    int code = SQLITE_OK;
    if (!ReadPruned(db_, kept.baseId, &pruned, &code))
        return Fail(code, {}, error);
    {
        Statement at(db_, "SELECT digest FROM checks WHERE id = ?");
        at.Bind(1, kept.lastId);
        if (at.Step())
            digest = at.Text(0);
        else if (!at.ok())
            return Fail(at.code(), {}, error);
        else if (pruned.count(kept.lastId) > 0)
            digest = pruned.at(kept.lastId);
    }
    if (kept.lastId <= now.baseId || digest.empty())
        return bad(kept.baseId + 1, "removed (the kept head covers it)");
    if (digest != kept.digest)
        return bad(kept.lastId, "altered, or one before it (record " + std::to_string(kept.lastId) +
                                    " differs from the kept head)");
    // Every record the kept head covered is still here.
    Statement present(db_, "SELECT count(*), min(id) FROM checks WHERE id > ? AND id <= ?");
    present.Bind(1, kept.baseId);
    present.Bind(2, kept.lastId);
    if (!present.Step())
        return Fail(present.code(), {}, error);
    if (present.Int(0) < kept.records) {
        std::int64_t first = kept.baseId + 1;
        if (now.baseId <= kept.baseId && !pruned.empty())
            first = pruned.begin()->first;
        return bad(first, "removed (the kept head covers " + std::to_string(kept.records) +
                              " records, " + std::to_string(present.Int(0)) + " are left)");
    }
    return true;
}

bool Archive::AddStamp(const StoredStamp& stamp, std::string* error) {
    Statement insert(db_,
                     "INSERT INTO stamps(record_id, digest, authority, token) VALUES (?,?,?,?)");
    insert.Bind(1, stamp.recordId);
    insert.Bind(2, stamp.digest);
    insert.Bind(3, stamp.authority);
    insert.BindBlob(4, stamp.token);
    return insert.Run() || Fail(insert.code(), {}, error);
}

bool Archive::Stamps(std::vector<StoredStamp>* stamps, std::string* error) {
    stamps->clear();
    Statement has(db_, "SELECT count(*) FROM sqlite_master WHERE name = 'stamps'");
    if (!has.Step())
        return Fail(has.code(), {}, error);
    if (has.Int(0) == 0)
        return true;
    Statement select(db_, "SELECT record_id, digest, authority, token FROM stamps ORDER BY id");
    while (select.Step())
        stamps->push_back({select.Int(0), select.Text(1), select.Text(2), select.Text(3)});
    return select.ok() || Fail(select.code(), {}, error);
}

bool Archive::PrunedDigests(std::string* baseDigest, std::map<std::int64_t, std::string>* pruned,
                            std::string* error) {
    std::int64_t base = 0;
    {
        Statement chain(db_, "SELECT base_id, base_digest FROM chain");
        if (!chain.Step())
            return Fail(chain.ok() ? SQLITE_CORRUPT : chain.code(), {}, error);
        base = chain.Int(0);
        *baseDigest = chain.Text(1);
    }
    int code = SQLITE_OK;
    return ReadPruned(db_, base, pruned, &code) || Fail(code, {}, error);
}

bool WriteEvidence(Archive& db, const std::string& since,
                   const std::function<bool(const std::string& line)>& write, std::string* error) {
    if (!db.BeginRead(error))
        return false;
    ChainHead head;
    bool ok = db.Head(&head, error);
    // The chain up to the first record written: its digest is the file's base.
    std::int64_t baseId = head.baseId;
    std::string baseDigest;
    std::map<std::int64_t, std::string> passed;
    bool started = false;
    bool writing = true;
    std::vector<StoredStamp> stamps;
    ok = ok && db.PrunedDigests(&baseDigest, &passed, error) && db.Stamps(&stamps, error);
    std::string previous = baseDigest;
    std::int64_t previousId = baseId;
    ok = ok &&
         db.Scan(
             {},
             [&](const CheckRecord& record) {
                 // Records pruned between kept ones: their digests carry the chain over.
                 for (auto at = passed.upper_bound(previousId);
                      at != passed.end() && at->first < record.id; ++at) {
                     if (started)
                         writing = writing && write("{\"pruned\":" + std::to_string(at->first) +
                                                    ",\"digest\":\"" + at->second + "\"}");
                     previousId = at->first;
                     previous = at->second;
                 }
                 if (!started && (since.empty() || record.checkedAt >= since)) {
                     started = true;
                     writing = write("{\"evidence\":\"vendrake archive\",\"version\":1,\"base\":" +
                                     std::to_string(previousId) + ",\"base_digest\":\"" + previous +
                                     "\"}");
                     // The tokens come before the records, so that a checker knows which
                     // records' digests to hold on to.
                     for (const StoredStamp& stamp : stamps) {
                         if (stamp.recordId > previousId)
                             writing = writing && write(StampJson(stamp));
                     }
                 }
                 if (started)
                     writing = writing && write(RecordJson(record));
                 previousId = record.id;
                 previous = record.digest;
                 return writing;
             },
             error);
    db.EndRead();
    if (!ok)
        return false;
    if (!started)
        writing = write("{\"evidence\":\"vendrake archive\",\"version\":1,\"base\":" +
                        std::to_string(head.lastId) + ",\"base_digest\":\"" + head.digest + "\"}");
    writing = writing && write("{\"head\":" + HeadJson(head) + "}");
    if (!writing && error != nullptr)
        *error = "the evidence cannot be written";
    return writing;
}

bool CheckEvidence(const std::function<bool(std::string* line)>& next, const ChainHead* kept,
                   EvidenceReport* report) {
    *report = EvidenceReport();
    const auto bad = [&](const std::string& problem) {
        report->intact = false;
        report->problem = problem;
        return false;
    };
    std::string line;
    std::int64_t number = 0;
    std::int64_t expected = 0;
    std::string previous;
    bool begun = false;
    bool ended = false;
    std::string keptDigest;  // the digest the file gives the kept head's record
    std::map<std::int64_t, std::vector<std::string>> stamped;  // digests tokens cover, by id
    while (next(&line)) {
        ++number;
        if (line.empty())
            continue;
        const std::string where = "line " + std::to_string(number);
        if (ended)
            return bad(where + " follows the head");
        const QJsonDocument document =
            QJsonDocument::fromJson(QByteArray(line.data(), static_cast<qsizetype>(line.size())));
        if (!document.isObject())
            return bad(where + " is no evidence");
        const QJsonObject object = document.object();
        if (!begun) {
            if (object.value(QLatin1String("evidence")).toString() !=
                    QLatin1String("vendrake archive") ||
                !object.value(QLatin1String("base")).isDouble() ||
                !object.value(QLatin1String("base_digest")).isString())
                return bad(where + " is no evidence");
            begun = true;
            report->baseId =
                static_cast<std::int64_t>(object.value(QLatin1String("base")).toDouble());
            expected = report->baseId + 1;
            previous = Utf8(object, "base_digest");
            continue;
        }
        std::int64_t id = 0;
        std::string digest;
        if (object.value(QLatin1String("record")).isObject()) {
            CheckRecord record;
            if (!RecordFromJson(object.value(QLatin1String("record")).toObject(), &record))
                return bad(where + " is no evidence");
            id = record.id;
            if (id != expected)
                return bad("record " + std::to_string(expected) +
                           (id > expected ? " was removed" : " was altered"));
            if (RecordDigest(record, previous) != record.digest)
                return bad("record " + std::to_string(id) + " was altered");
            digest = record.digest;
            ++report->records;
        } else if (object.value(QLatin1String("stamp")).isObject()) {
            StoredStamp stamp;
            if (report->records > 0 || expected != report->baseId + 1 ||
                !StampFromJson(object.value(QLatin1String("stamp")).toObject(), &stamp))
                return bad(where + " is no evidence");
            stamped[stamp.recordId].push_back(stamp.digest);
            report->stamps.push_back(std::move(stamp));
            continue;
        } else if (object.value(QLatin1String("pruned")).isDouble()) {
            id = static_cast<std::int64_t>(object.value(QLatin1String("pruned")).toDouble());
            if (id != expected)
                return bad("record " + std::to_string(expected) + " was removed");
            digest = Utf8(object, "digest");
        } else if (object.value(QLatin1String("head")).isObject()) {
            if (!HeadFromJson(object.value(QLatin1String("head")).toObject(), &report->head))
                return bad(where + " is no evidence");
            if (report->head.lastId != expected - 1 || report->head.digest != previous)
                return bad("record " + std::to_string(expected) +
                           " was removed (the head names record " +
                           std::to_string(report->head.lastId) + ")");
            ended = true;
            continue;
        } else {
            return bad(where + " is no evidence");
        }
        if (kept != nullptr && id == kept->lastId)
            keptDigest = digest;
        const auto covered = stamped.find(id);
        if (covered != stamped.end()) {
            for (const std::string& given : covered->second) {
                if (given != digest)
                    return bad("record " + std::to_string(id) +
                               " was altered, or one before it (its time stamp covers another "
                               "digest)");
            }
        }
        previous = digest;
        ++expected;
    }
    if (!begun || !ended)
        return bad("the evidence ends before its head");
    if (kept != nullptr && kept->lastId > 0) {
        if (kept->lastId > report->head.lastId)
            return bad("record " + std::to_string(report->head.lastId + 1) +
                       " was removed (the kept head has records up to " +
                       std::to_string(kept->lastId) + ")");
        if (kept->lastId <= report->baseId)
            return bad("the evidence starts after the kept head's record " +
                       std::to_string(kept->lastId));
        if (keptDigest != kept->digest)
            return bad("record " + std::to_string(kept->lastId) +
                       " was altered, or one before it (record " + std::to_string(kept->lastId) +
                       " differs from the kept head)");
    }
    return true;
}

}  // namespace archive
