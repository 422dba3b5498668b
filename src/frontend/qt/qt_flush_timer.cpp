#include "frontend/qt/qt_flush_timer.h"

namespace vantorix {

QtFlushTimer::QtFlushTimer(std::function<void()> onTick) {
    timer_.setInterval(kIntervalMs);
    soon_.setInterval(0);
    soon_.setSingleShot(true);
    QObject::connect(&timer_, &QTimer::timeout, onTick);
    QObject::connect(&soon_, &QTimer::timeout, std::move(onTick));
}

void QtFlushTimer::enable() {
    // QTimer::start() would restart a running period.
    if (!timer_.isActive()) {
        timer_.start();
    }
}

void QtFlushTimer::tickSoon() {
    if (!soon_.isActive()) {
        soon_.start();
    }
}

}  // namespace vantorix
