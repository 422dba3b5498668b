#include "platform/win32/notification_icon_win32.h"

#include <cwchar>

#include "platform/win32/wide_text.h"

namespace vantorix::win32 {

// A top-level window, hidden: only those hear the broadcast that a new
// notification area is there.
Win32NotificationIcon::Win32NotificationIcon(HICON image)
    : taskbarCreated_(RegisterWindowMessageW(L"TaskbarCreated")),
      window_([this](UINT message, WPARAM, LPARAM lParam) { return onMessage(message, lParam); },
              MessageWindow::Kind::HiddenTopLevel) {
    SetWindowTextW(window_.handle(), L"icon_create_form");
    data_.cbSize = sizeof data_;
    data_.hWnd = window_.handle();
    data_.uID = 1;
    data_.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    data_.uCallbackMessage = kCallbackMessage;
    data_.hIcon = image;
}

Win32NotificationIcon::~Win32NotificationIcon() {
    remove();
}

void Win32NotificationIcon::writeTip(std::string_view tip) {
    const std::wstring wide = widen(tip);
    wcsncpy(data_.szTip, wide.c_str(), std::size(data_.szTip) - 1);
}

void Win32NotificationIcon::place(std::string_view tip) {
    writeTip(tip);
    placed_ = true;
    shown_ = Shell_NotifyIconW(NIM_ADD, &data_) != FALSE;
}

void Win32NotificationIcon::setTip(std::string_view tip) {
    writeTip(tip);
    if (placed_) {
        Shell_NotifyIconW(NIM_MODIFY, &data_);
    }
}

void Win32NotificationIcon::notify(std::string_view title, std::string_view text) {
    balloon(title, text, NIIF_INFO);
}

void Win32NotificationIcon::remove() {
    if (placed_) {
        Shell_NotifyIconW(NIM_DELETE, &data_);
    }
    placed_ = false;
    shown_ = false;
}

bool Win32NotificationIcon::showBalloon(std::string_view title, std::string_view text) {
    return balloon(title, text, NIIF_WARNING);
}

bool Win32NotificationIcon::balloon(std::string_view title, std::string_view text, DWORD kind) {
    if (!shown_) {
        return false;
    }
    // A copy, so that a later change of the tip does not show the balloon again.
    NOTIFYICONDATAW balloon = data_;
    balloon.uFlags = NIF_INFO;
    balloon.dwInfoFlags = kind;
    wcsncpy(balloon.szInfoTitle, widen(title).c_str(), std::size(balloon.szInfoTitle) - 1);
    wcsncpy(balloon.szInfo, widen(text).c_str(), std::size(balloon.szInfo) - 1);
    return Shell_NotifyIconW(NIM_MODIFY, &balloon) != FALSE;
}

std::optional<LRESULT> Win32NotificationIcon::onMessage(UINT message, LPARAM lParam) {
    if (message == kCallbackMessage) {
        if (LOWORD(lParam) == WM_LBUTTONDBLCLK && onDoubleClick) {
            onDoubleClick();
        }
        return 0;
    }
    if (message == taskbarCreated_ && placed_) {
        shown_ = Shell_NotifyIconW(NIM_ADD, &data_) != FALSE;
        return 0;
    }
    return std::nullopt;
}

}  // namespace vantorix::win32
