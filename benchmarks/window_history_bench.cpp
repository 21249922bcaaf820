// Opening the History panel over an archive of 100,000 stored checks: from Reload to
// its first page of rows shown, through the panel's background read and the event
// loop, against reading the whole history at once (its peer) in the same run. The
// archive is built once in VENDRAKE_BENCH_HISTORY (default: a folder under the
// system's temporary folder) and reused.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "archive/archive_db.h"
#include "window/history_panel.h"

namespace {

constexpr int kChecks = 100000;

std::string HistoryPath() {
    const char* folder = std::getenv("VENDRAKE_BENCH_HISTORY");
    const QString root = folder != nullptr
                             ? QString::fromLocal8Bit(folder)
                             : QDir::tempPath() + QStringLiteral("/vendrake-bench-history");
    QDir().mkpath(root);
    return (root + QStringLiteral("/archive.sqlite")).toStdString();
}

// 100,000 checks of 1,000 queries, each with two firms, built on first use.
const std::string& History() {
    static const std::string path = [] {
        const std::string p = HistoryPath();
        archive::Archive db;
        const platform::Status opened = db.Open(p, archive::Archive::Access::ReadWrite);
        if (!opened) {
            std::fprintf(stderr, "%s\n", opened.error().c_str());
            std::exit(1);
        }
        archive::HistoryFilter one;
        one.limit = 1;
        const platform::Result<std::vector<archive::CheckSummary>> newest = db.List(one);
        if (newest && !newest->empty() && (*newest)[0].id == kChecks)
            return p;
        if (newest && !newest->empty()) {
            std::fprintf(stderr, "%s holds other records; remove it first\n", p.c_str());
            std::exit(1);
        }
        std::fprintf(stderr, "building %s ...\n", p.c_str());
        for (int first = 0; first < kChecks; first += 1000) {
            std::vector<archive::CheckRecord> batch;
            for (int n = first; n < first + 1000; ++n) {
                archive::CheckRecord r;
                char date[32];
                std::snprintf(date, sizeof date, "2026-%02d-%02dT%02d:%02d:00Z", 1 + n / 9000,
                              1 + n % 28, n % 24, n % 60);
                r.checkedAt = date;
                r.origin = "batch";
                r.service = "http://register.example";
                r.typed = "Firm " + std::to_string(n % 1000);
                r.criteria =
                    lookup::SearchCriteria::ForLine(platform::Cp1251String::FromUtf8(r.typed));
                r.language = "ru";
                for (int f = 0; f < 2; ++f) {
                    lookup::FirmRecord firm;
                    firm.name = "OOO Firm " + std::to_string(n % 1000 * 2 + f);
                    firm.ogrn = std::to_string(1027700000000LL + n % 1000 * 2 + f);
                    firm.inn = "77" + firm.ogrn.substr(5);
                    r.firms.push_back(firm);
                }
                batch.push_back(std::move(r));
            }
            const platform::Status appended = db.Append(batch);
            if (!appended) {
                std::fprintf(stderr, "%s\n", appended.error().c_str());
                std::exit(1);
            }
        }
        return p;
    }();
    return path;
}

// The panel's open path: Reload, then the event loop until the first page is shown.
void BM_PanelOpenFirstPage(benchmark::State& state) {
    window::HistoryPanel panel(History());
    panel.show();
    QApplication::processEvents();
    for (auto _ : state) {
        panel.Reload();
        while (panel.loading())
            QApplication::processEvents(QEventLoop::WaitForMoreEvents);
        if (panel.shownCount() != window::kHistoryPageSize)
            state.SkipWithError("the first page is not whole");
    }
    state.counters["rows"] = panel.shownCount();
}
BENCHMARK(BM_PanelOpenFirstPage)->Unit(benchmark::kMillisecond)->UseRealTime();

// The peer: every stored check read at once, as a list without pages would.
void BM_WholeHistoryRead(benchmark::State& state) {
    archive::Archive db;
    const platform::Status opened = db.Open(History(), archive::Archive::Access::ReadOnly);
    if (!opened) {
        state.SkipWithError(opened.error().c_str());
        return;
    }
    std::vector<archive::CheckSummary> checks;
    for (auto _ : state) {
        platform::Result<std::vector<archive::CheckSummary>> listed = db.List({});
        if (!listed)
            state.SkipWithError(listed.error().c_str());
        else
            checks = std::move(*listed);
        benchmark::DoNotOptimize(checks.data());
    }
    state.counters["rows"] = static_cast<double>(checks.size());
}
BENCHMARK(BM_WholeHistoryRead)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
