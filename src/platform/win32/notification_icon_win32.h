#pragma once

#include <windows.h>

#include <shellapi.h>

#include <string>
#include <string_view>

#include "forms/notification_icon.h"
#include "platform/win32/message_window.h"

namespace vantorix::win32 {

// The program's icon in the notification area, lent its handle by the hidden
// window `iconform` (caption "icon_create_form"): identifier 1, the system's
// mouse events over the icon arrive as message 512 with the event's own code
// in lParam, and only a double-click with the left button acts.
//
// When Explorer starts again (it crashed, or was restarted) the notification
// area is new and empty; the icon is placed again then, with its last tip.
class Win32NotificationIcon final : public NotificationIcon {
  public:
    // `image` stays the caller's; it must live as long as this object.
    explicit Win32NotificationIcon(HICON image);
    ~Win32NotificationIcon() override;
    Win32NotificationIcon(const Win32NotificationIcon&) = delete;
    Win32NotificationIcon& operator=(const Win32NotificationIcon&) = delete;

    void place(std::string_view tip) override;
    void setTip(std::string_view tip) override;
    void remove() override;
    void notify(std::string_view title, std::string_view text) override;
    bool restoresWindows() const override { return shown_; }

    // A warning in a balloon beside the icon (see balloon()).
    bool showBalloon(std::string_view title, std::string_view text);

    HWND window() const { return window_.handle(); }
    // The tip as handed to the system.
    std::wstring tip() const { return data_.szTip; }

    static constexpr UINT kCallbackMessage = WM_MOUSEMOVE;

  private:
    std::optional<LRESULT> onMessage(UINT message, LPARAM lParam);
    void writeTip(std::string_view tip);
    // A balloon beside the icon (`kind`: NIIF_INFO or NIIF_WARNING), which goes
    // by itself and takes no focus. False when the icon is not in a
    // notification area.
    bool balloon(std::string_view title, std::string_view text, DWORD kind);

    NOTIFYICONDATAW data_{};
    const UINT taskbarCreated_;
    bool placed_ = false;
    // Whether the notification area took the icon.
    bool shown_ = false;
    MessageWindow window_;
};

}  // namespace vantorix::win32
