#pragma once

#include <string>

namespace vantorix {

// What the desktop offers for typing.
struct DesktopSession {
    bool wayland = false;  // a Wayland session (WAYLAND_DISPLAY is set)
    // How the desktop lets the program type into its windows ("virtual
    // keyboard", "KWin fake input", "GNOME remote desktop"); empty when it
    // offers no way.
    std::string waylandRoute;
    bool x11 = false;  // an X display with XTest can be opened (maybe XWayland)
    bool kde = false;  // KDE Plasma (XDG_CURRENT_DESKTOP), which authorises by desktop entry
};

// The keyboard backend used when --keys is not given, and why it cannot type
// when that is "none".
struct KeyboardDefault {
    std::string backend;  // "wayland", "x11" or "none"
    std::string noTypingReason;
};

// Wayland where the desktop offers a way to type into its windows, else X11
// where there is an X display, else none.
KeyboardDefault defaultKeyboardFor(const DesktopSession& session);

// What the user must be told before typing with `backend`: in a Wayland
// session, XTest reaches only the X11 applications (those under XWayland).
// Empty when there is nothing to tell.
std::string keyboardWarning(const std::string& backend, const DesktopSession& session);

// What the main window says, besides standard error, when the desktop leaves
// XTest as the only way to type (a Wayland session that offers no other way)
// and most windows will not receive the keys: the warning and where the manual
// tells what to do. Empty otherwise: a user who chose --keys x11 where another
// way exists has been told on standard error.
std::string keyboardWindowWarning(const std::string& backend, const DesktopSession& session);

// How keys typed with `backend` reach the windows, as the window and --help
// name it ("wayland, through the GNOME remote desktop"); just the backend
// where there is nothing more to say.
std::string keyboardRouteDescription(const std::string& backend, const DesktopSession& session);

// The title of the window that says it.
inline constexpr const char* kKeyboardWindowWarningTitle = "Keys reach only X11 applications";

}  // namespace vantorix
