#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace vantorix {

enum class NamedKey : std::uint8_t {
    Backspace,
    Break,
    CapsLock,
    Delete,
    Down,
    End,
    Enter,
    Escape,
    Help,
    Home,
    Insert,
    Left,
    NumLock,
    PageDown,
    PageUp,
    PrintScreen,
    Right,
    ScrollLock,
    Tab,
    Up,
    F1,
    F2,
    F3,
    F4,
    F5,
    F6,
    F7,
    F8,
    F9,
    F10,
    F11,
    F12,
    F13,
    F14,
    F15,
    F16,
    // The keypad's operator keys.
    Add,
    Subtract,
    Multiply,
    Divide,
};

struct Modifiers {
    bool shift = false;
    bool control = false;
    bool alt = false;

    bool operator==(const Modifiers&) const = default;
};

// One key, or one character, typed `repeat` times with `modifiers` held down.
struct KeyAction {
    enum class Kind : std::uint8_t { Character, Named };

    Kind kind = Kind::Character;
    NamedKey key{};          // Kind::Named
    Modifiers modifiers;     // held while this action is typed
    char32_t character = 0;  // Kind::Character: the decoded code point
    int repeat = 1;          // always from 1 to kMaxRepeat

    bool operator==(const KeyAction&) const = default;
};

// Repeat counts above this are cut to it: a count such as {a 99999999999} in
// user text must not type for hours or overflow.
inline constexpr int kMaxRepeat = 1000;

// Reads a key string (Windows-1252 bytes in the SendKeys syntax) into the
// actions that the typing backends carry out. Whatever the text holds, reading
// never fails and takes time linear in its length: what is not valid syntax is
// typed as the characters it is written with.
std::vector<KeyAction> readKeyString(std::string_view keys);

// The same into `actions`, whose old content is replaced. Reusing one vector
// for many key strings spares a fresh allocation per string, which for
// megabytes of text costs more than the reading itself.
void readKeyString(std::string_view keys, std::vector<KeyAction>& actions);

}  // namespace vantorix
