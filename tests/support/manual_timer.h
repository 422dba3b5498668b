#pragma once

#include <functional>
#include <optional>

#include "core/flush_timer.h"

namespace vantorix::test {

// A flush timer driven by hand: advance() moves time on and calls the tick at
// every full period that passes while the timer is enabled.
class ManualTimer final : public FlushTimer {
  public:
    std::function<void()> onTick;

    void enable() override {
        if (!nextTick_) {
            nextTick_ = now_ + kIntervalMs;
        }
    }
    void disable() override { nextTick_.reset(); }
    bool isEnabled() const override { return nextTick_.has_value(); }

    void advance(int ms) {
        const long target = now_ + ms;
        while (nextTick_ && *nextTick_ <= target) {
            now_ = *nextTick_;
            nextTick_ = now_ + kIntervalMs;
            if (onTick) {
                onTick();
            }
        }
        now_ = target;
    }

  private:
    long now_ = 0;
    std::optional<long> nextTick_;
};

}  // namespace vantorix::test
