// Cost of scanning register result pages: a name-mode page of about 1 MB (about 2,000
// rows) and one of 2 MB should differ by a factor of about two.
#include <benchmark/benchmark.h>

#include "pages/page_scanner.h"
#include "platform/cp1251.h"

namespace {

struct CountingOutput : lookup::ScanOutput {
    size_t firms = 0;
    size_t texts = 0;
    void Deliver(const lookup::FirmRecord& firm) override { firms += !firm.name.empty(); }
    void SetQueryText(const std::string& text) override { texts += text.size(); }
};

// A result table of nine-cell rows, filled to at least `bytes` bytes.
std::string NamePage(size_t bytes) {
    const std::string head = platform::Utf8ToCp1251(
        "<html><body><p>Найдено: много</p><table class=\"res\">"
        "<tr><th>№</th><th>Наименование</th><th>Адрес</th></tr>\n");
    const std::string name =
        platform::Utf8ToCp1251("ОБЩЕСТВО С ОГРАНИЧЕННОЙ ОТВЕТСТВЕННОСТЬЮ &quot;РОМАШКА&quot;");
    const std::string adr = platform::Utf8ToCp1251(
        "123456, г. Москва, ул. Большая Садовая, д. 10, стр. 2, офис 301, "
        "помещение I, комната 5 &nbsp; (вход со двора, второй подъезд, третий этаж, "
        "направо от лифта, дверь без таблички)");
    std::string page = head;
    for (int i = 1; page.size() < bytes; ++i) {
        const std::string n = std::to_string(i);
        page += "<tr><td>" + n + "</td><td><a href=\"g.php?o=" + n + "&amp;t=1\" class=\"Link0\">" +
                name + " " + n + "</a></td><td>" + adr + "</td><td>10277000" + n +
                "</td><td>20277000" + n + "</td><td>77010" + n +
                "</td><td>770101001</td><td>01.02.2003</td><td>&nbsp;</td></tr>\n";
    }
    page.insert(page.size() - 1, "</table>");
    page += platform::Utf8ToCp1251("<table><tr><td>подвал</td></tr></table></body></html>");
    return page;
}

// A page of nothing but cell ends: every row step misses "<td>" and scans far.
std::string NoCellStarts(size_t bytes) {
    std::string page = "<tr><td>";
    while (page.size() < bytes)
        page += "</td>";
    return page + "</tr></table>";
}

void Run(benchmark::State& state, const std::string& page) {
    size_t firms = 0;
    for (auto _ : state) {
        lookup::ScanState st;
        st.criteria.mode = lookup::SearchMode::Name;
        st.criteria.name = platform::Cp1251String("x");
        st.queryText = "x";
        CountingOutput out;
        lookup::ParseResultPage(page, st, out);
        firms = static_cast<size_t>(st.rowsRead);
        benchmark::DoNotOptimize(out.texts);
    }
    state.counters["rows"] = static_cast<double>(firms);
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * page.size()));
}

void BM_NameModePage(benchmark::State& state) {
    Run(state, NamePage(static_cast<size_t>(state.range(0)) << 20));
}
BENCHMARK(BM_NameModePage)->Arg(1)->Arg(2)->Arg(4)->Unit(benchmark::kMillisecond);

void BM_PageWithoutCellStarts(benchmark::State& state) {
    Run(state, NoCellStarts(static_cast<size_t>(state.range(0)) << 20));
}
BENCHMARK(BM_PageWithoutCellStarts)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
