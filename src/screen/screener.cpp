#include "screen/screener.h"

#include <sqlite3.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>
#include <unordered_map>

#include "platform/cp1251.h"
#include "screen/identifiers.h"
#include "screen/list_reader.h"
#include "screen/names.h"
#include "screen/postings.h"
#include "screen/sqlite_statement.h"

namespace screen {

// The candidates one form of a firm's name is scored against, at most: a name whose
// rarest tokens are all very common is compared with this many names holding them.
constexpr size_t kMaxCandidates = 5000;

struct Screener::Statements {
    Statement frequency;
    Statement term;
    Statement name;
    Statement entity;
    Statement identifier;
};

struct Screener::Form {
    QString text;     // the firm's name this form came from
    std::string how;  // "Cyrillic" or the standard
    std::vector<QString> tokens;
};

const std::vector<std::string>& LatinStandards() {
    static const std::vector<std::string> standards = {"GOST 7.79 B", "ISO 9", "English",
                                                       "English (passport)"};
    return standards;
}

std::string DescribeMatch(const Match& match) {
    if (match.kind == MatchKind::Identifier)
        return match.what + " " + match.firmValue;
    char score[16];
    std::snprintf(score, sizeof score, "%.2f", match.score);
    return std::string("name ") + score + ": " + match.firmValue + " (" + match.how + ") ~ " +
           match.entityValue + " (" + match.what + ")";
}

namespace {

std::string Digits(const std::string& cp1251) {
    std::string out;
    for (const char c : cp1251) {
        if (c >= '0' && c <= '9')
            out += c;
        else if (c != ' ' && c != '-')
            return {};
    }
    return out;
}

std::vector<std::string> SplitComma(const std::string& text) {
    std::vector<std::string> out;
    size_t start = 0;
    while (!text.empty() && start <= text.size()) {
        const size_t end = std::min(text.find(',', start), text.size());
        out.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return out;
}

bool IsOpeningQuote(QChar c) {
    return c == u'"' || c == u'«' || c == u'“' || c == u'„';
}

bool IsClosingQuote(QChar c) {
    return c == u'"' || c == u'»' || c == u'”' || c == u'“';
}

// The part of a name between its first opening and last closing quote ("Ромашка" of
// ООО "Ромашка"), or an empty string when it has none.
QString QuotedPart(const QString& name) {
    qsizetype open = -1;
    for (qsizetype i = 0; i < name.size() && open < 0; ++i) {
        if (IsOpeningQuote(name[i]))
            open = i;
    }
    for (qsizetype i = name.size() - 1; i > open && open >= 0; --i) {
        if (IsClosingQuote(name[i]))
            return name.mid(open + 1, i - open - 1).trimmed();
    }
    return {};
}

std::vector<QString> SplitForm(const std::string& form) {
    std::vector<QString> tokens;
    for (const QString& token :
         QString::fromStdString(form).split(QLatin1Char(' '), Qt::SkipEmptyParts))
        tokens.push_back(token);
    return tokens;
}

}  // namespace

Screener::Screener() = default;
Screener::~Screener() = default;

platform::Status Screener::Load(const std::string& path, const std::vector<std::string>& lists) {
    statements_.reset();
    versions_.clear();
    warnings_.clear();
    standards_.clear();
    const platform::Status opened = index_.Open(path, Index::Access::ReadOnly);
    if (!opened)
        return opened;
    const platform::Result<std::vector<ListVersion>> read = index_.LatestVersions();
    if (!read)
        return platform::Failure(read.error());
    const std::vector<ListVersion>& latest = *read;
    for (const ListVersion& version : latest) {
        if (lists.empty() || std::find(lists.begin(), lists.end(), version.list) != lists.end())
            versions_.push_back(version);
    }
    for (const std::string& name : lists) {
        const bool known = std::any_of(latest.begin(), latest.end(),
                                       [&](const ListVersion& v) { return v.list == name; });
        if (!known)
            return index_.Fail("there is no list \"" + name + "\"");
    }
    sqlite3* db = index_.handle();
    // Screening reads scattered pages of a large file: mapped, they cost no system call
    // and no copy. Where mapping is not available SQLite reads as usual.
    sqlite3_exec(db, "PRAGMA mmap_size = 4294967296", nullptr, nullptr, nullptr);
    statements_ = std::make_unique<Statements>();
    // A token's frequency alone is read first: the postings of a very common token are
    // long, and only the rarest tokens' postings are wanted.
    statements_->frequency.Prepare(db, "SELECT df FROM terms WHERE version = ? AND token = ?");
    statements_->term.Prepare(db, "SELECT postings FROM terms WHERE version = ? AND token = ?");
    statements_->name.Prepare(db, "SELECT entity, kind, via, text, form FROM names WHERE id = ?");
    statements_->entity.Prepare(db,
                                "SELECT entity_id, schema, caption, topics, datasets FROM "
                                "entities WHERE id = ?");
    statements_->identifier.Prepare(
        db, "SELECT entity, kind, kpp FROM identifiers WHERE version = ? AND value = ?");
    if (!statements_->frequency.prepared() || !statements_->term.prepared() ||
        !statements_->name.prepared() || !statements_->entity.prepared() ||
        !statements_->identifier.prepared()) {
        statements_.reset();
        return index_.Fail("cannot read it");
    }
    for (const std::string& standard : LatinStandards()) {
        translit::Translator translator =
            translit::Translator::Open(QString::fromStdString(standard));
        if (!translator.Error().isEmpty())
            warnings_.push_back("names are not compared in " + standard + ": " +
                                translator.Error().toStdString());
        else
            standards_.emplace_back(standard, translator);
    }
    return {};
}

std::vector<Screener::Form> Screener::FirmForms(const QString& name) const {
    std::vector<Form> forms;
    const auto add = [&](const QString& text, const std::string& how,
                         const std::vector<QString>& tokens) {
        if (tokens.empty())
            return;
        for (const Form& form : forms) {
            if (form.tokens == tokens)
                return;
        }
        forms.push_back({text, how, tokens});
    };
    std::vector<QString> texts = {name.trimmed()};
    const QString quoted = QuotedPart(name);
    if (!quoted.isEmpty())
        texts.push_back(quoted);
    for (const QString& text : texts) {
        const bool cyrillic = HasCyrillic(text);
        add(text, cyrillic ? "Cyrillic" : "Latin", ScoringTokens(text));
        if (!cyrillic)
            continue;
        for (const auto& [standard, translator] : standards_) {
            const translit::Outcome latin = translator.Convert(text);
            if (latin.ok())
                add(text, standard, ScoringTokens(latin.text));
        }
    }
    return forms;
}

bool Screener::FillEntity(std::int64_t entity, const ListVersion& version, Match* match) const {
    Statement& read = statements_->entity;
    read.Reset();
    read.Bind(1, entity);
    if (!read.Step())
        return false;
    match->list = version.list;
    match->versionId = version.id;
    match->versionNumber = version.number;
    match->versionDigest = version.digest;
    match->entityId = read.Text(0);
    match->schema = read.Text(1);
    match->caption = read.Text(2);
    match->topics = SplitComma(read.Text(3));
    match->datasets = SplitComma(read.Text(4));
    return true;
}

platform::Status Screener::MatchIdentifiers(const lookup::FirmRecord& firm,
                                            std::vector<Match>* matches) const {
    const std::string inn = Digits(firm.inn);
    const std::string ogrn = Digits(firm.ogrn);
    const std::string kpp = Digits(firm.kpp);
    struct Wanted {
        std::string value;
        IdKind kind;
    };
    std::vector<Wanted> wanted;
    for (const Identifier& id : ParseIdentifiers(inn))
        if (id.kind == IdKind::Inn && id.value == inn)
            wanted.push_back({inn, IdKind::Inn});
    for (const Identifier& id : ParseIdentifiers(ogrn))
        if (id.kind == IdKind::Ogrn && id.value == ogrn)
            wanted.push_back({ogrn, IdKind::Ogrn});
    Statement& read = statements_->identifier;
    for (const ListVersion& version : versions_) {
        std::map<std::int64_t, Match> found;
        for (const Wanted& w : wanted) {
            read.Reset();
            read.Bind(1, version.id).Bind(2, w.value);
            while (read.Step()) {
                if (read.Int(1) != static_cast<int>(w.kind))
                    continue;
                const std::string listKpp = read.Text(2);
                const bool withKpp = w.kind == IdKind::Inn && !kpp.empty() && listKpp == kpp;
                const std::string what = withKpp ? "KPP+INN" : IdKindName(w.kind);
                const std::string value = withKpp ? kpp + "/" + w.value : w.value;
                Match& match = found[read.Int(0)];
                if (match.what.find(what) != std::string::npos)
                    continue;
                match.kind = MatchKind::Identifier;
                match.what += (match.what.empty() ? "" : ", ") + what;
                match.firmValue += (match.firmValue.empty() ? "" : ", ") + value;
                match.entityValue = match.firmValue;
                match.score = 1.0;
            }
            if (!read.ok())
                return index_.Fail("cannot read it");
        }
        for (auto& [entity, match] : found) {
            if (!FillEntity(entity, version, &match))
                return index_.Fail("cannot read it");
            matches->push_back(std::move(match));
        }
    }
    return {};
}

// The name search in one list version: each token's frequency and postings and each
// name row are read once, and each entity keeps its best-scoring name.
class Screener::NameSearch {
  public:
    NameSearch(const Screener& screener, const ListVersion& version)
        : screener_(screener), statements_(*screener.statements_), version_(version) {}

