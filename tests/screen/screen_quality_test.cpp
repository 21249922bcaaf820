// Name-match quality on a held-out set: invented firm names are written into a list in
// each Latin standard, and those names and names sharing words with them are screened.
// Precision and recall at the default threshold are printed and must stay high.
#include <gtest/gtest.h>

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <cstdio>
#include <set>

#include "data/shipped_data.h"
#include "screen/index.h"
#include "screen/screener.h"
#include "screen_support.h"
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
    for (int i = 0; i < listed.size(); ++i) {
        for (const std::string& standard : screen::LatinStandards()) {
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
        std::string error;
        ASSERT_TRUE(index.Open(indexPath, screen::Index::Access::ReadWrite, &error)) << error;
        screen::ImportReport report;
        ASSERT_EQ(index.Import(listPath.toStdString(), {}, &report, &error),
                  screen::ImportStatus::Stored)
            << error;
    }
    screen::Screener screener;
    std::string error;
    ASSERT_TRUE(screener.Load(indexPath, &error)) << error;

    // A listed name should find its entity in every standard; one entity a name is
    // enough for the window to mark the firm, so recall counts firms.
    int truePositives = 0;
    int falsePositives = 0;
    int found = 0;
    for (int i = 0; i < listed.size(); ++i) {
        std::set<std::string> entities;
        for (const screen::Match& m :
             screener.Screen(screen_test::Firm(listed[i].toUtf8().constData())))
            entities.insert(m.entityId);
        bool own = false;
        for (const std::string& id : entities) {
            const bool mine = id.rfind("h" + std::to_string(i) + "-", 0) == 0;
            own = own || mine;
            (mine ? truePositives : falsePositives) += 1;
            if (!mine)
                std::printf("false match: %s -> %s\n", listed[i].toUtf8().constData(), id.c_str());
        }
        found += own ? 1 : 0;
        if (!own)
            std::printf("missed: %s\n", listed[i].toUtf8().constData());
    }
    for (const QString& name : unlisted) {
        for (const screen::Match& m :
             screener.Screen(screen_test::Firm(name.toUtf8().constData()))) {
            ++falsePositives;
            std::printf("false match: %s -> %s (%.3f)\n", name.toUtf8().constData(),
                        m.entityId.c_str(), m.score);
        }
    }
    const double precision =
        truePositives + falsePositives == 0
            ? 0
            : static_cast<double>(truePositives) / (truePositives + falsePositives);
    const double recall = static_cast<double>(found) / listed.size();
    const double entityRecall = static_cast<double>(truePositives) / (listed.size() * 4);
    std::printf("name matching at %.2f: precision %.3f, recall %.3f (firms), %.3f (entities)\n",
                screener.threshold(), precision, recall, entityRecall);
    EXPECT_GE(precision, 0.95);
    EXPECT_GE(recall, 0.95);
}

}  // namespace
