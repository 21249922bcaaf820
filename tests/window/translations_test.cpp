// The window's translations: every text the sources mark is translated in every
// language, placeholders and mnemonics survive, and the locale picks the translation
// (German under a German locale, the source texts under the C locale).
#include "window/translations.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCalendarWidget>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTranslator>
#include <QXmlStreamReader>
#include <QtTest>
#include <map>
#include <memory>
#include <set>

#include "config/service_host.h"
#include "support/window_fixture.h"
#include "window/main_window.h"
#include "window/proxy_dialog.h"
#include "window/query_entry.h"
#include "window/results_model.h"
#include "window/service_host_dialog.h"

namespace {

const QStringList kLanguages = {QStringLiteral("cs"), QStringLiteral("de"), QStringLiteral("en"),
                                QStringLiteral("es"), QStringLiteral("fr"), QStringLiteral("it"),
                                QStringLiteral("pl")};

struct Entry {
    QString translation;
    bool finished = false;  // neither unfinished nor vanished nor obsolete
};

// (context, source) -> entry of one .ts file.
using Catalogue = std::map<std::pair<QString, QString>, Entry>;

// The text of a <translation> element; of a plural one, its first form.
QString ReadTranslation(QXmlStreamReader& xml) {
    QString text;
    bool haveForm = false;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isCharacters() && !haveForm) {
            text += xml.text();
        } else if (xml.isStartElement() && xml.name() == QLatin1String("numerusform")) {
            const QString mainWindow = xml.readElementText();
            if (!haveForm) {
                text = mainWindow;
                haveForm = true;
            }
        } else if (xml.isEndElement() && xml.name() == QLatin1String("translation")) {
            break;
        }
    }
    return text;
}

Catalogue ReadTs(const QString& path) {
    Catalogue entries;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return entries;
    }
    QXmlStreamReader xml(&file);
    QString context, source;
    while (!xml.atEnd()) {
        xml.readNext();
        if (!xml.isStartElement()) {
            continue;
        }
        if (xml.name() == QLatin1String("name")) {
            context = xml.readElementText();
        } else if (xml.name() == QLatin1String("source")) {
            source = xml.readElementText();
        } else if (xml.name() == QLatin1String("translation")) {
            const QString type = xml.attributes().value(QLatin1String("type")).toString();
            Entry e;
            e.finished = type.isEmpty();
            e.translation = ReadTranslation(xml);
            entries[{context, source}] = e;
        }
    }
    return entries;
}

QString TsPath(const QString& language) {
    return QStringLiteral(VENDRAKE_SOURCE_DIR "/translations/vendrake_%1.ts").arg(language);
}

QString QmFolder() {
    return QStringLiteral(VENDRAKE_BIN_DIR "/translations");
}

// The placeholders (%1, %2) and the mnemonic marks of a text, sorted.
QStringList Markers(const QString& text) {
    QStringList found;
    QRegularExpressionMatchIterator it =
        QRegularExpression(QStringLiteral("%\\d|&[^\\s&]")).globalMatch(text);
    while (it.hasNext()) {
        const QString m = it.next().captured();
        found << (m.startsWith(QLatin1Char('&')) ? QStringLiteral("&") : m);
    }
    found.sort();
    return found;
}

// Whether o lies in a calendar, whose day and month names come from the locale.
bool InCalendar(const QObject* o) {
    for (; o; o = o->parent()) {
        if (qobject_cast<const QCalendarWidget*>(o)) {
            return true;
        }
    }
    return false;
}

// Every text a window shows at rest, in a fixed order: titles, captions, labels,
// buttons, actions, menus, placeholders and column headers.
QStringList ShownTexts(const QWidget& window) {
    QStringList texts{window.windowTitle()};
    for (const QObject* o : window.findChildren<QObject*>()) {
        if (InCalendar(o)) {
            continue;
        }
        if (const auto* label = qobject_cast<const QLabel*>(o)) {
            texts << label->text();
        } else if (const auto* button = qobject_cast<const QAbstractButton*>(o)) {
            texts << button->text();
        } else if (const auto* group = qobject_cast<const QGroupBox*>(o)) {
            texts << group->title();
        } else if (const auto* menu = qobject_cast<const QMenu*>(o)) {
            texts << menu->title();
        } else if (const auto* action = qobject_cast<const QAction*>(o)) {
            texts << action->text();
        } else if (const auto* edit = qobject_cast<const QLineEdit*>(o)) {
            texts << edit->placeholderText();
        } else if (const auto* header = qobject_cast<const QHeaderView*>(o)) {
            for (int i = 0; header->model() && i < header->count(); ++i) {
                texts << header->model()->headerData(i, header->orientation()).toString();
            }
        }
    }
    return texts;
}

// Removes every translator installed into the application.
void RemoveTranslators() {
    for (QTranslator* t : qApp->findChildren<QTranslator*>()) {
        QCoreApplication::removeTranslator(t);
        delete t;
    }
}

}  // namespace

