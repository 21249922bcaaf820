// Reading the archive: single records, the history narrowed by a filter, the search
// over every firm seen, and scans of every record in order.
#include "archive/archive_db.h"

#include <sqlite3.h>
#include <QString>

#include <algorithm>
#include <iterator>
#include <set>
#include <utility>

#include "archive/sqlite_statement.h"

namespace archive {

namespace {

// A word as the firm index compares it: case-folded, without diacritical marks.
QString FoldWord(const QString& word) {
    const QString decomposed = word.toCaseFolded().normalized(QString::NormalizationForm_D);
    QString folded;
    folded.reserve(decomposed.size());
    for (const QChar c : decomposed) {
        if (c.category() != QChar::Mark_NonSpacing)
            folded += c;
    }
    return folded;
}

// Words in double quotes that must stand together, in this order, in one field.
struct Phrase {
    std::vector<QString> words;  // folded
    bool lastIsPrefix = false;   // its quote is still open at the end of the text
};

// What to search for: the words of the text (runs of letters and digits), the last
// one the beginning of a word (it may be still being typed) unless a closing quote
// follows it, and the phrases of two words or more among them. A quote left open
// runs to the end of the text.
struct SearchText {
    std::vector<QString> words;
    bool lastIsPrefix = true;
    std::vector<Phrase> phrases;
};

SearchText ParseSearchText(const std::string& text) {
    SearchText parsed;
    bool quoted = false;
    Phrase phrase;
    QString word;
    const auto endWord = [&] {
        if (word.isEmpty())
            return;
        parsed.words.push_back(word);
        if (quoted)
            phrase.words.push_back(FoldWord(word));
        word.clear();
    };
    const auto endPhrase = [&] {
        if (phrase.words.size() >= 2)
            parsed.phrases.push_back(phrase);
        phrase = Phrase();
    };
    for (const QChar c : QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()))) {
        if (c.isLetterOrNumber()) {
            if (word.isEmpty())
                parsed.lastIsPrefix = true;
            word += c;
            continue;
        }
        endWord();
        if (c == QLatin1Char('"')) {
            if (quoted) {
                endPhrase();
                parsed.lastIsPrefix = false;
            }
            quoted = !quoted;
        }
    }
    endWord();
    if (quoted) {
        phrase.lastIsPrefix = parsed.lastIsPrefix;
        endPhrase();
    }
    return parsed;
}

// An FTS5 query matching rows whose columns hold each word of the text. Every word is
// quoted, so that no operator in the text takes effect, and each holds one word only:
// the index keeps no word positions, so phrases are checked on the rows it gives
// (HoldsPhrase). Whole words keep a common one such as "ООО" cheap: only a prefix
// needs the index's terms merged before the first row comes.
std::string MatchExpression(const SearchText& parsed, const char* columns) {
    std::string expression;
    for (size_t i = 0; i < parsed.words.size(); ++i) {
        if (i > 0)
            expression += " AND ";
        if (columns != nullptr)
            expression += columns;
        const bool prefix = parsed.lastIsPrefix && i + 1 == parsed.words.size();
        expression += '"' + parsed.words[i].toStdString() + (prefix ? "\"*" : "\"");
    }
    return expression;
}

std::string MatchExpression(const std::string& text, const char* columns) {
    return MatchExpression(ParseSearchText(text), columns);
}

// True when the field (UTF-8) holds the phrase's words next to each other, in order.
bool HoldsPhrase(const std::string& field, const Phrase& phrase) {
    std::vector<QString> words;
    QString word;
    for (const QChar c :
         QString::fromUtf8(field.data(), static_cast<qsizetype>(field.size())) + QLatin1Char(' ')) {
        if (c.isLetterOrNumber()) {
            word += c;
        } else if (!word.isEmpty()) {
            words.push_back(FoldWord(word));
            word.clear();
        }
    }
    const size_t n = phrase.words.size();
    for (size_t start = 0; start + n <= words.size(); ++start) {
        size_t k = 0;
        while (k < n && (words[start + k] == phrase.words[k] ||
                         (k + 1 == n && phrase.lastIsPrefix &&
                          words[start + k].startsWith(phrase.words[k]))))
            ++k;
        if (k == n)
            return true;
    }
    return false;
}

// The end of a date range given as a day: everything on that day is before it.
std::string DayEnd(const std::string& date) {
    return date.size() == 10 ? date + "T99" : date;
}

}  // namespace

