#include "typing/wayland/layout_planner.h"

#include <xkbcommon/xkbcommon.h>

#include <algorithm>
#include <array>
#include <string_view>
#include <utility>

namespace vantorix::wayland {

namespace {

struct KeymapDeleter {
    void operator()(xkb_keymap* keymap) const { xkb_keymap_unref(keymap); }
};
struct ContextDeleter {
    void operator()(xkb_context* context) const { xkb_context_unref(context); }
};
struct StateDeleter {
    void operator()(xkb_state* state) const { xkb_state_unref(state); }
};

constexpr xkb_layout_index_t kFirstLayout = 0;
constexpr std::uint32_t kEvdevOffset = 8;
// AltGr on the keyboards the layouts are made for; preferred when it carries
// the third level, as other keys that do (LVL3) exist only in the keymap.
constexpr std::uint32_t kRightAltCode = 100;

// The accented letters of Windows-1252's upper half, from U+00C0: the base
// letter (capital; its small form is 0x20 further on) and the accent, '.'
// where there is none.
constexpr std::string_view kAccentedBases = "AAAAAA.CEEEEIIII.NOOOOO..UUUUY..";
constexpr std::string_view kAccents = "`'^~\"o.,`'^\"`'^\".~`'^~\"..`'^\"'..";

Keysym deadKeysymOf(char accent) {
    switch (accent) {
        case '`':
            return XKB_KEY_dead_grave;
        case '\'':
            return XKB_KEY_dead_acute;
        case '^':
            return XKB_KEY_dead_circumflex;
        case '~':
            return XKB_KEY_dead_tilde;
        case '"':
            return XKB_KEY_dead_diaeresis;
        case 'o':
            return XKB_KEY_dead_abovering;
        case ',':
            return XKB_KEY_dead_cedilla;
        case 'v':
            return XKB_KEY_dead_caron;
        default:
            return XKB_KEY_NoSymbol;
    }
}

// The dead key and the character after it that compose `character`, as
// windows compose them; {0, 0} when there are none.
struct Composition {
    Keysym dead = XKB_KEY_NoSymbol;
    Keysym next = XKB_KEY_NoSymbol;
};

Composition compositionOf(char32_t character) {
    switch (character) {
        // An accent alone: after a space, or for those whose dead key with a
        // space gives an ASCII character, after the dead key again.
        case U'^':
            return {XKB_KEY_dead_circumflex, XKB_KEY_space};
        case U'`':
            return {XKB_KEY_dead_grave, XKB_KEY_space};
        case U'~':
            return {XKB_KEY_dead_tilde, XKB_KEY_space};
        case U'\u00b4':
            return {XKB_KEY_dead_acute, XKB_KEY_dead_acute};
        case U'\u00a8':
            return {XKB_KEY_dead_diaeresis, XKB_KEY_dead_diaeresis};
        case U'\u00b8':
            return {XKB_KEY_dead_cedilla, XKB_KEY_dead_cedilla};
        case U'\u0160':
            return {XKB_KEY_dead_caron, XKB_KEY_S};
        case U'\u0161':
            return {XKB_KEY_dead_caron, XKB_KEY_s};
        case U'\u017d':
            return {XKB_KEY_dead_caron, XKB_KEY_Z};
        case U'\u017e':
            return {XKB_KEY_dead_caron, XKB_KEY_z};
        case U'\u0178':
            return {XKB_KEY_dead_diaeresis, XKB_KEY_Y};
        case U'\u00ff':
            return {XKB_KEY_dead_diaeresis, XKB_KEY_y};
        default:
            break;
    }
    if (character < U'\u00c0' || character > U'\u00fe') {
        return {};
    }
    const bool small = character >= U'\u00e0';
    const std::size_t at = (character - U'\u00c0') % 0x20;
    if (kAccentedBases[at] == '.') {
        return {};
    }
    const auto base = static_cast<char32_t>(kAccentedBases[at] + (small ? 0x20 : 0));
    return {deadKeysymOf(kAccents[at]), xkb_utf32_to_keysym(base)};
}

// The modifiers a key held down sets, in the keymap's own mask bits.
xkb_mod_mask_t modifiersOf(xkb_keymap* keymap, std::uint32_t code) {
    std::unique_ptr<xkb_state, StateDeleter> state(xkb_state_new(keymap));
    xkb_state_update_key(state.get(), code + kEvdevOffset, XKB_KEY_DOWN);
    return xkb_state_serialize_mods(state.get(), XKB_STATE_MODS_DEPRESSED);
}

}  // namespace

std::unique_ptr<LayoutPlanner> LayoutPlanner::fromText(const std::string& keymap) {
    std::unique_ptr<xkb_context, ContextDeleter> context(
        xkb_context_new(static_cast<xkb_context_flags>(XKB_CONTEXT_NO_DEFAULT_INCLUDES |
                                                       XKB_CONTEXT_NO_ENVIRONMENT_NAMES)));
    std::unique_ptr<xkb_keymap, KeymapDeleter> compiled(xkb_keymap_new_from_string(
        context.get(), keymap.c_str(), XKB_KEYMAP_FORMAT_TEXT_V1, XKB_KEYMAP_COMPILE_NO_FLAGS));
    if (!compiled) {
        return nullptr;
    }
    return std::make_unique<LayoutPlanner>(compiled.get());
}

LayoutPlanner::LayoutPlanner(xkb_keymap* keymap) {
    findModifierKeys(keymap);
    index(keymap, false, placements_);
    index(keymap, true, capsLockedPlacements_);
}

void LayoutPlanner::findModifierKeys(xkb_keymap* keymap) {
    const xkb_keycode_t first = std::max<xkb_keycode_t>(xkb_keymap_min_keycode(keymap), 9);
    const xkb_keycode_t last = std::min<xkb_keycode_t>(xkb_keymap_max_keycode(keymap), 255);
    for (xkb_keycode_t keycode = first; keycode <= last; ++keycode) {
        const xkb_keysym_t* syms = nullptr;
        if (xkb_keymap_key_get_syms_by_level(keymap, keycode, kFirstLayout, 0, &syms) != 1) {
            continue;
        }
        const std::uint32_t code = keycode - kEvdevOffset;
        auto claim = [code](std::uint32_t& slot) {
            if (slot == 0) {
                slot = code;
            }
        };
        switch (syms[0]) {
            case XKB_KEY_Shift_L:
                claim(shiftCode_);
                break;
            case XKB_KEY_Control_L:
                claim(controlCode_);
                break;
            case XKB_KEY_Alt_L:
                claim(altCode_);
                break;
            case XKB_KEY_ISO_Level3_Shift:
                if (level3Code_ == 0 || code == kRightAltCode) {
                    level3Code_ = code;
                }
                break;
            default:
                break;
        }
    }
}

// Asks the keymap what each key yields with each reachable combination of
// Shift and AltGr, fewest modifiers first, as a window reads it: Caps Lock
// applied by the key's type and, where the type leaves it, by capitalising
// the keysym (as for ä on many layouts).
void LayoutPlanner::index(xkb_keymap* keymap, bool capsLocked, Placements& placements) const {
    const xkb_mod_mask_t shift = shiftCode_ != 0 ? modifiersOf(keymap, shiftCode_) : 0;
    const xkb_mod_mask_t level3 = level3Code_ != 0 ? modifiersOf(keymap, level3Code_) : 0;
    const xkb_mod_index_t capsIndex = xkb_keymap_mod_get_index(keymap, XKB_MOD_NAME_CAPS);
    const xkb_mod_mask_t locked =
        capsLocked && capsIndex != XKB_MOD_INVALID ? xkb_mod_mask_t{1} << capsIndex : 0;
    const xkb_keycode_t first = std::max<xkb_keycode_t>(xkb_keymap_min_keycode(keymap), 9);
    const xkb_keycode_t last = std::min<xkb_keycode_t>(xkb_keymap_max_keycode(keymap), 255);
    std::unique_ptr<xkb_state, StateDeleter> state(xkb_state_new(keymap));

    for (const auto& [withShift, withLevel3] : {std::pair{false, false}, std::pair{true, false},
                                                std::pair{false, true}, std::pair{true, true}}) {
        if ((withShift && shift == 0) || (withLevel3 && level3 == 0)) {
            continue;
        }
        const xkb_mod_mask_t held = (withShift ? shift : 0) | (withLevel3 ? level3 : 0);
        xkb_state_update_mask(state.get(), held, 0, locked, 0, 0, kFirstLayout);
        for (xkb_keycode_t keycode = first; keycode <= last; ++keycode) {
            const xkb_keysym_t keysym = xkb_state_key_get_one_sym(state.get(), keycode);
            if (keysym != XKB_KEY_NoSymbol) {
                placements.emplace(keysym,
                                   Placement{keycode - kEvdevOffset, withShift, withLevel3});
            }
        }
    }
}

bool LayoutPlanner::strike(const Placements& placements, Keysym keysym, const Modifiers& held,
                           std::vector<KeyEvent>& events) const {
    const auto found = placements.find(keysym);
    if (keysym == XKB_KEY_NoSymbol || found == placements.end()) {
        return false;
    }
    const Placement* place = &found->second;
    std::array<std::uint32_t, 4> down{};
    std::size_t count = 0;
    auto hold = [&](bool wanted, std::uint32_t code) {
        if (wanted && code != 0) {
            down[count++] = code;
        }
    };
    hold(held.control, controlCode_);
    hold(held.alt, altCode_);
    // A letter asked for with Shift is already its capital, whose key says
    // whether Shift is needed (not while Caps Lock is on); a chord with Control
    // or Alt keeps the Shift it was written with.
    const bool cased = xkb_keysym_to_upper(keysym) != xkb_keysym_to_lower(keysym);
    const bool chord = held.control || held.alt;
    hold(place->shift || (held.shift && (!cased || chord)), shiftCode_);
    hold(place->level3, level3Code_);
    for (std::size_t i = 0; i < count; ++i) {
        events.push_back({down[i], true});
    }
    events.push_back({place->code, true});
    events.push_back({place->code, false});
    while (count > 0) {
        events.push_back({down[--count], false});
    }
    return true;
}

bool LayoutPlanner::planCharacter(const Placements& placements, const KeyAction& action,
                                  std::vector<KeyEvent>& events) const {
    if (strike(placements, keysymFor(action), action.modifiers, events)) {
        return true;
    }
    if (action.kind != KeyAction::Kind::Character) {
        return false;
    }
    const Composition composition = compositionOf(action.character);
    const std::size_t start = events.size();
    if (composition.dead != XKB_KEY_NoSymbol && strike(placements, composition.dead, {}, events) &&
        strike(placements, composition.next, action.modifiers, events)) {
        return true;
    }
    events.resize(start);
    return false;
}

// Some characters no key yields while Caps Lock is on (ß becomes ẞ in de, ç
// has no capital-free key in fr): those are typed with the lock switched off
// around them.
bool LayoutPlanner::planWithCapsLockOff(const KeyAction& action,
                                        std::vector<KeyEvent>& events) const {
    const std::size_t start = events.size();
    if (strike(placements_, XKB_KEY_Caps_Lock, {}, events) &&
        planCharacter(placements_, action, events) &&
        strike(placements_, XKB_KEY_Caps_Lock, {}, events)) {
        return true;
    }
    events.resize(start);
    return false;
}

void LayoutPlanner::plan(const std::vector<KeyAction>& actions, LayoutPlan& plan,
                         bool capsLocked) const {
    const Placements* placements = capsLocked ? &capsLockedPlacements_ : &placements_;
    for (const KeyAction& action : actions) {
        const std::size_t start = plan.events.size();
        const bool planned =
            planCharacter(*placements, action, plan.events) ||
            (placements == &capsLockedPlacements_ && planWithCapsLockOff(action, plan.events));
        if (action.kind == KeyAction::Kind::Named && action.key == NamedKey::CapsLock &&
            action.repeat % 2 == 1) {
            placements = &placements_;
        }
        if (!planned) {
            if (action.kind == KeyAction::Kind::Character && keysymFor(action) != 0) {
                plan.unreachable.push_back(action.character);
            }
            continue;
        }
        const std::size_t once = plan.events.size() - start;
        for (int i = 1; i < action.repeat; ++i) {
            for (std::size_t e = 0; e < once; ++e) {
                const KeyEvent event = plan.events[start + e];
                plan.events.push_back(event);
            }
        }
    }
}

}  // namespace vantorix::wayland
