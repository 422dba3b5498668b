#pragma once

#include <string>

namespace vantorix {

// What the desktop offers for typing.
struct DesktopSession {
    bool wayland = false;          // a Wayland session (WAYLAND_DISPLAY is set)
    bool virtualKeyboard = false;  // its compositor offers virtual keyboards
    bool x11 = false;              // an X display with XTest can be opened (maybe XWayland)
};

// The keyboard backend used when --keys is not given, and why it cannot type
// when that is "none".
struct KeyboardDefault {
    std::string backend;  // "wayland", "x11" or "none"
    std::string noTypingReason;
};

// Wayland where the compositor offers virtual keyboards, else X11 where there
// is an X display, else none.
KeyboardDefault defaultKeyboardFor(const DesktopSession& session);

// What the user must be told before typing with `backend`: in a Wayland
// session, XTest reaches only the X11 applications (those under XWayland).
// Empty when there is nothing to tell.
std::string keyboardWarning(const std::string& backend, const DesktopSession& session);

// What the main window says, besides standard error, when the desktop leaves
// XTest as the only way to type (a Wayland session without virtual
// keyboards: GNOME, KDE) and most windows will not receive the keys: the
// warning and where the manual tells what to do. Empty otherwise: a user who
// chose --keys x11 where a virtual keyboard exists has been told on standard
// error.
std::string keyboardWindowWarning(const std::string& backend, const DesktopSession& session);

// The title of the window that says it.
inline constexpr const char* kKeyboardWindowWarningTitle = "Keys reach only X11 applications";

}  // namespace vantorix
