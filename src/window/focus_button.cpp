#include "window/focus_button.h"

#include <QPainter>
#include <QStyleOptionButton>

#include "window/focus_frame.h"

namespace window {

void FocusButton::paintEvent(QPaintEvent* event) {
    QPushButton::paintEvent(event);
    if (!hasFocus()) {
        return;
    }
    QStyleOptionButton option;
    initStyleOption(&option);
    QPainter painter(this);
    DrawFocusFrame(painter, style()->subElementRect(QStyle::SE_PushButtonFocusRect, &option, this),
                   palette());
}

}  // namespace window
