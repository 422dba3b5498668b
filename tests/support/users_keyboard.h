#pragma once

#include <cstdint>
#include <memory>
#include <string>

namespace vantorix::wayland {
class VirtualKeyboard;
}

namespace vantorix::test {

// A keyboard on the seat of the compositor named by WAYLAND_DISPLAY, standing
// for the user's: a virtual keyboard with the us layout, Caps Lock locked if
// asked. A desktop's seat always has one; with it there before the windows,
// they have their keyboard from the start.
class UsersKeyboard {
  public:
    explicit UsersKeyboard(bool capsLock);
    ~UsersKeyboard();
    UsersKeyboard(const UsersKeyboard&) = delete;
    UsersKeyboard& operator=(const UsersKeyboard&) = delete;

    bool isReady() const { return keyboard_ != nullptr; }
    const std::string& problem() const { return problem_; }

    // Presses and releases the Q key.
    void typeQ();
    // Presses Ctrl+Alt+`digit` (1 to 9) and lets go, as a user firing a
    // shortcut of the desktop.
    void pressCtrlAltDigit(int digit);

  private:
    std::unique_ptr<wayland::VirtualKeyboard> keyboard_;
    std::string problem_;
    std::uint32_t locked_ = 0;
    std::uint32_t ctrlAlt_ = 0;  // the modifier mask of Ctrl and Alt
};

}  // namespace vantorix::test
