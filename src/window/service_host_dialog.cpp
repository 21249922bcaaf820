#include "window/service_host_dialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QThread>
#include <QVBoxLayout>
#include <atomic>
#include <mutex>
#include <optional>

#include "exchange/page_fetch.h"
#include "window/message_box.h"

namespace window {
namespace {

// What one test of the service found, in the words the dialog shows.
struct TestOutcome {
    bool ok = false;
    QString text;
};

}  // namespace

// What the dialog shares with its running test. The outcome is handed over under
// the mutex, which orders it for a thread sanitizer as well: the thread's end reaches
// the dialog through Qt's event queue, whose locking the sanitizer cannot see.
struct ServiceHostDialog::TestRun {
    std::atomic<bool> cancelled{false};
    std::mutex mutex;
    std::optional<TestOutcome> outcome;  // under mutex
};

namespace {

// Whether page holds the register's search form: a form that posts to g.php.
bool HoldsSearchForm(const std::string& page) {
    QByteArray lower = QByteArray::fromStdString(page).toLower();
    const qsizetype form = lower.indexOf("<form");
    return form >= 0 && lower.indexOf("g.php", form) > form;
}

// Runs on a thread of its own: one GET of the search page with short limits.
TestOutcome AskForSearchForm(const std::string& root, const config::ProxySettings& proxy,
                             const std::atomic<bool>& cancelled) {
    lookup::HttpLimits limits;
    limits.connectTimeoutSec = 10;
    limits.lowSpeedTimeSec = 10;
    limits.requestTimeoutSec = 20;
    limits.maxBodyBytes = 1u << 20;
    limits.maxQueryTime = std::chrono::seconds(30);
    const QString url = QString::fromStdString(root + "/fns/");
    const auto page = lookup::FetchServicePage(
        root, "/fns/", proxy, [&cancelled] { return cancelled.load(); }, limits);
    if (!page.ok()) {
        return {false, QObject::tr("No search form from %1: %2")
                           .arg(url, QString::fromStdString(page.error().reason))};
    }
    if (HoldsSearchForm(*page)) {
        return {true, QObject::tr("The service answered with its search form (%1).").arg(url)};
    }
    return {false, QObject::tr("The service answered, but %1 holds no search form: this "
                               "does not look like a register mirror.")
                       .arg(url)};
}

}  // namespace

config::AddressResult ReadServiceEntry(const QString& hostText, const QString& portText) {
    QString host = hostText.trimmed();
    const qsizetype schemeEnd = host.indexOf(QStringLiteral("://"));
    if (schemeEnd >= 0) {
        if (host.left(schemeEnd).compare(QStringLiteral("http"), Qt::CaseInsensitive) != 0) {
            return platform::Failure(QObject::tr("\"%1\" is not an http:// address; the register "
                                                 "service is reached over plain HTTP.")
                                         .arg(hostText.trimmed()));
        }
        host = host.mid(schemeEnd + 3);
        const qsizetype slash = host.indexOf(QLatin1Char('/'));
        if (slash >= 0) {
            const QString path = host.mid(slash);
            if (path != QStringLiteral("/")) {
                return platform::Failure(QObject::tr("\"%1\" names the page \"%2\": give only "
                                                     "the host and, if needed, the port.")
                                             .arg(hostText.trimmed(), path));
            }
            host = host.left(slash);
        }
    }
    config::AddressResult address = config::ParseServiceHost(host);
    const QString port = portText.trimmed();
    if (!address || port.isEmpty()) {
        return address;
    }
    config::AddressResult withPort = config::MakeServiceAddress(address->host, port);
    if (withPort && address->port > 0 && address->port != withPort->port) {
        return platform::Failure(QObject::tr("The host box gives port %1 and the port box %2.")
                                     .arg(address->port)
                                     .arg(withPort->port));
    }
    return withPort;
}

ServiceHostDialog::ServiceHostDialog(QWidget* parent, config::ProxySettings proxy)
    : QDialog(parent), proxy_(std::move(proxy)) {
    setObjectName(QStringLiteral("serviceHostDialog"));
    setWindowTitle(tr("Register service"));
    const config::ServiceAddress address =
        config::StoredServiceAddress().value_or(config::BuildTimeServiceAddress());

    hostEdit = new QLineEdit(address.host, this);
    hostEdit->setObjectName(QStringLiteral("hostEdit"));
    hostEdit->setAccessibleName(tr("Host"));
    hostEdit->setPlaceholderText(tr("host, host:port or http://host:port/"));
    portEdit = new QLineEdit(address.port > 0 ? QString::number(address.port) : QString(), this);
    portEdit->setObjectName(QStringLiteral("portEdit"));
    portEdit->setAccessibleName(tr("Port"));
    portEdit->setPlaceholderText(tr("80"));
    portEdit->setMaxLength(5);

    auto* hostLabel = new QLabel(tr("&Host:"), this);
    hostLabel->setBuddy(hostEdit);
    auto* portLabel = new QLabel(tr("&Port (optional):"), this);
    portLabel->setBuddy(portEdit);

    testButton = new QPushButton(tr("&Test"), this);
    testButton->setObjectName(QStringLiteral("testButton"));
    testButton->setAutoDefault(false);
    testResultLabel = new QLabel(this);
    testResultLabel->setObjectName(QStringLiteral("testResultLabel"));
    testResultLabel->setWordWrap(true);
    testResultLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);
    connect(testButton, &QPushButton::clicked, this, [this] { OnTestClicked(); });

