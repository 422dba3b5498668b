#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "typing/key_string_reader.h"
#include "typing/win32/keyboard_layout.h"

namespace vantorix::win32 {

// One keyboard event for SendInput: a virtual key, or one UTF-16 unit typed
// as Unicode input (virtualKey 0).
struct KeyInput {
    std::uint16_t virtualKey = 0;
    char16_t unit = 0;
    bool up = false;
    bool extended = false;

    bool operator==(const KeyInput&) const = default;
};

// The events that type `actions` into a window with `layout`, as a keyboard
// would with Caps Lock as given:
// - a character goes by the key and shift state that type it in the layout,
//   checked against what that key types (with Shift the other way round if
//   Caps Lock changes it); a character that no key types exactly (one the
//   layout lacks, one behind a dead key) goes as Unicode input;
// - with Caps Lock on, the letters a-z and A-Z come out with their case
//   swapped whichever way they go, as from a keyboard with Caps Lock on;
//   Unicode input, which Caps Lock does not touch, is swapped for them here;
// - the prefixes + ^ % add Shift, Control and Alt to the key;
// - TAB, CR and LF go as the Tab and Enter keys, other control characters
//   without a key go not at all; a {CAPSLOCK} turns Caps Lock for the
//   characters after it.
// `heldKeys` are the modifier keys (VK_LSHIFT ... VK_RWIN) that the user holds
// down: they are let go first and pressed again at the end, and a key that
// types nothing masks the release and the press of Alt and the Windows keys,
// which would otherwise open a menu.
std::vector<KeyInput> planInput(const std::vector<KeyAction>& actions, const KeyboardLayout& layout,
                                bool capsLock, std::span<const std::uint8_t> heldKeys);

// The virtual key of a named key.
std::uint8_t virtualKeyFor(NamedKey key);
// Keys that the keyboard sends with the extended-key prefix (the cursor
// block, the right-hand Control and Alt...); without it Windows would take
// them for their keypad twins.
bool isExtendedKey(std::uint16_t virtualKey);

// The modifier keys whose held state typing respects, in the order they are
// let go.
std::span<const std::uint8_t> modifierKeys();

}  // namespace vantorix::win32
