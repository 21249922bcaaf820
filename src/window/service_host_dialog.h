// "Register service...": where the register service's mirror is, host and optional
// port, kept as a user setting that every later search uses. "Test" asks the service
// for its search page off the GUI thread and says what came back.
#pragma once

#include <QDialog>
#include <QString>
#include <memory>
#include <string>

#include "config/proxy_settings.h"
#include "config/service_host.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace window {

// Reads the dialog's two boxes: the host box takes "HOST", "HOST:PORT", "[v6]:PORT" or
// an "http://HOST[:PORT]/" address (the scheme is dropped; a path other than "/" is
// refused); the port box, when not empty, gives the port and must agree with a port
// in the host box. A bad entry fails with what is wrong.
config::AddressResult ReadServiceEntry(const QString& hostText, const QString& portText);

class ServiceHostDialog : public QDialog {
    Q_OBJECT
  public:
    // Shows the stored address, or the build-time one when none is stored. "Test"
    // goes through proxy as the searches do.
    explicit ServiceHostDialog(QWidget* parent = nullptr, config::ProxySettings proxy = {});
    // Ends a running test at once; its answer is then dropped.
    ~ServiceHostDialog() override;

    // Checks the boxes and stores the address: true when stored, otherwise the
    // reason is shown and the dialog stays open.
    bool Apply();
    void accept() override;

    QLineEdit* hostEdit = nullptr;
    QLineEdit* portEdit = nullptr;
    QPushButton* testButton = nullptr;
    QLabel* testResultLabel = nullptr;  // what the last test found

  signals:
    // A test ended and testResultLabel says how.
    void TestFinished();

  private:
    void OnTestClicked();
    void ShowTestResult(bool ok, const QString& text);

    struct TestRun;

    config::ProxySettings proxy_;
    std::shared_ptr<TestRun> testRun_;  // shared with the running test
};

// What a failed search's text adds while the service address is still the build-time
// placeholder: a pointer to "Register service...". Empty for any other address.
QString ServiceHostHint(const std::string& serviceRoot);

}  // namespace window
