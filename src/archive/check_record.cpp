#include "archive/check_record.h"

#include <openssl/evp.h>
#include <QCryptographicHash>
#include <QDateTime>
#include <QRegularExpression>
#include <array>

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
    Add(ToUtf8(record.criteria.name));
    Add(ToUtf8(record.criteria.address));
    Add(ToUtf8(record.criteria.region));
    Add(ToUtf8(record.criteria.date));
    Add(ToUtf8(record.criteria.number));
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
