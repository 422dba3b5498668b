#pragma once

#include <windows.h>

#include <functional>

#include "forms/hot_keys.h"
#include "platform/win32/message_window.h"

namespace vantorix::win32 {

// The hidden window `frmHotKey`, which holds the program's system-wide hot
// keys: RegisterHotKey on its handle with the identifier, modifier value and
// key code of each choice, and its WM_HOTKEY messages reported by identifier
// while listening. A combination that another program (or the other hot key)
// already holds is refused by the system and simply never fires.
class Win32HotKeyGrabber final : public HotKeyGrabber {
  public:
    Win32HotKeyGrabber();
    ~Win32HotKeyGrabber() override;
    Win32HotKeyGrabber(const Win32HotKeyGrabber&) = delete;
    Win32HotKeyGrabber& operator=(const Win32HotKeyGrabber&) = delete;

    void grab(int identifier, HotKeyChoice choice) override;
    void ungrab(int identifier) override;
    void listen(std::function<void(int identifier)> pressed) override;
    void stopListening() override;

    HWND window() const { return window_.handle(); }

  private:
    std::function<void(int)> pressed_;
    MessageWindow window_;
};

}  // namespace vantorix::win32
