// Re-translation of the right results pane as a double-click does it: a left tree of
// 2,000 or 10,000 nodes copied into the right tree, every node through the dictionary
// pass and the transliteration, and the ten captions transliterated. Goal: under 50 ms
// of CPU for 10,000 nodes with the shipped English language and dictionary.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QIcon>
#include <QPixmap>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>
#include <string>

#include "translit/translit.h"
#include "window/translated_pane.h"

namespace {

int g_failures = 0;

void WriteUtf16Lines(const QString& path, const QStringList& lines) {
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly)) {
        return;
    }
    for (const QString& line : lines) {
        const QString text = line + QStringLiteral("\r\n");
        for (QChar c : text) {
            const char16_t u = c.unicode();
            const char bytes[2] = {static_cast<char>(u & 0xFF), static_cast<char>(u >> 8)};
            f.write(bytes, 2);
        }
    }
}

// About 40 table entries and 30 context rules of every kind.
void WriteTestLanguage(const QString& root) {
    QStringList table;
    const char* const letters[] = {
        "а|a", "б|b",  "в|v",  "г|g",  "д|d",   "е|e",   "ё|yo",   "ж|zh",  "з|z",  "и|i",
        "й|y", "к|k",  "л|l",  "м|m",  "н|n",   "о|o",   "п|p",    "р|r",   "с|s",  "т|t",
        "у|u", "ф|f",  "х|kh", "ц|ts", "ч|ch",  "ш|sh",  "щ|shch", "ъ|",    "ы|y",  "ь|'",
        "э|e", "ю|yu", "я|ya", "кс|x", "ий|iy", "ый|yy", "ья|ia",  "ье|ie", "«|\"", "»|\""};
    for (const char* l : letters) {
        table << QString::fromUtf8(l);
    }
    QStringList rules;
    const char* const lines[] = {
        "Отдельно стоящее |и|and|",
        "Отдельно стоящее |в|in|",
        "Точная замена |ооо|LLC|",
        "Точная замена |зао|CJSC|",
        "Точная замена |оао|OJSC|",
        "Точная замена |пао|PJSC|",
        "В начале |е|ye|",
        "В начале |ю|yu|",
        "В начале |я|ya|",
        "В начале |ё|yo|",
        "В середине |ъе|ye|",
        "В середине |ьо|yo|",
        "В конце |ий|iy|",
        "В конце |ый|y|",
        "В конце |ая|aya|",
        "В начале |е| и после стоит |а,о,у| меняем на |ye|",
        "В конце |й| и перед стоит |а,о,у| меняем на |y|",
        "Если после |е| стоит |а,о| меняем на |ye|",
        "Если после |к| стоит |с| меняем на |k|",
        "Если перед |е| стоит |ь,ъ| меняем на |ye|",
        "Если перед |и| стоит |ь| меняем на |yi|",
        "Если между |а,о-и| стоит |й| меняем на |y|",
        "Если между |у-е| стоит |ж| меняем на |zh|",
    };
    for (const char* l : lines) {
        rules << QString::fromUtf8(l);
    }
    WriteUtf16Lines(root + QStringLiteral("Transliteration/Bench/Bench.dat"), table);
    WriteUtf16Lines(root + QStringLiteral("Transliteration/Bench/exception.dat"), rules);

    QStringList pairs;
    pairs << QStringLiteral("общество;company") << QStringLiteral("ограниченной;limited")
          << QStringLiteral("ответственностью;liability") << QStringLiteral("ромашка;Daisy");
    for (int i = pairs.size(); i < 100; ++i) {
        pairs << QStringLiteral("слово%1;word%1").arg(i);
    }
    QFile dict(root + QStringLiteral("Dictionaries/Bench.txt"));
    QDir().mkpath(QFileInfo(dict).path());
    if (dict.open(QIODevice::WriteOnly)) {
        dict.write(pairs.join(QStringLiteral("\r\n")).toUtf8());
    }
}

// The shipped languages and dictionaries, when the source tree has them.
void CopyShippedData(const QString& root) {
    const QString source = QStringLiteral(VENDRAKE_SOURCE_DIR "/data/");
    for (const QString& sub : {QStringLiteral("Transliteration"), QStringLiteral("Dictionaries")}) {
        QDirIterator it(source + sub, QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString from = it.next();
            const QString to = root + sub + from.mid(source.size() + sub.size());
            QDir().mkpath(QFileInfo(to).path());
            QFile::copy(from, to);
        }
    }
}

struct Pane {
    QTreeWidget leftTree, rightTree, leftList, rightList;
    QIcon icon;

