#include "window/proxy_dialog.h"

#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "platform/cp1251.h"

namespace window {

ProxyDialog::ProxyDialog(QWidget* parent, const QString& configPath, ErrorReporter reportError)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint),
      configPath_(configPath),
      configLocation_(config::LocateConfigFile(configPath)),
      reportError_(std::move(reportError)) {
    setObjectName(QStringLiteral("proxyDialog"));
    setWindowTitle(tr("Proxy"));
    setSizeGripEnabled(false);
    BuildControls();
    LayOut();

    connect(systemButton, &QRadioButton::clicked, this, [this] { OnSystemChosen(); });
    connect(proxyButton, &QRadioButton::clicked, this, [this] { OnProxyChosen(); });
    connect(okButton, &QPushButton::clicked, this, [this] { accept(); });
    connect(cancelButton, &QPushButton::clicked, this, &QDialog::reject);

    OnSystemChosen();
    LoadConfig();
}

void ProxyDialog::BuildControls() {
    settingsGroup = new QGroupBox(tr("Proxy settings for Internet access"), this);
    settingsGroup->setObjectName(QStringLiteral("settingsGroup"));
    systemButton = new QRadioButton(tr("Use the system configuration"), settingsGroup);
    systemButton->setObjectName(QStringLiteral("systemButton"));
    proxyButton = new QRadioButton(tr("Use proxy"), settingsGroup);
    proxyButton->setObjectName(QStringLiteral("proxyButton"));
    // The file can leave neither choice selected, which an exclusive group cannot
    // show, so the two buttons are kept exclusive here.
    systemButton->setAutoExclusive(false);
    proxyButton->setAutoExclusive(false);

    addressLabel = new QLabel(tr("Proxy:"), settingsGroup);
    addressLabel->setObjectName(QStringLiteral("addressLabel"));
    addressEdit = new QLineEdit(QString::fromLatin1(config::kDefaultProxyAddress), settingsGroup);
    addressEdit->setObjectName(QStringLiteral("addressEdit"));
    addressEdit->setMinimumWidth(120);
    portLabel = new QLabel(tr("Port:"), settingsGroup);
    portLabel->setObjectName(QStringLiteral("portLabel"));
    portEdit = new QLineEdit(QStringLiteral("8080"), settingsGroup);
    portEdit->setObjectName(QStringLiteral("portEdit"));
    portEdit->setFixedWidth(60);

    okButton = new QPushButton(tr("OK"), this);
    okButton->setObjectName(QStringLiteral("okButton"));
    okButton->setDefault(true);
    cancelButton = new QPushButton(tr("Cancel"), this);
    cancelButton->setObjectName(QStringLiteral("cancelButton"));
}

void ProxyDialog::LayOut() {
    // The address and port rows sit indented under "Use proxy", which they belong to.
    auto* boxes = new QGridLayout;
    boxes->setContentsMargins(16, 0, 0, 0);
    boxes->setColumnMinimumWidth(0, 44);
    boxes->addWidget(addressLabel, 0, 0);
    boxes->addWidget(addressEdit, 0, 1);
    boxes->addWidget(portLabel, 1, 0);
    boxes->addWidget(portEdit, 1, 1, Qt::AlignLeft);
    boxes->setColumnStretch(1, 1);
    auto* groupColumn = new QVBoxLayout(settingsGroup);
    groupColumn->addWidget(systemButton);
    groupColumn->addWidget(proxyButton);
    groupColumn->addLayout(boxes);
    groupColumn->addStretch(1);

    auto* buttonRow = new QHBoxLayout;
    buttonRow->addStretch(1);
    for (QPushButton* button : {okButton, cancelButton}) {
        button->setFixedSize(75, 25);
        buttonRow->addWidget(button);
    }

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(8, 4, 8, 8);
    column->addWidget(settingsGroup, 1);
    column->addLayout(buttonRow);
    setFixedSize(275, 178);
}

