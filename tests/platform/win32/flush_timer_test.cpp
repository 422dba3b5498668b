#include "platform/win32/win32_flush_timer.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

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

TEST(Win32FlushTimer, ATickAskedForSoonComesOnceAfterWhatIsWaitingAndLeavesThePeriodAlone) {
    std::vector<std::string> events;
    Win32FlushTimer timer([&] { events.emplace_back("tick"); });
    MessageWindow dataArrives([&](UINT message, WPARAM, LPARAM) -> std::optional<LRESULT> {
        if (message != WM_APP) {
            return std::nullopt;
        }
        events.emplace_back("data");
        return 0;
    });
    timer.tickSoon();
    timer.tickSoon();
    PostMessageW(dataArrives.handle(), WM_APP, 0, 0);
    EXPECT_TRUE(events.empty()) << "never from inside the request";
    ASSERT_TRUE(pumpMessagesUntil([&] { return events.size() == 2; }, kTimeout));
    EXPECT_EQ(events, (std::vector<std::string>{"data", "tick"}));
    EXPECT_FALSE(timer.isEnabled());

    // A full period of another timer later, the tick has not come again.
    int otherTicks = 0;
    Win32FlushTimer other([&] { ++otherTicks; });
    other.enable();
    ASSERT_TRUE(pumpMessagesUntil([&] { return otherTicks == 1; }, kTimeout));
    EXPECT_EQ(events.size(), 2U);

    timer.enable();
    timer.tickSoon();
    ASSERT_TRUE(pumpMessagesUntil([&] { return events.size() == 3; }, kTimeout));
    EXPECT_TRUE(timer.isEnabled());
}

}  // namespace
}  // namespace vantorix::win32
