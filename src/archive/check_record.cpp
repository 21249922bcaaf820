#include "archive/check_record.h"

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

void AddField(QCryptographicHash& hash, const std::string& value) {
    const std::string length = std::to_string(value.size()) + ':';
    hash.addData(QByteArrayView(length.data(), static_cast<qsizetype>(length.size())));
    hash.addData(QByteArrayView(value.data(), static_cast<qsizetype>(value.size())));
}

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
                           std::int64_t firmCount) {
    QCryptographicHash& hash = hash_;
    AddField(hash, previousDigest);
    AddField(hash, std::to_string(record.id));
    AddField(hash, record.checkedAt);
    AddField(hash, record.origin);
    AddField(hash, record.service);
    AddField(hash, record.typed);
    AddField(hash, std::to_string(static_cast<int>(record.criteria.mode)));
    AddField(hash, ToUtf8(record.criteria.name));
    AddField(hash, ToUtf8(record.criteria.address));
    AddField(hash, ToUtf8(record.criteria.region));
    AddField(hash, ToUtf8(record.criteria.date));
    AddField(hash, ToUtf8(record.criteria.number));
    AddField(hash, record.language);
    AddField(hash, OutcomeName(record.outcome));
    AddField(hash, MessageKindName(record.messageKind));
    AddField(hash, record.message);
    AddField(hash, std::to_string(record.pages));
    AddField(hash, record.pagesSha256);
    AddField(hash, std::to_string(firmCount));
}

void RecordHasher::AddFirm(const lookup::FirmRecord& firm) {
    for (const lookup::FirmField& field : lookup::FirmFields())
        AddField(hash_, ToUtf8(firm.*field.member));
}

void RecordHasher::AddFirmUtf8(const std::string* values, std::size_t count) {
    for (std::size_t i = 0; i < count; ++i)
        AddField(hash_, values[i]);
}

std::string RecordHasher::Finish() {
    return hash_.result().toHex().toStdString();
}

namespace {

bool IsAscii(const std::string& text) {
    for (const char c : text) {
        if (static_cast<unsigned char>(c) >= 0x80)
            return false;
    }
    return true;
}

}  // namespace

// ASCII is the same in both encodings; numbers and dates never need converting. Every
// Windows-1251 character is in the Basic Multilingual Plane, so each byte gives one
// UTF-8 sequence of at most three bytes, written here without a QString between.
std::string ToUtf8(const std::string& cp1251) {
    if (IsAscii(cp1251))
        return cp1251;
    std::string out;
    out.reserve(cp1251.size() * 2);
    for (const char c : cp1251) {
        const char16_t u = platform::Cp1251Char(static_cast<unsigned char>(c));
        if (u < 0x80) {
            out.push_back(static_cast<char>(u));
        } else if (u < 0x800) {
            out.push_back(static_cast<char>(0xC0 | (u >> 6)));
            out.push_back(static_cast<char>(0x80 | (u & 0x3F)));
        } else {
            out.push_back(static_cast<char>(0xE0 | (u >> 12)));
            out.push_back(static_cast<char>(0x80 | ((u >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (u & 0x3F)));
        }
    }
    return out;
}

// Well-formed UTF-8 is decoded here character by character: a character outside the
// code page (one beyond the Basic Multilingual Plane included) becomes one '?', as
// platform::ToCp1251 makes it. Anything else (a malformed sequence, a byte-order mark)
// takes the way through QString, which decides what becomes of it.
std::string FromUtf8(const std::string& utf8) {
    if (IsAscii(utf8))
        return utf8;
    const auto slow = [&utf8] {
        return platform::ToCp1251(
            QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())));
    };
    std::string out;
    out.reserve(utf8.size());
    const std::size_t n = utf8.size();
    for (std::size_t i = 0; i < n;) {
        const auto c = static_cast<unsigned char>(utf8[i]);
        if (c < 0x80) {
            out.push_back(static_cast<char>(c));
            ++i;
            continue;
        }
        std::size_t length = 0;
        char32_t code = 0;
        char32_t least = 0;
        if (c >= 0xC2 && c <= 0xDF) {
            length = 2, code = c & 0x1F, least = 0x80;
        } else if ((c & 0xF0) == 0xE0) {
            length = 3, code = c & 0x0F, least = 0x800;
        } else if (c >= 0xF0 && c <= 0xF4) {
            length = 4, code = c & 0x07, least = 0x10000;
        } else {
            return slow();
        }
        if (i + length > n)
            return slow();
        for (std::size_t k = 1; k < length; ++k) {
            const auto next = static_cast<unsigned char>(utf8[i + k]);
            if ((next & 0xC0) != 0x80)
                return slow();
            code = (code << 6) | (next & 0x3F);
        }
        if (code < least || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF) || code == 0xFEFF)
            return slow();
        const int byte = code > 0xFFFF ? -1 : platform::Cp1251Byte(static_cast<char16_t>(code));
        out.push_back(byte < 0 ? '?' : static_cast<char>(byte));
        i += length;
    }
    return out;
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
