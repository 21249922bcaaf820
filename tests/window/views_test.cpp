// The window's views against the stand-in register: the two trees follow each other,
// long texts can be read whole, focus shows, and the trees' context menus act.
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QScopeGuard>
#include <QScrollBar>
#include <QStatusBar>
#include <QTimer>
#include <QToolTip>
#include <QTranslator>
#include <QTreeView>
#include <QTreeWidget>
#include <QtTest>
#include <memory>

#include "archive/archive_db.h"
#include "platform/cp1251.h"
#include "support/standin.h"
#include "support/window_fixture.h"
#include "support/xlsx_read.h"
#include "window/archive_recording.h"
#include "window/archive_search.h"
#include "window/file_dialogs.h"
#include "window/history_panel.h"
#include "window/main_window.h"
#include "window/results_model.h"
#include "window/results_pane.h"

using wintest::Control;
using wintest::Row;

namespace {

constexpr int kTimeout = 30000;

// The tooltip a pointer resting at `at` over widget shows; empty when none shows.
QString TipAt(QWidget* widget, const QPoint& at) {
    QToolTip::hideText();
    if (!QTest::qWaitFor([] { return !QToolTip::isVisible(); })) {
        return QStringLiteral("(a tooltip stays)");
    }
    QHelpEvent event(QEvent::ToolTip, at, widget->mapToGlobal(at));
    QApplication::sendEvent(widget, &event);
    return QToolTip::isVisible() ? QToolTip::text() : QString();
}

using wintest::ReadAll;

// The first 13 columns of each CSV line (kind, query, text, the ten fields): the left
// pane's, which never depend on the window's language.
QStringList LeftColumns(const QByteArray& csv) {
    QStringList lines;
    for (const QString& line : QString::fromUtf8(csv).split(QStringLiteral("\r\n"))) {
        int fields = 0;
        bool quoted = false;
        qsizetype end = 0;
        for (; end < line.size() && fields < 13; ++end) {
            quoted = line[end] == QLatin1Char('"') ? !quoted : quoted;
            fields += !quoted && line[end] == QLatin1Char(';') ? 1 : 0;
        }
        lines << line.left(end);
    }
    return lines;
}

// Whether every text of the column has room in it, with the margins cells are drawn with.
bool Fits(const QTreeWidget* list, int column) {
    for (int row = 0; row < list->topLevelItemCount(); ++row) {
        const QString text = list->topLevelItem(row)->text(column);
        if (list->fontMetrics().horizontalAdvance(text) + 6 > list->columnWidth(column)) {
            return false;
        }
    }
    return true;
}

}  // namespace

