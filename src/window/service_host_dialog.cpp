#include "window/service_host_dialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "config/service_host.h"
#include "window/message_box.h"

namespace window {

ServiceHostDialog::ServiceHostDialog(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("serviceHostDialog"));
    setWindowTitle(tr("Register service"));
    const config::ServiceAddress address =
        config::StoredServiceAddress().value_or(config::BuildTimeServiceAddress());

    hostEdit = new QLineEdit(address.host, this);
    hostEdit->setObjectName(QStringLiteral("hostEdit"));
    hostEdit->setAccessibleName(tr("Host"));
    portEdit = new QLineEdit(address.port > 0 ? QString::number(address.port) : QString(), this);
    portEdit->setObjectName(QStringLiteral("portEdit"));
    portEdit->setAccessibleName(tr("Port"));
    portEdit->setPlaceholderText(tr("80"));
    portEdit->setMaxLength(5);

    auto* hostLabel = new QLabel(tr("Host:"), this);
    hostLabel->setBuddy(hostEdit);
    auto* portLabel = new QLabel(tr("Port (optional):"), this);
    portLabel->setBuddy(portEdit);

    auto* form = new QFormLayout;
    form->addRow(hostLabel, hostEdit);
    form->addRow(portLabel, portEdit);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->setObjectName(QStringLiteral("serviceHostButtons"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* column = new QVBoxLayout(this);
    column->addWidget(new QLabel(
        tr("The address of the register service's mirror; searches from now on go there."), this));
    column->addLayout(form);
    column->addWidget(buttons);
}

bool ServiceHostDialog::Apply() {
    QString error;
    const auto address = config::MakeServiceAddress(hostEdit->text(), portEdit->text(), &error);
    if (!address) {
        ShowMessage(this, error);
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
