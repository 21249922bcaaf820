// The status line's label: its text drawn cut with an ellipsis, said whole in a tooltip.
#pragma once

#include <QLabel>

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

}  // namespace window
