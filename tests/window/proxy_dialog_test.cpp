// The proxy dialog with real widgets and real config.ini files in a temporary folder.
#include <QClipboard>
#include <QFile>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <functional>
#include <memory>

#include "window/message_box.h"
#include "window/proxy_dialog.h"

using window::ProxyDialog;

namespace {

// The dialog's controls, found by their object names.
struct Controls {
    explicit Controls(ProxyDialog& dialog)
        : systemButton(dialog.findChild<QRadioButton*>(QStringLiteral("systemButton"))),
          proxyButton(dialog.findChild<QRadioButton*>(QStringLiteral("proxyButton"))),
          addressLabel(dialog.findChild<QLabel*>(QStringLiteral("addressLabel"))),
          portLabel(dialog.findChild<QLabel*>(QStringLiteral("portLabel"))),
          addressEdit(dialog.findChild<QLineEdit*>(QStringLiteral("addressEdit"))),
          portEdit(dialog.findChild<QLineEdit*>(QStringLiteral("portEdit"))),
          okButton(dialog.findChild<QPushButton*>(QStringLiteral("okButton"))),
          cancelButton(dialog.findChild<QPushButton*>(QStringLiteral("cancelButton"))) {}

    bool AllFound() const {
        return systemButton && proxyButton && addressLabel && portLabel && addressEdit &&
               portEdit && okButton && cancelButton;
    }

    // "system/proxy/neither enabled|disabled address port"
    QString Summary() const {
        const QString choice = systemButton->isChecked()  ? QStringLiteral("system")
                               : proxyButton->isChecked() ? QStringLiteral("proxy")
                                                          : QStringLiteral("neither");
        const bool on = addressEdit->isEnabled();
        const bool consistent = addressLabel->isEnabled() == on && portLabel->isEnabled() == on &&
                                portEdit->isEnabled() == on &&
                                !(systemButton->isChecked() && proxyButton->isChecked());
        return choice + (on ? QStringLiteral(" enabled ") : QStringLiteral(" disabled ")) +
               addressEdit->text() + QLatin1Char(' ') + portEdit->text() +
               (consistent ? QString() : QStringLiteral(" INCONSISTENT"));
    }

    QRadioButton *systemButton, *proxyButton;
    QLabel *addressLabel, *portLabel;
    QLineEdit *addressEdit, *portEdit;
    QPushButton *okButton, *cancelButton;
};

}  // namespace

class ProxyFormTest : public QObject {
    Q_OBJECT

  private:
    QTemporaryDir dir_;
    QStringList reports_;

    QString ConfigPath() const { return dir_.filePath(QStringLiteral("config.ini")); }

    std::unique_ptr<ProxyDialog> DialogWith(const QByteArray* content) {
        QFile::remove(ConfigPath());
        if (content) {
            QFile f(ConfigPath());
            if (f.open(QIODevice::WriteOnly)) {
                f.write(*content);
            }
        }
        return std::make_unique<ProxyDialog>(nullptr, ConfigPath(), window::ShowErrorReport);
    }

    // Runs ShowModal while `act` works on the shown dialog.
    void ShowAndDo(ProxyDialog& dialog, std::function<void(Controls&)> act) {
        bool ran = false;
        QTimer::singleShot(0, &dialog, [&] {
            Controls c(dialog);
            QVERIFY(dialog.isVisible());
            act(c);
            ran = true;
        });
        // Should act() fail before closing the dialog, this keeps exec() from hanging.
        QTimer::singleShot(5000, &dialog, [&] { dialog.reject(); });
        dialog.ShowModal();
        QVERIFY(ran);
        QVERIFY(!dialog.isVisible());
    }

  private slots:
    void initTestCase() {
        QVERIFY(dir_.isValid());
        // A per-user config.ini of the machine must not stand in for the test's own.
        qputenv("XDG_CONFIG_HOME", dir_.filePath(QStringLiteral("user-config")).toLocal8Bit());
        window::SetMessageHandler([this](const QString& text) { reports_ << text; });
    }
    void cleanupTestCase() { window::SetMessageHandler({}); }
    void init() { reports_.clear(); }

