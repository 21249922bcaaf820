// The archive at scale: 1,000,000 stored firms (10,000 queries checked ten times,
// ten firms each). A firm search through the full-text index against a plain scan of
// the same table, `changes` for a 10,000-line list, the whole history of 100,000
// checks newest first, and the cost of recording one check. The database is built
// once in VENDRAKE_BENCH_ARCHIVE (default: a folder under the system's temporary
// folder) and reused while it holds what the benchmarks expect.
#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <QDir>
#include <QFileInfo>
#include <QString>
#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "archive/archive_changes.h"
#include "archive/archive_db.h"
#include "archive/recorder.h"
#include "platform/cp1251.h"

namespace {

constexpr int kQueries = 10000;
constexpr int kRounds = 10;
constexpr int kFirmsPerCheck = 10;
constexpr int kFirmsPerQuery = 12;  // the ten of a round slide along these

std::string Cp(const QString& text) {
    return platform::ToCp1251(text);
}

// Words made of Cyrillic syllables, so that names share prefixes as real ones do.
QString Word(unsigned n) {
    static const char* const syllables[] = {"ро",   "ма",  "шка",  "лю",   "тик",  "вер",
                                            "ба",   "сев", "ер",   "ин",   "вест", "строй",
                                            "торг", "тех", "пром", "снаб", "агро", "нефть"};
    constexpr unsigned count = sizeof syllables / sizeof syllables[0];
    QString word;
    for (int i = 0; i < 3; ++i) {
        word += QString::fromUtf8(syllables[n % count]);
        n /= count;
    }
    return word;
}

QString Line(int query) {
    return QStringLiteral("Фирма ") + Word(static_cast<unsigned>(query) * 7919u) +
           QLatin1Char(' ') + QString::number(query);
}

std::string Ogrn(int firm) {
    return std::to_string(1027700000000LL + firm);
}

lookup::FirmRecord MakeFirm(int firm, int round) {
    lookup::FirmRecord record;
    record.name =
        Cp(QStringLiteral("ООО \"") + Word(static_cast<unsigned>(firm) * 104729u) +
           QLatin1Char(' ') + Word(static_cast<unsigned>(firm) * 31u) + QStringLiteral("\""));
    // Each firm moves once in a while, so that changes has something to tell.
    const int moves = (round + firm % 7) / 7;
    record.address =
        Cp(QStringLiteral("г. Москва, ул. Лесная, д. %1, офис %2").arg(firm % 200).arg(moves));
    record.ogrn = Ogrn(firm);
    record.grn = "2" + record.ogrn.substr(1);
    record.inn = "77" + record.ogrn.substr(5);
    record.kpp = "770101001";
    record.date = "01.02.2003";
    record.authority = Cp(QStringLiteral("Межрайонная ИФНС России № 46 по г. Москве"));
    record.authorityAddress = Cp(QStringLiteral("125373, г. Москва, Походный проезд, 3"));
    record.region = Cp(QStringLiteral("Москва"));
    return record;
}

archive::CheckRecord MakeCheck(int query, int round) {
    archive::CheckRecord record;
    char date[32];
    std::snprintf(date, sizeof date, "2026-%02d-%02dT%02d:%02d:%02dZ", 1 + round, 1 + query % 28,
                  query % 24, query % 60, round);
    record.checkedAt = date;
    record.origin = "batch";
    record.service = "http://register.example";
    record.typed = Line(query).toStdString();
    record.criteria = lookup::SearchCriteria::ForLine(platform::Cp1251String(Cp(Line(query))));
    record.language = "ru";
    record.pages = 1;
    record.pagesSha256 = archive::Sha256Hex(record.typed + std::to_string(round));
    for (int i = 0; i < kFirmsPerCheck; ++i)
        record.firms.push_back(MakeFirm(query * kFirmsPerQuery + (round % 3) + i, round));
    return record;
}

std::string ArchivePath() {
    const char* folder = std::getenv("VENDRAKE_BENCH_ARCHIVE");
    const QString root = folder != nullptr ? QString::fromLocal8Bit(folder)
                                           : QDir::tempPath() + QStringLiteral("/vendrake-bench");
    return (root + QStringLiteral("/archive.sqlite")).toStdString();
}

// The big archive, built on first use.
archive::Archive& Big() {
    static archive::Archive db;
    if (db.isOpen())
        return db;
    const std::string path = ArchivePath();
    const platform::Status opened = db.Open(path, archive::Archive::Access::ReadWrite);
    if (!opened) {
        std::fprintf(stderr, "%s\n", opened.error().c_str());
        std::exit(1);
    }
    archive::HistoryFilter newest;
    newest.limit = 1;
    const platform::Result<std::vector<archive::CheckSummary>> existing = db.List(newest);
    if (existing && !existing->empty() &&
        (*existing)[0].id == static_cast<std::int64_t>(kQueries) * kRounds)
        return db;
    if (existing && !existing->empty()) {
        std::fprintf(stderr, "%s holds other records; remove it first\n", path.c_str());
        std::exit(1);
    }
    std::fprintf(stderr, "building %s ...\n", path.c_str());
    for (int round = 0; round < kRounds; ++round) {
        for (int first = 0; first < kQueries; first += 500) {
            std::vector<archive::CheckRecord> batch;
            for (int query = first; query < first + 500; ++query)
                batch.push_back(MakeCheck(query, round));
            const platform::Status appended = db.Append(batch);
            if (!appended) {
                std::fprintf(stderr, "%s\n", appended.error().c_str());
                std::exit(1);
            }
        }
    }
    return db;
}

void ReportSize(benchmark::State& state) {
    const QString path = QString::fromStdString(ArchivePath());
    const double bytes = static_cast<double>(QFileInfo(path).size() +
                                             QFileInfo(path + QStringLiteral("-wal")).size());
    state.counters["db_MiB"] = bytes / (1024.0 * 1024.0);
}

void BM_SearchIndexed(benchmark::State& state, const char* text) {
    archive::Archive& db = Big();
    std::vector<archive::FoundFirm> firms;
    for (auto _ : state) {
        platform::Result<std::vector<archive::FoundFirm>> found = db.Search(text, 100);
        if (!found)
            state.SkipWithError(found.error().c_str());
        else
            firms = std::move(*found);
        benchmark::DoNotOptimize(firms.data());
    }
    state.counters["found"] = static_cast<double>(firms.size());
    ReportSize(state);
}
BENCHMARK_CAPTURE(BM_SearchIndexed, name_prefix, "ромашк")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_SearchIndexed, two_words, "ООО ромашка")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_SearchIndexed, ogrn, "1027700054321")->Unit(benchmark::kMillisecond);

