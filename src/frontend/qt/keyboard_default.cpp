#include "frontend/qt/keyboard_default.h"

namespace vantorix {

namespace {

constexpr const char* kKdeDesktopEntry =
    " On KDE Plasma, a desktop entry naming the program's executable lets it type into every "
    "window; the manual tells how.";

}  // namespace

KeyboardDefault defaultKeyboardFor(const DesktopSession& session) {
    if (session.wayland && !session.waylandRoute.empty()) {
        return {"wayland", {}};
    }
    if (session.x11) {
        return {"x11", {}};
    }
    if (session.wayland) {
        return {"none",
                std::string("This Wayland desktop offers no way to type into its windows and "
                            "there is no X display (XWayland), so received text cannot be typed. "
                            "Use sway or the wlroots family, GNOME or KDE Plasma, or log in to an "
                            "X11 session.") +
                    (session.kde ? kKdeDesktopEntry : "")};
    }
    return {"none",
            "There is no X display (DISPLAY is not set) and no Wayland session, so "
            "received text cannot be typed."};
}

std::string keyboardWarning(const std::string& backend, const DesktopSession& session) {
    if (backend != "x11" || !session.wayland) {
        return {};
    }
    if (!session.waylandRoute.empty()) {
        return "Typing with --keys x11 in a Wayland session: keys reach only X11 applications "
               "(those running under XWayland), not the other windows. --keys wayland types "
               "into every window here.";
    }
    return std::string(
               "This Wayland desktop offers no way to type into its own windows: keys "
               "typed through XTest reach only X11 applications (those running under "
               "XWayland), not its own windows. To type into every window, use sway or "
               "the wlroots family, GNOME or KDE Plasma, or log in to an X11 session.") +
           (session.kde ? kKdeDesktopEntry : "");
}

std::string keyboardWindowWarning(const std::string& backend, const DesktopSession& session) {
    if (!session.waylandRoute.empty()) {
        return {};
    }
    const std::string warning = keyboardWarning(backend, session);
    return warning.empty() ? warning
                           : warning +
                                 " The manual (F1) lists what each desktop allows under "
                                 "\"Desktops: X11 and Wayland\".";
}

std::string keyboardRouteDescription(const std::string& backend, const DesktopSession& session) {
    if (backend == "wayland" && !session.waylandRoute.empty()) {
        return backend + ", through the " + session.waylandRoute;
    }
    return backend;
}

}  // namespace vantorix
