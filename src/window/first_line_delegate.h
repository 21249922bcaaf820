// The detail lists' values: the first line shown, the whole value in a tooltip.
#pragma once

#include <QStyledItemDelegate>

namespace window {

// Shows the first line of a value; a value cut short (a further line, or wider than its
// column) has its whole text in the tooltip, before the item's own tooltip if it has one.
class FirstLineDelegate : public QStyledItemDelegate {
    Q_OBJECT
  public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QString displayText(const QVariant& value, const QLocale& locale) const override;
    bool helpEvent(QHelpEvent* event, QAbstractItemView* view, const QStyleOptionViewItem& option,
                   const QModelIndex& index) override;
};

}  // namespace window
