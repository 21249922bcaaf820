// Rule and dictionary files that are damaged, odd or huge: each loads as far as it can,
// converts in bounded time and memory, or fails with the engine's message.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <random>

#include "support/rule_files.h"
#include "translit/rule_tables.h"

namespace translit {
namespace {

using translit_test::RuleFileBytes;
using translit_test::SharedRoot;
using translit_test::WriteBytes;

QString Repeated(const QString& piece, int times) {
    QString text;
    text.reserve(piece.size() * times);
    for (int i = 0; i < times; ++i)
        text += piece;
    return text;
}

class BadFiles : public ::testing::Test {
  protected:
    // The conversion's result, or "old" when it failed; failures go to messages_.
    QString Convert(const QString& text) {
        const platform::Result<QString, QString> converted =
            Transliterate(text, QStringLiteral("B"));
        if (!converted) {
            messages_ << converted.error();
            return QStringLiteral("old");
        }
        return *converted;
    }
    void TranslateB(const QString& text, QStringList* lines, QString& result) {
        const Outcome out = TranslateByDictionary(text, QStringLiteral("B"), lines);
        result = out.text;
        if (!out.ok())
            messages_ << out.error;
    }

    SharedRoot root_;
    QStringList messages_;
};

TEST_F(BadFiles, EmptyOneByteAndOddLengthFilesKeepTheirWholeLines) {
    root_.WriteTable(QStringLiteral("B"), QByteArray());
    root_.WriteExceptions(QStringLiteral("B"), QByteArray("\x41", 1));
    EXPECT_EQ(Convert(QStringLiteral("Щука 1!")), "Щука 1!");

    // A last odd byte, or half a CR LF, ends no line.
    root_.WriteTable(QStringLiteral("B"), RuleFileBytes({"а|a", "у|u"}) + QByteArray("\0", 1));
    root_.WriteExceptions(QStringLiteral("B"),
                          RuleFileBytes({"Точная замена |к|K|"}) + QByteArray("\r\0\n", 3));
    EXPECT_EQ(Convert(QStringLiteral("Щука")), "ЩuKa");
    root_.WriteExceptions(QStringLiteral("B"), QByteArray("\r\0\n", 3));
    EXPECT_EQ(Convert(QStringLiteral("Щука")), "Щuкa");
    EXPECT_TRUE(messages_.isEmpty());
}

TEST_F(BadFiles, ByteOrderMarkSpoilsOnlyTheFirstRule) {
    root_.WriteTable(QStringLiteral("B"), RuleFileBytes({"а|a", "у|u"}));
    root_.WriteExceptions(
        QStringLiteral("B"),
        RuleFileBytes({"Точная замена |а|X|", "Точная замена |у|Y|"}, true, true));
    EXPECT_EQ(Convert(QStringLiteral("уа")), "Ya");
    EXPECT_TRUE(messages_.isEmpty());
}

TEST_F(BadFiles, HundredThousandRulesAndTableEntries) {
    // Every pattern and source starts with the same letter, so no grouping by first
    // letter helps: each position walks all of them.
    static const char* const kForms[] = {
        "Отдельно стоящее |а%1|Q|",
        "Точная замена |а%1|Q|",
        "Если между |б,в-г| стоит |а%1| меняем на |Q|",
        "В начале |а%1| и после стоит |б| меняем на |Q|",
        "В начале |а%1|Q|",
        "В середине |а%1|Q|",
        "В конце |а%1| и перед стоит |б| меняем на |Q|",
        "В конце |а%1|Q|",
        "Если после |а%1| стоит |б,в| меняем на |Q|",
        "Если перед |а%1| стоит |б| меняем на |Q|",
    };
    QStringList rules;
    QStringList table;
    for (int i = 0; i < 100000; ++i) {
        rules << QString::fromUtf8(kForms[i % 10]).arg(i);
        table << QStringLiteral("а%1|Q").arg(i);
    }
    rules << QStringLiteral("Если после |а| стоит |б| меняем на |z|");
    table << QStringLiteral("а|a") << QStringLiteral("б|b");
    root_.WriteLanguage(QStringLiteral("B"), table, rules);

    EXPECT_EQ(Convert(QStringLiteral("Аб ба аа")), "Zb ba aa");
    EXPECT_TRUE(messages_.isEmpty());
    EXPECT_EQ(ParseExceptionRules(rules).size(), 100000u + 10000u * 2 + 1);
}

TEST_F(BadFiles, MegabyteLines) {
    constexpr int kUnits = 512 * 1024;  // one megabyte of UTF-16
    const QString longTarget = Repeated(QStringLiteral("x"), kUnits);
    const QString neighbours = Repeated(QStringLiteral("г,"), kUnits / 2 - 2) + "д";
    const QString contexts = Repeated(QStringLiteral("г,"), kUnits / 4) + "е";
    const QStringList rules = {
        "Точная замена |" + Repeated(QStringLiteral("в"), kUnits) + "|never|",
        "Если после |в| стоит |" + neighbours + "| меняем на |V|",
        // Expanded pair by pair, these contexts would make 17 thousand million rules.
        "Если между |" + contexts + "-" + contexts + "| стоит |ж| меняем на |W|",
        // Without its CR LF this last line is not read at all.
        "Точная замена |д|" + longTarget};
    root_.WriteExceptions(QStringLiteral("B"), RuleFileBytes(rules, false));
    root_.WriteTable(
        QStringLiteral("B"),
        RuleFileBytes({"а|" + longTarget, Repeated(QStringLiteral("б"), kUnits) + "|"}));

    EXPECT_EQ(Convert(QStringLiteral("вд вг еже гжг бб")), "Vд Vг еWе гWг бб");
    const QString twice = Convert(QStringLiteral("аа"));
    EXPECT_EQ(twice.size(), 2 * kUnits);
    EXPECT_EQ(twice.front(), 'x');
    EXPECT_TRUE(messages_.isEmpty());

    // The public loader expands lists, and refuses an expansion beyond its limit.
    EXPECT_THROW(ParseExceptionRules(rules), RuleFileError);
    EXPECT_THROW(ParseExceptionRules({rules[1], rules[1], rules[1], rules[1]}), RuleFileError);
}

TEST_F(BadFiles, ResultsAndFilesBeyondTheLimitsFail) {
    // Forty letters each turned into a megabyte would be 40 MB of text.
    root_.WriteLanguage(QStringLiteral("B"), {"а|" + Repeated(QStringLiteral("x"), 512 * 1024)},
                        {});
    EXPECT_EQ(Convert(Repeated(QStringLiteral("а"), 40)), "old");
    EXPECT_EQ(messages_,
              QStringList({"Language \"B\": the converted text would be longer than 16777216 "
                           "characters"}));

    QByteArray huge(kMaxRuleFileBytes + 2, 'a');
    root_.WriteTable(QStringLiteral("B"), huge);
    EXPECT_EQ(Convert(QStringLiteral("а")), "old");
    EXPECT_EQ(messages_.size(), 2);
    WriteBytes(root_.DictionaryDir() + QStringLiteral("huge.txt"), huge);
    EXPECT_THROW(LoadDictionaryLines(root_.DictionaryDir() + QStringLiteral("huge.txt")),
                 RuleFileError);
}

TEST_F(BadFiles, PipesAndFoldersInPlaceOfRuleFilesFailAtOnce) {
    // A named pipe would block a reader until some writer opened it.
    root_.WriteTable(QStringLiteral("B"), RuleFileBytes({"а|a"}));
    const QString pipe = root_.TransliterationDir() + QStringLiteral("B/exception.dat");
    ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    EXPECT_EQ(Convert(QStringLiteral("а")), "old");
    QDir().mkpath(root_.DictionaryDir() + QStringLiteral("folder.txt"));
    translit_test::AfterEdit();
    EXPECT_THROW(LoadDictionaryLines(root_.DictionaryDir() + QStringLiteral("folder.txt")),
                 RuleFileError);
    EXPECT_THROW(LoadDictionaryLines(pipe), RuleFileError);
    EXPECT_EQ(messages_.size(), 1);
}

TEST_F(BadFiles, HundredThousandLineDictionary) {
    root_.WriteLanguage(QStringLiteral("B"), {"и|i", "ы|y"}, {});
    QByteArray bytes = "\xEF\xBB\xBF";
    for (int i = 0; i < 100000; ++i) {
        if (i % 1000 == 999)
            bytes += "строка без разделителя\r\n";
        else
            bytes += QStringLiteral("слово%1 ; word%1\n").arg(i).toUtf8();
    }
    bytes += "  кот ; dog \t";
    root_.WriteDictionary(QStringLiteral("Big"), bytes);

    QStringList lines = LoadDictionaryLines(root_.DictionaryDir() + QStringLiteral("Big.txt"));
    ASSERT_EQ(lines.size(), 100001);
    QString result;
    TranslateB(QStringLiteral("Кот и СЛОВО7 ы"), &lines, result);
    EXPECT_EQ(result, "dog i word7 y");
    EXPECT_EQ(lines.first(), "слово0 ; word0");
    EXPECT_EQ(lines.last(), "кот ; dog");
    EXPECT_TRUE(messages_.isEmpty());
}

TEST_F(BadFiles, SelfFeedingDictionaryStopsAtTheLimit) {
    // Each pair multiplies every "а" by a thousand: 1, 10^3, 10^6, then 10^9 letters.
    root_.WriteLanguage(QStringLiteral("B"), {"а|a"}, {});
    const QString line = "а;" + Repeated(QStringLiteral("а"), 1000);
    QStringList lines = {line, line, line, line};
    QString result;
    TranslateB(QStringLiteral("а"), &lines, result);
    EXPECT_EQ(result, Repeated(QStringLiteral("а"), 1000000));
    EXPECT_EQ(messages_, QStringList({"The dictionary's replacements would make the text longer "
                                      "than 16777216 characters"}));
}

TEST_F(BadFiles, ListRulesConvertAsTheirExpansion) {
    // Transliterate tests neighbour and context lists in place; Convert walks the
    // expanded rules one by one. Both must agree on random lists, empty elements included.
    std::mt19937 random(1209);
    auto below = [&](int n) { return std::uniform_int_distribution<int>(0, n - 1)(random); };
    auto word = [&](int maxLength) {
        QString w;
        for (int i = below(maxLength + 1); i > 0; --i)
            w += QChar(u"аб в"[below(4)]);
        return w;
    };
    auto list = [&] {
        QStringList elements;
        for (int i = below(4) + 1; i > 0; --i)
            elements << word(2);
        return elements.join(',');
    };
    const QStringList table = {"а|a", "б|b", "в|v"};
    for (int set = 0; set < 300; ++set) {
        QStringList rules;
        for (int i = below(5) + 1; i > 0; --i) {
            const QString x = word(2);
            switch (below(4)) {
                case 0:
                    rules << "Если между |" + list() + (below(3) ? "-" : "") + list() +
                                 "| стоит |" + x + "| меняем на |1|";
                    break;
                case 1:
                    rules << "Если после |" + x + "| стоит |" + list() + "| меняем на |2|";
                    break;
                case 2:
                    rules << "В начале |" + x + "| и после стоит |" + list() + "| меняем на |3|";
                    break;
                default:
                    rules << "В конце |" + x + "| и перед стоит |" + list() + "| меняем на |4|";
                    break;
            }
        }
        root_.WriteLanguage(QStringLiteral("B"), table, rules);
        const LetterTable letters = ParseLetterTable(table);
        const ExceptionRules expanded = ParseExceptionRules(rules);
        for (int t = 0; t < 10; ++t) {
            const QString text = word(12);
            ASSERT_EQ(Convert(text), translit::Convert(text, letters, expanded))
                << text.toStdString() << "\n"
                << rules.join('\n').toStdString();
        }
    }
    EXPECT_TRUE(messages_.isEmpty());
}

}  // namespace
}  // namespace translit
