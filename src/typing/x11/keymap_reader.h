#pragma once

#include <X11/Xlib.h>

#include <optional>

#include "typing/x11/keymap.h"

namespace vantorix::x11 {

// Reads the keyboard map of the display's core keyboard (one round trip);
// nullopt if the server does not answer with one.
std::optional<KeymapSnapshot> readKeymap(Display* display);

}  // namespace vantorix::x11
