#include "platform/win32/win32_flush_timer.h"

#include <gtest/gtest.h>

#include "support/win32/message_pump.h"

namespace vantorix::win32 {
namespace {

using test::pumpMessagesUntil;

constexpr auto kTimeout = std::chrono::seconds(5);

TEST(Win32FlushTimer, TicksOnThisThreadWhileEnabledAndNotOnceDisabled) {
    int ticks = 0;
    DWORD tickThread = 0;
    Win32FlushTimer timer([&] {
        ++ticks;
        tickThread = GetCurrentThreadId();
    });
    EXPECT_FALSE(timer.isEnabled());
    timer.enable();
    timer.enable();
    EXPECT_TRUE(timer.isEnabled());
    ASSERT_TRUE(pumpMessagesUntil([&] { return ticks == 2; }, kTimeout));
    EXPECT_EQ(tickThread, GetCurrentThreadId());

    timer.disable();
    EXPECT_FALSE(timer.isEnabled());
    // A second timer of the same period shows that a period has passed.
    int otherTicks = 0;
    Win32FlushTimer other([&] { ++otherTicks; });
    other.enable();
    ASSERT_TRUE(pumpMessagesUntil([&] { return otherTicks == 2; }, kTimeout));
    EXPECT_EQ(ticks, 2);
}

TEST(Win32FlushTimer, ATickCanDisableAndEnableTheTimer) {
    int ticks = 0;
    Win32FlushTimer* self = nullptr;
    Win32FlushTimer timer([&] {
        ++ticks;
        self->disable();
        if (ticks < 3) {
            self->enable();
        }
    });
    self = &timer;
    timer.enable();
    ASSERT_TRUE(pumpMessagesUntil([&] { return ticks == 3; }, kTimeout));
    EXPECT_FALSE(timer.isEnabled());
}

}  // namespace
}  // namespace vantorix::win32
