#include "window/focus_frame.h"

#include <QPainter>
#include <QPen>
#include <QStyleOptionButton>

namespace window {

void DrawFocusFrame(QPainter& painter, const QRect& rect, const QPalette& palette) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QPen(palette.color(QPalette::Active, QPalette::Highlight), 2));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(rect.adjusted(1, 1, -1, -1));
    painter.restore();
}

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

void FocusTreeView::paintEvent(QPaintEvent* event) {
    QTreeView::paintEvent(event);
    if (hasFocus()) {
        QPainter painter(viewport());
        DrawFocusFrame(painter, viewport()->rect(), palette());
    }
}

// The frame runs along the viewport's edges, which a focus change alone does not
// repaint.
void FocusTreeView::focusInEvent(QFocusEvent* event) {
    QTreeView::focusInEvent(event);
    viewport()->update();
}

void FocusTreeView::focusOutEvent(QFocusEvent* event) {
    QTreeView::focusOutEvent(event);
    viewport()->update();
}

}  // namespace window
