// Arbitrary answer bytes through the answer rules and the page scanner, in both
// scanner modes.
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz_support.h"
#include "worker/answer_rules.h"
#include "worker/page_scanner.h"

namespace {

class Sink : public worker::ScanOutput {
  public:
    size_t delivered = 0;
    size_t textBytes = 0;
    void Deliver(const worker::FirmRecord& firm) override {
        ++delivered;
        textBytes += firm.name.size() + firm.region.size();
    }
    void SetQueryText(const std::string& text) override { textBytes += text.size(); }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzzsupport::Init();
    const std::string_view answer(reinterpret_cast<const char*>(data), size);

    (void)worker::DecideRule(answer);
    (void)worker::ResultPageUrls(answer, "http://127.0.0.1:1");
    (void)worker::ServiceMessageNode(answer);
    (void)worker::EntryLink(answer);

    Sink sink;
    worker::ScanState byName;
    byName.criteria.mode = worker::SearchMode::Name;
    byName.criteria.name = "x";
    byName.queryText = "q%d";  // a "%" in the node text stays as typed
    worker::ParseResultPage(answer, byName, sink);

    worker::ScanState byNumber;
    byNumber.criteria.mode = worker::SearchMode::Number;
    byNumber.criteria.number = "1027700132195";
    worker::ParseResultPage(answer, byNumber, sink);

    std::string cell(answer);
    worker::ReplaceQuotEntities(cell);
    std::string_view row = answer;
    while (!row.empty()) {
        const size_t before = row.size();
        (void)worker::NextCell(row);
        if (row.size() >= before)
            __builtin_trap();  // NextCell must always shorten the row
    }
    return 0;
}
