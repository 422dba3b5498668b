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

  private:
    QTimer timer_;
};

}  // namespace vantorix
