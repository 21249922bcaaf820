// The proxy dialog: whether and through which HTTP proxy the register is reached.
#pragma once

#include <QDialog>

#include "proxy/config_file.h"
#include "worker/proxy_settings.h"

class QGroupBox;
class QRadioButton;
class QLabel;
class QLineEdit;
class QPushButton;

namespace proxy {

class TProxyForm : public QDialog {
    Q_OBJECT
public:
    // Reads configPath (LoadConfig) at creation; a read error goes to the
    // application's error report and the dialog is created normally.
    TProxyForm(QWidget* parent, const QString& configPath);

    // btn4Click: shows the dialog modally; Cancel or the close button restore the
    // selection, the enabling and both texts as they were.
    void ShowModal();

    // The settings a worker created now copies.
    worker::ProxySettings Settings() const;

    // FormClose of the main window: writes the four lines; failures are silent.
    void WriteConfig() const;

    ProxyDialogState State() const;

private:
    void LoadConfig();
    void ApplyState(const ProxyDialogState& state);
    void rb1Click();
    void rb2Click();

    QString configPath_;
    QGroupBox* grp_ = nullptr;
    QRadioButton* rb1_ = nullptr;
    QRadioButton* rb2_ = nullptr;
    QLabel* lbl1_ = nullptr;
    QLineEdit* edt1_ = nullptr;
    QLabel* lbl2_ = nullptr;
    QLineEdit* edt2_ = nullptr;
    QPushButton* btn1_ = nullptr;
    QPushButton* btn2_ = nullptr;
};

}  // namespace proxy
