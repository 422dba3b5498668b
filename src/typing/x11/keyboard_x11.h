#pragma once

#include <memory>
#include <string>

#include "typing/keyboard.h"

namespace vantorix {

// Typing on an X display through the XTest extension, with the keyboard map
// and lock states read through XKB.
//
// Each character is typed with the key and level that produce it in the
// layout active at the moment, pressing Shift, AltGr (level 3) or level 5
// as that level needs; the keyboard map is read again whenever it changes.
// A character that no key produces is bound to a keycode that no key uses,
// and the keycode is emptied again once it has gone unused long enough for
// any window to have read its key. While Caps Lock is on, the letters a-z and
// A-Z come out with their case swapped, as from a real keyboard; every other
// character comes out as it is.
//
// Modifier keys that the user holds down when typing starts (Shift, Control,
// Alt, AltGr...) are let go for the typing and pressed again afterwards, so
// they neither change the typed text nor end up released under the user's
// fingers.
//
// Returns null, with the reason in `problem`, when the display named by
// DISPLAY cannot be opened or lacks the XTest or XKB extension.
std::unique_ptr<Keyboard> openX11Keyboard(std::string& problem);

// Whether an X display with what typing needs can be opened now.
bool x11KeyboardAvailable();

}  // namespace vantorix
