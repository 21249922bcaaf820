// Controls that show the keyboard focus whatever the style draws: a frame in the
// palette's highlight colour inside the control while it has the focus. The default
// style leaves a default button and an item view without a current row unmarked.
#pragma once

#include <QPalette>
#include <QRect>

class QPainter;

namespace window {

// Draws the focus frame inside rect.
void DrawFocusFrame(QPainter& painter, const QRect& rect, const QPalette& palette);

}  // namespace window
