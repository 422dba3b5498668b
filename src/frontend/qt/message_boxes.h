#pragma once

#include <string>

#include "forms/message_boxes.h"

class QWidget;

namespace vantorix {

// Message boxes over the window in use (the active window), or free-standing
// when the program has none.
class QtMessageBoxes final : public MessageBoxes {
  public:
    void exclamation(const std::string& text, const std::string& title) override;
};

}  // namespace vantorix
