#pragma once

#include "forms/message_boxes.h"

namespace vantorix::win32 {

// The program's message boxes as the system draws them (MessageBoxW), with
// the exclamation icon and an OK button, owned by the program's window in
// front when there is one. The texts are the program's Windows-1252 texts.
class Win32MessageBoxes final : public MessageBoxes {
  public:
    void exclamation(const std::string& text, const std::string& title) override;
};

}  // namespace vantorix::win32
