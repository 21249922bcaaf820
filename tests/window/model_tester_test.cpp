// Qt's model tester watches the results model and the right pane's converting model
// while real searches against the stand-in register fill them, and while every edit
// path of the results model changes them: each insertion, change and reset must keep
// indexes, parents, row counts and data consistent for any view.
#include <QAbstractItemModelTester>
#include <QTreeView>
#include <QtTest>
#include <memory>

#include "support/standin.h"
#include "support/window_fixture.h"
#include "window/main_window.h"
#include "window/results_model.h"
#include "window/translated_model.h"

using window::RowKind;

namespace {

window::FirmChangeMark ChangeMark(const QString& note) {
    window::FirmChangeMark mark;
    mark.note = note;
    mark.since = QStringLiteral("2026-01-01 10:00");
    mark.earlier.emplace_back(0, QStringLiteral("earlier"));
    return mark;
}

// Both models under testers that fail the running test on any inconsistency.
struct Watched {
    QAbstractItemModelTester results;
    QAbstractItemModelTester translated;
    Watched(QAbstractItemModel* resultsModel, QAbstractItemModel* translatedModel)
        : results(resultsModel, QAbstractItemModelTester::FailureReportingMode::QtTest),
          translated(translatedModel, QAbstractItemModelTester::FailureReportingMode::QtTest) {}
};

}  // namespace

class ModelTesterTest : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<wintest::Sandbox> sandbox_;

    // Every row of model read in the roles a view asks for, so that the tester's
    // checks of data() run over all of them.
    static int ReadAll(const QAbstractItemModel& model, const QModelIndex& parent = {}) {
        int rows = 0;
        for (int row = 0; row < model.rowCount(parent); ++row) {
            const QModelIndex at = model.index(row, 0, parent);
            for (const int role : {int(Qt::DisplayRole), int(Qt::ToolTipRole),
                                   int(Qt::DecorationRole), window::kPaneSourceRole}) {
                at.data(role);
            }
            rows += 1 + ReadAll(model, at);
        }
        return rows;
    }

  private slots:
    void initTestCase() {
        sandbox_ = std::make_unique<wintest::Sandbox>();
        sandbox_->WriteStandardLanguages();
        wintest::CaptureMessages();
    }

    // Searches that find firms over several pages, many firms on one page, a message
    // of the register, a failure and a cut-off answer, each clearing the previous one.
    void realSearchesKeepBothModelsSound() {
        testsupport::StandinServer standin;
        wintest::ChooseTestDictionaries();
        window::MainWindow window(nullptr, standin.root(), standin.root() + "/");
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QTreeView* left = wintest::Tree(&window, "resultsTree");
        QTreeView* right = wintest::Tree(&window, "translatedTree");
        QVERIFY(qobject_cast<window::ResultsModel*>(left->model()) != nullptr);
        QVERIFY(qobject_cast<window::TranslatedModel*>(right->model()) != nullptr);
        Watched watched(left->model(), right->model());

        const struct {
            const char* name;
            int rows;  // under the query row once the search has ended
        } searches[] = {
            {"Ромашка", 9}, {"Лавина700", 700}, {"Пусто", 1}, {"Сбой", 1}, {"Обрыв", 1},
        };
        for (const auto& search : searches) {
            wintest::FindName(&window, QString::fromUtf8(search.name));
            QTRY_VERIFY_WITH_TIMEOUT(
                left->model()->rowCount() == 1 &&
                    left->model()->rowCount(left->model()->index(0, 0)) >= search.rows,
                60000);
            QTRY_VERIFY_WITH_TIMEOUT(
                window.StatusText().startsWith(QStringLiteral("Checking completed")), 60000);
            left->expandAll();
            right->expandAll();
            QCOMPARE(ReadAll(*right->model()), ReadAll(*left->model()));
        }
    }

    // Every way the window changes the results, and a language change of the pane.
    void editPathsKeepBothModelsSound() {
        window::ResultsModel model{QList<QIcon>()};
        window::TranslatedModel pane;
        pane.setSourceModel(&model);
        QCOMPARE(pane.SetLanguage(QStringLiteral("Latin"), QString()), QString());
        Watched watched(&model, &pane);

        const window::NodeHandle first = model.AddQuery(QStringLiteral("Ромашка"));
        model.SetQueryRunning(first, true);
        model.AddRow(first, RowKind::Firm, QStringLiteral("ООО Ромашка"),
                     wintest::NamedFirm("r", "1"));
        model.AddHeldFirm(first, QStringLiteral("ООО Лютик"), wintest::NamedFirm("l", "2"));
        model.AddHeldFirm(first, QStringLiteral("ООО Лютик 2"), wintest::NamedFirm("l2", "3"));
        // Marks of rows the views have not heard of yet wait for them.
        model.MarkChanged(first, 1, ChangeMark(QStringLiteral("changed")));
        model.MarkScreened(first, 2, window::ScreenMark{true, {}});
        model.MarkChanged(first, 0, ChangeMark(QStringLiteral("added")));
        model.SetQueryText(first, QStringLiteral("Ромашка, найдено: 3"));
        model.ShowHeldRows();
        QCOMPARE(model.rowCount(model.index(0, 0)), 3);
        QVERIFY(model.ChangeMarkOf(model.index(1, 0, model.index(0, 0))) != nullptr);
        QVERIFY(model.ScreenMarkOf(model.index(2, 0, model.index(0, 0))) != nullptr);
        model.SetQueryRunning(first, false);
        model.SetQueryIcon(first, 0);

        const window::NodeHandle second = model.AddQuery(QStringLiteral("Сбой"));
        model.AddRow(second, RowKind::Failed, window::ResultsModel::kFailedPrefix + "timeout");
        model.AddRow(second, RowKind::Message,
                     QString::fromUtf8(window::ResultsModel::kListCutText));
        model.AddRow(second, RowKind::Skipped, QStringLiteral("7707083894: check digit"));
        QCOMPARE(ReadAll(pane), ReadAll(model));

        QCOMPARE(pane.SetLanguage(QStringLiteral("Russian"), QString()), QString());
        QCOMPARE(ReadAll(pane), 8);
        model.Clear();
        model.AddHeldFirm(first, QStringLiteral("поздно"), wintest::NamedFirm("x", "9"));
        model.ShowHeldRows();
        QCOMPARE(ReadAll(pane), 0);
        QCOMPARE(ReadAll(model), 0);
    }
};

QTEST_MAIN(ModelTesterTest)
#include "model_tester_test.moc"