    void layoutAndDefaultsWithoutFile() {
        auto dialog = DialogWith(nullptr);
        Controls c(*dialog);
        QVERIFY(c.AllFound());
        QCOMPARE(dialog->windowTitle(), QStringLiteral("Proxy"));
        QCOMPARE(dialog->size(), QSize(275, 178));
        QCOMPARE(dialog->minimumSize(), dialog->maximumSize());
        auto* group = dialog->findChild<QGroupBox*>();
        QVERIFY(group);
        QCOMPARE(group->title(), QStringLiteral("Proxy settings for Internet access"));
        QCOMPARE(c.systemButton->text(), QStringLiteral("Use the system configuration"));
        QCOMPARE(c.proxyButton->text(), QStringLiteral("Use proxy"));
        QCOMPARE(c.addressLabel->text(), QStringLiteral("Proxy:"));
        QCOMPARE(c.portLabel->text(), QStringLiteral("Port:"));
        QCOMPARE(c.okButton->text(), QStringLiteral("OK"));
        QCOMPARE(c.cancelButton->text(), QStringLiteral("Cancel"));
        QCOMPARE(c.Summary(), QStringLiteral("system disabled 127.0.0.1 8080"));
        QVERIFY(!dialog->Settings().useProxy);
        QVERIFY(reports_.isEmpty());
    }

    // The layouts must fit every control into the fixed size: none clipped by the
    // dialog or the group, none lying over another.
    void controlsFitWithoutOverlap() {
        auto dialog = DialogWith(nullptr);
        dialog->show();
        QVERIFY(QTest::qWaitForWindowExposed(dialog.get()));
        Controls c(*dialog);
        QVERIFY(c.AllFound());
        auto* group = dialog->findChild<QGroupBox*>(QStringLiteral("settingsGroup"));
        QVERIFY(group);
        QVERIFY(dialog->rect().contains(group->geometry()));
        const QList<QWidget*> inGroup = {c.systemButton, c.proxyButton, c.addressLabel,
                                         c.addressEdit,  c.portLabel,   c.portEdit};
        for (QWidget* w : inGroup) {
            QVERIFY2(group->rect().contains(w->geometry()), qPrintable(w->objectName()));
        }
        QList<QRect> onDialog;
        for (QWidget* w : inGroup) {
            onDialog << QRect(w->mapTo(dialog.get(), QPoint(0, 0)), w->size());
        }
        for (QPushButton* b : {c.okButton, c.cancelButton}) {
            QCOMPARE(b->size(), QSize(75, 25));
            QVERIFY(dialog->rect().contains(b->geometry()));
            QVERIFY(!b->geometry().intersects(group->geometry()));
            onDialog << b->geometry();
        }
        for (int i = 0; i < onDialog.size(); ++i) {
            for (int j = i + 1; j < onDialog.size(); ++j) {
                QVERIFY2(!onDialog[i].intersects(onDialog[j]), qPrintable(QString::number(i)));
            }
        }
        QVERIFY(c.okButton->x() < c.cancelButton->x());
        QVERIFY(c.addressEdit->width() > c.portEdit->width());
    }

