#include "typing/win32/input_plan.h"

#include <windows.h>

#include <algorithm>
#include <array>
#include <optional>

namespace vantorix::win32 {
namespace {

// A key no layout gives a character: pressed between a modifier's press and
// its release, it keeps the release from counting as a tap of Alt or Windows.
constexpr std::uint8_t kMaskKey = 0xE8;

constexpr std::array<std::uint8_t, 8> kModifierKeys = {
    VK_LSHIFT, VK_RSHIFT, VK_LCONTROL, VK_RCONTROL, VK_LMENU, VK_RMENU, VK_LWIN, VK_RWIN};

constexpr std::array<std::pair<ShiftState, std::uint8_t>, 3> kShiftKeys = {
    {{kShift, VK_LSHIFT}, {kControl, VK_LCONTROL}, {kAlt, VK_LMENU}}};

bool isAsciiLetter(char32_t c) {
    return (c >= U'a' && c <= U'z') || (c >= U'A' && c <= U'Z');
}

char32_t swapLetterCase(char32_t c) {
    constexpr char32_t kCaseDistance = U'a' - U'A';
    return c >= U'a' ? c - kCaseDistance : c + kCaseDistance;
}

// The key of a control character that has one.
std::optional<std::uint8_t> controlKey(char32_t c) {
    switch (c) {
        case U'\t':
            return VK_TAB;
        case U'\r':
        case U'\n':
            return VK_RETURN;
        case U'\b':
            return VK_BACK;
        case U'\x1b':
            return VK_ESCAPE;
        case U'\x7f':
            return VK_DELETE;
        default:
            return std::nullopt;
    }
}

bool isControl(char32_t c) {
    return c < U' ' || (c >= U'\x7f' && c < U'\xa0');
}

ShiftState shiftStateOf(const Modifiers& modifiers) {
    return static_cast<ShiftState>((modifiers.shift ? kShift : 0) |
                                   (modifiers.control ? kControl : 0) | (modifiers.alt ? kAlt : 0));
}

bool needsMask(std::uint8_t key) {
    return key == VK_LMENU || key == VK_RMENU || key == VK_LWIN || key == VK_RWIN;
}

class InputPlan {
  public:
    InputPlan(const KeyboardLayout& layout, bool capsLock) : layout_(layout), capsLock_(capsLock) {}

    void releaseHeld(std::span<const std::uint8_t> held) {
        if (std::any_of(held.begin(), held.end(), needsMask)) {
            tap(kMaskKey, 1);
        }
        for (const std::uint8_t key : held) {
            press(key, true);
        }
    }

    void pressAgain(std::span<const std::uint8_t> held) {
        for (const std::uint8_t key : held) {
            press(key, false);
        }
        if (std::any_of(held.begin(), held.end(), needsMask)) {
            tap(kMaskKey, 1);
        }
    }

    void type(const KeyAction& action) {
        const ShiftState asked = shiftStateOf(action.modifiers);
        if (action.kind == KeyAction::Kind::Named) {
            typeKey(virtualKeyFor(action.key), asked, action.repeat);
            if (action.key == NamedKey::CapsLock && action.repeat % 2 == 1) {
                capsLock_ = !capsLock_;
            }
        } else if (isControl(action.character)) {
            if (const auto key = controlKey(action.character)) {
                typeKey(*key, asked, action.repeat);
            }
        } else {
            typeCharacter(action.character, asked, action.repeat);
        }
    }

    std::vector<KeyInput> finish() {
        holdExactly(0);
        return std::move(inputs_);
    }

  private:
    void typeCharacter(char32_t character, ShiftState asked, int repeat) {
        // What a keyboard with Caps Lock as it is would type for this character.
        const char32_t wanted =
            capsLock_ && isAsciiLetter(character) ? swapLetterCase(character) : character;
        const std::optional<KeyChord> chord =
            character <= 0xFFFF ? layout_.chordFor(static_cast<char16_t>(character)) : std::nullopt;
        if (chord && asked != 0) {
            typeKey(chord->virtualKey, static_cast<ShiftState>(chord->shift | asked), repeat);
        } else if (const auto exact = chord ? exactChord(*chord, wanted) : std::nullopt) {
            typeKey(exact->virtualKey, exact->shift, repeat);
        } else {
            holdExactly(asked);
            for (int i = 0; i < repeat; ++i) {
                typeUnicode(wanted);
            }
        }
    }

    // `chord`, or the same key with Shift the other way round, if it types
    // exactly `wanted` now.
    std::optional<KeyChord> exactChord(KeyChord chord, char32_t wanted) const {
        const KeyChord otherShift{chord.virtualKey, static_cast<ShiftState>(chord.shift ^ kShift)};
        for (const KeyChord candidate : {chord, otherShift}) {
            const auto typed = layout_.typedBy(candidate, capsLock_);
            if (typed && static_cast<char32_t>(*typed) == wanted) {
                return candidate;
            }
        }
        return std::nullopt;
    }

    void typeKey(std::uint8_t key, ShiftState shift, int repeat) {
        holdExactly(shift);
        tap(key, repeat);
    }

