// The system lookups behind the elevated-window check, under Wine: a window of
// this process in front is at this process's level. Wine runs every program
// at one level, so a window that refuses keys cannot be made here.
#include "typing/win32/foreground_probe.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cstdint>

#include "support/win32/typing_target.h"

namespace vantorix::win32 {
namespace {

TEST(SystemForegroundProbe, ReportsOurOwnWindowAtOurOwnLevel) {
    const test::TypingTarget target(test::TypingTarget::Kind::Edit);
    ASSERT_TRUE(target.isReady()) << "no window with the keyboard focus (no display?)";
    const auto probe = makeSystemForegroundProbe();
    const std::optional<IntegrityLevel> own = probe->ownLevel();
    ASSERT_TRUE(own.has_value());
    const ForegroundWindow front = probe->foreground();
    EXPECT_EQ(front.window, reinterpret_cast<std::uintptr_t>(GetForegroundWindow()));
    EXPECT_NE(front.window, 0u);
    EXPECT_EQ(front.level, own);
    RecordProperty("own_integrity_level", static_cast<int>(*own));
}

}  // namespace
}  // namespace vantorix::win32
