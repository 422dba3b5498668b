#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <unordered_map>

#include "typing/win32/keyboard_layout.h"

namespace vantorix::win32 {

// A keyboard layout of the system (VkKeyScanExW, ToUnicodeEx), with the
// answers kept: a layout does not change while it is loaded.
class LayoutLookup final : public KeyboardLayout {
  public:
    explicit LayoutLookup(HKL layout) : layout_(layout) {}

    std::optional<KeyChord> chordFor(char16_t character) const override;
    std::optional<char16_t> typedBy(KeyChord chord, bool capsLock) const override;

    HKL handle() const { return layout_; }

  private:
    std::optional<char16_t> askTypedBy(KeyChord chord, bool capsLock) const;

    HKL layout_;
    mutable std::unordered_map<char16_t, std::optional<KeyChord>> chords_;
    mutable std::unordered_map<std::uint32_t, std::optional<char16_t>> typed_;
};

// The layout of the thread whose window has the keyboard focus, where the
// keys go; the caller's own when no window has it.
HKL foregroundLayout();

}  // namespace vantorix::win32
