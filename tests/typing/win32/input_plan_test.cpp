#include "typing/win32/input_plan.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>
#include <map>
#include <set>
#include <string>
#include <tuple>
#include <vector>

namespace vantorix::win32 {
namespace {

// A layout in the manner of the common Latin ones: letters and digits on
// their keys, Shift for capitals and symbols, Caps Lock turning the letters
// and the umlaut key; '@' behind AltGr, '^' a dead key; no key for '(',
// 'x' or '€'.
class FakeLayout final : public KeyboardLayout {
  public:
    FakeLayout() {
        for (char c = 'a'; c <= 'z'; ++c) {
            if (c != 'x') {
                addLetter(c, static_cast<std::uint8_t>(c - 'a' + 'A'));
            }
        }
        for (char16_t c = u'0'; c <= u'9'; ++c) {
            add(static_cast<std::uint8_t>(c), 0, c, c);
        }
        add('1', kShift, '!', '!');
        add(VK_SPACE, 0, ' ', ' ');
        add(VK_OEM_7, 0, u'\u00e4', u'\u00c4');
        add(VK_OEM_7, kShift, u'\u00c4', u'\u00e4');
        add('Q', kControl | kAlt, '@', '@');
        chords_[u'^'] = KeyChord{VK_OEM_5, 0};  // typing it waits for the next key
    }

    std::optional<KeyChord> chordFor(char16_t character) const override {
        const auto found = chords_.find(character);
        return found == chords_.end() ? std::nullopt : std::optional(found->second);
    }
    std::optional<char16_t> typedBy(KeyChord chord, bool capsLock) const override {
        const auto found = typed_.find({chord.virtualKey, chord.shift, capsLock});
        return found == typed_.end() ? std::nullopt : std::optional(found->second);
    }

  private:
    void add(std::uint8_t key, int shift, char16_t plain, char16_t underCapsLock) {
        const auto state = static_cast<ShiftState>(shift);
        chords_.emplace(plain, KeyChord{key, state});
        typed_[{key, state, false}] = plain;
        typed_[{key, state, true}] = underCapsLock;
    }
    void addLetter(char small, std::uint8_t key) {
        const auto capital = static_cast<char16_t>(small - 'a' + 'A');
        add(key, 0, static_cast<char16_t>(small), capital);
        add(key, kShift, capital, static_cast<char16_t>(small));
    }

