#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "typing/keyboard.h"

namespace vantorix {

// Swaps the case of the letters a-z and A-Z and of nothing else.
std::string swapLetterCase(std::string keys);

// Types `sKeys` into the focused window and puts the lock keys back as they
// were. While Caps Lock is on, and the keyboard's letters are ones it
// affects, the letters are handed over with their case swapped, so that what
// arrives is what was received. Num Lock, Caps Lock and
// Scroll Lock are noted before typing; each one whose state the typing
// changed is toggled back afterwards.
void mySendKeys(Keyboard& keyboard, const std::string& sKeys, bool bWait);

// Where a slice of the key string `keys` that begins at `from` (a key
// boundary) ends: as near to `length` bytes as the keys allow without going
// over, and never inside a brace group, after a + ^ % prefix or inside a
// parenthesised group, so each slice types on its own exactly what it would
// have typed as part of the whole. A single key longer than `length` is a
// slice of its own. Returns keys.size() when the rest fits.
std::size_t keyStringSliceEnd(std::string_view keys, std::size_t from, std::size_t length);

}  // namespace vantorix