// The peer: the same question answered by reading every firm row.
void BM_SearchScanPeer(benchmark::State& state) {
    Big();
    sqlite3* db = nullptr;
    sqlite3_open_v2(ArchivePath().c_str(), &db, SQLITE_OPEN_READONLY, nullptr);
    sqlite3_stmt* stmt = nullptr;
    sqlite3_prepare_v2(db,
                       "SELECT id FROM firms WHERE ogrn LIKE '%1027700054321%' OR inn LIKE "
                       "'%1027700054321%' OR name LIKE '%1027700054321%' ORDER BY id DESC "
                       "LIMIT 100",
                       -1, &stmt, nullptr);
    for (auto _ : state) {
        int rows = 0;
        while (sqlite3_step(stmt) == SQLITE_ROW)
            ++rows;
        sqlite3_reset(stmt);
        benchmark::DoNotOptimize(rows);
    }
    sqlite3_finalize(stmt);
    sqlite3_close(db);
}
BENCHMARK(BM_SearchScanPeer)->Unit(benchmark::kMillisecond);

void BM_ChangesForList(benchmark::State& state) {
    archive::Archive& db = Big();
    archive::ChangeQuery query;
    query.listGiven = true;
    for (int i = 0; i < kQueries; ++i)
        query.list.push_back(lookup::SearchCriteria::ForLine(platform::Cp1251String(Cp(Line(i)))));
    query.since = "2026-10-01";
    size_t changes = 0;
    for (auto _ : state) {
        changes = 0;
        const platform::Status found =
            archive::FindChanges(db, query, [&](const archive::FirmChange&) { ++changes; });
        if (!found)
            state.SkipWithError(found.error().c_str());
    }
    state.counters["changes"] = static_cast<double>(changes);
}
BENCHMARK(BM_ChangesForList)->Unit(benchmark::kMillisecond);

