#include "screen/name_matcher.h"

#include <sqlite3.h>

#include <algorithm>
#include <cmath>
#include <unordered_map>

#include "screen/names.h"
#include "screen/postings.h"
#include "screen/sqlite_statement.h"

namespace screen {

// The candidates one form of a firm's name is scored against, at most: a name whose
// rarest tokens are all very common is compared with this many names holding them.
constexpr size_t kMaxCandidates = 5000;

const std::vector<std::string>& LatinStandards() {
    static const std::vector<std::string> standards = {"GOST 7.79 B", "ISO 9", "English",
                                                       "English (passport)"};
    return standards;
}

namespace {

std::string JoinTokens(const std::vector<QString>& tokens) {
    QString out;
    for (const QString& token : tokens) {
        if (!out.isEmpty())
            out += QLatin1Char(' ');
        out += token;
    }
    return out.toStdString();
}

PreparedForm MakeForm(NameKind kind, int via, std::string text,
                      const std::vector<QString>& tokens) {
    PreparedForm form;
    form.kind = kind;
    form.via = via;
    form.text = std::move(text);
    for (const QString& token : tokens) {
        form.tokens.push_back(token.toStdString());
        form.letters += static_cast<int>(token.size());
    }
    form.form = JoinTokens(tokens);
    return form;
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

std::vector<PreparedForm> PrepareNameForms(const std::vector<std::pair<NameKind, QString>>& names,
                                           const translit::Translator* toRussian) {
    std::vector<PreparedForm> forms;
    for (const auto& [kind, text] : names) {
        const std::vector<QString> tokens = ScoringTokens(text);
        std::string utf8 = text.toStdString();
        if (!tokens.empty())
            forms.push_back(MakeForm(kind, 0, utf8, tokens));
        const QString input = TransliterationInput(text);
        if (toRussian == nullptr || !HasLatin(input))
            continue;
        const translit::Outcome russian = toRussian->Convert(input);
        const std::vector<QString> russianTokens =
            russian.ok() ? ScoringTokens(russian.text) : std::vector<QString>();
        // The name as written is in the row before, unless it had no tokens.
        if (!russianTokens.empty() && russianTokens != tokens)
            forms.push_back(
                MakeForm(kind, 1, tokens.empty() ? std::move(utf8) : std::string(), russianTokens));
    }
    return forms;
}

struct NameMatcher::Statements {
    Statement frequency;
    Statement term;
    Statement name;
};

struct NameMatcher::Form {
    QString text;     // the firm's name this form came from
    std::string how;  // "Cyrillic" or the standard
    std::vector<QString> tokens;
};

NameMatcher::NameMatcher() = default;
NameMatcher::~NameMatcher() = default;

bool NameMatcher::Load(sqlite3* db, std::vector<std::string>* warnings) {
    standards_.clear();
    statements_ = std::make_unique<Statements>();
    // A token's frequency alone is read first: the postings of a very common token are
    // long, and only the rarest tokens' postings are wanted.
    statements_->frequency.Prepare(db, "SELECT df FROM terms WHERE version = ? AND token = ?");
    statements_->term.Prepare(db, "SELECT postings FROM terms WHERE version = ? AND token = ?");
    statements_->name.Prepare(db, "SELECT entity, kind, via, text, form FROM names WHERE id = ?");
    if (!statements_->frequency.prepared() || !statements_->term.prepared() ||
        !statements_->name.prepared()) {
        statements_.reset();
        return false;
    }
    toRussian_.clear();
    translit::Translator toRussian = translit::Translator::Open(QStringLiteral("Latin to Russian"));
    if (!toRussian.Error().isEmpty())
        warnings->push_back("Latin names are not read into Russian: " +
                            toRussian.Error().toStdString());
    else
        toRussian_.push_back(toRussian);
    for (const std::string& standard : LatinStandards()) {
        translit::Translator translator =
            translit::Translator::Open(QString::fromStdString(standard));
        if (!translator.Error().isEmpty())
            warnings->push_back("names are not compared in " + standard + ": " +
                                translator.Error().toStdString());
        else
            standards_.emplace_back(standard, translator);
    }
    return true;
}

std::vector<NameMatcher::Form> NameMatcher::FirmForms(const QString& name) const {
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
        const QString input = TransliterationInput(text);
        const bool cyrillic = HasCyrillic(input);
        add(text, cyrillic ? "Cyrillic" : "Latin", ScoringTokens(text));
        // A name in Latin letters is also read into Russian, as the import reads the
        // lists' Latin names, so that it meets the lists' Cyrillic names.
        if (HasLatin(input)) {
            for (const translit::Translator& translator : toRussian_) {
                const translit::Outcome russian = translator.Convert(input);
                if (russian.ok())
                    add(text, "Latin to Russian", ScoringTokens(russian.text));
            }
        }
        if (!cyrillic)
            continue;
        for (const auto& [standard, translator] : standards_) {
            const translit::Outcome latin = translator.Convert(input);
            if (latin.ok())
                add(text, standard, ScoringTokens(latin.text));
        }
    }
    return forms;
}

// The name search in one list version: each token's frequency and postings and each
// name row are read once, and each entity keeps its best-scoring name.
class NameMatcher::Search {
  public:
    Search(Statements& statements, const ListVersion& version, double threshold)
        : statements_(statements), version_(version), threshold_(threshold) {}

