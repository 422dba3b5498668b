#include "typing/wayland/own_keymap.h"

#include <xkbcommon/xkbcommon.h>

#include <array>
#include <cstdlib>
#include <memory>

namespace vantorix::wayland {

namespace {

struct ModifierKey {
    const char* keysym;
    const char* modifier;
};

constexpr std::array<ModifierKey, 3> kModifierKeys = {{
    {"Shift_L", "Shift"},
    {"Control_L", "Control"},
    {"Alt_L", "Mod1"},
}};

constexpr std::uint32_t kFirstCharacterKeycode = kFirstKeycode + kModifierKeys.size();

std::string keyName(std::uint32_t keycode) {
    return "<K" + std::to_string(keycode) + ">";
}

std::string keysymName(Keysym keysym) {
    std::array<char, 64> name{};
    xkb_keysym_get_name(keysym, name.data(), name.size());
    return name.data();
}

// Only what clients need: one-level keys, and the modifier keys bound to their
// modifiers, Alt_L with the virtual modifier Alt that toolkits look for.
constexpr const char* kTypesAndCompatibility = R"(xkb_types "vantorix" {
    virtual_modifiers Alt;
    type "ONE_LEVEL" { modifiers = none; level_name[Level1] = "Any"; };
};
xkb_compatibility "vantorix" {
    virtual_modifiers Alt;
    interpret Shift_L { action = SetMods(modifiers = Shift); };
    interpret Control_L { action = SetMods(modifiers = Control); };
    interpret Alt_L { virtualModifier = Alt; action = SetMods(modifiers = modMapMods); };
};
)";

struct ContextFree {
    void operator()(xkb_context* context) const { xkb_context_unref(context); }
};
struct KeymapFree {
    void operator()(xkb_keymap* keymap) const { xkb_keymap_unref(keymap); }
};
struct StringFree {
    void operator()(char* text) const { std::free(text); }
};

}  // namespace

OwnKeymap OwnKeymap::common() {
    OwnKeymap keymap;
    for (Keysym keysym = ' '; keysym <= '~'; ++keysym) {
        keymap.add(keysym);
    }
    for (const char32_t control : {U'\t', U'\r', U'\b', U'\x1b', U'\x7f'}) {
        KeyAction action;
        action.character = control;
        keymap.add(keysymFor(action));
    }
    for (const Keysym keysym : namedKeysyms()) {
        keymap.add(keysym);
    }
    return keymap;
}

std::size_t OwnKeymap::capacity() {
    return kLastKeycode - kFirstCharacterKeycode + 1;
}

std::optional<std::uint32_t> OwnKeymap::keycodeOf(Keysym keysym) const {
    const auto found = keycodes_.find(keysym);
    return found != keycodes_.end() ? std::optional(found->second) : std::nullopt;
}

std::optional<std::uint32_t> OwnKeymap::add(Keysym keysym) {
    if (const auto keycode = keycodeOf(keysym)) {
        return keycode;
    }
    if (keysyms_.size() == capacity()) {
        return std::nullopt;
    }
    const auto keycode = static_cast<std::uint32_t>(kFirstCharacterKeycode + keysyms_.size());
    keysyms_.push_back(keysym);
    keycodes_.emplace(keysym, keycode);
    return keycode;
}

std::string OwnKeymap::source() const {
    const std::uint32_t lastKeycode =
        kFirstCharacterKeycode + static_cast<std::uint32_t>(keysyms_.size()) - 1;
    std::string keycodes = "xkb_keycodes \"vantorix\" {\n    minimum = 8;\n    maximum = 255;\n";
    std::string symbols = "xkb_symbols \"vantorix\" {\n";
    for (std::uint32_t keycode = kFirstKeycode; keycode <= lastKeycode; ++keycode) {
        keycodes += "    " + keyName(keycode) + " = " + std::to_string(keycode) + ";\n";
    }
    for (std::uint32_t i = 0; i < kModifierKeys.size(); ++i) {
        const std::string key = keyName(kFirstKeycode + i);
        symbols += "    key " + key + " { [ " + kModifierKeys[i].keysym + " ] };\n";
        symbols +=
            "    modifier_map " + std::string(kModifierKeys[i].modifier) + " { " + key + " };\n";
    }
    for (std::size_t i = 0; i < keysyms_.size(); ++i) {
        symbols += "    key " + keyName(kFirstCharacterKeycode + static_cast<std::uint32_t>(i)) +
                   " { [ " + keysymName(keysyms_[i]) + " ] };\n";
    }
    return "xkb_keymap {\n" + keycodes + "};\n" + kTypesAndCompatibility + symbols + "};\n};\n";
}

std::string OwnKeymap::text() const {
    const std::unique_ptr<xkb_context, ContextFree> context(
        xkb_context_new(static_cast<xkb_context_flags>(XKB_CONTEXT_NO_DEFAULT_INCLUDES |
                                                       XKB_CONTEXT_NO_ENVIRONMENT_NAMES)));
    if (!context) {
        return {};
    }
    const std::unique_ptr<xkb_keymap, KeymapFree> keymap(xkb_keymap_new_from_string(
        context.get(), source().c_str(), XKB_KEYMAP_FORMAT_TEXT_V1, XKB_KEYMAP_COMPILE_NO_FLAGS));
    if (!keymap) {
        return {};
    }
    const std::unique_ptr<char, StringFree> text(
        xkb_keymap_get_as_string(keymap.get(), XKB_KEYMAP_FORMAT_TEXT_V1));
    return text ? std::string(text.get()) : std::string();
}

}  // namespace vantorix::wayland