    // Scores the names that share enough of the rarest tokens with form; false when a
    // token or a name cannot be read.
    bool Score(const Form& form);
    // Appends the entities whose best score reaches the threshold and that matches
    // does not show yet; false when an entity or a name's text cannot be read.
    bool Report(std::vector<Match>* matches);

  private:
    struct NameRow {
        std::int64_t entity = 0;
        int kind = 0;
        int via = 0;
        std::string text;
        std::vector<QString> tokens;
    };
    struct Best {
        double score = 0;
        const Form* form = nullptr;
        std::int64_t name = 0;
    };

    std::int64_t Frequency(const QString& token);
    const std::vector<Posting>& Postings(const QString& token);
    std::vector<std::int64_t> Candidates(const Form& form);
    // The name row, read when first asked for; null when it cannot be read.
    const NameRow* Name(std::int64_t id);
    // The name as the list writes it: a reading through "Latin to Russian" follows it.
    std::string Written(const NameRow& row, std::int64_t id);

    const Screener& screener_;
    Statements& statements_;
    const ListVersion& version_;
    std::unordered_map<QString, std::int64_t> frequencies_;
    std::unordered_map<QString, std::vector<Posting>> postings_;
    std::unordered_map<std::int64_t, NameRow> names_;
    std::unordered_map<std::int64_t, Best> best_;
    // A token's frequency or postings, or a name's text, could not be read: what was
    // found cannot stand for what the list holds.
    bool failed_ = false;
};

std::int64_t Screener::NameSearch::Frequency(const QString& token) {
    auto found = frequencies_.find(token);
    if (found != frequencies_.end())
        return found->second;
    Statement& read = statements_.frequency;
    read.Reset();
    read.Bind(1, version_.id).Bind(2, token.toStdString());
    const std::int64_t df = read.Step() ? read.Int(0) : 0;
    failed_ = failed_ || !read.ok();
    frequencies_.emplace(token, df);
    return df;
}

const std::vector<Posting>& Screener::NameSearch::Postings(const QString& token) {
    auto ids = postings_.find(token);
    if (ids == postings_.end()) {
        Statement& read = statements_.term;
        read.Reset();
        read.Bind(1, version_.id).Bind(2, token.toStdString());
        std::vector<Posting> readIds;
        if (read.Step())
            readIds = ReadPostings(read.Blob(0));
        failed_ = failed_ || !read.ok();
        ids = postings_.emplace(token, std::move(readIds)).first;
    }
    return ids->second;
}

std::vector<std::int64_t> Screener::NameSearch::Candidates(const Form& form) {
    const double threshold = screener_.threshold_;
    std::vector<const QString*> order;
    double letters = 0;
    for (const QString& token : form.tokens) {
        order.push_back(&token);
        letters += static_cast<double>(token.size());
    }
    std::stable_sort(order.begin(), order.end(), [&](const QString* a, const QString* b) {
        return Frequency(*a) < Frequency(*b);
    });
    // The rarest tokens first, until the tokens left could not reach the threshold even
    // if a name held all of them and nothing else.
    std::vector<std::int64_t> candidates;
    double rest = letters;
    for (const QString* token : order) {
        if (2 * rest / (letters + rest) < threshold - 1e-9)
            break;
        rest -= static_cast<double>(token->size());
        if (Frequency(*token) == 0)
            continue;
        for (const Posting& posting : Postings(*token)) {
            if (candidates.size() >= kMaxCandidates)
                break;
            // Two names of a and b letters score at most 2·min(a, b) / (a + b).
            const double other = posting.letters;
            if (2 * std::min(letters, other) / (letters + other) >= threshold - 1e-9 ||
                posting.letters >= 255)
                candidates.push_back(posting.id);
        }
    }
    std::sort(candidates.begin(), candidates.end());
    candidates.erase(std::unique(candidates.begin(), candidates.end()), candidates.end());
    return candidates;
}

const Screener::NameSearch::NameRow* Screener::NameSearch::Name(std::int64_t id) {
    auto row = names_.find(id);
    if (row != names_.end())
        return &row->second;
    Statement& read = statements_.name;
    read.Reset();
    read.Bind(1, id);
    if (!read.Step())
        return nullptr;
    NameRow value;
    value.entity = read.Int(0);
    value.kind = static_cast<int>(read.Int(1));
    value.via = static_cast<int>(read.Int(2));
    value.text = read.Text(3);
    value.tokens = SplitForm(read.Text(4));
    return &names_.emplace(id, std::move(value)).first->second;
}

bool Screener::NameSearch::Score(const Form& form) {
    const std::vector<std::int64_t> candidates = Candidates(form);
    if (failed_)
        return false;
    for (const std::int64_t id : candidates) {
        const NameRow* row = Name(id);
        if (row == nullptr)
            return false;
        const double score = TokenSetSimilarity(form.tokens, row->tokens);
        // On a tie, a name as the list writes it is the better witness than its reading
        // through "Latin to Russian".
        Best& b = best_[row->entity];
        const bool better = score > b.score || (score == b.score && b.form != nullptr &&
                                                row->via == 0 && names_[b.name].via == 1);
        if (better)
            b = {score, &form, id};
    }
    return true;
}

std::string Screener::NameSearch::Written(const NameRow& row, std::int64_t id) {
    if (!row.text.empty())
        return row.text;
    std::string written;
    Statement& read = statements_.name;
    read.Reset();
    read.Bind(1, id - 1);
    if (read.Step())
        written = read.Text(3);
    failed_ = failed_ || !read.ok();
    return written;
}

bool Screener::NameSearch::Report(std::vector<Match>* matches) {
    for (const auto& [entity, b] : best_) {
        if (b.score < screener_.threshold_ - 1e-9)
            continue;
        Match match;
        if (!screener_.FillEntity(entity, version_, &match))
            return false;
        // An entity shown for its numbers, or listed twice under one id, is shown once.
        const bool shown = std::any_of(matches->begin(), matches->end(), [&](const Match& m) {
            return m.versionId == version_.id && m.entityId == match.entityId;
        });
        if (shown)
            continue;
        const NameRow& row = names_[b.name];
        match.kind = MatchKind::Name;
        match.score = std::round(b.score * 1000) / 1000;
        match.firmValue = b.form->text.toStdString();
        match.how = b.form->how;
        match.entityValue = Written(row, b.name);
        match.what = NameKindName(static_cast<NameKind>(row.kind));
        if (row.via == 1)
            match.what += " via Latin to Russian";
        matches->push_back(std::move(match));
    }
    return !failed_;
}

platform::Status Screener::MatchNames(const std::string& nameUtf8,
                                      std::vector<Match>* matches) const {
    const std::vector<Form> forms = FirmForms(QString::fromStdString(nameUtf8));
    if (forms.empty())
        return {};
    for (const ListVersion& version : versions_) {
        NameSearch search(*this, version);
        for (const Form& form : forms) {
            if (!search.Score(form))
                return index_.Fail("cannot read it");
        }
        if (!search.Report(matches))
            return index_.Fail("cannot read it");
    }
    return {};
}

platform::Result<std::vector<Match>> Screener::ScreenName(const std::string& name) const {
    std::vector<Match> matches;
    if (statements_ == nullptr)
        return matches;
    const platform::Status matched = MatchNames(name, &matches);
    if (!matched)
        return platform::Failure(matched.error());
    std::stable_sort(matches.begin(), matches.end(),
                     [](const Match& a, const Match& b) { return a.score > b.score; });
    return matches;
}

platform::Result<std::vector<Match>> Screener::Screen(const lookup::FirmRecord& firm) const {
    std::vector<Match> matches;
    if (statements_ == nullptr)
        return matches;
    platform::Status matched = MatchIdentifiers(firm, &matches);
    if (matched && !firm.name.empty())
        matched = MatchNames(platform::Cp1251ToUtf8(firm.name), &matches);
    if (!matched)
        return platform::Failure(matched.error());
    std::stable_sort(matches.begin(), matches.end(), [](const Match& a, const Match& b) {
        if (a.kind != b.kind)
            return a.kind == MatchKind::Identifier;
        return a.score > b.score;
    });
    return matches;
}

}  // namespace screen
