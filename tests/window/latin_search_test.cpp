// Searching with Latin letters: the shipped "Latin to Russian" language turns the typed
// name into the Russian one the register knows, and "Find" sends it to the register
// service stored with "Register service..." (the stand-in on loopback).
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QTreeView>
#include <QtTest>
#include <memory>

#include "lookup/query_service.h"
#include "support/standin.h"
#include "window/main_window.h"
#include "window/main_window_support.h"

using wintest::Control;
using wintest::Messages;

class LatinSearchTest : public QObject {
    Q_OBJECT

  private slots:
    void romashkaFindsTheRussianFirms() {
        wintest::Sandbox sandbox;
        wintest::CaptureMessages();
        const QString shipped = sandbox.UseDataFolder(QStringLiteral("shipped"));
        QVERIFY(QDir(shipped).removeRecursively());
        QVERIFY(QFile::link(QStringLiteral(VENDRAKE_SOURCE_DIR "/data/Transliteration"),
                            shipped.chopped(1)));
        testsupport::StandinServer standin;
        {
            QSettings settings(QStringLiteral("Quillmarsh"), QStringLiteral("Vendrake"));
            settings.setValue(QStringLiteral("LangDict"), QStringLiteral("Latin to Russian"));
            settings.setValue(QStringLiteral("ServiceHost"),
                              QStringLiteral("127.0.0.1:%1").arg(standin.port()));
            settings.sync();
        }

        // Made with the build-time address: the stored setting must win over it.
        window::MainWindow form(nullptr, lookup::DefaultServiceRoot(), standin.root() + "/");
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QCOMPARE(Control<QComboBox>(&form, "requestLanguageBox")->currentText(),
                 QStringLiteral("Latin to Russian"));

        QTest::keyClicks(Control<QLineEdit>(&form, "nameEdit"), QStringLiteral("Romashka"));
        QCOMPARE(Control<QLineEdit>(&form, "nameMirror")->text(), QStringLiteral("Ромашка"));
        QTest::mouseClick(Control<QPushButton>(&form, "findButton"), Qt::LeftButton);
        QVERIFY(QTest::qWaitFor(
            [&form]() {
                return form.ThreadCount() == 0 &&
                       form.StatusText() == QStringLiteral("Checking completed.");
            },
            30000));

        bool sent = false;
        for (const std::string& line : standin.requestLog()) {
            sent = sent || line.find("name=%D0%EE%EC%E0%F8%EA%E0&") != std::string::npos;
        }
        QVERIFY2(sent, "the Windows-1251 form of \"Ромашка\" was not sent");
        QTreeView* tree = wintest::Tree(&form);
        QCOMPARE(tree->model()->rowCount(), 1);
        const wintest::Node query = wintest::TopNode(tree, 0);
        QVERIFY(query.childCount() > 0);
        QVERIFY(form.FirmCount() > 0);
        QVERIFY(query.child(0).text().contains(QStringLiteral("Ромашка"), Qt::CaseInsensitive));
        QCOMPARE(query.toolTip(), query.text());
        QCOMPARE(Messages(), QStringList());
    }
};

QTEST_MAIN(LatinSearchTest)
#include "latin_search_test.moc"
