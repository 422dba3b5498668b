// Typing through SendInput into windows under Wine, on the X server of the test run.
#include "typing/win32/keyboard_win32.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <memory>
#include <string>

#include "core/keystroke_emitter.h"
#include "core/receive_handler.h"
#include "settings/redirect_settings.h"
#include "support/fake_serial_port.h"
#include "support/manual_timer.h"
#include "support/win32/message_pump.h"
#include "support/win32/typing_target.h"
#include "support/win32/unix_side.h"

namespace vantorix {
namespace {

using test::TypingTarget;

constexpr auto kTimeout = std::chrono::seconds(10);

bool capsLockOn() {
    return (GetKeyState(VK_CAPITAL) & 1) != 0;
}

void setCapsLock(Keyboard& keyboard, bool on) {
    if (keyboard.IsCapsLockToggled() != on) {
        keyboard.ToggleCapsLock();
    }
}

std::string printableAscii() {
    std::string text;
    for (char c = ' '; c <= '~'; ++c) {
        text.push_back(c);
    }
    return text;
}

// The key string the receive handler makes of printable ASCII: the ten
// characters of the syntax in braces.
std::string printableAsciiKeys() {
    std::string keys;
    for (const char c : printableAscii()) {
        const bool special = std::string("{}^+%~()[]").find(c) != std::string::npos;
        keys += special ? std::string("{") + c + "}" : std::string(1, c);
    }
    return keys;
}

class KeyboardWin32Test : public ::testing::TestWithParam<bool> {
  protected:
    void SetUp() override {
        ASSERT_TRUE(target.isReady()) << "no window with the keyboard focus (no display?)";
        setCapsLock(*keyboard, capsLock());
        ASSERT_EQ(capsLockOn(), capsLock());
    }
    void TearDown() override { setCapsLock(*keyboard, false); }

    bool capsLock() const { return GetParam(); }

    // Types as the program does, through the emitter.
    std::string type(const std::string& keys, std::size_t expectedBytes) {
        mySendKeys(*keyboard, keys, true);
        return target.waitForBytes(expectedBytes, kTimeout);
    }

    std::unique_ptr<Keyboard> keyboard = makeSendInputKeyboard();
    TypingTarget target{TypingTarget::Kind::Edit};
};

TEST_P(KeyboardWin32Test, EveryPrintableAsciiCharacterTabAndEnterArriveExactly) {
    const std::string expected = printableAscii() + "\t" + printableAscii() + "\r\nend";
    EXPECT_EQ(type(printableAsciiKeys() + "{TAB}" + printableAsciiKeys() + "~end", expected.size()),
              expected);
    EXPECT_EQ(capsLockOn(), capsLock()) << "Caps Lock is as it was";
}

TEST_P(KeyboardWin32Test, APreAmbleOfEAcuteAndEuroArrivesBeforeEachRecord) {
    test::FakeSerialPort MSComm1;
    test::ManualTimer Timer1;
    RedirectSettings settings;
    settings.Check_preamble = 1;
    settings.Text_preamble = "\xe9\x80 ";  // Windows-1252: e acute, euro sign
    AdvancedOptionsIndicator indicator;
    indicator.update(settings);
    ReceiveHandler handler(MSComm1, Timer1, *keyboard, settings, indicator);
    MSComm1.OnComm = [&handler] { handler.MSComm1_OnComm(); };
    Timer1.onTick = [&handler] { handler.Timer1_Timer(); };
    MSComm1.setPortOpen(true);

    MSComm1.receive("12.5 Kg\r");
    MSComm1.receive("7\r");
    Timer1.advance(FlushTimer::kIntervalMs);
    const std::string expected = "\xc3\xa9\xe2\x82\xac 12.5 Kg\xc3\xa9\xe2\x82\xac 7";
    EXPECT_EQ(target.waitForBytes(expected.size(), kTimeout), expected);
}

bool leftShiftDown() {
    return (GetAsyncKeyState(VK_LSHIFT) & 0x8000) != 0;
}

// Shift held on the X server, as a user's finger holds it: Wine keeps what
// SendInput did to a modifier only until it next compares with the server.
TEST_P(KeyboardWin32Test, AShiftTheUserHoldsNeitherChangesTheTextNorEndsUpReleased) {
    ASSERT_TRUE(test::startShellCommand("xdotool keydown Shift_L"));
    ASSERT_TRUE(test::pumpMessagesUntil(leftShiftDown, kTimeout)) << "xdotool held no Shift";

    EXPECT_EQ(type("abc XYZ 1", 9), "abc XYZ 1");
    EXPECT_TRUE(leftShiftDown()) << "pressed again after typing";

    test::startShellCommand("xdotool keyup Shift_L");
    EXPECT_TRUE(test::pumpMessagesUntil([] { return !leftShiftDown(); }, kTimeout));
}

INSTANTIATE_TEST_SUITE_P(CapsLock, KeyboardWin32Test, ::testing::Bool(),
                         [](const ::testing::TestParamInfo<bool>& param) {
                             return param.param ? "On" : "Off";
                         });

}  // namespace
}  // namespace vantorix