void ProxyDialog::SetBoxesEnabled(bool on) {
    for (QWidget* w : {static_cast<QWidget*>(addressLabel), static_cast<QWidget*>(addressEdit),
                       static_cast<QWidget*>(portLabel), static_cast<QWidget*>(portEdit)}) {
        w->setEnabled(on);
    }
}

void ProxyDialog::OnSystemChosen() {
    systemButton->setChecked(true);
    proxyButton->setChecked(false);
    SetBoxesEnabled(false);
}

void ProxyDialog::OnProxyChosen() {
    proxyButton->setChecked(true);
    systemButton->setChecked(false);
    SetBoxesEnabled(true);
}

void ProxyDialog::ApplyState(const config::ProxyDialogState& state) {
    systemButton->setChecked(state.systemChecked);
    proxyButton->setChecked(state.proxyChecked);
    SetBoxesEnabled(state.boxesEnabled);
    addressEdit->setText(platform::FromCp1251(state.address));
    portEdit->setText(platform::FromCp1251(state.port));
}

config::ProxyDialogState ProxyDialog::State() const {
    config::ProxyDialogState state;
    state.systemChecked = systemButton->isChecked();
    state.proxyChecked = proxyButton->isChecked();
    state.boxesEnabled = addressEdit->isEnabled();
    state.address = platform::ToCp1251(addressEdit->text());
    state.port = platform::ToCp1251(portEdit->text());
    return state;
}

void ProxyDialog::LoadConfig() {
    const config::ConfigLoadResult loaded =
        config::LoadConfigFile(configLocation_.readPath, State());
    ApplyState(loaded.state);
    if (loaded.error.isEmpty()) {
        return;
    }
    // The file holds lines this dialog did not read: it is rewritten only once the
    // user confirms settings with OK.
    keepConfigFile_ = true;
    if (reportError_) {
        reportError_(parentWidget(), loaded.error);
    } else {
        qWarning("%s", qPrintable(loaded.error));
    }
}

void ProxyDialog::ShowModal() {
    const config::ProxyDialogState before = State();
    if (QWidget* owner = parentWidget()) {
        const QRect area = owner->window()->frameGeometry();
        move(area.center() - rect().center());
    }
    if (exec() != QDialog::Accepted) {
        ApplyState(before);  // Cancel and the close button undo every change
    } else {
        keepConfigFile_ = false;
    }
}

QString ProxyDialog::EntryProblem() const {
    if (!proxyButton->isChecked()) {
        return QString();  // the address and port are kept but not used
    }
    switch (config::CheckProxyEntry(addressEdit->text(), portEdit->text())) {
        case config::ProxyEntryFault::None:
            return QString();
        case config::ProxyEntryFault::EmptyHost:
            return tr("Enter the proxy's host name or IP address.");
        case config::ProxyEntryFault::BadHost:
            return tr("\"%1\" is not a host name, an IPv4 address or an IPv6 address.")
                .arg(addressEdit->text());
        case config::ProxyEntryFault::BadPort:
            return tr("The port \"%1\" is not a number from 1 to 65535.").arg(portEdit->text());
    }
    return QString();
}

void ProxyDialog::accept() {
    addressEdit->setText(addressEdit->text().trimmed());
    portEdit->setText(portEdit->text().trimmed());
    const QString problem = EntryProblem();
    if (problem.isEmpty()) {
        QDialog::accept();
        return;
    }
    const bool portAtFault = config::CheckProxyEntry(addressEdit->text(), portEdit->text()) ==
                             config::ProxyEntryFault::BadPort;
    QLineEdit* culprit = portAtFault ? portEdit : addressEdit;
    if (reportError_) {
        reportError_(this, problem);
    } else {
        qWarning("%s", qPrintable(problem));
    }
    culprit->setFocus();
    culprit->selectAll();
}

config::ProxySettings ProxyDialog::Settings() const {
    return config::SettingsOf(State());
}

void ProxyDialog::WriteConfig() const {
    if (!keepConfigFile_) {
        QDir().mkpath(QFileInfo(configLocation_.writePath).absolutePath());
        config::WriteTextFile(configLocation_.writePath, config::ConfigFileText(State()));
    }
}

}  // namespace window