    explicit Pane(int queries = 20) {
        QPixmap pixmap(16, 16);
        pixmap.fill(Qt::blue);
        icon = QIcon(pixmap);
        for (int q = 0; q < queries; ++q) {
            auto* query = new QTreeWidgetItem(QStringList{
                QStringLiteral("Search for entered data... Название: ромашка %1, records found: 99")
                    .arg(q)});
            leftTree.addTopLevelItem(query);
            for (int f = 0; f < 99; ++f) {
                query->addChild(new QTreeWidgetItem(QStringList{
                    QStringLiteral("ОБЩЕСТВО С ОГРАНИЧЕННОЙ ОТВЕТСТВЕННОСТЬЮ «РОМАШКА-%1» "
                                   "Южный филиал слово%2")
                        .arg(q * 100 + f)
                        .arg(f)}));
            }
        }
        const char* const captions[] = {"Название",     "Адрес", "ОГРН",        "ГРН",
                                        "ИНН",          "КПП",   "Дата записи", "Рег. орган",
                                        "Адрес органа", "Регион"};
        for (const char* c : captions) {
            leftList.addTopLevelItem(new QTreeWidgetItem(QStringList{QString::fromUtf8(c), {}}));
            rightList.addTopLevelItem(new QTreeWidgetItem(QStringList{QString::fromUtf8(c), {}}));
        }
    }
};

// queries query nodes of 99 firms each: 20 give 2,000 nodes, 100 give 10,000.
void Retranslate(benchmark::State& state, const QString& language, const QString& dictionary,
                 int queries = 20) {
    Pane pane(queries);
    g_failures = 0;
    for (auto _ : state) {
        if (!window::RetranslatePane(pane.leftTree, pane.rightTree, pane.leftList, pane.rightList,
                                     language, dictionary, pane.icon)
                 .isEmpty()) {
            ++g_failures;
        }
    }
    state.counters["nodes"] = pane.rightTree.topLevelItemCount() * 100;
    state.counters["failures"] = g_failures;
}

// The same work through the per-call entry points (each node looks the language up
// again and passes the dictionary's lines), for comparison in the same run.
void RetranslatePerCall(benchmark::State& state, const QString& language, const QString& dictionary,
                        int queries) {
    Pane pane(queries);
    for (auto _ : state) {
        QStringList lines =
            translit::LoadDictionaryLines(translit::GetDictionaryDir() + dictionary + ".txt");
        window::LoadTreeTransfer(pane.rightTree, window::SerializeTree(pane.leftTree), pane.icon);
        for (QTreeWidgetItemIterator it(&pane.rightTree); *it; ++it) {
            QString result;
            translit::TranslateByDictionary((*it)->text(0), language, &lines, result);
            (*it)->setText(0, result);
        }
        for (int i = 0; i < pane.leftList.topLevelItemCount(); ++i) {
            QString result;
            translit::Transliterate(pane.leftList.topLevelItem(i)->text(0), language, result);
            pane.rightList.topLevelItem(i)->setText(0, result);
        }
    }
    state.counters["nodes"] = pane.rightTree.topLevelItemCount() * 100;
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    QTemporaryDir data;
    qputenv("XDG_DATA_HOME", data.path().toLocal8Bit());
    const QString root = data.path() + QStringLiteral("/Quillmarsh/");
    WriteTestLanguage(root);
    CopyShippedData(root);

    benchmark::RegisterBenchmark("Retranslate/BenchLanguage/Dictionary100", [](auto& state) {
        Retranslate(state, QStringLiteral("Bench"), QStringLiteral("Bench"));
    })->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("Retranslate/BenchLanguage/NoDictionary", [](auto& state) {
        Retranslate(state, QStringLiteral("Bench"), QString());
    })->Unit(benchmark::kMillisecond);
    // The copy from the left tree to the right one alone, without the engine.
    benchmark::RegisterBenchmark("TreeTransfer", [](auto& state) {
        Pane pane;
        for (auto _ : state) {
            window::LoadTreeTransfer(pane.rightTree, window::SerializeTree(pane.leftTree),
                                     pane.icon);
        }
    })->Unit(benchmark::kMillisecond);
    if (QFileInfo::exists(root + QStringLiteral("Transliteration/English/English.dat"))) {
        const bool dict = QFileInfo::exists(root + QStringLiteral("Dictionaries/English.txt"));
        for (const int queries : {20, 100}) {
            const std::string name =
                "Retranslate/ShippedEnglish/Nodes" + std::to_string(queries * 100);
            benchmark::RegisterBenchmark(name.c_str(), [dict, queries](auto& state) {
                Retranslate(state, QStringLiteral("English"),
                            dict ? QStringLiteral("English") : QString(), queries);
            })->Unit(benchmark::kMillisecond);
        }
        if (dict) {
            benchmark::RegisterBenchmark("Retranslate/ShippedEnglish/Nodes10000/PerCallEntryPoints",
                                         [](auto& state) {
                                             RetranslatePerCall(state, QStringLiteral("English"),
                                                                QStringLiteral("English"), 100);
                                         })
                ->Unit(benchmark::kMillisecond);
        }
    }

    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
