#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <string>

#include "platform/win32/message_window.h"
#include "serial/port_watcher.h"

namespace vantorix::win32 {

// Watches for a COM port to come back on the message loop of the thread that
// creates it: the system's notice that a serial port arrived (WM_DEVICECHANGE,
// broadcast to top-level windows and asked for through
// RegisterDeviceNotification for the COM port interface), and, since virtual
// ports and Wine's mapped ports send no such notice, a try once a second
// while watching.
class Win32PortWatcher final : public PortWatcher {
  public:
    Win32PortWatcher();
    ~Win32PortWatcher() override;
    Win32PortWatcher(const Win32PortWatcher&) = delete;
    Win32PortWatcher& operator=(const Win32PortWatcher&) = delete;

    void watch(const std::string& port, std::function<void()> mayBeBack) override;
    void stop() override;

    HWND window() const { return window_.handle(); }

  private:
    std::optional<LRESULT> onMessage(UINT message, WPARAM wParam);
    void notice();

    MessageWindow window_;
    HDEVNOTIFY arrivals_ = nullptr;
    std::function<void()> mayBeBack_;
};

}  // namespace vantorix::win32
