#include "typing/x11/keyboard_x11.h"

// Qt (in the server's header) and GoogleTest before Xlib, whose macros
// (None, Bool...) clash with their names.
#include "support/x11_key_recorder.h"
#include "support/xvfb_server.h"

#include <QDeadlineTimer>
#include <QThread>

#include <gtest/gtest.h>

#include <X11/Xlib.h>
#include <X11/keysym.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "core/key_translation.h"
#include "core/keystroke_emitter.h"
#include "typing/windows1252.h"
#include "typing/x11/key_events.h"
#include "typing/x11/key_table.h"
#include "typing/x11/keymap.h"
#include "typing/x11/keysyms.h"

namespace vantorix {
namespace {

using namespace x11;

// ---------------------------------------------------------------------------
// Choosing keys, from a keymap given as data (no display needed)

constexpr ModMask kMod5 = 1U << 7U;

// Key types as XKB's standard ones, with Mod5 standing for level 3.
enum TypeIndex : std::size_t { kOneLevel, kTwoLevel, kAlphabetic, kFourLevel, kSemiAlphabetic };

constexpr Keycode kShiftR = 9;
constexpr Keycode kShiftL = 10;
constexpr Keycode kLevel3 = 11;
constexpr Keycode kKeyA = 12;
constexpr Keycode kKeyEacute = 13;
constexpr Keycode kKeyE = 14;
constexpr Keycode kCapsLock = 15;
constexpr Keycode kSpare = 16;
constexpr Keycode kKeyOne = 17;
constexpr Keycode kControlL = 18;
constexpr Keycode kAltL = 19;
constexpr Keycode kUnboundLevel3 = 20;

constexpr RoleSet kShiftRole = roleBit(ModifierRole::Shift);
constexpr RoleSet kLevel3Role = roleBit(ModifierRole::LevelThree);

// A small keymap with the shapes of a French one: letters whose case Caps
// Lock changes, a key whose Caps Lock capital is another character (é -> É),
// AltGr levels, and a free keycode.
KeymapSnapshot frenchLikeKeymap() {
    KeymapSnapshot keymap;
    keymap.minKeycode = kShiftR;
    keymap.types = {
        {0, {}},
        {kShiftMask, {{kShiftMask, 1, 0}}},
        {kShiftMask | kLockMask, {{kShiftMask, 1, 0}, {kLockMask, 1, 0}}},
        {kShiftMask | kMod5, {{kShiftMask, 1, 0}, {kMod5, 2, 0}, {kShiftMask | kMod5, 3, 0}}},
        {kShiftMask | kLockMask | kMod5,
         {{kShiftMask, 1, 0},
          {kLockMask, 1, 0},
          {kMod5, 2, 0},
          {kShiftMask | kMod5, 3, 0},
          {kLockMask | kMod5, 2, kLockMask},
          {kShiftMask | kLockMask | kMod5, 3, kLockMask}}},
    };
    auto key = [](std::size_t type, std::vector<Keysym> levels, ModMask modifierMap = 0) {
        KeyMapping mapping;
        mapping.groups = {{type, std::move(levels)}};
        mapping.modifierMap = modifierMap;
        return mapping;
    };
    keymap.keys = {
        key(kOneLevel, {XK_Shift_R}, kShiftMask),
        key(kOneLevel, {XK_Shift_L}, kShiftMask),
        key(kOneLevel, {XK_ISO_Level3_Shift}, kMod5),
        key(kAlphabetic, {XK_a, XK_A}),
        key(kFourLevel, {XK_eacute, XK_2, XK_asciitilde, XK_section}),
        key(kSemiAlphabetic, {XK_e, XK_E, XK_EuroSign, XK_cent}),
        key(kOneLevel, {XK_Caps_Lock}, kLockMask),
        KeyMapping{},
        key(kTwoLevel, {XK_1, XK_exclam}),
        key(kOneLevel, {XK_Control_L}, kControlMask),
        key(kOneLevel, {XK_Alt_L}, kMod1Mask),
        key(kOneLevel, {XK_ISO_Level3_Shift}),
    };
    keymap.capitals = {{XK_a, XK_A}, {XK_e, XK_E}, {XK_eacute, XK_Eacute}};
    return keymap;
}

struct ProducedCase {
    Keycode keycode;
    ModMask modifiers;
    Keysym expected;
};

TEST(X11Keymap, AKeyYieldsTheLevelItsTypeSelectsWithCapsLockApplied) {
    const KeymapSnapshot keymap = frenchLikeKeymap();
    const ProducedCase cases[] = {
        {kKeyA, 0, XK_a},
        {kKeyA, kShiftMask, XK_A},
        {kKeyA, kLockMask, XK_A},
        {kKeyA, kShiftMask | kLockMask, XK_a},
        {kKeyA, kControlMask, XK_a},  // a modifier the type ignores
        {kKeyEacute, 0, XK_eacute},
        {kKeyEacute, kShiftMask, XK_2},
        {kKeyEacute, kMod5, XK_asciitilde},
        {kKeyEacute, kShiftMask | kMod5, XK_section},
        // Its type does not consume Lock, so Caps Lock capitalises the level.
        {kKeyEacute, kLockMask, XK_Eacute},
        {kKeyEacute, kLockMask | kShiftMask, XK_2},
        {kKeyE, kLockMask, XK_E},
        {kKeyE, kLockMask | kShiftMask, XK_e},
        {kKeyE, kLockMask | kMod5, XK_EuroSign},
        {kKeyOne, kLockMask, XK_1},
        {kSpare, 0, kNoSymbol},
        {200, 0, kNoSymbol},  // beyond the map
    };
    for (const auto& [keycode, modifiers, expected] : cases) {
        EXPECT_EQ(keysymProduced(keymap, keycode, {0, modifiers}), expected)
            << "keycode " << int{keycode} << ", modifiers " << int{modifiers};
    }
}

TEST(X11Keymap, AGroupBeyondAKeysGroupsWrapsClampsOrRedirects) {
    KeymapSnapshot keymap = frenchLikeKeymap();
    KeyMapping& key = keymap.keys[kKeyOne - keymap.minKeycode];
    key.groups = {{kOneLevel, {XK_1}}, {kOneLevel, {XK_2}}};

    EXPECT_EQ(keysymProduced(keymap, kKeyOne, {1, 0}), XK_2);
    EXPECT_EQ(keysymProduced(keymap, kKeyOne, {2, 0}), XK_1) << "wraps by default";
    key.overflow = GroupOverflow::Clamp;
    EXPECT_EQ(keysymProduced(keymap, kKeyOne, {3, 0}), XK_2);
    key.overflow = GroupOverflow::Redirect;
    key.redirectGroup = 1;
    EXPECT_EQ(keysymProduced(keymap, kKeyOne, {3, 0}), XK_2);
}

TEST(X11Keymap, FindsKeysByTheirFirstLevelAndTheFreeKeycodes) {
    const KeymapSnapshot keymap = frenchLikeKeymap();
    EXPECT_EQ(keycodeOf(keymap, XK_Caps_Lock), kCapsLock);
    EXPECT_EQ(modifierOf(keymap, XK_Caps_Lock), kLockMask);
    EXPECT_EQ(keycodeOf(keymap, XK_A), std::nullopt) << "A is the second level";
    EXPECT_EQ(modifierOf(keymap, XK_Num_Lock), 0);
    EXPECT_EQ(spareKeycodes(keymap), std::vector<Keycode>{kSpare});
}

TEST(X11ModifierKeys, TakesThePreferredKeyOfEachRoleThatSetsAModifier) {
    KeymapSnapshot keymap = frenchLikeKeymap();
    ModifierKeys keys = ModifierKeys::find(keymap, 0);
    ASSERT_TRUE(keys[ModifierRole::Shift]);
    EXPECT_EQ(keys[ModifierRole::Shift]->keycode, kShiftL) << "Shift_L before Shift_R";
    EXPECT_EQ(keys[ModifierRole::Control]->keycode, kControlL);
    EXPECT_EQ(keys[ModifierRole::Alt]->keycode, kAltL);
    EXPECT_EQ(keys[ModifierRole::LevelThree]->keycode, kLevel3);
    EXPECT_EQ(keys[ModifierRole::LevelThree]->mask, kMod5);
    EXPECT_FALSE(keys[ModifierRole::LevelFive]);
    EXPECT_EQ(keys.mask(kShiftRole | kLevel3Role), kShiftMask | kMod5);

    // An AltGr key that sets no modifier cannot reach level 3.
    keymap.keys[kLevel3 - keymap.minKeycode].modifierMap = 0;
    keys = ModifierKeys::find(keymap, 0);
    EXPECT_FALSE(keys[ModifierRole::LevelThree]);
    EXPECT_FALSE(keys.has(kLevel3Role));
}

struct StrokeCase {
    Keysym keysym;
    std::optional<KeyStroke> expected;
};

void expectStrokes(const KeyTable& table, const std::vector<StrokeCase>& cases) {
    for (const auto& [keysym, expected] : cases) {
        EXPECT_EQ(table.find(keysym), expected) << "keysym 0x" << std::hex << keysym;
    }
}

TEST(X11KeyTable, ChoosesForEachKeysymTheKeyWithTheFewestModifiers) {
    const KeymapSnapshot keymap = frenchLikeKeymap();
    const KeyTable table(keymap, ModifierKeys::find(keymap, 0), {0, 0});
    expectStrokes(table, {
                             {XK_a, KeyStroke{kKeyA, 0}},
                             {XK_A, KeyStroke{kKeyA, kShiftRole}},
                             {XK_2, KeyStroke{kKeyEacute, kShiftRole}},
                             {XK_asciitilde, KeyStroke{kKeyEacute, kLevel3Role}},
                             {XK_section, KeyStroke{kKeyEacute, kShiftRole | kLevel3Role}},
                             {XK_EuroSign, KeyStroke{kKeyE, kLevel3Role}},
                             {XK_Caps_Lock, KeyStroke{kCapsLock, 0}},
                             {XK_Eacute, std::nullopt},
                             {XK_b, std::nullopt},
                         });
}

TEST(X11KeyTable, WithCapsLockOnFindsTheKeysThatStillGiveEachKeysym) {
    const KeymapSnapshot keymap = frenchLikeKeymap();
    const KeyTable table(keymap, ModifierKeys::find(keymap, 0), {0, kLockMask});
    expectStrokes(table, {
                             {XK_a, KeyStroke{kKeyA, kShiftRole}},
                             {XK_A, KeyStroke{kKeyA, 0}},
                             {XK_Eacute, KeyStroke{kKeyEacute, 0}},
                             // é has no key while Caps Lock capitalises its key.
                             {XK_eacute, std::nullopt},
                             {XK_2, KeyStroke{kKeyEacute, kShiftRole}},
                             {XK_EuroSign, KeyStroke{kKeyE, kLevel3Role}},
                             {XK_1, KeyStroke{kKeyOne, 0}},
                         });
}

TEST(X11KeyTable, LevelsThatNoModifierKeyReachesAreLeftOut) {
    KeymapSnapshot keymap = frenchLikeKeymap();
    keymap.keys[kLevel3 - keymap.minKeycode].modifierMap = 0;
    const KeyTable table(keymap, ModifierKeys::find(keymap, 0), {0, 0});
    EXPECT_EQ(table.find(XK_asciitilde), std::nullopt);
    EXPECT_EQ(table.find(XK_2), (KeyStroke{kKeyEacute, kShiftRole}));
}

TEST(X11Keysyms, CharactersAndNamedKeys) {
    const std::pair<char32_t, KeysymChoice> characters[] = {
        {U'a', {XK_a, kNoSymbol}},
        {U'~', {XK_asciitilde, kNoSymbol}},
        {U'\u00e9', {XK_eacute, kNoSymbol}},
        {U'\u00ff', {XK_ydiaeresis, kNoSymbol}},
        {U'\t', {XK_Tab, kNoSymbol}},
        {U'\r', {XK_Return, kNoSymbol}},
        {U'\n', {XK_Return, kNoSymbol}},
        {U'\x07', {kNoSymbol, kNoSymbol}},
        {U'\u0081', {kNoSymbol, kNoSymbol}},
        {U'\u20ac', {XK_EuroSign, 0x10020ac}},
        {U'\u201e', {0xafe, 0x100201e}},  // doublelowquotemark
        {U'\u0152', {XK_OE, 0x1000152}},
        {U'\u2039', {0x1002039, kNoSymbol}},  // no keysym of its own
    };
    for (const auto& [character, expected] : characters) {
        EXPECT_EQ(keysymsFor(character), expected)
            << "U+" << std::hex << static_cast<std::uint32_t>(character);
    }
    EXPECT_EQ(keysymFor(NamedKey::Enter), Keysym{XK_Return});
    EXPECT_EQ(keysymFor(NamedKey::PageDown), Keysym{XK_Next});
    EXPECT_EQ(keysymFor(NamedKey::F16), Keysym{XK_F16});
    EXPECT_EQ(keysymFor(NamedKey::Divide), Keysym{XK_KP_Divide});
}

TEST(X11KeyRequests, CarryTheKeysymsPrefixesAndRepeatsOfTheActions) {
    constexpr RoleSet kControl = roleBit(ModifierRole::Control);
    constexpr RoleSet kAlt = roleBit(ModifierRole::Alt);
    EXPECT_EQ(keyRequests(readKeyString("+a^%{TAB 3}\x07\x80~")),
              (std::vector<KeyRequest>{{{XK_a, kNoSymbol}, kShiftRole, 1},
                                       {{XK_Tab, kNoSymbol}, kControl | kAlt, 3},
                                       {{XK_EuroSign, 0x10020ac}, 0, 1},
                                       {{XK_Return, kNoSymbol}, 0, 1}}))
        << "the bell has no key";
}

TEST(X11KeyRequests, UnderCapsLockLettersAreLookedUpWithTheirCaseSwapped) {
    const KeymapSnapshot keymap = frenchLikeKeymap();
    const ModifierKeys modifiers = ModifierKeys::find(keymap, 0);
    const KeyTable table(keymap, modifiers, {0, kLockMask});
    const auto requests = keyRequests(readKeyString("aA1\xc9"));
    ASSERT_EQ(requests.size(), 4U);
    // "a" is typed like "A" was without Caps Lock: the key alone, which
    // Caps Lock turns into "A".
    EXPECT_EQ(strokeFor(requests[0], table), (KeyStroke{kKeyA, 0}));
    EXPECT_EQ(strokeFor(requests[1], table), (KeyStroke{kKeyA, kShiftRole}));
    EXPECT_EQ(strokeFor(requests[2], table), (KeyStroke{kKeyOne, 0}));
    EXPECT_EQ(strokeFor(requests[3], table), (KeyStroke{kKeyEacute, 0})) << "É stays É";

    const KeyTable unlocked(keymap, modifiers, {0, 0});
    EXPECT_EQ(strokeFor(requests[0], unlocked), (KeyStroke{kKeyA, 0}));
    EXPECT_EQ(strokeFor(requests[3], unlocked), std::nullopt);
}

TEST(X11KeyEventPlan, HoldsModifierKeysOnlyWhileStrokesNeedThem) {
    const KeymapSnapshot keymap = frenchLikeKeymap();
    const ModifierKeys modifiers = ModifierKeys::find(keymap, 0);
    KeyEventPlan plan(modifiers);
    plan.type({kKeyA, kShiftRole}, 0, 2);
    plan.type({kKeyEacute, kShiftRole}, 0, 1);
    plan.type({kKeyEacute, kLevel3Role}, kShiftRole, 1);
    plan.type({kKeyA, 0}, roleBit(ModifierRole::Control), 1);
    plan.releaseModifiers();
    const std::vector<KeyEvent> expected = {
        {kShiftL, true},    {kKeyA, true},       {kKeyA, false},      {kKeyA, true},
        {kKeyA, false},     {kKeyEacute, true},  {kKeyEacute, false}, {kLevel3, true},
        {kKeyEacute, true}, {kKeyEacute, false}, {kShiftL, false},    {kControlL, true},
        {kLevel3, false},   {kKeyA, true},       {kKeyA, false},      {kControlL, false},
    };
    EXPECT_EQ(plan.events(), expected);
}

TEST(X11RunEnd, EndsARunWhenTheKeysymsNeedingSpareKeysWouldNotFitThem) {
    const KeymapSnapshot keymap = frenchLikeKeymap();
    const KeyTable table(keymap, ModifierKeys::find(keymap, 0), {0, 0});
    // a, b, c, b, a, d: b, c and d have no key.
    const auto requests = keyRequests(readKeyString("abcbad"));
    std::vector<Keysym> needed;

    EXPECT_EQ(runEnd(requests, 0, table, 2, {}, needed), 5U);
    EXPECT_EQ(needed, (std::vector<Keysym>{XK_b, XK_c}));
    EXPECT_EQ(runEnd(requests, 5, table, 2, {}, needed), 6U);
    EXPECT_EQ(needed, std::vector<Keysym>{XK_d});
    EXPECT_EQ(runEnd(requests, 0, table, 1, {}, needed), 2U);
    EXPECT_EQ(needed, std::vector<Keysym>{XK_b});
    EXPECT_EQ(runEnd(requests, 0, table, 0, {}, needed), 6U) << "no spare key: one run";
    EXPECT_TRUE(needed.empty());
}

TEST(X11RunEnd, KeysymsOnLentKeycodesCountAsNeedingThem) {
    KeymapSnapshot keymap = frenchLikeKeymap();
    // b was lent the spare keycode earlier.
    keymap.keys[kSpare - keymap.minKeycode].groups = {{kOneLevel, {XK_b}}};
    const KeyTable table(keymap, ModifierKeys::find(keymap, 0), {0, 0});
    const auto requests = keyRequests(readKeyString("abcbad"));
    std::vector<Keysym> needed;

    EXPECT_EQ(runEnd(requests, 0, table, 2, {kSpare}, needed), 5U);
    EXPECT_EQ(needed, (std::vector<Keysym>{XK_b, XK_c}));
    EXPECT_EQ(runEnd(requests, 0, table, 2, {}, needed), 6U) << "b is on a key of its own";
    EXPECT_EQ(needed, (std::vector<Keysym>{XK_c, XK_d}));
}

// ---------------------------------------------------------------------------
// The keyboard on a real X server (Xvfb), typing into a window of the test

// The text as a key string that types it.
std::string escaped(std::string text) {
    escapeKeySyntax(text);
    return text;
}

std::vector<test::RecordedKey> keysOf(const std::vector<unsigned long>& keysyms) {
    std::vector<test::RecordedKey> keys;
    for (const unsigned long keysym : keysyms) {
        keys.push_back({keysym, 0});
    }
    return keys;
}

std::vector<unsigned long> keysymsOf(const std::vector<test::RecordedKey>& keys) {
    std::vector<unsigned long> keysyms;
    for (const auto& key : keys) {
        keysyms.push_back(key.keysym);
    }
    return keysyms;
}

// How long lent keycodes may take to be emptied: their hold time and then some.
constexpr int kEmptiedTimeoutMs = 5000;

class X11KeyboardTest : public ::testing::Test {
  protected:
    void SetUp() override {
        if (!test::XvfbServer::installed()) {
            GTEST_SKIP() << "Xvfb is not installed (package xvfb)";
        }
        ASSERT_TRUE(server.isReady()) << server.problem();
        recorder = std::make_unique<test::X11KeyRecorder>(server);
        ASSERT_TRUE(recorder->isReady()) << recorder->problem();
        ::setenv("DISPLAY", server.name().c_str(), 1);
        std::string problem;
        keyboard = openX11Keyboard(problem);
        ASSERT_TRUE(keyboard) << problem;
    }

