#pragma once

#include <QPushButton>

namespace vantorix {

// A push button drawn flat on a light-grey face (224, 224, 224) with a thin
// border, whose caption wraps onto more lines when the button is too narrow
// for it, as the main window's tall, narrow buttons need; text() is still the
// caption as given.
class CaptionButton final : public QPushButton {
  public:
    using QPushButton::QPushButton;

  protected:
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace vantorix
