// Copying and saving what the window shows: the texts built from a real two-column
// QTreeWidget, what the clipboard holds after each copy command over either detail list
// of the real window in languages beyond Windows-1251, and "Save..." with nothing to
// save.
#include <QAction>
#include <QClipboard>
#include <QComboBox>
#include <QFile>
#include <QGuiApplication>
#include <QMenu>
#include <QSettings>
#include <QTemporaryDir>
#include <QTreeView>
#include <QTreeWidget>
#include <QtTest>
#include <memory>

#include "pages/records.h"
#include "support/cp1251_text.h"
#include "support/window_fixture.h"
#include "window/detail_copy.h"
#include "window/main_window.h"
#include "window/results_model.h"
#include "window/results_pane.h"

using wintest::Control;

namespace {

const char* const kCaptions[] = {"Название", "Адрес",       "ОГРН",       "ГРН",          "ИНН",
                                 "КПП",      "Дата записи", "Рег. орган", "Адрес органа", "Регион"};

// A firm as the register lists it; its address has a letter beyond Windows-1251.
lookup::FirmRecord Romashka() {
    lookup::FirmRecord firm;
    firm.name = testsupport::Cp1251("ООО \"Ромашка\"");
    firm.address = testsupport::Cp1251("г. Москва, ул. Тверская, д. 1");
    firm.inn = "7701234567";
    firm.kpp = "770101001";
    firm.ogrn = "1027700101230";
    firm.grn = "2127700000001";
    firm.date = "14.03.2002";
    firm.authority =
        testsupport::Cp1251("Межрайонная инспекция Федеральной налоговой службы № 46 по г. Москве");
    firm.authorityAddress = testsupport::Cp1251("г. Москва, ул. Походный проезд, 3");
    firm.region = testsupport::Cp1251("г. Москва");
    return firm;
}

using wintest::ReadAll;

}  // namespace

class DetailCopyTest : public QObject {
    Q_OBJECT

  private:
    QTreeWidget list_;
    std::unique_ptr<wintest::Sandbox> sandbox_;

    int shippedWindows_ = 0;

    // A window over the shipped languages and dictionaries, its pane in language. Each
    // gets a fresh data folder whose two roots link to the source tree's.
    std::unique_ptr<window::MainWindow> ShippedWindow(const QString& language) {
        const QString root =
            sandbox_->UseDataFolder(QStringLiteral("shipped-%1").arg(++shippedWindows_));
        if (!QDir().rmdir(root) ||
            !QFile::link(QStringLiteral(VENDRAKE_SOURCE_DIR "/data/Transliteration"),
                         root.chopped(1)) ||
            !QFile::link(QStringLiteral(VENDRAKE_SOURCE_DIR "/data/Dictionaries"),
                         sandbox_->DictionaryRoot().chopped(1))) {
            qFatal("cannot link the shipped languages into %s", qPrintable(root));
        }
        QSettings settings(QStringLiteral("Quillmarsh"), QStringLiteral("Vendrake"));
        settings.setValue(QStringLiteral("LangDict"), QStringLiteral("Русский"));
        settings.setValue(QStringLiteral("LangDict2"), language);
        settings.setValue(QStringLiteral("Dictionary"), language);
        settings.sync();
        auto mainWindow = std::make_unique<window::MainWindow>();
        mainWindow->show();
        if (!QTest::qWaitForWindowExposed(mainWindow.get())) {
            qWarning("the window was not exposed");
        }
        return mainWindow;
    }

  private slots:
    void initTestCase() {
        sandbox_ = std::make_unique<wintest::Sandbox>();
        wintest::CaptureMessages();
    }

    void init() {
        wintest::Messages().clear();
        list_.clear();
        list_.setColumnCount(2);
        for (const char* caption : kCaptions) {
            list_.addTopLevelItem(new QTreeWidgetItem(QStringList{QString::fromUtf8(caption)}));
        }
    }

    void cleanup() { wintest::Sandbox::ClearSettings(); }

    void allRowsBeforeAnyFirmGivesCaptionsAlone() {
        QCOMPARE(window::AllRowsText(list_),
                 QStringLiteral("Название: \r\nАдрес: \r\nОГРН: \r\nГРН: \r\nИНН: \r\n"
                                "КПП: \r\nДата записи: \r\nРег. орган: \r\n"
                                "Адрес органа: \r\nРегион: \r\n"));
    }

    void allRowsWithValuesSplitsLines() {
        list_.topLevelItem(0)->setText(1, QStringLiteral("ООО \"Ромашка\""));
        list_.topLevelItem(1)->setText(1, QStringLiteral("г. Москва\nул. Тверская\r\n"));
        const QString text = window::AllRowsText(list_);
        QVERIFY(
            text.startsWith(QStringLiteral("Название: ООО \"Ромашка\"\r\n"
                                           "Адрес: г. Москва\r\nул. Тверская\r\nОГРН: \r\n")));
        QVERIFY(text.endsWith(QStringLiteral("Регион: \r\n")));
    }

