// The right results pane: the in-memory tree transfer and the re-translation through
// a real language folder and dictionary written into a temporary XDG data folder.
#include <QDir>
#include <QFile>
#include <QIcon>
#include <QPixmap>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <QtTest>

#include "platform/cp1251.h"
#include "translit/translit.h"
#include "window/translated_pane.h"

namespace {

const char* const kRussianCaptions[] = {"Название",     "Адрес", "ОГРН",        "ГРН",
                                        "ИНН",          "КПП",   "Дата записи", "Рег. орган",
                                        "Адрес органа", "Регион"};
const char* const kLatinCaptions[] = {"Nazvanie",     "Adres", "OGRN",        "GRN",
                                      "INN",          "KPP",   "Data zapisi", "Reg. organ",
                                      "Adres organa", "Region"};

void WriteUtf16Lines(const QString& path, const QStringList& lines) {
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    for (const QString& line : lines) {
        const QString text = line + QStringLiteral("\r\n");
        for (QChar c : text) {
            const char16_t u = c.unicode();
            const char bytes[2] = {static_cast<char>(u & 0xFF), static_cast<char>(u >> 8)};
            f.write(bytes, 2);
        }
    }
}

void WriteBytes(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

// "a(b(c),d),e": texts with children in brackets, siblings separated by commas.
QString Shape(const QTreeWidgetItem* item) {
    QString s = item->text(0);
    if (item->childCount() > 0) {
        QStringList children;
        for (int i = 0; i < item->childCount(); ++i) {
            children << Shape(item->child(i));
        }
        s += QLatin1Char('(') + children.join(QLatin1Char(',')) + QLatin1Char(')');
    }
    return s;
}

QString Shape(const QTreeWidget& tree) {
    QStringList roots;
    for (int i = 0; i < tree.topLevelItemCount(); ++i) {
        roots << Shape(tree.topLevelItem(i));
    }
    return roots.join(QLatin1Char(','));
}

QTreeWidgetItem* Add(QTreeWidget& tree, QTreeWidgetItem* parent, const QString& text) {
    auto* item = new QTreeWidgetItem(QStringList{text});
    if (parent) {
        parent->addChild(item);
    } else {
        tree.addTopLevelItem(item);
    }
    return item;
}

void FillList(QTreeWidget& list, const char* const* captions) {
    list.setColumnCount(2);
    for (int i = 0; i < 10; ++i) {
        list.addTopLevelItem(new QTreeWidgetItem(
            QStringList{QString::fromUtf8(captions[i]), QStringLiteral("value %1").arg(i)}));
    }
}

QStringList Captions(const QTreeWidget& list) {
    QStringList out;
    for (int i = 0; i < list.topLevelItemCount(); ++i) {
        out << list.topLevelItem(i)->text(0);
    }
    return out;
}

QStringList Expected(const char* const* captions) {
    QStringList out;
    for (int i = 0; i < 10; ++i) {
        out << QString::fromUtf8(captions[i]);
    }
    return out;
}

}  // namespace

class TranslatedPaneTest : public QObject {
    Q_OBJECT

  private:
    QTemporaryDir data_;
    QStringList failures_;
    QIcon icon_;
    QTreeWidget leftTree_, rightTree_, leftList_, rightList_;

    // The pane's report (empty when all went well) lands in failures_.
    void Retranslate(const QString& language, const QString& dictionary) {
        const QString error = window::RetranslatePane(leftTree_, rightTree_, leftList_, rightList_,
                                                      language, dictionary, icon_);
        if (!error.isEmpty()) {
            failures_ << error;
        }
    }

  private slots:
    void initTestCase() {
        QVERIFY(data_.isValid());
        qputenv("XDG_DATA_HOME", data_.path().toLocal8Bit());
        const QString root = data_.path() + QStringLiteral("/Quillmarsh/");
        QStringList table;
        const char* const pairs[] = {"а|a",  "б|b",    "в|v", "г|g", "д|d",  "е|e",  "ж|zh", "з|z",
                                     "и|i",  "й|y",    "к|k", "л|l", "м|m",  "н|n",  "о|o",  "п|p",
                                     "р|r",  "с|s",    "т|t", "у|u", "ф|f",  "х|kh", "ц|ts", "ч|ch",
                                     "ш|sh", "щ|shch", "ы|y", "э|e", "ю|yu", "я|ya"};
        for (const char* p : pairs) {
            table << QString::fromUtf8(p);
        }
        WriteUtf16Lines(root + QStringLiteral("Transliteration/Test/Test.dat"), table);
        WriteUtf16Lines(root + QStringLiteral("Transliteration/Test/exception.dat"), {});
        WriteBytes(root + QStringLiteral("Dictionaries/Firms.txt"),
                   QStringLiteral("ооо ; LLC\r\nРомашка;Daisy\r\nАдрес;Address\r\n").toUtf8());
        QDir().mkpath(root + QStringLiteral("Dictionaries/Broken.txt"));
        QVERIFY(translit::GetDictionaryDir().startsWith(root));

        QPixmap pixmap(16, 16);
        pixmap.fill(Qt::red);
        icon_ = QIcon(pixmap);
    }

