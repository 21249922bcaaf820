// "Register service...": the entries it takes, what it stores, and "Test" against the
// stand-in register and against a port where nothing listens.
#include <unistd.h>

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include "support/loopback.h"
#include "support/standin.h"
#include "window/message_box.h"
#include "window/service_host_dialog.h"

namespace {

QString StoredSetting() {
    return QSettings(QStringLiteral("Quillmarsh"), QStringLiteral("Vendrake"))
        .value(QStringLiteral("ServiceHost"))
        .toString();
}

}  // namespace

class ServiceHostDialogTest : public QObject {
    Q_OBJECT

  private:
    QTemporaryDir dir_;
    QStringList messages_;

    // Runs "Test" with hostText in the host box and returns what the dialog says.
    QString Tested(const QString& hostText, bool* ok) {
        window::ServiceHostDialog dialog;
        dialog.hostEdit->setText(hostText);
        dialog.portEdit->clear();
        QSignalSpy finished(&dialog, &window::ServiceHostDialog::TestFinished);
        dialog.testButton->click();
        if (finished.isEmpty()) {
            [&] { QVERIFY(finished.wait(60000)); }();
        }
        *ok = dialog.testResultLabel->property("ok").toBool();
        [&] { QVERIFY(dialog.testButton->isEnabled()); }();
        return dialog.testResultLabel->text();
    }

  private slots:
    void initTestCase() {
        QVERIFY(dir_.isValid());
        qputenv("XDG_CONFIG_HOME", dir_.filePath(QStringLiteral("config")).toLocal8Bit());
        window::SetMessageHandler([this](const QString& text) { messages_ << text; });
    }
    void cleanupTestCase() { window::SetMessageHandler({}); }
    void init() { messages_.clear(); }

    void readsTheEntries_data() {
        QTest::addColumn<QString>("host");
        QTest::addColumn<QString>("port");
        QTest::addColumn<QString>("stored");  // the setting, or the message when refused
        QTest::addColumn<bool>("taken");
        QTest::newRow("host") << "mirror.example.org"
                              << ""
                              << "mirror.example.org" << true;
        QTest::newRow("HOST:PORT") << "mirror.example.org:8080"
                                   << ""
                                   << "mirror.example.org:8080" << true;
        QTest::newRow("same port twice") << "10.0.0.5:8080"
                                         << "8080"
                                         << "10.0.0.5:8080" << true;
        QTest::newRow("port box") << "10.0.0.5"
                                  << " 81 "
                                  << "10.0.0.5:81" << true;
        QTest::newRow("URL") << "http://mirror.example.org:8080/"
                             << ""
                             << "mirror.example.org:8080" << true;
        QTest::newRow("URL without slash") << " HTTP://mirror.example.org "
                                           << ""
                                           << "mirror.example.org" << true;
        QTest::newRow("IPv6 URL") << "http://[::1]:8080/"
                                  << ""
                                  << "[::1]:8080" << true;
        QTest::newRow("URL with a path")
            << "http://mirror.example.org/fns/"
            << ""
            << "\"http://mirror.example.org/fns/\" names the page \"/fns/\": give only the host "
               "and, if needed, the port."
            << false;
        QTest::newRow("https")
            << "https://mirror.example.org/"
            << ""
            << "\"https://mirror.example.org/\" is not an http:// address; the register service "
               "is reached over plain HTTP."
            << false;
        QTest::newRow("two ports") << "mirror.example.org:8080"
                                   << "81"
                                   << "The host box gives port 8080 and the port box 81." << false;
        QTest::newRow("bad port") << "mirror.example.org:99999"
                                  << ""
                                  << "The port \"99999\" is not a number from 1 to 65535." << false;
    }

    // OK stores a taken entry as "HOST[:PORT]" and refuses the others with a message.
    void readsTheEntries() {
        QFETCH(QString, host);
        QFETCH(QString, port);
        QFETCH(QString, stored);
        QFETCH(bool, taken);
        QSettings(QStringLiteral("Quillmarsh"), QStringLiteral("Vendrake"))
            .setValue(QStringLiteral("ServiceHost"), QStringLiteral("before.example"));
        window::ServiceHostDialog dialog;
        dialog.hostEdit->setText(host);
        dialog.portEdit->setText(port);
        QCOMPARE(dialog.Apply(), taken);
        if (taken) {
            QVERIFY(messages_.isEmpty());
            QCOMPARE(StoredSetting(), stored);
            // Shown again, the stored address reads back as itself.
            window::ServiceHostDialog again;
            const config::AddressResult shown =
                window::ReadServiceEntry(again.hostEdit->text(), again.portEdit->text());
            QVERIFY2(shown, qPrintable(shown ? QString() : shown.error()));
            QCOMPARE(shown->ToSetting(), stored);
        } else {
            QCOMPARE(messages_, QStringList{stored});
            QCOMPARE(StoredSetting(), QStringLiteral("before.example"));
        }
    }

    void testFindsTheStandinsSearchForm() {
        testsupport::StandinServer standin;
        const QString url = QStringLiteral("http://127.0.0.1:%1/").arg(standin.port());
        bool ok = false;
        const QString said = Tested(url, &ok);
        QVERIFY2(ok, qPrintable(said));
        QCOMPARE(said, QStringLiteral("The service answered with its search form (") + url +
                           QStringLiteral("fns/)."));
        const auto requests = standin.requests();
        QCOMPARE(requests.size(), size_t(1));
        QCOMPARE(requests[0].method, std::string("GET"));
        QCOMPARE(requests[0].target, std::string("/fns/"));
        QVERIFY(messages_.isEmpty());
    }

    void testSaysWhyNothingCameBack() {
        const int port = testsupport::FreePort();
        bool ok = true;
        const QString said = Tested(QStringLiteral("127.0.0.1:%1").arg(port), &ok);
        QVERIFY(!ok);
        QVERIFY2(said.startsWith(
                     QStringLiteral("No search form from http://127.0.0.1:%1/fns/: ").arg(port)),
                 qPrintable(said));
        QVERIFY(said.size() >
                QStringLiteral("No search form from http://127.0.0.1:%1/fns/: ").arg(port).size());
    }

    // A refused entry is reported beside the button; nothing is asked.
    void testOfABadEntrySaysWhatIsWrong() {
        bool ok = true;
        const QString said = Tested(QStringLiteral("http://127.0.0.1:1/x"), &ok);
        QVERIFY(!ok);
        QCOMPARE(said, QStringLiteral("\"http://127.0.0.1:1/x\" names the page \"/x\": give only "
                                      "the host and, if needed, the port."));
    }
};

QTEST_MAIN(ServiceHostDialogTest)
#include "service_host_dialog_test.moc"
