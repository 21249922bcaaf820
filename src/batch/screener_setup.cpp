#include "batch/screener_setup.h"

#include <string>
#include <vector>

namespace batch {
namespace {

// "LIST vN (E entities, SHA-256 0123456789ab), ...": the versions screened against.
std::string VersionsText(const std::vector<screen::ListVersion>& versions) {
    std::string text;
    for (const screen::ListVersion& v : versions) {
        text += (text.empty() ? "" : ", ") + v.list + " v" + std::to_string(v.number) + " (" +
                std::to_string(v.entities) + " entities, SHA-256 " + v.digest.substr(0, 12) + ")";
    }
    return text;
}

ScreenHit HitOf(const screen::Match& m) {
    ScreenHit h;
    // A link is never "identifier": it must not count as listed by number.
    h.identifier = screen::ListedByNumber(m);
    h.target = m.target;
    h.list = m.list;
    h.version = m.versionNumber;
    h.digest = m.versionDigest;
    h.entityId = m.entityId;
    h.caption = m.caption;
    h.schema = m.schema;
    h.topics = m.topics;
    h.what = m.what;
    h.how = m.how;
    h.firmValue = m.firmValue;
    h.entityValue = m.entityValue;
    h.score = m.score;
    h.describe = screen::DescribeMatch(m);
    return h;
}

}  // namespace

platform::Result<std::unique_ptr<screen::Screener>> LoadScreener(const BatchOptions& options,
                                                                 Console& console) {
    const std::string path = options.screenIndex.isEmpty() ? screen::Index::DefaultPath()
                                                           : options.screenIndex.toStdString();
    auto screener = std::make_unique<screen::Screener>();
    const platform::Status loaded = screener->Load(path);
    if (!loaded) {
        return platform::Failure("--screen: " + loaded.error());
    }
    if (screener->versions().empty()) {
        return platform::Failure("--screen: screening index " + path +
                                 ": no list has been imported yet (vendrake-screen import FILE)");
    }
    for (const std::string& warning : screener->warnings()) {
        console.Err("Screening: " + warning + "\n");
    }
    console.Err("Screening against " + VersionsText(screener->versions()) + ".\n");
    return platform::Result<std::unique_ptr<screen::Screener>>(std::move(screener));
}

FirmScreen ScreenWith(const screen::Screener& screener) {
    return [&screener](const lookup::FirmRecord& firm) -> platform::Result<std::vector<ScreenHit>> {
        const platform::Result<std::vector<screen::Match>> matches = screener.Screen(firm);
        if (!matches) {
            return platform::Failure(matches.error());
        }
        std::vector<ScreenHit> hits;
        for (const screen::Match& m : *matches) {
            hits.push_back(HitOf(m));
        }
        return hits;
    };
}

}  // namespace batch