    // Values keep every character the list shows, also those without a Windows-1251
    // form.
    void selectedValue() {
        QVERIFY(!window::SelectedValueText(list_).has_value());

        list_.topLevelItem(4)->setText(1, QStringLiteral("7701234567"));
        list_.topLevelItem(4)->setSelected(true);
        QCOMPARE(window::SelectedValueText(list_).value_or("none"),
                 QStringLiteral("7701234567\r\n"));

        list_.topLevelItem(4)->setText(1, QStringLiteral("a\rб\nc"));
        QCOMPARE(window::SelectedValueText(list_).value_or("none"),
                 QStringLiteral("a\r\nб\r\nc\r\n"));

        list_.topLevelItem(4)->setText(1, QStringLiteral("☃ snow"));
        QCOMPARE(window::SelectedValueText(list_).value_or("none"), QStringLiteral("☃ snow\r\n"));

        list_.topLevelItem(4)->setText(1, QString());
        QCOMPARE(window::SelectedValueText(list_).value_or("none"), QString());
    }

    void copyToBufferReplacesTheClipboard() {
        QClipboard* clipboard = QGuiApplication::clipboard();
        clipboard->setText(QStringLiteral("earlier"));
        window::CopyToBuffer(window::AllRowsText(list_));
        QCOMPARE(clipboard->text(), window::AllRowsText(list_));
        QVERIFY(clipboard->text().startsWith(QStringLiteral("Название: \r\n")));

        window::CopyToBuffer(QStringLiteral("Romaška\0tail"));
        QCOMPARE(clipboard->text(), QStringLiteral("Romaška"));  // ends at the NUL
        window::CopyToBuffer(QString());
        QCOMPARE(clipboard->text(), QString());
    }

    // Both commands over both detail lists of the window: the clipboard holds what the
    // list shows, letters of the pane's language and of the Russian list included.
    void windowCopiesWhatTheListShows_data() {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("list");
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("shown");  // a piece of the row's value
        QTest::newRow("Deutsch, authority")
            << QStringLiteral("Deutsch") << QStringLiteral("translatedDetailList") << 7
            << QStringLiteral("Bezirksübergreifende Inspektion");
        QTest::newRow("Čeština, name")
            << QStringLiteral("Čeština") << QStringLiteral("translatedDetailList") << 0
            << QStringLiteral("Romaška");
        QTest::newRow("Russian list") << QStringLiteral("Deutsch") << QStringLiteral("detailList")
                                      << 7 << QStringLiteral("Межрайонная инспекция");
    }
    void windowCopiesWhatTheListShows() {
        QFETCH(QString, language);
        QFETCH(QString, list);
        QFETCH(int, row);
        QFETCH(QString, shown);
        std::unique_ptr<window::MainWindow> mainWindow = ShippedWindow(language);
        QCOMPARE(Control<QComboBox>(mainWindow.get(), "paneLanguageBox")->currentText(), language);
        wintest::ShowFirm(*mainWindow, Romashka());

        auto* detail = Control<QTreeWidget>(mainWindow.get(), qPrintable(list));
        const QString value = detail->topLevelItem(row)->text(1);
        QVERIFY2(value.contains(shown), qPrintable(value));
        emit detail->customContextMenuRequested(QPoint(1, 1));  // the menu opens over it
        Control<QMenu>(mainWindow.get(), "detailMenu")->close();

        QClipboard* clipboard = QGuiApplication::clipboard();
        Control<QAction>(mainWindow.get(), "copyAllAction")->trigger();
        QString all;
        for (int i = 0; i < detail->topLevelItemCount(); ++i) {
            all += detail->topLevelItem(i)->text(0) + QStringLiteral(": ") +
                   detail->topLevelItem(i)->text(1) + QStringLiteral("\r\n");
        }
        QCOMPARE(clipboard->text(), all);

        detail->topLevelItem(row)->setSelected(true);
        Control<QAction>(mainWindow.get(), "copySelectedAction")->trigger();
        QCOMPARE(clipboard->text(), value + QStringLiteral("\r\n"));
        QCOMPARE(wintest::Messages(), QStringList());
    }

    // "Save..." with no firm shown, as after "Clear all", keeps the earlier results
    // file byte for byte and says why nothing was written.
    void saveWithNothingToSaveKeepsTheFile() {
        std::unique_ptr<window::MainWindow> mainWindow = ShippedWindow(QStringLiteral("Deutsch"));
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("enabled.txt"));
        wintest::ShowFirm(*mainWindow, Romashka());
        wintest::AnswerFileDialog(mainWindow.get(), path);
        Control<QAction>(mainWindow.get(), "saveAsAction")->trigger();
        QCOMPARE(mainWindow->ResultFileName(), path);
        const QByteArray saved = ReadAll(path);
        QVERIFY(saved.startsWith("[" + QByteArray::fromStdString(testsupport::Cp1251("Запрос")) +
                                 "]\r\n"));

        Control<QAction>(mainWindow.get(), "clearAction")->trigger();
        QCOMPARE(mainWindow->FirmCount(), std::size_t(0));
        Control<QAction>(mainWindow.get(), "saveAction")->trigger();
        QCOMPARE(ReadAll(path), saved);
        QCOMPARE(mainWindow->StatusText(), QStringLiteral("No firms to save; %1 is left as it was.")
                                               .arg(QDir::toNativeSeparators(path)));
        QCOMPARE(wintest::Messages(), QStringList());
    }
};

QTEST_MAIN(DetailCopyTest)
#include "detail_copy_test.moc"
