#include "window/message_box.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

namespace window {
namespace {

MessageHandler& Handler() {
    static MessageHandler handler;
    return handler;
}

QuestionHandler& Questions() {
    static QuestionHandler handler;
    return handler;
}

}  // namespace

bool AskQuestion(QWidget* parent, const QString& text, const QString& yes, const QString& no) {
    if (Questions()) {
        return Questions()(text);
    }
    if (Handler()) {
        Handler()(text);
        return true;
    }
    QMessageBox box(QMessageBox::Question, QApplication::applicationDisplayName(), text,
                    QMessageBox::NoButton, parent);
    QPushButton* yesButton = box.addButton(yes, QMessageBox::AcceptRole);
    QPushButton* noButton = box.addButton(no, QMessageBox::RejectRole);
    box.setDefaultButton(noButton);
    box.exec();
    return box.clickedButton() == yesButton;
}

void SetQuestionHandler(QuestionHandler handler) {
    Questions() = std::move(handler);
}

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
