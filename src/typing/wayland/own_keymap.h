#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "typing/wayland/keysyms.h"

namespace vantorix::wayland {

// The modifier masks of the keyboard's keymaps, as the modifiers request takes
// them: Shift, Control and Alt (Mod1).
inline constexpr std::uint32_t kShiftMask = 1U << 0U;
inline constexpr std::uint32_t kControlMask = 1U << 2U;
inline constexpr std::uint32_t kAltMask = 1U << 3U;

// X11 clients (under XWayland) see only keycodes 9 to 255.
inline constexpr std::uint32_t kFirstKeycode = 9;
inline constexpr std::uint32_t kLastKeycode = 255;
// The key requests carry keycodes less this.
inline constexpr std::uint32_t kKeycodeOffset = 8;

// A keymap of the keyboard's own, which the user's layout never touches: one
// key per keysym, each with that keysym on its only level, so that a key
// types its character whatever the locks and the layout of other keyboards.
// Its first keycodes hold Shift, Control and Alt keys, so that clients know
// which modifiers those are.
class OwnKeymap {
  public:
    // The keysyms a key string needs most, on keys from the start: printable
    // ASCII, the keys of the control characters and every named key.
    static OwnKeymap common();

    // How many keysyms fit beside the modifier keys.
    static std::size_t capacity();

    std::optional<std::uint32_t> keycodeOf(Keysym keysym) const;
    // Puts `keysym` on a key of its own (or finds the one it has); nullopt when
    // the keymap is full.
    std::optional<std::uint32_t> add(Keysym keysym);
    std::size_t size() const { return keysyms_.size(); }

    // The keymap in XKB's text format, compiled and written out by
    // libxkbcommon, as a virtual keyboard takes it; empty if libxkbcommon
    // rejects it.
    std::string text() const;

  private:
    std::string source() const;

    std::vector<Keysym> keysyms_;  // keysyms_[i] is on the i-th key after the modifier keys
    std::unordered_map<Keysym, std::uint32_t> keycodes_;
};

}  // namespace vantorix::wayland
