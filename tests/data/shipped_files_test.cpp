// The shipped files themselves: encodings and line ends the engine relies on, rule lines
// the engine understands, letter tables that cover the alphabet, dictionaries in order.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QMap>
#include <QSet>
#include <string>

#include "platform/cp1251.h"
#include "support/shipped_data.h"
#include "translit/rule_tables.h"

namespace {

using data_test::ShippedDictionaries;
using data_test::ShippedLanguages;
using data_test::SourceDataDir;

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

std::string Str(const QString& text) {
    return text.toStdString();
}

// The language that keeps Russian text as it is: no table, no rules.
const QString kPassThrough = QString::fromUtf8("Русский");

// The languages that read Latin letters and write Russian.
bool IsReverse(const QString& language) {
    return language.startsWith(QStringLiteral("Latin to Russian"));
}

const QStringList kRussianLetters =
    QString::fromUtf8("абвгдеёжзийклмнопрстуфхцчшщъыьэюя").split(QString(), Qt::SkipEmptyParts);

TEST(ShippedFiles, EveryFolderHasItsThreeRuleFilesInUtf16LeWithCrLf) {
    const QStringList languages = ShippedLanguages();
    ASSERT_EQ(languages.size(), 14);
    for (const QString& language : languages) {
        const QString folder = SourceDataDir() + QStringLiteral("Transliteration/") + language;
        for (const QString& name :
             {language + QStringLiteral(".dat"), QStringLiteral("exception.dat"),
              QStringLiteral("description.dat")}) {
            const QString path = folder + QLatin1Char('/') + name;
            SCOPED_TRACE(Str(path));
            ASSERT_TRUE(QFile::exists(path));
            const QByteArray bytes = ReadAll(path);
            ASSERT_EQ(bytes.size() % 2, 0);
            if (bytes.isEmpty()) {
                EXPECT_TRUE(name == QStringLiteral("exception.dat") || language == kPassThrough)
                    << "only rules may be empty";
                continue;
            }
            EXPECT_FALSE(bytes.startsWith("\xff\xfe")) << "byte-order mark";
            EXPECT_TRUE(bytes.endsWith(QByteArray("\r\0\n\0", 4))) << "last line without CR LF";
            const QString text = QString::fromUtf16(
                reinterpret_cast<const char16_t*>(bytes.constData()), bytes.size() / 2);
            // Valid UTF-16: the round trip through UTF-8 keeps every code unit.
            EXPECT_EQ(QString::fromUtf8(text.toUtf8()), text);
            // No stray CR or LF inside a line, no blank lines.
            const QStringList lines = text.chopped(2).split(QStringLiteral("\r\n"));
            for (const QString& line : lines) {
                EXPECT_FALSE(line.isEmpty());
                EXPECT_FALSE(line.contains(QLatin1Char('\r')) || line.contains(QLatin1Char('\n')));
            }
            EXPECT_EQ(translit::ReadRuleFileLines(path), lines);
        }
    }
}

TEST(ShippedFiles, EveryRussianLetterIsConvertedAndSourcesAreLowerCase) {
    data_test::UseShippedData();
    for (const QString& language : ShippedLanguages()) {
        if (language == kPassThrough || IsReverse(language))
            continue;
        SCOPED_TRACE(Str(language));
        const translit::LetterTable table = translit::LoadLetterTable(language);
        QSet<QString> sources;
        for (const translit::LetterEntry& entry : table) {
            EXPECT_FALSE(entry.source.isEmpty());
            // A line ending with '|' is one that table readers may shorten.
            EXPECT_FALSE(entry.target.isEmpty()) << Str(entry.source);
            EXPECT_EQ(entry.source, entry.source.toLower()) << Str(entry.source);
            EXPECT_FALSE(sources.contains(entry.source)) << "twice: " << Str(entry.source);
            sources.insert(entry.source);
            // Targets are Latin script; a Cyrillic target would be a slip of the keyboard.
            for (QChar ch : entry.target)
                EXPECT_FALSE(ch.script() == QChar::Script_Cyrillic);
        }
        // A letter that is not written at all is dropped by an exact replacement rule.
        for (const translit::ExceptionRule& rule : translit::LoadExceptionRules(language)) {
            if (rule.kind == translit::RuleKind::ExactReplacement)
                sources.insert(rule.x);
        }
        for (const QString& letter : kRussianLetters)
            EXPECT_TRUE(sources.contains(letter)) << "no entry for " << Str(letter);
    }
}

TEST(ShippedFiles, ReverseLanguagesReadEveryLatinLetterIntoCyrillic) {
    data_test::UseShippedData();
    int reverse = 0;
    for (const QString& language : ShippedLanguages()) {
        if (!IsReverse(language))
            continue;
        ++reverse;
        SCOPED_TRACE(Str(language));
        QSet<QString> sources;
        for (const translit::LetterEntry& entry : translit::LoadLetterTable(language)) {
            EXPECT_EQ(entry.source, entry.source.toLower()) << Str(entry.source);
            EXPECT_FALSE(sources.contains(entry.source)) << "twice: " << Str(entry.source);
            sources.insert(entry.source);
            for (QChar ch : entry.source)
                EXPECT_FALSE(ch.script() == QChar::Script_Cyrillic) << Str(entry.source);
            ASSERT_FALSE(entry.target.isEmpty()) << Str(entry.source);
            for (QChar ch : entry.target)
                EXPECT_TRUE(ch.script() == QChar::Script_Cyrillic) << Str(entry.source);
        }
        // ISO 9 never writes q, w and x; every other Latin letter reads as a letter.
        const QString letters = language == QStringLiteral("Latin to Russian")
                                    ? QStringLiteral("abcdefghijklmnopqrstuvwxyz")
                                    : QStringLiteral("abcdefghijklmnoprstuvyz");
        for (QChar letter : letters)
            EXPECT_TRUE(sources.contains(QString(letter))) << "no entry for " << Str(letter);
    }
    EXPECT_EQ(reverse, 2);
}

TEST(ShippedFiles, PassThroughLanguageKeepsRussianTextAsItIs) {
    const QString text = QString::fromUtf8("ООО «Ромашка», ул. Ёлкина, д. 5; Ltd & Co");
    EXPECT_EQ(data_test::Convert(text, kPassThrough), text);
}

TEST(ShippedFiles, EveryExceptionLineIsARuleTheEngineUnderstands) {
    data_test::UseShippedData();
    int rules = 0;
    for (const QString& language : ShippedLanguages()) {
        SCOPED_TRACE(Str(language));
        for (const translit::ExceptionRule& rule : translit::LoadExceptionRules(language)) {
            ++rules;
            EXPECT_NE(rule.kind, translit::RuleKind::Never) << Str(rule.x);
            EXPECT_FALSE(rule.x.isEmpty());
            EXPECT_EQ(rule.x, rule.x.toLower());
            EXPECT_EQ(rule.e, rule.e.toLower());
            EXPECT_EQ(rule.left, rule.left.toLower());
            EXPECT_EQ(rule.right, rule.right.toLower());
            const bool hasNeighbour = rule.kind == translit::RuleKind::FollowedBy ||
                                      rule.kind == translit::RuleKind::PrecededBy;
            if (hasNeighbour) {
                EXPECT_FALSE(rule.e.isEmpty()) << "empty neighbour fires always";
            }
            if (rule.kind == translit::RuleKind::Between) {
                EXPECT_FALSE(rule.left.isEmpty());
                EXPECT_FALSE(rule.right.isEmpty());
            }
        }
    }
    EXPECT_GT(rules, 100);
}

TEST(ShippedFiles, DictionariesAreUtf8WithBomAndOrderedLongestFirst) {
    const QStringList dictionaries = ShippedDictionaries();
    ASSERT_EQ(dictionaries.size(), 7);
    QMap<QString, QStringList> sourcesOf;
    for (const QString& name : dictionaries) {
        SCOPED_TRACE(Str(name));
        // Named like a language folder, so the two boxes show matching names.
        EXPECT_TRUE(ShippedLanguages().contains(name));
        const QByteArray bytes =
            ReadAll(SourceDataDir() + QStringLiteral("Dictionaries/") + name + ".txt");
        ASSERT_TRUE(bytes.startsWith("\xef\xbb\xbf"));
        EXPECT_TRUE(platform::IsValidUtf8(bytes.toStdString()));
        const QStringList lines = QString::fromUtf8(bytes.mid(3)).split(QStringLiteral("\r\n"));
        ASSERT_TRUE(lines.last().isEmpty()) << "last line without CR LF";
        QStringList sources;
        qsizetype previousLength = 1 << 30;
        for (const QString& line : lines.mid(0, lines.size() - 1)) {
            const qsizetype semicolon = line.indexOf(QLatin1Char(';'));
            ASSERT_GT(semicolon, 0) << Str(line);
            const QString source = line.left(semicolon);
            const QString target = line.mid(semicolon + 1);
            EXPECT_EQ(source, source.trimmed());
            EXPECT_FALSE(target.trimmed().isEmpty());
            EXPECT_LE(source.size(), previousLength) << "not longest first: " << Str(line);
            previousLength = source.size();
            // Later pairs see earlier targets: none may hold Cyrillic, except the letters
            // at the end of a source that its target keeps ("Республика А;Republic of А").
            qsizetype kept = 0;
            while (kept < source.size() && kept < target.size() &&
                   source[source.size() - 1 - kept] == target[target.size() - 1 - kept]) {
                ++kept;
            }
            for (QChar ch : target.chopped(kept))
                EXPECT_FALSE(ch.script() == QChar::Script_Cyrillic) << Str(line);
            sources << source.toUpper();
        }
        EXPECT_EQ(sources.removeDuplicates(), 0);
        sourcesOf[name] = sources;
    }
    // Every dictionary translates the same things.
    for (const QString& name : dictionaries)
        EXPECT_EQ(sourcesOf[name], sourcesOf[QStringLiteral("English")]) << Str(name);
}

}  // namespace
