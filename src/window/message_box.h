// Every message box of the program goes through here, so that tests can answer them.
#pragma once

#include <QString>
#include <functional>

class QWidget;

namespace window {

// Shows text in a modal box with an OK button and waits for it to be acknowledged.
void ShowMessage(QWidget* parent, const QString& text);

// The application's error report: the text of an error that escaped an event handler
// or a start-up step. The program carries on.
void ShowErrorReport(QWidget* parent, const QString& text);

// Asks text with two answers; true when the user chose yes.
bool AskQuestion(QWidget* parent, const QString& text, const QString& yes, const QString& no);

// Tests install a handler that receives each message instead of a box; pass an empty
// function to restore the boxes.
using MessageHandler = std::function<void(const QString& text)>;
void SetMessageHandler(MessageHandler handler);
// Tests answer questions with this; without one, a test's message handler receives the
// question and the answer is yes. Pass an empty function to restore the boxes.
using QuestionHandler = std::function<bool(const QString& text)>;
void SetQuestionHandler(QuestionHandler handler);

}  // namespace window
