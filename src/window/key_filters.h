// Key filters of the date and number fields. They look at typed characters only:
// text pasted from the clipboard or set by the program passes unfiltered, and is
// cleaned by WithoutInvisibles before it goes to the register.
#pragma once

#include <QObject>
#include <QString>

namespace window {

// Whether a character typed into a field currently holding `length` characters is
// accepted. Backspace is character code 8.
bool DateKeyAccepted(QChar c, int length);  // the date field
bool DigitKeyAccepted(QChar c);             // the OGRN/INN field

// text without its control characters (Unicode category Cc) and format characters
// (Cf: zero-width spaces and joiners, soft hyphens, direction marks, byte-order marks).
// Pasted from a web page or a PDF they are invisible, yet they have no Windows-1251
// form and would turn a name into one the register does not know.
QString WithoutInvisibles(const QString& text);

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
