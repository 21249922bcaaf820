#include "batch/results_writer.h"

#include <unistd.h>
#include <QDateTime>
#include <QFile>
#include <cerrno>
#include <cstring>
#include <vector>

#include "lookup/results_file.h"
#include "platform/cp1251.h"
#include "translit/translit.h"

namespace batch {
namespace {

// The keys of the ten fields in record order, and which of them get a _latin twin.
struct FieldKey {
    std::string lookup::FirmRecord::*member;
    const char* key;
    bool latin;
};

const std::vector<FieldKey>& FieldKeys() {
    static const std::vector<FieldKey> keys = {
        {&lookup::FirmRecord::name, "name", true},
        {&lookup::FirmRecord::address, "address", true},
        {&lookup::FirmRecord::ogrn, "ogrn", false},
        {&lookup::FirmRecord::grn, "grn", false},
        {&lookup::FirmRecord::inn, "inn", false},
        {&lookup::FirmRecord::kpp, "kpp", false},
        {&lookup::FirmRecord::date, "date", false},
        {&lookup::FirmRecord::authority, "authority", true},
        {&lookup::FirmRecord::authorityAddress, "authority_address", true},
        {&lookup::FirmRecord::region, "region", true},
    };
    return keys;
}

std::string Utf8(const std::string& cp1251) {
    return platform::FromCp1251(cp1251).toUtf8().toStdString();
}

// Flush the buffer to the file once it holds this much, so a line of many firms
// never sits in memory whole as text.
constexpr std::size_t kDrainBytes = 1u << 20;

}  // namespace

const char* OutcomeName(LineOutcome outcome) {
    switch (outcome) {
        case LineOutcome::Failed:
            return "failed";
        case LineOutcome::Skipped:
            return "skipped";
        case LineOutcome::Unchecked:
            return "unchecked";
        case LineOutcome::Done:
            break;
    }
    return "done";
}

QString ResultsFileName(const QString& listPath, OutputFormat format) {
    const QString text = lookup::EnabledFileName(listPath);
    switch (format) {
        case OutputFormat::Jsonl:
            return text.chopped(4) + QStringLiteral(".jsonl");
        case OutputFormat::Csv:
            return text.chopped(4) + QStringLiteral(".csv");
        case OutputFormat::Text:
            break;
    }
    return text;
}

std::string CsvCell(std::string_view utf8) {
    std::string value;
    if (!utf8.empty() && std::strchr("=+-@\t\r", utf8.front()) != nullptr) {
        value += '\'';
    }
    value += utf8;
    if (value.find_first_of(";\"\r\n") == std::string::npos) {
        return value;
    }
    std::string quoted = "\"";
    for (char c : value) {
        if (c == '"') {
            quoted += '"';
        }
        quoted += c;
    }
    quoted += '"';
    return quoted;
}

std::string JsonString(std::string_view utf8) {
    std::string out = "\"";
    for (char ch : utf8) {
        const auto c = static_cast<unsigned char>(ch);
        switch (c) {
            case '"':
                out += "\\\"";
                break;
            case '\\':
                out += "\\\\";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\r':
                out += "\\r";
                break;
            case '\t':
                out += "\\t";
                break;
            default:
                if (c < 0x20) {
                    static const char hex[] = "0123456789abcdef";
                    out += "\\u00";
                    out += hex[c >> 4];
                    out += hex[c & 15];
                } else {
                    out += ch;
                }
        }
    }
    out += '"';
    return out;
}

std::string NowUtc() {
    return QDateTime::currentDateTimeUtc().toString(Qt::ISODate).toStdString();
}

ResultsWriter::ResultsWriter(OutputFormat format, std::string service,
                             const translit::Translator* translator)
    : format_(format), service_(std::move(service)), translator_(translator) {}

ResultsWriter::~ResultsWriter() {
    if (file_ != nullptr) {
        std::fclose(file_);
    }
}

bool ResultsWriter::Open(const QString& path, bool append, std::int64_t keepBytes,
                         std::string* error) {
    const QByteArray name = QFile::encodeName(path);
    file_ = std::fopen(name.constData(), append ? "ab" : "wb");
    if (file_ != nullptr && append) {
        // Drop whatever an interrupted write left after the last recorded line.
        std::fseek(file_, 0, SEEK_END);
        const long end = std::ftell(file_);
        if (keepBytes >= 0 && end > keepBytes) {
            std::fclose(file_);
            file_ = nullptr;
            if (::truncate(name.constData(), static_cast<off_t>(keepBytes)) == 0) {
                file_ = std::fopen(name.constData(), "ab");
            }
        }
    }
    if (file_ == nullptr) {
        *error = std::strerror(errno);
        return false;
    }
    std::fseek(file_, 0, SEEK_END);
    size_ = std::ftell(file_);
    if (size_ == 0 && format_ == OutputFormat::Csv) {
        buffer_ = "\xEF\xBB\xBFline;query;kind";
        for (const FieldKey& f : FieldKeys()) {
            buffer_ += ';';
            buffer_ += f.key;
        }
        buffer_ += ";text;service;checked_at";
        if (translator_ != nullptr) {
            for (const FieldKey& f : FieldKeys()) {
                if (f.latin) {
                    buffer_ += ';';
                    buffer_ += f.key;
                    buffer_ += "_latin";
                }
            }
        }
        buffer_ += "\r\n";
        return Drain(true, error);
    }
    return true;
}

std::string ResultsWriter::Latin(const std::string& cp1251) {
    const translit::Outcome out = translator_->Translate(platform::FromCp1251(cp1251));
    if (!out.ok() && translitError_.empty()) {
        translitError_ = out.error.toStdString();
    }
    return out.text.toUtf8().toStdString();
}

void ResultsWriter::AppendFirmText(const LineReport& line, const lookup::FirmRecord& firm) {
    buffer_ += lookup::ResultsFileBytes({lookup::ResultEntry{line.nodeText, firm.name, firm}});
}

void ResultsWriter::AppendRecord(const LineReport& line, const char* kind,
                                 const lookup::FirmRecord* firm, const std::string& textUtf8) {
    const std::string number = std::to_string(line.number);
    if (format_ == OutputFormat::Jsonl) {
        buffer_ += "{\"line\":" + number + ",\"query\":" + JsonString(Utf8(line.query)) +
                   ",\"kind\":\"" + kind + "\"";
        if (firm != nullptr) {
            for (const FieldKey& f : FieldKeys()) {
                buffer_ += ",\"";
                buffer_ += f.key;
                buffer_ += "\":" + JsonString(Utf8(firm->*f.member));
            }
            if (translator_ != nullptr) {
                for (const FieldKey& f : FieldKeys()) {
                    if (f.latin) {
                        buffer_ += ",\"";
                        buffer_ += f.key;
                        buffer_ += "_latin\":" + JsonString(Latin(firm->*f.member));
                    }
                }
            }
        } else {
            buffer_ += ",\"text\":" + JsonString(textUtf8);
        }
        buffer_ += ",\"service\":" + JsonString(service_) +
                   ",\"checked_at\":" + JsonString(line.checkedAt) + "}\n";
        return;
    }
    buffer_ += number + ';' + CsvCell(Utf8(line.query)) + ';' + kind;
    for (const FieldKey& f : FieldKeys()) {
        buffer_ += ';';
        if (firm != nullptr) {
            buffer_ += CsvCell(Utf8(firm->*f.member));
        }
    }
    buffer_ += ';' + CsvCell(textUtf8) + ';' + CsvCell(service_) + ';' + CsvCell(line.checkedAt);
    if (translator_ != nullptr) {
        for (const FieldKey& f : FieldKeys()) {
            if (f.latin) {
                buffer_ += ';';
                if (firm != nullptr) {
                    buffer_ += CsvCell(Latin(firm->*f.member));
                }
            }
        }
    }
    buffer_ += "\r\n";
}

bool ResultsWriter::WriteLine(const LineReport& line, const LineSpool* spool, std::string* error) {
    bool ok = true;
    if (spool != nullptr) {
        spool->ForEach([&](const SpoolEntry& e) {
            if (!ok) {
                return;
            }
            if (format_ == OutputFormat::Text) {
                if (e.isFirm) {
                    AppendFirmText(line, e.firm);
                }
            } else if (e.isFirm) {
                AppendRecord(line, "firm", &e.firm, {});
            } else {
                AppendRecord(line, "message", nullptr, Utf8(e.text));
            }
            if (buffer_.size() >= kDrainBytes) {
                ok = Drain(false, error);
            }
        });
    }
    if (ok && format_ != OutputFormat::Text) {
        if (line.outcome == LineOutcome::Failed) {
            AppendRecord(line, "error", nullptr, line.reason);
        } else if (line.outcome == LineOutcome::Skipped) {
            AppendRecord(line, "skipped", nullptr, line.reason);
        }
    }
    return ok && Drain(true, error);
}

bool ResultsWriter::Drain(bool flush, std::string* error) {
    if (!buffer_.empty() &&
        std::fwrite(buffer_.data(), 1, buffer_.size(), file_) != buffer_.size()) {
        *error = std::strerror(errno);
        buffer_.clear();
        return false;
    }
    buffer_.clear();
    if (flush) {
        if (std::fflush(file_) != 0) {
            *error = std::strerror(errno);
            return false;
        }
        size_ = std::ftell(file_);
    }
    return true;
}

}  // namespace batch
