#include "support/users_keyboard.h"

#include <xkbcommon/xkbcommon.h>

#include <cstdlib>

#include "typing/wayland/virtual_keyboard.h"

namespace vantorix::test {

namespace {

struct Free {
    void operator()(xkb_context* context) const { xkb_context_unref(context); }
    void operator()(xkb_keymap* keymap) const { xkb_keymap_unref(keymap); }
    void operator()(char* text) const { std::free(text); }
};

}  // namespace

UsersKeyboard::UsersKeyboard(bool capsLock) {
    const std::unique_ptr<xkb_context, Free> context(xkb_context_new(XKB_CONTEXT_NO_FLAGS));
    const xkb_rule_names names{nullptr, nullptr, "us", nullptr, nullptr};
    const std::unique_ptr<xkb_keymap, Free> keymap(
        xkb_keymap_new_from_names(context.get(), &names, XKB_KEYMAP_COMPILE_NO_FLAGS));
    if (!keymap) {
        problem_ = "no us keymap (package xkb-data)";
        return;
    }
    const std::unique_ptr<char, Free> text(
        xkb_keymap_get_as_string(keymap.get(), XKB_KEYMAP_FORMAT_TEXT_V1));
    keyboard_ = wayland::VirtualKeyboard::connect(text.get(), problem_);
    ctrlAlt_ = 1U << xkb_keymap_mod_get_index(keymap.get(), XKB_MOD_NAME_CTRL) |
               1U << xkb_keymap_mod_get_index(keymap.get(), XKB_MOD_NAME_ALT);
    if (keyboard_ && capsLock) {
        locked_ = 1U << xkb_keymap_mod_get_index(keymap.get(), XKB_MOD_NAME_CAPS);
        keyboard_->setModifiers(0, locked_);
        keyboard_->roundTrip();
    }
}

UsersKeyboard::~UsersKeyboard() = default;

void UsersKeyboard::typeQ() {
    constexpr std::uint32_t kKeyQ = 16;  // the keymap's keycode less 8
    keyboard_->key(0, kKeyQ, true);
    keyboard_->key(0, kKeyQ, false);
    keyboard_->roundTrip();
}

void UsersKeyboard::pressCtrlAltDigit(int digit) {
    // Key codes less 8, as the protocol takes them.
    constexpr std::uint32_t kLeftCtrl = 29;
    constexpr std::uint32_t kLeftAlt = 56;
    const auto key = static_cast<std::uint32_t>(digit + 1);  // 1 is 2, ... 9 is 10
    keyboard_->key(0, kLeftCtrl, true);
    keyboard_->key(0, kLeftAlt, true);
    keyboard_->setModifiers(ctrlAlt_, locked_);
    keyboard_->key(0, key, true);
    keyboard_->key(0, key, false);
    keyboard_->key(0, kLeftAlt, false);
    keyboard_->key(0, kLeftCtrl, false);
    keyboard_->setModifiers(0, locked_);
    keyboard_->roundTrip();
}

}  // namespace vantorix::test
