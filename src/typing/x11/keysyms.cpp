#include "typing/x11/keysyms.h"

// Typographic keysyms (dashes, quotation marks...) are not declared by default.
#define XK_PUBLISHING
#define XK_TECHNICAL
#include <X11/keysym.h>

#include <algorithm>
#include <utility>

namespace vantorix::x11 {

namespace {

// Characters of the Windows-1252 code page beyond Latin-1 that have keysyms
// of their own; layouts put these keysyms on their keys, not the Unicode ones.
constexpr std::pair<char32_t, Keysym> kLegacyKeysyms[] = {
    {U'\u0152', XK_OE},
    {U'\u0153', XK_oe},
    {U'\u0160', XK_Scaron},
    {U'\u0161', XK_scaron},
    {U'\u0178', XK_Ydiaeresis},
    {U'\u017D', XK_Zcaron},
    {U'\u017E', XK_zcaron},
    {U'\u0192', XK_function},
    {U'\u2013', XK_endash},
    {U'\u2014', XK_emdash},
    {U'\u2018', XK_leftsinglequotemark},
    {U'\u2019', XK_rightsinglequotemark},
    {U'\u201A', XK_singlelowquotemark},
    {U'\u201C', XK_leftdoublequotemark},
    {U'\u201D', XK_rightdoublequotemark},
    {U'\u201E', XK_doublelowquotemark},
    {U'\u2020', XK_dagger},
    {U'\u2021', XK_doubledagger},
    {U'\u2022', XK_enfilledcircbullet},
    {U'\u2026', XK_ellipsis},
    {U'\u2030', XK_permille},
    {U'\u20AC', XK_EuroSign},
    {U'\u2122', XK_trademark},
};

constexpr Keysym kUnicodeKeysymBase = 0x01000000;

constexpr std::pair<NamedKey, Keysym> kNamedKeysyms[] = {
    {NamedKey::Backspace, XK_BackSpace},
    {NamedKey::Break, XK_Break},
    {NamedKey::CapsLock, XK_Caps_Lock},
    {NamedKey::Delete, XK_Delete},
    {NamedKey::Down, XK_Down},
    {NamedKey::End, XK_End},
    {NamedKey::Enter, XK_Return},
    {NamedKey::Escape, XK_Escape},
    {NamedKey::Help, XK_Help},
    {NamedKey::Home, XK_Home},
    {NamedKey::Insert, XK_Insert},
    {NamedKey::Left, XK_Left},
    {NamedKey::NumLock, XK_Num_Lock},
    {NamedKey::PageDown, XK_Next},
    {NamedKey::PageUp, XK_Prior},
    {NamedKey::PrintScreen, XK_Print},
    {NamedKey::Right, XK_Right},
    {NamedKey::ScrollLock, XK_Scroll_Lock},
    {NamedKey::Tab, XK_Tab},
    {NamedKey::Up, XK_Up},
    {NamedKey::F1, XK_F1},
    {NamedKey::F2, XK_F2},
    {NamedKey::F3, XK_F3},
    {NamedKey::F4, XK_F4},
    {NamedKey::F5, XK_F5},
    {NamedKey::F6, XK_F6},
    {NamedKey::F7, XK_F7},
    {NamedKey::F8, XK_F8},
    {NamedKey::F9, XK_F9},
    {NamedKey::F10, XK_F10},
    {NamedKey::F11, XK_F11},
    {NamedKey::F12, XK_F12},
    {NamedKey::F13, XK_F13},
    {NamedKey::F14, XK_F14},
    {NamedKey::F15, XK_F15},
    {NamedKey::F16, XK_F16},
    {NamedKey::Add, XK_KP_Add},
    {NamedKey::Subtract, XK_KP_Subtract},
    {NamedKey::Multiply, XK_KP_Multiply},
    {NamedKey::Divide, XK_KP_Divide},
};

// Control characters that have a key: the rest (bell, form feed, the C1
// codes of undefined bytes...) produce no keystroke.
Keysym controlKeysym(char32_t character) {
    switch (character) {
        case U'\t':
            return XK_Tab;
        case U'\r':
        case U'\n':
            return XK_Return;
        case U'\b':
            return XK_BackSpace;
        case U'\x1b':
            return XK_Escape;
        case U'\x7f':
            return XK_Delete;
        default:
            return kNoSymbol;
    }
}

constexpr bool isControl(char32_t character) {
    return character < U' ' || (character >= U'\x7f' && character < U'\xa0');
}

}  // namespace

KeysymChoice keysymsFor(char32_t character) {
    if (isControl(character)) {
        return {controlKeysym(character), kNoSymbol};
    }
    // Latin-1 keysyms are the code points themselves.
    if (character < U'\x100') {
        return {character, kNoSymbol};
    }
    const Keysym unicode = kUnicodeKeysymBase | character;
    const auto* legacy =
        std::find_if(std::begin(kLegacyKeysyms), std::end(kLegacyKeysyms),
                     [character](const auto& entry) { return entry.first == character; });
    if (legacy != std::end(kLegacyKeysyms)) {
        return {legacy->second, unicode};
    }
    return {unicode, kNoSymbol};
}

Keysym keysymFor(NamedKey key) {
    const auto* named = std::find_if(std::begin(kNamedKeysyms), std::end(kNamedKeysyms),
                                     [key](const auto& entry) { return entry.first == key; });
    return named != std::end(kNamedKeysyms) ? named->second : kNoSymbol;
}

}  // namespace vantorix::x11
