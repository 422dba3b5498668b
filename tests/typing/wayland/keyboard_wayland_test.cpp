// The Wayland keyboard on a real compositor: a headless sway of each test's own, typing into a
// foot terminal that records what arrives.
#include "typing/wayland/keyboard_wayland.h"

#include <QString>

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "core/key_translation.h"
#include "core/keystroke_emitter.h"
#include "support/foot_target.h"
#include "support/sway_session.h"
#include "support/users_keyboard.h"
#include "typing/keyboard_conformance.h"
#include "typing/windows1252.h"

namespace vantorix {
namespace {

using test::FootTarget;
using test::SwaySession;
using test::UsersKeyboard;

// Lines of 79 printable characters ended by CR, walking through all 95.
std::string longText(std::size_t count) {
    std::string text;
    for (std::size_t i = 0; i < count; ++i) {
        text += i % 80 == 79 ? '\r' : static_cast<char>(' ' + (i * 37) % 95);
    }
    return text;
}

// The text as a key string that types it.
std::string escaped(std::string text) {
    escapeKeySyntax(text);
    return text;
}

class WaylandKeyboardTest : public ::testing::Test {
  protected:
    void SetUp() override {
        if (!SwaySession::installed() || !FootTarget::installed()) {
            GTEST_SKIP() << "sway or foot is not installed (packages sway, foot)";
        }
        ASSERT_TRUE(session.isReady()) << session.problem();
        session.useInThisProcess();
        if (seatHasKeyboard) {
            addUsersKeyboard();
        }
    }

    // A keyboard on the seat before any window, as on a desktop.
    void addUsersKeyboard() {
        usersKeyboard = std::make_unique<UsersKeyboard>(false);
        ASSERT_TRUE(usersKeyboard->isReady()) << usersKeyboard->problem();
    }

    void startTarget() {
        target = std::make_unique<FootTarget>(session);
        ASSERT_TRUE(target->isReady()) << target->problem();
    }

    std::unique_ptr<Keyboard> openKeyboard() {
        std::string problem;
        auto keyboard = openWaylandKeyboard(problem);
        EXPECT_TRUE(keyboard) << problem;
        return keyboard;
    }

    // Types through the emitter, as the program does, and returns what arrived.
    std::string typed(Keyboard& keyboard, const std::string& keys, std::size_t expectedSize) {
        const std::size_t before = target->received().size();
        mySendKeys(keyboard, keys, true);
        return target->waitForBytes(before + expectedSize).substr(before);
    }

