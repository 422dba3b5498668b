#pragma once

#include <memory>

#include "forms/hot_keys.h"

namespace vantorix {

// The grabber for the desktop the program runs on: the X11 one on an X
// server, otherwise one that grabs nothing (offscreen, Wayland). Needs the
// QGuiApplication.
std::unique_ptr<HotKeyGrabber> makeHotKeyGrabber();

}  // namespace vantorix
