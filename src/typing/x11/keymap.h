#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <unordered_map>
#include <vector>

// A copy of the X server's keyboard map (XKB) in plain data, and what a client
// makes of a key press in a given modifier state. Kept free of Xlib so that
// the choice of keys can be worked out and checked without a display.
namespace vantorix::x11 {

using Keysym = std::uint32_t;
using Keycode = std::uint8_t;
// The eight real modifiers, in X's bit order.
using ModMask = std::uint8_t;

inline constexpr Keysym kNoSymbol = 0;
inline constexpr Keysym kVoidSymbol = 0xffffff;

inline constexpr ModMask kShiftMask = 1U << 0U;
inline constexpr ModMask kLockMask = 1U << 1U;
inline constexpr ModMask kControlMask = 1U << 2U;
inline constexpr ModMask kMod1Mask = 1U << 3U;

// One line of a key type's map: with exactly `modifiers` of the type's
// modifiers active, the key yields `level`; `preserve` are not consumed.
struct LevelMapping {
    ModMask modifiers = 0;
    std::uint8_t level = 0;
    ModMask preserve = 0;
};

struct KeyType {
    ModMask modifiers = 0;  // the modifiers the type looks at
    std::vector<LevelMapping> map;
};

struct KeyGroup {
    std::size_t type = 0;        // index into KeymapSnapshot::types
    std::vector<Keysym> levels;  // keysym of each level, kNoSymbol where none
};

// What happens to a group number beyond the groups a key has.
enum class GroupOverflow : std::uint8_t { Wrap, Clamp, Redirect };

struct KeyMapping {
    std::vector<KeyGroup> groups;
    GroupOverflow overflow = GroupOverflow::Wrap;
    std::uint8_t redirectGroup = 0;
    ModMask modifierMap = 0;  // the real modifiers this key sets when pressed

    bool hasSymbols() const;
};

struct KeymapSnapshot {
    Keycode minKeycode = 8;
    std::vector<KeyType> types;
    std::vector<KeyMapping> keys;  // keys[i] describes keycode minKeycode + i
    // The capital of each keysym of the map that has one, as clients convert
    // case when Caps Lock acts on a key whose type does not consume it.
    std::unordered_map<Keysym, Keysym> capitals;

    const KeyMapping* key(Keycode keycode) const;
};

// The keyboard state a key press meets: the effective group and modifiers.
struct KeyboardState {
    std::uint8_t group = 0;
    ModMask modifiers = 0;

    bool operator==(const KeyboardState&) const = default;
};

// The keysym a client reads from `keycode` pressed in `state`, Caps Lock's
// case conversion included; kNoSymbol when the key yields nothing.
Keysym keysymProduced(const KeymapSnapshot& keymap, Keycode keycode, KeyboardState state);

// The first key that yields `keysym` at its first level in some group, and
// the modifiers that key sets.
std::optional<Keycode> keycodeOf(const KeymapSnapshot& keymap, Keysym keysym);
ModMask modifierOf(const KeymapSnapshot& keymap, Keysym keysym);

// Keycodes with no symbols and no modifier, free to bind a keysym to.
std::vector<Keycode> spareKeycodes(const KeymapSnapshot& keymap);

}  // namespace vantorix::x11
