// The "Find" button, its keyboard focus always shown.
#pragma once

#include <QPushButton>

namespace window {

// A push button with the focus frame drawn while it has the focus.
class FocusButton : public QPushButton {
    Q_OBJECT
  public:
    using QPushButton::QPushButton;

  protected:
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace window
