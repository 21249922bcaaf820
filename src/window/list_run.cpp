#include "window/list_run.h"

#include <utility>
#include <vector>

#include "exchange/query_service.h"
#include "lists/list_query.h"
#include "lists/list_run_driver.h"
#include "platform/cp1251.h"
#include "translit/translit.h"
#include "window/results_model.h"

namespace window {
namespace {

// A few lines per query the service runs at once wait in its queue: it always has the
// next line at hand, and Stop or the daily limit leave little to drop.
constexpr int kLinesQueued = 8;

}  // namespace

ListRun::ListRun(lookup::QueryService& service, lookup::ListFile list, lookup::QueryRequest base,
                 QString language, Hooks hooks)
    : service_(service),
      list_(std::move(list)),
      base_(std::move(base)),
      language_(std::move(language)),
      hooks_(std::move(hooks)) {}

ListRun::~ListRun() = default;

int ListRun::AddRows(ResultsModel& model) {
    int toSend = 0;
    for (const lookup::ListLine& line : list_.entries) {
        if (lookup::PlanListQuery(line.text).action == lookup::ListQuery::Action::Pass) {
            ++blankLines_;
            continue;
        }
        rowOfLine_[line.number] = model.AddQuery(line.text);
        ++toSend;
    }
    lookup::ListRunDriver::Hooks hooks;
    hooks.skipped = [this](const lookup::ListLine& line, const lookup::ListQuery& query) {
        if (hooks_.skipped) {
            hooks_.skipped(rowOfLine_[line.number], QString::fromUtf8(query.reason));
        }
    };
    hooks.queued = [this](lookup::QueryId id, const lookup::ListLine& line,
                          const lookup::ListQuery& query) {
        sent_[id] = Sent{query.text, line.text};
        if (hooks_.queued) {
            lookup::QueryRequest request = base_;
            request.criteria = query.criteria;
            request.nodeText = query.text;
            hooks_.queued(id, rowOfLine_[line.number], request, line.text);
        }
    };
    // Each name goes out as the mirror of the name field would show it; a line the
    // language cannot convert goes as it is, and the first such failure is kept.
    lookup::LineConverter convert = [this](const QString& text) {
        translit::Outcome converted = translit::ConvertText(text, language_);
        if (converted.ok()) {
            return converted.text;
        }
        if (conversionError_.isEmpty()) {
            conversionError_ = converted.error;
        }
        return text;
    };
    driver_ =
        std::make_unique<lookup::ListRunDriver>(service_, list_, base_, std::vector<int>{},
                                                kLinesQueued, std::move(convert), std::move(hooks));
    return toSend;
}

void ListRun::Pump() {
    if (driver_) {
        driver_->Pump();
    }
}

bool ListRun::limitReached() const {
    return driver_ && driver_->limitReached();
}

std::vector<window::NodeHandle> ListRun::StopForLimit(std::vector<lookup::QueryId>& droppedIds) {
    std::vector<window::NodeHandle> rows;
    if (!driver_ || driver_->limitReached()) {
        return rows;
    }
    droppedIds = driver_->StopForLimit();
    for (const int number : driver_->NotQueued()) {
        rows.push_back(rowOfLine_[number]);
    }
    return rows;
}

QString ListRun::RowText(lookup::QueryId id, const std::string& cp1251Text) const {
    const auto it = sent_.find(id);
    if (it == sent_.end() ||
        cp1251Text.compare(0, it->second.searched.size(), it->second.searched) != 0) {
        return platform::FromCp1251(cp1251Text);
    }
    return it->second.line + platform::FromCp1251(cp1251Text.substr(it->second.searched.size()));
}

}  // namespace window
