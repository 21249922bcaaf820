// Whole searches through the query service against the stand-in register on loopback:
// the tree, the firm list, the detail lists, saving, batch lists and closing.
#include <QAction>
#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QTreeWidget>
#include <QtTest>
#include <memory>

#include "platform/cp1251.h"
#include "proxy/proxy_dialog.h"
#include "support/standin.h"
#include "translit/translit.h"
#include "window/image_list.h"
#include "window/main_window.h"
#include "window/main_window_support.h"
#include "window/message_box.h"

using wintest::Control;
using wintest::Messages;

namespace {

constexpr int kSearchTimeout = 30000;

QString Cp(const std::string& bytes) {
    return platform::FromCp1251(bytes);
}

int ImageOf(const QTreeWidgetItem* item) {
    return item->data(0, window::kImageIndexRole).toInt();
}

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

}  // namespace

class SearchTest : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<wintest::Sandbox> sandbox_;
    std::unique_ptr<testsupport::StandinServer> standin_;
    std::unique_ptr<window::MainWindow> form_;

    std::unique_ptr<window::MainWindow> NewForm(const std::string& root, const std::string& probe,
                                                const QString& proxyConfig = QString()) {
        proxy::ProxyDialog* dialog =
            proxyConfig.isEmpty()
                ? nullptr
                : new proxy::ProxyDialog(nullptr, proxyConfig, window::ShowErrorReport);
        auto form = std::make_unique<window::MainWindow>(nullptr, root, probe, dialog);
        form->show();
        if (!QTest::qWaitForWindowExposed(form.get())) {
            qWarning("the window was not exposed");
        }
        return form;
    }
    QTreeWidget* Tree(const char* name = "resultsTree") const {
        return Control<QTreeWidget>(form_.get(), name);
    }
    QString Value(const char* list, int row) const {
        return Control<QTreeWidget>(form_.get(), list)->topLevelItem(row)->text(1);
    }
    QAction* Action(const char* name) const { return Control<QAction>(form_.get(), name); }

    // Types the query, presses "Find" and waits until every worker has ended.
    bool Search(window::MainWindow* form, const QString& name, const QString& number = QString()) {
        Control<QLineEdit>(form, "nameEdit")->setText(name);
        Control<QLineEdit>(form, "numberEdit")->setText(number);
        QTest::mouseClick(Control<QPushButton>(form, "findButton"), Qt::LeftButton);
        return QTest::qWaitFor(
            [form]() {
                return form->ThreadCount() == 0 &&
                       form->StatusText() == QStringLiteral("Checking completed.");
            },
            kSearchTimeout);
    }

    void DoubleClick(QTreeWidgetItem* item) {
        QTreeWidget* tree = Tree();
        if (item->parent() != nullptr) {
            item->parent()->setExpanded(true);
        }
        tree->scrollToItem(item);
        QCoreApplication::processEvents();  // lays the expanded items out
        // A plain click first, as a user's pointer does; it selects without loading.
        const QPoint at = tree->visualItemRect(item).center();
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(tree->viewport(), Qt::LeftButton, {}, at, 50);
    }

  private slots:
    void initTestCase() {
        sandbox_ = std::make_unique<wintest::Sandbox>();
        sandbox_->WriteStandardLanguages();
        wintest::CaptureMessages();
        // The query goes out in Russian; the right pane shows Latin letters.
        QSettings settings(QStringLiteral("Quillmarsh"), QStringLiteral("Vendrake"));
        settings.setValue(QStringLiteral("LangDict"), QStringLiteral("Russian"));
        settings.setValue(QStringLiteral("LangDict2"), QStringLiteral("Latin"));
        settings.sync();
        standin_ = std::make_unique<testsupport::StandinServer>();
    }

    void init() {
        Messages().clear();
        form_ = NewForm(standin_->root(), standin_->root() + "/");
    }

    void cleanup() { form_.reset(); }

    void failedProbeEndsTheSearch() {
        form_ = NewForm(standin_->root(), "http://127.0.0.1:1/");
        QVERIFY(!Search(form_.get(), QStringLiteral("Ромашка")));
        QCOMPARE(form_->StatusText(), QStringLiteral("No Internet connection..."));
        QCOMPARE(Tree()->topLevelItemCount(), 0);
        QCOMPARE(Control<QTreeWidget>(form_.get(), "detailList")->contextMenuPolicy(),
                 Qt::NoContextMenu);
    }

    void nameSearchHangsFirmsUnderTheQueryNode() {
        QVERIFY(Search(form_.get(), QStringLiteral("Ромашка")));
        QCOMPARE(Tree()->topLevelItemCount(), 1);
        QTreeWidgetItem* query = Tree()->topLevelItem(0);
        QCOMPARE(query->text(0), form_->QueryNodeText() + QStringLiteral(", records found: 9"));
        QCOMPARE(query->childCount(), 9);
        QCOMPARE(ImageOf(query), int(window::kImageFirm));
        QCOMPARE(form_->FirmCount(), std::size_t(9));
        const auto entries = form_->ResultEntries();
        for (int i = 0; i < 9; ++i) {
            QCOMPARE(ImageOf(query->child(i)), int(window::kImageFirm));
            QCOMPARE(query->child(i)->text(0), Cp(entries[i].firm.name));
            QVERIFY(Cp(entries[i].firm.name).contains(QStringLiteral("Ромашка")));
        }
        QVERIFY(!query->isExpanded());
        QCOMPARE(Control<QTreeWidget>(form_.get(), "detailList")->contextMenuPolicy(),
                 Qt::CustomContextMenu);
    }

    void numberSearchFindsTheEntry() {
        QVERIFY(Search(form_.get(), QString(), QStringLiteral("1027700101230")));
        QTreeWidgetItem* query = Tree()->topLevelItem(0);
        QCOMPARE(query->childCount(), 1);
        QCOMPARE(ImageOf(query->child(0)), int(window::kImageFirm));
        QCOMPARE(form_->FirmCount(), std::size_t(1));
        QCOMPARE(form_->ResultEntries()[0].firm.inn, std::string("7713001232"));
    }

    void serviceMessageBecomesAMessageNode() {
        QVERIFY(Search(form_.get(), QStringLiteral("Лимит")));
        QTreeWidgetItem* query = Tree()->topLevelItem(0);
        QCOMPARE(query->childCount(), 1);
        QCOMPARE(ImageOf(query->child(0)), int(window::kImageMessage));
        QCOMPARE(ImageOf(query), int(window::kImageMessage));
        QCOMPARE(form_->FirmCount(), std::size_t(0));

        // A message node has no record: both lists keep what they show.
        lookup::FirmRecord shown;
        shown.name = "Shown";
        shown.region = "77";
        form_->ShowFirmDetails(shown);
        DoubleClick(query->child(0));
        DoubleClick(query);
        QCOMPARE(Value("detailList", 0), QStringLiteral("Shown"));
        QCOMPARE(Value("detailList", 9), QStringLiteral("77"));
        QCOMPARE(Value("translatedDetailList", 0),
                 QStringLiteral("Shown"));  // no Latin rule applies
        QCOMPARE(Value("translatedDetailList", 1), QString());
    }

    void firmsOfOneNameShowTheirOwnRecords() {
        QVERIFY(Search(form_.get(), QStringLiteral("Лютик")));
        QTreeWidgetItem* query = Tree()->topLevelItem(0);
        QCOMPARE(query->childCount(), 2);
        QCOMPARE(query->child(0)->text(0), query->child(1)->text(0));
        const auto entries = form_->ResultEntries();
        QVERIFY(entries[0].firm.inn != entries[1].firm.inn);

        for (int i : {1, 0}) {
            DoubleClick(query->child(i));
            QCOMPARE(Value("detailList", 4), Cp(entries[i].firm.inn));
            QCOMPARE(Value("detailList", 2), Cp(entries[i].firm.ogrn));
            QCOMPARE(Value("detailList", 9), Cp(entries[i].firm.region));
            QString latin;
            translit::Transliterate(Cp(entries[i].firm.address), QStringLiteral("Latin"), latin);
            QCOMPARE(Value("translatedDetailList", 1), latin);
        }
        // The right tree is a snapshot of the left one.
        QCOMPARE(Tree("translatedTree")->topLevelItemCount(), 1);
        QCOMPARE(Tree("translatedTree")->topLevelItem(0)->childCount(), 2);

        DoubleClick(query);  // a query node changes nothing
        QCOMPARE(Value("detailList", 4), Cp(entries[0].firm.inn));

        // Copy all reads the left list.
        Action("copyAllAction")->trigger();
        QVERIFY(QGuiApplication::clipboard()->text().contains(QStringLiteral("ИНН: ") +
                                                              Cp(entries[0].firm.inn)));

        // A new search empties the left side; the right list keeps the firm.
        QVERIFY(Search(form_.get(), QStringLiteral("Пусто")));
        QCOMPARE(Value("detailList", 4), QString());
        QCOMPARE(Value("translatedDetailList", 4), Cp(entries[0].firm.inn));
    }

    void saveWritesEveryFirmAndReportsFailures() {
        QVERIFY(Search(form_.get(), QStringLiteral("Лютик")));
        QTemporaryDir dir;
        form_->resultFileName = dir.filePath(QStringLiteral("out.txt"));
        Action("saveAction")->trigger();
        const QByteArray bytes = ReadAll(form_->resultFileName);
        const std::string head = "[" + platform::ToCp1251(Tree()->topLevelItem(0)->text(0)) +
                                 "]\r\n" + platform::ToCp1251(u"Название: ООО \"Лютик\"\r\n");
        QVERIFY(bytes.startsWith(QByteArray::fromStdString(head)));
        QCOMPARE(bytes.count("\r\n"), 24);

        const QString unwritable = dir.filePath(QStringLiteral("missing/out.txt"));
        form_->resultFileName = unwritable;
        Action("saveAction")->trigger();
        QCOMPARE(Messages().size(), 1);
        QVERIFY2(
            Messages()[0].startsWith(QStringLiteral("Cannot create file \"%1\". ").arg(unwritable)),
            qPrintable(Messages()[0]));
        QCOMPARE(form_->resultFileName, unwritable);

        form_->ExportTo(dir.filePath(QStringLiteral("out.csv")));
        QVERIFY(ReadAll(dir.filePath(QStringLiteral("out.csv"))).size() > 0);

        Action("clearAction")->trigger();  // "Clear all"
        QCOMPARE(Tree()->topLevelItemCount(), 0);
        QCOMPARE(form_->FirmCount(), std::size_t(0));
    }

    void batchListSearchesEveryLine() {
        QTemporaryDir dir;
        const QString list = dir.filePath(QStringLiteral("inn.txt"));
        QFile file(list);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(
            QByteArray::fromStdString(platform::ToCp1251(u"1027700101230\r\n\r\nЛютик\r\n")));
        file.close();

        form_->LoadQueryList(list);
        QCOMPARE(form_->resultFileName, dir.filePath(QStringLiteral("inn_enabled.txt")));
        QCOMPARE(Tree()->topLevelItemCount(), 2);
        QVERIFY(QTest::qWaitFor(
            [this]() {
                return form_->ThreadCount() == 0 &&
                       form_->StatusText() == QStringLiteral("Checking completed.");
            },
            kSearchTimeout));
        QCOMPARE(Tree()->topLevelItem(0)->childCount(), 1);
        QCOMPARE(Tree()->topLevelItem(1)->childCount(), 2);
        QCOMPARE(form_->FirmCount(), std::size_t(3));
    }

    void workersGoThroughTheConfiguredProxy() {
        // The service host cannot be resolved: only the proxy (the stand-in) reaches it.
        QTemporaryDir dir;
        QFile config(dir.filePath(QStringLiteral("config.ini")));
        QVERIFY(config.open(QIODevice::WriteOnly));
        config.write(QStringLiteral("EnabledProxy=1\r\nproxy=127.0.0.1\r\nport=%1\r\n")
                         .arg(standin_->port())
                         .toLatin1());
        config.close();
        form_ = NewForm("http://register.invalid", standin_->root() + "/", config.fileName());

        QVERIFY(Search(form_.get(), QStringLiteral("Лютик")));
        QCOMPARE(form_->FirmCount(), std::size_t(2));
    }

    void secondFindDiscardsEarlierFindings() {
        testsupport::StandinServer slow({"--slow", "1"});
        form_ = NewForm(slow.root(), standin_->root() + "/");
        Control<QLineEdit>(form_.get(), "nameEdit")->setText(QStringLiteral("Медленно"));
        QTest::mouseClick(Control<QPushButton>(form_.get(), "findButton"), Qt::LeftButton);
        QTRY_COMPARE_WITH_TIMEOUT(form_->ThreadCount(), 1, kSearchTimeout);

        QVERIFY(Search(form_.get(), QStringLiteral("Лютик")));
        QCOMPARE(Tree()->topLevelItemCount(), 1);
        QVERIFY(Tree()->topLevelItem(0)->text(0).contains(QStringLiteral("Лютик")));
        QCOMPARE(Tree()->topLevelItem(0)->childCount(), 2);
        QCOMPARE(form_->FirmCount(), std::size_t(2));
    }

    // Last: closing ends every exchange of the process.
    void closingMidExchangeEndsCleanly() {
        testsupport::StandinServer slow({"--slow", "20"});
        QTemporaryDir dir;
        form_ = NewForm(slow.root(), standin_->root() + "/",
                        dir.filePath(QStringLiteral("config.ini")));
        Control<QLineEdit>(form_.get(), "nameEdit")->setText(QStringLiteral("Медленно"));
        QTest::mouseClick(Control<QPushButton>(form_.get(), "findButton"), Qt::LeftButton);
        QTRY_COMPARE_WITH_TIMEOUT(form_->ThreadCount(), 1, kSearchTimeout);

        QVERIFY(form_->close());
        QCOMPARE(form_->ThreadCount(), 0);
        QVERIFY(ReadAll(dir.filePath(QStringLiteral("config.ini"))).startsWith("[Setting]\r\n"));
        form_.reset();
        QCoreApplication::processEvents();
    }
};

QTEST_MAIN(SearchTest)
#include "main_window_search_test.moc"
