// Takes the picture of the main window shown in the README: a list of two queries (a
// name and an OGRN) run against the stand-in register on loopback with the shipped
// languages and dictionaries, the firm of the number search opened, the window grabbed
// to a PNG.
// Usage: main_window_screenshot OUTPUT.png
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QSettings>
#include <QTreeView>
#include <QtTest>
#include <cstdio>

#include "support/standin.h"
#include "support/window_fixture.h"
#include "window/application.h"
#include "window/main_window.h"
#include "window/message_box.h"
#include "window/proxy_dialog.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT.png\n", argv[0]);
        return 2;
    }
    wintest::Sandbox sandbox;
    window::Application app(argc, argv);
    // The shipped folders, as an installed copy would find them.
    const QString shipped = sandbox.UseDataFolder(QStringLiteral("shipped"));
    QDir(shipped).removeRecursively();
    QFile::link(QStringLiteral(VENDRAKE_SOURCE_DIR "/data/Transliteration"), shipped.chopped(1));
    QFile::link(QStringLiteral(VENDRAKE_SOURCE_DIR "/data/Dictionaries"),
                sandbox.DictionaryRoot().chopped(1));
    {
        QSettings vendrake(QStringLiteral("Quillmarsh"), QStringLiteral("Vendrake"));
        vendrake.setValue(QStringLiteral("LangDict"), QString::fromUtf8("Русский"));
        vendrake.setValue(QStringLiteral("LangDict2"), QStringLiteral("English"));
        QSettings tessadrin(QStringLiteral("Quillmarsh"), QStringLiteral("Tessadrin"));
        tessadrin.setValue(QStringLiteral("LangTransliteration"), QStringLiteral("English"));
    }
    testsupport::StandinServer standin;

    auto* proxyDialog = new window::ProxyDialog(
        nullptr, sandbox.path() + QStringLiteral("/config.ini"), window::ShowErrorReport);
    window::MainWindow mainWindow(nullptr, standin.root(), standin.root() + "/", proxyDialog);
    mainWindow.resize(1180, 680);
    mainWindow.show();
    if (!QTest::qWaitForWindowExposed(&mainWindow)) {
        std::fprintf(stderr, "the window was not shown\n");
    }

    const QString list = sandbox.path() + QStringLiteral("/firms.txt");
    {
        QFile file(list);
        file.open(QIODevice::WriteOnly);
        file.write("\xD0\xEE\xEC\xE0\xF8\xEA\xE0\r\n1027700101230\r\n");  // Ромашка
    }
    mainWindow.LoadQueryList(list);
    const bool done = QTest::qWaitFor(
        [&mainWindow]() {
            return mainWindow.ThreadCount() == 0 &&
                   mainWindow.StatusText() == QStringLiteral("Checking completed.");
        },
        30000);
    if (!done || mainWindow.FirmCount() == 0) {
        std::fprintf(stderr, "the search did not complete\n");
        return 1;
    }
    QTreeView* tree = wintest::Tree(&mainWindow);
    tree->expandAll();
    tree->setCurrentIndex(wintest::Row(tree, 1, 0));
    wintest::Tree(&mainWindow, "translatedTree")->expandAll();
    QTest::qWait(300);

    if (!mainWindow.grab().save(QString::fromLocal8Bit(argv[1]))) {
        std::fprintf(stderr, "cannot write %s\n", argv[1]);
        return 1;
    }
    mainWindow.close();
    return 0;
}