    void init() {
        failures_.clear();
        for (QTreeWidget* t : {&leftTree_, &rightTree_, &leftList_, &rightList_}) {
            t->clear();
        }
        FillList(leftList_, kRussianCaptions);
        FillList(rightList_, kRussianCaptions);
        for (int i = 0; i < 10; ++i) {
            rightList_.topLevelItem(i)->setText(0, QStringLiteral("design %1").arg(i));
        }
        QTreeWidgetItem* query = Add(leftTree_, nullptr, QStringLiteral("ООО Ромашка"));
        Add(leftTree_, query, QStringLiteral("Ромашка"));
        Add(leftTree_, query, QStringLiteral("Адрес"));
        Add(leftTree_, nullptr, QStringLiteral("Щука"));
    }

    void serialisesWithTabsAndCrLfInCp1251() {
        QTreeWidget tree;
        QTreeWidgetItem* a = Add(tree, nullptr, QStringLiteral("A"));
        Add(tree, Add(tree, a, QStringLiteral("Я")), QStringLiteral("c"));
        Add(tree, a, QString());
        Add(tree, nullptr, QStringLiteral("B ☃"));
        QCOMPARE(window::SerializeTree(tree), std::string("A\r\n\t\xDF\r\n\t\tc\r\n\t\r\nB ?\r\n"));
        QCOMPARE(window::SerializeTree(QTreeWidget()), std::string());
    }

    void readsTransferLines_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("shape");
        QTest::newRow("siblings, children, back up")
            << QByteArray("A\r\n\tB\r\n\t\tC\r\n\tD\r\nE\r\n") << "A(B(C),D),E";
        QTest::newRow("first line is a root") << QByteArray("\t\tA\r\n\tB\r\nC\r\n") << "A(B),C";
        QTest::newRow("blanks count as levels") << QByteArray("A\r\n B\r\n \tC\r\n") << "A(B(C))";
        QTest::newRow("two levels deeper ends")
            << QByteArray("A\r\n\tB\r\n\t\t\tC\r\nD\r\n") << "A(B)";
        QTest::newRow("CR, LF and CR LF all end lines")
            << QByteArray("A\n\tB\rC\r\n\tD") << "A(B),C(D)";
        QTest::newRow("empty lines are nodes") << QByteArray("A\r\n\r\nB\r\n") << "A,,B";
        QTest::newRow("empty") << QByteArray() << "";
        QTest::newRow("Windows-1251") << QByteArray("\xC0\xDF\r\n") << "АЯ";
    }

