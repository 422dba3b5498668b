#pragma once

#include <memory>

#include "typing/keyboard.h"

namespace vantorix {

// Typing through SendInput into the window that has the keyboard focus.
//
// Each character goes by the key and shift state that type it in that
// window's keyboard layout (VkKeyScanExW), so that programs which read keys
// rather than characters see real key presses; a character the layout lacks
// goes as Unicode input. Letters come out as from a keyboard: with Caps Lock
// on, a-z and A-Z have their case swapped, which the emitter counts on.
// Named keys go by their virtual keys.
//
// Modifier keys that the user holds down when typing starts are let go for
// the typing and pressed again afterwards, so they neither change the typed
// text nor end up released under the user's fingers.
//
// The lock keys are read with GetKeyState (Caps Lock's toggle) and
// GetKeyboardState (Num Lock and Scroll Lock), and toggled by a press and a
// release of the key as an extended key with scan code 0x45.
//
// SendKeys returns once the system has taken every event into its input
// stream, `wait` or not: SendInput hands them over in one piece.
std::unique_ptr<Keyboard> makeSendInputKeyboard();

}  // namespace vantorix
