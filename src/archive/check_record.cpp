#include "archive/check_record.h"

#include <openssl/evp.h>
#include <QCryptographicHash>
#include <QDateTime>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLocale>
#include <QRegularExpression>
#include <array>
#include <cstdio>

#include "platform/cp1251.h"

namespace archive {

namespace {

struct OutcomeNameEntry {
    Outcome outcome;
    const char* name;
};

constexpr std::array<OutcomeNameEntry, 5> kOutcomeNames = {{
    {Outcome::Firms, "firms"},
    {Outcome::Message, "message"},
    {Outcome::Failed, "failed"},
    {Outcome::Skipped, "skipped"},
    {Outcome::Unchecked, "unchecked"},
}};

struct KindNameEntry {
    lookup::ServiceMessageKind kind;
    const char* name;
};

constexpr std::array<KindNameEntry, 5> kKindNames = {{
    {lookup::ServiceMessageKind::DailyLimit, "daily-limit"},
    {lookup::ServiceMessageKind::NotFound, "not-found"},
    {lookup::ServiceMessageKind::Error, "error"},
    {lookup::ServiceMessageKind::FoundNone, "found-none"},
    {lookup::ServiceMessageKind::Other, "other"},
}};

// What a hasher gathers before handing it to the hash at once: few large calls cost
// far less than two small ones a value.
constexpr std::size_t kHashChunk = 1 << 16;

std::string IsoUtc(const QDateTime& time) {
    return time.toUTC().toString(QStringLiteral("yyyy-MM-ddTHH:mm:ssZ")).toStdString();
}

}  // namespace

const char* OutcomeName(Outcome outcome) {
    for (const OutcomeNameEntry& entry : kOutcomeNames) {
        if (entry.outcome == outcome)
            return entry.name;
    }
    return "firms";
}

bool OutcomeFromName(const std::string& name, Outcome* outcome) {
    for (const OutcomeNameEntry& entry : kOutcomeNames) {
        if (name == entry.name) {
            *outcome = entry.outcome;
            return true;
        }
    }
    return false;
}

const char* MessageKindName(lookup::ServiceMessageKind kind) {
    for (const KindNameEntry& entry : kKindNames) {
        if (entry.kind == kind)
            return entry.name;
    }
    return "other";
}

bool MessageKindFromName(const std::string& name, lookup::ServiceMessageKind* kind) {
    for (const KindNameEntry& entry : kKindNames) {
        if (name == entry.name) {
            *kind = entry.kind;
            return true;
        }
    }
    return false;
}

const std::vector<FirmColumn>& FirmColumns() {
    static const std::vector<FirmColumn> columns = {
        {&lookup::FirmRecord::name, "name"},
        {&lookup::FirmRecord::address, "address"},
        {&lookup::FirmRecord::ogrn, "ogrn"},
        {&lookup::FirmRecord::grn, "grn"},
        {&lookup::FirmRecord::inn, "inn"},
        {&lookup::FirmRecord::kpp, "kpp"},
        {&lookup::FirmRecord::date, "date"},
        {&lookup::FirmRecord::authority, "authority"},
        {&lookup::FirmRecord::authorityAddress, "authority_address"},
        {&lookup::FirmRecord::region, "region"},
    };
    return columns;
}

int FirmColumnIndex(std::string_view key) {
    const std::vector<FirmColumn>& columns = FirmColumns();
    for (std::size_t i = 0; i < columns.size(); ++i) {
        if (key == columns[i].key)
            return static_cast<int>(i);
    }
    return -1;
}

bool IsAnswered(Outcome outcome, lookup::ServiceMessageKind messageKind) {
    if (outcome == Outcome::Firms)
        return true;
    return outcome == Outcome::Message && (messageKind == lookup::ServiceMessageKind::NotFound ||
                                           messageKind == lookup::ServiceMessageKind::FoundNone);
}

bool IsAnswered(const CheckRecord& record) {
    return IsAnswered(record.outcome, record.messageKind);
}

std::string QueryKey(const lookup::SearchCriteria& criteria) {
    return lookup::SearchFormBody(criteria);
}

std::int64_t QueryHash(const std::string& key) {
    const QByteArray digest = QCryptographicHash::hash(
        QByteArrayView(key.data(), static_cast<qsizetype>(key.size())), QCryptographicHash::Sha256);
    std::uint64_t value = 0;
    for (int i = 0; i < 8; ++i)
        value = (value << 8) | static_cast<unsigned char>(digest[i]);
    return static_cast<std::int64_t>(value);
}

std::string FirmIdentity(const lookup::FirmRecord& firm) {
    if (!firm.ogrn.empty())
        return "ogrn:" + firm.ogrn;
    if (!firm.inn.empty())
        return "inn:" + firm.inn + '/' + firm.kpp;
    return "name:" + firm.name;
}

std::string Sha256Hex(const std::string& bytes) {
    return QCryptographicHash::hash(
               QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())),
               QCryptographicHash::Sha256)
        .toHex()
        .toStdString();
}

