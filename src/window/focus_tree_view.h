// The results trees, their keyboard focus always shown.
#pragma once

#include <QTreeView>

namespace window {

// A tree view with the focus frame drawn along its viewport while it has the focus.
class FocusTreeView : public QTreeView {
    Q_OBJECT
  public:
    using QTreeView::QTreeView;

  protected:
    void paintEvent(QPaintEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
};

}  // namespace window
