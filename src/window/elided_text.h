// Texts that can be read whole however narrow their place: the status line's label and
// its row messages are cut with an ellipsis at the width they have and say their whole
// text in a tooltip; so do the detail lists' values that do not fit their column.
#pragma once

#include <QLabel>
#include <QStatusBar>
#include <QStyledItemDelegate>

namespace window {

// A one-line label whose text (text() stays whole) is drawn elided, and which does not
// ask its parent to be as wide as the text.
class ElidedLabel : public QLabel {
    Q_OBJECT
  public:
    using QLabel::QLabel;
    QSize minimumSizeHint() const override;
    QSize sizeHint() const override;
    // Whether the text is cut at the label's present width.
    bool elided() const;

  protected:
    void paintEvent(QPaintEvent* event) override;
    bool event(QEvent* event) override;
};

// A status bar whose temporary message (currentMessage() stays whole) is drawn elided
// beside its permanent widgets.
class ElidedStatusBar : public QStatusBar {
    Q_OBJECT
  public:
    using QStatusBar::QStatusBar;
    bool messageElided() const;

  protected:
    void paintEvent(QPaintEvent* event) override;
    bool event(QEvent* event) override;

  private:
    QRect MessageRect() const;
};

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
