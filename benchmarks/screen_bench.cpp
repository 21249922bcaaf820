// Screening at scale: a list of 1,000,000 entities in FollowTheMoney JSON lines (about
// 1 GB, generated once into VENDRAKE_BENCH_SCREEN, default a folder under the system's
// temporary folder, never into the source tree) imported into a fresh index, then one
// firm screened at a time by its INN and by its name, listed or not.
//
// Counters of the import: peak_rss_mib (the process's resident peak right after it),
// index_mib (the index file), entities. Targets: import < 90 s and < 300 MiB, the index
// < 1 GiB, one firm < 1 ms.
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>
#include <cstdio>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "archive/archive_db.h"
#include "pages/records.h"
#include "pages/register_numbers.h"
#include "platform/cp1251.h"
#include "screen/index.h"
#include "screen/rescreen.h"
#include "screen/screener.h"
#include "translit/translit.h"

namespace {

constexpr int kEntities = 1000000;

QString BenchFolder() {
    const QString folder = qEnvironmentVariable("VENDRAKE_BENCH_SCREEN");
    return folder.isEmpty() ? QDir::tempPath() + QStringLiteral("/vendrake-screen-bench") : folder;
}

// Words of Cyrillic syllables: about 300,000 of them, so that most names hold a rare
// word and some words are very common, as in real lists.
QString Word(std::uint64_t n) {
    static const char* const syllables[] = {
        "ро",  "ма",   "шка",   "лю",   "тик",  "вер",  "ба",    "сев",    "ер",
        "ин",  "вест", "строй", "торг", "тех",  "пром", "снаб",  "агро",   "нефть",
        "газ", "ком",  "юг",    "щит",  "цвет", "жук",  "ель",   "мир",    "дон",
        "кам", "лес",  "зол",   "рыб",  "хим",  "авто", "транс", "энерго", "маш"};
    constexpr std::uint64_t count = sizeof syllables / sizeof syllables[0];
    QString word;
    const int length = 2 + static_cast<int>(n % 3);
    n /= 3;
    for (int i = 0; i < length; ++i) {
        word += QString::fromUtf8(syllables[n % count]);
        n /= count;
    }
    word[0] = word[0].toUpper();
    return word;
}

// The Cyrillic name of entity i: two or three words, the first often a common one.
QString RussianName(int i) {
    std::mt19937_64 random(static_cast<std::uint64_t>(i) * 2654435761u + 17);
    QString name = Word(random() % (random() % 4 == 0 ? 200 : 300000));
    const int words = 2 + static_cast<int>(random() % 2);
    for (int w = 1; w < words; ++w)
        name += QLatin1Char(' ') + Word(random() % 300000);
    return name;
}

std::string ValidInn(int i) {
    std::string base = std::to_string(770000000 + i % 99999999);
    for (int d = 0; d <= 9; ++d) {
        const std::string inn = base + static_cast<char>('0' + d);
        if (lookup::InnCheckDigitsValid(inn))
            return inn;
    }
    return base + "0";
}

std::string Json(const QString& text) {
    std::string out = "\"";
    for (const char c : text.toStdString()) {
        if (c == '"' || c == '\\')
            out += '\\';
        out += c;
    }
    return out + "\"";
}

// Writes the list once; about 1 KB a line, like the entities of a real export.
QString ListFile() {
    const QString path = BenchFolder() + QStringLiteral("/list-1m.jsonl");
    if (QFileInfo(path).size() > 500000000)
        return path;
    QDir().mkpath(BenchFolder());
    const translit::Translator english = translit::Translator::Open(QStringLiteral("English"));
    const translit::Translator gost = translit::Translator::Open(QStringLiteral("GOST 7.79 B"));
    std::FILE* out = std::fopen((path + QStringLiteral(".part")).toUtf8().constData(), "wb");
    if (out == nullptr)
        return {};
    const std::string notes(520, 'x');
    for (int i = 0; i < kEntities; ++i) {
        const QString russian = RussianName(i);
        const QString latin = english.Convert(russian).text;
        const QString other = gost.Convert(russian).text;
        std::string line = "{\"id\":\"bench-" + std::to_string(i) +
                           "\",\"schema\":\"Company\",\"caption\":" + Json(latin) +
                           ",\"properties\":{\"name\":[" + Json(latin + QStringLiteral(" LLC")) +
                           "],\"alias\":[" + Json(QStringLiteral("OOO ") + other) + "," +
                           Json(russian) + "]";
        if (i % 10 == 0)
            line += ",\"innCode\":[\"" + ValidInn(i) + "\"]";
        line += ",\"country\":[\"ru\"],\"topics\":[\"sanction\"],\"address\":[\"" +
                std::to_string(i % 1000) + " Invented Street, Invented Town\"],\"notes\":[\"" +
                notes + "\"],\"sourceUrl\":[\"https://list.example/entity/" + std::to_string(i) +
                "\"]},\"datasets\":[\"bench\"],\"target\":true,\"first_seen\":\"2024-01-01T00:00:"
                "00\",\"last_seen\":\"2026-12-01T00:00:00\",\"last_change\":\"2025-06-01T00:00:"
                "00\"}\n";
        std::fwrite(line.data(), 1, line.size(), out);
    }
    std::fclose(out);
    QFile::remove(path);
    QFile::rename(path + QStringLiteral(".part"), path);
    return path;
}

std::string IndexPath() {
    return (BenchFolder() + QStringLiteral("/screening.sqlite")).toStdString();
}

void BM_ImportMillion(benchmark::State& state) {
    const QString list = ListFile();
    if (list.isEmpty()) {
        state.SkipWithError("cannot write the list");
        return;
    }
    for (auto _ : state) {
        state.PauseTiming();
        for (const char* suffix : {"", "-wal", "-shm"})
            QFile::remove(QString::fromStdString(IndexPath()) + QLatin1String(suffix));
        state.ResumeTiming();
        screen::Index index;
        const platform::Status opened = index.Open(IndexPath(), screen::Index::Access::ReadWrite);
        if (!opened) {
            state.SkipWithError(opened.error().c_str());
            return;
        }
        const auto imported = index.Import(list.toStdString(), {});
        if (!imported) {
            state.SkipWithError(imported.error().message.c_str());
            return;
        }
        state.counters["entities"] = static_cast<double>(imported->version.entities);
    }
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    state.counters["peak_rss_mib"] = static_cast<double>(usage.ru_maxrss) / 1024;
    state.counters["index_mib"] =
        static_cast<double>(QFileInfo(QString::fromStdString(IndexPath())).size()) / (1 << 20);
}
BENCHMARK(BM_ImportMillion)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();

std::unique_ptr<screen::Screener>& LoadedScreener() {
    static std::unique_ptr<screen::Screener> screener = [] {
        auto loaded = std::make_unique<screen::Screener>();
        const platform::Status done = loaded->Load(IndexPath());
        if (!done) {
            std::fprintf(stderr, "screen_bench: %s\n", done.error().c_str());
            loaded.reset();
        }
        return loaded;
    }();
    return screener;
}

// kind 0: a listed entity's INN; 1: a listed entity's name (Cyrillic, as the register
// writes it); 2: a name that is not listed; 3: INN and name of a listed firm together.
void BM_ScreenFirm(benchmark::State& state) {
    const std::unique_ptr<screen::Screener>& screener = LoadedScreener();
    if (!screener) {
        state.SkipWithError("no index: run BM_ImportMillion first");
        return;
    }
    const int kind = static_cast<int>(state.range(0));
    std::vector<lookup::FirmRecord> firms;
    for (int n = 0; n < 1000; ++n) {
        const int i = (n * 7919) % kEntities / 10 * 10;
        lookup::FirmRecord firm;
        if (kind == 0 || kind == 3)
            firm.inn = ValidInn(i);
        if (kind == 1 || kind == 3)
            firm.name = platform::ToCp1251(QStringLiteral("ООО \"") + RussianName(i) +
                                           QStringLiteral("\""));
        if (kind == 2)
            firm.name =
                platform::ToCp1251(QStringLiteral("ООО \"") + Word(400000 + n) + QLatin1Char(' ') +
                                   Word(500000 + n) + QStringLiteral("\""));
        firms.push_back(firm);
    }
    size_t next = 0;
    std::int64_t matched = 0;
    for (auto _ : state) {
        const platform::Result<std::vector<screen::Match>> matches = screener->Screen(firms[next]);
        if (!matches) {
            state.SkipWithError(matches.error().c_str());
            break;
        }
        matched += matches->empty() ? 0 : 1;
        next = (next + 1) % firms.size();
        benchmark::DoNotOptimize(matches);
    }
    state.counters["matched_share"] =
        static_cast<double>(matched) / static_cast<double>(state.iterations());
}
BENCHMARK(BM_ScreenFirm)
    ->ArgName("kind")
    ->Arg(0)
    ->Arg(1)
    ->Arg(2)
    ->Arg(3)
    ->Unit(benchmark::kMicrosecond);

// The archive rescreen reads: 100,000 checks of ten firms each, 1,000,000 firms in all,
// one in a hundred a listed entity (its INN and its Cyrillic name), the others names no
// list holds. Built once beside the list.
std::string RescreenArchive() {
    const std::string path =
        (BenchFolder() + QStringLiteral("/rescreen-archive.sqlite")).toStdString();
    archive::Archive db;
    const platform::Status opened = db.Open(path, archive::Archive::Access::ReadWrite);
    if (!opened) {
        std::fprintf(stderr, "screen_bench: %s\n", opened.error().c_str());
        return {};
    }
    const platform::Result<archive::ChainHead> head = db.Head();
    if (head && head->records == 100000)
        return path;
    if (head && head->records != 0) {
        std::fprintf(stderr, "screen_bench: %s holds other records; remove it first\n",
                     path.c_str());
        return {};
    }
    std::fprintf(stderr, "building %s ...\n", path.c_str());
    for (int first = 0; first < 100000; first += 1000) {
        std::vector<archive::CheckRecord> batch;
        for (int check = first; check < first + 1000; ++check) {
            archive::CheckRecord record;
            record.checkedAt = "2026-06-01T10:00:00Z";
            record.origin = "batch";
            record.typed = "bench " + std::to_string(check);
            for (int k = 0; k < 10; ++k) {
                const int j = check * 10 + k;
                lookup::FirmRecord firm;
                firm.ogrn = std::to_string(1000000000000LL + j);
                if (j % 100 == 0) {
                    const int listed = (j * 7919) % kEntities / 10 * 10;
                    firm.inn = ValidInn(listed);
                    firm.name = platform::ToCp1251(QStringLiteral("ООО \"") + RussianName(listed) +
                                                   QStringLiteral("\""));
                } else {
                    firm.name = platform::ToCp1251(QStringLiteral("ООО \"") + Word(600000 + j) +
                                                   QLatin1Char(' ') + Word(1700000 + 3 * j) +
                                                   QStringLiteral("\""));
                }
                record.firms.push_back(std::move(firm));
            }
            batch.push_back(std::move(record));
        }
        const platform::Status appended = db.Append(batch);
        if (!appended) {
            std::fprintf(stderr, "screen_bench: %s\n", appended.error().c_str());
            return {};
        }
    }
    return path;
}

// vendrake-screen rescreen of 1,000,000 archived firms against the million-entity list,
// on this many screening threads. Target: < 60 s.
void BM_Rescreen(benchmark::State& state) {
    if (!QFileInfo::exists(QString::fromStdString(IndexPath()))) {
        state.SkipWithError("no index: run BM_ImportMillion first");
        return;
    }
    const std::string path = RescreenArchive();
    if (path.empty()) {
        state.SkipWithError("cannot build the archive");
        return;
    }
    screen::RescreenOptions options;
    options.threads = static_cast<int>(state.range(0));
    screen::RescreenReport report;
    for (auto _ : state) {
        const platform::Status done = screen::Rescreen(
            path, IndexPath(), options, [](const screen::RescreenHit&) { return true; }, &report);
        if (!done) {
            state.SkipWithError(done.error().c_str());
            return;
        }
    }
    state.counters["firms"] = static_cast<double>(report.firms);
    state.counters["listed"] = static_cast<double>(report.listed);
}
BENCHMARK(BM_Rescreen)
    ->ArgName("threads")
    ->Arg(1)
    ->Arg(2)
    ->Iterations(1)
    ->Unit(benchmark::kSecond)
    ->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    // The engine finds the shipped languages through an XDG data folder linked to data/.
    const QString home = BenchFolder() + QStringLiteral("/xdg");
    QDir().mkpath(home);
    QFile::link(QStringLiteral(VENDRAKE_SOURCE_DIR "/data"), home + QStringLiteral("/Quillmarsh"));
    qputenv("XDG_DATA_HOME", home.toUtf8());
    qputenv("XDG_DATA_DIRS", (home + QStringLiteral("/none")).toUtf8());
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
