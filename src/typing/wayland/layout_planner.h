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
// character goes to the key that has it on the lowest level (Shift for the
// second, AltGr for the third, both for the fourth); one the layout has on no
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

    // Appends the events for `actions` to `plan`.
    void plan(const std::vector<KeyAction>& actions, LayoutPlan& plan) const;

  private:
    struct Placement {
        std::uint32_t code = 0;  // evdev
        bool shift = false;
        bool level3 = false;
    };

    void index(xkb_keymap* keymap);
    const Placement* find(Keysym keysym) const;
    // The events of one stroke of `keysym` with the modifiers the key string
    // holds; false when the layout has no key for it.
    bool strike(Keysym keysym, const Modifiers& held, std::vector<KeyEvent>& events) const;
    bool planCharacter(const KeyAction& action, std::vector<KeyEvent>& events) const;

    std::unordered_map<Keysym, Placement> placements_;
    std::uint32_t shiftCode_ = 0;
    std::uint32_t level3Code_ = 0;
    std::uint32_t controlCode_ = 0;
    std::uint32_t altCode_ = 0;
};

}  // namespace vantorix::wayland