class ViewsTest : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<wintest::Sandbox> sandbox_;
    std::unique_ptr<testsupport::StandinServer> standin_;
    std::unique_ptr<window::MainWindow> mainWindow_;
    std::unique_ptr<QTemporaryDir> dir_;

    QTreeView* Left() const { return wintest::Tree(mainWindow_.get(), "resultsTree"); }
    QTreeView* Right() const { return wintest::Tree(mainWindow_.get(), "translatedTree"); }
    bool Search(const QString& name) {
        Control<QLineEdit>(mainWindow_.get(), "nameEdit")->setText(name);
        QTest::mouseClick(Control<QPushButton>(mainWindow_.get(), "findButton"), Qt::LeftButton);
        return QTest::qWaitFor(
            [&] {
                return mainWindow_->ThreadCount() == 0 &&
                       mainWindow_->StatusText().startsWith(QStringLiteral("Checking completed"));
            },
            kTimeout);
    }

    window::HistoryPanel& History() const { return mainWindow_->History(); }
    QString TopEntry() const {
        const QTreeWidgetItem* top = History().List()->topLevelItem(0);
        return top == nullptr ? QString() : top->text(1);
    }

  private slots:
    void initTestCase() {
        sandbox_ = wintest::SearchingSandbox();
        standin_ = std::make_unique<testsupport::StandinServer>();
    }

    void init() {
        dir_ = std::make_unique<QTemporaryDir>();
        window::UseArchive(dir_->filePath(QStringLiteral("archive.sqlite")).toStdString());
        NewWindow();
    }

  private:
    void NewWindow() {
        mainWindow_ =
            std::make_unique<window::MainWindow>(nullptr, standin_->root(), standin_->root() + "/");
        mainWindow_->resize(1000, 700);
        mainWindow_->show();
        QVERIFY(QTest::qWaitForWindowExposed(mainWindow_.get()));
    }

    // Answers the next file dialog with name (relative to the folder it shows) and tells
    // the folder it started in. Under the offscreen platform the dialog is Qt's own.
    // Opens the trees' menu over row index of tree, as a right-click does.
    QMenu* MenuOver(QTreeView* tree, const QModelIndex& index) {
        tree->scrollTo(index);
        emit tree->customContextMenuRequested(tree->visualRect(index).center());
        auto* menu = Control<QMenu>(mainWindow_.get(), "treeMenu");
        return menu->isVisible() ? menu : nullptr;
    }
    QAction* Act(const char* name) const { return Control<QAction>(mainWindow_.get(), name); }

  private slots:
    void cleanup() {
        mainWindow_.reset();
        wintest::Messages().clear();
    }

    // A row chosen, a query row opened or closed, or a tree scrolled on either side
    // is the same on the other; the status line says the chosen side's text.
    void treesFollowEachOther() {
        QVERIFY(Search(QStringLiteral("Ромашка")));
        window::ResultsModel& model = mainWindow_->Results().Model();
        const window::NodeHandle said = model.AddQuery(QStringLiteral("Пусто"));
        model.AddRow(said, window::RowKind::Message,
                     QStringLiteral("По Вашему запросу ничего не найдено"));
        const window::NodeHandle many = model.AddQuery(QStringLiteral("Много"));
        for (int n = 0; n < 200; ++n) {
            lookup::FirmRecord firm;
            firm.name = platform::ToCp1251(QStringLiteral("ООО \"ФИРМА %1\"").arg(n));
            model.AddRow(many, window::RowKind::Firm, platform::FromCp1251(firm.name), firm);
        }
        for (const bool fromLeft : {true, false}) {
            QTreeView* from = fromLeft ? Left() : Right();
            QTreeView* to = fromLeft ? Right() : Left();
            const QModelIndex firm = Row(from, 0, 1);
            wintest::ClickRow(from, firm);
            QCOMPARE(to->currentIndex(), Row(to, 0, 1));
            QVERIFY(to->selectionModel()->isSelected(Row(to, 0, 1)));
            QCOMPARE(wintest::DetailValue(mainWindow_.get(), "detailList", 0),
                     wintest::TextOf(Row(Left(), 0, 1)));

            from->collapse(Row(from, 0));
            QVERIFY(!to->isExpanded(Row(to, 0)));
            from->expand(Row(from, 0));
            QVERIFY(to->isExpanded(Row(to, 0)));

            const QModelIndex message = Row(from, 1, 0);
            wintest::ClickRow(from, message);
            QCOMPARE(to->currentIndex(), Row(to, 1, 0));
            QCOMPARE(mainWindow_->statusBar()->currentMessage(),
                     message.data(Qt::ToolTipRole).toString());
        }

        // The last firm chosen on the right: the left scrolls to it too.
        const QModelIndex last = Row(Right(), 2, 199);
        wintest::ClickRow(Right(), last);
        QCOMPARE(Left()->currentIndex(), Row(Left(), 2, 199));
        QVERIFY(Left()->viewport()->rect().contains(Left()->visualRect(Row(Left(), 2, 199))));
        QScrollBar* right = Right()->verticalScrollBar();
        QVERIFY(right->value() > 0);
        Left()->verticalScrollBar()->setValue(0);
        QCOMPARE(right->value(), 0);
    }

    // With History open, a search and "Check again" show their entries at the top as
    // soon as they are recorded, the entry the user chose staying current.
    void historyShowsNewChecksAtOnce() {
        QVERIFY(Search(QStringLiteral("Лютик")));
        mainWindow_->Recording().Flush();
        Control<QAction>(mainWindow_.get(), "historyAction")->trigger();
        QVERIFY(QTest::qWaitFor([&] { return !History().loading() && History().shownCount() == 1; },
                                kTimeout));
        History().List()->setCurrentItem(History().List()->topLevelItem(0));

        QVERIFY(Search(QStringLiteral("Пусто")));
        QVERIFY(QTest::qWaitFor([&] { return History().shownCount() == 2; }, kTimeout));
        QVERIFY2(TopEntry().contains(QStringLiteral("Пусто")), qPrintable(TopEntry()));
        QVERIFY(History().List()->currentItem()->text(1).contains(QStringLiteral("Лютик")));

        QTest::mouseClick(Control<QPushButton>(&History(), "historyCheckAgainButton"),
                          Qt::LeftButton);
        QVERIFY(QTest::qWaitFor([&] { return History().shownCount() == 3; }, kTimeout));
        QVERIFY2(TopEntry().contains(QStringLiteral("Лютик")), qPrintable(TopEntry()));
        QVERIFY(History().List()->topLevelItem(1)->text(1).contains(QStringLiteral("Пусто")));

        // Hidden, it is read afresh when it opens again.
        Control<QAction>(mainWindow_.get(), "historyAction")->trigger();
        QVERIFY(Search(QStringLiteral("Ромашка")));
        mainWindow_->Recording().Flush();
        Control<QAction>(mainWindow_.get(), "historyAction")->trigger();
        QVERIFY(QTest::qWaitFor([&] { return !History().loading() && History().shownCount() == 4; },
                                kTimeout));
        QVERIFY(TopEntry().contains(QStringLiteral("Ромашка")));
    }

    // Ctrl+H opens and closes the panel, and a window opened after one closed with the
    // panel open shows it again.
    void historyTogglesAndIsRestored() {
        mainWindow_->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(mainWindow_.get()));
        QVERIFY(!History().isVisible());
        QTest::keyClick(mainWindow_.get(), Qt::Key_H, Qt::ControlModifier);
        QVERIFY(History().isVisible());
        QVERIFY(Control<QAction>(mainWindow_.get(), "historyAction")->isChecked());
        QTest::keyClick(mainWindow_.get(), Qt::Key_H, Qt::ControlModifier);
        QVERIFY(!History().isVisible());
        QVERIFY(!Control<QAction>(mainWindow_.get(), "historyAction")->isChecked());
        QTest::keyClick(mainWindow_.get(), Qt::Key_H, Qt::ControlModifier);
        mainWindow_->close();
        NewWindow();
        QVERIFY(History().isVisible());
        QVERIFY(Control<QAction>(mainWindow_.get(), "historyAction")->isChecked());
        History().hide();
        mainWindow_->close();
        NewWindow();
        QVERIFY(!History().isVisible());
    }

    // A name typed without an extension gets the file type's; the first dialog starts
    // in the documents folder, the next in the folder used last.
    void savingAddsTheExtensionAndKeepsTheFolder() {
        QVERIFY(Search(QStringLiteral("Лютик")));
        QString folder;
        wintest::AnswerFileDialog(this, dir_->filePath(QStringLiteral("saved_as")), &folder);
        QVERIFY(wintest::Trigger(mainWindow_.get(), "saveAsAction"));
        QCOMPARE(folder + QLatin1Char('/'), window::DocumentsFolder());
        QVERIFY(QFile::exists(dir_->filePath(QStringLiteral("saved_as.txt"))));
        QVERIFY(!QFile::exists(dir_->filePath(QStringLiteral("saved_as"))));
        QCOMPARE(mainWindow_->ResultFileName(), dir_->filePath(QStringLiteral("saved_as.txt")));

        wintest::AnswerFileDialog(this, QStringLiteral("exported"), &folder);
        QVERIFY(wintest::Trigger(mainWindow_.get(), "exportAction"));
        QCOMPARE(folder, dir_->path());
        QVERIFY(QFile::exists(dir_->filePath(QStringLiteral("exported.csv"))));

        wintest::AnswerFileDialog(this, QStringLiteral("kept.name"), &folder);
        QVERIFY(wintest::Trigger(mainWindow_.get(), "exportAction"));
        QVERIFY2(QFile::exists(dir_->filePath(QStringLiteral("kept.name"))),
                 qPrintable(QDir(dir_->path()).entryList().join(QLatin1Char(' '))));
    }

    // A value wider than its column, a status text wider than the bar and a row's
    // message wider than the bar are cut on screen and whole in their tooltips; a
    // value that fits has none, and a long status text does not widen the window.
    void longTextsAreWholeInTooltips() {
        mainWindow_->resize(820, 600);
        lookup::FirmRecord firm;
        firm.name = platform::ToCp1251(QStringLiteral("ООО \"ЛЮТИК\""));
        firm.kpp = "780101001";
        const QString authority = QStringLiteral(
            "Межрайонная инспекция Федеральной налоговой службы № 15 по Санкт-Петербургу, "
            "единый регистрационный центр");
        firm.authority = platform::ToCp1251(authority);
        wintest::ShowFirm(*mainWindow_, firm);
        auto* details = Control<QTreeWidget>(mainWindow_.get(), "detailList");
        QCOMPARE(
            TipAt(details->viewport(), details->visualItemRect(details->topLevelItem(7)).center()),
            authority);
        QCOMPARE(
            TipAt(details->viewport(), details->visualItemRect(details->topLevelItem(5)).center()),
            QString());

        const QString path =
            dir_->filePath(QString(300, QLatin1Char('x')) + QStringLiteral(".txt"));
        QVERIFY(wintest::Trigger(mainWindow_.get(), "clearAction"));
        mainWindow_->SaveTo(path);  // nothing to save: says so, naming the file
        auto* label = Control<QLabel>(mainWindow_.get(), "statusLabel");
        QVERIFY(mainWindow_->StatusText().contains(QString(300, QLatin1Char('x'))));
        QVERIFY(mainWindow_->minimumSizeHint().width() < 820);
        QCOMPARE(TipAt(label, label->rect().center()), mainWindow_->StatusText());

        window::ResultsModel& model = mainWindow_->Results().Model();
        const QString said = QStringLiteral("Сообщение ") + QString(300, QChar(0x044F));
        model.AddRow(model.AddQuery(QStringLiteral("Запрос")), window::RowKind::Message, said);
        wintest::ClickRow(Left(), Row(Left(), 0, 0));
        QCOMPARE(mainWindow_->statusBar()->currentMessage(), said);
        QCOMPARE(
            TipAt(mainWindow_->statusBar(), QPoint(20, mainWindow_->statusBar()->height() / 2)),
            said);
    }

    // History's time and count columns and the archive search's number columns are
    // as wide as their content once it shows.
    void listColumnsFitTheirContent() {
        QVERIFY(Search(QStringLiteral("Лютик")));
        mainWindow_->Recording().Flush();
        QVERIFY(wintest::Trigger(mainWindow_.get(), "historyAction"));
        QTreeWidget* history = History().List();
        QVERIFY(QTest::qWaitFor([&] { return History().shownCount() == 1; }, kTimeout));
        for (const int column : {0, 3}) {
            QVERIFY2(Fits(history, column), qPrintable(QString::number(column)));
        }
        QVERIFY(wintest::Trigger(mainWindow_.get(), "archiveSearchAction"));
        auto* dialog = mainWindow_->findChild<window::ArchiveSearchDialog*>();
        dialog->Search(QStringLiteral("Лютик"));
        QTreeWidget* found = dialog->List();
        QVERIFY(QTest::qWaitFor([&] { return found->topLevelItemCount() == 2; }, kTimeout));
        QVERIFY(Fits(found, 1));
        QVERIFY(Fits(found, 2));
    }

    // "Find" and both trees look different while they have the keyboard focus.
    void keyboardFocusShows() {
        mainWindow_->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(mainWindow_.get()));
        auto* name = Control<QLineEdit>(mainWindow_.get(), "nameEdit");
        for (QWidget* widget :
             {static_cast<QWidget*>(Left()), static_cast<QWidget*>(Right()),
              static_cast<QWidget*>(Control<QPushButton>(mainWindow_.get(), "findButton"))}) {
            name->setFocus(Qt::TabFocusReason);
            QVERIFY(name->hasFocus());
            const QImage without = widget->grab().toImage();
            widget->setFocus(Qt::TabFocusReason);
            QVERIFY(widget->hasFocus());
            const QImage with = widget->grab().toImage();
            QVERIFY2(with != without, qPrintable(widget->objectName()));
        }
    }

    // Both trees' menus copy a firm's ten fields or a row's text in their language,
    // and the whole tree; "Open in History" shows the stored check's entry there.
    void treeMenusCopyAndOpenInHistory() {
        QVERIFY(Search(QStringLiteral("Лютик")));
        const QModelIndex firm = Row(Left(), 0, 1);
        QMenu* menu = MenuOver(Left(), firm);
        QVERIFY(menu != nullptr);
        QVERIFY(Act("treeFindAction")->isVisible());
        QVERIFY(!Act("treeOpenInHistoryAction")->isEnabled());  // a live search
        Act("treeCopyAction")->trigger();
        menu->hide();
        const QStringList left = QApplication::clipboard()->text().split(QStringLiteral("\r\n"));
        QCOMPARE(left.size(), 11);  // ten lines, each ended
        QCOMPARE(left[0], QStringLiteral("Название: ") + wintest::TextOf(firm));
        const QString inn = wintest::DetailValue(mainWindow_.get(), "detailList", 4);
        QVERIFY(left[4].endsWith(inn));

        menu = MenuOver(Right(), Row(Right(), 0, 1));
        QVERIFY(menu != nullptr);
        QVERIFY(!Act("treeFindAction")->isVisible());
        Act("treeCopyAction")->trigger();
        menu->hide();
        const QString right = QApplication::clipboard()->text();
        QVERIFY2(
            right.startsWith(wintest::DetailCaption(mainWindow_.get(), "translatedDetailList", 0) +
                             QStringLiteral(": ")),
            qPrintable(right));
        QVERIFY(!right.contains(QStringLiteral("Название")));

        menu = MenuOver(Left(), Row(Left(), 0));
        Act("treeCopyAction")->trigger();
        menu->hide();
        QCOMPARE(QApplication::clipboard()->text(),
                 wintest::TextOf(Row(Left(), 0)) + QStringLiteral("\r\n"));
        menu = MenuOver(Left(), Row(Left(), 0));
        Act("treeCopyAllAction")->trigger();
        menu->hide();
        const QString all = QApplication::clipboard()->text();
        QVERIFY(all.startsWith(wintest::TextOf(Row(Left(), 0)) + QStringLiteral("\r\n\t")));
        QCOMPARE(all.count(QStringLiteral("\r\n\t\t")), 20);
        QVERIFY(all.contains(inn));

        mainWindow_->Recording().Flush();
        QVERIFY(Search(QStringLiteral("Пусто")));
        mainWindow_->Recording().Flush();
        const std::string archivePath = mainWindow_->Recording().path();
        archive::Archive db;
        QVERIFY(db.Open(archivePath, archive::Archive::Access::ReadOnly));
        const platform::Result<std::vector<archive::CheckSummary>> checks = db.List({});
        QVERIFY(checks);
        QCOMPARE(checks->size(), std::size_t(2));
        mainWindow_->OpenStoredCheck((*checks)[1].id);  // the older one, Лютик
        QVERIFY(QTest::qWaitFor([&] { return mainWindow_->FirmCount() == 2; }, kTimeout));
        menu = MenuOver(Left(), Row(Left(), 0, 0));
        QVERIFY(Act("treeOpenInHistoryAction")->isEnabled());
        Act("treeOpenInHistoryAction")->trigger();
        menu->hide();
        QVERIFY(History().isVisible());
        QVERIFY(
            QTest::qWaitFor([&] { return History().List()->currentItem() != nullptr; }, kTimeout));
        QVERIFY(History().List()->currentItem()->text(1).contains(QStringLiteral("Лютик")));
    }

    // Dialog titles do not name the program: the desktop adds its name after them.
    void titlesDoNotRepeatTheProgramsName() {
        QVERIFY(Act("exportAction")->text().endsWith(QStringLiteral("...")));
        QVERIFY(wintest::Trigger(mainWindow_.get(), "userGuideAction"));
        auto* guide = mainWindow_->findChild<QDialog*>(QStringLiteral("userGuideDialog"));
        QVERIFY(guide != nullptr);
        QVERIFY2(!guide->windowTitle().contains(QStringLiteral("Vendrake")),
                 qPrintable(guide->windowTitle()));
        QString title;
        auto* poll = new QTimer(this);
        connect(poll, &QTimer::timeout, this, [poll, &title] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                poll->stop();
                poll->deleteLater();
                title = box->windowTitle();
                box->close();
            }
        });
        poll->start(10);
        QVERIFY(wintest::Trigger(mainWindow_.get(), "aboutAction"));
        QVERIFY(!title.isEmpty());
        QVERIFY2(!title.contains(QStringLiteral("Vendrake")), qPrintable(title));
    }

    // File > "Export to Excel...": one row per result row with the numbers as text
    // cells, a bold frozen filtered header and the run's summary; a file that cannot be
    // written is told.
    void excelExportReadsBack() {
        QVERIFY(Search(QStringLiteral("Лютик")));
        mainWindow_->Recording().Flush();
        QString folder;
        wintest::AnswerFileDialog(this, dir_->filePath(QStringLiteral("firms")), &folder);
        Act("exportExcelAction")->trigger();
        const QString path = dir_->filePath(QStringLiteral("firms.xlsx"));
        QVERIFY(QFile::exists(path));
        QVERIFY2(mainWindow_->StatusText().contains(QStringLiteral("firms.xlsx")),
                 qPrintable(mainWindow_->StatusText()));

        const QStringList strings = xlsxtest::SharedStrings(path);
        const QByteArray sheet = xlsxtest::Part(path, QStringLiteral("xl/worksheets/sheet1.xml"));
        const auto cells = xlsxtest::Cells(sheet, strings);
        QCOMPARE(cells.at("A1").text, QStringLiteral("kind"));
        QCOMPARE(cells.at("B1").text, QStringLiteral("Запрос"));
        QVERIFY(!cells.at("A1").style.isEmpty());
        QVERIFY(sheet.contains("<autoFilter ref=\"A1:X3\"/>"));
        QVERIFY(sheet.contains("state=\"frozen\""));
        const std::vector<window::ExportRow> rows = mainWindow_->Results().ExportRows();
        QCOMPARE(rows.size(), std::size_t(2));
        for (int r = 0; r < 2; ++r) {
            const lookup::FirmRecord& firm = *rows[static_cast<std::size_t>(r)].firm;
            const QString row = QString::number(r + 2);
            QCOMPARE(cells.at(QStringLiteral("A") + row).text, QStringLiteral("firm"));
            // Name, address, OGRN, GRN, INN from column D on.
            const xlsxtest::Cell& ogrn = cells.at(QStringLiteral("F") + row);
            QCOMPARE(ogrn.text, QString::fromStdString(firm.ogrn));
            QVERIFY(ogrn.type == QLatin1String("inlineStr") || ogrn.type == QLatin1String("s"));
            QCOMPARE(cells.at(QStringLiteral("H") + row).text, QString::fromStdString(firm.inn));
            QCOMPARE(cells.at(QStringLiteral("N") + row).text,
                     rows[static_cast<std::size_t>(r)].convertedText);
        }
        const auto summary = xlsxtest::Cells(
            xlsxtest::Part(path, QStringLiteral("xl/worksheets/sheet2.xml")), strings);
        QCOMPARE(summary.at("A1").text, QStringLiteral("Service"));
        QCOMPARE(summary.at("B1").text, QString::fromStdString(standin_->root()));
        bool firmsCounted = false;
        for (const auto& [ref, cell] : summary) {
            if (cell.text == QLatin1String("Firms")) {
                firmsCounted =
                    summary.at(QStringLiteral("B") + ref.mid(1)).text == QLatin1String("2");
            }
        }
        QVERIFY(firmsCounted);
        // The head the file was written against, as vendrake-archive verify --head reads it.
        QString head;
        for (const auto& [ref, cell] : summary) {
            if (cell.text == QLatin1String("Archive head")) {
                head = summary.at(QStringLiteral("B") + ref.mid(1)).text;
            }
        }
        QVERIFY2(head.startsWith(QStringLiteral("vendrake-head records=1 last=1 ")),
                 qPrintable(head));

        wintest::Messages().clear();
        wintest::AnswerFileDialog(this, dir_->filePath(QStringLiteral("missing/firms")), &folder);
        Act("exportExcelAction")->trigger();
        QCOMPARE(wintest::Messages().size(), 1);
        QVERIFY2(wintest::Messages().front().contains(QStringLiteral("firms.xlsx")),
                 qPrintable(wintest::Messages().front()));
    }

    // A firm opened from "Search the archive" is the current row of its stored check,
    // in view, and the dialog steps aside.
    void archiveSearchOpensTheFirmSelected() {
        QVERIFY(Search(QStringLiteral("Ромашка")));
        mainWindow_->Recording().Flush();
        const std::vector<window::ExportRow> rows = mainWindow_->Results().ExportRows();
        QVERIFY(rows.size() >= 9);
        const lookup::FirmRecord wanted = *rows.back().firm;
        QVERIFY(wintest::Trigger(mainWindow_.get(), "clearAction"));
        mainWindow_->resize(820, 320);
        QVERIFY(wintest::Trigger(mainWindow_.get(), "archiveSearchAction"));
        auto* dialog = mainWindow_->findChild<window::ArchiveSearchDialog*>();
        QVERIFY(dialog->isVisible());
        dialog->Search(QString::fromStdString(wanted.inn));
        QVERIFY(QTest::qWaitFor(
            [&] { return !dialog->searching() && dialog->List()->topLevelItemCount() == 1; },
            kTimeout));
        emit dialog->List()->itemActivated(dialog->List()->topLevelItem(0), 0);
        QVERIFY(!dialog->isVisible());
        QVERIFY(QTest::qWaitFor([&] { return mainWindow_->FirmCount() == rows.size(); }, kTimeout));
        const QModelIndex current = Left()->currentIndex();
        QVERIFY(current.isValid());
        QCOMPARE(wintest::DetailValue(mainWindow_.get(), "detailList", 4),
                 QString::fromStdString(wanted.inn));
        QVERIFY(Left()->viewport()->rect().contains(Left()->visualRect(current)));
        QVERIFY(Right()->viewport()->rect().contains(Right()->visualRect(Right()->currentIndex())));
    }

    // In a translated window History's Outcome column shows the register's message
    // as the results tree does; the archive keeps it as received.
    void historyShowsMessagesInTheUsersLanguage() {
        QVERIFY(Search(QStringLiteral("Пусто")));
        mainWindow_->Recording().Flush();
        QTranslator german;
        QVERIFY(german.load(QStringLiteral(VENDRAKE_BIN_DIR "/translations/vendrake_de.qm")));
        QCoreApplication::installTranslator(&german);
        const auto removed = qScopeGuard([&] { QCoreApplication::removeTranslator(&german); });
        const QString shown = wintest::TextOf(Row(Left(), 0, 0));
        QVERIFY(wintest::Trigger(mainWindow_.get(), "historyAction"));
        QVERIFY(QTest::qWaitFor([&] { return History().shownCount() == 1; }, kTimeout));
        QCOMPARE(History().List()->topLevelItem(0)->text(2), shown);
        archive::Archive db;
        QVERIFY(db.Open(mainWindow_->Recording().path(), archive::Archive::Access::ReadOnly));
        const platform::Result<std::vector<archive::CheckSummary>> checks = db.List({});
        QVERIFY(checks);
        const QString received = QString::fromStdString(checks->at(0).message);
        QVERIFY2(shown != received, qPrintable(shown));
    }

    // In a translated window the query row, a skipped line's reason and a failure's
    // reason show in the user's language, while the results file and the CSV export
    // stay byte for byte as written untranslated.
    void translatedRowsLeaveTheFilesAlone() {
        QVERIFY(Search(QStringLiteral("Лютик")));
        window::ResultsModel& model = mainWindow_->Results().Model();
        const window::NodeHandle list = model.AddQuery(QStringLiteral("1027700132190"));
        model.AddRow(list, window::RowKind::Skipped,
                     QStringLiteral("check digit does not match (OGRN)"));
        const window::NodeHandle failed = model.AddQuery(QStringLiteral("Обрыв"));
        model.AddRow(failed, window::RowKind::Failed,
                     window::ResultsModel::kFailedPrefix +
                         QStringLiteral("cannot connect to register.example"));
        const QString plainRow = wintest::TextOf(Row(Left(), 0));
        QVERIFY2(plainRow.startsWith(QStringLiteral("Search for entered data...(")),
                 qPrintable(plainRow));
        const QString results = dir_->filePath(QStringLiteral("plain.txt"));
        const QString csv = dir_->filePath(QStringLiteral("plain.csv"));
        mainWindow_->SaveTo(results);
        mainWindow_->ExportTo(csv);

        QTranslator german;
        QVERIFY(german.load(QStringLiteral(VENDRAKE_BIN_DIR "/translations/vendrake_de.qm")));
        QCoreApplication::installTranslator(&german);
        const auto removed = qScopeGuard([&] { QCoreApplication::removeTranslator(&german); });
        const QString row = wintest::TextOf(Row(Left(), 0));
        const QString start =
            QCoreApplication::translate("window::QueryEntry", "Search for entered data...(");
        QVERIFY(start != QStringLiteral("Search for entered data...("));
        QVERIFY2(row.startsWith(start), qPrintable(row));
        QVERIFY2(row.contains(QCoreApplication::translate("Region", "All regions of Russia")),
                 qPrintable(row));
        QVERIFY2(row.contains(QStringLiteral(", gefundene Einträge: 2")), qPrintable(row));
        QVERIFY2(row.contains(QStringLiteral("Лютик")), qPrintable(row));
        QCOMPARE(wintest::TextOf(Row(Left(), 1, 0)),
                 QStringLiteral("Prüfziffer stimmt nicht (OGRN)"));
        const QString failure = wintest::TextOf(Row(Left(), 2, 0));
        QVERIFY2(failure.endsWith(QStringLiteral("keine Verbindung zu register.example")),
                 qPrintable(failure));

        const QString translatedResults = dir_->filePath(QStringLiteral("translated.txt"));
        const QString translatedCsv = dir_->filePath(QStringLiteral("translated.csv"));
        mainWindow_->SaveTo(translatedResults);
        mainWindow_->ExportTo(translatedCsv);
        QCOMPARE(ReadAll(translatedResults), ReadAll(results));
        // The right pane's columns are in the user's language; the rows' own are not.
        QCOMPARE(LeftColumns(ReadAll(translatedCsv)), LeftColumns(ReadAll(csv)));
        QVERIFY(LeftColumns(ReadAll(csv))
                    .join(QLatin1Char('\n'))
                    .contains(QStringLiteral("Search for entered data...(")));
    }
};

QTEST_MAIN(ViewsTest)
#include "views_test.moc"
