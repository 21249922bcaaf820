#include "window/elided_label.h"

#include <QEvent>
#include <QPainter>
#include <QStyle>

#include "window/elided_text.h"

namespace window {

QSize ElidedLabel::minimumSizeHint() const {
    return {fontMetrics().averageCharWidth() * 4, QLabel::minimumSizeHint().height()};
}

QSize ElidedLabel::sizeHint() const {
    return {minimumSizeHint().width(), QLabel::sizeHint().height()};
}

bool ElidedLabel::elided() const {
    return fontMetrics().horizontalAdvance(text()) > contentsRect().width() - 2 * margin();
}

void ElidedLabel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QRect area = contentsRect().adjusted(margin(), margin(), -margin(), -margin());
    const QString shown = fontMetrics().elidedText(text(), Qt::ElideRight, area.width());
    style()->drawItemText(&painter, area, QStyle::visualAlignment(layoutDirection(), alignment()),
                          palette(), isEnabled(), shown, foregroundRole());
}

bool ElidedLabel::event(QEvent* event) {
    if (event->type() == QEvent::ToolTip && toolTip().isEmpty()) {
        return ShowTextTip(event, this, elided() ? text() : QString());
    }
    return QLabel::event(event);
}

}  // namespace window