    bool seatHasKeyboard = true;
    SwaySession session;
    std::unique_ptr<UsersKeyboard> usersKeyboard;
    std::unique_ptr<FootTarget> target;
};

TEST_F(WaylandKeyboardTest, EveryConformanceCaseArrivesExactly) {
    startTarget();
    const auto keyboard = openKeyboard();
    ASSERT_TRUE(keyboard);
    test::expectConformance([&](const std::string& keys) { mySendKeys(*keyboard, keys, true); },
                            *target, test::CapsLockOnLetters::No);
}

class WaylandLayoutTest : public WaylandKeyboardTest,
                          public ::testing::WithParamInterface<const char*> {};

TEST_P(WaylandLayoutTest, TheCompositorsLayoutChangesNothing) {
    ASSERT_TRUE(session.setLayout(GetParam())) << session.problem();
    startTarget();
    const auto keyboard = openKeyboard();
    ASSERT_TRUE(keyboard);
    const std::string printable = test::everyPrintableAsciiCharacter();
    const std::string expected = printable + "\t\r\xc3\xa9\xe2\x82\xac";
    EXPECT_EQ(
        typed(*keyboard, test::everyPrintableAsciiKey() + "{TAB}{ENTER}\xe9\x80", expected.size()),
        expected);
}

INSTANTIATE_TEST_SUITE_P(Layouts, WaylandLayoutTest, ::testing::Values("us", "fr", "de"));

TEST_F(WaylandKeyboardTest, CapsLockOnTheUsersKeyboardLeavesTheLettersExact) {
    startTarget();
    UsersKeyboard capsLocked(true);
    ASSERT_TRUE(capsLocked.isReady()) << capsLocked.problem();
    const auto keyboard = openKeyboard();
    ASSERT_TRUE(keyboard);
    capsLocked.typeQ();
    EXPECT_EQ(target->waitForBytes(1), "Q") << "Caps Lock is on for the user's keys";
    const std::string expected = "aBcD1" + test::everyWindows1252LetterAsUtf8();
    EXPECT_EQ(typed(*keyboard, "aBc+d1" + test::everyWindows1252Letter(), expected.size()),
              expected);
    capsLocked.typeQ();
    EXPECT_EQ(target->waitForBytes(expected.size() + 2).substr(expected.size() + 1), "Q")
        << "and stays on";
}

// Each start of the program makes a keyboard of its own.
TEST_F(WaylandKeyboardTest, AFreshKeyboardLosesNoFirstKey) {
    startTarget();
    constexpr int kStarts = 20;
    for (int start = 0; start < kStarts; ++start) {
        const auto keyboard = openKeyboard();
        ASSERT_TRUE(keyboard);
        keyboard->SendKeys("abc", true);
    }
    std::string expected;
    for (int start = 0; start < kStarts; ++start) {
        expected += "abc";
    }
    EXPECT_EQ(target->waitForBytes(expected.size()), expected);
}

// On a seat without a keyboard, windows take theirs only once one appears,
// and keys sent before they have it are lost: the keyboard's settling time
// covers that. (Run alone: a busy machine makes windows slower to take it.)
class KeyboardlessSeatTest : public WaylandKeyboardTest {
  protected:
    KeyboardlessSeatTest() { seatHasKeyboard = false; }
};

TEST_F(KeyboardlessSeatTest, TheFirstKeyboardLosesNoFirstKey) {
    startTarget();
    const auto keyboard = openKeyboard();
    ASSERT_TRUE(keyboard);
    EXPECT_EQ(typed(*keyboard, "abc", 3), "abc");
}

TEST_F(WaylandKeyboardTest, TypingGoesOnAfterTheCompositorRestarts) {
    const auto keyboard = openKeyboard();
    ASSERT_TRUE(keyboard);
    ASSERT_TRUE(session.restart()) << session.problem();
    session.useInThisProcess();
    addUsersKeyboard();
    startTarget();
    EXPECT_EQ(typed(*keyboard, "abc", 3), "abc");
}

TEST_F(WaylandKeyboardTest, LongTextsArriveWholeAndTheWindowStays) {
    startTarget();
    const auto keyboard = openKeyboard();
    ASSERT_TRUE(keyboard);
    const std::string text = longText(20000);
    EXPECT_EQ(typed(*keyboard, escaped(text), text.size()), text);
    EXPECT_TRUE(target->isRunning());
}

TEST_F(WaylandKeyboardTest, CharactersBeyondOneKeymapArriveAcrossKeymapChanges) {
    startTarget();
    const auto keyboard = openKeyboard();
    ASSERT_TRUE(keyboard);
    // Every character of the code page beyond ASCII, twice over: more than one
    // keymap holds beside the common keys.
    std::string keys;
    QString expected;
    for (int round = 0; round < 2; ++round) {
        for (int code = 0x80; code <= 0xFF; ++code) {
            const char32_t character = decodeWindows1252(static_cast<char>(code));
            if (character >= 0x80 && character < 0xA0) {
                continue;  // an undefined byte, typed as nothing
            }
            keys += static_cast<char>(code);
            expected += QString::fromUcs4(&character, 1);
        }
    }
    const std::string text = expected.toStdString();
    EXPECT_EQ(typed(*keyboard, keys, text.size()), text);
}

}  // namespace
}  // namespace vantorix
