#include "screen/import_feed.h"

#include <algorithm>

#include "translit/translit.h"

namespace screen {
namespace {

bool IsScreenedSchema(const std::string& schema) {
    return schema == "Company" || schema == "Organization" || schema == "LegalEntity";
}

}  // namespace

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

Feed::Feed(ListReader& reader, bool persons, const translit::Translator* toRussian)
    : reader_(reader), persons_(persons), toRussian_(toRussian) {
    thread_ = std::thread([this] { Run(); });
}

Feed::~Feed() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        stop_ = true;
    }
    changed_.notify_all();
    thread_.join();
}

std::vector<Prepared> Feed::Next() {
    std::unique_lock<std::mutex> lock(mutex_);
    changed_.wait(lock, [this] { return !queue_.empty(); });
    std::vector<Prepared> batch = std::move(queue_.front());
    queue_.pop_front();
    changed_.notify_all();
    return batch;
}

void Feed::Prepare(Prepared& p) const {
    const ListEntity& entity = p.entity;
    for (const std::string& text : entity.identifierTexts) {
        for (Identifier& id : ParseIdentifiers(text)) {
            if (std::find(p.ids.begin(), p.ids.end(), id) == p.ids.end())
                p.ids.push_back(std::move(id));
        }
    }
    const bool registerCode =
        reader_.format() == ListFormat::SimpleCsv ? !p.ids.empty() : entity.hasRegisterCode;
    p.screened =
        entity.schema == "Person" ? persons_ : IsScreenedSchema(entity.schema) || registerCode;
    if (!p.screened)
        return;
    for (const auto& [kind, text] : entity.names) {
        const std::vector<QString> tokens = ScoringTokens(text);
        std::string utf8 = text.toStdString();
        if (!tokens.empty())
            p.forms.push_back(MakeForm(kind, 0, utf8, tokens));
        if (toRussian_ == nullptr || !HasLatin(text))
            continue;
        const translit::Outcome russian = toRussian_->Convert(text);
        const std::vector<QString> russianTokens =
            russian.ok() ? ScoringTokens(russian.text) : std::vector<QString>();
        // The name as written is in the row before, unless it had no tokens.
        if (!russianTokens.empty() && russianTokens != tokens)
            p.forms.push_back(
                MakeForm(kind, 1, tokens.empty() ? std::move(utf8) : std::string(), russianTokens));
    }
}

void Feed::Run() {
    std::vector<Prepared> batch;
    for (;;) {
        Prepared p;
        p.step = reader_.Next(&p.entity);
        p.line = reader_.line();
        if (p.step == ListReader::Step::Failed)
            p.error = reader_.error();
        if (p.step == ListReader::Step::Entity)
            Prepare(p);
        const bool last = p.step == ListReader::Step::End || p.step == ListReader::Step::Failed;
        batch.push_back(std::move(p));
        if (batch.size() < kBatch && !last)
            continue;
        std::unique_lock<std::mutex> lock(mutex_);
        changed_.wait(lock, [this] { return stop_ || queue_.size() < kQueuedBatches; });
        if (stop_)
            return;
        queue_.push_back(std::move(batch));
        batch.clear();
        changed_.notify_all();
        if (last)
            return;
    }
}

}  // namespace screen
