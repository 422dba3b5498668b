#pragma once

#include <functional>

#include <QTimer>

#include "core/flush_timer.h"

namespace vantorix {

// The flush timer on Qt's event loop.
class QtFlushTimer final : public FlushTimer {
  public:
    explicit QtFlushTimer(std::function<void()> onTick);

    void enable() override;
    void disable() override { timer_.stop(); }
    bool isEnabled() const override { return timer_.isActive(); }
    void tickSoon() override;

  private:
    QTimer timer_;
    // A zero-interval single shot: it fires at the event loop's next turn,
    // along with whatever else (a signal, a click, received data) is waiting.
    QTimer soon_;
};

}  // namespace vantorix
