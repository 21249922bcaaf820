// Copying the left detail list: the texts built from a real two-column QTreeWidget and
// what the clipboard holds afterwards.
#include <QClipboard>
#include <QGuiApplication>
#include <QTreeWidget>
#include <QtTest>

#include "platform/cp1251.h"
#include "window/detail_copy.h"

namespace {

const char* const kCaptions[] = {"Название", "Адрес",       "ОГРН",       "ГРН",          "ИНН",
                                 "КПП",      "Дата записи", "Рег. орган", "Адрес органа", "Регион"};

std::string Cp(const QString& text) {
    return platform::ToCp1251(text);
}

}  // namespace

class DetailCopyTest : public QObject {
    Q_OBJECT

  private:
    QTreeWidget list_;

  private slots:
    void init() {
        list_.clear();
        list_.setColumnCount(2);
        for (const char* caption : kCaptions) {
            list_.addTopLevelItem(new QTreeWidgetItem(QStringList{QString::fromUtf8(caption)}));
        }
    }

    void allRowsBeforeAnyFirmGivesCaptionsAlone() {
        QCOMPARE(window::AllRowsText(list_),
                 Cp(QStringLiteral("Название: \r\nАдрес: \r\nОГРН: \r\nГРН: \r\nИНН: \r\n"
                                   "КПП: \r\nДата записи: \r\nРег. орган: \r\n"
                                   "Адрес органа: \r\nРегион: \r\n")));
    }

    void allRowsWithValuesSplitsLines() {
        list_.topLevelItem(0)->setText(1, QStringLiteral("ООО \"Ромашка\""));
        list_.topLevelItem(1)->setText(1, QStringLiteral("г. Москва\nул. Тверская\r\n"));
        const std::string text = window::AllRowsText(list_);
        QVERIFY(text.rfind(Cp(QStringLiteral("Название: ООО \"Ромашка\"\r\n"
                                             "Адрес: г. Москва\r\nул. Тверская\r\nОГРН: \r\n")),
                           0) == 0);
        QVERIFY(text.size() > 2 && text.substr(text.size() - 2) == "\r\n");
    }

    void selectedValue() {
        QVERIFY(!window::SelectedValueText(list_).has_value());

        list_.topLevelItem(4)->setText(1, QStringLiteral("7701234567"));
        list_.topLevelItem(4)->setSelected(true);
        QCOMPARE(window::SelectedValueText(list_).value_or("none"), std::string("7701234567\r\n"));

        list_.topLevelItem(4)->setText(1, QStringLiteral("a\rб\nc"));
        QCOMPARE(window::SelectedValueText(list_).value_or("none"),
                 Cp(QStringLiteral("a\r\nб\r\nc\r\n")));

        list_.topLevelItem(4)->setText(1, QStringLiteral("☃ snow"));
        QCOMPARE(window::SelectedValueText(list_).value_or("none"), std::string("? snow\r\n"));

        list_.topLevelItem(4)->setText(1, QString());
        QCOMPARE(window::SelectedValueText(list_).value_or("none"), std::string());
    }

    void copyToBufferReplacesTheClipboard() {
        QClipboard* clipboard = QGuiApplication::clipboard();
        clipboard->setText(QStringLiteral("earlier"));
        window::CopyToBuffer(window::AllRowsText(list_));
        QCOMPARE(clipboard->text(), platform::FromCp1251(window::AllRowsText(list_)));
        QVERIFY(clipboard->text().startsWith(QStringLiteral("Название: \r\n")));

        window::CopyToBuffer(std::string());
        QCOMPARE(clipboard->text(), QString());
    }
};

QTEST_MAIN(DetailCopyTest)
#include "detail_copy_test.moc"
