// The indexed conversion against the plain list walk, on many random rule sets and
// texts over a small alphabet so that rules fire often.
#include <gtest/gtest.h>

#include <random>

#include "support/reference_convert.h"
#include "support/reference_dictionary.h"
#include "support/rule_files.h"
#include "translit/dictionary.h"
#include "translit/rule_tables.h"

namespace translit {
namespace {

class RandomRules {
  public:
    explicit RandomRules(unsigned seed) : random_(seed) {}

    QString Text(int maxLength) {
        static const char16_t kLetters[] = u"абв ААБ x";
        return Word(kLetters, maxLength);
    }
    // Lower-case letters and the space mostly; now and then a capital that never matches.
    QString Pattern(int maxLength) {
        static const char16_t kLetters[] = u"абввб  аБ";
        return Word(kLetters, maxLength);
    }
    QString Replacement() {
        static const char16_t* const kReplacements[] = {u"", u" ", u"q", u"Zz", u"ß", u"  "};
        return QString::fromUtf16(kReplacements[Below(6)]);
    }

    LetterTable Table() {
        LetterTable table;
        const int n = Below(7);
        for (int i = 0; i < n; ++i)
            table.push_back({Pattern(3), Replacement()});
        if (Below(2)) {
            // Most tables come sorted as the loader leaves them; the rest test the order.
            std::stable_sort(table.begin(), table.end(), [](const auto& a, const auto& b) {
                return a.source.size() > b.source.size();
            });
        }
        return table;
    }

    // Up to maxCount rules with patterns of up to maxPattern characters.
    ExceptionRules Rules(int maxCount = 8, int maxPattern = 2) {
        ExceptionRules rules;
        const int n = Below(maxCount + 1);
        for (int i = 0; i < n; ++i) {
            ExceptionRule r;
            r.kind = static_cast<RuleKind>(Below(11));
            r.x = Pattern(maxPattern);
            r.y = Replacement();
            r.e = Pattern(2);
            r.left = Pattern(2);
            r.right = Pattern(2);
            rules.push_back(r);
        }
        return rules;
    }

  private:
    int Below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random_); }
    QString Word(const char16_t* letters, int maxLength) {
        const int count = static_cast<int>(std::char_traits<char16_t>::length(letters));
        QString word;
        for (int i = Below(maxLength + 1); i > 0; --i)
            word += QChar(letters[Below(count)]);
        return word;
    }

    std::mt19937 random_;
};

TEST(DifferentialConversion, IndexedConversionAgreesWithPlainListWalk) {
    RandomRules random(20261209);
    int compared = 0;
    for (int set = 0; set < 3000; ++set) {
        const LetterTable table = random.Table();
        const ExceptionRules rules = random.Rules();
        for (int t = 0; t < 10; ++t) {
            const QString text = random.Text(14);
            const QString expected = translit_test::ReferenceConvert(text, table, rules);
            ASSERT_EQ(Convert(text, table, rules), expected)
                << "set " << set << " text \"" << text.toStdString() << "\"";
            ++compared;
        }
    }
    EXPECT_EQ(compared, 30000);
}

TEST(DifferentialConversion, ManyRulesSharingPatternsAgreeWithPlainListWalk) {
    // Hundreds of rules over three letters: long shared prefixes, the same pattern with
    // every kind many times over, exact replacements hiding later rules.
    RandomRules random(2026);
    for (int set = 0; set < 150; ++set) {
        const LetterTable table = random.Table();
        const ExceptionRules rules = random.Rules(400, 4);
        for (int t = 0; t < 20; ++t) {
            const QString text = random.Text(30);
            ASSERT_EQ(Convert(text, table, rules),
                      translit_test::ReferenceConvert(text, table, rules))
                << "set " << set << " text \"" << text.toStdString() << "\"";
        }
    }
}