void BM_History(benchmark::State& state, archive::HistoryFilter filter) {
    archive::Archive& db = Big();
    std::vector<archive::CheckSummary> checks;
    for (auto _ : state) {
        platform::Result<std::vector<archive::CheckSummary>> listed = db.List(filter);
        if (!listed)
            state.SkipWithError(listed.error().c_str());
        else
            checks = std::move(*listed);
        benchmark::DoNotOptimize(checks.data());
    }
    state.counters["checks"] = static_cast<double>(checks.size());
}
// Opening the history panel: its first page of the newest checks; then all of them.
BENCHMARK_CAPTURE(BM_History, first_page, archive::HistoryFilter{"", "", "", "", 1000})
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_History, all, archive::HistoryFilter{})->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_History, text, archive::HistoryFilter{"ромашк", "", "", "", 0})
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_History, ogrn, archive::HistoryFilter{"", "1027700054321", "", "", 0})
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_History, one_month,
                  archive::HistoryFilter{"", "", "2026-03-01", "2026-03-31", 0})
    ->Unit(benchmark::kMillisecond);

// Recording one check of ten firms in a transaction of its own, into a small archive.
void BM_RecordOneCheck(benchmark::State& state) {
    const QString folder = QDir::tempPath() + QStringLiteral("/vendrake-bench-record");
    QDir(folder).removeRecursively();
    archive::Archive db;
    const platform::Status opened =
        db.Open((folder + QStringLiteral("/archive.sqlite")).toStdString(),
                archive::Archive::Access::ReadWrite);
    if (!opened) {
        state.SkipWithError(opened.error().c_str());
        return;
    }
    int i = 0;
    for (auto _ : state) {
        std::vector<archive::CheckRecord> one{MakeCheck(i % kQueries, i / kQueries)};
        ++i;
        const platform::Status appended = db.Append(one);
        if (!appended)
            state.SkipWithError(appended.error().c_str());
    }
    db.Close();
    QDir(folder).removeRecursively();
}
BENCHMARK(BM_RecordOneCheck)->Unit(benchmark::kMicrosecond);

// What recording costs a list run per check: the recorder's thread groups what is
// queued into one transaction. CPU time of the whole process, both threads.
void BM_RecorderPerCheck(benchmark::State& state) {
    const QString folder = QDir::tempPath() + QStringLiteral("/vendrake-bench-recorder");
    QDir(folder).removeRecursively();
    std::vector<archive::CheckRecord> checks;
    for (int i = 0; i < 1000; ++i)
        checks.push_back(MakeCheck(i, 0));
    for (auto _ : state) {
        archive::Recorder recorder((folder + QStringLiteral("/archive.sqlite")).toStdString(),
                                   [&](const std::string& m) { state.SkipWithError(m.c_str()); });
        archive::Recorder::Ticket last = 0;
        for (const archive::CheckRecord& check : checks)
            last = recorder.Append(check);
        recorder.WaitWritten(last, std::chrono::minutes(5));
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(checks.size()));
    QDir(folder).removeRecursively();
}
BENCHMARK(BM_RecorderPerCheck)
    ->MeasureProcessCPUTime()
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);

