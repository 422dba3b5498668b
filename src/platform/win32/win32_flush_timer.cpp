#include "platform/win32/win32_flush_timer.h"

namespace vantorix::win32 {
namespace {

constexpr UINT_PTR kPeriodTimer = 1;
constexpr UINT_PTR kSoonTimer = 2;

}  // namespace

Win32FlushTimer::Win32FlushTimer(std::function<void()> onTick)
    : onTick_(std::move(onTick)),
      window_([this](UINT message, WPARAM wParam, LPARAM) -> std::optional<LRESULT> {
          if (message != WM_TIMER) {
              return std::nullopt;
          }
          if (wParam == kSoonTimer) {
              KillTimer(window_.handle(), kSoonTimer);
              soon_ = false;
          } else if (wParam != kPeriodTimer || !enabled_) {
              // A tick already waiting when the timer was disabled is dropped.
              return 0;
          }
          if (onTick_) {
              onTick_();
          }
          return 0;
      }) {}

Win32FlushTimer::~Win32FlushTimer() {
    disable();
    KillTimer(window_.handle(), kSoonTimer);
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

void Win32FlushTimer::tickSoon() {
    if (!soon_) {
        soon_ = SetTimer(window_.handle(), kSoonTimer, USER_TIMER_MINIMUM, nullptr) != 0;
    }
}

}  // namespace vantorix::win32
