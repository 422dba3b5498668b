#include "platform/win32/win32_flush_timer.h"

namespace vantorix::win32 {
namespace {

constexpr UINT_PTR kPeriodTimer = 1;

}  // namespace

Win32FlushTimer::Win32FlushTimer(std::function<void()> onTick)
    : onTick_(std::move(onTick)),
      window_([this](UINT message, WPARAM wParam, LPARAM) -> std::optional<LRESULT> {
          if (message != WM_TIMER || wParam != kPeriodTimer) {
              return std::nullopt;
          }
          // A tick already waiting when the timer was disabled is dropped.
          if (enabled_ && onTick_) {
              onTick_();
          }
          return 0;
      }) {}

Win32FlushTimer::~Win32FlushTimer() {
    disable();
}

void Win32FlushTimer::enable() {
    // SetTimer on a running timer would start its period afresh.
    if (!enabled_) {
        enabled_ = SetTimer(window_.handle(), kPeriodTimer, kIntervalMs, nullptr) != 0;
    }
}

void Win32FlushTimer::disable() {
    if (enabled_) {
        KillTimer(window_.handle(), kPeriodTimer);
        enabled_ = false;
    }
}

}  // namespace vantorix::win32