// A 10,000-line list run as the batch tool records it: four lines in five found two
// firms, the fifth none, and the lines that ended together (the argument: 125, or the
// batch tool's most, 512) go into one transaction each. Into a new archive, so that
// every run writes the same pages.
void BM_RecordListRun(benchmark::State& state) {
    const QString folder = QDir::tempPath() + QStringLiteral("/vendrake-bench-list-run");
    std::vector<archive::CheckRecord> checks;
    for (int i = 0; i < kQueries; ++i) {
        archive::CheckRecord check = MakeCheck(i, 0);
        check.checkedAt.clear();
        check.firms.resize(i % 5 == 0 ? 0 : 2);
        checks.push_back(std::move(check));
    }
    for (auto _ : state) {
        state.PauseTiming();
        QDir(folder).removeRecursively();
        archive::Archive db;
        const platform::Status opened =
            db.Open((folder + QStringLiteral("/archive.sqlite")).toStdString(),
                    archive::Archive::Access::ReadWrite);
        if (!opened) {
            state.SkipWithError(opened.error().c_str());
            return;
        }
        state.ResumeTiming();
        const auto together = static_cast<size_t>(state.range(0));
        for (size_t first = 0; first < checks.size(); first += together) {
            std::vector<archive::CheckRecord> batch(
                checks.begin() + static_cast<std::ptrdiff_t>(first),
                checks.begin() +
                    static_cast<std::ptrdiff_t>(std::min(first + together, checks.size())));
            const platform::Status appended = db.Append(batch);
            if (!appended)
                state.SkipWithError(appended.error().c_str());
        }
        db.Close();
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(checks.size()));
    QDir(folder).removeRecursively();
}
BENCHMARK(BM_RecordListRun)
    ->Arg(125)
    ->Arg(512)
    ->MeasureProcessCPUTime()
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);

// A chain of 1,000,000 records (one firm each), built once beside the big archive:
// verify follows every digest, checks each key and count and the search index.
archive::Archive& Chain() {
    static archive::Archive db;
    if (db.isOpen())
        return db;
    const std::string path = ArchivePath() + "-chain.sqlite";
    const platform::Status opened = db.Open(path, archive::Archive::Access::ReadWrite);
    if (!opened) {
        std::fprintf(stderr, "%s\n", opened.error().c_str());
        std::exit(1);
    }
    constexpr int kRecords = 1000000;
    const platform::Result<archive::ChainHead> head = db.Head();
    if (head && head->lastId == kRecords)
        return db;
    if (head && head->lastId != 0) {
        std::fprintf(stderr, "%s holds other records; remove it first\n", path.c_str());
        std::exit(1);
    }
    std::fprintf(stderr, "building %s ...\n", path.c_str());
    for (int first = 0; first < kRecords; first += 5000) {
        std::vector<archive::CheckRecord> batch;
        for (int i = first; i < first + 5000; ++i) {
            archive::CheckRecord record = MakeCheck(i % kQueries, 0);
            record.firms.resize(1);
            batch.push_back(std::move(record));
        }
        const platform::Status appended = db.Append(batch);
        if (!appended) {
            std::fprintf(stderr, "%s\n", appended.error().c_str());
            std::exit(1);
        }
    }
    return db;
}

void BM_VerifyMillionRecords(benchmark::State& state) {
    archive::Archive& db = Chain();
    for (auto _ : state) {
        const platform::Result<archive::VerifyReport> report = db.Verify();
        if (!report)
            state.SkipWithError(report.error().c_str());
        else if (!report->intact)
            state.SkipWithError(report->problem.c_str());
        benchmark::DoNotOptimize(report);
    }
}
BENCHMARK(BM_VerifyMillionRecords)->Unit(benchmark::kSecond)->Iterations(1);

// The head as vendrake-archive head reads it: a fresh connection each time.
void BM_Head(benchmark::State& state) {
    Chain();
    const std::string path = ArchivePath() + "-chain.sqlite";
    for (auto _ : state) {
        archive::Archive db;
        const platform::Status opened = db.Open(path, archive::Archive::Access::ReadOnly);
        const platform::Result<archive::ChainHead> head =
            opened ? db.Head() : platform::Failure(opened.error());
        if (!head)
            state.SkipWithError(head.error().c_str());
        benchmark::DoNotOptimize(head);
    }
}
BENCHMARK(BM_Head)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
