#include "window/key_filters.h"

#include <QKeyEvent>
#include <QLineEdit>

namespace window {
namespace {

constexpr char16_t kBackspace = 8;

bool IsDigit(QChar c) {
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

}  // namespace

bool DateKeyAccepted(QChar c, int length) {
    const bool backspaceOrPoint = c.unicode() == kBackspace || c == QLatin1Char('.');
    if (!backspaceOrPoint && !IsDigit(c)) {
        return false;
    }
    // After the day and after the month only the separating point (or backspace) may
    // follow.
    if ((length == 2 || length == 5) && !backspaceOrPoint) {
        return false;
    }
    return true;
}

bool DigitKeyAccepted(QChar c) {
    return c.unicode() == kBackspace || IsDigit(c);
}

QString WithoutInvisibles(const QString& text) {
    QString out;
    out.reserve(text.size());
    qsizetype i = 0;
    while (i < text.size()) {
        // Format characters lie beyond the first plane too (the tag characters).
        qsizetype length = 1;
        char32_t code = text.at(i).unicode();
        if (QChar::isHighSurrogate(code) && i + 1 < text.size() &&
            text.at(i + 1).isLowSurrogate()) {
            code = QChar::surrogateToUcs4(text.at(i), text.at(i + 1));
            length = 2;
        }
        const QChar::Category category = QChar::category(code);
        if (category != QChar::Other_Control && category != QChar::Other_Format) {
            out.append(QStringView(text).mid(i, length));
        }
        i += length;
    }
    return out;
}

KeyFilter::KeyFilter(Rule rule, QObject* parent) : QObject(parent), rule_(rule) {}

bool KeyFilter::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress) {
        return false;
    }
    auto* key = static_cast<QKeyEvent*>(event);
    // The character the key types is judged, whatever the modifiers: Alt, AltGr and
    // Ctrl+Alt can type characters too. A shortcut types nothing (or a control
    // character, as Ctrl+C does) and passes.
    QChar typed;
    if (key->key() == Qt::Key_Backspace) {
        typed = QChar(kBackspace);
    } else if (!key->text().isEmpty()) {
        typed = key->text().at(0);
    } else {
        return false;
    }
    if (typed.unicode() != kBackspace && typed.category() == QChar::Other_Control) {
        return false;  // Return, Tab, Escape and the like type nothing into the field
    }
    int length = 0;
    if (auto* edit = qobject_cast<QLineEdit*>(watched)) {
        length = edit->text().size();
    }
    const bool accepted =
        rule_ == Rule::Date ? DateKeyAccepted(typed, length) : DigitKeyAccepted(typed);
    return !accepted;
}

}  // namespace window