    std::map<char16_t, KeyChord> chords_;
    std::map<std::tuple<std::uint8_t, ShiftState, bool>, char16_t> typed_;
};

std::string keyName(std::uint16_t key) {
    static const std::map<std::uint16_t, std::string> names = {
        {VK_LSHIFT, "LShift"},    {VK_RSHIFT, "RShift"},
        {VK_LCONTROL, "LCtrl"},   {VK_RCONTROL, "RCtrl"},
        {VK_LMENU, "LAlt"},       {VK_RMENU, "RAlt"},
        {VK_LWIN, "LWin"},        {VK_RETURN, "Enter"},
        {VK_TAB, "Tab"},          {VK_HOME, "Home"},
        {VK_DELETE, "Del"},       {VK_LEFT, "Left"},
        {VK_CAPITAL, "CapsLock"}, {VK_OEM_7, "Oem7"},
        {VK_SPACE, "Space"},      {VK_F5, "F5"},
        {VK_F16, "F16"},          {VK_ADD, "Add"},
        {VK_DIVIDE, "Divide"},    {VK_BACK, "Back"},
        {VK_ESCAPE, "Esc"},       {0xE8, "Mask"}};
    if (const auto found = names.find(key); found != names.end()) {
        return found->second;
    }
    if ((key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9')) {
        return std::string(1, static_cast<char>(key));
    }
    return "vk" + std::to_string(key);
}

// The events as text: "+A" a press, "-A" a release, "*" an extended key,
// "U+00E9" Unicode input.
std::string describe(const std::vector<KeyInput>& inputs) {
    std::string text;
    for (const KeyInput& input : inputs) {
        text += text.empty() ? "" : " ";
        text += input.up ? "-" : "+";
        if (input.virtualKey == 0) {
            char unit[8];
            std::snprintf(unit, sizeof unit, "U+%04X", static_cast<unsigned>(input.unit));
            text += unit;
        } else {
            text += (input.extended ? "*" : "") + keyName(input.virtualKey);
        }
    }
    return text;
}

std::string plan(const std::string& keys, bool capsLock = false,
                 const std::vector<std::uint8_t>& held = {}) {
    static const FakeLayout layout;
    return describe(planInput(readKeyString(keys), layout, capsLock, held));
}

struct PlanCase {
    const char* what;
    std::string keys;
    bool capsLock;
    std::string events;
};

TEST(InputPlan, CharactersGoByTheKeysOfTheLayout) {
    const PlanCase cases[] = {
        {"a small letter", "a", false, "+A -A"},
        {"a capital with Shift", "A", false, "+LShift +A -A -LShift"},
        {"Shift stays down between capitals", "AB", false, "+LShift +A -A +B -B -LShift"},
        {"a symbol behind Shift", "1!", false, "+1 -1 +LShift +1 -1 -LShift"},
        {"AltGr as Control with Alt", "@", false, "+LCtrl +LAlt +Q -Q -LCtrl -LAlt"},
        {"a letter of the layout's own", "\xe4", false, "+Oem7 -Oem7"},
        {"a character the layout lacks", "\x80", false, "+U+20AC -U+20AC"},
        {"a character behind a dead key", "^", false, "+U+005E -U+005E"},
        {"a letter the layout lacks", "x", false, "+U+0078 -U+0078"},
        {"an escaped character without a key", "{(}", false, "+U+0028 -U+0028"},
    };
    for (const PlanCase& c : cases) {
        EXPECT_EQ(plan(c.keys, c.capsLock), c.events) << c.what;
    }
}

// The emitter hands the letters over with their case swapped while Caps Lock
// is on; the keyboard must turn them as a real one would, whichever way they go.
TEST(InputPlan, WithCapsLockOnLettersComeOutAsFromAKeyboard) {
    const PlanCase cases[] = {
        {"a letter key types the capital", "a", true, "+A -A"},
        {"Shift with it the small letter", "A", true, "+LShift +A -A -LShift"},
        {"a missing letter goes swapped", "x", true, "+U+0058 -U+0058"},
        {"a missing capital too", "X", true, "+U+0078 -U+0078"},
        {"other letters come out as they are", "\xe4", true, "+LShift +Oem7 -Oem7 -LShift"},
        {"digits do not change", "1", true, "+1 -1"},
        {"characters without a key do not change", "\xe9", true, "+U+00E9 -U+00E9"},
    };
    for (const PlanCase& c : cases) {
        EXPECT_EQ(plan(c.keys, c.capsLock), c.events) << c.what;
    }
}

TEST(InputPlan, ACapsLockKeyInTheStringTurnsTheLettersAfterIt) {
    EXPECT_EQ(plan("{CAPSLOCK}x", false), "+CapsLock -CapsLock +U+0058 -U+0058");
    EXPECT_EQ(plan("{CAPSLOCK}x", true), "+CapsLock -CapsLock +U+0078 -U+0078");
    EXPECT_EQ(plan("{CAPSLOCK 2}x", false),
              "+CapsLock -CapsLock +CapsLock -CapsLock +U+0078 -U+0078");
}

TEST(InputPlan, PrefixesHoldModifiersAsOnAKeyboard) {
    const PlanCase cases[] = {
        {"Shift with a letter", "+a", false, "+LShift +A -A -LShift"},
        {"Shift with a letter under Caps Lock", "+A", true, "+LShift +A -A -LShift"},
        {"Control", "^c", false, "+LCtrl +C -C -LCtrl"},
        {"Alt over a group", "%(ab)", false, "+LAlt +A -A +B -B -LAlt"},
        {"Control with a character without a key", "^x", false, "+LCtrl +U+0078 -U+0078 -LCtrl"},
        {"Shift with a named key", "+{TAB}", false, "+LShift +Tab -Tab -LShift"},
    };
    for (const PlanCase& c : cases) {
        EXPECT_EQ(plan(c.keys, c.capsLock), c.events) << c.what;
    }
}

TEST(InputPlan, NamedKeysAndControlCharactersGoByTheirKeys) {
    const PlanCase cases[] = {
        {"Enter three ways", "~{ENTER}\r", false, "+Enter -Enter +Enter -Enter +Enter -Enter"},
        {"line feed is Enter", "\n", false, "+Enter -Enter"},
        {"Tab two ways", "{TAB}\t", false, "+Tab -Tab +Tab -Tab"},
        {"the cursor block is extended", "{HOME}{DEL}{LEFT}", false,
         "+*Home -*Home +*Del -*Del +*Left -*Left"},
        {"the keypad's divide is extended, add is not", "{DIVIDE}{ADD}", false,
         "+*Divide -*Divide +Add -Add"},
        {"function keys", "{F5}{F16}", false, "+F5 -F5 +F16 -F16"},
        {"backspace and escape", "\b\x1b", false, "+Back -Back +Esc -Esc"},
        {"a repeat count", "{a 3}", false, "+A -A +A -A +A -A"},
        {"a bell has no key", "\x07", false, ""},
    };
    for (const PlanCase& c : cases) {
        EXPECT_EQ(plan(c.keys, c.capsLock), c.events) << c.what;
    }
}

TEST(InputPlan, ModifiersTheUserHoldsAreLetGoAndPressedAgain) {
    struct HeldCase {
        const char* what;
        std::vector<std::uint8_t> held;
        std::string events;
    };
    const HeldCase cases[] = {
        {"nothing held", {}, "+A -A"},
        {"Shift", {VK_LSHIFT}, "-LShift +A -A +LShift"},
        {"right Control, an extended key", {VK_RCONTROL}, "-*RCtrl +A -A +*RCtrl"},
        {"Alt, masked so that no menu opens",
         {VK_LMENU},
         "+Mask -Mask -LAlt +A -A +LAlt +Mask -Mask"},
        {"the Windows key, masked too",
         {VK_LWIN, VK_RSHIFT},
         "+Mask -Mask -*LWin -RShift +A -A +*LWin +RShift +Mask -Mask"},
    };
    for (const HeldCase& c : cases) {
        EXPECT_EQ(plan("a", false, c.held), c.events) << c.what;
    }
}

TEST(InputPlan, EveryNamedKeyHasAVirtualKeyOfItsOwn) {
    std::set<std::uint8_t> keys;
    const int last = static_cast<int>(NamedKey::Divide);
    for (int key = 0; key <= last; ++key) {
        const std::uint8_t virtualKey = virtualKeyFor(static_cast<NamedKey>(key));
        EXPECT_NE(virtualKey, 0) << key;
        keys.insert(virtualKey);
    }
    EXPECT_EQ(keys.size(), static_cast<std::size_t>(last + 1));
    EXPECT_EQ(virtualKeyFor(NamedKey::F1), VK_F1);
    EXPECT_EQ(virtualKeyFor(NamedKey::F16), VK_F16);
}

}  // namespace
}  // namespace vantorix::win32
