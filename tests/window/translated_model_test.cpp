// The results model and the right pane's converting view of it, with real language
// and dictionary files in a private data folder, and the shipped dictionaries.
#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QtTest>
#include <memory>

#include "support/window_fixture.h"
#include "translit/translit.h"
#include "window/results_model.h"
#include "window/translated_model.h"

class TranslatedModelTest : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<wintest::Sandbox> sandbox_;
    std::unique_ptr<window::ResultsModel> model_;
    std::unique_ptr<window::TranslatedModel> pane_;

    QString Right(int query, int child = -1) const {
        const QModelIndex top = pane_->index(query, 0);
        return (child < 0 ? top : pane_->index(child, 0, top)).data().toString();
    }

  private slots:
    void initTestCase() {
        sandbox_ = std::make_unique<wintest::Sandbox>();
        sandbox_->WriteStandardLanguages();
        sandbox_->WriteDictionary(QStringLiteral("Firms.txt"),
                                  QStringLiteral("ООО;LLC\r\n").toUtf8());
    }

    void init() {
        model_ = std::make_unique<window::ResultsModel>(QList<QIcon>());
        pane_ = std::make_unique<window::TranslatedModel>();
        pane_->setSourceModel(model_.get());
    }

    void cleanup() {
        pane_.reset();
        model_.reset();
    }

    // Rows pass the dictionary, then the language; a new choice converts them again,
    // and so does an edit of the dictionary file.
    void rowsFollowLanguageDictionaryAndFileChanges() {
        QCOMPARE(pane_->SetLanguage(QStringLiteral("Latin"), QStringLiteral("Firms")), QString());
        const window::NodeHandle query = model_->AddQuery(QStringLiteral("Запрос"));
        model_->AddRow(query, window::RowKind::Firm, QStringLiteral("ООО Ромашка"));
        QCOMPARE(Right(0, 0), QStringLiteral("LLC Romashka"));
        QCOMPARE(Right(0), QStringLiteral("Zapros"));

        pane_->SetLanguage(QStringLiteral("Russian"), QStringLiteral("Firms"));
        QCOMPARE(Right(0, 0), QStringLiteral("LLC Ромашка"));
        pane_->SetLanguage(QStringLiteral("Latin"), QString());
        QCOMPARE(Right(0, 0), QStringLiteral("OOO Romashka"));

        // A changed query text is converted again, not served from the cache.
        model_->SetQueryText(query, QStringLiteral("Поиск"));
        QCOMPARE(Right(0), QStringLiteral("Poisk"));

        pane_->SetLanguage(QStringLiteral("Latin"), QStringLiteral("Firms"));
        QCOMPARE(Right(0, 0), QStringLiteral("LLC Romashka"));
        sandbox_->WriteDictionary(QStringLiteral("Firms.txt"),
                                  QStringLiteral("ООО;Ltd\r\n").toUtf8());
        QTRY_COMPARE(Right(0, 0), QStringLiteral("Ltd Romashka"));
    }

    // A failing language is reported once, after the row that failed was asked for.
    void unconvertibleRowsReportOnce() {
        pane_->SetLanguage(QStringLiteral("Missing"), QString());
        QSignalSpy failures(pane_.get(), &window::TranslatedModel::conversionFailed);
        const window::NodeHandle query = model_->AddQuery(QStringLiteral("Запрос"));
        for (int i = 0; i < 5; ++i) {
            model_->AddRow(query, window::RowKind::Message, QStringLiteral("Ошибка"));
            Right(0, i);
        }
        QTRY_COMPARE(failures.size(), 1);
        QVERIFY(failures.first().first().toString().contains(QStringLiteral("Missing")));
    }

    // Clearing empties both sides; what a removed query still delivers is dropped.
    void clearDropsLateDeliveries() {
        const window::NodeHandle query = model_->AddQuery(QStringLiteral("Запрос"));
        const lookup::FirmRecord firm{"n", "a", "i", "k", "o", "g", "d", "r", "ra", "re"};
        model_->AddRow(query, window::RowKind::Firm, QStringLiteral("n"), firm);
        model_->AddRow(query, window::RowKind::Failed, QStringLiteral("Query failed: x"));
        QCOMPARE(model_->FirmCount(), std::size_t(1));
        QCOMPARE(model_->data(model_->QueryIndex(query), window::kImageIndexRole).toInt(),
                 int(window::kMessageIcon));  // the query row shows its last row's icon
        QCOMPARE(model_->Record(model_->index(0, 0, model_->QueryIndex(query)))->region,
                 std::string("re"));
        QVERIFY(model_->Record(model_->index(1, 0, model_->QueryIndex(query))) == nullptr);

        model_->Clear();
        model_->AddRow(query, window::RowKind::Firm, QStringLiteral("late"), firm);
        model_->SetQueryText(query, QStringLiteral("late"));
        QCOMPARE(model_->rowCount(), 0);
        QCOMPARE(pane_->rowCount(), 0);
        QCOMPARE(model_->FirmCount(), std::size_t(0));
        QVERIFY(model_->AddQuery(QStringLiteral("next")) != query);
    }

    // Every shipped dictionary names the ten detail captions as the right list asks.
    void shippedDictionariesHoldTheCaptions() {
        const QDir shipped(QStringLiteral(VENDRAKE_SOURCE_DIR "/data/Dictionaries"));
        const QStringList files = shipped.entryList({QStringLiteral("*.txt")}, QDir::Files);
        QCOMPARE(files.size(), 7);
        for (const QString& file : files) {
            QStringList sources;
            for (const QString& line : translit::LoadDictionaryLines(shipped.filePath(file))) {
                sources << line.section(QLatin1Char(';'), 0, 0);
            }
            for (const lookup::FirmField& field : lookup::FirmFields()) {
                const QString caption = QString::fromUtf8(field.russianCaption) + QLatin1Char(':');
                QVERIFY2(sources.contains(caption), qPrintable(file + QLatin1Char(' ') + caption));
            }
        }
    }
};

QTEST_MAIN(TranslatedModelTest)
#include "translated_model_test.moc"
