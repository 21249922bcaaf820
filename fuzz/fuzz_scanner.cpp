// Arbitrary answer bytes through the answer rules and the page scanner, in both
// scanner modes, whole and in pieces.
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz_support.h"
#include "pages/answer_rules.h"
#include "pages/page_scanner.h"

namespace {

class Sink : public lookup::ScanOutput {
  public:
    size_t delivered = 0;
    size_t textBytes = 0;
    void Deliver(const lookup::FirmRecord& firm) override {
        ++delivered;
        textBytes += firm.name.size() + firm.region.size();
    }
    void SetQueryText(const std::string& text) override { textBytes += text.size(); }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzzsupport::Init();
    const std::string_view answer(reinterpret_cast<const char*>(data), size);

    (void)lookup::DecideRule(answer);
    (void)lookup::ResultPageUrls(answer, "http://127.0.0.1:1");
    (void)lookup::ServiceMessageNode(answer);
    (void)lookup::EntryLink(answer);

    Sink sink;
    lookup::ScanState byName;
    byName.criteria.mode = lookup::SearchMode::Name;
    byName.criteria.name = platform::Cp1251String("x");
    byName.queryText = "q%d";  // a "%" in the node text stays as typed
    lookup::ParseResultPage(answer, byName, sink);

    // The same page fed in pieces must give the same number of firms.
    Sink pieces;
    lookup::ScanState byNameInPieces;
    byNameInPieces.criteria = byName.criteria;
    byNameInPieces.queryText = byName.queryText;
    const lookup::PageScan whole = [&] {
        lookup::ScanState again;
        again.criteria = byName.criteria;
        Sink ignored;
        return lookup::ParseResultPage(answer, again, ignored);
    }();
    {
        lookup::PageScanner scanner(byNameInPieces, pieces);
        const size_t piece = 1 + (size > 0 ? data[0] % 64 : 0);
        for (size_t at = 0; at < answer.size(); at += piece)
            scanner.Feed(answer.substr(at, piece));
        if (scanner.Finish().firms != whole.firms)
            __builtin_trap();
    }

    lookup::ScanState byNumber;
    byNumber.criteria.mode = lookup::SearchMode::Number;
    byNumber.criteria.number = platform::Cp1251String("1027700132195");
    lookup::ParseResultPage(answer, byNumber, sink);

    std::string cell(answer);
    lookup::ReplaceQuotEntities(cell);
    std::string_view row = answer;
    while (!row.empty()) {
        const size_t before = row.size();
        (void)lookup::NextCell(row);
        if (row.size() >= before)
            __builtin_trap();  // NextCell must always shorten the row
    }
    return 0;
}
