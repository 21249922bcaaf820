#include "window/focus_tree_view.h"

#include <QPainter>

#include "window/focus_frame.h"

namespace window {

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
