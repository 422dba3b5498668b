#include "platform/win32/hot_key_window.h"

namespace vantorix::win32 {

// A hidden top-level window rather than a message-only one: the hot keys
// belong to a window the user's desktop can see, under the name it has
// always had.
Win32HotKeyGrabber::Win32HotKeyGrabber()
    : window_(
          [this](UINT message, WPARAM wParam, LPARAM) -> std::optional<LRESULT> {
              if (message != WM_HOTKEY) {
                  return std::nullopt;
              }
              if (pressed_) {
                  pressed_(static_cast<int>(wParam));
              }
              return 0;
          },
          MessageWindow::Kind::HiddenTopLevel) {
    SetWindowTextW(window_.handle(), L"frmHotKey");
}

Win32HotKeyGrabber::~Win32HotKeyGrabber() {
    stopListening();
    ungrab(1);
    ungrab(2);
}

void Win32HotKeyGrabber::grab(int identifier, HotKeyChoice choice) {
    // The choice's values are the system's own: MOD_ALT 1, MOD_CONTROL 2,
    // MOD_SHIFT 4, and the virtual-key codes of F2 to F11.
    RegisterHotKey(window_.handle(), identifier, static_cast<UINT>(choice.modifiers),
                   static_cast<UINT>(choice.keyCode));
}

void Win32HotKeyGrabber::ungrab(int identifier) {
    UnregisterHotKey(window_.handle(), identifier);
}

void Win32HotKeyGrabber::listen(std::function<void(int identifier)> pressed) {
    pressed_ = std::move(pressed);
}

void Win32HotKeyGrabber::stopListening() {
    pressed_ = nullptr;
}

}  // namespace vantorix::win32
