#include "typing/x11/keymap_reader.h"

#include <X11/XKBlib.h>
#include <X11/Xutil.h>

#include <memory>

namespace vantorix::x11 {

namespace {

struct KeyboardDescriptionDeleter {
    void operator()(XkbDescPtr description) const { XkbFreeKeyboard(description, 0, True); }
};
using KeyboardDescription = std::unique_ptr<XkbDescRec, KeyboardDescriptionDeleter>;

KeyType readType(const XkbKeyTypeRec& source) {
    KeyType type;
    type.modifiers = source.mods.mask;
    for (int i = 0; i < source.map_count; ++i) {
        const XkbKTMapEntryRec& entry = source.map[i];
        // An entry whose virtual modifiers are bound to no real one never applies.
        if (entry.active == 0) {
            continue;
        }
        type.map.push_back(
            {entry.mods.mask, entry.level,
             source.preserve != nullptr ? source.preserve[i].mask : static_cast<ModMask>(0)});
    }
    return type;
}

GroupOverflow overflowOf(unsigned groupInfo) {
    switch (XkbOutOfRangeGroupAction(groupInfo)) {
        case XkbClampIntoRange:
            return GroupOverflow::Clamp;
        case XkbRedirectIntoRange:
            return GroupOverflow::Redirect;
        default:
            return GroupOverflow::Wrap;
    }
}

KeyMapping readKey(const XkbDescRec& xkb, int keycode) {
    const XkbClientMapRec& map = *xkb.map;
    const XkbSymMapRec& symbols = map.key_sym_map[keycode];
    KeyMapping key;
    key.overflow = overflowOf(symbols.group_info);
    key.redirectGroup = static_cast<std::uint8_t>(XkbOutOfRangeGroupNumber(symbols.group_info));
    key.modifierMap = map.modmap != nullptr ? map.modmap[keycode] : static_cast<ModMask>(0);
    const int groups = XkbNumGroups(symbols.group_info);
    for (int group = 0; group < groups; ++group) {
        KeyGroup keyGroup;
        keyGroup.type = symbols.kt_index[group & 3];
        if (keyGroup.type >= map.num_types) {
            key.groups.push_back(std::move(keyGroup));  // a group that yields nothing
            continue;
        }
        const int levels = map.types[keyGroup.type].num_levels;
        const KeySym* syms = &map.syms[symbols.offset + group * symbols.width];
        for (int level = 0; level < levels && level < symbols.width; ++level) {
            keyGroup.levels.push_back(static_cast<Keysym>(syms[level]));
        }
        key.groups.push_back(std::move(keyGroup));
    }
    return key;
}

void addCapitals(KeymapSnapshot& keymap) {
    for (const KeyMapping& key : keymap.keys) {
        for (const KeyGroup& group : key.groups) {
            for (const Keysym keysym : group.levels) {
                KeySym lower = 0;
                KeySym upper = 0;
                XConvertCase(keysym, &lower, &upper);
                if (upper != keysym) {
                    keymap.capitals.emplace(keysym, static_cast<Keysym>(upper));
                }
            }
        }
    }
}

}  // namespace

std::optional<KeymapSnapshot> readKeymap(Display* display) {
    const KeyboardDescription xkb(
        XkbGetMap(display, XkbKeyTypesMask | XkbKeySymsMask | XkbModifierMapMask, XkbUseCoreKbd));
    if (!xkb || xkb->map == nullptr || xkb->map->key_sym_map == nullptr) {
        return std::nullopt;
    }
    KeymapSnapshot keymap;
    keymap.minKeycode = xkb->min_key_code;
    for (int i = 0; i < xkb->map->num_types; ++i) {
        keymap.types.push_back(readType(xkb->map->types[i]));
    }
    for (int keycode = xkb->min_key_code; keycode <= xkb->max_key_code; ++keycode) {
        keymap.keys.push_back(readKey(*xkb, keycode));
    }
    addCapitals(keymap);
    return keymap;
}

}  // namespace vantorix::x11
