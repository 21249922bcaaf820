#include "screen/screen_record.h"

namespace screen {

archive::Screening RecordScreening(const std::vector<ListVersion>& versions) {
    archive::Screening screening;
    screening.screened = true;
    for (const ListVersion& version : versions)
        screening.versions.push_back({version.list, version.number, version.digest});
    return screening;
}

archive::ScreenMatch RecordMatch(const lookup::FirmRecord& firm, const Match& match) {
    archive::ScreenMatch kept;
    kept.firmName = archive::ToUtf8(firm.name);
    kept.firmInn = archive::ToUtf8(firm.inn);
    kept.firmOgrn = archive::ToUtf8(firm.ogrn);
    kept.list = match.list;
    kept.version = match.versionNumber;
    kept.entityId = match.entityId;
    kept.caption = match.caption;
    kept.schema = match.schema;
    kept.topics = match.topics;
    kept.kind = !match.target                         ? "link"
                : match.kind == MatchKind::Identifier ? "identifier"
                                                      : "name";
    kept.what = match.how.empty() ? match.what : match.what + " (" + match.how + ")";
    kept.firmValue = match.firmValue;
    kept.entityValue = match.entityValue;
    kept.score = match.score;
    return kept;
}

}  // namespace screen
