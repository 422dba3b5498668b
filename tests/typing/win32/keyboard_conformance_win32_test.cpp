// The keyboard contract on Windows: the conformance cases typed through the emitter and SendInput
// into a window that records the characters its keys produce, with Caps Lock off and on.
#include "typing/keyboard_conformance.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <memory>
#include <string>

#include "core/keystroke_emitter.h"
#include "support/win32/typing_target.h"
#include "typing/win32/keyboard_win32.h"

namespace vantorix {
namespace {

class Win32ConformanceTest : public ::testing::TestWithParam<bool> {};

TEST_P(Win32ConformanceTest, EveryCaseArrivesExactly) {
    test::TypingTarget target(test::TypingTarget::Kind::Recorder);
    ASSERT_TRUE(target.isReady()) << "no window with the keyboard focus (no display?)";
    const std::unique_ptr<Keyboard> keyboard = makeSendInputKeyboard();
    const bool capsLock = GetParam();
    if (keyboard->IsCapsLockToggled() != capsLock) {
        keyboard->ToggleCapsLock();
    }
    ASSERT_EQ(keyboard->IsCapsLockToggled(), capsLock);

    test::expectConformance([&](const std::string& keys) { mySendKeys(*keyboard, keys, true); },
                            target,
                            capsLock ? test::CapsLockOnLetters::Yes : test::CapsLockOnLetters::No);
    EXPECT_EQ(keyboard->IsCapsLockToggled(), capsLock);
    if (capsLock) {
        keyboard->ToggleCapsLock();
    }
}

std::string capsLockName(const ::testing::TestParamInfo<bool>& param) {
    return param.param ? "On" : "Off";
}

INSTANTIATE_TEST_SUITE_P(CapsLock, Win32ConformanceTest, ::testing::Bool(), capsLockName);

}  // namespace
}  // namespace vantorix
