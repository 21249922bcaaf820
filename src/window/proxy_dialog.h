// The proxy dialog: whether and through which HTTP proxy the register is reached.
#pragma once

#include <QDialog>
#include <functional>

#include "config/config_file.h"
#include "config/proxy_settings.h"

class QGroupBox;
class QLabel;
class QRadioButton;
class QLineEdit;
class QPushButton;

namespace window {

// Shows an error that does not stop the dialog (e.g. an unreadable config.ini).
using ErrorReporter = std::function<void(QWidget* parent, const QString& text)>;

class ProxyDialog : public QDialog {
    Q_OBJECT
  public:
    // configPath: config.ini beside the program; the per-user one is used instead
    // when it exists or the program's folder takes no new files. Read at creation; a read error
    // goes to reportError and the dialog is created normally.
    ProxyDialog(QWidget* parent, const QString& configPath, ErrorReporter reportError);

    // Shows the dialog modally; Cancel or the close button restore the selection, the
    // enabling and both texts as they were.
    void ShowModal();

    // The settings a query or probe started now copies.
    config::ProxySettings Settings() const;

    // Writes the four lines of config.ini (done when the main window closes);
    // failures are silent. After a config.ini whose reading stopped at an error the
    // file is left as it is unless the user pressed OK since.
    void WriteConfig() const;

    config::ProxyDialogState State() const;

    // With "Use proxy" chosen, OK takes the entries only when the address is a host name
    // or an IP address and the port a number from 1 to 65535; otherwise it says which
    // entry is wrong and the dialog stays open.
    void accept() override;

    // The message naming the wrong entry, or an empty text when OK would take them.
    QString EntryProblem() const;

  private:
    void BuildControls();
    void LayOut();
    void LoadConfig();
    void ApplyState(const config::ProxyDialogState& state);
    void OnSystemChosen();
    void OnProxyChosen();

    void SetBoxesEnabled(bool on);

    QString configPath_;
    config::ConfigLocation configLocation_;  // the per-user file or the one beside the program
    bool keepConfigFile_ = false;
    ErrorReporter reportError_;
    QGroupBox* settingsGroup = nullptr;
    QRadioButton* systemButton = nullptr;
    QRadioButton* proxyButton = nullptr;
    QLabel* addressLabel = nullptr;
    QLineEdit* addressEdit = nullptr;
    QLabel* portLabel = nullptr;
    QLineEdit* portEdit = nullptr;
    QPushButton* okButton = nullptr;
    QPushButton* cancelButton = nullptr;
};

}  // namespace window
