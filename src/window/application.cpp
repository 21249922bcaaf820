#include "window/application.h"

#include <exception>

#include "window/message_box.h"

namespace window {

Application::Application(int& argc, char** argv) : QApplication(argc, argv) {
    setApplicationName(QStringLiteral("Vendrake"));
    setApplicationDisplayName(QStringLiteral("Vendrake"));
    setApplicationVersion(QStringLiteral(VENDRAKE_VERSION));
}

bool Application::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& e) {
        ReportException(nullptr, e);
    }
    return false;
}

void ReportException(QWidget* parent, const std::exception& e) {
    ShowErrorReport(parent, QString::fromUtf8(e.what()));
}

}  // namespace window
