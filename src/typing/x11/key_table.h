#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <unordered_map>

#include "typing/x11/keymap.h"

namespace vantorix::x11 {

// The modifier keys typing presses: Shift, Control and Alt for the prefixes
// of key strings, Shift, AltGr (level 3) and level 5 to reach a key's levels.
enum class ModifierRole : std::uint8_t { Shift, Control, Alt, LevelThree, LevelFive };
inline constexpr std::size_t kModifierRoleCount = 5;

// A set of roles, one bit per role.
using RoleSet = std::uint8_t;
constexpr RoleSet roleBit(ModifierRole role) {
    return static_cast<RoleSet>(1U << static_cast<unsigned>(role));
}

struct ModifierKey {
    Keycode keycode = 0;
    ModMask mask = 0;  // the real modifiers it sets
};

class ModifierKeys {
  public:
    // The keys of the current layout (`group`) that play each role: a key
    // whose first level is, for example, Shift_L and that sets a modifier.
    static ModifierKeys find(const KeymapSnapshot& keymap, std::uint8_t group);

    const std::optional<ModifierKey>& operator[](ModifierRole role) const {
        return keys_[static_cast<std::size_t>(role)];
    }
    bool has(RoleSet roles) const;
    ModMask mask(RoleSet roles) const;

    void set(ModifierRole role, ModifierKey key) { keys_[static_cast<std::size_t>(role)] = key; }

  private:
    std::array<std::optional<ModifierKey>, kModifierRoleCount> keys_;
};

// A key and the level modifiers to hold while it is pressed.
struct KeyStroke {
    Keycode keycode = 0;
    RoleSet modifiers = 0;

    bool operator==(const KeyStroke&) const = default;
};

// For every keysym the keyboard can produce now, the key that produces it with
// the fewest modifier keys. `fixed` is the state the keys meet before any
// modifier is pressed: the group and the locked (or stuck) modifiers; the
// table is only valid for that state.
class KeyTable {
  public:
    KeyTable(const KeymapSnapshot& keymap, const ModifierKeys& modifiers, KeyboardState fixed);

    std::optional<KeyStroke> find(Keysym keysym) const;
    KeyboardState fixedState() const { return fixed_; }

  private:
    KeyboardState fixed_;
    std::unordered_map<Keysym, KeyStroke> strokes_;
};

}  // namespace vantorix::x11
