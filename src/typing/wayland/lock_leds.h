#pragma once

#include <filesystem>

namespace vantorix::wayland {

// The lock lights of the keyboards, which the compositor sets from the lock
// state of its seat and the kernel shows under /sys/class/leds (entries such
// as input3::capslock). A lock counts as on when any keyboard lights it.
struct LockLeds {
    bool found = false;  // some keyboard has lock lights at all
    bool capsLock = false;
    bool numLock = false;
    bool scrollLock = false;
};

LockLeds readLockLeds(const std::filesystem::path& folder = "/sys/class/leds");

}  // namespace vantorix::wayland