    void typeUnicode(char32_t character) {
        std::array<char16_t, 2> units{static_cast<char16_t>(character), 0};
        std::size_t count = 1;
        if (character > 0xFFFF) {
            const char32_t offset = character - 0x10000;
            units = {static_cast<char16_t>(0xD800 + (offset >> 10)),
                     static_cast<char16_t>(0xDC00 + (offset & 0x3FF))};
            count = 2;
        }
        for (std::size_t i = 0; i < count; ++i) {
            inputs_.push_back({0, units[i], false, false});
            inputs_.push_back({0, units[i], true, false});
        }
    }

    void tap(std::uint8_t key, int times) {
        for (int i = 0; i < times; ++i) {
            press(key, false);
            press(key, true);
        }
    }

    void press(std::uint8_t key, bool up) { inputs_.push_back({key, 0, up, isExtendedKey(key)}); }

    // Presses and lets go of Shift, Control and Alt so that exactly `shift` is down.
    void holdExactly(ShiftState shift) {
        for (const auto& [bit, key] : kShiftKeys) {
            const bool wanted = (shift & bit) != 0;
            if (wanted != ((down_ & bit) != 0)) {
                press(key, !wanted);
            }
        }
        down_ = shift;
    }

    const KeyboardLayout& layout_;
    bool capsLock_;
    ShiftState down_ = 0;
    std::vector<KeyInput> inputs_;
};

}  // namespace

std::vector<KeyInput> planInput(const std::vector<KeyAction>& actions, const KeyboardLayout& layout,
                                bool capsLock, std::span<const std::uint8_t> heldKeys) {
    InputPlan plan(layout, capsLock);
    plan.releaseHeld(heldKeys);
    for (const KeyAction& action : actions) {
        plan.type(action);
    }
    std::vector<KeyInput> inputs = plan.finish();
    InputPlan after(layout, capsLock);
    after.pressAgain(heldKeys);
    const std::vector<KeyInput> again = after.finish();
    inputs.insert(inputs.end(), again.begin(), again.end());
    return inputs;
}

std::uint8_t virtualKeyFor(NamedKey key) {
    switch (key) {
        case NamedKey::Backspace:
            return VK_BACK;
        case NamedKey::Break:
            return VK_CANCEL;
        case NamedKey::CapsLock:
            return VK_CAPITAL;
        case NamedKey::Delete:
            return VK_DELETE;
        case NamedKey::Down:
            return VK_DOWN;
        case NamedKey::End:
            return VK_END;
        case NamedKey::Enter:
            return VK_RETURN;
        case NamedKey::Escape:
            return VK_ESCAPE;
        case NamedKey::Help:
            return VK_HELP;
        case NamedKey::Home:
            return VK_HOME;
        case NamedKey::Insert:
            return VK_INSERT;
        case NamedKey::Left:
            return VK_LEFT;
        case NamedKey::NumLock:
            return VK_NUMLOCK;
        case NamedKey::PageDown:
            return VK_NEXT;
        case NamedKey::PageUp:
            return VK_PRIOR;
        case NamedKey::PrintScreen:
            return VK_SNAPSHOT;
        case NamedKey::Right:
            return VK_RIGHT;
        case NamedKey::ScrollLock:
            return VK_SCROLL;
        case NamedKey::Tab:
            return VK_TAB;
        case NamedKey::Up:
            return VK_UP;
        case NamedKey::Add:
            return VK_ADD;
        case NamedKey::Subtract:
            return VK_SUBTRACT;
        case NamedKey::Multiply:
            return VK_MULTIPLY;
        case NamedKey::Divide:
            return VK_DIVIDE;
        case NamedKey::F1:
        case NamedKey::F2:
        case NamedKey::F3:
        case NamedKey::F4:
        case NamedKey::F5:
        case NamedKey::F6:
        case NamedKey::F7:
        case NamedKey::F8:
        case NamedKey::F9:
        case NamedKey::F10:
        case NamedKey::F11:
        case NamedKey::F12:
        case NamedKey::F13:
        case NamedKey::F14:
        case NamedKey::F15:
        case NamedKey::F16:
            // They follow each other, as their virtual keys do.
            return static_cast<std::uint8_t>(
                VK_F1 + (static_cast<int>(key) - static_cast<int>(NamedKey::F1)));
    }
    return 0;
}

bool isExtendedKey(std::uint16_t virtualKey) {
    switch (virtualKey) {
        case VK_CANCEL:
        case VK_PRIOR:
        case VK_NEXT:
        case VK_END:
        case VK_HOME:
        case VK_LEFT:
        case VK_UP:
        case VK_RIGHT:
        case VK_DOWN:
        case VK_SNAPSHOT:
        case VK_INSERT:
        case VK_DELETE:
        case VK_DIVIDE:
        case VK_NUMLOCK:
        case VK_RCONTROL:
        case VK_RMENU:
        case VK_LWIN:
        case VK_RWIN:
            return true;
        default:
            return false;
    }
}

std::span<const std::uint8_t> modifierKeys() {
    return kModifierKeys;
}

}  // namespace vantorix::win32
