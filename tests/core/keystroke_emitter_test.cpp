#include "core/keystroke_emitter.h"

#include <gtest/gtest.h>

#include "support/fake_keyboard.h"
#include "typing/key_string_reader.h"

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

// Cuts `keys` into slices of at most `length` bytes where keys allow.
std::vector<std::string> slicesOf(std::string_view keys, std::size_t length) {
    std::vector<std::string> slices;
    for (std::size_t from = 0; from < keys.size();) {
        const std::size_t end = keyStringSliceEnd(keys, from, length);
        EXPECT_GT(end, from) << "every slice makes progress";
        slices.emplace_back(keys.substr(from, end - from));
        from = end;
    }
    return slices;
}

TEST(KeyStringSlices, TypeExactlyWhatTheWholeStringTypes) {
    const std::vector<std::string> keyStrings = {
        "abc~def",         "{HOME}12{+}{ENTER}",    "a{{}b{}}c{~}",  "+a^b%c",
        "+(ab)c^(d{TAB})", "{a 3}x{} 2}y{ENTER 2}", "x{y{z}w}",      "{}x}{",
        "((a)b)c)d(",      "%{F5}+{tab}^~",         "{unknown}{abc", "{{ 5}{(}{)}",
    };
    for (const std::string& keys : keyStrings) {
        const std::vector<KeyAction> whole = readKeyString(keys);
        for (std::size_t length = 1; length <= keys.size(); ++length) {
            std::vector<KeyAction> typed;
            for (const std::string& slice : slicesOf(keys, length)) {
                const std::vector<KeyAction> part = readKeyString(slice);
                typed.insert(typed.end(), part.begin(), part.end());
            }
            EXPECT_EQ(typed, whole) << keys << " in slices of " << length;
        }
    }
}

TEST(KeyStringSlices, GoAsFarAsTheLengthAllows) {
    struct Case {
        const char* keys;
        std::size_t length;
        std::vector<std::string> slices;
    };
    const Case cases[] = {
        {"abcdefg", 3, {"abc", "def", "g"}}, {"ab{ENTER}cd", 4, {"ab", "{ENTER}", "cd"}},
        {"a{+}{+}b", 4, {"a{+}", "{+}b"}},   {"ab+cd", 3, {"ab", "+cd"}},
        {"+(abc)de", 3, {"+(abc)", "de"}},   {"x{yz", 2, {"x{", "yz"}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(slicesOf(c.keys, c.length), c.slices) << c.keys << " in slices of " << c.length;
    }
}

}  // namespace
}  // namespace vantorix
