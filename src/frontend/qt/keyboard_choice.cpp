#include "frontend/qt/keyboard_choice.h"

#include <cstdlib>

#include "typing/null_keyboard.h"
#include "typing/print_keyboard.h"

#ifdef VANTORIX_HAVE_X11
#include "typing/x11/keyboard_x11.h"
#endif

namespace vantorix {

#ifdef VANTORIX_HAVE_X11
namespace {

bool environmentSet(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr && *value != '\0';
}

constexpr const char* kWaylandWithoutX =
    "Typing needs X11 for now: this Wayland session has no X display (XWayland), so received "
    "text cannot be typed. Start the program in an X11 session or with DISPLAY set.";

std::unique_ptr<Keyboard> makeX11Keyboard(std::string& problem) {
    if (!environmentSet("DISPLAY") && environmentSet("WAYLAND_DISPLAY")) {
        problem = kWaylandWithoutX;
        return nullptr;
    }
    return openX11Keyboard(problem);
}

}  // namespace
#endif

std::vector<std::string> keyboardBackendNames() {
    std::vector<std::string> names{"none", "print"};
#ifdef VANTORIX_HAVE_X11
    names.emplace_back("x11");
#endif
    return names;
}

QString defaultKeyboardBackend() {
#ifdef VANTORIX_HAVE_X11
    if (environmentSet("DISPLAY") && x11KeyboardAvailable()) {
        return QStringLiteral("x11");
    }
#endif
    return QStringLiteral("none");
}

std::string noTypingReason() {
#ifdef VANTORIX_HAVE_X11
    std::string problem;
    makeX11Keyboard(problem);
    return problem;
#else
    return "This build has no keyboard backend for this desktop yet.";
#endif
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
        return makeX11Keyboard(problem);
    }
#endif
    problem = "Unknown keyboard backend '" + name + "'";
    return nullptr;
}

}  // namespace vantorix
