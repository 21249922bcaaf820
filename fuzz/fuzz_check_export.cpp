// Arbitrary bytes through the evidence-file check: the file's lines, and a kept head
// given as a line or JSON object. A check says why whenever it fails, and never holds
// a file that does not end with a head.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "archive/archive_evidence.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzzsupport::Init();
    std::string_view parts[2];
    fuzzsupport::Split(data, size, parts, 2);
    const std::string_view file = parts[0];

    archive::ChainHead kept;
    const platform::Result<archive::ChainHead> parsed = archive::ParseHead(std::string(parts[1]));
    if (parsed)
        kept = *parsed;

    std::size_t at = 0;
    const auto next = [&](std::string* line) {
        if (at >= file.size())
            return false;
        const std::size_t end = file.find('\n', at);
        const std::size_t stop = end == std::string_view::npos ? file.size() : end;
        line->assign(file.substr(at, stop - at));
        at = stop + 1;
        return true;
    };
    archive::EvidenceReport report;
    const bool held = archive::CheckEvidence(next, parsed ? &kept : nullptr, &report);
    if (held != report.intact || held == !report.problem.empty())
        __builtin_trap();
    // A file that holds ends with a head no earlier than its base.
    if (held && report.head.lastId < report.baseId)
        __builtin_trap();
    return 0;
}
