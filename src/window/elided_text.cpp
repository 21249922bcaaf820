#include "window/elided_text.h"

#include <QHelpEvent>
#include <QToolTip>
#include <QWidget>

namespace window {

bool ShowTextTip(QEvent* event, QWidget* widget, const QString& text) {
    auto* help = static_cast<QHelpEvent*>(event);
    if (text.isEmpty()) {
        QToolTip::hideText();
        event->ignore();
    } else {
        QToolTip::showText(help->globalPos(), text, widget);
    }
    return true;
}

}  // namespace window
