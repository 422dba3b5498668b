#pragma once

#include <array>

#include "typing/key_string_reader.h"
#include "typing/x11/keymap.h"

namespace vantorix::x11 {

// The keysyms that stand for a character, the one layouts use first and the
// Unicode keysym second (kNoSymbol where there is no second). A control
// character that has no key of its own yields no keysym at all.
using KeysymChoice = std::array<Keysym, 2>;
KeysymChoice keysymsFor(char32_t character);

Keysym keysymFor(NamedKey key);

}  // namespace vantorix::x11
