#include "frontend/qt/qt_flush_timer.h"

#include <gtest/gtest.h>

#include <QCoreApplication>

namespace vantorix {
namespace {

void letTheEventLoopTurn() {
    for (int turn = 0; turn < 3; ++turn) {
        QCoreApplication::processEvents();
    }
}

TEST(QtFlushTimer, ATickAskedForSoonComesOnceAtTheNextTurnAndLeavesThePeriodAlone) {
    int ticks = 0;
    QtFlushTimer timer([&ticks] { ++ticks; });
    timer.tickSoon();
    timer.tickSoon();
    EXPECT_EQ(ticks, 0) << "never from inside the request";
    letTheEventLoopTurn();
    EXPECT_EQ(ticks, 1);
    EXPECT_FALSE(timer.isEnabled());

    timer.enable();
    timer.tickSoon();
    letTheEventLoopTurn();
    EXPECT_EQ(ticks, 2) << "the period has not passed yet";
    EXPECT_TRUE(timer.isEnabled());
}

}  // namespace
}  // namespace vantorix
