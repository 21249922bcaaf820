// Screening in the window against the stand-in register, with the watch-list fixture
// imported into a screening index of the test's own: the marks of firm rows in both
// trees (by number and by name told apart), the "Screening" section of the details,
// the query row's count, the status-bar note, the PDF report's section, importing
// through File > "Screening lists...", and a window without any list as it was.
#include <QAction>
#include <QCryptographicHash>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QSettings>
#include <QSignalSpy>
#include <QTextBrowser>
#include <QTreeView>
#include <QTreeWidget>
#include <QtTest>
#include <memory>

#include "platform/cp1251.h"
#include "screen/index.h"
#include "support/child_process.h"
#include "support/pdf_text.h"
#include "support/screen_support.h"
#include "support/standin.h"
#include "support/window_fixture.h"
#include "window/archive_recording.h"
#include "window/main_window.h"
#include "window/results_model.h"
#include "window/results_pane.h"
#include "window/screening.h"
#include "window/screening_dialog.h"

using testsupport::StandinServer;
using wintest::Control;

namespace {

constexpr int kTimeout = 30000;
const QString kList = QStringLiteral(VENDRAKE_SOURCE_DIR "/tests/screen/data/watchlist.jsonl");

QString FileDigest(const QString& path) {
    QFile file(path);
    QCryptographicHash hash(QCryptographicHash::Sha256);
    return file.open(QIODevice::ReadOnly) && hash.addData(&file) ? hash.result().toHex()
                                                                 : QString();
}

}  // namespace

