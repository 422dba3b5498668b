#include "core/keystroke_emitter.h"

#include <gtest/gtest.h>

#include "support/fake_keyboard.h"

namespace vantorix {
namespace {

using test::FakeKeyboard;

TEST(MySendKeys, HandsTheKeysOverUnchangedWhileCapsLockIsOff) {
    FakeKeyboard keyboard;
    mySendKeys(keyboard, "AbC1~{TAB}", true);
    EXPECT_EQ(keyboard.calls, (std::vector<std::string>{"send:AbC1~{TAB}"}));
}

TEST(MySendKeys, SwapsTheCaseOfLettersOnlyWhileCapsLockIsOn) {
    FakeKeyboard keyboard;
    keyboard.capsLock = true;
    mySendKeys(keyboard, "AbC1~{TAB}\xe9\xc9", false);
    EXPECT_EQ(keyboard.calls, (std::vector<std::string>{"send:aBc1~{tab}\xe9\xc9 (no wait)"}));
    EXPECT_TRUE(keyboard.capsLock) << "an unchanged lock is left alone";
}

TEST(MySendKeys, LeavesLettersAloneForAKeyboardThatTypesThemExactly) {
    FakeKeyboard keyboard;
    keyboard.capsLock = true;
    keyboard.capsLockAffectsLetters = false;
    keyboard.whileTyping = [&] { keyboard.capsLock = false; };
    mySendKeys(keyboard, "AbC1~{TAB}", true);
    EXPECT_EQ(keyboard.calls, (std::vector<std::string>{"send:AbC1~{TAB}", "toggle:caps"}))
        << "the lock is still put back";
}

TEST(MySendKeys, PutsBackEachLockTheTypingChangedInOrderNumCapsScroll) {
    FakeKeyboard keyboard;
    keyboard.numLock = true;
    keyboard.scrollLock = true;
    keyboard.whileTyping = [&] {
        keyboard.numLock = false;
        keyboard.capsLock = true;
        keyboard.scrollLock = false;
    };
    mySendKeys(keyboard, "x", true);
    EXPECT_EQ(keyboard.calls,
              (std::vector<std::string>{"send:x", "toggle:num", "toggle:caps", "toggle:scroll"}));
    EXPECT_TRUE(keyboard.numLock);
    EXPECT_FALSE(keyboard.capsLock);
    EXPECT_TRUE(keyboard.scrollLock);
}

TEST(MySendKeys, LeavesLocksThatDidNotChangeAlone) {
    FakeKeyboard keyboard;
    keyboard.scrollLock = true;
    mySendKeys(keyboard, "x", true);
    EXPECT_EQ(keyboard.calls, (std::vector<std::string>{"send:x"}));
}

TEST(SwapLetterCase, ChangesExactlyTheFiftyTwoLetters) {
    std::string all;
    for (int code = 0; code < 256; ++code) {
        all += static_cast<char>(code);
    }
    const std::string swapped = swapLetterCase(all);
    for (int code = 0; code < 256; ++code) {
        const auto c = static_cast<char>(code);
        char expected = c;
        if (c >= 'a' && c <= 'z') {
            expected = static_cast<char>(c - 32);
        } else if (c >= 'A' && c <= 'Z') {
            expected = static_cast<char>(c + 32);
        }
        EXPECT_EQ(swapped[static_cast<std::size_t>(code)], expected) << "code " << code;
    }
}

}  // namespace
}  // namespace vantorix
