#pragma once

#include <cstdint>
#include <optional>

namespace vantorix::win32 {

// Which of Shift, Control and Alt a key is pressed with, as the high byte of
// VkKeyScanExW gives it: Control with Alt is AltGr.
using ShiftState = std::uint8_t;
inline constexpr ShiftState kShift = 1;
inline constexpr ShiftState kControl = 2;
inline constexpr ShiftState kAlt = 4;

struct KeyChord {
    std::uint8_t virtualKey = 0;
    ShiftState shift = 0;

    bool operator==(const KeyChord&) const = default;
};

// The keyboard layout of the window that receives the keys, as far as typing
// needs it.
class KeyboardLayout {
  public:
    virtual ~KeyboardLayout() = default;
    // The key and shift state that type `character` with Caps Lock off; empty
    // when no key of the layout does.
    virtual std::optional<KeyChord> chordFor(char16_t character) const = 0;
    // The character that `chord` types with Caps Lock on or off; empty when it
    // types none or more than one, or is a dead key that waits for the next.
    virtual std::optional<char16_t> typedBy(KeyChord chord, bool capsLock) const = 0;
};

}  // namespace vantorix::win32
