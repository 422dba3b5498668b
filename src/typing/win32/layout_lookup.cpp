#include "typing/win32/layout_lookup.h"

#include <array>

namespace vantorix::win32 {
namespace {

// ToUnicodeEx flag (Windows 10 1607 and later): leave the keyboard state,
// dead keys included, as it is.
constexpr UINT kKeepKeyboardState = 0x4;
constexpr BYTE kDown = 0x80;
constexpr BYTE kToggled = 0x01;
constexpr SHORT kNoKey = -1;
// The shift state bits of VkKeyScanExW beyond Shift, Control and Alt
// (Hankaku and the layout's own): keys that need them are not typed.
constexpr int kOtherShiftBits = 0xF8;

}  // namespace

std::optional<KeyChord> LayoutLookup::chordFor(char16_t character) const {
    if (const auto known = chords_.find(character); known != chords_.end()) {
        return known->second;
    }
    const SHORT scan = VkKeyScanExW(static_cast<WCHAR>(character), layout_);
    std::optional<KeyChord> chord;
    if (scan != kNoKey && (HIBYTE(scan) & kOtherShiftBits) == 0) {
        chord = KeyChord{LOBYTE(scan), static_cast<ShiftState>(HIBYTE(scan))};
    }
    chords_.emplace(character, chord);
    return chord;
}

std::optional<char16_t> LayoutLookup::typedBy(KeyChord chord, bool capsLock) const {
    const auto key = static_cast<std::uint32_t>(chord.virtualKey | (chord.shift << 8) |
                                                (capsLock ? 1U << 16 : 0U));
    if (const auto known = typed_.find(key); known != typed_.end()) {
        return known->second;
    }
    const std::optional<char16_t> typed = askTypedBy(chord, capsLock);
    typed_.emplace(key, typed);
    return typed;
}

std::optional<char16_t> LayoutLookup::askTypedBy(KeyChord chord, bool capsLock) const {
    std::array<BYTE, 256> state{};
    const auto hold = [&state](UINT both, UINT left) {
        state[both] = kDown;
        state[left] = kDown;
    };
    if ((chord.shift & kShift) != 0) {
        hold(VK_SHIFT, VK_LSHIFT);
    }
    if ((chord.shift & kControl) != 0) {
        hold(VK_CONTROL, VK_LCONTROL);
    }
    if ((chord.shift & kAlt) != 0) {
        hold(VK_MENU, VK_LMENU);
    }
    if (capsLock) {
        state[VK_CAPITAL] = kToggled;
    }
    const UINT scanCode = MapVirtualKeyExW(chord.virtualKey, MAPVK_VK_TO_VSC, layout_);
    std::array<WCHAR, 8> typed{};
    const int count = ToUnicodeEx(chord.virtualKey, scanCode, state.data(), typed.data(),
                                  static_cast<int>(typed.size()), kKeepKeyboardState, layout_);
    if (count < 0) {
        // A dead key: where the flag above is not known, the key now waits in
        // this thread's state for the next one. A second press types it out
        // and clears it.
        ToUnicodeEx(chord.virtualKey, scanCode, state.data(), typed.data(),
                    static_cast<int>(typed.size()), kKeepKeyboardState, layout_);
        return std::nullopt;
    }
    if (count != 1) {
        return std::nullopt;
    }
    return static_cast<char16_t>(typed[0]);
}

HKL foregroundLayout() {
    const HWND foreground = GetForegroundWindow();
    const DWORD thread = foreground != nullptr ? GetWindowThreadProcessId(foreground, nullptr) : 0;
    return GetKeyboardLayout(thread);
}

}  // namespace vantorix::win32
