#pragma once

#include <functional>
#include <optional>

#include "core/flush_timer.h"

namespace vantorix::test {

// A flush timer driven by hand: advance() moves time on and calls the tick at
// every full period that passes while the timer is enabled. A tick asked for
// with tickSoon() is due at once: the next advance(), even advance(0), runs
// it before any later periodic tick, as an event loop would.
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
    void tickSoon() override { tickSoon_ = true; }

    void advance(int ms) {
        const long target = now_ + ms;
        for (;;) {
            if (tickSoon_) {
                tickSoon_ = false;
                tick();
            } else if (nextTick_ && *nextTick_ <= target) {
                now_ = *nextTick_;
                nextTick_ = now_ + kIntervalMs;
                tick();
            } else {
                break;
            }
        }
        now_ = target;
    }

  private:
    void tick() {
        if (onTick) {
            onTick();
        }
    }

    long now_ = 0;
    std::optional<long> nextTick_;
    bool tickSoon_ = false;
};

}  // namespace vantorix::test
