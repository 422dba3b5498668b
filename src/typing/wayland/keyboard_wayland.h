#pragma once

#include <chrono>
#include <memory>
#include <string>

#include "typing/keyboard.h"

namespace vantorix {

struct WaylandKeyPacing {
    // The least time between two keys. Typing faster than a window reads its
    // keys gets the window disconnected by the compositor (see KeyPacer);
    // `bench/typing_wayland --pacing` measures which intervals windows
    // survive on a busy machine.
    std::chrono::microseconds keyInterval{250};
    // How long a new keyboard is left alone before its first key. On a seat
    // that had no keyboard, windows ask for their keyboard only once one
    // appears, and keys sent before they have it are lost.
    std::chrono::milliseconds settleTime{100};
};

// Typing under Wayland through the virtual-keyboard protocol, on a connection
// of its own to the compositor named by WAYLAND_DISPLAY.
//
// The keyboard types with keymaps of its own (see TypingPlanner): every
// Windows-1252 character and named key has a key there, whatever layout the
// user has, and the user's layout is never changed. Its modifiers are always
// sent as none but the Shift, Control or Alt a key string asks for, so Caps
// Lock or Num Lock locked on another keyboard changes nothing: letters come
// out exactly (CapsLockAffectsLetters() is false), and the lock states it
// reports, its own, are always off.
//
// One keyboard is made for the life of the object and left to settle before
// its first key. If the compositor connection breaks, the next call connects
// again.
//
// Returns null, with the reason in `problem`, when there is no compositor to
// connect to or it offers no virtual keyboard (GNOME and KDE do not).
std::unique_ptr<Keyboard> openWaylandKeyboard(std::string& problem, WaylandKeyPacing pacing = {});

// Whether the compositor named by WAYLAND_DISPLAY can be reached and offers
// virtual keyboards.
bool waylandKeyboardOffered();

}  // namespace vantorix
