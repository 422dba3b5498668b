#include "typing/x11/key_table.h"

#include <X11/keysym.h>

#include <algorithm>
#include <initializer_list>

namespace vantorix::x11 {

namespace {

struct RoleKeysyms {
    ModifierRole role;
    std::initializer_list<Keysym> keysyms;  // in order of preference
};

const RoleKeysyms kRoleKeysyms[] = {
    {ModifierRole::Shift, {XK_Shift_L, XK_Shift_R}},
    {ModifierRole::Control, {XK_Control_L, XK_Control_R}},
    {ModifierRole::Alt, {XK_Alt_L, XK_Alt_R, XK_Meta_L}},
    {ModifierRole::LevelThree, {XK_ISO_Level3_Shift}},
    {ModifierRole::LevelFive, {XK_ISO_Level5_Shift}},
};

constexpr RoleSet kShift = roleBit(ModifierRole::Shift);
constexpr RoleSet kLevelThree = roleBit(ModifierRole::LevelThree);
constexpr RoleSet kLevelFive = roleBit(ModifierRole::LevelFive);

// The level modifier combinations, cheapest first.
constexpr RoleSet kLevelCombinations[] = {
    0,
    kShift,
    kLevelThree,
    kLevelFive,
    kShift | kLevelThree,
    kShift | kLevelFive,
    kLevelThree | kLevelFive,
    kShift | kLevelThree | kLevelFive,
};

std::optional<ModifierKey> findKeyProducing(const KeymapSnapshot& keymap, std::uint8_t group,
                                            Keysym wanted) {
    for (std::size_t i = 0; i < keymap.keys.size(); ++i) {
        const auto keycode = static_cast<Keycode>(keymap.minKeycode + i);
        const ModMask mask = keymap.keys[i].modifierMap;
        if (mask != 0 && keysymProduced(keymap, keycode, {group, 0}) == wanted) {
            return ModifierKey{keycode, mask};
        }
    }
    return std::nullopt;
}

}  // namespace

ModifierKeys ModifierKeys::find(const KeymapSnapshot& keymap, std::uint8_t group) {
    ModifierKeys found;
    for (const auto& [role, keysyms] : kRoleKeysyms) {
        for (const Keysym keysym : keysyms) {
            if (const auto key = findKeyProducing(keymap, group, keysym)) {
                found.set(role, *key);
                break;
            }
        }
    }
    return found;
}

bool ModifierKeys::has(RoleSet roles) const {
    for (std::size_t i = 0; i < kModifierRoleCount; ++i) {
        if ((roles & (1U << i)) != 0 && !keys_[i]) {
            return false;
        }
    }
    return true;
}

ModMask ModifierKeys::mask(RoleSet roles) const {
    ModMask mask = 0;
    for (std::size_t i = 0; i < kModifierRoleCount; ++i) {
        if ((roles & (1U << i)) != 0 && keys_[i]) {
            mask = static_cast<ModMask>(mask | keys_[i]->mask);
        }
    }
    return mask;
}

KeyTable::KeyTable(const KeymapSnapshot& keymap, const ModifierKeys& modifiers, KeyboardState fixed)
    : fixed_(fixed) {
    for (const RoleSet combination : kLevelCombinations) {
        if (!modifiers.has(combination)) {
            continue;
        }
        const KeyboardState state{
            fixed.group, static_cast<ModMask>(fixed.modifiers | modifiers.mask(combination))};
        for (std::size_t i = 0; i < keymap.keys.size(); ++i) {
            const auto keycode = static_cast<Keycode>(keymap.minKeycode + i);
            const Keysym keysym = keysymProduced(keymap, keycode, state);
            if (keysym != kNoSymbol && keysym != kVoidSymbol) {
                strokes_.try_emplace(keysym, KeyStroke{keycode, combination});
            }
        }
    }
}

std::optional<KeyStroke> KeyTable::find(Keysym keysym) const {
    const auto found = strokes_.find(keysym);
    if (found == strokes_.end()) {
        return std::nullopt;
    }
    return found->second;
}

}  // namespace vantorix::x11
