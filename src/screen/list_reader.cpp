#include "screen/list_reader.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>
#include <cerrno>
#include <cstring>

namespace screen {
namespace {

constexpr size_t kBufferBytes = 1 << 20;

bool IsBlank(const std::string& line) {
    return line.find_first_not_of(" \t\r") == std::string::npos;
}

// Strings of a property value: an array of strings, or one string. Nested entities
// (objects) are related entities of a "targets" export, not values of the entity itself.
// With numbers, a JSON number (an innCode written without quotes) is taken as its
// digits; a whole number beyond 2^53 has lost its digits already and is dropped.
std::vector<QString> Strings(const QJsonValue& value, bool numbers = false) {
    std::vector<QString> out;
    const auto add = [&](const QJsonValue& item) {
        if (item.isString()) {
            out.push_back(item.toString());
        } else if (numbers && item.isDouble()) {
            const double number = item.toDouble();
            if (number >= 0 && number <= 9007199254740992.0 &&
                number == static_cast<double>(static_cast<std::int64_t>(number)))
                out.push_back(QString::number(static_cast<qlonglong>(number)));
            else if (number >= 0 && number <= 9007199254740992.0)
                out.push_back(QString::number(number, 'f', -1));
        }
    };
    if (value.isArray()) {
        for (const QJsonValue& item : value.toArray())
            add(item);
    } else {
        add(value);
    }
    return out;
}

std::vector<std::string> Utf8Strings(const QJsonValue& value, bool numbers = false) {
    std::vector<std::string> out;
    for (const QString& text : Strings(value, numbers))
        out.push_back(text.toStdString());
    return out;
}

// The ids at one end of a relation: strings, or the ids of entities nested there.
std::vector<std::string> EndIds(const QJsonValue& value) {
    std::vector<std::string> out = Utf8Strings(value);
    if (value.isArray()) {
        for (const QJsonValue& item : value.toArray()) {
            const QJsonValue id = item.toObject().value(QLatin1String("id"));
            if (id.isString() && !id.toString().isEmpty())
                out.push_back(id.toString().toStdString());
        }
    }
    return out;
}

// How deep entities nest inside entities before the deeper ones are left out.
constexpr int kMaxNesting = 8;

// The relation schemas and the two properties that name their ends.
struct RelationSchema {
    const char* schema;
    const char* from;
    const char* to;
};

constexpr RelationSchema kRelationSchemas[] = {
    {"Ownership", "owner", "asset"},          {"Directorship", "director", "organization"},
    {"Family", "person", "relative"},         {"UnknownLink", "subject", "object"},
    {"Representation", "agent", "client"},    {"Employment", "employee", "employer"},
    {"Membership", "member", "organization"}, {"Associate", "person", "associate"},
};

std::string Utf8(const QJsonValue& value) {
    return value.isString() ? value.toString().toStdString() : std::string();
}

struct NameProperty {
    const char* key;
    NameKind kind;
};

constexpr NameProperty kNameProperties[] = {
    {"name", NameKind::Name},
    {"alias", NameKind::Alias},
    {"previousName", NameKind::PreviousName},
    {"weakAlias", NameKind::WeakAlias},
};

constexpr const char* kIdentifierProperties[] = {"innCode", "ogrnCode", "taxNumber",
                                                 "registrationNumber"};

// The values of a several-value cell of the simple CSV: the cell is itself a row of
// ';'-separated values where a value holding ';', '"' or a line break is quoted, with
// its own quotes doubled. Blanks around unquoted values are dropped, and so are empty
// values.
std::vector<std::string> CellValues(const std::string& cell) {
    std::vector<std::string> out;
    std::string value;
    bool quoted = false;
    bool wasQuoted = false;
    const auto finish = [&]() {
        if (!wasQuoted) {
            const size_t first = value.find_first_not_of(' ');
            value = first == std::string::npos
                        ? std::string()
                        : value.substr(first, value.find_last_not_of(' ') - first + 1);
        }
        if (!value.empty())
            out.push_back(std::move(value));
        value.clear();
        wasQuoted = false;
    };
    for (size_t i = 0; i < cell.size(); ++i) {
        const char c = cell[i];
        if (quoted) {
            if (c == '"' && i + 1 < cell.size() && cell[i + 1] == '"') {
                value += '"';
                ++i;
            } else if (c == '"') {
                quoted = false;
            } else {
                value += c;
            }
        } else if (c == '"' && value.find_first_not_of(' ') == std::string::npos) {
            // A quote opens a value only at its start; elsewhere it is a letter.
            value.clear();
            quoted = true;
            wasQuoted = true;
        } else if (c == ';') {
            finish();
        } else if (c != ' ' || !wasQuoted) {
            value += c;  // blanks after a closing quote are not the value's
        }
    }
    finish();
    return out;
}

}  // namespace

const char* ListFormatName(ListFormat format) {
    return format == ListFormat::JsonLines ? "jsonl" : "csv";
}

const char* NameKindName(NameKind kind) {
    switch (kind) {
        case NameKind::Name:
            return "name";
        case NameKind::Alias:
            return "alias";
        case NameKind::PreviousName:
            return "previousName";
        case NameKind::WeakAlias:
            return "weakAlias";
    }
    return "name";
}

std::vector<std::string> SplitCsvRecord(const std::string& text, bool* open) {
    std::vector<std::string> cells(1);
    bool quoted = false;
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (quoted) {
            if (c == '"' && i + 1 < text.size() && text[i + 1] == '"') {
                cells.back() += '"';
                ++i;
            } else if (c == '"') {
                quoted = false;
            } else {
                cells.back() += c;
            }
        } else if (c == '"') {
            quoted = true;
        } else if (c == ',') {
            cells.emplace_back();
        } else if (c != '\r') {
            cells.back() += c;
        }
    }
    *open = quoted;
    return cells;
}

