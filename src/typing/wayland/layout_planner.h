#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "typing/key_string_reader.h"
#include "typing/wayland/keysyms.h"

struct xkb_keymap;

namespace vantorix::wayland {

// A key of the compositor's keyboard pressed or released, by its evdev code
// (the XKB keycode less 8), as the desktops' input routes take it.
struct KeyEvent {
    std::uint32_t code = 0;
    bool pressed = false;

    bool operator==(const KeyEvent&) const = default;
};

// What typing a key string takes in the user's layout: the key events in
// order, and the characters the layout cannot produce, which were left out.
struct LayoutPlan {
    std::vector<KeyEvent> events;
    std::vector<char32_t> unreachable;
};

// Turns key strings into presses of the keys of the user's own layout, for
// routes that cannot give the compositor a keymap of their own. Each
// character goes to the key that yields it with the fewest modifiers (none,
// Shift, AltGr, both) under the Caps Lock state the keys will meet, so that a
// window reading them with Caps Lock on gets the character itself (where no key
// does, Caps Lock is switched off around it); one the layout has on no
// key is typed as a dead key of the layout followed by its base letter (or a
// space, for the accent alone). A character still out of reach is never
// replaced by another: it is left out and reported.
class LayoutPlanner {
  public:
    // The planner of a keymap in XKB's text format (the compositor's, as
    // wl_keyboard.keymap gives it), for its first layout; null when the text
    // is no keymap.
    static std::unique_ptr<LayoutPlanner> fromText(const std::string& keymap);
    explicit LayoutPlanner(xkb_keymap* keymap);

    // Appends the events for `actions` to `plan`, each character exact for
    // Caps Lock as `capsLocked` says. A Caps Lock key typed within `actions`
    // changes the letters after it as on a keyboard: from there on they are
    // planned as if the lock were off.
    void plan(const std::vector<KeyAction>& actions, LayoutPlan& plan,
              bool capsLocked = false) const;

  private:
    struct Placement {
        std::uint32_t code = 0;  // evdev
        bool shift = false;
        bool level3 = false;
    };

    using Placements = std::unordered_map<Keysym, Placement>;

    void findModifierKeys(xkb_keymap* keymap);
    void index(xkb_keymap* keymap, bool capsLocked, Placements& placements) const;
    // The events of one stroke of `keysym` with the modifiers the key string
    // holds; false when the layout has no key for it.
    bool strike(const Placements& placements, Keysym keysym, const Modifiers& held,
                std::vector<KeyEvent>& events) const;
    bool planCharacter(const Placements& placements, const KeyAction& action,
                       std::vector<KeyEvent>& events) const;
    bool planWithCapsLockOff(const KeyAction& action, std::vector<KeyEvent>& events) const;

    Placements placements_;
    Placements capsLockedPlacements_;
    std::uint32_t shiftCode_ = 0;
    std::uint32_t level3Code_ = 0;
    std::uint32_t controlCode_ = 0;
    std::uint32_t altCode_ = 0;
};

}  // namespace vantorix::wayland
