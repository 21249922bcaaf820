// Start-up of the main window: the language lists, the saved choices and the reports
// that stop start-up while the window still opens.
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QSplitter>
#include <QtTest>
#include <memory>

#include "exchange/query_service.h"
#include "support/window_fixture.h"
#include "window/main_window.h"

using wintest::Control;
using wintest::Messages;

class StartupTest : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<wintest::Sandbox> sandbox_;

    static QString SettingsFile(const char* application) {
        return QSettings(QStringLiteral("Quillmarsh"), QString::fromLatin1(application)).fileName();
    }
    static void SetChoice(const char* application, const char* name, const QVariant& value) {
        QSettings settings(QStringLiteral("Quillmarsh"), QString::fromLatin1(application));
        settings.setValue(QString::fromLatin1(name), value);
        settings.sync();
    }
    static QVariant Choice(const char* application, const char* name) {
        return QSettings(QStringLiteral("Quillmarsh"), QString::fromLatin1(application))
            .value(QString::fromLatin1(name));
    }
    static QStringList Items(const QComboBox* box) {
        QStringList items;
        for (int i = 0; i < box->count(); ++i) {
            items << box->itemText(i);
        }
        items.sort();
        return items;
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

    // Runs first, while the settings folder is still empty.
    void firstRunCreatesSettingsAndLeavesBoxesEmpty() {
        QVERIFY(!QFile::exists(SettingsFile("Vendrake")));
        QVERIFY(!QFile::exists(SettingsFile("Tessadrin")));
        sandbox_->WriteStandardLanguages();
        sandbox_->WriteDictionary(QStringLiteral("en.names.txt"), "a;b\r\n");
        QFile::copy(sandbox_->TransliterationRoot() + QStringLiteral("Latin/Latin.dat"),
                    sandbox_->TransliterationRoot() + QStringLiteral("plain-file.dat"));

        window::MainWindow mainWindow;
        QVERIFY(QFile::exists(SettingsFile("Vendrake")));
        QVERIFY(QFile::exists(SettingsFile("Tessadrin")));
        auto* requestLanguage = Control<QComboBox>(&mainWindow, "requestLanguageBox");
        auto* paneLanguage = Control<QComboBox>(&mainWindow, "paneLanguageBox");
        auto* translate = Control<QComboBox>(&mainWindow, "dictionaryBox");
        // Folders only, both boxes alike; a dictionary a.b.txt is listed as a.b.
        QCOMPARE(Items(requestLanguage), QStringList({"Latin", "Russian"}));
        QCOMPARE(Items(paneLanguage), QStringList({"Latin", "Russian"}));
        QCOMPARE(Items(translate), QStringList({"en.names"}));
        QCOMPARE(requestLanguage->currentIndex(), -1);
        QCOMPARE(requestLanguage->currentText(), QString());
        QCOMPARE(paneLanguage->currentText(), QString());
        QCOMPARE(translate->currentText(), QString());
        QVERIFY(Messages().isEmpty());
        // Nothing was written back by start-up.
        QVERIFY(!Choice("Vendrake", "LangDict").isValid());
    }

    void savedChoicesAreRestoredIgnoringCase() {
        sandbox_->WriteStandardLanguages();
        sandbox_->WriteDictionary(QStringLiteral("English.txt"), "");
        sandbox_->WriteDictionary(QStringLiteral("German.txt"), "");
        SetChoice("Vendrake", "LangDict", QStringLiteral("LATIN"));
        SetChoice("Vendrake", "LangDict2", QStringLiteral("russian"));
        SetChoice("Tessadrin", "LangTransliteration", QStringLiteral("german"));

        window::MainWindow mainWindow;
        QCOMPARE(Control<QComboBox>(&mainWindow, "requestLanguageBox")->currentText(),
                 QStringLiteral("Latin"));
        QCOMPARE(Control<QComboBox>(&mainWindow, "paneLanguageBox")->currentText(),
                 QStringLiteral("Russian"));
        QCOMPARE(Control<QComboBox>(&mainWindow, "dictionaryBox")->currentText(),
                 QStringLiteral("German"));
        // Restoring raised no change event: the stored spelling and the mirrors stay.
        QCOMPARE(Choice("Vendrake", "LangDict").toString(), QStringLiteral("LATIN"));
        QCOMPARE(Control<QLineEdit>(&mainWindow, "regionMirror")->text(), QString());
        QVERIFY(Messages().isEmpty());
        wintest::Sandbox::ClearSettings();
    }

    // The dictionary box shows a dictionary: never the request language or another
    // stored name that is none; without a usable choice, the locale's (English here).
    void dictionaryBoxShowsOnlyDictionaries() {
        sandbox_->WriteStandardLanguages();
        sandbox_->WriteDictionary(QStringLiteral("English.txt"), "");
        sandbox_->WriteDictionary(QStringLiteral("German.txt"), "");
        SetChoice("Vendrake", "LangDict", QStringLiteral("Latin"));
        SetChoice("Tessadrin", "LangTransliteration", QStringLiteral("Elvish"));

        window::MainWindow mainWindow;
        QCOMPARE(Control<QComboBox>(&mainWindow, "dictionaryBox")->currentText(),
                 QStringLiteral("English"));
        QCOMPARE(Control<QComboBox>(&mainWindow, "requestLanguageBox")->currentText(),
                 QStringLiteral("Latin"));
        wintest::Sandbox::ClearSettings();
    }

    // The dictionary chosen is the program's own setting and wins over the sibling
    // key, which is read only while no own choice is stored.
    void dictionaryChoiceIsKeptAcrossARestart() {
        sandbox_->WriteStandardLanguages();
        sandbox_->WriteDictionary(QStringLiteral("English.txt"), "");
        sandbox_->WriteDictionary(QStringLiteral("German.txt"), "");
        sandbox_->WriteDictionary(QStringLiteral("Polish.txt"), "");
        SetChoice("Vendrake", "LangDict", QStringLiteral("Latin"));
        SetChoice("Tessadrin", "LangTransliteration", QStringLiteral("Polish"));
        {
            window::MainWindow mainWindow;
            auto* dictionary = Control<QComboBox>(&mainWindow, "dictionaryBox");
            QCOMPARE(dictionary->currentText(), QStringLiteral("Polish"));
            dictionary->setCurrentIndex(dictionary->findText(QStringLiteral("German")));
            QTest::keyClicks(dictionary, QStringLiteral("x"));  // names no entry: no choice
        }
        QCOMPARE(Choice("Vendrake", "Dictionary").toString(), QStringLiteral("German"));
        QCOMPARE(Choice("Tessadrin", "LangTransliteration").toString(), QStringLiteral("Polish"));
        window::MainWindow mainWindow;
        QCOMPARE(Control<QComboBox>(&mainWindow, "dictionaryBox")->currentText(),
                 QStringLiteral("German"));
        QVERIFY(Messages().isEmpty());
        wintest::Sandbox::ClearSettings();
    }

    // Size, place, splitters and the list folder come back as the user left them.
    void layoutIsRestored() {
        sandbox_->WriteStandardLanguages();
        QTemporaryDir lists;
        const QString list = lists.filePath(QStringLiteral("list.txt"));
        QFile file(list);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("\r\n");
        file.close();
        QList<int> sizes;
        {
            // Nothing listens there: the list's probe fails at once.
            window::MainWindow mainWindow(nullptr, "http://127.0.0.1:1", "http://127.0.0.1:1/");
            mainWindow.show();
            QVERIFY(QTest::qWaitForWindowExposed(&mainWindow));
            mainWindow.resize(1111, 777);
            auto* splitter = Control<QSplitter>(&mainWindow, "resultsSplitter");
            splitter->setSizes({200, 700});
            sizes = splitter->sizes();
            mainWindow.LoadQueryList(list);
            QTRY_VERIFY_WITH_TIMEOUT(!mainWindow.Service()->Probing(), 30000);
            QVERIFY(mainWindow.close());
        }
        window::MainWindow mainWindow;
        mainWindow.show();
        QVERIFY(QTest::qWaitForWindowExposed(&mainWindow));
        QCOMPARE(mainWindow.size(), QSize(1111, 777));
        QCOMPARE(Control<QSplitter>(&mainWindow, "resultsSplitter")->sizes(), sizes);
        QCOMPARE(Choice("Vendrake", "ListFolder").toString(), lists.path() + QLatin1Char('/'));
        wintest::Sandbox::ClearSettings();
    }

    // A stored service address that cannot be read is named once in the status line,
    // with the default address used instead.
    void invalidStoredServiceHostIsReported() {
        sandbox_->WriteStandardLanguages();
        SetChoice("Vendrake", "ServiceHost", QStringLiteral("http://mirror.example/fns/"));
        window::MainWindow mainWindow(nullptr, "http://default.example");
        const QString status = mainWindow.StatusText();
        QVERIFY2(status.startsWith(
                     QStringLiteral("The setting ServiceHost=\"http://mirror.example/fns/\"")),
                 qPrintable(status));
        QVERIFY(
            status.contains(QStringLiteral("The default address http://default.example is used")));
        QVERIFY(Messages().isEmpty());
        wintest::Sandbox::ClearSettings();
    }

    void missingRootReportsNoDictionaryFiles() {
        QDir(sandbox_->TransliterationRoot()).removeRecursively();
        sandbox_->WriteDictionary(QStringLiteral("English.txt"), "");

        window::MainWindow mainWindow;
        QCOMPARE(Messages(), QStringList({"No dictionary files"}));
        QCOMPARE(Control<QComboBox>(&mainWindow, "requestLanguageBox")->count(), 0);
        QCOMPARE(Control<QComboBox>(&mainWindow, "paneLanguageBox")->count(), 0);
        QCOMPARE(Control<QComboBox>(&mainWindow, "dictionaryBox")->count(), 0);
    }

    void nonStringSettingStopsStartup() {
        sandbox_->WriteStandardLanguages();
        SetChoice("Vendrake", "LangDict", QStringList({"Latin", "Russian"}));

        window::MainWindow mainWindow;
        QCOMPARE(Messages(), QStringList({"Invalid data type for 'LangDict'"}));
        QCOMPARE(Control<QComboBox>(&mainWindow, "requestLanguageBox")->count(), 0);
        // The window is complete and usable all the same.
        QVERIFY(Control<QPushButton>(&mainWindow, "findButton") != nullptr);
        wintest::Sandbox::ClearSettings();
    }

    void unreadableDescriptionStopsBeforeRestoring() {
        sandbox_->WriteLanguage(QStringLiteral("Latin"), {});
        QFile::remove(sandbox_->TransliterationRoot() + QStringLiteral("Latin/description.dat"));
        SetChoice("Vendrake", "LangDict2", QStringLiteral("Nothing"));

        window::MainWindow mainWindow;
        QCOMPARE(Messages().size(), 1);
        const QString expected = QStringLiteral("Cannot open file \"%1Latin/description.dat\". ")
                                     .arg(sandbox_->TransliterationRoot());
        QVERIFY2(Messages().first().startsWith(expected), qPrintable(Messages().first()));
        // Step 8 did not run: the first entries stay selected.
        QCOMPARE(Control<QComboBox>(&mainWindow, "requestLanguageBox")->currentText(),
                 QStringLiteral("Latin"));
        QCOMPARE(Control<QComboBox>(&mainWindow, "paneLanguageBox")->currentText(),
                 QStringLiteral("Latin"));
        wintest::Sandbox::ClearSettings();
    }

    // Every choice is written at once. A typed name that is no entry is no choice: each
    // box keeps an installed language or dictionary, and no such name is stored.
    void userChoicesAreWrittenOnEveryChange() {
        sandbox_->WriteStandardLanguages();
        sandbox_->WriteDictionary(QStringLiteral("English.txt"), "");
        window::MainWindow mainWindow;
        mainWindow.show();
        QVERIFY(QTest::qWaitForWindowExposed(&mainWindow));
        auto* requestLanguage = Control<QComboBox>(&mainWindow, "requestLanguageBox");
        requestLanguage->setCurrentIndex(requestLanguage->findText(QStringLiteral("Russian")));
        QCOMPARE(Choice("Vendrake", "LangDict").toString(), QStringLiteral("Russian"));
        auto* paneLanguage = Control<QComboBox>(&mainWindow, "paneLanguageBox");
        paneLanguage->setCurrentIndex(paneLanguage->findText(QStringLiteral("Latin")));
        QCOMPARE(Choice("Vendrake", "LangDict2").toString(), QStringLiteral("Latin"));

        for (const char* name : {"requestLanguageBox", "paneLanguageBox", "dictionaryBox"}) {
            auto* box = Control<QComboBox>(&mainWindow, name);
            box->setFocus();
            QTest::keyClicks(box, QStringLiteral("Klingon"));
            QTest::keyClick(box, Qt::Key_Return);
            QVERIFY2(box->findText(box->currentText()) >= 0, qPrintable(box->currentText()));
        }
        const QStringList installed = {"Latin", "Russian", "English"};
        for (const char* key : {"LangDict", "LangDict2", "Dictionary"}) {
            const QVariant stored = Choice("Vendrake", key);
            QVERIFY2(!stored.isValid() || installed.contains(stored.toString()),
                     qPrintable(stored.toString()));
        }
        QVERIFY(Messages().isEmpty());
        wintest::Sandbox::ClearSettings();
    }

    // A stored language or dictionary that is no longer installed falls back as at the
    // first start, and the status line names it; nothing else reports it.
    void storedNameNoLongerInstalledFallsBack() {
        sandbox_->WriteLanguage(QStringLiteral("Русский"), {});
        sandbox_->WriteLanguage(QStringLiteral("English"), {});
        sandbox_->WriteDictionary(QStringLiteral("English.txt"), "");
        SetChoice("Vendrake", "LangDict", QStringLiteral("Klingon"));
        SetChoice("Vendrake", "LangDict2", QStringLiteral("Klingon"));
        SetChoice("Vendrake", "Dictionary", QStringLiteral("Elvish"));
        {
            window::MainWindow mainWindow;
            QCOMPARE(Control<QComboBox>(&mainWindow, "requestLanguageBox")->currentText(),
                     QStringLiteral("Русский"));
            QCOMPARE(Control<QComboBox>(&mainWindow, "paneLanguageBox")->currentText(),
                     QStringLiteral("English"));
            QCOMPARE(Control<QComboBox>(&mainWindow, "dictionaryBox")->currentText(),
                     QStringLiteral("English"));
            QCOMPARE(mainWindow.StatusText(),
                     QStringLiteral("Language of transliteration: \"Klingon\" is not installed any "
                                    "more; \"Русский\" is used instead. Search results in your "
                                    "language: \"Klingon\" is not installed any more; \"English\" "
                                    "is used instead. Language of translation: \"Elvish\" is not "
                                    "installed any more; \"English\" is used instead."));
            wintest::TypeText(Control<QLineEdit>(&mainWindow, "nameEdit"), QStringLiteral("Лютик"));
            QCOMPARE(Control<QLineEdit>(&mainWindow, "nameMirror")->text(),
                     QStringLiteral("Лютик"));
            QVERIFY(Messages().isEmpty());
            QCOMPARE(Choice("Vendrake", "LangDict").toString(), QStringLiteral("Klingon"));
        }

        // With nothing to fall back to, the box stays empty and says so.
        SetChoice("Vendrake", "Dictionary", QString());
        sandbox_->UseDataFolder(QStringLiteral("data-only-latin"));
        sandbox_->WriteLanguage(QStringLiteral("Latin"), {});
        window::MainWindow mainWindow;
        QCOMPARE(Control<QComboBox>(&mainWindow, "requestLanguageBox")->currentIndex(), -1);
        QVERIFY2(mainWindow.StatusText().startsWith(QStringLiteral(
                     "Language of transliteration: \"Klingon\" is not installed any more. ")),
                 qPrintable(mainWindow.StatusText()));
        QVERIFY(Messages().isEmpty());
        wintest::Sandbox::ClearSettings();
    }

    void failedSettingsWriteIsReported() {
        sandbox_->WriteStandardLanguages();
        window::MainWindow mainWindow;
        // A folder where the settings file should be cannot be written.
        const QString file = SettingsFile("Vendrake");
        QFile::remove(file);
        QVERIFY(QDir().mkpath(file));
        auto* paneLanguage = Control<QComboBox>(&mainWindow, "paneLanguageBox");
        paneLanguage->setCurrentIndex(1);
        QCOMPARE(Messages(), QStringList({"Failed to set data for 'LangDict2'"}));
        QCOMPARE(paneLanguage->currentIndex(), 1);  // the choice just made stays
        QDir(file).removeRecursively();
    }
};

QTEST_MAIN(StartupTest)
#include "main_window_startup_test.moc"
