#pragma once

#include <X11/Xlib.h>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>
#include <utility>
#include <vector>

#include "typing/x11/keymap.h"

namespace vantorix::x11 {

// Keycodes that no key uses, lent to keysyms that no key of the layout
// produces (é on a US keyboard, for example).
//
// A window looks a key up when it reads the event, which can be well after
// the server processed it; a keycode emptied before then loses its character.
// So a lent keycode stays bound until it has gone unused for the hold time,
// and a thread of its own, on a connection of its own, empties it then. While
// typing holds the keycodes, none is emptied behind its back.
class SpareKeycodes {
  public:
    using Clock = std::chrono::steady_clock;

    // `display` is the typing connection, used from the typing thread only.
    SpareKeycodes(Display* display, std::chrono::milliseconds holdTime);
    // Empties the lent keycodes once their hold time is over.
    ~SpareKeycodes();
    SpareKeycodes(const SpareKeycodes&) = delete;
    SpareKeycodes& operator=(const SpareKeycodes&) = delete;

    // From hold() to release() no keycode is emptied behind the typing.
    void hold();
    void release();

    // The keyboard map was read again: the keycodes spare in it, and the lent
    // ones that still hold their keysym (a new layout may have replaced them).
    void keymapChanged(const KeymapSnapshot& keymap);

    std::size_t capacity() const;
    std::vector<Keycode> lentKeycodes() const;

    // Puts every keysym of `needed` (at most capacity()) on a spare keycode.
    // Keysyms already lent stay where they are. When the free keycodes do not
    // suffice, waits until the lent ones have been unused for the hold time,
    // empties them and starts afresh. Returns whether the keyboard map changed.
    bool lend(const std::vector<Keysym>& needed);
    // The lent keycodes were typed just now.
    void used();

  private:
    void restoreWhenUnused();
    void takeBackLocked(Display* display);

    Display* display_;
    Display* restorerDisplay_;
    const std::chrono::milliseconds holdTime_;

    mutable std::mutex mutex_;
    std::condition_variable changed_;
    std::vector<Keycode> spare_;
    std::vector<std::pair<Keycode, Keysym>> lent_;
    Clock::time_point lastUse_;
    bool holding_ = false;
    bool stopping_ = false;
    std::thread restorer_;
};

}  // namespace vantorix::x11
