#include "typing/wayland/keysyms.h"

#include <xkbcommon/xkbcommon.h>

#include <algorithm>
#include <utility>

namespace vantorix::wayland {

namespace {

constexpr std::pair<NamedKey, Keysym> kNamedKeysyms[] = {
    {NamedKey::Backspace, XKB_KEY_BackSpace},
    {NamedKey::Break, XKB_KEY_Break},
    {NamedKey::CapsLock, XKB_KEY_Caps_Lock},
    {NamedKey::Delete, XKB_KEY_Delete},
    {NamedKey::Down, XKB_KEY_Down},
    {NamedKey::End, XKB_KEY_End},
    {NamedKey::Enter, XKB_KEY_Return},
    {NamedKey::Escape, XKB_KEY_Escape},
    {NamedKey::Help, XKB_KEY_Help},
    {NamedKey::Home, XKB_KEY_Home},
    {NamedKey::Insert, XKB_KEY_Insert},
    {NamedKey::Left, XKB_KEY_Left},
    {NamedKey::NumLock, XKB_KEY_Num_Lock},
    {NamedKey::PageDown, XKB_KEY_Next},
    {NamedKey::PageUp, XKB_KEY_Prior},
    {NamedKey::PrintScreen, XKB_KEY_Print},
    {NamedKey::Right, XKB_KEY_Right},
    {NamedKey::ScrollLock, XKB_KEY_Scroll_Lock},
    {NamedKey::Tab, XKB_KEY_Tab},
    {NamedKey::Up, XKB_KEY_Up},
    {NamedKey::F1, XKB_KEY_F1},
    {NamedKey::F2, XKB_KEY_F2},
    {NamedKey::F3, XKB_KEY_F3},
    {NamedKey::F4, XKB_KEY_F4},
    {NamedKey::F5, XKB_KEY_F5},
    {NamedKey::F6, XKB_KEY_F6},
    {NamedKey::F7, XKB_KEY_F7},
    {NamedKey::F8, XKB_KEY_F8},
    {NamedKey::F9, XKB_KEY_F9},
    {NamedKey::F10, XKB_KEY_F10},
    {NamedKey::F11, XKB_KEY_F11},
    {NamedKey::F12, XKB_KEY_F12},
    {NamedKey::F13, XKB_KEY_F13},
    {NamedKey::F14, XKB_KEY_F14},
    {NamedKey::F15, XKB_KEY_F15},
    {NamedKey::F16, XKB_KEY_F16},
    {NamedKey::Add, XKB_KEY_KP_Add},
    {NamedKey::Subtract, XKB_KEY_KP_Subtract},
    {NamedKey::Multiply, XKB_KEY_KP_Multiply},
    {NamedKey::Divide, XKB_KEY_KP_Divide},
};

Keysym controlKeysym(char32_t character) {
    switch (character) {
        case U'\t':
            return XKB_KEY_Tab;
        case U'\r':
        case U'\n':
            return XKB_KEY_Return;
        case U'\b':
            return XKB_KEY_BackSpace;
        case U'\x1b':
            return XKB_KEY_Escape;
        case U'\x7f':
            return XKB_KEY_Delete;
        default:
            return XKB_KEY_NoSymbol;
    }
}

constexpr bool isControl(char32_t character) {
    return character < U' ' || (character >= U'\x7f' && character < U'\xa0');
}

Keysym characterKeysym(char32_t character) {
    return isControl(character) ? controlKeysym(character) : xkb_utf32_to_keysym(character);
}

Keysym namedKeysym(NamedKey key) {
    const auto* named = std::find_if(std::begin(kNamedKeysyms), std::end(kNamedKeysyms),
                                     [key](const auto& entry) { return entry.first == key; });
    return named != std::end(kNamedKeysyms) ? named->second : Keysym{XKB_KEY_NoSymbol};
}

}  // namespace

Keysym keysymFor(const KeyAction& action) {
    const Keysym keysym = action.kind == KeyAction::Kind::Named ? namedKeysym(action.key)
                                                                : characterKeysym(action.character);
    return action.modifiers.shift ? xkb_keysym_to_upper(keysym) : keysym;
}

const std::vector<Keysym>& namedKeysyms() {
    static const std::vector<Keysym> keysyms = [] {
        std::vector<Keysym> all;
        for (const auto& [key, keysym] : kNamedKeysyms) {
            all.push_back(keysym);
        }
        return all;
    }();
    return keysyms;
}

}  // namespace vantorix::wayland
