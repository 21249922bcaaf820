// Searching with Latin letters: the shipped "Latin to Russian" language turns the typed
// name or list line into the Russian one the register knows, and the window sends it to
// the register service stored with "Register service..." (the stand-in on loopback).
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QMap>
#include <QPushButton>
#include <QSettings>
#include <QTreeView>
#include <QtTest>
#include <memory>

#include "config/default_addresses.h"
#include "exchange/query_service.h"
#include "support/standin.h"
#include "support/window_fixture.h"
#include "window/main_window.h"

using wintest::Control;
using wintest::Messages;

class LatinSearchTest : public QObject {
    Q_OBJECT

  private:
    // The shipped languages, "Latin to Russian" chosen for requests and the stand-in
    // stored as the register service.
    static void UseShippedLanguages(wintest::Sandbox& sandbox,
                                    const testsupport::StandinServer& standin) {
        wintest::CaptureMessages();
        Messages().clear();
        const QString shipped = sandbox.UseDataFolder(QStringLiteral("shipped"));
        QVERIFY(QDir(shipped).removeRecursively());
        QVERIFY(QFile::link(QStringLiteral(VENDRAKE_SOURCE_DIR "/data/Transliteration"),
                            shipped.chopped(1)));
        QVERIFY(QFile::link(QStringLiteral(VENDRAKE_SOURCE_DIR "/data/Dictionaries"),
                            sandbox.DictionaryRoot().chopped(1)));
        QSettings settings(QStringLiteral("Quillmarsh"), QStringLiteral("Vendrake"));
        settings.setValue(QStringLiteral("LangDict"), QStringLiteral("Latin to Russian"));
        settings.setValue(QStringLiteral("LangDict2"), QStringLiteral("English"));
        settings.setValue(QStringLiteral("ServiceHost"),
                          QStringLiteral("127.0.0.1:%1").arg(standin.port()));
        settings.sync();
    }

  private slots:
    void romashkaFindsTheRussianFirms() {
        wintest::Sandbox sandbox;
        testsupport::StandinServer standin;
        UseShippedLanguages(sandbox, standin);

        // Made with the build-time address: the stored setting must win over it.
        window::MainWindow mainWindow(nullptr, config::DefaultServiceRoot(), standin.root() + "/");
        mainWindow.show();
        QVERIFY(QTest::qWaitForWindowExposed(&mainWindow));
        QCOMPARE(Control<QComboBox>(&mainWindow, "requestLanguageBox")->currentText(),
                 QStringLiteral("Latin to Russian"));

        QTest::keyClicks(Control<QLineEdit>(&mainWindow, "nameEdit"), QStringLiteral("Romashka"));
        QCOMPARE(Control<QLineEdit>(&mainWindow, "nameMirror")->text(), QStringLiteral("Ромашка"));
        QTest::mouseClick(Control<QPushButton>(&mainWindow, "findButton"), Qt::LeftButton);
        QVERIFY(QTest::qWaitFor(
            [&mainWindow]() {
                return mainWindow.ThreadCount() == 0 &&
                       mainWindow.StatusText() == QStringLiteral("Checking completed.");
            },
            30000));

        bool sent = false;
        for (const std::string& line : standin.requestLog()) {
            sent = sent || line.find("name=%D0%EE%EC%E0%F8%EA%E0&") != std::string::npos;
        }
        QVERIFY2(sent, "the Windows-1251 form of \"Ромашка\" was not sent");
        QTreeView* tree = wintest::Tree(&mainWindow);
        QCOMPARE(tree->model()->rowCount(), 1);
        const wintest::Node query = wintest::TopNode(tree, 0);
        QVERIFY(query.childCount() > 0);
        QVERIFY(mainWindow.FirmCount() > 0);
        QVERIFY(query.child(0).text().contains(QStringLiteral("Ромашка"), Qt::CaseInsensitive));
        QCOMPARE(query.toolTip(), query.text());
        QCOMPARE(Messages(), QStringList());
    }

