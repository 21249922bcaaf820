// The application object: an error escaping an event handler is shown in the
// application's error report and the program carries on.
#pragma once

#include <QApplication>

namespace window {

class Application : public QApplication {
    Q_OBJECT
  public:
    Application(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;
};

// Runs handler; an escaping std::exception becomes the application's error report.
template <typename F>
void Guarded(QWidget* parent, F&& handler);

void ReportException(QWidget* parent, const std::exception& e);

template <typename F>
void Guarded(QWidget* parent, F&& handler) {
    try {
        handler();
    } catch (const std::exception& e) {
        ReportException(parent, e);
    }
}

}  // namespace window
