#include "platform/win32/win32_port_watcher.h"

#include <dbt.h>

#include <utility>

namespace vantorix::win32 {
namespace {

constexpr UINT_PTR kPollTimer = 1;
constexpr UINT kPollIntervalMs = 1000;
// The device interface class of COM ports (GUID_DEVINTERFACE_COMPORT).
constexpr GUID kComPortInterface = {
    0x86e0d1e0, 0x8089, 0x11d0, {0x9c, 0xe4, 0x08, 0x00, 0x3e, 0x30, 0x1f, 0x73}};

}  // namespace

// A hidden top-level window: only those hear the broadcast of ports arriving.
Win32PortWatcher::Win32PortWatcher()
    : window_([this](UINT message, WPARAM wParam, LPARAM) { return onMessage(message, wParam); },
              MessageWindow::Kind::HiddenTopLevel) {
    DEV_BROADCAST_DEVICEINTERFACE_W filter{};
    filter.dbcc_size = sizeof filter;
    filter.dbcc_devicetype = DBT_DEVTYP_DEVICEINTERFACE;
    filter.dbcc_classguid = kComPortInterface;
    arrivals_ = RegisterDeviceNotificationW(window_.handle(), &filter, DEVICE_NOTIFY_WINDOW_HANDLE);
}

Win32PortWatcher::~Win32PortWatcher() {
    stop();
    if (arrivals_ != nullptr) {
        UnregisterDeviceNotification(arrivals_);
    }
}

// The port's name is not needed: any serial device arriving, and every poll,
// is only a hint that the listener checks by opening its port.
void Win32PortWatcher::watch(const std::string&, std::function<void()> mayBeBack) {
    mayBeBack_ = std::move(mayBeBack);
    SetTimer(window_.handle(), kPollTimer, kPollIntervalMs, nullptr);
}

void Win32PortWatcher::stop() {
    mayBeBack_ = nullptr;
    KillTimer(window_.handle(), kPollTimer);
}

std::optional<LRESULT> Win32PortWatcher::onMessage(UINT message, WPARAM wParam) {
    if (message == WM_TIMER && wParam == kPollTimer) {
        notice();
        return 0;
    }
    if (message == WM_DEVICECHANGE) {
        if (wParam == DBT_DEVICEARRIVAL) {
            notice();
        }
        return TRUE;
    }
    return std::nullopt;
}

void Win32PortWatcher::notice() {
    if (mayBeBack_) {
        // A copy: the listener may stop watching from inside.
        const std::function<void()> listener = mayBeBack_;
        listener();
    }
}

}  // namespace vantorix::win32
