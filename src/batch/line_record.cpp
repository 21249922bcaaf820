#include "batch/line_record.h"

#include <functional>
#include <memory>
#include <stdexcept>

#include "screen/screen_record.h"

namespace batch {
namespace {

// A line's firms as the archive reads them: straight from the line's spool, which the
// record keeps alive until it is written.
class SpoolFirms : public archive::FirmSource {
  public:
    explicit SpoolFirms(std::shared_ptr<const LineSpool> spool) : spool_(std::move(spool)) {}

    std::int64_t count() const override { return spool_->firms(); }

    platform::Status ForEach(
        const std::function<void(const lookup::FirmRecord&)>& visit) const override {
        try {
            spool_->ForEach([&visit](const SpoolEntry& e) {
                if (e.isFirm) {
                    visit(e.firm);
                }
            });
        } catch (const std::runtime_error& e) {
            return platform::Failure(std::string(e.what()));
        }
        return {};
    }

  private:
    std::shared_ptr<const LineSpool> spool_;
};

archive::ScreenMatch MatchOf(const lookup::FirmRecord& firm, const ScreenHit& hit) {
    archive::ScreenMatch kept;
    kept.firmName = archive::ToUtf8(firm.name);
    kept.firmInn = archive::ToUtf8(firm.inn);
    kept.firmOgrn = archive::ToUtf8(firm.ogrn);
    kept.list = hit.list;
    kept.version = hit.version;
    kept.entityId = hit.entityId;
    kept.caption = hit.caption;
    kept.schema = hit.schema;
    kept.topics = hit.topics;
    kept.kind = !hit.target ? "link" : hit.identifier ? "identifier" : "name";
    kept.what = hit.how.empty() ? hit.what : hit.what + " (" + hit.how + ")";
    kept.firmValue = hit.firmValue;
    kept.entityValue = hit.entityValue;
    kept.score = hit.score;
    return kept;
}

// What screening a done line's firms gave: the versions screened against and each match
// with the firm it was found for (the firms are read back from the line's spool, in the
// order the hits are numbered).
archive::Screening ScreeningOf(const EndedLine& line,
                               const std::vector<screen::ListVersion>& versions) {
    archive::Screening screening = screen::RecordScreening(versions);
    if (line.screening->hits.empty() || line.keptSpool == nullptr) {
        return screening;
    }
    int index = 0;
    line.keptSpool->ForEach([&](const SpoolEntry& e) {
        if (!e.isFirm) {
            return;
        }
        if (const std::vector<ScreenHit>* hits = line.screening->Of(index)) {
            for (const ScreenHit& hit : *hits) {
                screening.matches.push_back(MatchOf(e.firm, hit));
            }
        }
        ++index;
    });
    return screening;
}

void SetOutcome(const EndedLine& line, archive::CheckRecord& r) {
    switch (line.report->outcome) {
        case LineOutcome::Done:
            r.outcome = r.firmCount() == 0 && line.hasMessage ? archive::Outcome::Message
                                                              : archive::Outcome::Firms;
            break;
        case LineOutcome::Failed:
            r.outcome = archive::Outcome::Failed;
            r.message = line.report->reason;
            break;
        case LineOutcome::Skipped:
            r.outcome = archive::Outcome::Skipped;
            r.message = line.report->reason;
            break;
        case LineOutcome::Unchecked:
            if (line.metLimit) {
                r.outcome = archive::Outcome::Message;
                r.messageKind = lookup::ServiceMessageKind::DailyLimit;
            } else {
                r.outcome = archive::Outcome::Unchecked;
            }
            break;
    }
}

}  // namespace

archive::CheckRecord RecordOf(const EndedLine& line, const std::string& serviceRoot,
                              const std::string& language,
                              const std::vector<screen::ListVersion>* screenedAgainst) {
    archive::CheckRecord r;
    r.checkedAt = line.report->checkedAt;
    r.origin = "batch";
    r.service = serviceRoot;
    r.typed = line.typed;
    r.criteria = line.criteria;
    r.language = language;
    r.pages = line.pages;
    r.pagesSha256 = line.pagesSha256;
    if (line.keptSpool != nullptr && line.keptSpool->firms() > 0) {
        r.firmSource = std::make_shared<SpoolFirms>(line.keptSpool);
    }
    if (line.hasMessage) {
        r.messageKind = line.messageKind;
        r.message = archive::ToUtf8(line.message);
    }
    if (screenedAgainst != nullptr && line.screening != nullptr &&
        line.report->outcome == LineOutcome::Done) {
        r.screening = ScreeningOf(line, *screenedAgainst);
    }
    SetOutcome(line, r);
    return r;
}

}  // namespace batch