class ScreeningTest : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<wintest::Sandbox> sandbox_;
    std::unique_ptr<StandinServer> standin_;
    std::unique_ptr<window::MainWindow> mainWindow_;
    std::unique_ptr<QTemporaryDir> dir_;

    // A window screening with the index at path (none there: no list).
    void NewWindow(const QString& index) {
        window::MainWindow::Options options;
        options.screeningIndex = index.toStdString();
        mainWindow_ = std::make_unique<window::MainWindow>(
            nullptr, standin_->root(), standin_->root() + "/", nullptr, options);
        mainWindow_->show();
        QVERIFY(QTest::qWaitForWindowExposed(mainWindow_.get()));
    }
    QString Note() const { return Control<QLabel>(mainWindow_.get(), "screeningLabel")->text(); }
    bool Find(const QString& name) {
        Control<QLineEdit>(mainWindow_.get(), "nameEdit")->setText(name);
        QTest::mouseClick(Control<QPushButton>(mainWindow_.get(), "findButton"), Qt::LeftButton);
        const bool ended = QTest::qWaitFor(
            [&] {
                return mainWindow_->ThreadCount() == 0 &&
                       mainWindow_->StatusText().startsWith(QStringLiteral("Checking completed"));
            },
            kTimeout);
        mainWindow_->Screen().Flush();
        return ended;
    }
    QString ImportedIndex() {
        const QString path = dir_->filePath(QStringLiteral("screening.sqlite"));
        screen::Index index;
        const platform::Status opened =
            index.Open(path.toStdString(), screen::Index::Access::ReadWrite);
        if (!opened) {
            qWarning("%s", opened.error().c_str());
        } else if (const auto imported = index.Import(kList.toStdString(), {});
                   !imported || imported->unchanged) {
            qWarning("%s", imported ? "nothing stored" : imported.error().message.c_str());
        }
        return path;
    }
    // The row of the firm of inn under the first query, in tree.
    QModelIndex FirmRow(const QTreeView* tree, const char* inn) const {
        const window::ResultsModel& model = mainWindow_->Results().Model();
        const QModelIndex query = model.index(0, 0);
        for (int r = 0; r < model.rowCount(query); ++r) {
            const QModelIndex row = model.index(r, 0, query);
            if (model.Record(row) != nullptr && model.Record(row)->inn == inn) {
                return wintest::Row(tree, 0, r);
            }
        }
        return {};
    }

  private slots:
    void initTestCase() {
        sandbox_ = wintest::SearchingSandbox();
        standin_ = std::make_unique<StandinServer>();
        window::UseArchive(std::nullopt);
    }

    void init() { dir_ = std::make_unique<QTemporaryDir>(); }

    void cleanup() {
        mainWindow_.reset();
        wintest::Messages().clear();
    }

    // A firm on a list by its INN gets the number mark, one listed under its Cyrillic
    // name the name mark, one on no list none, in both trees; the query row counts
    // them, and the status bar names the version screened against.
    void listedFirmsAreMarkedInBothTrees() {
        NewWindow(ImportedIndex());
        QTRY_COMPARE_WITH_TIMEOUT(Note(), QStringLiteral("Screening: watchlist version 1"),
                                  kTimeout);
        QVERIFY(Find(QStringLiteral("Ромашка")));
        for (const char* name : {"resultsTree", "translatedTree"}) {
            QTreeView* tree = wintest::Tree(mainWindow_.get(), name);
            QTRY_COMPARE_WITH_TIMEOUT(FirmRow(tree, "7713001232").data(window::kScreenRole).toInt(),
                                      2, kTimeout);
            QCOMPARE(FirmRow(tree, "7841007896").data(window::kScreenRole).toInt(), 1);
            QCOMPARE(FirmRow(tree, "7839001110").data(window::kScreenRole).toInt(), 0);
            const QIcon number =
                FirmRow(tree, "7713001232").data(Qt::DecorationRole).value<QIcon>();
            const QIcon byName =
                FirmRow(tree, "7841007896").data(Qt::DecorationRole).value<QIcon>();
            QVERIFY(!number.isNull() && !byName.isNull());
            QVERIFY(number.pixmap(16).toImage() != byName.pixmap(16).toImage());
        }
        const QString tip = FirmRow(wintest::Tree(mainWindow_.get()), "7713001232")
                                .data(Qt::ToolTipRole)
                                .toString();
        QVERIFY2(tip.contains(QStringLiteral("watchlist: INN 7713001232")), qPrintable(tip));
        // Firms 1 (INN), 2 (OGRN), 3 (its Cyrillic name) and 4 (KPP+INN) at least.
        const QString query = wintest::TextOf(wintest::Row(wintest::Tree(mainWindow_.get()), 0));
        const qsizetype at = query.indexOf(QStringLiteral(" — on watch lists: "));
        QVERIFY2(at > 0, qPrintable(query));
        QVERIFY2(query.mid(at + 19).toInt() >= 4, qPrintable(query));
    }

    // The details of a listed firm show a "Screening" section in both lists; moving to
    // a firm on no list takes it away.
    void detailsShowTheMatch() {
        NewWindow(ImportedIndex());
        QTRY_VERIFY_WITH_TIMEOUT(Note().contains(QStringLiteral("watchlist")), kTimeout);
        QVERIFY(Find(QStringLiteral("Ромашка")));
        QTreeView* tree = wintest::Tree(mainWindow_.get());
        QTRY_VERIFY_WITH_TIMEOUT(FirmRow(tree, "7705003211").data(window::kScreenRole).toInt() == 2,
                                 kTimeout);
        wintest::ClickRow(tree, FirmRow(tree, "7705003211"));
        for (const char* name : {"detailList", "translatedDetailList"}) {
            const auto* list = Control<QTreeWidget>(mainWindow_.get(), name);
            QCOMPARE(list->topLevelItemCount(), 11);
            const QTreeWidgetItem* section = list->topLevelItem(10);
            QCOMPARE(section->text(0), QStringLiteral("Screening"));
            QTreeWidgetItem* match = nullptr;
            for (int i = 0; i < section->childCount(); ++i) {
                if (section->child(i)->text(1) == QLatin1String("Trade House Group")) {
                    match = section->child(i);
                }
            }
            QVERIFY(match != nullptr);
            QCOMPARE(match->text(0), QStringLiteral("watchlist version 1"));
            QCOMPARE(match->childCount(), 4);
            QCOMPARE(match->child(0)->text(1), QStringLiteral("wl-kpp-trade (Organization)"));
            QCOMPARE(match->child(1)->text(1), QStringLiteral("export.control"));
            QVERIFY2(match->child(2)->text(1).contains(QStringLiteral("KPP+INN")),
                     qPrintable(match->child(2)->text(1)));
            QCOMPARE(match->child(3)->text(1), QStringLiteral("1.00"));
        }
        wintest::ClickRow(tree, FirmRow(tree, "7839001110"));
        QCOMPARE(Control<QTreeWidget>(mainWindow_.get(), "detailList")->topLevelItemCount(), 10);
    }

    // The PDF report names every list version screened against with its digest, and
    // the matches of the firms shown.
    void reportHasAScreeningSection() {
        NewWindow(ImportedIndex());
        QTRY_VERIFY_WITH_TIMEOUT(Note().contains(QStringLiteral("watchlist")), kTimeout);
        QVERIFY(Find(QStringLiteral("Ромашка")));
        QTRY_VERIFY_WITH_TIMEOUT(FirmRow(wintest::Tree(mainWindow_.get()), "7713001232")
                                         .data(window::kScreenRole)
                                         .toInt() == 2,
                                 kTimeout);
        const QString path = dir_->filePath(QStringLiteral("report.pdf"));
        mainWindow_->ExportReportTo(path);
        QTRY_VERIFY_WITH_TIMEOUT(
            mainWindow_->StatusText().startsWith(QStringLiteral("Report written to")), kTimeout);
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QString shown = wintest::PdfText(file.readAll()).remove(QRegularExpression("\\s"));
        QVERIFY2(shown.contains(QStringLiteral("Screening")), qPrintable(shown));
        QVERIFY2(shown.contains(FileDigest(kList)), qPrintable(shown));
        QVERIFY2(shown.contains(QStringLiteral("wl-inn-north")), qPrintable(shown));
    }

    // File > "Screening lists..." imports a list on a thread of its own and shows its version,
    // with the malformed lines it skipped; a file that is no list is refused and said
    // so; screening then uses the new version.
    void listsDialogImportsAndShowsVersions() {
        NewWindow(dir_->filePath(QStringLiteral("fresh.sqlite")));
        QTRY_COMPARE_WITH_TIMEOUT(Note(), QStringLiteral("Screening: no list loaded"), kTimeout);
        QVERIFY(wintest::Trigger(mainWindow_.get(), "screeningListsAction"));
        auto* dialog = mainWindow_->findChild<window::ScreeningListsDialog*>();
        QVERIFY(dialog != nullptr);
        QCOMPARE(dialog->VersionList()->topLevelItemCount(), 0);

        const QString notAList = dir_->filePath(QStringLiteral("notes.txt"));
        QFile notes(notAList);
        QVERIFY(notes.open(QIODevice::WriteOnly));
        notes.write("just some words\nand more words\n");
        notes.close();
        dialog->ImportFile(notAList);
        QVERIFY(dialog->importing());
        QTRY_VERIFY_WITH_TIMEOUT(!dialog->importing(), kTimeout);
        QVERIFY2(dialog->OutcomeText().startsWith(QStringLiteral("Not imported: ")),
                 qPrintable(dialog->OutcomeText()));

        dialog->ImportFile(kList);
        QTRY_VERIFY_WITH_TIMEOUT(!dialog->importing(), kTimeout);
        QVERIFY2(dialog->OutcomeText().startsWith(QStringLiteral("Imported watchlist version 1")),
                 qPrintable(dialog->OutcomeText()));
        QVERIFY2(dialog->OutcomeText().contains(QStringLiteral("malformed lines skipped")),
                 qPrintable(dialog->OutcomeText()));
        QTRY_COMPARE_WITH_TIMEOUT(dialog->VersionList()->topLevelItemCount(), 1, kTimeout);
        QCOMPARE(dialog->VersionList()->topLevelItem(0)->text(4), FileDigest(kList));
        QTRY_COMPARE_WITH_TIMEOUT(Note(), QStringLiteral("Screening: watchlist version 1"),
                                  kTimeout);
        QVERIFY(Find(QStringLiteral("Ромашка")));
        QTRY_COMPARE_WITH_TIMEOUT(FirmRow(wintest::Tree(mainWindow_.get()), "7713001232")
                                      .data(window::kScreenRole)
                                      .toInt(),
                                  2, kTimeout);
    }

    // A name match is shown only at or above the ScreenThreshold setting: a name with a
    // two-letter word more than the firm's scores 30/32, above the default 0.9 and below
    // 0.95.
    void nameMatchesFollowTheThresholdSetting() {
        const QString list = dir_->filePath(QStringLiteral("near.jsonl"));
        QFile file(list);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(R"({"id": "near-plus", "schema": "Company", "caption": "Ромашка Логистик НН", )"
                   R"("properties": {"name": ["ООО Ромашка Логистик НН"], "topics": ["sanction"]}})"
                   "\n");
        file.close();
        const QString path = dir_->filePath(QStringLiteral("near.sqlite"));
        {
            screen::Index index;
            const platform::Status opened =
                index.Open(path.toStdString(), screen::Index::Access::ReadWrite);
            QVERIFY2(opened, opened ? "" : opened.error().c_str());
            const auto imported = index.Import(list.toStdString(), {});
            QVERIFY2(imported, imported ? "" : imported.error().message.c_str());
            QVERIFY(!imported->unchanged);
        }
        QSettings settings(QStringLiteral("Quillmarsh"), QStringLiteral("Vendrake"));
        auto forget = qScopeGuard([&] { settings.remove(QStringLiteral("ScreenThreshold")); });
        for (const auto& [threshold, marked] : {std::pair{"", 1}, std::pair{"0.95", 0}}) {
            settings.setValue(QStringLiteral("ScreenThreshold"), QString::fromLatin1(threshold));
            settings.sync();
            NewWindow(path);
            QTRY_VERIFY_WITH_TIMEOUT(Note().contains(QStringLiteral("near version 1")), kTimeout);
            QVERIFY(Find(QStringLiteral("Ромашка")));
            QTreeView* tree = wintest::Tree(mainWindow_.get());
            QCOMPARE(FirmRow(tree, "7839001110").data(window::kScreenRole).toInt(), marked);
            QCOMPARE(FirmRow(tree, "7713001232").data(window::kScreenRole).toInt(), 0);
            mainWindow_.reset();
        }
    }

    // Help > "User guide" tells of screening by the File menu's own item and the texts
    // the window shows: the details' section and the note when no list is loaded.
    void guideTellsOfScreening() {
        NewWindow(dir_->filePath(QStringLiteral("none.sqlite")));
        Control<QAction>(mainWindow_.get(), "userGuideAction")->trigger();
        auto* guide = mainWindow_->findChild<QDialog*>(QStringLiteral("userGuideDialog"));
        QVERIFY(guide != nullptr);
        const QString text = Control<QTextBrowser>(guide, "userGuideText")->toPlainText();
        const QString item = Control<QAction>(mainWindow_.get(), "screeningListsAction")
                                 ->text()
                                 .remove(QLatin1Char('&'));
        QVERIFY2(text.contains(QStringLiteral("File > \"%1\"").arg(item)), qPrintable(text));
        QVERIFY2(text.contains(QStringLiteral("\"Screening\" section")), qPrintable(text));
        QVERIFY2(text.contains(QStringLiteral("\"Screening: no list loaded\"")), qPrintable(text));
    }

    // A firm whose screening cannot be read to its end stays unmarked: the number
    // match found before the names failed is never shown as if it were all of them.
    void aFailedReadLeavesTheFirmUnmarked() {
        const QString path = ImportedIndex();
        // The index still loads, but every read of a name's postings fails.
        const testsupport::ProgramResult sqlite = testsupport::RunProgram(
            QStringLiteral("sqlite3"), {path, screen_test::kUnreadableTerms}, {}, kTimeout);
        QVERIFY2(sqlite.finished, sqlite.err.constData());
        QCOMPARE(sqlite.exitCode, 0);
        window::Screening screening;
        screening.SetIndexPath(path.toStdString());
        screening.Reload();
        QTRY_VERIFY_WITH_TIMEOUT(screening.ready(), kTimeout);
        QCOMPARE(screening.versions().size(), std::size_t(1));
        QSignalSpy screened(&screening, &window::Screening::screened);
        // Listed by its INN; its name is looked up in the name postings.
        lookup::FirmRecord firm;
        firm.name = platform::ToCp1251(QStringLiteral("ООО \"Ромашка-Север\""));
        firm.inn = "7713001232";
        screening.Add(1, 0, firm);
        screening.Flush();
        QCOMPARE(screened.count(), 0);
        // The same firm without a name to look up is marked by its number.
        firm.name.clear();
        screening.Add(2, 0, firm);
        screening.Flush();
        QCOMPARE(screened.count(), 1);
    }

    // Without a list the rows, their icons and the query texts are as they were.
    void withoutAListNothingIsMarked() {
        NewWindow(dir_->filePath(QStringLiteral("none.sqlite")));
        QTRY_COMPARE_WITH_TIMEOUT(Note(), QStringLiteral("Screening: no list loaded"), kTimeout);
        QVERIFY(Find(QStringLiteral("Ромашка")));
        QTreeView* tree = wintest::Tree(mainWindow_.get());
        QCOMPARE(FirmRow(tree, "7713001232").data(window::kScreenRole).toInt(), 0);
        QCOMPARE(wintest::ImageOf(FirmRow(tree, "7713001232")), int(window::kFirmIcon));
        QVERIFY(!wintest::TextOf(wintest::Row(tree, 0)).contains(QStringLiteral("watch lists")));
        QVERIFY(!QFile::exists(dir_->filePath(QStringLiteral("none.sqlite"))));
    }
};

QTEST_MAIN(ScreeningTest)
#include "screening_test.moc"
