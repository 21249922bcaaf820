// Speed of the transliteration engine: a whole call on one register field (the files'
// check included) next to ICU's Russian-Latin/BGN transliterator on the same field, the
// dictionary pass, re-translation of a results tree's worth of nodes, and the conversion
// alone over megabytes of register-like text next to ICU on the same text.
#include <benchmark/benchmark.h>
#include <unicode/translit.h>
#include <unicode/unistr.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtEndian>
#include <cstdio>
#include <map>
#include <memory>
#include <random>
#include <vector>

#include "translit/rule_tables.h"

namespace {

// 33 letters and 7 letter pairs.
const QStringList kTable = {
    "а|a", "б|b",  "в|v",  "г|g",  "д|d",   "е|e",   "ё|yo",   "ж|zh",  "з|z",   "и|i",
    "й|y", "к|k",  "л|l",  "м|m",  "н|n",   "о|o",   "п|p",    "р|r",   "с|s",   "т|t",
    "у|u", "ф|f",  "х|kh", "ц|ts", "ч|ch",  "ш|sh",  "щ|shch", "ъ|",    "ы|y",   "ь|",
    "э|e", "ю|yu", "я|ya", "кс|x", "ье|ye", "ъе|ye", "ия|iya", "ый|yy", "ий|iy", "ая|aya"};

const QStringList kRules = {"Отдельно стоящее |и|and|",
                            "Отдельно стоящее |в|in|",
                            "Отдельно стоящее |по|for|",
                            "Точная замена |ооо|LLC|",
                            "Точная замена |зао|CJSC|",
                            "Точная замена |оао|OJSC|",
                            "В начале |е|ye|",
                            "В начале |ё|yo|",
                            "В начале |э|e|",
                            "В середине |ъ||",
                            "В середине |ь||",
                            "В конце |ий|iy|",
                            "В конце |ый|y|",
                            "В конце |ая|aya|",
                            "В начале |ю| и после стоит |р,л| меняем на |yu|",
                            "В конце |е| и перед стоит |и,ы| меняем на |e|",
                            "Если после |е| стоит |а,о,у| меняем на |ye|",
                            "Если перед |е| стоит |а,е,и,о,у,ы,э,ю,я| меняем на |ye|",
                            "Если перед |е| стоит |ь,ъ| меняем на |ye|",
                            "Если перед |ё| стоит |а,е,и,о,у| меняем на |yo|",
                            "Если между |а,о-и,у| стоит |й| меняем на |y|",
                            "Если между |и-а,о| стоит |й| меняем на |y|",
                            "Если после |кс| стоит |а,е| меняем на |x|",
                            "Если перед |я| стоит |а,е,и,о,у| меняем на |ya|",
                            "Если перед |ю| стоит |а,е,и,о,у| меняем на |yu|",
                            "Точная замена |ул.|st.|",
                            "Точная замена |д.|bld.|",
                            "Точная замена |г.|c.|",
                            "Точная замена |№|No.|",
                            "Точная замена |обл.|reg.|"};

const QStringList kPhrases = {
    "ОБЩЕСТВО С ОГРАНИЧЕННОЙ ОТВЕТСТВЕННОСТЬЮ \"РОМАШКА-ЮГ\"",
    "Закрытое акционерное общество \"Северный ветер\"",
    "г. Москва, ул. Большая Якиманка, д. 24, стр. 3",
    "Межрайонная инспекция Федеральной налоговой службы № 46 по г. Москве",
    "125373, г. Москва, Походный проезд, домовладение 3, стр. 2",
    "Московская обл., г. Подольск, ул. Ленина, д. 107/49, оф. 15",
    "ИНН 7707083893 КПП 773601001 ОГРН 1027700132195",
    "Дата внесения записи: 16.08.2002",
    "Республика Татарстан, г. Казань, ул. Баумана, д. 44",
    "Индивидуальный предприниматель Ёлкин Юрий Евгеньевич"};

QByteArray Utf16Le(const QStringList& lines) {
    const QString text = lines.join("\r\n") + "\r\n";
    QByteArray bytes(text.size() * 2, '\0');
    for (qsizetype i = 0; i < text.size(); ++i)
        qToLittleEndian<quint16>(text.at(i).unicode(), bytes.data() + 2 * i);
    return bytes;
}

void WriteFile(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(path.left(path.lastIndexOf('/')));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        std::abort();
    file.write(bytes);
}

// Register-like text of the given number of characters.
QString RegisterText(qsizetype size) {
    std::mt19937 random(46);
    QString text;
    text.reserve(size + 100);
    while (text.size() < size) {
        text += kPhrases[std::uniform_int_distribution<int>(0, int(kPhrases.size()) - 1)(random)];
        text += ' ';
    }
    text.truncate(size);
    return text;
}

const QString& TextOf(int64_t size) {
    static std::map<int64_t, QString> texts;
    auto it = texts.find(size);
    if (it == texts.end())
        it = texts.emplace(size, RegisterText(size)).first;
    return it->second;
}

void BM_TransliterateField(benchmark::State& state) {
    QTemporaryDir root;
    qputenv("XDG_DATA_HOME", root.path().toUtf8());
    qputenv("XDG_DATA_DIRS", (root.path() + "/none").toUtf8());
    const QString folder = root.path() + "/Quillmarsh/Transliteration/Bench/";
    WriteFile(folder + "Bench.dat", Utf16Le(kTable));
    WriteFile(folder + "exception.dat", Utf16Le(kRules));
    const QString field = QString(kPhrases[0] + " и " + kPhrases[2]).left(60);

    for (auto _ : state) {
        platform::Result<QString, QString> result = translit::Transliterate(field, "Bench");
        if (!result)
            state.SkipWithError("failed");
        benchmark::DoNotOptimize(result);
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_TransliterateField)->Unit(benchmark::kMicrosecond);

// The window's per-field call, through the outcome entry point.
void BM_ConvertTextField(benchmark::State& state) {
    QTemporaryDir root;
    qputenv("XDG_DATA_HOME", root.path().toUtf8());
    qputenv("XDG_DATA_DIRS", (root.path() + "/none").toUtf8());
    const QString folder = root.path() + "/Quillmarsh/Transliteration/Bench/";
    WriteFile(folder + "Bench.dat", Utf16Le(kTable));
    WriteFile(folder + "exception.dat", Utf16Le(kRules));
    const QString field = QString(kPhrases[0] + " и " + kPhrases[2]).left(60);
    for (auto _ : state) {
        translit::Outcome outcome = translit::ConvertText(field, "Bench");
        if (!outcome.ok())
            state.SkipWithError("failed");
        benchmark::DoNotOptimize(outcome);
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_ConvertTextField)->Unit(benchmark::kMicrosecond);

void BM_IcuField(benchmark::State& state) {
    const QString field = QString(kPhrases[0] + " и " + kPhrases[2]).left(60);
    UErrorCode status = U_ZERO_ERROR;
    std::unique_ptr<icu::Transliterator> icu(
        icu::Transliterator::createInstance("Russian-Latin/BGN", UTRANS_FORWARD, status));
    if (U_FAILURE(status) || !icu) {
        state.SkipWithError("Russian-Latin/BGN not available");
        return;
    }
    const icu::UnicodeString source(reinterpret_cast<const UChar*>(field.utf16()),
                                    static_cast<int32_t>(field.size()));
    for (auto _ : state) {
        icu::UnicodeString work(source);
        icu->transliterate(work);
        benchmark::DoNotOptimize(work);
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_IcuField)->Unit(benchmark::kMicrosecond);

// The shipped English language and dictionary, found through a shared data folder whose
// roots are links to the source tree's data.
class ShippedData {
  public:
    ShippedData() {
        qputenv("XDG_DATA_HOME", root_.path().toUtf8());
        qputenv("XDG_DATA_DIRS", (root_.path() + "/none").toUtf8());
        QDir().mkpath(root_.path() + "/Quillmarsh");
        QFile::link(VENDRAKE_SOURCE_DIR "/data/Transliteration",
                    root_.path() + "/Quillmarsh/Transliteration");
        QFile::link(VENDRAKE_SOURCE_DIR "/data/Dictionaries",
                    root_.path() + "/Quillmarsh/Dictionaries");
    }

  private:
    QTemporaryDir root_;
};

// Register fields as a results tree holds them: names, addresses, dates, numbers.
std::vector<QString> Nodes(int64_t count) {
    std::vector<QString> nodes;
    for (int64_t i = 0; i < count; ++i)
        nodes.push_back(kPhrases[size_t(i) % size_t(kPhrases.size())]);
    return nodes;
}

void BM_DictionaryPassField(benchmark::State& state) {
    ShippedData data;
    // Without a language the translator stops after the dictionary pass.
    const translit::Translator translator = translit::Translator::Open("", "English");
    const QString field = kPhrases[0];
    for (auto _ : state)
        benchmark::DoNotOptimize(translator.Translate(field));
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_DictionaryPassField)->Unit(benchmark::kMicrosecond);

// One re-translation of a results pane: the language and dictionary opened once for the
// operation, then every node through the dictionary pass and the conversion.
void BM_RetranslateNodes(benchmark::State& state) {
    ShippedData data;
    const std::vector<QString> nodes = Nodes(state.range(0));
    for (auto _ : state) {
        const translit::Translator translator = translit::Translator::Open("English", "English");
        if (!translator.Error().isEmpty())
            state.SkipWithError("English not found");
        for (const QString& node : nodes)
            benchmark::DoNotOptimize(translator.Translate(node));
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_RetranslateNodes)->Arg(2000)->Arg(10000)->Unit(benchmark::kMillisecond);

// The same through the per-call entry point: the files checked again for every node.
void BM_RetranslateNodesPerCall(benchmark::State& state) {
    ShippedData data;
    const std::vector<QString> nodes = Nodes(state.range(0));
    for (auto _ : state) {
        for (const QString& node : nodes)
            benchmark::DoNotOptimize(translit::TranslateText(node, "English", "English"));
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_RetranslateNodesPerCall)->Arg(2000)->Arg(10000)->Unit(benchmark::kMillisecond);

void BM_Convert(benchmark::State& state) {
    const QString& text = TextOf(state.range(0));
    const translit::LetterTable table = translit::ParseLetterTable(kTable);
    const translit::ExceptionRules rules = translit::ParseExceptionRules(kRules);
    for (auto _ : state)
        benchmark::DoNotOptimize(translit::Convert(text, table, rules));
    state.SetItemsProcessed(state.iterations() * text.size());
}
BENCHMARK(BM_Convert)->Arg(1 << 20)->Arg(2 << 20)->Unit(benchmark::kMillisecond);

void BM_IcuRussianLatinBgn(benchmark::State& state) {
    const QString& text = TextOf(state.range(0));
    UErrorCode status = U_ZERO_ERROR;
    std::unique_ptr<icu::Transliterator> icu(
        icu::Transliterator::createInstance("Russian-Latin/BGN", UTRANS_FORWARD, status));
    if (U_FAILURE(status) || !icu) {
        state.SkipWithError("Russian-Latin/BGN not available");
        return;
    }
    const icu::UnicodeString source(reinterpret_cast<const UChar*>(text.utf16()),
                                    static_cast<int32_t>(text.size()));
    for (auto _ : state) {
        icu::UnicodeString work(source);
        icu->transliterate(work);
        benchmark::DoNotOptimize(work);
    }
    state.SetItemsProcessed(state.iterations() * text.size());
}
BENCHMARK(BM_IcuRussianLatinBgn)->Arg(1 << 20)->Arg(2 << 20)->Unit(benchmark::kMillisecond);

// ICU slows down on one long string (every replacement moves the rest of it), so the
// same text is also given to it in pieces of about one register field each.
void BM_IcuRussianLatinBgnByField(benchmark::State& state) {
    const QString& text = TextOf(state.range(0));
    UErrorCode status = U_ZERO_ERROR;
    std::unique_ptr<icu::Transliterator> icu(
        icu::Transliterator::createInstance("Russian-Latin/BGN", UTRANS_FORWARD, status));
    if (U_FAILURE(status) || !icu) {
        state.SkipWithError("Russian-Latin/BGN not available");
        return;
    }
    std::vector<icu::UnicodeString> pieces;
    for (qsizetype start = 0; start < text.size();) {
        qsizetype end = text.indexOf(' ', std::min(start + 60, text.size()));
        if (end < 0)
            end = text.size();
        pieces.emplace_back(reinterpret_cast<const UChar*>(text.utf16()) + start,
                            static_cast<int32_t>(end - start));
        start = end;
    }
    for (auto _ : state) {
        for (const icu::UnicodeString& piece : pieces) {
            icu::UnicodeString work(piece);
            icu->transliterate(work);
            benchmark::DoNotOptimize(work);
        }
    }
    state.SetItemsProcessed(state.iterations() * text.size());
}
BENCHMARK(BM_IcuRussianLatinBgnByField)->Arg(1 << 20)->Arg(2 << 20)->Unit(benchmark::kMillisecond);

// The console report, followed by the engine's throughput as a multiple of ICU's.
class RatioReporter : public benchmark::ConsoleReporter {
  public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            const auto it = run.counters.find("items_per_second");
            if (it != run.counters.end())
                rates_[run.benchmark_name()] = it->second.value;
        }
        ConsoleReporter::ReportRuns(runs);
    }
    void Finalize() override {
        ConsoleReporter::Finalize();
        for (const char* size : {"1048576", "2097152"}) {
            const std::string ours = std::string("BM_Convert/") + size;
            for (const char* icu : {"BM_IcuRussianLatinBgn/", "BM_IcuRussianLatinBgnByField/"}) {
                const std::string theirs = std::string(icu) + size;
                if (rates_.count(ours) && rates_.count(theirs) && rates_[theirs] > 0) {
                    std::printf("Convert / %s: %.2fx\n", theirs.c_str(),
                                rates_[ours] / rates_[theirs]);
                }
            }
        }
    }

  private:
    std::map<std::string, double> rates_;
};

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
