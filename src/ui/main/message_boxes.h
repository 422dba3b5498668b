#pragma once

#include <string>

class QWidget;

namespace vantorix {

// The program's message boxes: text, title, an exclamation icon and an OK
// button. Tests answer them without a screen.
class MessageBoxes {
  public:
    virtual ~MessageBoxes() = default;
    virtual void exclamation(QWidget* parent, const std::string& text,
                             const std::string& title) = 0;
};

class QtMessageBoxes final : public MessageBoxes {
  public:
    void exclamation(QWidget* parent, const std::string& text, const std::string& title) override;
};

}  // namespace vantorix
