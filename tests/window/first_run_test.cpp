// What a new user meets: first-run choices under the locale the process runs with
// (the ctest entries run it under a German and a C locale), sorted lists, accessible
// names, the detail lists at the default size, key filters with modifiers, one report
// per double-click, the "Register service..." setting, and a named pipe at start-up.
#include <sys/stat.h>

#include <QAbstractScrollArea>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QSettings>
#include <QTimer>
#include <QTreeView>
#include <QTreeWidget>
#include <QtTest>
#include <memory>

#include "config/default_addresses.h"
#include "config/service_host.h"
#include "exchange/query_service.h"
#include "platform/cp1251.h"
#include "support/window_fixture.h"
#include "window/image_list.h"
#include "window/main_window.h"
#include "window/results_model.h"
#include "window/results_pane.h"
#include "window/service_host_dialog.h"

using wintest::Control;
using wintest::Messages;

class FirstRunTest : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<wintest::Sandbox> sandbox_;

    QComboBox* Box(const QWidget* mainWindow, const char* name) const {
        return Control<QComboBox>(mainWindow, name);
    }
    static QStringList Items(const QComboBox* box) {
        QStringList items;
        for (int i = 0; i < box->count(); ++i) {
            items << box->itemText(i);
        }
        return items;
    }
    // The shipped language names (folders with an empty table) and dictionaries.
    void WriteLanguages(const QStringList& names) {
        for (const QString& name : names) {
            sandbox_->WriteLanguage(name, {});
            sandbox_->WriteDictionary(name + QStringLiteral(".txt"), "");
        }
    }
    static void SetChoice(const char* application, const char* name, const QString& value) {
        QSettings settings(QStringLiteral("Quillmarsh"), QString::fromLatin1(application));
        settings.setValue(QString::fromLatin1(name), value);
        settings.sync();
    }

  private slots:
    void initTestCase() {
        sandbox_ = std::make_unique<wintest::Sandbox>();
        wintest::CaptureMessages();
    }

    void init() {
        Messages().clear();
        sandbox_->UseDataFolder(QStringLiteral("data-%1").arg(QTest::currentTestFunction()));
    }

    void cleanup() { wintest::Sandbox::ClearSettings(); }

    // Without stored choices: the request side sends the query as typed, the pane
    // and the dictionary follow the locale's language. Typing raises no box.
    void firstRunFollowsTheLocale() {
        WriteLanguages({QStringLiteral("Русский"), QStringLiteral("English"),
                        QStringLiteral("Deutsch"), QStringLiteral("Čeština")});
        const QString expected = qEnvironmentVariable("VENDRAKE_EXPECT_PANE", "English");
        window::MainWindow mainWindow;
        QCOMPARE(Box(&mainWindow, "requestLanguageBox")->currentText(), QStringLiteral("Русский"));
        QCOMPARE(Box(&mainWindow, "paneLanguageBox")->currentText(), expected);
        QCOMPARE(Box(&mainWindow, "dictionaryBox")->currentText(), expected);
        wintest::TypeText(Control<QLineEdit>(&mainWindow, "nameEdit"), QStringLiteral("Ромашка"));
        QCOMPARE(Control<QLineEdit>(&mainWindow, "nameMirror")->text(), QStringLiteral("Ромашка"));
        QCOMPARE(Messages(), QStringList());
    }

    void storedChoicesWin() {
        WriteLanguages({QStringLiteral("Русский"), QStringLiteral("English"),
                        QStringLiteral("Deutsch"), QStringLiteral("Polski")});
        SetChoice("Vendrake", "LangDict", QStringLiteral("Polski"));
        SetChoice("Vendrake", "LangDict2", QStringLiteral("Polski"));
        SetChoice("Tessadrin", "LangTransliteration", QStringLiteral("Polski"));
        window::MainWindow mainWindow;
        QCOMPARE(Box(&mainWindow, "requestLanguageBox")->currentText(), QStringLiteral("Polski"));
        QCOMPARE(Box(&mainWindow, "paneLanguageBox")->currentText(), QStringLiteral("Polski"));
        QCOMPARE(Box(&mainWindow, "dictionaryBox")->currentText(), QStringLiteral("Polski"));
    }

    // Every box lists the same names in the same order, ignoring case.
    void listsAreSortedAlike() {
        WriteLanguages({QStringLiteral("Русский"), QStringLiteral("italiano"),
                        QStringLiteral("English"), QStringLiteral("Deutsch"),
                        QStringLiteral("ISO 9"), QStringLiteral("Čeština")});
        window::MainWindow mainWindow;
        const QStringList languages = Items(Box(&mainWindow, "requestLanguageBox"));
        QCOMPARE(languages.size(), 6);
        QCOMPARE(Items(Box(&mainWindow, "paneLanguageBox")), languages);
        QCOMPARE(Items(Box(&mainWindow, "dictionaryBox")), languages);
        QVERIFY2(languages.indexOf(QStringLiteral("ISO 9")) <
                     languages.indexOf(QStringLiteral("italiano")),
                 qPrintable(languages.join(u',')));
        QVERIFY(languages.indexOf(QStringLiteral("Deutsch")) <
                languages.indexOf(QStringLiteral("English")));
        QCOMPARE(languages.last(), QStringLiteral("Русский"));
    }

    void controlsHaveAccessibleNamesAndBuddies() {
        WriteLanguages({QStringLiteral("English")});
        window::MainWindow mainWindow;
        const struct {
            const char* control;
            const char* name;
        } expected[] = {
            {"nameEdit", "Name"},
            {"addressEdit", "Address"},
            {"regionBox", "Region"},
            {"dateEdit", "Date"},
            {"numberEdit", "OGRN/INN"},
            {"requestLanguageBox", "Language of transliteration"},
            {"dictionaryBox", "Language of translation"},
            {"paneLanguageBox", "Language of the results pane"},
            {"resultsTree", "Search results in the original language"},
            {"translatedTree", "Search results in your language"},
            {"detailList", "Details in the original language"},
            {"translatedDetailList", "Details in your language"},
        };
        QStringList buddies;
        for (QLabel* label : mainWindow.findChildren<QLabel*>()) {
            if (label->buddy() != nullptr) {
                buddies << label->buddy()->objectName();
            }
        }
        for (const auto& row : expected) {
            auto* control = mainWindow.findChild<QWidget*>(QString::fromLatin1(row.control));
            QVERIFY2(control != nullptr, row.control);
            QCOMPARE(control->accessibleName(), QString::fromLatin1(row.name));
        }
        for (const char* edit : {"nameEdit", "addressEdit", "regionBox", "dateEdit", "numberEdit",
                                 "requestLanguageBox", "dictionaryBox", "paneLanguageBox"}) {
            QVERIFY2(buddies.contains(QString::fromLatin1(edit)), edit);
        }
        // Tab moves from the name field down the entry group.
        QCOMPARE(Control<QLineEdit>(&mainWindow, "nameEdit")->nextInFocusChain(),
                 Control<QLineEdit>(&mainWindow, "addressEdit"));
    }

    // At the default size every row of both detail lists is visible and an ordinary
    // value needs no horizontal scrolling.
    void detailListsShowTenRowsAtTheDefaultSize() {
        WriteLanguages({QStringLiteral("English")});
        window::MainWindow mainWindow;
        mainWindow.show();
        QVERIFY(QTest::qWaitForWindowExposed(&mainWindow));
        lookup::FirmRecord record;
        record.name = platform::ToCp1251(
            QStringLiteral("ОБЩЕСТВО С ОГРАНИЧЕННОЙ ОТВЕТСТВЕННОСТЬЮ \"РОМАШКА\""));
        record.address = platform::ToCp1251(QStringLiteral("г. Москва, ул. Тверская, д. 1"));
        wintest::ShowFirm(mainWindow, record);
        QCoreApplication::processEvents();
        for (const char* name : {"detailList", "translatedDetailList"}) {
            auto* list = Control<QTreeWidget>(&mainWindow, name);
            QCOMPARE(list->topLevelItemCount(), 10);
            const QRect viewport = list->viewport()->rect();
            const QRect last = list->visualItemRect(list->topLevelItem(9));
            QVERIFY2(viewport.contains(last), name);
            QCOMPARE(list->horizontalScrollBar()->maximum(), 0);
        }
    }

    // A key that types a character is judged by that character, whatever the modifiers.
    void altLetterIsRefused() {
        WriteLanguages({QStringLiteral("English")});
        window::MainWindow mainWindow;
        auto* number = Control<QLineEdit>(&mainWindow, "numberEdit");
        QTest::keyClick(number, Qt::Key_A, Qt::AltModifier);
        QTest::keyClick(number, Qt::Key_A, Qt::ControlModifier | Qt::AltModifier);
        QTest::keyClick(number, Qt::Key_1, Qt::AltModifier);
        QCOMPARE(number->text(), QStringLiteral("1"));
        QTest::keyClick(number, Qt::Key_A, Qt::ControlModifier);  // select all: types nothing
        QTest::keyClick(number, Qt::Key_Backspace);
        QCOMPARE(number->text(), QString());
    }

    // A big tree and a pane language that cannot be read: one report, naming it,
    // however many rows and firms are shown.
    void brokenPaneLanguageReportsOnce() {
        WriteLanguages({QStringLiteral("English")});
        QFile::remove(sandbox_->TransliterationRoot() + QStringLiteral("English/exception.dat"));
        SetChoice("Vendrake", "LangDict2", QStringLiteral("English"));
        window::MainWindow mainWindow;
        mainWindow.show();
        QVERIFY(QTest::qWaitForWindowExposed(&mainWindow));
        window::ResultsModel& model = mainWindow.Results().Model();
        for (int q = 0; q < 20; ++q) {
            const window::NodeHandle query = model.AddQuery(QStringLiteral("Запрос %1").arg(q));
            for (int f = 0; f < 100; ++f) {
                model.AddRow(query, window::RowKind::Firm, QStringLiteral("ООО Фирма %1").arg(f));
            }
        }
        wintest::Tree(&mainWindow, "translatedTree")->expandAll();
        lookup::FirmRecord record;
        record.name = platform::ToCp1251(QStringLiteral("ООО Фирма"));
        wintest::ShowFirm(mainWindow, record);
        QCoreApplication::processEvents();
        QCOMPARE(Messages().size(), 1);
        QVERIFY2(Messages().first().startsWith(QStringLiteral("Language \"English\": ")),
                 qPrintable(Messages().first()));
        QVERIFY2(Messages().first().contains(QStringLiteral("exception.dat")),
                 qPrintable(Messages().first()));
        // The nodes stay as they came: unconverted, but all there.
        QCOMPARE(wintest::Tree(&mainWindow, "translatedTree")->model()->rowCount(), 21);
    }

    // A query node opens and closes on a double-click, and its icon is drawn the same
    // whether it is selected or not.
    void queryNodeTogglesAndKeepsItsIcon() {
        WriteLanguages({QStringLiteral("English")});
        window::MainWindow mainWindow;
        mainWindow.show();
        QVERIFY(QTest::qWaitForWindowExposed(&mainWindow));
        QTreeView* tree = wintest::Tree(&mainWindow);
        window::ResultsModel& model = mainWindow.Results().Model();
        const window::NodeHandle handle = model.AddQuery(QStringLiteral("Запрос"));
        model.AddRow(handle, window::RowKind::Firm, QStringLiteral("Фирма"));
        const QModelIndex query = model.QueryIndex(handle);
        tree->setCurrentIndex(query);
        const QPoint at = tree->visualRect(query).center();
        // A plain click first, as a user's pointer does, then the double-click.
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(tree->viewport(), Qt::LeftButton, {}, at, 50);
        QVERIFY(tree->isExpanded(query));
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, at, 500);
        QTest::mouseDClick(tree->viewport(), Qt::LeftButton, {}, at, 50);
        QVERIFY(!tree->isExpanded(query));
        QCOMPARE(Messages(), QStringList());

        for (const QIcon& icon : window::MakeImageList()) {
            QCOMPARE(icon.pixmap(16, QIcon::Selected).toImage(),
                     icon.pixmap(16, QIcon::Normal).toImage());
        }
    }

    void namedPipeAtDescriptionDoesNotHang() {
        WriteLanguages({QStringLiteral("English")});
        const QString description =
            sandbox_->TransliterationRoot() + QStringLiteral("English/description.dat");
        QFile::remove(description);
        QCOMPARE(::mkfifo(QFile::encodeName(description).constData(), 0600), 0);
        window::MainWindow mainWindow;  // would block here opening the pipe for reading
        QCOMPARE(Messages().size(), 1);
        QVERIFY2(Messages().first().startsWith(
                     QStringLiteral("Cannot open file \"%1\". ").arg(description)),
                 qPrintable(Messages().first()));
        QVERIFY(Messages().first().contains(QStringLiteral("Not a regular file.")));
    }

    void serviceHostDialogStoresTheAddress() {
        window::ServiceHostDialog dialog;
        QCOMPARE(dialog.hostEdit->text(), config::BuildTimeServiceAddress().host);
        QCOMPARE(dialog.hostEdit->accessibleName(), QStringLiteral("Host"));
        QCOMPARE(dialog.portEdit->accessibleName(), QStringLiteral("Port"));

        dialog.hostEdit->setText(QStringLiteral("mirror.example.org"));
        dialog.portEdit->setText(QStringLiteral("70000"));
        QVERIFY(!dialog.Apply());
        QCOMPARE(Messages(), QStringList({"The port \"70000\" is not a number from 1 to 65535."}));
        QVERIFY(!config::StoredServiceAddress());

        dialog.portEdit->setText(QStringLiteral("8080"));
        QVERIFY(dialog.Apply());
        QSettings settings(QStringLiteral("Quillmarsh"), QStringLiteral("Vendrake"));
        QCOMPARE(settings.value(QStringLiteral("ServiceHost")).toString(),
                 QStringLiteral("mirror.example.org:8080"));
        QCOMPARE(config::ConfiguredServiceRoot(config::DefaultServiceRoot()),
                 std::string("http://mirror.example.org:8080"));
        window::ServiceHostDialog again;
        QCOMPARE(again.portEdit->text(), QStringLiteral("8080"));

        // Only the placeholder earns the pointer to the menu.
        QVERIFY(window::ServiceHostHint(config::DefaultServiceRoot())
                    .contains(QStringLiteral("\"Register service...\"")));
        QCOMPARE(window::ServiceHostHint("http://mirror.example.org:8080"), QString());
    }
};

QTEST_MAIN(FirstRunTest)
#include "first_run_test.moc"
