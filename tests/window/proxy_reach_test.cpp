// What the proxy dialog takes reaches the register through a real proxy: a host name
// with a five-digit port, and a bare IPv6 address.
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include "platform/cp1251.h"
#include "support/cp1251_text.h"
#include "support/standin.h"
#include "support/tinyproxy.h"
#include "window/message_box.h"
#include "window/proxy_dialog.h"

class ProxyReachTest : public QObject {
    Q_OBJECT

  private:
    QTemporaryDir dir_;
    QStringList reports_;

    // Enters address and port with "Use proxy" chosen and confirms with OK.
    config::ProxySettings Confirmed(const QString& address, const QString& port) {
        window::ProxyDialog dialog(nullptr, dir_.filePath(QStringLiteral("config.ini")),
                                   window::ShowErrorReport);
        QTimer::singleShot(0, &dialog, [&] {
            dialog.findChild<QRadioButton*>(QStringLiteral("proxyButton"))->click();
            auto* addressEdit = dialog.findChild<QLineEdit*>(QStringLiteral("addressEdit"));
            addressEdit->clear();
            QTest::keyClicks(addressEdit, address);
            auto* portEdit = dialog.findChild<QLineEdit*>(QStringLiteral("portEdit"));
            portEdit->clear();
            QTest::keyClicks(portEdit, port);
            dialog.findChild<QPushButton*>(QStringLiteral("okButton"))->click();
        });
        QTimer::singleShot(5000, &dialog, [&] { dialog.reject(); });
        dialog.ShowModal();
        return dialog.Settings();
    }

    void CheckSearchPasses(const testsupport::TinyProxy& tinyproxy,
                           const config::ProxySettings& settings) {
        testsupport::StandinServer standin;
        auto sink = std::make_shared<testsupport::RecordingSink>();
        lookup::SearchCriteria criteria;
        criteria.name = testsupport::Cp1251Text("Ромашка");
        testsupport::StartQuery(sink, 5, criteria, "q", standin.root(), settings);
        QVERIFY(sink->WaitUntilDone(1));
        QCOMPARE(sink->queryOk(5), std::optional<bool>(true));
        QCOMPARE(sink->deliveries().size(), size_t(9));
        const std::string log = tinyproxy.Log();
        QVERIFY2(log.find("POST " + standin.root() + "/fns/g.php HTTP") != std::string::npos,
                 log.c_str());
    }

  private slots:
    void initTestCase() {
        QVERIFY(dir_.isValid());
        qputenv("XDG_CONFIG_HOME", dir_.filePath(QStringLiteral("user-config")).toLocal8Bit());
        window::SetMessageHandler([this](const QString& text) { reports_ << text; });
    }
    void cleanupTestCase() { window::SetMessageHandler({}); }

    void hostNameAndHighPort() {
        testsupport::TinyProxy tinyproxy("127.0.0.1", 31280);
        QVERIFY2(tinyproxy.Running(), "tinyproxy did not start on 127.0.0.1:31280");
        const config::ProxySettings settings =
            Confirmed(QStringLiteral("localhost"), QStringLiteral("31280"));
        QVERIFY(reports_.isEmpty());
        QVERIFY(settings.useProxy);
        CheckSearchPasses(tinyproxy, settings);
    }

    void bareIpv6Address() {
        testsupport::TinyProxy tinyproxy("::1", 31281);
        if (!tinyproxy.Running()) {
            QSKIP("no IPv6 loopback for tinyproxy here");
        }
        const config::ProxySettings settings =
            Confirmed(QStringLiteral("::1"), QStringLiteral("31281"));
        QVERIFY(reports_.isEmpty());
        CheckSearchPasses(tinyproxy, settings);
    }
};

QTEST_MAIN(ProxyReachTest)
#include "proxy_reach_test.moc"