class TranslationsTest : public QObject {
    Q_OBJECT

    std::unique_ptr<wintest::Sandbox> sandbox_;

  private slots:
    void initTestCase() {
        // Neither a per-user config.ini nor stored settings of the machine take part.
        sandbox_ = std::make_unique<wintest::Sandbox>();
        sandbox_->WriteStandardLanguages();
        wintest::CaptureMessages();
    }
    void cleanup() { RemoveTranslators(); }

    // Runs lupdate over the sources as they are: each text they mark must have a
    // finished translation in every language file (else run update_translations and
    // translate what it marks unfinished).
    void everyMarkedTextIsTranslated() {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString extracted = dir.filePath(QStringLiteral("extracted.ts"));
        QProcess lupdate;
        lupdate.start(
            QStringLiteral(VENDRAKE_LUPDATE),
            {QStringLiteral("-silent"), QStringLiteral("-locations"), QStringLiteral("none"),
             QStringLiteral(VENDRAKE_SOURCE_DIR "/src"), QStringLiteral("-ts"), extracted});
        QVERIFY(lupdate.waitForFinished(120000));
        QCOMPARE(lupdate.exitCode(), 0);
        const Catalogue marked = ReadTs(extracted);
        QVERIFY(marked.size() > 50);
        for (const QString& language : kLanguages) {
            const Catalogue translated = ReadTs(TsPath(language));
            QStringList missing;
            for (const auto& [key, unused] : marked) {
                const auto it = translated.find(key);
                if (it == translated.end() || !it->second.finished ||
                    it->second.translation.isEmpty()) {
                    missing << key.first + QStringLiteral(": ") + key.second;
                }
            }
            QVERIFY2(missing.isEmpty(),
                     qPrintable(language + QStringLiteral(" lacks ") + missing.join(u" | ")));
        }
    }

    // A translation that drops "%1" or a mnemonic loses a value or a shortcut.
    void translationsKeepPlaceholdersAndMnemonics() {
        for (const QString& language : kLanguages) {
            const Catalogue translated = ReadTs(TsPath(language));
            QVERIFY2(translated.size() > 100, qPrintable(language));
            for (const auto& [key, entry] : translated) {
                QVERIFY2(Markers(entry.translation) == Markers(key.second),
                         qPrintable(language + QStringLiteral(": ") + key.second +
                                    QStringLiteral(" -> ") + entry.translation));
            }
        }
    }

    // Each compiled file loads and gives the texts its .ts file holds.
    void eachCompiledTranslationLoads() {
        for (const QString& language : kLanguages) {
            QTranslator translator;
            QVERIFY2(translator.load(QStringLiteral("vendrake_") + language, QmFolder()),
                     qPrintable(language));
            const Catalogue translated = ReadTs(TsPath(language));
            for (const auto& [key, entry] : translated) {
                if (!entry.finished || key.second == entry.translation) {
                    continue;
                }
                QCOMPARE(translator.translate(key.first.toUtf8().constData(),
                                              key.second.toUtf8().constData()),
                         entry.translation);
            }
        }
    }

    // The real main window and both dialogs under each language, with Qt's own
    // translation: a text that shows as its source must be one whose translation is
    // the source itself (e.g. "OK").
    void windowShowsNoUntranslatedText() {
        const auto shownAll = [] {
            window::MainWindow main;
            window::ProxyDialog proxyDialog(nullptr, QStringLiteral("/nonexistent/config.ini"), {});
            window::ServiceHostDialog serviceDialog;
            return ShownTexts(main) + ShownTexts(proxyDialog) + ShownTexts(serviceDialog);
        };
        const QStringList source = shownAll();
        for (const QString& language : kLanguages) {
            std::set<QString> keptAsIs;
            for (const auto& [key, entry] : ReadTs(TsPath(language))) {
                if (entry.translation == key.second) {
                    keptAsIs.insert(key.second);
                }
            }
            QVERIFY(!window::InstallTranslations(*qApp, QLocale(language), {QmFolder()}).isEmpty());
            const QStringList shown = shownAll();
            RemoveTranslators();
            QCOMPARE(shown.size(), source.size());
            QStringList untranslated;
            for (int i = 0; i < shown.size(); ++i) {
                const bool hasLetters =
                    source[i].contains(QRegularExpression(QStringLiteral("\\p{L}")));
                if (hasLetters && shown[i] == source[i] && keptAsIs.count(source[i]) == 0) {
                    untranslated << source[i];
                }
            }
            QVERIFY2(untranslated.isEmpty(),
                     qPrintable(language + QStringLiteral(": ") + untranslated.join(u" | ")));
        }
    }

