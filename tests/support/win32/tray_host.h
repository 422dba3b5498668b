#pragma once

#include <windows.h>

#include <chrono>
#include <optional>
#include <string>
#include <vector>

namespace vantorix::test {

// A notification area on the X server the tests' Windows programs see:
// trayer, started from the Linux side, a strip at the top right of the
// screen. Wine docks every icon of the notification area there while it runs.
class TrayHost {
  public:
    // Starts trayer and waits (up to 10 s) until its strip is there.
    TrayHost();
    // Ends trayer.
    ~TrayHost();
    TrayHost(const TrayHost&) = delete;
    TrayHost& operator=(const TrayHost&) = delete;

    bool isReady() const { return ready_; }
    const std::string& problem() const { return problem_; }

    // The screen position of the centre of the icon docked in the strip; empty
    // until one is docked there (waits up to `timeout`).
    std::optional<POINT> dockedIconCentre(std::chrono::milliseconds timeout) const;

  private:
    std::string pidFile_;
    bool ready_ = false;
    std::string problem_;
};

// The tips of the icons in the notification area, as its tooltip control
// (in the process that draws the area) holds them now.
std::vector<std::wstring> notificationAreaTips();

}  // namespace vantorix::test