    auto* form = new QFormLayout;
    form->addRow(hostLabel, hostEdit);
    form->addRow(portLabel, portEdit);
    auto* testRow = new QHBoxLayout;
    testRow->addWidget(testButton, 0, Qt::AlignTop);
    testRow->addWidget(testResultLabel, 1);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->setObjectName(QStringLiteral("serviceHostButtons"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* column = new QVBoxLayout(this);
    column->addWidget(new QLabel(
        tr("The address of the register service's mirror; searches from now on go there."), this));
    column->addLayout(form);
    column->addLayout(testRow);
    column->addWidget(buttons);
}

ServiceHostDialog::~ServiceHostDialog() {
    if (testRun_) {
        testRun_->cancelled = true;  // the thread ends within its abort poll and frees itself
    }
}

bool ServiceHostDialog::Apply() {
    const config::AddressResult address = ReadServiceEntry(hostEdit->text(), portEdit->text());
    if (!address) {
        ShowMessage(this, address.error());
        return false;
    }
    config::StoreServiceAddress(*address);
    return true;
}

void ServiceHostDialog::accept() {
    if (Apply()) {
        QDialog::accept();
    }
}

void ServiceHostDialog::OnTestClicked() {
    const config::AddressResult address = ReadServiceEntry(hostEdit->text(), portEdit->text());
    if (!address) {
        ShowTestResult(false, address.error());
        return;
    }
    const std::string root = address->ServiceRoot();
    testButton->setEnabled(false);
    testResultLabel->setText(
        tr("Asking %1 for its search form...").arg(QString::fromStdString(root + "/fns/")));
    auto run = std::make_shared<TestRun>();
    testRun_ = run;
    QThread* thread = QThread::create([root, proxy = proxy_, run] {
        TestOutcome outcome = AskForSearchForm(root, proxy, run->cancelled);
        std::lock_guard<std::mutex> lock(run->mutex);
        run->outcome = std::move(outcome);
    });
    // Delivered on the GUI thread; a dialog destroyed meanwhile has dropped the
    // connection, and the thread object frees itself either way.
    connect(thread, &QThread::finished, this, [this, run] {
        TestOutcome outcome;
        {
            std::lock_guard<std::mutex> lock(run->mutex);
            if (run->outcome) {
                outcome = std::move(*run->outcome);
            }
        }
        ShowTestResult(outcome.ok, outcome.text);
    });
    connect(thread, &QThread::finished, thread, &QObject::deleteLater);
    thread->start();
}

void ServiceHostDialog::ShowTestResult(bool ok, const QString& text) {
    testButton->setEnabled(true);
    testResultLabel->setProperty("ok", ok);
    testResultLabel->setText(text);
    emit TestFinished();
}

QString ServiceHostHint(const std::string& serviceRoot) {
    if (!config::IsPlaceholderServiceRoot(serviceRoot)) {
        return QString();
    }
    return QObject::tr(
               "The register service's address is still the placeholder \"%1\": set the "
               "address of a register mirror with File > \"Register service...\".")
        .arg(config::BuildTimeServiceAddress().ToSetting());
}

}  // namespace window