ListReader::~ListReader() {
    if (file_ != nullptr)
        std::fclose(file_);
}

platform::Status ListReader::OpenFile(const std::string& path) {
    // Opened without waiting, then checked: a named pipe or a device in the list's place
    // is refused instead of blocking the import.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return platform::Failure(path + ": cannot open it (" + std::strerror(errno) + ")");
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return platform::Failure(path + ": not a regular file");
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    file_ = ::fdopen(fd, "rb");
    if (file_ == nullptr) {
        ::close(fd);
        return platform::Failure(path + ": cannot open it");
    }
    return {};
}

bool ListReader::TellFormat(std::string line) {
    if (line.compare(0, 3, "\xEF\xBB\xBF") == 0)
        line.erase(0, 3);
    const size_t first = line.find_first_not_of(" \t");
    if (first != std::string::npos && line[first] == '{') {
        format_ = ListFormat::JsonLines;
        pending_ = line;
        hasPending_ = true;
        return true;
    }
    bool openCell = false;
    columns_ = SplitCsvRecord(line, &openCell);
    bool id = false, schema = false, name = false;
    for (std::string& column : columns_) {
        for (char& c : column)
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        id = id || column == "id";
        schema = schema || column == "schema";
        name = name || column == "name";
    }
    if (!openCell && id && schema && name) {
        format_ = ListFormat::SimpleCsv;
        return true;
    }
    return false;
}

platform::Result<void, ListReader::OpenFailure> ListReader::Open(const std::string& path) {
    path_ = path;
    const platform::Status opened = OpenFile(path);
    if (!opened)
        return platform::Failure(OpenFailure{OpenResult::Unreadable, opened.error()});
    buffer_.resize(kBufferBytes);
    std::string line;
    bool tooLong = false;
    // A byte-order mark, blank lines and over-long lines (each one malformed line, told
    // by the first steps) come before the line that tells the format.
    bool found = false;
    bool first = true;
    while (ReadLine(&line, &tooLong)) {
        if (first && line.compare(0, 3, "\xEF\xBB\xBF") == 0)
            line.erase(0, 3);
        first = false;
        if (tooLong) {
            ++skippedAtOpen_;
        } else if (!IsBlank(line)) {
            found = true;
            break;
        }
    }
    if (!error_.empty())
        return platform::Failure(OpenFailure{OpenResult::Unreadable, error_});
    if (found && TellFormat(std::move(line)))
        return {};
    return platform::Failure(OpenFailure{
        OpenResult::NotAList,
        path + ": not a watch list (neither FollowTheMoney JSON lines nor a targets CSV with the "
               "columns id, schema and name)"});
}