    // A list line goes out as the mirror would show it; the export then holds every row
    // of the run: firms, the register's message, a failure and a skipped number.
    void listLinesGoOutConvertedAndExportKeepsEveryRow() {
        wintest::Sandbox sandbox;
        testsupport::StandinServer standin;
        UseShippedLanguages(sandbox, standin);
        window::MainWindow mainWindow(nullptr, config::DefaultServiceRoot(), standin.root() + "/");
        Control<QComboBox>(&mainWindow, "dictionaryBox")->setCurrentText(QStringLiteral("English"));
        const QString list = sandbox.path() + QStringLiteral("/list.txt");
        QFile file(list);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(QStringLiteral("Romashka\r\nПусто\r\nРазрыв\r\n7713001233\r\n").toUtf8());
        file.close();
        mainWindow.LoadQueryList(list);
        // The number whose check digit does not match is a line skipped, not a query.
        QVERIFY(QTest::qWaitFor(
            [&mainWindow]() {
                return mainWindow.ThreadCount() == 0 &&
                       mainWindow.StatusText().startsWith(QStringLiteral("Checked 3 queries")) &&
                       mainWindow.StatusText().endsWith(QStringLiteral("; 1 lines skipped"));
            },
            30000));
        bool sent = false;
        for (const std::string& line : standin.requestLog()) {
            sent = sent || line.find("name=%D0%EE%EC%E0%F8%EA%E0&") != std::string::npos;
        }
        QVERIFY2(sent, "the list line \"Romashka\" did not go out as \"Ромашка\"");
        QTreeView* tree = wintest::Tree(&mainWindow);
        QCOMPARE(wintest::TopNode(tree, 0).text(), QStringLiteral("Romashka, records found: 9"));

        const QString csv = sandbox.path() + QStringLiteral("/out.csv");
        mainWindow.ExportTo(csv);
        QFile exported(csv);
        QVERIFY(exported.open(QIODevice::ReadOnly));
        const QStringList lines =
            QString::fromUtf8(exported.readAll()).split(QStringLiteral("\r\n"));
        QMap<QString, int> kinds;
        QMap<QString, QString> firstOfKind;
        for (const QString& line : lines.mid(1)) {
            if (line.isEmpty()) {
                continue;
            }
            const QStringList fields = line.split(QLatin1Char(';'));
            QCOMPARE(fields.size(), 24);
            ++kinds[fields[0]];
            if (!firstOfKind.contains(fields[0])) {
                firstOfKind[fields[0]] = line;
            }
        }
        QCOMPARE(kinds.value(QStringLiteral("firm")), 9 + 6);
        QCOMPARE(kinds.value(QStringLiteral("message")), 1);
        QCOMPARE(kinds.value(QStringLiteral("failed")), 1);
        QCOMPARE(kinds.value(QStringLiteral("skipped")), 1);
        QVERIFY2(
            firstOfKind[QStringLiteral("message")].startsWith(QStringLiteral("message;Пусто;")),
            qPrintable(firstOfKind[QStringLiteral("message")]));
        QVERIFY2(firstOfKind[QStringLiteral("failed")].contains(QStringLiteral(";Query failed: ")),
                 qPrintable(firstOfKind[QStringLiteral("failed")]));
        QVERIFY(firstOfKind[QStringLiteral("skipped")].startsWith(
            QStringLiteral("skipped;7713001233;check digit does not match (INN);")));
        // The pane's English columns: the firm's name passed the shipped dictionary.
        const QStringList firm = firstOfKind[QStringLiteral("firm")].split(QLatin1Char(';'));
        QVERIFY2(firm[13].startsWith(QStringLiteral("\"LLC ")), qPrintable(firm[13]));
        QCOMPARE(lines.first().split(QLatin1Char(';')).mid(13, 2),
                 QStringList({QStringLiteral("English"), QStringLiteral("Name")}));
    }
};

QTEST_MAIN(LatinSearchTest)
#include "latin_search_test.moc"
