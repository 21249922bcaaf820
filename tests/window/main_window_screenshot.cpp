// Takes the picture of the main window shown in the README: a name search against the
// stand-in register on loopback, the first firm opened, the window grabbed to a PNG.
// Usage: main_window_screenshot OUTPUT.png
#include <QComboBox>
#include <QLineEdit>
#include <QSettings>
#include <QTreeWidget>
#include <QtTest>
#include <cstdio>

#include "proxy/proxy_form.h"
#include "support/standin.h"
#include "window/application.h"
#include "window/main_window.h"
#include "window/main_window_support.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT.png\n", argv[0]);
        return 2;
    }
    wintest::Sandbox sandbox;
    window::Application app(argc, argv);
    sandbox.WriteStandardLanguages();
    sandbox.WriteDictionary(QStringLiteral("English.txt"),
                            "\xEF\xBB\xBFООО;LLC\r\nЗАО;CJSC\r\nАО;JSC\r\n");
    {
        QSettings vendrake(QStringLiteral("Quillmarsh"), QStringLiteral("Vendrake"));
        vendrake.setValue(QStringLiteral("LangDict"), QStringLiteral("Russian"));
        vendrake.setValue(QStringLiteral("LangDict2"), QStringLiteral("Latin"));
        QSettings tessadrin(QStringLiteral("Quillmarsh"), QStringLiteral("Tessadrin"));
        tessadrin.setValue(QStringLiteral("LangTransliteration"), QStringLiteral("English"));
    }
    testsupport::StandinServer standin;

    window::TForm1 form(nullptr, standin.root(), standin.root() + "/");
    new proxy::TProxyForm(&form, sandbox.path() + QStringLiteral("/config.ini"));
    form.resize(1180, 680);
    form.show();
    if (!QTest::qWaitForWindowExposed(&form)) {
        std::fprintf(stderr, "the window was not shown\n");
    }

    form.findChild<QLineEdit*>(QStringLiteral("_edt1"))->setText(QStringLiteral("Ромашка"));
    form.N4Click();
    const bool done = QTest::qWaitFor(
        [&form]() {
            return form.ThreadCount() == 0 &&
                   form.StatusText() == QStringLiteral("Checking completed.");
        },
        30000);
    if (!done || form.FirmCount() == 0) {
        std::fprintf(stderr, "the search did not complete\n");
        return 1;
    }
    auto* tree = form.findChild<QTreeWidget*>(QStringLiteral("tv1"));
    QTreeWidgetItem* query = tree->topLevelItem(0);
    query->setExpanded(true);
    tree->setCurrentItem(query->child(0));
    form.LoadListVew();
    form.findChild<QTreeWidget*>(QStringLiteral("TreeView1"))->expandAll();
    QTest::qWait(300);

    if (!form.grab().save(QString::fromLocal8Bit(argv[1]))) {
        std::fprintf(stderr, "cannot write %s\n", argv[1]);
        return 1;
    }
    form.close();
    return 0;
}
