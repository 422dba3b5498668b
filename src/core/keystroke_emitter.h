#pragma once

#include <string>

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

}  // namespace vantorix