    void readsTheFile_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("summary");
        QTest::addColumn<bool>("useProxy");
        QTest::newRow("only EnabledProxy=1")
            << QByteArray("EnabledProxy=1\r\n") << "proxy enabled 127.0.0.1 8080" << true;
        QTest::newRow("true") << QByteArray("EnabledProxy=true\r\n")
                              << "proxy enabled 127.0.0.1 8080" << true;
        QTest::newRow("TRUE") << QByteArray("EnabledProxy=TRUE") << "proxy enabled 127.0.0.1 8080"
                              << true;
        QTest::newRow("2") << QByteArray("EnabledProxy=2\n") << "proxy enabled 127.0.0.1 8080"
                           << true;
        QTest::newRow("written form")
            << QByteArray("[Setting]\r\nEnabledProxy=0\r\nproxy=10.0.0.7\r\nport=3128\r\n")
            << "system disabled 10.0.0.7 3128" << false;
        QTest::newRow("1 then 0 selects neither")
            << QByteArray("EnabledProxy=1\r\nEnabledProxy=0\r\n")
            << "neither enabled 127.0.0.1 8080" << false;
        QTest::newRow("long port kept")
            << QByteArray("port=123456abc\r\nproxy=a very long host name\r\n")
            << "system disabled a very long host name 123456abc" << false;
        QTest::newRow("key inside a longer line")
            << QByteArray("EnabledProxy=1\r\nhttpproxy=10.1.1.1=x\r\nmyport=99\r\n")
            << "proxy enabled 10.1.1.1=x 99" << true;
    }

    void readsTheFile() {
        QFETCH(QByteArray, content);
        QFETCH(QString, summary);
        QFETCH(bool, useProxy);
        auto dialog = DialogWith(&content);
        QCOMPARE(Controls(*dialog).Summary(), summary);
        QCOMPARE(dialog->Settings().useProxy, useProxy);
        QVERIFY(reports_.isEmpty());
    }

    void badBooleanStopsReadingAndIsReported() {
        const QByteArray content("proxy=10.2.2.2\r\nEnabledProxy=\r\nport=1\r\nEnabledProxy=1\r\n");
        auto dialog = DialogWith(&content);
        QCOMPARE(reports_, QStringList{QStringLiteral("'' is not a valid boolean value")});
        QCOMPARE(Controls(*dialog).Summary(), QStringLiteral("system disabled 10.2.2.2 8080"));
    }

    void clickingTheChoicesKeepsThemExclusive() {
        auto dialog = DialogWith(nullptr);
        Controls c(*dialog);
        c.systemButton->click();  // clicking the selected choice keeps it selected
        QCOMPARE(c.Summary(), QStringLiteral("system disabled 127.0.0.1 8080"));
        c.proxyButton->click();
        QCOMPARE(c.Summary(), QStringLiteral("proxy enabled 127.0.0.1 8080"));
        c.proxyButton->click();
        QCOMPARE(c.Summary(), QStringLiteral("proxy enabled 127.0.0.1 8080"));
        c.systemButton->click();
        QCOMPARE(c.Summary(), QStringLiteral("system disabled 127.0.0.1 8080"));
    }

    void cancelAndCloseRestoreEverything_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<bool>("viaCloseButton");
        QTest::newRow("system, Cancel") << QByteArray() << false;
        QTest::newRow("proxy, close button")
            << QByteArray("EnabledProxy=1\r\nproxy=10.3.3.3\r\nport=99999\r\n") << true;
        QTest::newRow("neither, Cancel")
            << QByteArray("EnabledProxy=1\r\nEnabledProxy=0\r\n") << false;
    }

    void cancelAndCloseRestoreEverything() {
        QFETCH(QByteArray, content);
        QFETCH(bool, viaCloseButton);
        auto dialog = DialogWith(&content);
        const QString before = Controls(*dialog).Summary();
        ShowAndDo(*dialog, [&](Controls& c) {
            c.proxyButton->click();
            c.addressEdit->setText(QStringLiteral("1.1.1.1"));
            c.portEdit->setText(QStringLiteral("1"));
            c.systemButton->click();
            if (viaCloseButton) {
                dialog->close();
            } else {
                c.cancelButton->click();
            }
        });
        QCOMPARE(Controls(*dialog).Summary(), before);
    }

    void okKeepsChangesAndWriteConfigRoundTrips() {
        auto dialog = DialogWith(nullptr);
        ShowAndDo(*dialog, [](Controls& c) {
            c.proxyButton->click();
            c.addressEdit->clear();
            QTest::keyClicks(c.addressEdit, QStringLiteral("10.20.30.40"));
            c.portEdit->clear();
            QTest::keyClicks(c.portEdit, QStringLiteral("3128"));
            c.okButton->click();
        });
        const config::ProxySettings settings = dialog->Settings();
        QVERIFY(settings.useProxy);
        QCOMPARE(settings.host, std::string("10.20.30.40"));
        QCOMPARE(settings.port, std::string("3128"));

        dialog->WriteConfig();
        QFile f(ConfigPath());
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(),
                 QByteArray("[Setting]\r\nEnabledProxy=1\r\nproxy=10.20.30.40\r\nport=3128\r\n"));
        f.close();

        ProxyDialog next(nullptr, ConfigPath(), window::ShowErrorReport);
        QCOMPARE(Controls(next).Summary(), QStringLiteral("proxy enabled 10.20.30.40 3128"));
    }

    void writeConfigFailureIsSilent() {
        ProxyDialog dialog(nullptr, dir_.filePath(QStringLiteral("missing/folder/config.ini")),
                           window::ShowErrorReport);
        dialog.WriteConfig();
        QVERIFY(!QFile::exists(dir_.filePath(QStringLiteral("missing/folder/config.ini"))));
        QVERIFY(reports_.isEmpty());
    }

    // With "Use proxy", OK takes a host name or an IP address and a port 1..65535;
    // anything else is named in a message and the dialog stays open.
    void okChecksTheEntries_data() {
        QTest::addColumn<QString>("address");
        QTest::addColumn<QString>("port");
        QTest::addColumn<QString>("message");  // empty: accepted
        QTest::newRow("host name, high port") << "proxy.corp.example"
                                              << "31280"
                                              << "";
        QTest::newRow("single label") << "localhost"
                                      << "65535"
                                      << "";
        QTest::newRow("IPv4") << "192.168.100.200"
                              << "1"
                              << "";
        QTest::newRow("IPv6") << "2001:db8::1"
                              << "3128"
                              << "";
        QTest::newRow("IPv6 in brackets") << "[::1]"
                                          << "8080"
                                          << "";
        QTest::newRow("blanks trimmed") << " localhost "
                                        << " 80 "
                                        << "";
        QTest::newRow("empty host") << ""
                                    << "8080"
                                    << "Enter the proxy's host name or IP address.";
        const QString badHost =
            QStringLiteral("\"%1\" is not a host name, an IPv4 address or an IPv6 address.");
        QTest::newRow("IPv4 out of range") << "192.168.1.256"
                                           << "8080" << badHost.arg("192.168.1.256");
        QTest::newRow("three parts") << "10.0.0"
                                     << "8080" << badHost.arg("10.0.0");
        QTest::newRow("underscore") << "my_proxy"
                                    << "8080" << badHost.arg("my_proxy");
        QTest::newRow("blank inside") << "my proxy"
                                      << "8080" << badHost.arg("my proxy");
        QTest::newRow("URL") << "http://proxy"
                             << "8080" << badHost.arg("http://proxy");
        QTest::newRow("hyphen at label end") << "proxy-.example"
                                             << "8080" << badHost.arg("proxy-.example");
        QTest::newRow("bad IPv6") << "[2001:db8::zz]"
                                  << "8080" << badHost.arg("[2001:db8::zz]");
        const QString badPort = QStringLiteral("The port \"%1\" is not a number from 1 to 65535.");
        QTest::newRow("port 0") << "localhost"
                                << "0" << badPort.arg("0");
        QTest::newRow("port 65536") << "localhost"
                                    << "65536" << badPort.arg("65536");
        QTest::newRow("port empty") << "localhost"
                                    << "" << badPort.arg("");
        QTest::newRow("port signed") << "localhost"
                                     << "+80" << badPort.arg("+80");
        QTest::newRow("port letters") << "localhost"
                                      << "8o" << badPort.arg("8o");
    }

    void okChecksTheEntries() {
        QFETCH(QString, address);
        QFETCH(QString, port);
        QFETCH(QString, message);
        auto dialog = DialogWith(nullptr);
        ShowAndDo(*dialog, [&](Controls& c) {
            c.proxyButton->click();
            c.addressEdit->clear();
            QTest::keyClicks(c.addressEdit, address);
            c.portEdit->clear();
            QTest::keyClicks(c.portEdit, port);
            c.okButton->click();
            QCOMPARE(dialog->isVisible(), !message.isEmpty());
            if (dialog->isVisible()) {
                dialog->reject();
            }
        });
        QCOMPARE(reports_, message.isEmpty() ? QStringList() : QStringList{message});
        if (message.isEmpty()) {
            QCOMPARE(QString::fromStdString(dialog->Settings().host).remove('[').remove(']'),
                     address.trimmed().remove('[').remove(']'));
            QCOMPARE(QString::fromStdString(dialog->Settings().port), port.trimmed());
        }
    }

    // The entries are only checked when they are used.
    void systemChoiceTakesAnyEntries() {
        const QByteArray content("[Setting]\r\nEnabledProxy=0\r\nproxy=not a host\r\nport=0\r\n");
        auto dialog = DialogWith(&content);
        ShowAndDo(*dialog, [](Controls& c) { c.okButton->click(); });
        QVERIFY(reports_.isEmpty());
        QVERIFY(!dialog->Settings().useProxy);
    }
};

QTEST_MAIN(ProxyFormTest)
#include "proxy_dialog_test.moc"