bool ListReader::Fill() {
    if (eof_)
        return false;
    if (begin_ > 0) {
        std::memmove(buffer_.data(), buffer_.data() + begin_, end_ - begin_);
        end_ -= begin_;
        begin_ = 0;
    }
    const size_t got = std::fread(buffer_.data() + end_, 1, buffer_.size() - end_, file_);
    end_ += got;
    if (got == 0) {
        if (std::ferror(file_))
            error_ = path_ + ": cannot read it (" + std::strerror(errno) + ")";
        eof_ = true;
        return false;
    }
    return true;
}

bool ListReader::ReadLine(std::string* line, bool* tooLong) {
    line->clear();
    *tooLong = false;
    bool any = false;
    for (;;) {
        if (begin_ == end_ && !Fill()) {
            if (any)
                ++lineNumber_;
            return any;
        }
        any = true;
        const char* start = buffer_.data() + begin_;
        const void* newline = std::memchr(start, '\n', end_ - begin_);
        const size_t take = newline != nullptr
                                ? static_cast<size_t>(static_cast<const char*>(newline) - start)
                                : end_ - begin_;
        if (!*tooLong && line->size() + take <= kMaxLineBytes) {
            line->append(start, take);
        } else {
            *tooLong = true;
            line->clear();
        }
        begin_ += take;
        if (newline != nullptr) {
            ++begin_;
            ++lineNumber_;
            if (!line->empty() && line->back() == '\r')
                line->pop_back();
            return true;
        }
    }
}

ListReader::Step ListReader::Next(ListEntity* entity) {
    *entity = ListEntity();
    if (!queued_.empty()) {
        *entity = std::move(queued_.front());
        queued_.pop_front();
        return Step::Entity;
    }
    if (skippedAtOpen_ > 0) {
        --skippedAtOpen_;
        return Step::Skipped;
    }
    return format_ == ListFormat::JsonLines ? NextJson(entity) : NextCsv(entity);
}

ListReader::Step ListReader::NextJson(ListEntity* entity) {
    std::string line;
    bool tooLong = false;
    do {
        if (hasPending_) {
            line.swap(pending_);
            hasPending_ = false;
        } else if (!ReadLine(&line, &tooLong)) {
            return error_.empty() ? Step::End : Step::Failed;
        }
    } while (!tooLong && IsBlank(line));
    recordLine_ = lineNumber_;
    if (tooLong)
        return Step::Skipped;
    QJsonParseError parseError{};
    const QJsonDocument document = QJsonDocument::fromJson(
        QByteArray::fromRawData(line.data(), static_cast<qsizetype>(line.size())), &parseError);
    if (parseError.error != QJsonParseError::NoError || !document.isObject())
        return Step::Skipped;
    if (!ReadObject(document.object(), 0, false, entity))
        return Step::Skipped;
    return Step::Entity;
}

