#pragma once

#include <chrono>
#include <functional>
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

// Told, once per run, about a character the desktop's layout cannot produce.
using UnreachableReport = std::function<void(const std::string& message)>;

// The ways a Wayland desktop lets a program type into its windows, in the
// order they are preferred.
enum class WaylandRoute {
    None,
    VirtualKeyboard,      // the virtual-keyboard protocol (sway and the wlroots family)
    KwinFakeInput,        // KWin's fake input (KDE Plasma), for programs a desktop entry names
    MutterRemoteDesktop,  // mutter's remote desktop on the session bus (GNOME)
};

// What a Wayland desktop offers.
struct WaylandOffers {
    bool virtualKeyboard = false;
    bool kwinFakeInput = false;
    bool mutterRemoteDesktop = false;
};

// The route to type by: the first the desktop offers, in the order of WaylandRoute.
WaylandRoute chooseWaylandRoute(const WaylandOffers& offers);

// The route this desktop offers: the compositor named by WAYLAND_DISPLAY and
// the session bus are asked.
WaylandRoute waylandRouteOffered();

// How the route is called where the user reads it (window, --help).
const char* waylandRouteName(WaylandRoute route);

// What KWin needs before it lets this program type: the desktop entry that
// names this executable, and where to put it.
std::string kwinAuthorisationAdvice();

// Types under Wayland by the first route the desktop offers (see
// waylandRouteOffered). Null, with the reason in `problem`, when it offers none.
std::unique_ptr<Keyboard> openWaylandKeyboard(std::string& problem, WaylandKeyPacing pacing = {},
                                              UnreachableReport report = {});

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
std::unique_ptr<Keyboard> openVirtualKeyboard(std::string& problem, WaylandKeyPacing pacing = {});

}  // namespace vantorix
