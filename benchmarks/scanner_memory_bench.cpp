// Peak heap of reading the 180,000-row answer (about 31 MB, rows as the stand-in
// sends them): held whole and then scanned, against scanned in 16 KiB pieces as they
// arrive from the network. The counter "peak_MiB" is the most heap held at once
// during one reading, the page itself included.
#include <benchmark/benchmark.h>

#include <atomic>
#include <cstdlib>
#include <new>
#include <string>

#include "pages/page_scanner.h"

namespace {

std::atomic<std::size_t> g_live{0};
std::atomic<std::size_t> g_peak{0};

void Count(std::size_t n) {
    const std::size_t now = g_live.fetch_add(n) + n;
    std::size_t peak = g_peak.load();
    while (now > peak && !g_peak.compare_exchange_weak(peak, now)) {
    }
}

}  // namespace

// Every allocation carries its size in front, so that the live total can be kept.
void* operator new(std::size_t n) {
    auto* p = static_cast<std::size_t*>(std::malloc(n + sizeof(std::max_align_t)));
    if (p == nullptr)
        throw std::bad_alloc();
    *p = n;
    Count(n);
    return reinterpret_cast<char*>(p) + sizeof(std::max_align_t);
}

void operator delete(void* q) noexcept {
    if (q == nullptr)
        return;
    auto* p = reinterpret_cast<std::size_t*>(static_cast<char*>(q) - sizeof(std::max_align_t));
    g_live.fetch_sub(*p);
    std::free(p);
}

void operator delete(void* q, std::size_t) noexcept {
    operator delete(q);
}

namespace {

constexpr int kRows = 180000;
constexpr std::size_t kPiece = 16 << 10;

struct CountingOutput : lookup::ScanOutput {
    std::size_t firms = 0;
    void Deliver(const lookup::FirmRecord& firm) override { firms += !firm.name.empty(); }
    void SetQueryText(const std::string&) override {}
};

// Hands the answer's bytes to take, row by row, in the stand-in's layout.
template <typename Take>
void Answer(Take&& take) {
    take(std::string("<html><body>\n<table class=\"res\"><tr><th>N</th></tr>\n"));
    for (int n = 1; n <= kRows; ++n) {
        const std::string i = std::to_string(n);
        take("<tr><td>" + i + "</td><td>OOO Lavina-" + i + "</td><td>g. Moskva</td><td>" +
             std::to_string(1000000000000 + n) + "</td><td>&nbsp;</td><td>" +
             std::to_string(7700000000 + n) +
             "</td><td>&nbsp;</td><td>01.01.2020</td><td>g. Moskva</td></tr>" +
             (n == kRows ? "</table>\n" : "\n"));
    }
    take(std::string("</body></html>\n"));
}

lookup::ScanState Query() {
    lookup::ScanState st;
    st.criteria.mode = lookup::SearchMode::Name;
    st.criteria.name = platform::Cp1251String("x");
    st.queryText = "q";
    return st;
}

void Report(benchmark::State& state, std::size_t firms) {
    state.counters["peak_MiB"] = static_cast<double>(g_peak.load()) / (1 << 20);
    state.counters["firms"] = static_cast<double>(firms);
}

void BM_Answer180000RowsHeldWhole(benchmark::State& state) {
    std::size_t firms = 0;
    for (auto _ : state) {
        g_peak = g_live.load();
        const std::size_t base = g_live.load();
        std::string page;
        Answer([&page](const std::string& bytes) { page += bytes; });
        lookup::ScanState st = Query();
        CountingOutput out;
        lookup::ParseResultPage(page, st, out);
        firms = out.firms;
        g_peak = g_peak.load() - base;
    }
    Report(state, firms);
}
BENCHMARK(BM_Answer180000RowsHeldWhole)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_Answer180000RowsAsTheyArrive(benchmark::State& state) {
    std::size_t firms = 0;
    for (auto _ : state) {
        g_peak = g_live.load();
        const std::size_t base = g_live.load();
        lookup::ScanState st = Query();
        CountingOutput out;
        {
            lookup::PageScanner scanner(st, out);
            std::string piece;
            piece.reserve(kPiece);
            Answer([&](const std::string& bytes) {
                piece += bytes;
                if (piece.size() >= kPiece) {
                    scanner.Feed(piece);
                    piece.clear();
                }
            });
            scanner.Feed(piece);
            scanner.Finish();
        }
        firms = out.firms;
        g_peak = g_peak.load() - base;
    }
    Report(state, firms);
}
BENCHMARK(BM_Answer180000RowsAsTheyArrive)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

BENCHMARK_MAIN();
