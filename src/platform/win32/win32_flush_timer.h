#pragma once

#include <functional>

#include "core/flush_timer.h"
#include "platform/win32/message_window.h"

namespace vantorix::win32 {

// The flush timer on the message loop of the thread that creates it
// (SetTimer on a window of that thread). The tick asked for soon is a timer
// message too: Windows makes one only when no other message is waiting, so
// data, clicks and requests to end get their turn first.
class Win32FlushTimer final : public FlushTimer {
  public:
    explicit Win32FlushTimer(std::function<void()> onTick);
    ~Win32FlushTimer() override;
    Win32FlushTimer(const Win32FlushTimer&) = delete;
    Win32FlushTimer& operator=(const Win32FlushTimer&) = delete;

    void enable() override;
    void disable() override;
    bool isEnabled() const override { return enabled_; }
    void tickSoon() override;

  private:
    std::function<void()> onTick_;
    MessageWindow window_;
    bool enabled_ = false;
    bool soon_ = false;
};

}  // namespace vantorix::win32
