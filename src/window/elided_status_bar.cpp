#include "window/elided_status_bar.h"

#include <QEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOption>
#include <algorithm>

#include "window/elided_text.h"

namespace window {
namespace {

// Margin of the status bar's message, as the status bar draws it.
constexpr int kMessageMargin = 6;

}  // namespace

// Left of the first permanent widget shown (they stay while a message shows).
QRect ElidedStatusBar::MessageRect() const {
    QRect area = rect().adjusted(kMessageMargin, 0, -kMessageMargin, 0);
    for (const QWidget* child : findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (child->isVisible() && !child->isWindow()) {
            if (layoutDirection() == Qt::RightToLeft) {
                area.setLeft(std::max(area.left(), child->geometry().right() + kMessageMargin));
            } else {
                area.setRight(std::min(area.right(), child->geometry().left() - kMessageMargin));
            }
        }
    }
    return area;
}

bool ElidedStatusBar::messageElided() const {
    return fontMetrics().horizontalAdvance(currentMessage()) > MessageRect().width();
}

void ElidedStatusBar::paintEvent(QPaintEvent* event) {
    const QString message = currentMessage();
    if (message.isEmpty()) {
        QStatusBar::paintEvent(event);
        return;
    }
    QPainter painter(this);
    QStyleOption option;
    option.initFrom(this);
    style()->drawPrimitive(QStyle::PE_PanelStatusBar, &option, &painter, this);
    const QRect area = MessageRect();
    painter.setPen(palette().windowText().color());
    painter.drawText(area, Qt::AlignLeading | Qt::AlignVCenter | Qt::TextSingleLine,
                     fontMetrics().elidedText(message, Qt::ElideRight, area.width()));
}

bool ElidedStatusBar::event(QEvent* event) {
    if (event->type() == QEvent::ToolTip && !currentMessage().isEmpty() && toolTip().isEmpty()) {
        return ShowTextTip(event, this, messageElided() ? currentMessage() : QString());
    }
    return QStatusBar::event(event);
}

}  // namespace window
