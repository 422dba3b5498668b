#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace vantorix {

// The tips of the notification-area icon; the carriage return breaks the line.
inline constexpr std::string_view kIdleTip = "VanTorix\r    Idle";
inline constexpr std::string_view kRunningTip = "VanTorix\r Running";
// Redirection runs but its port went away; it carries on when the port is back.
inline constexpr std::string_view kWaitingTip = "VanTorix\r Waiting";

// The program's icon in the notification area, placed at start and removed at
// exit; its tip tells whether redirection runs.
class NotificationIcon {
  public:
    virtual ~NotificationIcon() = default;
    virtual void place(std::string_view tip) = 0;
    virtual void setTip(std::string_view tip) = 0;
    virtual void remove() = 0;
    // A passing message from the icon, which nobody has to answer.
    virtual void notify(std::string_view title, std::string_view text) = 0;
    // Whether a double-click on the icon brings a hidden window back; only
    // then may a minimised window hide.
    virtual bool restoresWindows() const = 0;

    // A double-click with the left button on the icon; every other click
    // does nothing.
    std::function<void()> onDoubleClick;
};

}  // namespace vantorix
