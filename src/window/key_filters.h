// Key filters of the date and number fields. They look at typed characters only:
// text pasted from the clipboard or set by the program passes unfiltered.
#pragma once

#include <QObject>
#include <QString>

namespace window {

// Whether a character typed into a field currently holding `length` characters is
// accepted. Backspace is character code 8.
bool DateKeyAccepted(QChar c, int length);  // the date field
bool DigitKeyAccepted(QChar c);             // the OGRN/INN field

// Installed on a QLineEdit: drops key presses whose typed character the rule refuses.
// Keys that type nothing (arrows, Delete) and shortcuts (Ctrl+...) pass.
class KeyFilter : public QObject {
    Q_OBJECT
  public:
    enum class Rule { Date, Digits };
    KeyFilter(Rule rule, QObject* parent);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    Rule rule_;
};

}  // namespace window