    void readsTransferLines() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, shape);
        QTreeWidget tree;
        Add(tree, nullptr, QStringLiteral("old"));
        window::LoadTreeTransfer(tree, std::string_view(bytes.constData(), bytes.size()), icon_);
        QCOMPARE(Shape(tree), shape);
        for (QTreeWidgetItemIterator it(&tree); *it; ++it) {
            const QImage normal = icon_.pixmap(16).toImage();
            QCOMPARE((*it)->icon(0).pixmap(16).toImage(), normal);
            QCOMPARE((*it)->icon(0).pixmap(16, QIcon::Selected).toImage(), normal);
            QVERIFY(!(*it)->isExpanded());
        }
    }

    void transliteratesTreeAndCaptionsWithoutDictionary_data() {
        QTest::addColumn<QString>("dictionary");
        QTest::newRow("empty name") << QString();
        QTest::newRow("no such file") << QStringLiteral("Missing");
    }

    void transliteratesTreeAndCaptionsWithoutDictionary() {
        QFETCH(QString, dictionary);
        Add(rightTree_, nullptr, QStringLiteral("previous"));
        Retranslate(QStringLiteral("Test"), dictionary);
        QCOMPARE(Shape(rightTree_), QStringLiteral("OOO Romashka(Romashka,Adres),Shchuka"));
        QCOMPARE(Captions(rightList_), Expected(kLatinCaptions));
        QCOMPARE(rightList_.topLevelItem(3)->text(1), QStringLiteral("value 3"));
        QCOMPARE(Shape(leftTree_), QStringLiteral("ООО Ромашка(Ромашка,Адрес),Щука"));
        QVERIFY(failures_.isEmpty());
    }

    void dictionaryTranslatesNodesButNotCaptions() {
        Retranslate(QStringLiteral("Test"), QStringLiteral("Firms"));
        QCOMPARE(Shape(rightTree_), QStringLiteral("LLC Daisy(Daisy,Address),Shchuka"));
        QCOMPARE(Captions(rightList_), Expected(kLatinCaptions));
        QVERIFY(failures_.isEmpty());
    }

    void leadingBlanksPlaceTheNode() {
        QTreeWidgetItem* query = leftTree_.topLevelItem(0);
        // One level below the query plus one blank: a child of the node before it.
        query->insertChild(1, new QTreeWidgetItem(QStringList{QStringLiteral(" Отдел")}));
        Retranslate(QStringLiteral("Test"), QString());
        QCOMPARE(Shape(rightTree_), QStringLiteral("OOO Romashka(Romashka(Otdel),Adres),Shchuka"));

        // Two blanks below "Адрес" put the node two levels too deep: the tree ends just
        // before it, nothing is translated and the captions keep their previous texts.
        query->child(2)->addChild(new QTreeWidgetItem(QStringList{QStringLiteral("  Х")}));
        for (int i = 0; i < 10; ++i) {
            rightList_.topLevelItem(i)->setText(0, QStringLiteral("design %1").arg(i));
        }
        Retranslate(QStringLiteral("Test"), QString());
        QCOMPARE(Shape(rightTree_), QStringLiteral("ООО Ромашка(Ромашка(Отдел),Адрес)"));
        QCOMPARE(rightList_.topLevelItem(9)->text(0), QStringLiteral("design 9"));
    }

    void lineBreakInNodeTextStartsANewNode() {
        leftTree_.topLevelItem(0)->child(0)->setText(0, QStringLiteral("Ромашка\nЗавод\r\n\tЦех"));
        Retranslate(QStringLiteral("Test"), QString());
        QCOMPARE(Shape(rightTree_),
                 QStringLiteral("OOO Romashka(Romashka),Zavod(Tsekh,Adres),Shchuka"));
    }

    void missingLanguageReportsOnceAndGoesOn() {
        Retranslate(QStringLiteral("Nowhere"), QStringLiteral("Firms"));
        // Nodes keep the dictionary's replacements; captions that failed stay empty.
        QCOMPARE(Shape(rightTree_), QStringLiteral("LLC Daisy(Daisy,Address),Щука"));
        QCOMPARE(Captions(rightList_), QStringList(10, QString()));
        QCOMPARE(failures_.size(), 1);
        QVERIFY2(failures_.first().startsWith(QStringLiteral("Language \"Nowhere\": no folder in ")),
                 qPrintable(failures_.first()));
    }

    void unreadableDictionaryEndsBeforeTheTree() {
        Add(rightTree_, nullptr, QStringLiteral("previous"));
        Retranslate(QStringLiteral("Test"), QStringLiteral("Broken"));
        QCOMPARE(Shape(rightTree_), QStringLiteral("previous"));
        QCOMPARE(rightList_.topLevelItem(0)->text(0), QStringLiteral("design 0"));
        QCOMPARE(failures_.size(), 1);
        QVERIFY2(failures_.first().startsWith(QStringLiteral("Dictionary \"Broken\"")),
                 qPrintable(failures_.first()));
    }

    void leavesTheWorkingDirectoryAlone() {
        QTemporaryDir cwd;
        const QString before = QDir::currentPath();
        QVERIFY(QDir::setCurrent(cwd.path()));
        WriteBytes(cwd.filePath(QStringLiteral("1.txt")), "user's own file");
        Retranslate(QStringLiteral("Test"), QString());
        QFile f(cwd.filePath(QStringLiteral("1.txt")));
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), QByteArray("user's own file"));
        QCOMPARE(QDir(cwd.path()).entryList(QDir::Files | QDir::NoDotAndDotDot),
                 QStringList{QStringLiteral("1.txt")});
        QVERIFY(QDir::setCurrent(before));
        QCOMPARE(Shape(rightTree_), QStringLiteral("OOO Romashka(Romashka,Adres),Shchuka"));
    }
};

QTEST_MAIN(TranslatedPaneTest)
#include "translated_pane_test.moc"
