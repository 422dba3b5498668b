#include "typing/x11/keymap.h"

#include <algorithm>

namespace vantorix::x11 {

namespace {

// The group of `key` that a state's group selects.
std::size_t effectiveGroup(const KeyMapping& key, std::uint8_t group) {
    const std::size_t count = key.groups.size();
    if (group < count) {
        return group;
    }
    switch (key.overflow) {
        case GroupOverflow::Clamp:
            return count - 1;
        case GroupOverflow::Redirect:
            return key.redirectGroup < count ? key.redirectGroup : 0;
        case GroupOverflow::Wrap:
            break;
    }
    return group % count;
}

Keysym keysymAtLevel(const KeyMapping& key, std::size_t group, std::size_t level) {
    const auto& levels = key.groups[group].levels;
    return level < levels.size() ? levels[level] : kNoSymbol;
}

}  // namespace

bool KeyMapping::hasSymbols() const {
    return std::any_of(groups.begin(), groups.end(), [](const KeyGroup& group) {
        return std::any_of(group.levels.begin(), group.levels.end(),
                           [](Keysym keysym) { return keysym != kNoSymbol; });
    });
}

const KeyMapping* KeymapSnapshot::key(Keycode keycode) const {
    if (keycode < minKeycode || keycode - minKeycode >= static_cast<int>(keys.size())) {
        return nullptr;
    }
    return &keys[static_cast<std::size_t>(keycode - minKeycode)];
}

Keysym keysymProduced(const KeymapSnapshot& keymap, Keycode keycode, KeyboardState state) {
    const KeyMapping* key = keymap.key(keycode);
    if (key == nullptr || key->groups.empty()) {
        return kNoSymbol;
    }
    const std::size_t group = effectiveGroup(*key, state.group);
    const std::size_t typeIndex = key->groups[group].type;
    if (typeIndex >= keymap.types.size()) {
        return kNoSymbol;
    }
    const KeyType& type = keymap.types[typeIndex];
    const auto active = static_cast<ModMask>(state.modifiers & type.modifiers);
    const auto mapping =
        std::find_if(type.map.begin(), type.map.end(),
                     [active](const LevelMapping& m) { return m.modifiers == active; });
    const std::size_t level = mapping == type.map.end() ? 0 : mapping->level;
    const ModMask preserved = mapping == type.map.end() ? 0 : mapping->preserve;

    Keysym keysym = keysymAtLevel(*key, group, level);
    const auto consumed = static_cast<ModMask>(type.modifiers & ~preserved);
    if ((state.modifiers & kLockMask) != 0 && (consumed & kLockMask) == 0) {
        if (const auto capital = keymap.capitals.find(keysym); capital != keymap.capitals.end()) {
            keysym = capital->second;
        }
    }
    return keysym;
}

std::optional<Keycode> keycodeOf(const KeymapSnapshot& keymap, Keysym keysym) {
    for (std::size_t i = 0; i < keymap.keys.size(); ++i) {
        const auto& groups = keymap.keys[i].groups;
        if (std::any_of(groups.begin(), groups.end(), [keysym](const KeyGroup& group) {
                return !group.levels.empty() && group.levels.front() == keysym;
            })) {
            return static_cast<Keycode>(keymap.minKeycode + i);
        }
    }
    return std::nullopt;
}

ModMask modifierOf(const KeymapSnapshot& keymap, Keysym keysym) {
    const auto keycode = keycodeOf(keymap, keysym);
    return keycode ? keymap.key(*keycode)->modifierMap : 0;
}

std::vector<Keycode> spareKeycodes(const KeymapSnapshot& keymap) {
    std::vector<Keycode> spare;
    for (std::size_t i = 0; i < keymap.keys.size(); ++i) {
        const KeyMapping& key = keymap.keys[i];
        if (!key.hasSymbols() && key.modifierMap == 0) {
            spare.push_back(static_cast<Keycode>(keymap.minKeycode + i));
        }
    }
    return spare;
}

}  // namespace vantorix::x11
