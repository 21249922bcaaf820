#include "screen/import_feed.h"

#include <algorithm>

#include "translit/translit.h"

namespace screen {
namespace {

bool IsScreenedSchema(const std::string& schema) {
    return schema == "Company" || schema == "Organization" || schema == "LegalEntity";
}

}  // namespace

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
    p.forms = PrepareNameForms(entity.names, toRussian_);
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
