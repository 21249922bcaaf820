// Whole searches through the query service against the stand-in register on loopback:
// the tree, the firm list, the detail lists, saving, batch lists and closing.
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSettings>
#include <QSignalSpy>
#include <QTimer>
#include <QTreeView>
#include <QTreeWidget>
#include <QtTest>
#include <memory>

#include "platform/cp1251.h"
#include "support/standin.h"
#include "support/window_fixture.h"
#include "translit/translit.h"
#include "window/image_list.h"
#include "window/main_window.h"
#include "window/message_box.h"
#include "window/proxy_dialog.h"
#include "window/query_entry.h"
#include "window/service_host_dialog.h"

using wintest::ClickRow;
using wintest::Control;
using wintest::ImageOf;
using wintest::Messages;
using wintest::NewWindow;
using wintest::Row;
using wintest::TextOf;

namespace {

constexpr int kSearchTimeout = 30000;

QString Cp(const std::string& bytes) {
    return platform::FromCp1251(bytes);
}

using wintest::ReadAll;

}  // namespace

class SearchTest : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<wintest::Sandbox> sandbox_;
    std::unique_ptr<testsupport::StandinServer> standin_;
    std::unique_ptr<window::MainWindow> mainWindow_;

    QTreeView* Tree(const char* name = "resultsTree") const {
        return wintest::Tree(mainWindow_.get(), name);
    }
    int Queries(const char* name = "resultsTree") const { return Tree(name)->model()->rowCount(); }
    int Children(int query, const char* name = "resultsTree") const {
        return Tree(name)->model()->rowCount(Row(Tree(name), query));
    }
    QString Value(const char* list, int row) const {
        return wintest::DetailValue(mainWindow_.get(), list, row);
    }
    QAction* Action(const char* name) const { return Control<QAction>(mainWindow_.get(), name); }

    // Types the query, presses "Find" and waits until every query has ended.
    bool Search(window::MainWindow* mainWindow, const QString& name,
                const QString& number = QString()) {
        Control<QLineEdit>(mainWindow, "nameEdit")->setText(name);
        Control<QLineEdit>(mainWindow, "numberEdit")->setText(number);
        QTest::mouseClick(Control<QPushButton>(mainWindow, "findButton"), Qt::LeftButton);
        return QTest::qWaitFor(
            [mainWindow]() {
                return mainWindow->ThreadCount() == 0 &&
                       mainWindow->StatusText() == QStringLiteral("Checking completed.");
            },
            kSearchTimeout);
    }

  private slots:
    void initTestCase() {
        // The query goes out in Russian; the right pane shows Latin letters.
        sandbox_ = wintest::SearchingSandbox();
        standin_ = std::make_unique<testsupport::StandinServer>();
    }

    void init() {
        Messages().clear();
        mainWindow_ = NewWindow(standin_->root(), standin_->root() + "/");
    }

    void cleanup() { mainWindow_.reset(); }

    void failedProbeEndsTheSearch() {
        mainWindow_ = NewWindow("http://127.0.0.1:1", "http://127.0.0.1:1/");
        QVERIFY(!Search(mainWindow_.get(), QStringLiteral("Ромашка")));
        QCOMPARE(mainWindow_->StatusText(), QStringLiteral("No Internet connection..."));
        QCOMPARE(Queries(), 0);
        QCOMPARE(Control<QTreeWidget>(mainWindow_.get(), "detailList")->contextMenuPolicy(),
                 Qt::NoContextMenu);
    }

    void nameSearchHangsFirmsUnderTheQueryNode() {
        QVERIFY(Search(mainWindow_.get(), QStringLiteral("Ромашка")));
        QCOMPARE(Queries(), 1);
        const QModelIndex query = Row(Tree(), 0);
        QCOMPARE(TextOf(query),
                 mainWindow_->Entry().QueryNodeText() + QStringLiteral(", records found: 9"));
        QCOMPARE(Children(0), 9);
        QCOMPARE(ImageOf(query), int(window::kImageFirm));
        QCOMPARE(mainWindow_->FirmCount(), std::size_t(9));
        const auto entries = mainWindow_->ResultEntries();
        for (int i = 0; i < 9; ++i) {
            QCOMPARE(ImageOf(Row(Tree(), 0, i)), int(window::kImageFirm));
            QCOMPARE(TextOf(Row(Tree(), 0, i)), Cp(entries[i].firm.name));
            QVERIFY(Cp(entries[i].firm.name).contains(QStringLiteral("Ромашка")));
        }
        QVERIFY(!Tree()->isExpanded(query));
        QCOMPARE(Control<QTreeWidget>(mainWindow_.get(), "detailList")->contextMenuPolicy(),
                 Qt::CustomContextMenu);
    }

    // Enter in an entry field runs "Find"; Tab from the last entry field reaches it.
    void enterSearchesAndTabReachesFind() {
        mainWindow_->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(mainWindow_.get()));
        auto* number = Control<QLineEdit>(mainWindow_.get(), "numberEdit");
        number->setFocus();
        QTest::keyClick(number, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(),
                 Control<QPushButton>(mainWindow_.get(), "findButton"));

        auto* name = Control<QLineEdit>(mainWindow_.get(), "nameEdit");
        name->setFocus();
        wintest::TypeText(name, QStringLiteral("Лютик"));
        QTest::keyClick(name, Qt::Key_Return);
        QVERIFY(QTest::qWaitFor(
            [this] {
                return mainWindow_->ThreadCount() == 0 &&
                       mainWindow_->StatusText() == QStringLiteral("Checking completed.");
            },
            kSearchTimeout));
        QCOMPARE(Children(0), 2);
    }

    // Alt+F opens the File menu instead of typing into the name field.
    void altLetterOpensTheMenu() {
        mainWindow_->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(mainWindow_.get()));
        auto* name = Control<QLineEdit>(mainWindow_.get(), "nameEdit");
        name->setFocus();
        QTest::keyClick(name, Qt::Key_F, Qt::AltModifier);
        QCOMPARE(name->text(), QString());
        auto* file = Control<QMenu>(mainWindow_.get(), "fileMenu");
        QTRY_VERIFY(file->isVisible());
        file->close();
    }

    void numberSearchFindsTheEntry() {
        QVERIFY(Search(mainWindow_.get(), QString(), QStringLiteral("1027700101230")));
        QCOMPARE(Children(0), 1);
        QCOMPARE(ImageOf(Row(Tree(), 0, 0)), int(window::kImageFirm));
        QCOMPARE(mainWindow_->FirmCount(), std::size_t(1));
        QCOMPARE(mainWindow_->ResultEntries()[0].firm.inn, std::string("7713001232"));
    }

    // An answer with a result table and an entry link behind it shows the table's firms
    // in both trees, each field under its own caption.
    void answerTableBeforeAnEntryLinkShowsTheTablesFirms() {
        QVERIFY(Search(mainWindow_.get(), QStringLiteral("Выписка")));
        QCOMPARE(TextOf(Row(Tree(), 0)),
                 mainWindow_->Entry().QueryNodeText() + QStringLiteral(", records found: 3"));
        QCOMPARE(Children(0), 3);
        QCOMPARE(Children(0, "translatedTree"), 3);
        QCOMPARE(mainWindow_->FirmCount(), std::size_t(3));
        const QStringList names = {QStringLiteral("ООО \"Ромашка-Север\""),
                                   QStringLiteral("ООО \"Ромашка-Юг\""),
                                   QStringLiteral("АО \"Ромашка Плюс\"")};
        for (int i = 0; i < 3; ++i) {
            QCOMPARE(TextOf(Row(Tree(), 0, i)), names[i]);
            const auto latin = translit::Transliterate(names[i], QStringLiteral("Latin"));
            QVERIFY(latin);
            QCOMPARE(TextOf(Row(Tree("translatedTree"), 0, i)), *latin);
        }

        QTreeView* right = Tree("translatedTree");
        ClickRow(right, Row(right, 0, 0));
        QCOMPARE(Value("detailList", 2), QStringLiteral("1027700101230"));
        QCOMPARE(Value("detailList", 7), QString());  // no authority in a table row
        QCOMPARE(Value("detailList", 9), QStringLiteral("г. Москва"));
        const auto latinAddress =
            translit::Transliterate(Value("detailList", 1), QStringLiteral("Latin"));
        QVERIFY(latinAddress);
        QCOMPARE(Value("translatedDetailList", 1), *latinAddress);
        QCOMPARE(Value("translatedDetailList", 7), QString());
    }

    void serviceMessageBecomesAMessageNode() {
        QVERIFY(Search(mainWindow_.get(), QStringLiteral("Лимит")));
        QCOMPARE(Children(0), 1);
        QCOMPARE(ImageOf(Row(Tree(), 0, 0)), int(window::kImageMessage));
        QCOMPARE(ImageOf(Row(Tree(), 0)), int(window::kImageMessage));
        QCOMPARE(ImageOf(Row(Tree("translatedTree"), 0, 0)), int(window::kImageMessage));
        QCOMPARE(mainWindow_->FirmCount(), std::size_t(0));

        // A message row has no record: both lists stay empty.
        ClickRow(Tree(), Row(Tree(), 0, 0), true);
        ClickRow(Tree(), Row(Tree(), 0), true);
        QCOMPARE(Value("detailList", 0), QString());
        QCOMPARE(Value("translatedDetailList", 0), QString());
    }

    // The current row of either tree, by pointer or by arrow keys, fills both lists.
    void detailsFollowTheCurrentRowOfEitherTree() {
        QVERIFY(Search(mainWindow_.get(), QStringLiteral("Лютик")));
        QCOMPARE(Children(0), 2);
        QCOMPARE(TextOf(Row(Tree(), 0, 0)), TextOf(Row(Tree(), 0, 1)));
        const auto entries = mainWindow_->ResultEntries();
        QVERIFY(entries[0].firm.inn != entries[1].firm.inn);
        auto expectFirm = [&](std::size_t i) {
            QCOMPARE(Value("detailList", 4), Cp(entries[i].firm.inn));
            QCOMPARE(Value("detailList", 2), Cp(entries[i].firm.ogrn));
            QCOMPARE(Value("detailList", 9), Cp(entries[i].firm.region));
            const auto latin =
                translit::Transliterate(Cp(entries[i].firm.address), QStringLiteral("Latin"));
            QVERIFY(latin);
            QCOMPARE(Value("translatedDetailList", 1), *latin);
        };

        for (const char* side : {"resultsTree", "translatedTree"}) {
            QTreeView* tree = Tree(side);
            ClickRow(tree, Row(tree, 0, 1));  // one click is enough
            expectFirm(1);
            tree->setFocus();
            QTest::keyClick(tree->viewport(), Qt::Key_Up);
            expectFirm(0);
            QTest::keyClick(tree->viewport(), Qt::Key_Down);
            expectFirm(1);
        }
        // Double-clicking a query row opens and closes it and keeps the details.
        QTreeView* tree = Tree();
        tree->collapseAll();
        ClickRow(tree, Row(tree, 0), true);
        QVERIFY(tree->isExpanded(Row(tree, 0)));
        ClickRow(tree, Row(tree, 0), true);
        QVERIFY(!tree->isExpanded(Row(tree, 0)));
        expectFirm(1);
    }

    // The right pane shows the current rows only: after a search, after "Clear all",
    // after a search that finds nothing and after a language change.
    void rightPaneFollowsTheResults() {
        QCOMPARE(Queries("translatedTree"), 0);
        QVERIFY(Search(mainWindow_.get(), QStringLiteral("Лютик")));
        QCOMPARE(Queries("translatedTree"), 1);
        QCOMPARE(Children(0, "translatedTree"), 2);
        const auto latinFirm =
            translit::Transliterate(TextOf(Row(Tree(), 0, 0)), QStringLiteral("Latin"));
        const auto latinQuery =
            translit::Transliterate(TextOf(Row(Tree(), 0)), QStringLiteral("Latin"));
        QVERIFY(latinFirm);
        QVERIFY(latinQuery);
        QCOMPARE(TextOf(Row(Tree("translatedTree"), 0, 0)), *latinFirm);
        QCOMPARE(TextOf(Row(Tree("translatedTree"), 0)), *latinQuery);
        QCOMPARE(ImageOf(Row(Tree("translatedTree"), 0, 0)), int(window::kImageFirm));
        ClickRow(Tree(), Row(Tree(), 0, 0));
        QVERIFY(!Value("translatedDetailList", 4).isEmpty());

        // Another language converts the shown rows, captions and values again.
        auto* pane = Control<QComboBox>(mainWindow_.get(), "paneLanguageBox");
        pane->setCurrentText(QStringLiteral("Russian"));
        QCOMPARE(TextOf(Row(Tree("translatedTree"), 0, 0)), TextOf(Row(Tree(), 0, 0)));
        QCOMPARE(Value("translatedDetailList", 1), Value("detailList", 1));
        QCOMPARE(wintest::DetailCaption(mainWindow_.get(), "translatedDetailList", 0),
                 QStringLiteral("Название"));
        pane->setCurrentText(QStringLiteral("Latin"));
        QCOMPARE(TextOf(Row(Tree("translatedTree"), 0, 0)), *latinFirm);
        QCOMPARE(wintest::DetailCaption(mainWindow_.get(), "translatedDetailList", 0),
                 QStringLiteral("Nazvanie"));

        // A search that finds nothing leaves no firm of the last one on either side.
        QVERIFY(Search(mainWindow_.get(), QStringLiteral("Пусто")));
        QCOMPARE(Queries("translatedTree"), 1);
        QCOMPARE(Children(0, "translatedTree"), Children(0));
        QCOMPARE(mainWindow_->FirmCount(), std::size_t(0));
        QCOMPARE(Value("detailList", 4), QString());
        QCOMPARE(Value("translatedDetailList", 4), QString());

        QVERIFY(Search(mainWindow_.get(), QStringLiteral("Лютик")));
        Action("clearAction")->trigger();  // "Clear all"
        QCOMPARE(Queries("translatedTree"), 0);
        QCOMPARE(Queries(), 0);
    }

    // Copy reads the list its menu was opened over.
    void copyReadsTheListTheMenuWasOpenedOver() {
        QVERIFY(Search(mainWindow_.get(), QStringLiteral("Лютик")));
        ClickRow(Tree(), Row(Tree(), 0, 0));
        const auto entries = mainWindow_->ResultEntries();
        auto* right = Control<QTreeWidget>(mainWindow_.get(), "translatedDetailList");
        emit right->customContextMenuRequested(QPoint(1, 1));
        Control<QMenu>(mainWindow_.get(), "detailMenu")->close();
        Action("copyAllAction")->trigger();
        const QString all = QGuiApplication::clipboard()->text();
        QVERIFY2(all.startsWith(QStringLiteral("Nazvanie: ")), qPrintable(all));
        QVERIFY(all.contains(Value("translatedDetailList", 1)));
        right->topLevelItem(1)->setSelected(true);
        Action("copySelectedAction")->trigger();
        QCOMPARE(QGuiApplication::clipboard()->text(),
                 Value("translatedDetailList", 1) + QStringLiteral("\r\n"));

        auto* left = Control<QTreeWidget>(mainWindow_.get(), "detailList");
        emit left->customContextMenuRequested(QPoint(1, 1));
        Control<QMenu>(mainWindow_.get(), "detailMenu")->close();
        Action("copyAllAction")->trigger();
        QVERIFY(QGuiApplication::clipboard()->text().contains(QStringLiteral("ИНН: ") +
                                                              Cp(entries[0].firm.inn)));
    }

    void saveWritesEveryFirmAndReportsFailures() {
        QVERIFY(Search(mainWindow_.get(), QStringLiteral("Лютик")));
        QTemporaryDir dir;
        // "Save as..." names the results file, which "Save..." then writes again.
        const QString out = dir.filePath(QStringLiteral("out.txt"));
        wintest::AnswerFileDialog(this, out);
        Action("saveAsAction")->trigger();
        QCOMPARE(mainWindow_->ResultFileName(), out);
        QVERIFY(QFile::remove(out));
        Action("saveAction")->trigger();
        const QByteArray bytes = ReadAll(out);
        const std::string head = "[" + platform::ToCp1251(TextOf(Row(Tree(), 0))) + "]\r\n" +
                                 platform::ToCp1251(u"Название: ООО \"Лютик\"\r\n");
        QVERIFY(bytes.startsWith(QByteArray::fromStdString(head)));
        QCOMPARE(bytes.count("\r\n"), 24);
        QCOMPARE(mainWindow_->StatusText(),
                 QStringLiteral("Saved 2 firms to %1").arg(QDir::toNativeSeparators(out)));

        // The results file's folder gone since "Save as...": "Save..." says why it
        // cannot write there, and the name stays.
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("missing")));
        const QString unwritable = dir.filePath(QStringLiteral("missing/out.txt"));
        wintest::AnswerFileDialog(this, unwritable);
        Action("saveAsAction")->trigger();
        QCOMPARE(mainWindow_->ResultFileName(), unwritable);
        QVERIFY(QDir(dir.filePath(QStringLiteral("missing"))).removeRecursively());
        Action("saveAction")->trigger();
        QCOMPARE(Messages().size(), 1);
        QVERIFY2(
            Messages()[0].startsWith(QStringLiteral("Cannot create file \"%1\". ").arg(unwritable)),
            qPrintable(Messages()[0]));
        QCOMPARE(mainWindow_->ResultFileName(), unwritable);

        mainWindow_->ExportTo(dir.filePath(QStringLiteral("out.csv")));
        QVERIFY(ReadAll(dir.filePath(QStringLiteral("out.csv"))).size() > 0);

        Action("clearAction")->trigger();  // "Clear all"
        QCOMPARE(Queries(), 0);
        QCOMPARE(mainWindow_->FirmCount(), std::size_t(0));
    }

    void batchListSearchesEveryLine() {
        QTemporaryDir dir;
        const QString list = dir.filePath(QStringLiteral("inn.txt"));
        QFile file(list);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(
            QByteArray::fromStdString(platform::ToCp1251(u"1027700101230\r\n\r\nЛютик\r\n")));
        file.close();

        mainWindow_->LoadQueryList(list);
        QVERIFY(QTest::qWaitFor(
            [this]() {
                return mainWindow_->ThreadCount() == 0 &&
                       mainWindow_->StatusText() == QStringLiteral("Checking completed.");
            },
            kSearchTimeout));
        // The list's rows and results file take over once the search has started.
        QCOMPARE(mainWindow_->ResultFileName(), dir.filePath(QStringLiteral("inn_enabled.txt")));
        QCOMPARE(Queries(), 2);
        QCOMPARE(Children(0), 1);
        QCOMPARE(Children(1), 2);
        QCOMPARE(mainWindow_->FirmCount(), std::size_t(3));
    }

    void queriesGoThroughTheConfiguredProxy() {
        // The service host cannot be resolved: only the proxy (the stand-in) reaches it.
        QTemporaryDir dir;
        QFile config(dir.filePath(QStringLiteral("config.ini")));
        QVERIFY(config.open(QIODevice::WriteOnly));
        config.write(QStringLiteral("EnabledProxy=1\r\nproxy=127.0.0.1\r\nport=%1\r\n")
                         .arg(standin_->port())
                         .toLatin1());
        config.close();
        mainWindow_ =
            NewWindow("http://register.invalid", standin_->root() + "/", config.fileName());

        QVERIFY(Search(mainWindow_.get(), QStringLiteral("Лютик")));
        QCOMPARE(mainWindow_->FirmCount(), std::size_t(2));
    }

    void failingProxyIsNamedInsteadOfTheConnection() {
        // Nothing listens on the proxy's port: the probe through it fails.
        QTemporaryDir dir;
        QFile config(dir.filePath(QStringLiteral("config.ini")));
        QVERIFY(config.open(QIODevice::WriteOnly));
        config.write("EnabledProxy=1\r\nproxy=127.0.0.1\r\nport=1\r\n");
        config.close();
        mainWindow_ = NewWindow(standin_->root(), standin_->root() + "/", config.fileName());

        Control<QLineEdit>(mainWindow_.get(), "nameEdit")->setText(QStringLiteral("Лютик"));
        QTest::mouseClick(Control<QPushButton>(mainWindow_.get(), "findButton"), Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(mainWindow_->StatusText().startsWith(
                                     QStringLiteral("Cannot reach the proxy 127.0.0.1:1: ")),
                                 kSearchTimeout);
        QCOMPARE(Queries(), 0);
    }

    // "Register service..." tests an address through the proxy the searches use: a
    // host only the proxy can reach answers.
    void serviceTestGoesThroughTheProxy() {
        QTemporaryDir dir;
        QFile config(dir.filePath(QStringLiteral("config.ini")));
        QVERIFY(config.open(QIODevice::WriteOnly));
        config.write(QStringLiteral("EnabledProxy=1\r\nproxy=127.0.0.1\r\nport=%1\r\n")
                         .arg(standin_->port())
                         .toLatin1());
        config.close();
        mainWindow_ = NewWindow(standin_->root(), standin_->root() + "/", config.fileName());
        bool ok = false;
        QTimer::singleShot(0, [&ok] {
            auto* dialog =
                qobject_cast<window::ServiceHostDialog*>(QApplication::activeModalWidget());
            if (dialog == nullptr) {
                return;
            }
            dialog->hostEdit->setText(QStringLiteral("register.invalid"));
            dialog->portEdit->clear();
            QSignalSpy finished(dialog, &window::ServiceHostDialog::TestFinished);
            dialog->testButton->click();
            finished.wait(kSearchTimeout);
            ok = dialog->testResultLabel->property("ok").toBool();
            dialog->reject();
        });
        Action("serviceHostAction")->trigger();
        QVERIFY(ok);
        bool viaProxy = false;
        for (const testsupport::LoggedRequest& r : standin_->requests()) {
            viaProxy = viaProxy || r.target == "http://register.invalid/fns/";
        }
        QVERIFY(viaProxy);
    }

    void secondFindDiscardsEarlierFindings() {
        testsupport::StandinServer slow({"--slow", "1"});
        mainWindow_ = NewWindow(slow.root(), standin_->root() + "/");
        Control<QLineEdit>(mainWindow_.get(), "nameEdit")->setText(QStringLiteral("Медленно"));
        QTest::mouseClick(Control<QPushButton>(mainWindow_.get(), "findButton"), Qt::LeftButton);
        QTRY_COMPARE_WITH_TIMEOUT(mainWindow_->ThreadCount(), 1, kSearchTimeout);

        QVERIFY(Search(mainWindow_.get(), QStringLiteral("Лютик")));
        QCOMPARE(Queries(), 1);
        QVERIFY(TextOf(Row(Tree(), 0)).contains(QStringLiteral("Лютик")));
        QCOMPARE(Children(0), 2);
        QCOMPARE(mainWindow_->FirmCount(), std::size_t(2));
    }

    // Last: closing ends every exchange of the process.
    void closingMidExchangeEndsCleanly() {
        testsupport::StandinServer slow({"--slow", "20"});
        QTemporaryDir dir;
        mainWindow_ = NewWindow(slow.root(), standin_->root() + "/",
                                dir.filePath(QStringLiteral("config.ini")));
        Control<QLineEdit>(mainWindow_.get(), "nameEdit")->setText(QStringLiteral("Медленно"));
        QTest::mouseClick(Control<QPushButton>(mainWindow_.get(), "findButton"), Qt::LeftButton);
        QTRY_COMPARE_WITH_TIMEOUT(mainWindow_->ThreadCount(), 1, kSearchTimeout);

        QVERIFY(mainWindow_->close());
        QCOMPARE(mainWindow_->ThreadCount(), 0);
        QVERIFY(ReadAll(dir.filePath(QStringLiteral("config.ini"))).startsWith("[Setting]\r\n"));
        mainWindow_.reset();
        QCoreApplication::processEvents();
    }
};

QTEST_MAIN(SearchTest)
#include "main_window_search_test.moc"
