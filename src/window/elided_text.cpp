#include "window/elided_text.h"

#include <QAbstractItemView>
#include <QHelpEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOption>
#include <QToolTip>
#include <algorithm>

namespace window {
namespace {

// Margin of the status bar's message, as the status bar draws it.
constexpr int kMessageMargin = 6;

// Shows text as the tooltip of widget for a help event, or hides a shown tooltip when
// there is nothing to say.
bool ShowTip(QEvent* event, QWidget* widget, const QString& text) {
    auto* help = static_cast<QHelpEvent*>(event);
    if (text.isEmpty()) {
        QToolTip::hideText();
        event->ignore();
    } else {
        QToolTip::showText(help->globalPos(), text, widget);
    }
    return true;
}

}  // namespace

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
        return ShowTip(event, this, elided() ? text() : QString());
    }
    return QLabel::event(event);
}

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
        return ShowTip(event, this, messageElided() ? currentMessage() : QString());
    }
    return QStatusBar::event(event);
}

QString FirstLineDelegate::displayText(const QVariant& value, const QLocale& locale) const {
    QString text = QStyledItemDelegate::displayText(value, locale);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == QLatin1Char('\r') || c == QLatin1Char('\n') || c == QChar::LineSeparator) {
            return text.left(i);
        }
    }
    return text;
}

bool FirstLineDelegate::helpEvent(QHelpEvent* event, QAbstractItemView* view,
                                  const QStyleOptionViewItem& option, const QModelIndex& index) {
    if (event == nullptr || view == nullptr || event->type() != QEvent::ToolTip) {
        return QStyledItemDelegate::helpEvent(event, view, option, index);
    }
    const QString whole = index.data(Qt::DisplayRole).toString();
    const QString shown = displayText(whole, option.locale);
    // The text's room: the cell less the margins the style draws it with.
    const int margin = view->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, view) + 1;
    const int room = view->visualRect(index).width() - 2 * margin;
    const bool cut = shown != whole || option.fontMetrics.horizontalAdvance(shown) > room;
    const QString own = index.data(Qt::ToolTipRole).toString();
    QString tip = own;
    if (cut) {
        tip = own.isEmpty() ? whole : whole + QStringLiteral("\n\n") + own;
    }
    return ShowTip(event, view->viewport(), tip);
}

}  // namespace window