TEST(DifferentialConversion, RuleFilesAgreeToo) {
    // The same comparison on rules that come from rule lines, through the parser and
    // through Transliterate reading them from files, so neighbour lists, between
    // contexts and empty fields are covered on both roads.
    const QStringList ruleLines = {"Если после |а| стоит |б,,в| меняем на |1|",
                                   "Если перед |б| стоит |а,| меняем на |2|",
                                   "Если между |а,-в| стоит |б| меняем на |3|",
                                   "В начале |в| и после стоит |а| меняем на |4|",
                                   "В конце |а| и перед стоит |б| меняем на |5|",
                                   "Отдельно стоящее |аб|6|",
                                   "В середине |в|7|",
                                   "В начале |а| |",
                                   "В конце |б| |",
                                   "Точная замена ||8|"};
    const QStringList tableLines = {"а|a", "б|b", "вв|W", " |", "|?"};
    const ExceptionRules rules = ParseExceptionRules(ruleLines);
    const LetterTable table = ParseLetterTable(tableLines);
    translit_test::SharedRoot root;
    root.WriteLanguage(QStringLiteral("R"), tableLines, ruleLines);

    RandomRules random(7);
    for (int t = 0; t < 3000; ++t) {
        const QString text = random.Text(16);
        const QString expected = translit_test::ReferenceConvert(text, table, rules);
        ASSERT_EQ(Convert(text, table, rules), expected) << text.toStdString();
        const platform::Result<QString, QString> result = Transliterate(text, QStringLiteral("R"));
        ASSERT_TRUE(result) << result.error().toStdString();
        ASSERT_EQ(*result, expected) << text.toStdString();
    }
}

}  // namespace
}  // namespace translit

namespace translit {
namespace {

// Dictionaries over a few letters in both cases, with blanks to trim, extra ';' in
// targets, empty sources, and targets that hold sources or join pieces into new ones.
class RandomDictionary {
  public:
    explicit RandomDictionary(unsigned seed) : random_(seed) {}

    QString Text(int maxLength) { return Word(u"абАБ вx", maxLength); }

    QStringList Lines() {
        QStringList lines;
        for (int i = Below(8); i > 0; --i) {
            switch (Below(8)) {
                case 0:
                    lines << Word(u"аб ", 4);  // no ';': ignored
                    break;
                case 1:
                    lines << Blanks() + ";" + Word(u"аб", 2);  // empty source
                    break;
                default:
                    lines << Blanks() + Word(u"абАБ в", 3) + Blanks() + ";" + Blanks() +
                                 Word(u"аАбx;  ", 4) + Blanks();
                    break;
            }
        }
        return lines;
    }

  private:
    int Below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random_); }
    QString Blanks() { return Word(u" \t", 2); }
    QString Word(const char16_t* letters, int maxLength) {
        const int count = static_cast<int>(std::char_traits<char16_t>::length(letters));
        QString word;
        for (int i = Below(maxLength + 1); i > 0; --i)
            word += QChar(letters[Below(count)]);
        return word;
    }

    std::mt19937 random_;
};

TEST(DifferentialDictionary, CompiledPassAgreesWithPairByPairReplacement) {
    RandomDictionary random(1312);
    int replaced = 0;
    for (int set = 0; set < 20000; ++set) {
        const QStringList lines = random.Lines();
        const detail::CompiledDictionary dictionary(lines);
        for (int t = 0; t < 5; ++t) {
            const QString text = random.Text(16);
            // A small limit now and then, so that stopping is compared too.
            const qsizetype limit = set % 7 == 0 ? 18 : MaxTextLength(text.size());
            QString stoppedAt;
            const std::optional<QString> expected =
                translit_test::ReferenceDictionaryPass(text, lines, limit, &stoppedAt);
            QString actual = text;
            const bool complete = dictionary.Apply(actual, limit);
            ASSERT_EQ(complete, expected.has_value()) << text.toStdString() << "\n"
                                                      << lines.join('\n').toStdString();
            ASSERT_EQ(actual, expected ? *expected : stoppedAt) << text.toStdString() << "\n"
                                                                << lines.join('\n').toStdString();
            replaced += actual != text;
        }
    }
    // Most comparisons must involve a real replacement, or the test proves little.
    EXPECT_GT(replaced, 40000);
}

}  // namespace
}  // namespace translit
