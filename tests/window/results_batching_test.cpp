// The results model tells its views of arriving firms and changed count texts in
// batches; nothing a view, a file or the right pane reads may lag behind or come out
// of order because of it.
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QSignalSpy>
#include <QTreeView>
#include <QtTest>
#include <memory>

#include "exchange/query_service.h"
#include "support/standin.h"
#include "support/window_fixture.h"
#include "window/main_window.h"
#include "window/results_model.h"
#include "window/results_pane.h"
#include "window/translated_model.h"

using window::RowKind;

namespace {}  // namespace

class ResultsBatchingTest : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<wintest::Sandbox> sandbox_;
    std::unique_ptr<window::ResultsModel> model_;
    std::unique_ptr<window::TranslatedModel> pane_;

    int Children(const QAbstractItemModel& model, int query) const {
        return model.rowCount(model.index(query, 0));
    }
    QString Right(int query, int child = -1) const {
        const QModelIndex top = pane_->index(query, 0);
        return (child < 0 ? top : pane_->index(child, 0, top)).data().toString();
    }

  private slots:
    void initTestCase() {
        sandbox_ = std::make_unique<wintest::Sandbox>();
        sandbox_->WriteStandardLanguages();
        wintest::CaptureMessages();
    }

    void init() {
        model_ = std::make_unique<window::ResultsModel>(QList<QIcon>());
        pane_ = std::make_unique<window::TranslatedModel>();
        pane_->setSourceModel(model_.get());
        QCOMPARE(pane_->SetLanguage(QStringLiteral("Latin"), QString()), QString());
    }

    void cleanup() {
        pane_.reset();
        model_.reset();
    }

    // Held firms stay out of indexes and counts, then show in arrival order, in one
    // insertion per query, before any other row; the firm count includes them.
    void heldFirmsShowInOrderBeforeTheNextRow() {
        const window::NodeHandle first = model_->AddQuery(QStringLiteral("Один"));
        const window::NodeHandle second = model_->AddQuery(QStringLiteral("Два"));
        model_->AddHeldFirm(first, QStringLiteral("ООО Альфа"), wintest::NamedFirm("a", "1"));
        model_->AddHeldFirm(second, QStringLiteral("ООО Гамма"), wintest::NamedFirm("g", "3"));
        model_->AddHeldFirm(first, QStringLiteral("ООО Бета"), wintest::NamedFirm("b", "2"));
        QCOMPARE(model_->FirmCount(), std::size_t(3));
        QCOMPARE(Children(*model_, 0), 0);
        QCOMPARE(Children(*pane_, 0), 0);
        QVERIFY(!model_->index(0, 0, model_->index(0, 0)).isValid());

        QSignalSpy inserted(model_.get(), &QAbstractItemModel::rowsInserted);
        model_->AddRow(first, RowKind::Message, QStringLiteral("Конец"));
        QCOMPARE(inserted.size(), 3);
        QCOMPARE(inserted[0][0].value<QModelIndex>(), model_->index(0, 0));
        QCOMPARE(inserted[0][1].toInt(), 0);
        QCOMPARE(inserted[0][2].toInt(), 1);
        QCOMPARE(inserted[1][0].value<QModelIndex>(), model_->index(1, 0));
        QCOMPARE(inserted[2][1].toInt(), 2);  // the new row after the held ones

        QCOMPARE(Children(*model_, 0), 3);
        QCOMPARE(Children(*model_, 1), 1);
        const QModelIndex top = model_->index(0, 0);
        QCOMPARE(model_->Text(model_->index(0, 0, top)), QStringLiteral("ООО Альфа"));
        QCOMPARE(model_->Record(model_->index(1, 0, top))->ogrn, std::string("2"));
        QCOMPARE(model_->Kind(model_->index(2, 0, top)), RowKind::Message);
        QCOMPARE(Right(0, 1), QStringLiteral("OOO Beta"));
        QCOMPARE(Right(1, 0), QStringLiteral("OOO Gamma"));
    }

    // Held firms show on their own soon after, and a new query shows them first too;
    // held firms of a cleared model never show, nor do late ones.
    void heldFirmsShowOnTheirOwnAndDieWithClear() {
        window::NodeHandle query = model_->AddQuery(QStringLiteral("Один"));
        model_->AddHeldFirm(query, QStringLiteral("ООО Альфа"), wintest::NamedFirm("a", "1"));
        QTRY_COMPARE(Children(*model_, 0), 1);
        QCOMPARE(Children(*pane_, 0), 1);

        model_->AddHeldFirm(query, QStringLiteral("ООО Бета"), wintest::NamedFirm("b", "2"));
        model_->AddQuery(QStringLiteral("Два"));
        QCOMPARE(Children(*model_, 0), 2);

        model_->AddHeldFirm(query, QStringLiteral("ООО Гамма"), wintest::NamedFirm("g", "3"));
        QSignalSpy inserted(model_.get(), &QAbstractItemModel::rowsInserted);
        model_->Clear();
        model_->AddHeldFirm(query, QStringLiteral("поздно"), wintest::NamedFirm("l", "4"));
        model_->ShowHeldRows();
        QTest::qWait(2 * window::ResultsModel::kHeldRowsMs);
        QCOMPARE(inserted.size(), 0);
        QCOMPARE(model_->rowCount(), 0);
        QCOMPARE(model_->FirmCount(), std::size_t(0));

        query = model_->AddQuery(QStringLiteral("Три"));
        model_->AddHeldFirm(query, QStringLiteral("ООО Дельта"), wintest::NamedFirm("d", "5"));
        model_->ShowHeldRows();
        QCOMPARE(Children(*model_, 0), 1);
        QCOMPARE(Children(*pane_, 0), 1);
    }

    // A count text that changes with every firm is read back at once on both sides,
    // converted anew on the right, while the views hear of it once per event-loop turn.
    void countTextChangesReachTheViewsOncePerTurn() {
        const window::NodeHandle query = model_->AddQuery(QStringLiteral("Запрос"));
        QCOMPARE(Right(0), QStringLiteral("Zapros"));
        QSignalSpy changed(model_.get(), &QAbstractItemModel::dataChanged);
        QSignalSpy paneChanged(pane_.get(), &QAbstractItemModel::dataChanged);
        for (int i = 1; i <= 500; ++i) {
            model_->SetQueryText(query, QStringLiteral("Запрос, найдено: %1").arg(i));
            QCOMPARE(model_->Text(model_->index(0, 0)),
                     QStringLiteral("Запрос, найдено: %1").arg(i));
        }
        QCOMPARE(Right(0), QStringLiteral("Zapros, naydeno: 500"));
        QCOMPARE(changed.size(), 0);
        QTRY_COMPARE(changed.size(), 1);
        QCOMPARE(changed[0][0].value<QModelIndex>(), model_->index(0, 0));
        QCOMPARE(paneChanged.size(), 1);

        // A text changed and then cleared away is told to nobody.
        model_->SetQueryText(query, QStringLiteral("снова"));
        model_->Clear();
        QTest::qWait(50);
        QCOMPARE(changed.size(), 1);
    }

    // What the files are written from holds the held firms too.
    void filesHoldHeldFirms() {
        window::ResultsPane results({}, nullptr);
        const window::NodeHandle query = results.Model().AddQuery(QStringLiteral("Один"));
        results.Model().AddHeldFirm(query, QStringLiteral("ООО Альфа"),
                                    wintest::NamedFirm("a", "1"));
        QCOMPARE(results.ResultEntries().size(), std::size_t(1));
        results.Model().AddHeldFirm(query, QStringLiteral("ООО Бета"),
                                    wintest::NamedFirm("b", "2"));
        QCOMPARE(results.ExportRows().size(), std::size_t(2));
    }

    // A real search: when the status turns to "Checking completed." both trees hold
    // every firm, though the last ones arrived within the same moment.
    void everyFirmShowsWhenCheckingCompletes() {
        testsupport::StandinServer standin;
        wintest::ChooseTestDictionaries();
        window::MainWindow mainWindow(nullptr, standin.root(), standin.root() + "/");
        mainWindow.show();
        QVERIFY(QTest::qWaitForWindowExposed(&mainWindow));

        constexpr int kFirms = 3000;
        int shownAtEnd[2] = {-1, -1};
        QString statusAtEnd;
        connect(mainWindow.Service(), &lookup::QueryService::allFinished, this, [&] {
            statusAtEnd = mainWindow.StatusText();
            for (int side = 0; side < 2; ++side) {
                const QTreeView* tree =
                    wintest::Tree(&mainWindow, side == 0 ? "resultsTree" : "translatedTree");
                shownAtEnd[side] = tree->model()->rowCount(tree->model()->index(0, 0));
            }
        });
        wintest::Control<QLineEdit>(&mainWindow, "nameEdit")
            ->setText(QStringLiteral("Лавина%1").arg(kFirms));
        QTest::mouseClick(wintest::Control<QPushButton>(&mainWindow, "findButton"), Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(!statusAtEnd.isEmpty(), 60000);
        QCOMPARE(statusAtEnd, QStringLiteral("Checking completed."));
        QCOMPARE(shownAtEnd[0], kFirms);
        QCOMPARE(shownAtEnd[1], kFirms);
        const QTreeView* right = wintest::Tree(&mainWindow, "translatedTree");
        QCOMPARE(
            right->model()->index(kFirms - 1, 0, right->model()->index(0, 0)).data().toString(),
            QStringLiteral("OOO Lavina-%1").arg(kFirms));
        QVERIFY(wintest::Messages().isEmpty());
    }
};

QTEST_MAIN(ResultsBatchingTest)
#include "results_batching_test.moc"
