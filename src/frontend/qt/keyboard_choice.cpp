#include "frontend/qt/keyboard_choice.h"

#include <cstdlib>
#include <iostream>
#include <string_view>

#include "frontend/qt/keyboard_default.h"
#include "frontend/qt/left_out_message.h"
#include "typing/null_keyboard.h"
#include "typing/print_keyboard.h"

#ifdef VANTORIX_HAVE_X11
#include "typing/x11/keyboard_x11.h"
#endif
#ifdef VANTORIX_HAVE_WAYLAND
#include "typing/wayland/keyboard_wayland.h"
#endif

namespace vantorix {

namespace {

bool environmentSet(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr && *value != '\0';
}

DesktopSession currentSession() {
    DesktopSession session;
    session.wayland = environmentSet("WAYLAND_DISPLAY");
    const char* desktop = std::getenv("XDG_CURRENT_DESKTOP");
    session.kde =
        desktop != nullptr && std::string_view(desktop).find("KDE") != std::string_view::npos;
#ifdef VANTORIX_HAVE_WAYLAND
    if (session.wayland) {
        if (const WaylandRoute route = waylandRouteOffered(); route != WaylandRoute::None) {
            session.waylandRoute = waylandRouteName(route);
        }
    }
#endif
#ifdef VANTORIX_HAVE_X11
    session.x11 = environmentSet("DISPLAY") && x11KeyboardAvailable();
#endif
    return session;
}

}  // namespace

std::vector<std::string> keyboardBackendNames() {
    std::vector<std::string> names{"none", "print"};
#ifdef VANTORIX_HAVE_X11
    names.emplace_back("x11");
#endif
#ifdef VANTORIX_HAVE_WAYLAND
    names.emplace_back("wayland");
#endif
    return names;
}

QString defaultKeyboardBackend() {
    return QString::fromStdString(defaultKeyboardFor(currentSession()).backend);
}

std::string noTypingReason() {
    return defaultKeyboardFor(currentSession()).noTypingReason;
}

std::string keyboardWindowWarningHere(const std::string& backend) {
    return keyboardWindowWarning(backend, currentSession());
}

std::string keyboardRouteHere(const std::string& backend) {
    return keyboardRouteDescription(backend, currentSession());
}

std::unique_ptr<Keyboard> makeKeyboard(const std::string& name, std::ostream& printTo,
                                       std::string& problem, std::function<void()> onPrintFailed) {
    if (name == "print") {
        return std::make_unique<PrintKeyboard>(printTo, std::move(onPrintFailed));
    }
    if (name == "none") {
        return std::make_unique<NullKeyboard>();
    }
#ifdef VANTORIX_HAVE_X11
    if (name == "x11") {
        // Never type through XTest under Wayland without saying where the keys go.
        if (const std::string warning = keyboardWarning(name, currentSession()); !warning.empty()) {
            std::cerr << warning << std::endl;
        }
        return openX11Keyboard(problem);
    }
#endif
#ifdef VANTORIX_HAVE_WAYLAND
    if (name == "wayland") {
        return openWaylandKeyboard(
            problem, {}, [](const std::string& message) { tellLeftOut(message, std::cerr); });
    }
#endif
    problem = "Unknown keyboard backend '" + name + "'";
    return nullptr;
}

}  // namespace vantorix
