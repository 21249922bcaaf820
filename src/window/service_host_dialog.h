// "Register service...": where the register service's mirror is, host and optional
// port, kept as a user setting that every later search uses.
#pragma once

#include <QDialog>
#include <QString>
#include <string>

class QLineEdit;

namespace window {

class ServiceHostDialog : public QDialog {
    Q_OBJECT
  public:
    // Shows the stored address, or the build-time one when none is stored.
    explicit ServiceHostDialog(QWidget* parent = nullptr);

    // Checks the boxes and stores the address: true when stored, otherwise the
    // reason is shown and the dialog stays open.
    bool Apply();
    void accept() override;

    QLineEdit* hostEdit = nullptr;
    QLineEdit* portEdit = nullptr;
};

// What a failed search's text adds while the service address is still the build-time
// placeholder: a pointer to "Register service...". Empty for any other address.
QString ServiceHostHint(const std::string& serviceRoot);

}  // namespace window