platform::Result<std::vector<lookup::FirmRecord>> Archive::FirmsOf(std::int64_t id) {
    std::string sql = "SELECT position";
    for (const FirmColumn& column : FirmColumns())
        sql += std::string(", ") + column.key;
    sql += " FROM firms WHERE check_id = ? ORDER BY position";
    Statement select(db_, sql, cache_.get());
    select.Bind(1, id);
    std::vector<lookup::FirmRecord> firms;
    while (select.Step()) {
        lookup::FirmRecord firm;
        int index = 1;
        for (const FirmColumn& column : FirmColumns())
            firm.*column.member = FromUtf8(select.Text(index++));
        firms.push_back(std::move(firm));
    }
    if (!select.ok())
        return Problem(select.code());
    return firms;
}

platform::Result<std::optional<CheckRecord>> Archive::Get(std::int64_t id) {
    Statement select(db_, "SELECT " + kCheckColumns + " FROM checks WHERE id = ?", cache_.get());
    select.Bind(1, id);
    const bool found = select.Step();
    if (!select.ok())
        return Problem(select.code());
    if (!found)
        return std::optional<CheckRecord>();
    std::optional<CheckRecord> record = ReadCheck(select);
    platform::Result<std::vector<lookup::FirmRecord>> firms = FirmsOf(id);
    if (!firms)
        return platform::Failure(firms.error());
    record->firms = std::move(*firms);
    return record;
}

platform::Result<std::vector<CheckSummary>> Archive::List(const HistoryFilter& filter) {
    std::string sql =
        "SELECT id, checked_at, origin, typed, outcome, message_kind, message, firm_count, "
        "digest FROM checks WHERE 1";
    std::vector<std::string> values;
    if (filter.beforeId > 0)
        sql += " AND id < " + std::to_string(filter.beforeId);
    if (!filter.from.empty()) {
        sql += " AND checked_at >= ?";
        values.push_back(filter.from);
    }
    if (!filter.to.empty()) {
        sql += " AND checked_at <= ?";
        values.push_back(DayEnd(filter.to));
    }
    const auto firmMatch = [&](const std::string& expression) {
        sql +=
            " id IN (SELECT check_id FROM firms WHERE id IN (SELECT rowid FROM firm_text "
            "WHERE firm_text MATCH ?))";
        values.push_back(expression);
    };
    if (!filter.text.empty()) {
        sql += " AND (instr(fold(typed), fold(?)) > 0";
        values.push_back(filter.text);
        const std::string expression = MatchExpression(filter.text, "name : ");
        if (!expression.empty()) {
            sql += " OR";
            firmMatch(expression);
        }
        sql += ')';
    }
    if (!filter.number.empty()) {
        const std::string expression = MatchExpression(filter.number, "{inn ogrn} : ");
        if (expression.empty())
            return std::vector<CheckSummary>();
        sql += " AND";
        firmMatch(expression);
    }
    sql += " ORDER BY id DESC";
    if (filter.limit > 0)
        sql += " LIMIT " + std::to_string(filter.limit);
    Statement select(db_, sql);
    for (size_t i = 0; i < values.size(); ++i)
        select.Bind(static_cast<int>(i + 1), values[i]);
    std::vector<CheckSummary> checks;
    while (select.Step())
        checks.push_back(ReadSummary(select));
    if (!select.ok())
        return Problem(select.code());
    return checks;
}

platform::Result<std::vector<FoundFirm>> Archive::Search(const std::string& text, int limit) {
    std::vector<FoundFirm> firms;
    const SearchText parsed = ParseSearchText(text);
    const std::string expression = MatchExpression(parsed, nullptr);
    if (expression.empty() || limit <= 0)
        return firms;
    std::string sql = "SELECT c.id, c.checked_at, c.typed";
    for (const FirmColumn& column : FirmColumns())
        sql += std::string(", f.") + column.key;
    sql +=
        " FROM firm_text JOIN firms f ON f.id = firm_text.rowid JOIN checks c ON c.id = "
        "f.check_id WHERE firm_text MATCH ? ORDER BY firm_text.rowid DESC";
    Statement select(db_, sql);
    select.Bind(1, expression);
    std::set<std::string> seen;
    const auto holdsPhrases = [&] {
        for (const Phrase& phrase : parsed.phrases) {
            const std::size_t fields[] = {kNameColumn, kInnColumn, kOgrnColumn};
            if (std::none_of(std::begin(fields), std::end(fields), [&](std::size_t field) {
                    return HoldsPhrase(select.Text(3 + static_cast<int>(field)), phrase);
                }))
                return false;
        }
        return true;
    };
    while (static_cast<int>(firms.size()) < limit && select.Step()) {
        if (!holdsPhrases())
            continue;
        FoundFirm found;
        found.checkId = select.Int(0);
        found.checkedAt = select.Text(1);
        found.typed = select.Text(2);
        int index = 3;
        for (const FirmColumn& column : FirmColumns())
            found.firm.*column.member = FromUtf8(select.Text(index++));
        if (seen.insert(FirmIdentity(found.firm)).second)
            firms.push_back(std::move(found));
    }
    if (!select.ok())
        return Problem(select.code());
    return firms;
}

