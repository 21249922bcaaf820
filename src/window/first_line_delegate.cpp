#include "window/first_line_delegate.h"

#include <QAbstractItemView>
#include <QHelpEvent>
#include <QStyle>

#include "window/elided_text.h"

namespace window {

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
    return ShowTextTip(event, view->viewport(), tip);
}

}  // namespace window
