// Query entry: key filters, mirrors, region values, the query node text and what of
// the typed text goes to the register.
#include <QAction>
#include <QApplication>
#include <QCalendarWidget>
#include <QClipboard>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QSettings>
#include <QStatusBar>
#include <QTextBrowser>
#include <QTimer>
#include <QToolButton>
#include <QtTest>
#include <memory>

#include "config/default_addresses.h"
#include "exchange/query_service.h"
#include "platform/cp1251.h"
#include "support/standin.h"
#include "support/window_fixture.h"
#include "window/key_filters.h"
#include "window/main_window.h"
#include "window/query_entry.h"
#include "window/regions.h"

using wintest::Control;
using wintest::Messages;

class EntryTest : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<wintest::Sandbox> sandbox_;
    std::unique_ptr<window::MainWindow> mainWindow_;

    QLineEdit* Edit(const char* name) const { return Control<QLineEdit>(mainWindow_.get(), name); }
    QComboBox* Box(const char* name) const { return Control<QComboBox>(mainWindow_.get(), name); }
    void Choose(const char* box, const QString& text) {
        Box(box)->setCurrentIndex(Box(box)->findText(text));
    }

  private slots:
    void initTestCase() {
        sandbox_ = std::make_unique<wintest::Sandbox>();
        sandbox_->WriteStandardLanguages();
        wintest::CaptureMessages();
    }

    void init() {
        Messages().clear();
        mainWindow_ = std::make_unique<window::MainWindow>();
        mainWindow_->show();
        QVERIFY(QTest::qWaitForWindowExposed(mainWindow_.get()));
    }

    void cleanup() {
        mainWindow_.reset();
        wintest::Sandbox::ClearSettings();  // language choices written by the handlers
    }

    void dateFilterGuidesTypingIntoDayMonthYear() {
        QLineEdit* date = Edit("dateEdit");
        QTest::keyClicks(date, QStringLiteral("123"));
        QCOMPARE(date->text(), QStringLiteral("12"));
        date->clear();
        QTest::keyClicks(date, QStringLiteral("12.05.2010"));
        QCOMPARE(date->text(), QStringLiteral("12.05.2010"));
        QCOMPARE(Edit("dateMirror")->text(), QStringLiteral("12.05.2010"));
        QTest::keyClicks(date, QStringLiteral("1"));  // the limit of 10
        QCOMPARE(date->text(), QStringLiteral("12.05.2010"));

        date->clear();
        QTest::keyClicks(date, QStringLiteral("1a.b 2"));  // letters and blanks never
        QCOMPARE(date->text(), QStringLiteral("1."));      // after two characters only '.'
        QTest::keyClick(date, Qt::Key_Backspace);
        QCOMPARE(date->text(), QStringLiteral("1"));
        QTest::keyClicks(date, QStringLiteral("2...."));  // a point at any length
        QCOMPARE(date->text(), QStringLiteral("12...."));
    }

    // Only a day that exists is searched: "Find" and leaving the field refuse one that
    // does not, naming it. The calendar opens at the typed day in the user's locale.
    void onlyRealDatesAreSearched() {
        mainWindow_->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(mainWindow_.get()));
        QLineEdit* date = Edit("dateEdit");
        date->setFocus();
        QTest::keyClicks(date, QStringLiteral("31.02.2020"));
        QTest::mouseClick(Control<QPushButton>(mainWindow_.get(), "findButton"), Qt::LeftButton);
        QCOMPARE(Messages().size(), 1);
        QVERIFY(Messages().front().contains(QStringLiteral("\"31.02.2020\" is not a date")));
        QVERIFY(!mainWindow_->Service()->Probing());

        // Leaving the field marks it and says why in the status bar.
        QCOMPARE(date->toolTip(), Messages().front());
        QCOMPARE(mainWindow_->statusBar()->currentMessage(), Messages().front());
        date->setFocus();
        QTest::keyClick(date, Qt::Key_Return);  // Enter searches as "Find" does
        QCOMPARE(Messages().size(), 2);

        date->setText(QStringLiteral("29.02.2020"));
        QVERIFY(mainWindow_->Entry().CheckDate());
        QCOMPARE(date->toolTip(), QString());
        date->setText(QStringLiteral("29.02.2021"));
        QVERIFY(!mainWindow_->Entry().CheckDate());
        date->clear();
        QVERIFY(mainWindow_->Entry().CheckDate());

        // The program formats dates the Russian way; the calendar still follows the user.
        QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
        mainWindow_ = std::make_unique<window::MainWindow>();
        QLocale::setDefault(QLocale::system());
        mainWindow_->show();
        QVERIFY(QTest::qWaitForWindowExposed(mainWindow_.get()));
        Edit("dateEdit")->setText(QStringLiteral("14.03.2002"));
        auto* calendar = Control<QCalendarWidget>(mainWindow_.get(), "datePickerCalendar");
        QMenu* menu = Control<QToolButton>(mainWindow_.get(), "datePickerButton")->menu();
        menu->popup(QPoint(0, 0));
        QCOMPARE(calendar->selectedDate(), QDate(2002, 3, 14));
        QCOMPARE(calendar->locale(), QLocale::system());
        menu->close();
        QCOMPARE(mainWindow_->Entry().TypedCriteria().date.bytes(), std::string("14.03.2002"));
    }

    // A name whose mirror has letters but no Cyrillic one gets the note naming the
    // two languages that send Cyrillic.
    void latinNameGetsTheCyrillicNote() {
        const auto* note = Control<QLabel>(mainWindow_.get(), "cyrillicNote");
        Choose("requestLanguageBox", QStringLiteral("Russian"));
        const struct {
            const char* language;
            QString name;
            bool noted;
        } cases[] = {
            {"Russian", QStringLiteral("Romashka"), true},
            {"Russian", QStringLiteral("Ромашка"), false},
            {"Russian", QStringLiteral("Ромашка Ltd"), false},
            {"Russian", QStringLiteral("1027 - 50%"), false},
            {"Latin", QStringLiteral("Ромашка"), true},
            {"Latin", QString(), false},
        };
        for (const auto& c : cases) {
            Choose("requestLanguageBox", QString::fromLatin1(c.language));
            Edit("nameEdit")->setText(c.name);
            QVERIFY2(note->isVisibleTo(mainWindow_.get()) == c.noted, qPrintable(c.name));
        }
        QVERIFY(note->text().contains(QStringLiteral("\"Русский\"")));
        QVERIFY(note->text().contains(QStringLiteral("\"Latin to Russian\"")));
    }

    // Help: the guide opens in a window of its own; About names the version, the
    // licence and the register address in use.
    void helpMenuShowsTheGuideAndAbout() {
        Control<QAction>(mainWindow_.get(), "userGuideAction")->trigger();
        auto* guide = mainWindow_->findChild<QDialog*>(QStringLiteral("userGuideDialog"));
        QVERIFY(guide != nullptr && guide->isVisible());
        const QString guideText = Control<QTextBrowser>(guide, "userGuideText")->toPlainText();
        QVERIFY(guideText.contains(QStringLiteral("Find")));
        QVERIFY(guideText.contains(QStringLiteral("\"Latin to Russian\"")));
        guide->hide();

        QString about;
        QTimer::singleShot(0, [&about] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                about = box->text();
                box->accept();
            }
        });
        Control<QAction>(mainWindow_.get(), "aboutAction")->trigger();
        QVERIFY2(about.contains(QStringLiteral(VENDRAKE_VERSION)), qPrintable(about));
        QVERIFY(about.contains(QStringLiteral("Licence")));
        QVERIFY(about.contains(QString::fromStdString(config::DefaultServiceRoot())));
    }

    void numberFilterAcceptsDigitsUpToThirteen() {
        QLineEdit* number = Edit("numberEdit");
        QTest::keyClicks(number, QStringLiteral("10a2 7.7001012301"));
        QCOMPARE(number->text(), QStringLiteral("1027700101230"));
        QCOMPARE(Edit("numberMirror")->text(), QStringLiteral("1027700101230"));
    }

    void pastedTextBypassesTheKeyFilters() {
        QGuiApplication::clipboard()->setText(QStringLiteral("ab.12"));
        Edit("numberEdit")->paste();
        QCOMPARE(Edit("numberMirror")->text(), QStringLiteral("ab.12"));
        QGuiApplication::clipboard()->setText(QStringLiteral("1x3"));
        Edit("dateEdit")->paste();
        QCOMPARE(Edit("dateMirror")->text(), QStringLiteral("1x3"));
    }

    void wrongCheckDigitIsMarkedWithoutBlocking() {
        QLineEdit* number = Edit("numberEdit");
        QTest::keyClicks(number, QStringLiteral("7713001232"));
        QVERIFY(number->toolTip().isEmpty());
        QTest::keyClick(number, Qt::Key_Backspace);
        QTest::keyClicks(number, QStringLiteral("3"));
        QVERIFY(number->toolTip().contains(QStringLiteral("check digit")));
        QVERIFY(number->styleSheet().contains(QStringLiteral("red")));
        QCOMPARE(mainWindow_->Entry().TypedCriteria().number.bytes(), std::string("7713001233"));
        number->setText(QStringLiteral("771300123"));
        QVERIFY(number->toolTip().isEmpty());
        QVERIFY(number->styleSheet().isEmpty());
    }

    void regionEntriesSendTheirCodes() {
        const auto regionOf = [this](const QString& name) {
            Choose("regionBox", name);
            return mainWindow_->Entry().TypedCriteria().region.bytes();
        };
        QCOMPARE(regionOf(QStringLiteral("Moscow")), std::string("77"));
        QCOMPARE(regionOf(QStringLiteral("St. Petersburg")), std::string("78"));
        QCOMPARE(regionOf(QStringLiteral("Республика Адыгея")), std::string("01"));
        QCOMPARE(regionOf(QStringLiteral("Республика Карелия")), std::string("10"));
        QCOMPARE(regionOf(QStringLiteral("Ярославская область")), std::string("76"));
        QCOMPARE(regionOf(QStringLiteral("Еврейская автономная область")), std::string("79"));
        QCOMPARE(regionOf(QStringLiteral("Ямало-Ненецкий автономный округ")), std::string("89"));
        QCOMPARE(window::RegionNames().size(), 90);
    }

    void emptyQueryHasBareKeysAndAllRegions() {
        const lookup::SearchCriteria criteria = mainWindow_->Entry().TypedCriteria();
        QCOMPARE(lookup::SearchFormBody(criteria),
                 "name=&adr=&region=%C2%F1%E5+%F0%E5%E3%E8%EE%ED%FB&date=&num="
                 "&action=%C8%F1%EA%E0%F2%FC");
        QVERIFY(criteria.mode == lookup::SearchMode::Other);
        QCOMPARE(mainWindow_->Entry().QueryNodeText(),
                 QStringLiteral("Search for entered data...(Регион: All regions of Russia)"));
    }

    void mirrorsFollowTheirSourcesNotTheLanguage() {
        Choose("requestLanguageBox", QStringLiteral("Latin"));
        wintest::TypeText(Edit("nameEdit"), QStringLiteral("рома"));
        wintest::TypeText(Edit("addressEdit"), QStringLiteral("мир"));
        QCOMPARE(Edit("nameMirror")->text(), QStringLiteral("roma"));
        QCOMPARE(Edit("addressMirror")->text(), QStringLiteral("mir"));

        Choose("requestLanguageBox", QStringLiteral("Russian"));
        QCOMPARE(Edit("nameMirror")->text(), QStringLiteral("roma"));  // no recomputation
        Choose("regionBox", QStringLiteral("Республика Коми"));
        QCOMPARE(Edit("regionMirror")->text(), QStringLiteral("Республика Коми"));
        QCOMPARE(Edit("addressMirror")->text(),
                 QStringLiteral("мир"));  // recomputed through regionMirror
        QCOMPARE(Edit("nameMirror")->text(), QStringLiteral("roma"));

        Edit("nameEdit")->clear();
        QCOMPARE(Edit("nameMirror")->text(), QString());
        QVERIFY(Messages().isEmpty());
    }

    // The failure is reported once, not at every keystroke; a new choice of language
    // or a conversion that works makes the next failure count again. The two languages
    // are listed at start and their folders removed afterwards.
    void unusableLanguageEmptiesTheMirrorWithOneReport() {
        for (const QString& name : {QStringLiteral("Gone"), QStringLiteral("Klingon")}) {
            sandbox_->WriteLanguage(name, {});
        }
        mainWindow_ = std::make_unique<window::MainWindow>();
        for (const QString& name : {QStringLiteral("Gone"), QStringLiteral("Klingon")}) {
            QVERIFY(QDir(sandbox_->TransliterationRoot() + name).removeRecursively());
        }

        Choose("requestLanguageBox", QStringLiteral("Gone"));
        wintest::TypeText(Edit("nameEdit"), QStringLiteral("абв"));
        wintest::TypeText(Edit("addressEdit"), QStringLiteral("где"));
        QCOMPARE(Edit("nameMirror")->text(), QString());
        QCOMPARE(Messages().size(), 1);
        QVERIFY2(Messages().first().startsWith(QStringLiteral("Language \"Gone\": no folder in ")),
                 qPrintable(Messages().first()));

        Choose("requestLanguageBox", QStringLiteral("Klingon"));
        wintest::TypeText(Edit("nameEdit"), QStringLiteral("ж"));
        wintest::TypeText(Edit("nameEdit"), QStringLiteral("з"));
        QCOMPARE(Messages().size(), 2);
        QVERIFY(Messages().last().startsWith(QStringLiteral("Language \"Klingon\"")));

        Choose("requestLanguageBox", QStringLiteral("Latin"));
        wintest::TypeText(Edit("nameEdit"), QStringLiteral("и"));  // converts: quiet again
        QCOMPARE(Messages().size(), 2);
        Choose("requestLanguageBox", QStringLiteral("Klingon"));
        wintest::TypeText(Edit("nameEdit"), QStringLiteral("к"));
        QCOMPARE(Messages().size(), 3);
    }

    // Control and format characters go; every other character stays as it is.
    void invisibleCharactersAreRemoved_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("kept");
        const QString name = QStringLiteral("Лютик");
        QTest::newRow("zero-width space") << QStringLiteral("Лю\u200bтик") << name;
        QTest::newRow("soft hyphen, direction marks, joiners, byte-order mark")
            << QStringLiteral("\ufeff\u200fЛ\u00adю\u200dт\u2060ик\u200e") << name;
        QTest::newRow("tag characters beyond the first plane")
            << (name + QString::fromUcs4(U"\U000E0072\U000E007F")) << name;
        QTest::newRow("controls") << QStringLiteral("Лю\tтик\r\n\u0000\u0085") << name;
        const QString visible = QStringLiteral("ООО «Лютик»\u00a0№ 1 ☃ 😀 é");
        QTest::newRow("visible characters stay") << visible << visible;
    }
    void invisibleCharactersAreRemoved() {
        QFETCH(QString, text);
        QFETCH(QString, kept);
        QCOMPARE(window::WithoutInvisibles(text), kept);
    }

    // Pasted into any field that goes to the register, they are not sent: the mirrors
    // show the text without them, the date is a date and the number a number.
    void pastedInvisiblesAreNotSent() {
        Choose("requestLanguageBox", QStringLiteral("Russian"));
        Edit("nameEdit")->setText(QStringLiteral("ООО \"Лю\u200bтик\u00ad\""));
        Edit("addressEdit")->setText(QStringLiteral("\u200fг. Москва"));
        Edit("dateEdit")->setText(QStringLiteral("19.05.2008\u200b"));
        Edit("numberEdit")->setText(QStringLiteral("\ufeff7702004440"));
        QCOMPARE(Edit("nameMirror")->text(), QStringLiteral("ООО \"Лютик\""));
        QCOMPARE(Edit("dateMirror")->text(), QStringLiteral("19.05.2008"));
        QCOMPARE(Edit("numberMirror")->text(), QStringLiteral("7702004440"));
        QVERIFY(mainWindow_->Entry().CheckDate());
        QVERIFY(Edit("numberEdit")->toolTip().isEmpty());  // the check digit matches

        const lookup::SearchCriteria criteria = mainWindow_->Entry().TypedCriteria();
        QCOMPARE(criteria.name.bytes(), platform::ToCp1251(QStringLiteral("ООО \"Лютик\"")));
        QCOMPARE(criteria.address.bytes(), platform::ToCp1251(QStringLiteral("г. Москва")));
        QCOMPARE(criteria.date.bytes(), std::string("19.05.2008"));
        QCOMPARE(criteria.number.bytes(), std::string("7702004440"));
        QVERIFY(criteria.mode == lookup::SearchMode::Number);
        QVERIFY(!mainWindow_->Entry().QueryNodeText().contains(QLatin1Char('?')));

        // A field holding nothing else is an empty criterion, also in the query row.
        Edit("dateEdit")->setText(QStringLiteral("\u200b"));
        Edit("numberEdit")->setText(QStringLiteral("\u00ad"));
        QVERIFY(mainWindow_->Entry().CheckDate());
        QCOMPARE(mainWindow_->Entry().QueryNodeText(),
                 QStringLiteral("Search for entered data...(Название: ООО \"Лютик\", Адрес: г. "
                                "Москва, Регион: All regions of Russia)"));
        QVERIFY(Messages().isEmpty());
    }

    // A zero-width space inside a typed name: the register is asked for the name and
    // its firms come back.
    void nameWithZeroWidthSpaceFindsTheFirms() {
        testsupport::StandinServer standin;
        mainWindow_ =
            std::make_unique<window::MainWindow>(nullptr, standin.root(), standin.root() + "/");
        Choose("requestLanguageBox", QStringLiteral("Russian"));
        Edit("nameEdit")->setText(QStringLiteral("Лю\u200bтик"));
        QTest::mouseClick(Control<QPushButton>(mainWindow_.get(), "findButton"), Qt::LeftButton);
        QVERIFY(QTest::qWaitFor(
            [this] {
                return mainWindow_->ThreadCount() == 0 &&
                       mainWindow_->StatusText() == QStringLiteral("Checking completed.");
            },
            30000));
        QCOMPARE(mainWindow_->FirmCount(), std::size_t(2));

        QStringList bodies;
        for (const testsupport::LoggedRequest& request : standin.requests()) {
            if (request.method == "POST") {
                bodies << QString::fromStdString(request.body);
            }
        }
        QCOMPARE(bodies.size(), 1);
        // Лютик in Windows-1251, percent-encoded.
        QVERIFY2(bodies.first().startsWith(QStringLiteral("name=%CB%FE%F2%E8%EA&adr=")),
                 qPrintable(bodies.first()));
        QVERIFY(Messages().isEmpty());
    }

    void queryNodeTextListsTheCriteria() {
        Choose("requestLanguageBox", QStringLiteral("Russian"));
        wintest::TypeText(Edit("nameEdit"), QStringLiteral("Ромашка 50% ☃"));
        Choose("regionBox", QStringLiteral("Moscow"));
        QTest::keyClicks(Edit("dateEdit"), QStringLiteral("12.05"));
        QTest::keyClicks(Edit("numberEdit"), QStringLiteral("1027700101230"));
        // The snowman has no Windows-1251 form; an OGRN is labelled ИНН.
        QCOMPARE(mainWindow_->Entry().QueryNodeText(),
                 QStringLiteral("Search for entered data...(Название: Ромашка 50% ?, Регион: "
                                "Moscow, Дата: 12.05, ИНН: 1027700101230)"));
        QCOMPARE(mainWindow_->Entry().TypedCriteria().date.bytes(), std::string("12.05"));
        QVERIFY(mainWindow_->Entry().TypedCriteria().mode == lookup::SearchMode::Number);
    }
};

QTEST_MAIN(EntryTest)
#include "main_window_entry_test.moc"
