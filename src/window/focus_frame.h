// Controls that show the keyboard focus whatever the style draws: a frame in the
// palette's highlight colour inside the control while it has the focus. The default
// style leaves a default button and an item view without a current row unmarked.
#pragma once

#include <QPushButton>
#include <QTreeView>

class QPainter;

namespace window {

// Draws the focus frame inside rect.
void DrawFocusFrame(QPainter& painter, const QRect& rect, const QPalette& palette);

class FocusButton : public QPushButton {
    Q_OBJECT
  public:
    using QPushButton::QPushButton;

  protected:
    void paintEvent(QPaintEvent* event) override;
};

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
