// The status bar: a row's message drawn cut with an ellipsis, said whole in a tooltip.
#pragma once

#include <QStatusBar>

namespace window {

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

}  // namespace window
