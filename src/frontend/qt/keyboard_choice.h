#pragma once

#include <functional>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include <QString>

#include "typing/keyboard.h"

namespace vantorix {

// The keyboard backends this build offers, by their --keys names.
std::vector<std::string> keyboardBackendNames();

// The backend used when --keys is not given: the desktop's own where there is
// one, else "none" (see defaultKeyboardFor).
QString defaultKeyboardBackend();

// Why the desktop's own backend cannot type here (for example, a Wayland
// session without an X display), for the message shown when the default
// falls back to "none"; empty when it can type.
std::string noTypingReason();

// What the main window must say about typing with `backend` on this desktop
// (see keyboardWindowWarning); empty when nothing.
std::string keyboardWindowWarningHere(const std::string& backend);

// How `backend` types on this desktop (see keyboardRouteDescription).
std::string keyboardRouteHere(const std::string& backend);

// Creates the named backend; "print" writes to `printTo` and calls
// `onPrintFailed` once when it cannot. Returns null, with the reason in
// `problem`, when the backend cannot work here (no X display, for example).
// "x11" in a Wayland session first says on standard error that the keys reach
// only X11 applications. "wayland" tells once, on standard error and in a
// window where there is one, of a character the desktop's layout cannot
// produce.
std::unique_ptr<Keyboard> makeKeyboard(const std::string& name, std::ostream& printTo,
                                       std::string& problem,
                                       std::function<void()> onPrintFailed = {});

}  // namespace vantorix
