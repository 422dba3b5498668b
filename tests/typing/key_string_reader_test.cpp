#include "typing/key_string_reader.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <ostream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace vantorix {

void PrintTo(const KeyAction& action, std::ostream* out) {
    if (action.kind == KeyAction::Kind::Named) {
        *out << "key#" << static_cast<int>(action.key);
    } else {
        *out << "U+" << std::hex << static_cast<std::uint32_t>(action.character) << std::dec;
    }
    *out << " x" << action.repeat << (action.modifiers.shift ? " +shift" : "")
         << (action.modifiers.control ? " +control" : "") << (action.modifiers.alt ? " +alt" : "");
}

namespace {

using Actions = std::vector<KeyAction>;

constexpr Modifiers kShift{.shift = true};
constexpr Modifiers kControl{.control = true};
constexpr Modifiers kAlt{.alt = true};

KeyAction character(char32_t c, int repeat = 1, Modifiers modifiers = {}) {
    return {.modifiers = modifiers, .character = c, .repeat = repeat};
}

KeyAction named(NamedKey key, int repeat = 1, Modifiers modifiers = {}) {
    return {.kind = KeyAction::Kind::Named, .key = key, .modifiers = modifiers, .repeat = repeat};
}

// Each character typed once, as itself.
Actions text(std::u32string_view characters, Modifiers modifiers = {}) {
    Actions actions;
    for (const char32_t c : characters) {
        actions.push_back(character(c, 1, modifiers));
    }
    return actions;
}

Actions operator+(Actions head, const Actions& tail) {
    head.insert(head.end(), tail.begin(), tail.end());
    return head;
}

struct Case {
    std::string_view keys;
    Actions expected;
};

void expectAll(const std::vector<Case>& cases) {
    for (const auto& [keys, expected] : cases) {
        EXPECT_EQ(readKeyString(keys), expected) << "key string: " << keys;
    }
}

TEST(ReadKeyString, ReadsEveryKeyNameInEitherCase) {
    const std::pair<std::string, NamedKey> names[] = {
        {"TAB", NamedKey::Tab},
        {"ENTER", NamedKey::Enter},
        {"BS", NamedKey::Backspace},
        {"BKSP", NamedKey::Backspace},
        {"BACKSPACE", NamedKey::Backspace},
        {"DEL", NamedKey::Delete},
        {"DELETE", NamedKey::Delete},
        {"ESC", NamedKey::Escape},
        {"HOME", NamedKey::Home},
        {"END", NamedKey::End},
        {"UP", NamedKey::Up},
        {"DOWN", NamedKey::Down},
        {"LEFT", NamedKey::Left},
        {"RIGHT", NamedKey::Right},
        {"PGUP", NamedKey::PageUp},
        {"PGDN", NamedKey::PageDown},
        {"INSERT", NamedKey::Insert},
        {"INS", NamedKey::Insert},
        {"BREAK", NamedKey::Break},
        {"CAPSLOCK", NamedKey::CapsLock},
        {"NUMLOCK", NamedKey::NumLock},
        {"SCROLLLOCK", NamedKey::ScrollLock},
        {"PRTSC", NamedKey::PrintScreen},
        {"HELP", NamedKey::Help},
        {"ADD", NamedKey::Add},
        {"SUBTRACT", NamedKey::Subtract},
        {"MULTIPLY", NamedKey::Multiply},
        {"DIVIDE", NamedKey::Divide},
        {"F1", NamedKey::F1},
        {"F2", NamedKey::F2},
        {"F3", NamedKey::F3},
        {"F4", NamedKey::F4},
        {"F5", NamedKey::F5},
        {"F6", NamedKey::F6},
        {"F7", NamedKey::F7},
        {"F8", NamedKey::F8},
        {"F9", NamedKey::F9},
        {"F10", NamedKey::F10},
        {"F11", NamedKey::F11},
        {"F12", NamedKey::F12},
        {"F13", NamedKey::F13},
        {"F14", NamedKey::F14},
        {"F15", NamedKey::F15},
        {"F16", NamedKey::F16},
    };
    for (const auto& [name, key] : names) {
        std::string lower = name;
        for (char& c : lower) {
            c = (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
        }
        const std::string capitalised = name.substr(0, 1) + lower.substr(1);
        for (const std::string& spelling : {name, lower, capitalised}) {
            EXPECT_EQ(readKeyString("{" + spelling + "}"), Actions{named(key)}) << spelling;
        }
    }
}

TEST(ReadKeyString, TypesPlainCharactersAndTildeAsEnter) {
    expectAll({
        {"", {}},
        {"ab 1", text(U"ab 1")},
        {"~", {named(NamedKey::Enter)}},
        {"[x]", text(U"[x]")},
        // Control characters are left to the typing backend.
        {"\t\r\n", text(U"\t\r\n")},
        {"\xE9\x80\x81", text(U"\u00E9\u20AC\u0081")},
    });
}

TEST(ReadKeyString, TypesASingleCharacterInBracesLiterally) {
    for (const char c : std::string_view("+^%~()[]{}a ")) {
        EXPECT_EQ(readKeyString(std::string("{") + c + "}"),
                  Actions{character(static_cast<char32_t>(c))})
            << c;
    }
    expectAll({
        {"{\xE9}", {character(U'\u00E9')}},
        {"{\x80}", {character(U'\u20AC')}},
        // What the program builds from received "a+b", CR, TAB, "{}".
        {"a{+}b~{TAB}{{}{}}",
         text(U"a+b") + Actions{named(NamedKey::Enter), named(NamedKey::Tab)} + text(U"{}")},
    });
}

TEST(ReadKeyString, RepeatsAfterABlank) {
    expectAll({
        {"{LEFT 3}", {named(NamedKey::Left, 3)}},
        {"{Enter 2}", {named(NamedKey::Enter, 2)}},
        {"{a 5}", {character(U'a', 5)}},
        {"{+ 2}", {character(U'+', 2)}},
        {"{} 3}", {character(U'}', 3)}},
        {"{  2}", {character(U' ', 2)}},
        {"{TAB 007}", {named(NamedKey::Tab, 7)}},
        {"{a 1000}", {character(U'a', kMaxRepeat)}},
        {"{a 1001}", {character(U'a', kMaxRepeat)}},
        {"{a 99999999999999999999}", {character(U'a', kMaxRepeat)}},
        {"x{TAB 0}{a 00}y", text(U"xy")},
        // Not a plain non-negative number: the group is typed as written.
        {"{LEFT x}", text(U"{LEFT x}")},
        {"{LEFT -1}", text(U"{LEFT -1}")},
        {"{LEFT +2}", text(U"{LEFT +2}")},
        {"{LEFT 2.0}", text(U"{LEFT 2.0}")},
        {"{LEFT }", text(U"{LEFT }")},
        {"{LEFT  2}", text(U"{LEFT  2}")},
        {"{LEFT 2 }", text(U"{LEFT 2 }")},
    });
}

TEST(ReadKeyString, AppliesModifierPrefixesAndGroups) {
    const Modifiers shiftControl{.shift = true, .control = true};
    expectAll({
        {"+a", {character(U'a', 1, kShift)}},
        {"^a", {character(U'a', 1, kControl)}},
        {"%a", {character(U'a', 1, kAlt)}},
        {"+^%a", {character(U'a', 1, {true, true, true})}},
        {"+ab", {character(U'a', 1, kShift), character(U'b')}},
        {"+~^{F4}%{LEFT 2}",
         {named(NamedKey::Enter, 1, kShift), named(NamedKey::F4, 1, kControl),
          named(NamedKey::Left, 2, kAlt)}},
        {"+(ab)c", text(U"ab", kShift) + text(U"c")},
        {"(ab)", text(U"ab")},
        {"^(a+(b)c)d",
         text(U"a", kControl) + text(U"b", shiftControl) + text(U"c", kControl) + text(U"d")},
        {"^(a+b)", text(U"a", kControl) + text(U"b", shiftControl)},
        {"+{a 0}b", text(U"b")},
        // The prefix covers the first character of a group that names no key.
        {"+{FOO}", text(U"{", kShift) + text(U"FOO}")},
    });
}

TEST(ReadKeyString, TypesMisplacedModifiersAndParenthesesAsCharacters) {
    expectAll({
        {"a+", text(U"a+")},
        {"+^", text(U"+^")},
        {"+)", text(U"+)")},
        {"%(a^)b", text(U"a", kAlt) + text(U"^", kAlt) + text(U"b")},
        {"a)b", text(U"a)b")},
        {"+(a))", text(U"a", kShift) + text(U")")},
        {"+(ab", text(U"ab", kShift)},
        {"((a", text(U"a")},
    });
}

TEST(ReadKeyString, TypesWhatIsNotAKeyAsWritten) {
    expectAll({
        {"{13}", text(U"{13}")},
        {"{FOO}", text(U"{FOO}")},
        {"{F0}{F17}{TABX}", text(U"{F0}{F17}{TABX}")},
        {"{}", text(U"{}")},
        {"{}x}", text(U"{}x}")},
        {"}", text(U"}")},
        {"{", text(U"{")},
        {"a{", text(U"a{")},
        {"{TAB", text(U"{TAB")},
        // An unclosed brace does not take the keys after it along.
        {"{a~{TAB}", text(U"{a") + Actions{named(NamedKey::Enter), named(NamedKey::Tab)}},
        {"{{TAB}", text(U"{") + Actions{named(NamedKey::Tab)}},
        {"{}{TAB}", text(U"{}") + Actions{named(NamedKey::Tab)}},
        {"{}~}", text(U"{}") + Actions{named(NamedKey::Enter)} + text(U"}")},
    });
}

TEST(ReadKeyString, ReplacesWhatAReusedVectorHeld) {
    Actions actions = readKeyString("abc");
    readKeyString("~", actions);
    EXPECT_EQ(actions, Actions{named(NamedKey::Enter)});
}

TEST(ReadKeyString, ReadsLargePathologicalInput) {
    const std::size_t size = 1 << 20;
    EXPECT_EQ(readKeyString(std::string(size, '{')), Actions(size, character(U'{')));
    EXPECT_EQ(readKeyString(std::string(size, '(') + "a"), text(U"a"));
    EXPECT_EQ(readKeyString("{" + std::string(size, 'x') + "}").size(), size + 2);
}

}  // namespace
}  // namespace vantorix
