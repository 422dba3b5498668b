#pragma once

#include <cstddef>
#include <optional>
#include <vector>

#include "typing/key_string_reader.h"
#include "typing/x11/key_table.h"
#include "typing/x11/keysyms.h"

namespace vantorix::x11 {

// One character or named key of a key string, as the keysyms that type it.
struct KeyRequest {
    KeysymChoice keysyms{};
    RoleSet modifiers = 0;  // Shift, Control and Alt asked for by the prefixes + ^ %
    int repeat = 1;

    bool operator==(const KeyRequest&) const = default;
};

// The requests for a key string's actions. Actions that no key types (control
// characters without a key) are left out.
std::vector<KeyRequest> keyRequests(const std::vector<KeyAction>& actions);

// The keysym to look up for `keysym` in the state the table was made for.
// While Caps Lock is on, the letters a-z and A-Z are looked up with their case
// swapped: a key string's "a" then comes out as "A", as from a keyboard with
// Caps Lock on, which is what the emitter's own case swap counts on. Every
// other keysym comes out as it is.
Keysym keysymToLookUp(Keysym keysym, const KeyTable& table);

// The key that types a request in the state the table was made for.
std::optional<KeyStroke> strokeFor(const KeyRequest& request, const KeyTable& table);

// Where a run of requests that starts at `first` has to end so that the
// keysyms that need a spare keycode fit on `spareKeys` of them; those keysyms
// are put in `needed`. A keysym needs one when no key produces it, or when
// the key that does is one of the `lent` spare keycodes: within a run, a
// spare keycode keeps its keysym.
std::size_t runEnd(const std::vector<KeyRequest>& requests, std::size_t first,
                   const KeyTable& table, std::size_t spareKeys, const std::vector<Keycode>& lent,
                   std::vector<Keysym>& needed);

struct KeyEvent {
    Keycode keycode = 0;
    bool press = false;

    bool operator==(const KeyEvent&) const = default;
};

// How long, in milliseconds, the X server is asked to hold back `event`
// (XTest's delay) when `previous` is the key event sent just before it. A
// window may take a key pressed again straight after its release, at the same
// server time, for the key's auto-repeat and drop it; held back a millisecond,
// the press gets a later server time. Every other event goes at once.
unsigned long delayBeforeKeyEvent(const std::optional<KeyEvent>& previous, const KeyEvent& event);

// The press and release events that type a run of key strokes. Modifier keys
// stay down from one stroke to the next while both need them, and are
// released as soon as a stroke does not.
class KeyEventPlan {
  public:
    explicit KeyEventPlan(const ModifierKeys& modifiers) : modifiers_(modifiers) {}

    // Presses and releases the stroke's key `times` times, with exactly the
    // modifier keys of the stroke and of `held` down.
    void type(KeyStroke stroke, RoleSet held, int times);
    // Lets go of every modifier key the plan holds down.
    void releaseModifiers();

    const std::vector<KeyEvent>& events() const { return events_; }
    void clearEvents() { events_.clear(); }

  private:
    void holdExactly(RoleSet roles);

    const ModifierKeys& modifiers_;
    RoleSet down_ = 0;
    std::vector<KeyEvent> events_;
};

}  // namespace vantorix::x11
