#include "archive/archive_evidence.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>

#include <cmath>
#include <map>
#include <vector>

#include "platform/output_cells.h"

namespace archive {

namespace {

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
                      Field("name", record.criteria.name.ToUtf8()) + ',' +
                      Field("address", record.criteria.address.ToUtf8()) + ',' +
                      Field("region", record.criteria.region.ToUtf8()) + ',' +
                      Field("date", record.criteria.date.ToUtf8()) + ',' +
                      Field("number", record.criteria.number.ToUtf8()) + ',' +
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

// A record number or count an evidence file gives: a whole number from 0 to 2^53,
// which a JSON number holds exactly. False for anything else, so that no number is
// read as another.
bool WholeNumber(const QJsonObject& object, const char* key, std::int64_t* value) {
    const QJsonValue given = object.value(QLatin1String(key));
    constexpr double kLargest = 9007199254740992.0;
    const double number = given.toDouble(-1);
    if (!given.isDouble() || !(number >= 0 && number <= kLargest) || std::floor(number) != number)
        return false;
    *value = static_cast<std::int64_t>(number);
    return true;
}

// A record as an evidence file holds it; false when a value is missing or unknown.
bool RecordFromJson(const QJsonObject& object, CheckRecord* record) {
    if (!WholeNumber(object, "id", &record->id))
        return false;
    for (const char* key : {"mode", "pages"}) {
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
    record->criteria.name = platform::Cp1251String::FromUtf8(Utf8(object, "name"));
    record->criteria.address = platform::Cp1251String::FromUtf8(Utf8(object, "address"));
    record->criteria.region = platform::Cp1251String::FromUtf8(Utf8(object, "region"));
    record->criteria.date = platform::Cp1251String::FromUtf8(Utf8(object, "date"));
    record->criteria.number = platform::Cp1251String::FromUtf8(Utf8(object, "number"));
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
    if (!WholeNumber(object, "record", &stamp->recordId))
        return false;
    for (const char* key : {"digest", "authority", "token"}) {
        if (!object.value(QLatin1String(key)).isString())
            return false;
    }
    stamp->digest = Utf8(object, "digest");
    stamp->authority = Utf8(object, "authority");
    stamp->token =
        QByteArray::fromBase64(object.value(QLatin1String("token")).toString().toLatin1())
            .toStdString();
    return true;
}

bool HeadFromJson(const QJsonObject& object, ChainHead* head) {
    if (!WholeNumber(object, "records", &head->records) ||
        !WholeNumber(object, "last", &head->lastId) ||
        !WholeNumber(object, "base", &head->baseId) ||
        !object.value(QLatin1String("time")).isString() ||
        !object.value(QLatin1String("digest")).isString())
        return false;
    head->time = Utf8(object, "time");
    head->digest = Utf8(object, "digest");
    return true;
}

// Where checking an evidence file has got to: the id the next record must have and the
// digest it must chain to, and the digests the file's tokens cover. Each step returns
// false, with the report marked, when the file does not hold.
class EvidenceWalk {
  public:
    EvidenceWalk(const ChainHead* kept, EvidenceReport* report) : kept_(kept), report_(report) {}

    // One line that is not empty, the number-th of the file.
    bool Take(const std::string& line, std::int64_t number) {
        const std::string where = "line " + std::to_string(number);
        if (ended_)
            return Bad(where + " follows the head");
        const QJsonDocument document =
            QJsonDocument::fromJson(QByteArray(line.data(), static_cast<qsizetype>(line.size())));
        if (!document.isObject())
            return Bad(where + " is no evidence");
        const QJsonObject object = document.object();
        if (missing_ != 0)
            return Seek(object);
        if (!begun_)
            return Begin(object, where);
        if (object.value(QLatin1String("record")).isObject())
            return TakeRecord(object.value(QLatin1String("record")).toObject(), where);
        if (object.value(QLatin1String("stamp")).isObject())
            return TakeStamp(object.value(QLatin1String("stamp")).toObject(), where);
        if (object.value(QLatin1String("pruned")).isDouble()) {
            std::int64_t id = 0;
            if (!WholeNumber(object, "pruned", &id))
                return Bad(where + " is no evidence");
            if (id != expected_)
                return Bad("record " + std::to_string(expected_) + " was removed");
            lastIsRecord_ = false;
            return Link(id, Utf8(object, "digest"));
        }
        if (object.value(QLatin1String("head")).isObject())
            return TakeHead(object.value(QLatin1String("head")).toObject(), where);
        return Bad(where + " is no evidence");
    }

    // After the last line: the file ended with its head, and holds the kept one.
    bool End() {
        if (missing_ != 0)
            return Bad("record " + std::to_string(missing_) + " was removed");
        if (!begun_ || !ended_)
            return Bad("the evidence ends before its head");
        if (kept_ == nullptr || kept_->lastId <= 0)
            return true;
        if (kept_->lastId > report_->head.lastId)
            return Bad("record " + std::to_string(report_->head.lastId + 1) +
                       " was removed (the kept head has records up to " +
                       std::to_string(kept_->lastId) + ")");
        if (kept_->lastId <= report_->baseId)
            return Bad("the evidence starts after the kept head's record " +
                       std::to_string(kept_->lastId));
        if (keptDigest_ != kept_->digest)
            return Bad("record " + std::to_string(kept_->lastId) +
                       " was altered, or one before it (record " + std::to_string(kept_->lastId) +
                       " differs from the kept head)");
        return true;
    }

  private:
    bool Bad(const std::string& problem) {
        report_->intact = false;
        report_->problem = problem;
        return false;
    }

    bool Begin(const QJsonObject& object, const std::string& where) {
        if (object.value(QLatin1String("evidence")).toString() !=
                QLatin1String("vendrake archive") ||
            !WholeNumber(object, "base", &report_->baseId) ||
            !object.value(QLatin1String("base_digest")).isString())
            return Bad(where + " is no evidence");
        begun_ = true;
        expected_ = report_->baseId + 1;
        previous_ = Utf8(object, "base_digest");
        return true;
    }

    bool TakeRecord(const QJsonObject& object, const std::string& where) {
        CheckRecord record;
        if (!RecordFromJson(object, &record))
            return Bad(where + " is no evidence");
        if (record.id > expected_) {
            // Ahead of its turn: the record expected is either later in the file (out
            // of order) or gone; the lines after tell which.
            missing_ = expected_;
            ahead_ = record.id;
            return true;
        }
        if (record.id < expected_)
            return Bad("record " + std::to_string(record.id) + " does not follow record " +
                       std::to_string(expected_ - 1));
        if (RecordDigest(record, previous_) != record.digest)
            return Bad("record " + std::to_string(record.id) + " was altered");
        ++report_->records;
        if (!Link(record.id, record.digest))
            return false;
        lastIsRecord_ = true;
        lastTime_ = record.checkedAt;
        return true;
    }

    // After a record ahead of its turn: looks for the one missed. Found next after a
    // record one ahead, the two are swapped; found later, it is out of order; never
    // found, it was removed.
    bool Seek(const QJsonObject& object) {
        ++seen_;
        CheckRecord record;
        if (object.value(QLatin1String("head")).isObject())
            return Bad("record " + std::to_string(missing_) + " was removed");
        if (!object.value(QLatin1String("record")).isObject() ||
            !RecordFromJson(object.value(QLatin1String("record")).toObject(), &record) ||
            record.id != missing_)
            return true;
        if (ahead_ == missing_ + 1 && seen_ == 1)
            return Bad("records " + std::to_string(missing_) + " and " + std::to_string(ahead_) +
                       " swapped");
        return Bad("record " + std::to_string(ahead_) + " does not follow record " +
                   std::to_string(missing_ - 1) + " (record " + std::to_string(missing_) +
                   " comes later)");
    }

    // Tokens come before the records, so that the digests they cover are known.
    bool TakeStamp(const QJsonObject& object, const std::string& where) {
        StoredStamp stamp;
        if (report_->records > 0 || expected_ != report_->baseId + 1 ||
            !StampFromJson(object, &stamp))
            return Bad(where + " is no evidence");
        stamped_[stamp.recordId].push_back(stamp.digest);
        report_->stamps.push_back(std::move(stamp));
        return true;
    }

    bool TakeHead(const QJsonObject& object, const std::string& where) {
        if (!HeadFromJson(object, &report_->head))
            return Bad(where + " is no evidence");
        if (report_->head.lastId != expected_ - 1 || report_->head.digest != previous_)
            return Bad("record " + std::to_string(expected_) +
                       " was removed (the head names record " +
                       std::to_string(report_->head.lastId) + ")");
        // Every other field of the head against what the file holds: the base the
        // archive starts after, the records it counts (all of them in the file when
        // it starts at that base), and the time of its last record.
        const ChainHead& head = report_->head;
        if (head.baseId > report_->baseId)
            return Bad("the head's base " + std::to_string(head.baseId) + " is after the file's " +
                       std::to_string(report_->baseId));
        if (head.records < report_->records ||
            (head.baseId == report_->baseId && head.records != report_->records))
            return Bad("the head counts " + std::to_string(head.records) +
                       " records, the file holds " + std::to_string(report_->records));
        if (lastIsRecord_ && head.time != lastTime_)
            return Bad("the head's time " + head.time + " is not record " +
                       std::to_string(head.lastId) + "'s (" + lastTime_ + ")");
        ended_ = true;
        return true;
    }

    // Record id, kept or pruned, carries the chain on with its digest.
    bool Link(std::int64_t id, const std::string& digest) {
        if (kept_ != nullptr && id == kept_->lastId)
            keptDigest_ = digest;
        const auto covered = stamped_.find(id);
        if (covered != stamped_.end()) {
            for (const std::string& given : covered->second) {
                if (given != digest)
                    return Bad("record " + std::to_string(id) +
                               " was altered, or one before it (its time stamp covers another "
                               "digest)");
            }
        }
        previous_ = digest;
        ++expected_;
        return true;
    }

    const ChainHead* kept_;
    EvidenceReport* report_;
    std::int64_t expected_ = 0;
    std::string previous_;
    bool begun_ = false;
    bool ended_ = false;
    std::string keptDigest_;     // the file's digest of kept_'s record
    bool lastIsRecord_ = false;  // the last line before the head was a kept record
    std::string lastTime_;       // its time
    std::int64_t missing_ = 0;   // the record expected when one came ahead of its turn
    std::int64_t ahead_ = 0;     // the record that came ahead
    std::int64_t seen_ = 0;      // lines read since
    std::map<std::int64_t, std::vector<std::string>> stamped_;  // digests tokens cover, by id
};

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

platform::Result<ChainHead> ParseHead(const std::string& text) {
    const QString trimmed =
        QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())).trimmed();
    ChainHead head;
    if (trimmed.startsWith(QLatin1Char('{'))) {
        const QJsonDocument document = QJsonDocument::fromJson(trimmed.toUtf8());
        if (document.isObject()) {
            QJsonObject object = document.object();
            if (object.value(QLatin1String("head")).isObject())
                object = object.value(QLatin1String("head")).toObject();
            if (HeadFromJson(object, &head) && head.lastId > 0)
                return head;
        }
    } else {
        static const QRegularExpression line(QStringLiteral(
            "^vendrake-head records=(\\d{1,18}) last=(\\d{1,18}) base=(\\d{1,18}) time=(\\S+) "
            "digest=([0-9a-f]{64})$"));
        const QRegularExpressionMatch match = line.match(trimmed);
        if (match.hasMatch()) {
            head.records = match.captured(1).toLongLong();
            head.lastId = match.captured(2).toLongLong();
            head.baseId = match.captured(3).toLongLong();
            head.time = match.captured(4) == QLatin1String("-") ? std::string()
                                                                : match.captured(4).toStdString();
            head.digest = match.captured(5).toStdString();
            if (head.lastId > 0)
                return head;
        }
    }
    return platform::Failure(
        "a kept head is a line \"vendrake-head records=N last=N base=N time=T digest=D\" "
        "or its JSON object, of an archive with a record");
}

namespace {

// WriteEvidence within one read of the archive.
platform::Status WriteChain(Archive& db, const std::string& since,
                            const std::function<bool(const std::string& line)>& write) {
    const platform::Result<ChainHead> read = db.Head();
    if (!read)
        return platform::Failure(read.error());
    const ChainHead& head = *read;
    const platform::Result<PrunedDigests> pruned = db.Pruned();
    if (!pruned)
        return platform::Failure(pruned.error());
    const platform::Result<std::vector<StoredStamp>> stamps = db.Stamps();
    if (!stamps)
        return platform::Failure(stamps.error());
    // The chain up to the first record written: its digest is the file's base.
    const std::map<std::int64_t, std::string>& passed = pruned->digests;
    std::string previous = pruned->baseDigest;
    std::int64_t previousId = head.baseId;
    bool started = false;
    bool writing = true;
    const platform::Status scanned = db.Scan({}, [&](const CheckRecord& record) {
        // Records pruned between kept ones: their digests carry the chain over.
        for (auto at = passed.upper_bound(previousId); at != passed.end() && at->first < record.id;
             ++at) {
            if (started)
                writing = writing && write("{\"pruned\":" + std::to_string(at->first) +
                                           ",\"digest\":\"" + at->second + "\"}");
            previousId = at->first;
            previous = at->second;
        }
        if (!started && (since.empty() || record.checkedAt >= since)) {
            started = true;
            writing = write("{\"evidence\":\"vendrake archive\",\"version\":1,\"base\":" +
                            std::to_string(previousId) + ",\"base_digest\":\"" + previous + "\"}");
            // The tokens come before the records, so that a checker knows which
            // records' digests to hold on to.
            for (const StoredStamp& stamp : *stamps) {
                if (stamp.recordId > previousId)
                    writing = writing && write(StampJson(stamp));
            }
        }
        if (started)
            writing = writing && write(RecordJson(record));
        previousId = record.id;
        previous = record.digest;
        return writing;
    });
    if (!scanned)
        return scanned;
    if (!started)
        writing = write("{\"evidence\":\"vendrake archive\",\"version\":1,\"base\":" +
                        std::to_string(head.lastId) + ",\"base_digest\":\"" + head.digest + "\"}");
    writing = writing && write("{\"head\":" + HeadJson(head) + "}");
    if (!writing)
        return platform::Failure("the evidence cannot be written");
    return {};
}

}  // namespace

platform::Status WriteEvidence(Archive& db, const std::string& since,
                               const std::function<bool(const std::string& line)>& write) {
    const platform::Status begun = db.BeginRead();
    if (!begun)
        return begun;
    const platform::Status written = WriteChain(db, since, write);
    db.EndRead();
    return written;
}

bool CheckEvidence(const std::function<bool(std::string* line)>& next, const ChainHead* kept,
                   EvidenceReport* report) {
    *report = EvidenceReport();
    EvidenceWalk walk(kept, report);
    std::string line;
    std::int64_t number = 0;
    while (next(&line)) {
        ++number;
        if (!line.empty() && !walk.Take(line, number))
            return false;
    }
    return walk.End();
}

}  // namespace archive