bool ListReader::ReadObject(const QJsonObject& object, int depth, bool nested, ListEntity* entity) {
    entity->id = Utf8(object.value(QLatin1String("id")));
    entity->schema = Utf8(object.value(QLatin1String("schema")));
    if (entity->id.empty() || entity->schema.empty())
        return false;
    const QJsonObject properties = object.value(QLatin1String("properties")).toObject();
    // Entities nested in the properties (the persons and firms a targets export puts
    // inside a relation, or the relations inside a firm) become entities of their own.
    // A nested entity without a target field is a related party, not a target.
    if (nestedEntities_ && depth < kMaxNesting) {
        for (auto it = properties.begin(); it != properties.end(); ++it) {
            if (!it.value().isArray())
                continue;
            for (const QJsonValue& item : it.value().toArray()) {
                if (!item.isObject())
                    continue;
                ListEntity inner;
                if (ReadObject(item.toObject(), depth + 1, true, &inner))
                    queued_.push_back(std::move(inner));
            }
        }
    }
    const QJsonValue target = object.value(QLatin1String("target"));
    entity->target = target.isBool() ? target.toBool() : !nested;
    for (const NameProperty& property : kNameProperties) {
        for (const QString& name : Strings(properties.value(QLatin1String(property.key)))) {
            if (!name.trimmed().isEmpty())
                entity->names.emplace_back(property.kind, name);
        }
    }
    for (const char* key : kIdentifierProperties) {
        const std::vector<std::string> values =
            Utf8Strings(properties.value(QLatin1String(key)), true);
        entity->identifierTexts.insert(entity->identifierTexts.end(), values.begin(), values.end());
        if (!values.empty() &&
            (std::strcmp(key, "innCode") == 0 || std::strcmp(key, "ogrnCode") == 0))
            entity->hasRegisterCode = true;
    }
    if (entity->names.empty() && !entity->identifierTexts.empty())
        ++nameless_;
    for (const RelationSchema& relation : kRelationSchemas) {
        if (entity->schema != relation.schema)
            continue;
        for (const char* end : {relation.from, relation.to}) {
            for (const std::string& id : EndIds(properties.value(QLatin1String(end))))
                entity->ends.push_back({end, id});
        }
        std::vector<std::string> details = Utf8Strings(properties.value(QLatin1String("role")));
        for (const std::string& text : Utf8Strings(properties.value(QLatin1String("relationship"))))
            details.push_back(text);
        for (const std::string& text : details) {
            if (!entity->relationDetail.empty())
                entity->relationDetail += ", ";
            entity->relationDetail += text;
        }
        const std::vector<std::string> shares =
            Utf8Strings(properties.value(QLatin1String("percentage")), true);
        if (!shares.empty())
            entity->percentage = shares.front();
    }
    entity->topics = Utf8Strings(properties.value(QLatin1String("topics")));
    entity->datasets = Utf8Strings(object.value(QLatin1String("datasets")));
    entity->caption = Utf8(object.value(QLatin1String("caption")));
    if (entity->caption.empty() && !entity->names.empty())
        entity->caption = entity->names.front().second.toStdString();
    entity->firstSeen = Utf8(object.value(QLatin1String("first_seen")));
    entity->lastSeen = Utf8(object.value(QLatin1String("last_seen")));
    entity->lastChange = Utf8(object.value(QLatin1String("last_change")));
    return true;
}

ListReader::Step ListReader::NextCsv(ListEntity* entity) {
    std::string record;
    std::string line;
    bool tooLong = false;
    do {
        if (!ReadLine(&record, &tooLong))
            return error_.empty() ? Step::End : Step::Failed;
    } while (!tooLong && IsBlank(record));
    recordLine_ = lineNumber_;
    bool open = false;
    std::vector<std::string> cells;
    if (!tooLong)
        cells = SplitCsvRecord(record, &open);
    // A quoted cell may hold line breaks: the record goes on until its quotes close.
    while (open && !tooLong) {
        if (!ReadLine(&line, &tooLong))
            return Step::Skipped;
        record += '\n';
        record += line;
        if (record.size() > kMaxLineBytes)
            tooLong = true;
        else
            cells = SplitCsvRecord(record, &open);
    }
    if (tooLong || cells.size() != columns_.size())
        return Step::Skipped;
    for (size_t i = 0; i < columns_.size(); ++i) {
        const std::string& column = columns_[i];
        const std::string& cell = cells[i];
        if (column == "id") {
            entity->id = cell;
        } else if (column == "schema") {
            entity->schema = cell;
        } else if (column == "name") {
            for (const std::string& name : CellValues(cell))
                entity->names.emplace_back(NameKind::Name, QString::fromStdString(name));
        } else if (column == "aliases") {
            for (const std::string& name : CellValues(cell))
                entity->names.emplace_back(NameKind::Alias, QString::fromStdString(name));
        } else if (column == "identifiers") {
            entity->identifierTexts = CellValues(cell);
        } else if (column == "dataset") {
            entity->datasets = CellValues(cell);
        } else if (column == "first_seen") {
            entity->firstSeen = cell;
        } else if (column == "last_seen") {
            entity->lastSeen = cell;
        } else if (column == "last_change") {
            entity->lastChange = cell;
        }
    }
    if (entity->id.empty() || entity->schema.empty())
        return Step::Skipped;
    if (!entity->names.empty())
        entity->caption = entity->names.front().second.toStdString();
    return Step::Entity;
}

}  // namespace screen
