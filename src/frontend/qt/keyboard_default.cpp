#include "frontend/qt/keyboard_default.h"

namespace vantorix {

KeyboardDefault defaultKeyboardFor(const DesktopSession& session) {
    if (session.wayland && session.virtualKeyboard) {
        return {"wayland", {}};
    }
    if (session.x11) {
        return {"x11", {}};
    }
    if (session.wayland) {
        return {"none",
                "This Wayland desktop offers no virtual keyboard and there is no X display "
                "(XWayland), so received text cannot be typed. Use a desktop that offers virtual "
                "keyboards (sway and the wlroots family) or log in to an X11 session."};
    }
    return {"none",
            "There is no X display (DISPLAY is not set) and no Wayland session, so "
            "received text cannot be typed."};
}

std::string keyboardWarning(const std::string& backend, const DesktopSession& session) {
    if (backend != "x11" || !session.wayland) {
        return {};
    }
    return session.virtualKeyboard
               ? "Typing with --keys x11 in a Wayland session: keys reach only X11 applications "
                 "(those running under XWayland), not the other windows. --keys wayland types "
                 "into every window here."
               : "This Wayland desktop offers no virtual keyboard: keys typed through XTest "
                 "reach only X11 applications (those running under XWayland), not its own "
                 "windows. To type into every window, use a desktop that offers virtual "
                 "keyboards (sway and the wlroots family) or log in to an X11 session.";
}

std::string keyboardWindowWarning(const std::string& backend, const DesktopSession& session) {
    if (session.virtualKeyboard) {
        return {};
    }
    const std::string warning = keyboardWarning(backend, session);
    return warning.empty() ? warning
                           : warning +
                                 " The manual (F1) lists what each desktop allows under "
                                 "\"Desktops: X11 and Wayland\".";
}

}  // namespace vantorix
