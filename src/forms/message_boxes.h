#pragma once

#include <string>

namespace vantorix {

// The program's message boxes: text, title, an exclamation icon and an OK
// button. Each returns once the user has closed the box. Tests answer them
// without a screen.
class MessageBoxes {
  public:
    virtual ~MessageBoxes() = default;
    virtual void exclamation(const std::string& text, const std::string& title) = 0;
};

}  // namespace vantorix
