#pragma once

#include <string>

namespace vantorix {

// The title of every message box but the port's.
inline constexpr const char* kApplicationTitle = "Vantorix";

// The program's message boxes: text, title, an exclamation icon and an OK
// button. Each returns once the user has closed the box. Tests answer them
// without a screen.
class MessageBoxes {
  public:
    virtual ~MessageBoxes() = default;
    virtual void exclamation(const std::string& text, const std::string& title) = 0;
    // The same box with `detail` beneath the text, smaller where the toolkit
    // has room for it: the system's reason behind a message whose text stays
    // fixed. A box without a place of its own for it shows it after a blank
    // line.
    virtual void exclamationWithDetail(const std::string& text, const std::string& title,
                                       const std::string& detail) {
        exclamation(detail.empty() ? text : text + "\n\n" + detail, title);
    }
};

}  // namespace vantorix
