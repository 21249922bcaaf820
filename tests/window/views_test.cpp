// The window's views against the stand-in register: the two trees follow each other,
// long texts can be read whole, focus shows, and the trees' context menus act.
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScrollBar>
#include <QStatusBar>
#include <QTreeView>
#include <QTreeWidget>
#include <QtTest>
#include <memory>

#include "platform/cp1251.h"
#include "support/standin.h"
#include "window/main_window.h"
#include "window/main_window_support.h"
#include "window/results_model.h"
#include "window/results_pane.h"

using wintest::Control;
using wintest::Row;

namespace {

constexpr int kTimeout = 30000;

}  // namespace

class ViewsTest : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<wintest::Sandbox> sandbox_;
    std::unique_ptr<testsupport::StandinServer> standin_;
    std::unique_ptr<window::MainWindow> form_;

    QTreeView* Left() const { return wintest::Tree(form_.get(), "resultsTree"); }
    QTreeView* Right() const { return wintest::Tree(form_.get(), "translatedTree"); }
    bool Search(const QString& name) {
        Control<QLineEdit>(form_.get(), "nameEdit")->setText(name);
        QTest::mouseClick(Control<QPushButton>(form_.get(), "findButton"), Qt::LeftButton);
        return QTest::qWaitFor(
            [&] {
                return form_->ThreadCount() == 0 &&
                       form_->StatusText().startsWith(QStringLiteral("Checking completed"));
            },
            kTimeout);
    }

  private slots:
    void initTestCase() {
        sandbox_ = std::make_unique<wintest::Sandbox>();
        sandbox_->WriteStandardLanguages();
        wintest::CaptureMessages();
        wintest::ChooseTestDictionaries();
        standin_ = std::make_unique<testsupport::StandinServer>();
    }

    void init() {
        form_ =
            std::make_unique<window::MainWindow>(nullptr, standin_->root(), standin_->root() + "/");
        form_->resize(1000, 700);
        form_->show();
        QVERIFY(QTest::qWaitForWindowExposed(form_.get()));
    }

    void cleanup() {
        form_.reset();
        wintest::Messages().clear();
    }

    // A row chosen, a query row opened or closed, or a tree scrolled on either side
    // is the same on the other; the status line says the chosen side's text.
    void treesFollowEachOther() {
        QVERIFY(Search(QStringLiteral("Ромашка")));
        window::ResultsModel& model = form_->Results().Model();
        const lookup::NodeHandle said = model.AddQuery(QStringLiteral("Пусто"));
        model.AddRow(said, window::RowKind::Message,
                     QStringLiteral("По Вашему запросу ничего не найдено"));
        const lookup::NodeHandle many = model.AddQuery(QStringLiteral("Много"));
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
            QCOMPARE(wintest::DetailValue(form_.get(), "detailList", 0),
                     wintest::TextOf(Row(Left(), 0, 1)));

            from->collapse(Row(from, 0));
            QVERIFY(!to->isExpanded(Row(to, 0)));
            from->expand(Row(from, 0));
            QVERIFY(to->isExpanded(Row(to, 0)));

            const QModelIndex message = Row(from, 1, 0);
            wintest::ClickRow(from, message);
            QCOMPARE(to->currentIndex(), Row(to, 1, 0));
            QCOMPARE(form_->statusBar()->currentMessage(),
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
};

QTEST_MAIN(ViewsTest)
#include "views_test.moc"