    // Scores the names that share enough of the rarest tokens with form; false when a
    // token or a name cannot be read.
    bool Score(const Form& form);
    // Appends the entities whose best score reaches the threshold; false when a name's
    // text cannot be read.
    bool Report(std::vector<NameHit>* hits);

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

    Statements& statements_;
    const ListVersion& version_;
    const double threshold_;
    std::unordered_map<QString, std::int64_t> frequencies_;
    std::unordered_map<QString, std::vector<Posting>> postings_;
    std::unordered_map<std::int64_t, NameRow> names_;
    std::unordered_map<std::int64_t, Best> best_;
    // A token's frequency or postings, or a name's text, could not be read: what was
    // found cannot stand for what the list holds.
    bool failed_ = false;
};

std::int64_t NameMatcher::Search::Frequency(const QString& token) {
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

const std::vector<Posting>& NameMatcher::Search::Postings(const QString& token) {
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

std::vector<std::int64_t> NameMatcher::Search::Candidates(const Form& form) {
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
        if (2 * rest / (letters + rest) < threshold_ - 1e-9)
            break;
        rest -= static_cast<double>(token->size());
        if (Frequency(*token) == 0)
            continue;
        for (const Posting& posting : Postings(*token)) {
            if (candidates.size() >= kMaxCandidates)
                break;
            // Two names of a and b letters score at most 2·min(a, b) / (a + b).
            const double other = posting.letters;
            if (2 * std::min(letters, other) / (letters + other) >= threshold_ - 1e-9 ||
                posting.letters >= 255)
                candidates.push_back(posting.id);
        }
    }
    std::sort(candidates.begin(), candidates.end());
    candidates.erase(std::unique(candidates.begin(), candidates.end()), candidates.end());
    return candidates;
}

const NameMatcher::Search::NameRow* NameMatcher::Search::Name(std::int64_t id) {
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

bool NameMatcher::Search::Score(const Form& form) {
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

std::string NameMatcher::Search::Written(const NameRow& row, std::int64_t id) {
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

bool NameMatcher::Search::Report(std::vector<NameHit>* hits) {
    // Entities in the order of their rows, so that a report does not depend on hashing.
    std::vector<std::int64_t> entities;
    for (const auto& [entity, b] : best_) {
        if (b.score >= threshold_ - 1e-9)
            entities.push_back(entity);
    }
    std::sort(entities.begin(), entities.end());
    for (const std::int64_t entity : entities) {
        const Best& b = best_[entity];
        const NameRow& row = names_[b.name];
        NameHit hit;
        hit.version = &version_;
        hit.entityRow = entity;
        hit.score = std::round(b.score * 1000) / 1000;
        hit.firmValue = b.form->text.toStdString();
        hit.how = b.form->how;
        hit.entityValue = Written(row, b.name);
        hit.what = NameKindName(static_cast<NameKind>(row.kind));
        if (row.via == 1)
            hit.what += " via Latin to Russian";
        hits->push_back(std::move(hit));
    }
    return !failed_;
}

bool NameMatcher::Find(const std::string& nameUtf8, const std::vector<ListVersion>& versions,
                       double threshold, std::vector<NameHit>* hits) const {
    if (statements_ == nullptr)
        return true;
    const std::vector<Form> forms = FirmForms(QString::fromStdString(nameUtf8));
    if (forms.empty())
        return true;
    for (const ListVersion& version : versions) {
        Search search(*statements_, version, threshold);
        for (const Form& form : forms) {
            if (!search.Score(form))
                return false;
        }
        if (!search.Report(hits))
            return false;
    }
    return true;
}

}  // namespace screen