std::string RecordDigest(const CheckRecord& record, const std::string& previousDigest) {
    RecordHasher hasher(record, previousDigest, static_cast<std::int64_t>(record.firms.size()));
    for (const lookup::FirmRecord& firm : record.firms)
        hasher.AddFirm(firm);
    hasher.AddScreening(record.screening);
    return hasher.Finish();
}

RecordHasher::RecordHasher(const CheckRecord& record, const std::string& previousDigest,
                           std::int64_t firmCount)
    : hash_(EVP_MD_CTX_new()) {
    // Without a context (no memory) the digest comes out empty, which matches none.
    if (hash_ != nullptr && EVP_DigestInit_ex(hash_, EVP_sha256(), nullptr) != 1) {
        EVP_MD_CTX_free(hash_);
        hash_ = nullptr;
    }
    pending_.reserve(1024);
    Add(previousDigest);
    Add(std::to_string(record.id));
    Add(record.checkedAt);
    Add(record.origin);
    Add(record.service);
    Add(record.typed);
    Add(std::to_string(static_cast<int>(record.criteria.mode)));
    Add(record.criteria.name.ToUtf8());
    Add(record.criteria.address.ToUtf8());
    Add(record.criteria.region.ToUtf8());
    Add(record.criteria.date.ToUtf8());
    Add(record.criteria.number.ToUtf8());
    Add(record.language);
    Add(OutcomeName(record.outcome));
    Add(MessageKindName(record.messageKind));
    Add(record.message);
    Add(std::to_string(record.pages));
    Add(record.pagesSha256);
    Add(std::to_string(firmCount));
}

RecordHasher::~RecordHasher() {
    EVP_MD_CTX_free(hash_);
}

void RecordHasher::Add(const std::string& value) {
    pending_ += std::to_string(value.size());
    pending_ += ':';
    pending_ += value;
    if (pending_.size() >= kHashChunk)
        Flush();
}

void RecordHasher::Flush() {
    if (hash_ != nullptr)
        EVP_DigestUpdate(hash_, pending_.data(), pending_.size());
    pending_.clear();
}

void RecordHasher::AddFirm(const lookup::FirmRecord& firm) {
    for (const lookup::FirmField& field : lookup::FirmFields())
        Add(ToUtf8(firm.*field.member));
}

void RecordHasher::AddFirmUtf8(const std::string* values, std::size_t count) {
    for (std::size_t i = 0; i < count; ++i)
        Add(values[i]);
}

void RecordHasher::AddScreening(const Screening& screening) {
    if (!screening.screened)
        return;
    // The firms' number is digested before them, so what follows the last firm cannot be
    // read as one more: a screened record's digest differs from any unscreened one's.
    Add("screening");
    Add(std::to_string(screening.versions.size()));
    for (const ScreenedVersion& version : screening.versions) {
        Add(version.list);
        Add(std::to_string(version.number));
        Add(version.digest);
    }
    Add(std::to_string(screening.matches.size()));
    for (const ScreenMatch& match : screening.matches) {
        for (const std::string* value :
             {&match.firmName, &match.firmInn, &match.firmOgrn, &match.list}) {
            Add(*value);
        }
        Add(std::to_string(match.version));
        for (const std::string* value : {&match.entityId, &match.caption, &match.schema})
            Add(*value);
        Add(std::to_string(match.topics.size()));
        for (const std::string& topic : match.topics)
            Add(topic);
        for (const std::string* value :
             {&match.kind, &match.what, &match.firmValue, &match.entityValue}) {
            Add(*value);
        }
        Add(ScoreText(match.score));
    }
}

std::string RecordHasher::Finish() {
    Flush();
    unsigned char digest[EVP_MAX_MD_SIZE];
    unsigned int size = 0;
    if (hash_ == nullptr || EVP_DigestFinal_ex(hash_, digest, &size) != 1)
        return {};
    static const char kHex[] = "0123456789abcdef";
    std::string hex;
    hex.reserve(2 * size);
    for (unsigned int i = 0; i < size; ++i) {
        hex += kHex[digest[i] >> 4];
        hex += kHex[digest[i] & 0xf];
    }
    return hex;
}

std::string ScoreText(double score) {
    // The fewest digits that read back as the same double, whatever the locale.
    return QByteArray::number(score, 'g', QLocale::FloatingPointShortest).toStdString();
}

namespace {

std::string JsonText(const std::string& value) {
    std::string out = "\"";
    for (const char c : value) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (byte < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", byte);
            out += escaped;
        } else {
            out += c;
        }
    }
    return out + '"';
}

std::string JsonField(const char* key, const std::string& value) {
    return std::string("\"") + key + "\":" + JsonText(value);
}

std::string Text(const QJsonObject& object, const char* key, bool* ok) {
    const QJsonValue value = object.value(QLatin1String(key));
    *ok = *ok && value.isString();
    return value.toString().toStdString();
}