    // Types through the emitter, as the program does, and returns the keysyms
    // the window received.
    std::vector<unsigned long> typed(const std::string& keys, std::size_t expectedCount) {
        mySendKeys(*keyboard, keys, true);
        return keysymsOf(recorder->waitForKeys(expectedCount));
    }

    void setLayout(const std::string& layout) {
        if (!test::XvfbServer::layoutToolInstalled()) {
            GTEST_SKIP() << "setxkbmap is not installed (package x11-xkb-utils)";
        }
        ASSERT_TRUE(server.setLayout(layout)) << server.problem();
    }

    std::size_t emptyKeycodes() {
        int min = 0;
        int max = 0;
        XDisplayKeycodes(server.display(), &min, &max);
        int perKeycode = 0;
        KeySym* keysyms = XGetKeyboardMapping(server.display(), static_cast<KeyCode>(min),
                                              max - min + 1, &perKeycode);
        std::size_t empty = 0;
        for (int keycode = 0; keycode <= max - min; ++keycode) {
            const KeySym* first = keysyms + keycode * perKeycode;
            empty += std::all_of(first, first + perKeycode, [](KeySym k) { return k == NoSymbol; });
        }
        XFree(keysyms);
        return empty;
    }

    test::XvfbServer server;
    std::unique_ptr<test::X11KeyRecorder> recorder;
    std::unique_ptr<Keyboard> keyboard;
};

// Printable ASCII with a few characters beyond it: é and ü are on keys in
// some of these layouts and not in others, € and „ have keysyms of their own,
// ‹ only a Unicode one.
const std::string kSample =
    " !\"#$%&'()*+,-./"
    "0123456789:;<=>?@ABCDEFGHIJKLMNOPQRSTUVWXYZ[\\]^_`abcdefghijklmnopqrstuvwxyz{|}~"
    "\xe9\xfc\xc9\x80\x84\x8b";

std::vector<unsigned long> sampleKeysyms() {
    std::vector<unsigned long> keysyms;
    for (const char c : kSample) {
        keysyms.push_back(keysymsFor(decodeWindows1252(c))[0]);
    }
    return keysyms;
}

class X11KeyboardLayoutTest : public X11KeyboardTest,
                              public ::testing::WithParamInterface<const char*> {};

TEST_P(X11KeyboardLayoutTest, TypesEachCharacterExactlyWithCapsLockOffAndOn) {
    setLayout(GetParam());
    for (const bool capsLock : {false, true}) {
        server.setCapsLock(capsLock);
        EXPECT_EQ(typed(escaped(kSample), kSample.size()), sampleKeysyms())
            << "Caps Lock " << (capsLock ? "on" : "off");
        EXPECT_EQ(server.capsLockOn(), capsLock);
    }
}

INSTANTIATE_TEST_SUITE_P(Layouts, X11KeyboardLayoutTest, ::testing::Values("us", "fr", "de"));

TEST_F(X11KeyboardTest, TypesNamedKeysAndHoldsThePrefixModifiers) {
    const std::vector<unsigned long> named = {
        XK_Return, XK_Return,      XK_Tab,         XK_Tab,       XK_Tab,  XK_BackSpace, XK_Delete,
        XK_Escape, XK_Home,        XK_End,         XK_Up,        XK_Down, XK_Left,      XK_Right,
        XK_Prior,  XK_Next,        XK_Insert,      XK_F1,        XK_F12,  XK_F13,       XK_F16,
        XK_KP_Add, XK_KP_Subtract, XK_KP_Multiply, XK_KP_Divide,
    };
    EXPECT_EQ(typed("{ENTER}~{TAB 3}{BS}{DEL}{ESC}{HOME}{END}{UP}{DOWN}{LEFT}{RIGHT}{PGUP}{PGDN}"
                    "{INS}{F1}{F12}{F13}{F16}{ADD}{SUBTRACT}{MULTIPLY}{DIVIDE}",
                    named.size()),
              named);

    keyboard->SendKeys("+a^c%x+(bc)d", true);
    EXPECT_EQ(recorder->waitForKeys(6), (std::vector<test::RecordedKey>{{XK_A, ShiftMask},
                                                                        {XK_c, ControlMask},
                                                                        {XK_x, Mod1Mask},
                                                                        {XK_B, ShiftMask},
                                                                        {XK_C, ShiftMask},
                                                                        {XK_d, 0}}));
}

TEST_F(X11KeyboardTest, AKeyPressedAgainAtOnceIsNotTakenForAutoRepeat) {
    struct Case {
        const char* what;
        std::vector<std::string> calls;
        std::vector<unsigned long> arrives;
    };
    const std::vector<Case> cases = {
        {"repeated digits", {"9988"}, {XK_9, XK_9, XK_8, XK_8}},
        {"a repeat count", {"{x 3}"}, {XK_x, XK_x, XK_x}},
        {"Shift held over the repeats", {"+(aa)"}, {XK_A, XK_A}},
        {"a lent keycode", {"\xfe\xfe"}, {XK_thorn, XK_thorn}},
        {"across two calls", {"1", "1"}, {XK_1, XK_1}},
    };
    for (const Case& c : cases) {
        for (const std::string& keys : c.calls) {
            mySendKeys(*keyboard, keys, true);
        }
        EXPECT_EQ(keysymsOf(recorder->waitForKeys(c.arrives.size())), c.arrives) << c.what;
    }
}

TEST_F(X11KeyboardTest, ModifiersTheUserHoldsDoNotChangeTheTextAndStayHeld) {
    setLayout("de");
    for (const KeySym held : {KeySym{XK_Shift_L}, KeySym{XK_Control_L}, KeySym{XK_Alt_L},
                              KeySym{XK_ISO_Level3_Shift}}) {
        server.pressKey(held);
        keyboard->SendKeys("aq1", true);
        EXPECT_EQ(recorder->waitForKeys(3), keysOf({XK_a, XK_q, XK_1}))
            << XKeysymToString(held) << " held";
        EXPECT_TRUE(server.isKeyDown(held)) << XKeysymToString(held);
        server.releaseKey(held);
    }
}

TEST_F(X11KeyboardTest, ReadsTheLayoutAgainWhenItChanges) {
    setLayout("us");
    EXPECT_EQ(typed("yz", 2), (std::vector<unsigned long>{XK_y, XK_z}));
    setLayout("de");
    EXPECT_EQ(typed("yz", 2), (std::vector<unsigned long>{XK_y, XK_z}));
}

TEST_F(X11KeyboardTest, LendsSpareKeycodesForCharactersWithoutKeysAndFreesThemAfter) {
    setLayout("us");
    const std::size_t emptyBefore = emptyKeycodes();
    // More distinct characters without a key than there are spare keycodes.
    std::string text;
    std::vector<unsigned long> expected;
    for (int code = 0xc0; code <= 0xfe; ++code) {
        text += static_cast<char>(code);
        expected.push_back(static_cast<unsigned long>(code));
    }
    ASSERT_GT(text.size(), emptyBefore);
    EXPECT_EQ(typed(text, text.size()), expected);
    EXPECT_LT(emptyKeycodes(), emptyBefore) << "bound until the window has surely read them";

    // Characters lent a keycode in one call are still there for the next.
    EXPECT_EQ(typed("\xfe\xfe", 2), (std::vector<unsigned long>{XK_thorn, XK_thorn}));
    const QDeadlineTimer deadline(kEmptiedTimeoutMs);
    while (emptyKeycodes() != emptyBefore && !deadline.hasExpired()) {
        QThread::msleep(10);
    }
    EXPECT_EQ(emptyKeycodes(), emptyBefore) << "emptied again after a while";
}

TEST_F(X11KeyboardTest, ALayoutChangeWhileKeycodesAreLentLosesNothing) {
    setLayout("us");
    EXPECT_EQ(typed("\xe9", 1), std::vector<unsigned long>{XK_eacute});
    setLayout("de");
    EXPECT_EQ(typed("\xe9y", 2), (std::vector<unsigned long>{XK_eacute, XK_y}));
    setLayout("us");
    EXPECT_EQ(typed("\xe9y", 2), (std::vector<unsigned long>{XK_eacute, XK_y}));
}

TEST_F(X11KeyboardTest, LockStatesFollowTheServerAndTogglesChangeThem) {
    server.setCapsLock(true);
    server.setNumLock(false);
    EXPECT_TRUE(keyboard->IsCapsLockToggled());
    EXPECT_FALSE(keyboard->IsNumLockOn());
    keyboard->ToggleCapsLock();
    keyboard->ToggleNumLock();
    EXPECT_FALSE(server.capsLockOn());
    EXPECT_TRUE(server.numLockOn());
    EXPECT_FALSE(keyboard->IsCapsLockToggled());
    EXPECT_TRUE(keyboard->IsNumLockOn());

    // Xvfb's Scroll Lock sets nothing until it is bound to a modifier.
    XModifierKeymap* modifiers = XGetModifierMapping(server.display());
    modifiers = XInsertModifiermapEntry(
        modifiers, XKeysymToKeycode(server.display(), XK_Scroll_Lock), Mod3MapIndex);
    XSetModifierMapping(server.display(), modifiers);
    XFreeModifiermap(modifiers);
    XSync(server.display(), False);
    EXPECT_FALSE(keyboard->IsScrollLockOn());
    keyboard->ToggleScrollLock();
    EXPECT_TRUE(keyboard->IsScrollLockOn());
    keyboard->ToggleScrollLock();
    EXPECT_FALSE(keyboard->IsScrollLockOn());
}

TEST_F(X11KeyboardTest, LockKeysTypedInAKeyStringArePutBackByTheEmitter) {
    server.setCapsLock(false);
    server.setNumLock(true);
    // After the typed Caps Lock, the rest meets Caps Lock on, as on a keyboard.
    EXPECT_EQ(typed("a{CAPSLOCK}b{NUMLOCK}c", 3), (std::vector<unsigned long>{XK_a, XK_B, XK_C}));
    EXPECT_FALSE(server.capsLockOn());
    EXPECT_TRUE(server.numLockOn());

    // Without waiting the keys still arrive, in order.
    keyboard->SendKeys("{CAPSLOCK}x", false);
    keyboard->SendKeys("y{CAPSLOCK}z", true);
    EXPECT_EQ(keysymsOf(recorder->waitForKeys(3)), (std::vector<unsigned long>{XK_X, XK_Y, XK_z}));
    EXPECT_FALSE(server.capsLockOn());
}

}  // namespace
}  // namespace vantorix
