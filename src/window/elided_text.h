// Texts that can be read whole however narrow their place: the status line's label and
// its row messages are cut with an ellipsis at the width they have and say their whole
// text in a tooltip; so do the detail lists' values that do not fit their column.
#pragma once

#include <QString>

class QEvent;
class QWidget;

namespace window {

// Shows text as the tooltip of widget for a help event, or hides a shown tooltip when
// there is nothing to say. Returns true: the event is handled either way.
bool ShowTextTip(QEvent* event, QWidget* widget, const QString& text);

}  // namespace window
