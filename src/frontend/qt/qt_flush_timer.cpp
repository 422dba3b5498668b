#include "frontend/qt/qt_flush_timer.h"

namespace vantorix {

QtFlushTimer::QtFlushTimer(std::function<void()> onTick) {
    timer_.setInterval(kIntervalMs);
    QObject::connect(&timer_, &QTimer::timeout, std::move(onTick));
}

void QtFlushTimer::enable() {
    // QTimer::start() would restart a running period.
    if (!timer_.isActive()) {
        timer_.start();
    }
}

}  // namespace vantorix