platform::Result<std::optional<CheckRecord>> Archive::LastAnswered(
    const lookup::SearchCriteria& criteria, const std::string& notBefore) {
    Statement select(db_,
                     "SELECT id FROM checks WHERE query_hash = ? AND query_key = ? AND "
                     "checked_at >= ? AND (outcome = 'firms' OR (outcome = 'message' AND "
                     "message_kind IN ('not-found', 'found-none'))) ORDER BY id DESC LIMIT 1",
                     cache_.get());
    const std::string key = QueryKey(criteria);
    select.Bind(1, QueryHash(key));
    select.BindBlob(2, key);
    select.Bind(3, notBefore);
    const bool found = select.Step();
    if (!select.ok())
        return Problem(select.code());
    if (!found)
        return std::optional<CheckRecord>();
    const std::int64_t id = select.Int(0);
    platform::Result<std::optional<CheckRecord>> record = Get(id);
    // The key beside the record is not digested: a record whose own criteria give
    // another query is never the answer to this one.
    if (record && *record && QueryKey((*record)->criteria) != key)
        return Problem(SQLITE_CORRUPT, "record " + std::to_string(id) +
                                           " was altered: its query key does not match its "
                                           "criteria");
    return record;
}

platform::Result<std::vector<std::string>> Archive::RepeatedQueries() {
    Statement select(db_,
                     "SELECT query_key FROM checks GROUP BY query_hash, query_key "
                     "HAVING count(*) >= 2 ORDER BY min(id)");
    std::vector<std::string> keys;
    while (select.Step())
        keys.push_back(select.Text(0));
    if (!select.ok())
        return Problem(select.code());
    return keys;
}

platform::Result<std::vector<CheckSummary>> Archive::ChecksOf(const std::string& key) {
    Statement select(db_,
                     "SELECT id, checked_at, origin, typed, outcome, message_kind, message, "
                     "firm_count, digest FROM checks WHERE query_hash = ? AND query_key = ? "
                     "ORDER BY id",
                     cache_.get());
    select.Bind(1, QueryHash(key));
    select.BindBlob(2, key);
    std::vector<CheckSummary> checks;
    while (select.Step())
        checks.push_back(ReadSummary(select));
    if (!select.ok())
        return Problem(select.code());
    return checks;
}

platform::Status Archive::Scan(const std::string& since,
                               const std::function<bool(const CheckRecord&)>& visit) {
    // One read transaction, so that the records seen belong to one moment.
    Transaction snapshot(db_);
    if (sqlite3_get_autocommit(db_) != 0) {
        const int begun = snapshot.Begin(false);
        if (begun != SQLITE_OK)
            return Problem(begun);
    }
    Statement select(db_, "SELECT " + kCheckColumns + " FROM checks " +
                              (since.empty() ? "" : "WHERE checked_at >= ? ") + "ORDER BY id");
    if (!since.empty())
        select.Bind(1, since);
    while (select.Step()) {
        CheckRecord record = ReadCheck(select);
        platform::Result<std::vector<lookup::FirmRecord>> firms = FirmsOf(record.id);
        if (!firms)
            return platform::Failure(firms.error());
        record.firms = std::move(*firms);
        if (!visit(record))
            return {};
    }
    if (!select.ok())
        return Problem(select.code());
    return {};
}

platform::Status Archive::ScanScreened(
    const std::function<bool(const CheckRecord&, const std::string& key)>& visit) {
    Statement select(db_, "SELECT " + kCheckColumns +
                              ", query_key FROM checks WHERE screening != '' ORDER BY id");
    while (select.Step() && visit(ReadCheck(select), select.Text(20))) {
    }
    if (!select.ok())
        return Problem(select.code());
    return {};
}

platform::Status Archive::BeginRead() {
    if (readHeld_ || sqlite3_get_autocommit(db_) == 0)
        return {};
    // The snapshot is taken by the first read, as a deferred transaction does.
    const int code = sqlite3_exec(db_, "BEGIN", nullptr, nullptr, nullptr);
    if (code != SQLITE_OK)
        return Problem(code);
    readHeld_ = true;
    return {};
}

void Archive::EndRead() {
    if (!readHeld_)
        return;
    readHeld_ = false;
    // Ending a transaction that only read cannot lose anything.
    sqlite3_exec(db_, "COMMIT", nullptr, nullptr, nullptr);
}

}  // namespace archive
