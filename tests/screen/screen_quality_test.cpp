// Name-match quality on a held-out set: invented firm names are written into a list in
// each Latin standard screening uses, and in three romanisations it does not use
// (Library of Congress, German, French), and those names and names sharing words with
// them are screened. Precision and recall at the default threshold are printed; with
// the standards screening uses they must stay high.
#include <gtest/gtest.h>

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <map>

#include "screen/index.h"
#include "screen/name_matcher.h"
#include "screen/screener.h"
#include "support/screen_support.h"
#include "support/shipped_data.h"
#include "translit/translit.h"

namespace {

// The legal forms a list writes instead of the register's.
QString EnglishLegalForm(const QString& name) {
    const QString form = name.section(QLatin1Char(' '), 0, 0);
    const QString rest = name.section(QLatin1Char(' '), 1).remove(QLatin1Char('"'));
    if (form == QStringLiteral("ООО"))
        return rest + QStringLiteral(" LLC");
    if (form == QStringLiteral("ПАО"))
        return QStringLiteral("PJSC ") + rest;
    if (form == QStringLiteral("ЗАО"))
        return QStringLiteral("CJSC ") + rest;
    return QStringLiteral("JSC ") + rest;
}

TEST(ScreenQuality, HeldOutNamesMatchAcrossStandards) {
    data_test::UseShippedData();
    QFile source(QString::fromStdString(screen_test::Fixture("heldout_firms.txt")));
    ASSERT_TRUE(source.open(QIODevice::ReadOnly));
    QStringList listed;
    QStringList unlisted;
    for (const QString& line : QString::fromUtf8(source.readAll()).split(QLatin1Char('\n'))) {
        if (line.startsWith(QLatin1Char('+')))
            listed << line.mid(1);
        else if (line.startsWith(QLatin1Char('-')))
            unlisted << line.mid(1);
    }
    ASSERT_EQ(listed.size(), 40);
    ASSERT_EQ(unlisted.size(), 20);

    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString listPath = dir.filePath(QStringLiteral("heldout.jsonl"));
    QFile list(listPath);
    ASSERT_TRUE(list.open(QIODevice::WriteOnly));
    std::vector<std::string> writings = screen::LatinStandards();
    const std::vector<std::string> heldOut = {"Library of Congress", "Deutsch", "Français"};
    writings.insert(writings.end(), heldOut.begin(), heldOut.end());
    for (int i = 0; i < listed.size(); ++i) {
        for (const std::string& standard : writings) {
            const translit::Outcome latin =
                translit::ConvertText(listed[i], QString::fromStdString(standard));
            ASSERT_TRUE(latin.ok()) << latin.error.toStdString();
            QJsonObject properties;
            // Half the names keep the Russian legal form in Latin letters, half take an
            // English one.
            const QString name = i % 2 == 0 ? latin.text : EnglishLegalForm(latin.text);
            properties[QStringLiteral("name")] = QJsonArray{name};
            QJsonObject entity;
            entity[QStringLiteral("id")] =
                QStringLiteral("h%1-").arg(i) + QString::fromStdString(standard);
            entity[QStringLiteral("schema")] = QStringLiteral("Company");
            entity[QStringLiteral("properties")] = properties;
            list.write(QJsonDocument(entity).toJson(QJsonDocument::Compact) + '\n');
        }
    }
    list.close();
    const std::string indexPath = dir.filePath(QStringLiteral("index.sqlite")).toStdString();
    {
        screen::Index index;
        ASSERT_TRUE(
            screen_test::Succeeded(index.Open(indexPath, screen::Index::Access::ReadWrite)));
        ASSERT_TRUE(screen_test::Stored(index.Import(listPath.toStdString(), {})));
    }
    screen::Screener screener;
    ASSERT_TRUE(screen_test::Succeeded(screener.Load(indexPath)));

    // A listed name should find its entity in every writing; each wrong entity found
    // counts against precision.
    int truePositives = 0;
    int falsePositives = 0;
    std::map<std::string, int> foundIn;  // writing -> listed names whose entry was found
    for (int i = 0; i < listed.size(); ++i) {
        const std::string own = "h" + std::to_string(i) + "-";
        for (const screen::Match& m : screen_test::Matches(
                 screener.Screen(screen_test::Firm(listed[i].toUtf8().constData())))) {
            if (m.entityId.rfind(own, 0) == 0) {
                ++truePositives;
                ++foundIn[m.entityId.substr(own.size())];
            } else {
                ++falsePositives;
                std::printf("false match: %s -> %s (%.3f)\n", listed[i].toUtf8().constData(),
                            m.entityId.c_str(), m.score);
            }
        }
    }
    for (const QString& name : unlisted) {
        for (const screen::Match& m :
             screen_test::Matches(screener.Screen(screen_test::Firm(name.toUtf8().constData())))) {
            ++falsePositives;
            std::printf("false match: %s -> %s (%.3f)\n", name.toUtf8().constData(),
                        m.entityId.c_str(), m.score);
        }
    }
    const double precision =
        truePositives + falsePositives == 0
            ? 0
            : static_cast<double>(truePositives) / (truePositives + falsePositives);
    std::printf("name matching at %.2f: precision %.3f (%d right, %d wrong)\n",
                screener.threshold(), precision, truePositives, falsePositives);
    EXPECT_GE(precision, 0.95);
    for (const std::string& writing : writings) {
        const double recall = static_cast<double>(foundIn[writing]) / listed.size();
        const bool used = std::find(heldOut.begin(), heldOut.end(), writing) == heldOut.end();
        std::printf("  recall %.3f for names written in %s%s\n", recall, writing.c_str(),
                    used ? "" : " (not a form screening writes)");
        if (used) {
            EXPECT_GE(recall, 0.95) << writing;
        }
    }
}

// The best name match of firm with the entity id, or null.
const screen::Match* Found(const std::vector<screen::Match>& matches, const char* id) {
    for (const screen::Match& m : matches) {
        if (m.kind == screen::MatchKind::Name && m.entityId == id)
            return &m;
    }
    return nullptr;
}

TEST(ScreenQuality, LatinNamesAndLookalikeLettersMeetCyrillicEntries) {
    data_test::UseShippedData();
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const std::string indexPath = dir.filePath(QStringLiteral("index.sqlite")).toStdString();
    {
        screen::Index index;
        ASSERT_TRUE(
            screen_test::Succeeded(index.Open(indexPath, screen::Index::Access::ReadWrite)));
        ASSERT_TRUE(screen_test::Stored(index.Import(screen_test::Fixture("watchlist.jsonl"), {})));
    }
    screen::Screener screener;
    ASSERT_TRUE(screen_test::Succeeded(screener.Load(indexPath)));
    // Typed in Latin letters, the name is read into Russian and meets the Cyrillic alias
    // АО «Ромашка Плюс» whole; in Latin alone it meets "Romashka Plus Group" only in part.
    const std::vector<screen::Match> latin =
        screen_test::Matches(screener.Screen(screen_test::Firm("Romashka Plyus")));
    const screen::Match* viaRussian = Found(latin, "wl-cyrillic");
    ASSERT_NE(viaRussian, nullptr);
    EXPECT_EQ(viaRussian->how, "Latin to Russian");
    EXPECT_DOUBLE_EQ(viaRussian->score, 1.0);
    // Latin "A", "P", "a", "c" among Cyrillic letters, and a typographic apostrophe.
    const std::vector<screen::Match> mixed =
        screen_test::Matches(screener.Screen(screen_test::Firm("AO «Pомaшкa Плюc»")));
    const screen::Match* folded = Found(mixed, "wl-cyrillic");
    ASSERT_NE(folded, nullptr);
    EXPECT_DOUBLE_EQ(folded->score, 1.0);
}

}  // namespace
