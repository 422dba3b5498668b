#pragma once

#include <functional>
#include <memory>
#include <string>

#include "typing/keyboard.h"
#include "typing/wayland/keyboard_wayland.h"

namespace vantorix::wayland {

// Keyboards for desktops that take keys only in the user's own layout:
// KWin's fake input (KDE Plasma) and mutter's remote desktop (GNOME). Keys
// are planned from the compositor's keymap, read again whenever the user's
// layout changes. A character the layout cannot produce is left out, and
// the first one of the run is reported through `report`.
//
// Caps Lock reaches the keys typed, as on a physical keyboard, so each
// character is planned for the Caps Lock state it will meet and arrives
// exactly (CapsLockAffectsLetters() is false). The lock states are those the
// keyboard lights show (see LockLeds), and where there are none (no keyboard
// with lights, as on a headless desktop) those this keyboard set itself.
std::unique_ptr<Keyboard> openKwinKeyboard(std::string& problem, WaylandKeyPacing pacing,
                                           UnreachableReport report);
std::unique_ptr<Keyboard> openMutterKeyboard(std::string& problem, WaylandKeyPacing pacing,
                                             UnreachableReport report);

// What the user is told about a character left out.
std::string unreachableMessage(char32_t character);

}  // namespace vantorix::wayland