    // A German locale installs the German translation and Qt's own German texts; the
    // dialogs then show German.
    void germanLocaleShowsGerman() {
        const QString loaded = window::InstallTranslations(
            *qApp, QLocale(QLocale::German, QLocale::Germany), {QmFolder()});
        QVERIFY2(loaded.endsWith(QStringLiteral("/vendrake_de.qm")), qPrintable(loaded));
        window::ProxyDialog proxyDialog(nullptr, QStringLiteral("/nonexistent/config.ini"), {});
        QCOMPARE(proxyDialog.findChild<QRadioButton*>(QStringLiteral("proxyButton"))->text(),
                 QStringLiteral("Proxy verwenden"));
        QCOMPARE(proxyDialog.findChild<QPushButton*>(QStringLiteral("cancelButton"))->text(),
                 QStringLiteral("Abbrechen"));
        window::ServiceHostDialog serviceDialog;
        QCOMPARE(serviceDialog.testButton->text(), QStringLiteral("&Testen"));
        QCOMPARE(serviceDialog.windowTitle(), QStringLiteral("Registerdienst"));
        QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"),
                 QStringLiteral("Abbrechen"));
    }

    // A failed query reads in the user's language on screen, but every file written
    // from the results keeps the one text, whatever the language.
    void failedRowIsTranslatedOnScreenOnly() {
        QVERIFY(!window::InstallTranslations(*qApp, QLocale(QStringLiteral("de")), {QmFolder()})
                     .isEmpty());
        window::ResultsModel model({});
        const window::NodeHandle query = model.AddQuery(QStringLiteral("Ромашка"));
        model.AddRow(query, window::RowKind::Failed, QStringLiteral("Query failed: HTTP 500"));
        const QModelIndex row = model.index(0, 0, model.QueryIndex(query));
        QCOMPARE(model.data(row, Qt::DisplayRole).toString(),
                 QStringLiteral("Abfrage fehlgeschlagen: HTTP 500"));
        QCOMPARE(model.Text(row), QStringLiteral("Query failed: HTTP 500"));
    }

    // Region names, the register's messages and the service address's errors read in
    // the user's language; what the query and the files hold stays as it is.
    void registerTextsAreTranslatedOnScreenOnly() {
        QVERIFY(!window::InstallTranslations(*qApp, QLocale(QStringLiteral("de")), {QmFolder()})
                     .isEmpty());
        window::MainWindow main;
        auto* region = main.findChild<QComboBox*>(QStringLiteral("regionBox"));
        QCOMPARE(region->itemText(1), QStringLiteral("Moskau"));
        region->setCurrentIndex(1);
        QVERIFY(main.Entry().QueryNodeText().contains(QStringLiteral("Moscow")));

        window::ResultsModel model({});
        const window::NodeHandle query = model.AddQuery(QStringLiteral("Ромашка"));
        model.AddRow(query, window::RowKind::Message, QStringLiteral("Записей не найдено"));
        model.AddRow(query, window::RowKind::Message, QStringLiteral("Найдено:0 abc."));
        const QModelIndex parent = model.QueryIndex(query);
        const QModelIndex notFound = model.index(0, 0, parent);
        QCOMPARE(model.data(notFound).toString(), QStringLiteral("Keine Einträge gefunden"));
        QCOMPARE(model.Text(notFound), QStringLiteral("Записей не найдено"));
        QCOMPARE(model.data(notFound, window::kPaneSourceRole).toString(),
                 QStringLiteral("Записей не найдено"));
        QCOMPARE(model.data(model.index(1, 0, parent)).toString(),
                 QStringLiteral("Gefunden: 0 abc."));

        const config::AddressResult refused =
            config::ParseServiceHost(QStringLiteral("ftp://host.example/"));
        QVERIFY(!refused);
        const QString error = refused.error();
        QVERIFY2(error.startsWith(QStringLiteral("„ftp://host.example/“")), qPrintable(error));
    }

    // The process's own locale: run once with LANG=de_DE.UTF-8 (German expected) and
    // once with LC_ALL=C (the source texts). VENDRAKE_EXPECT_QM names the file expected.
    void systemLocaleChoosesTheTranslation() {
        const QString expected = qEnvironmentVariable("VENDRAKE_EXPECT_QM");
        if (!qEnvironmentVariableIsSet("VENDRAKE_EXPECT_QM")) {
            QSKIP("run by ctest with a locale set");
        }
        const QString loaded = window::InstallTranslations(*qApp, QLocale::system(), {QmFolder()});
        QCOMPARE(QFileInfo(loaded).fileName(), expected);
        window::ProxyDialog dialog(nullptr, QStringLiteral("/nonexistent/config.ini"), {});
        QCOMPARE(
            dialog.findChild<QRadioButton*>(QStringLiteral("proxyButton"))->text(),
            expected.isEmpty() ? QStringLiteral("Use proxy") : QStringLiteral("Proxy verwenden"));
    }
};

QTEST_MAIN(TranslationsTest)
#include "translations_test.moc"
