#pragma once

struct wl_display;

namespace vantorix::wayland {

// Writes out what is queued for the compositor, waiting while its socket is
// full; a compositor that reads nothing for five seconds gets the rest never.
void flushDisplay(wl_display* display);

}  // namespace vantorix::wayland