int Whole(const QJsonObject& object, const char* key, bool* ok) {
    const QJsonValue value = object.value(QLatin1String(key));
    const double number = value.toDouble(-1);
    *ok = *ok && value.isDouble() && number >= 0 && number <= 1e9 &&
          number == static_cast<double>(static_cast<int>(number));
    return static_cast<int>(number);
}

}  // namespace

std::string ScreeningJson(const Screening& screening) {
    if (!screening.screened)
        return {};
    std::string out = "{\"versions\":[";
    for (std::size_t i = 0; i < screening.versions.size(); ++i) {
        const ScreenedVersion& version = screening.versions[i];
        out += (i > 0 ? ",{" : "{") + JsonField("list", version.list) +
               ",\"number\":" + std::to_string(version.number) + ',' +
               JsonField("digest", version.digest) + '}';
    }
    out += "],\"matches\":[";
    for (std::size_t i = 0; i < screening.matches.size(); ++i) {
        const ScreenMatch& match = screening.matches[i];
        out += (i > 0 ? ",{" : "{") + JsonField("firm_name", match.firmName) + ',' +
               JsonField("firm_inn", match.firmInn) + ',' + JsonField("firm_ogrn", match.firmOgrn) +
               ',' + JsonField("list", match.list) +
               ",\"version\":" + std::to_string(match.version) + ',' +
               JsonField("entity_id", match.entityId) + ',' + JsonField("caption", match.caption) +
               ',' + JsonField("schema", match.schema) + ",\"topics\":[";
        for (std::size_t t = 0; t < match.topics.size(); ++t)
            out += (t > 0 ? "," : "") + JsonText(match.topics[t]);
        out += "]," + JsonField("kind", match.kind) + ',' + JsonField("what", match.what) + ',' +
               JsonField("firm_value", match.firmValue) + ',' +
               JsonField("entity_value", match.entityValue) +
               ",\"score\":" + ScoreText(match.score) + '}';
    }
    return out + "]}";
}

bool ScreeningFromJson(const std::string& text, Screening* screening) {
    *screening = Screening();
    if (text.empty())
        return true;
    const QJsonDocument document =
        QJsonDocument::fromJson(QByteArray(text.data(), static_cast<qsizetype>(text.size())));
    const QJsonObject object = document.object();
    if (!document.isObject() || !object.value(QLatin1String("versions")).isArray() ||
        !object.value(QLatin1String("matches")).isArray())
        return false;
    bool ok = true;
    screening->screened = true;
    for (const QJsonValue& value : object.value(QLatin1String("versions")).toArray()) {
        const QJsonObject item = value.toObject();
        ScreenedVersion version;
        version.list = Text(item, "list", &ok);
        version.number = Whole(item, "number", &ok);
        version.digest = Text(item, "digest", &ok);
        screening->versions.push_back(std::move(version));
    }
    for (const QJsonValue& value : object.value(QLatin1String("matches")).toArray()) {
        const QJsonObject item = value.toObject();
        ScreenMatch match;
        match.firmName = Text(item, "firm_name", &ok);
        match.firmInn = Text(item, "firm_inn", &ok);
        match.firmOgrn = Text(item, "firm_ogrn", &ok);
        match.list = Text(item, "list", &ok);
        match.version = Whole(item, "version", &ok);
        match.entityId = Text(item, "entity_id", &ok);
        match.caption = Text(item, "caption", &ok);
        match.schema = Text(item, "schema", &ok);
        const QJsonValue topics = item.value(QLatin1String("topics"));
        ok = ok && topics.isArray();
        for (const QJsonValue& topic : topics.toArray()) {
            ok = ok && topic.isString();
            match.topics.push_back(topic.toString().toStdString());
        }
        match.kind = Text(item, "kind", &ok);
        match.what = Text(item, "what", &ok);
        match.firmValue = Text(item, "firm_value", &ok);
        match.entityValue = Text(item, "entity_value", &ok);
        const QJsonValue score = item.value(QLatin1String("score"));
        ok = ok && score.isDouble();
        match.score = score.toDouble();
        screening->matches.push_back(std::move(match));
    }
    return ok;
}

std::string ToUtf8(const std::string& cp1251) {
    return platform::Cp1251ToUtf8(cp1251);
}

std::string FromUtf8(const std::string& utf8) {
    return platform::Utf8ToCp1251(utf8);
}

std::string UtcNow() {
    return IsoUtc(QDateTime::currentDateTimeUtc());
}

std::string UtcDaysAgo(int days) {
    return IsoUtc(QDateTime::currentDateTimeUtc().addDays(-days));
}

bool IsArchiveDate(const std::string& date) {
    static const QRegularExpression pattern(
        QStringLiteral("^(\\d{4}-\\d{2}-\\d{2})(T\\d{2}:\\d{2}:\\d{2}Z)?$"));
    const QRegularExpressionMatch match = pattern.match(QString::fromStdString(date));
    if (!match.hasMatch())
        return false;
    return QDate::fromString(match.captured(1), Qt::ISODate).isValid();
}

}  // namespace archive
