#include "window/message_box.h"

#include <QApplication>
#include <QMessageBox>

namespace window {
namespace {

MessageHandler& Handler() {
    static MessageHandler handler;
    return handler;
}

}  // namespace

void ShowMessage(QWidget* parent, const QString& text) {
    if (Handler()) {
        Handler()(text);
        return;
    }
    QMessageBox box(QMessageBox::NoIcon, QApplication::applicationDisplayName(), text,
                    QMessageBox::Ok, parent);
    box.exec();
}

void ShowErrorReport(QWidget* parent, const QString& text) {
    if (Handler()) {
        Handler()(text);
        return;
    }
    QMessageBox box(QMessageBox::Critical, QApplication::applicationDisplayName(), text,
                    QMessageBox::Ok, parent);
    box.exec();
}

void SetMessageHandler(MessageHandler handler) {
    Handler() = std::move(handler);
}

}  // namespace window
