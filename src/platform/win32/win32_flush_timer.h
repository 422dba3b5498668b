#pragma once

#include <functional>

#include "core/flush_timer.h"
#include "platform/win32/message_window.h"

namespace vantorix::win32 {

// The flush timer on the message loop of the thread that creates it
// (SetTimer on a window of that thread).
class Win32FlushTimer final : public FlushTimer {
  public:
    explicit Win32FlushTimer(std::function<void()> onTick);
    ~Win32FlushTimer() override;
    Win32FlushTimer(const Win32FlushTimer&) = delete;
    Win32FlushTimer& operator=(const Win32FlushTimer&) = delete;

    void enable() override;
    void disable() override;
    bool isEnabled() const override { return enabled_; }

  private:
    std::function<void()> onTick_;
    MessageWindow window_;
    bool enabled_ = false;
};

}  // namespace vantorix::win32
