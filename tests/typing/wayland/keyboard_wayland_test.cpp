// The Wayland keyboard on a real compositor: a headless sway of each test's own, typing into a
// foot terminal that records what arrives.
#include "typing/wayland/keyboard_wayland.h"

#include <QString>

#include <gtest/gtest.h>

#include <sys/mman.h>
#include <unistd.h>

#include <wayland-client.h>
#include <xkbcommon/xkbcommon.h>

#include <cstring>
#include <memory>
#include <string>

#include "core/keystroke_emitter.h"
#include "support/foot_target.h"
#include "support/sway_session.h"
#include "typing/keyboard_conformance.h"
#include "typing/windows1252.h"
#include "virtual-keyboard-unstable-v1-client-protocol.h"

namespace vantorix {
namespace {

using test::FootTarget;
using test::SwaySession;

// Another keyboard on the seat, standing for the user's: a virtual keyboard
// with the us layout whose Caps Lock is locked.
class CapsLockedKeyboard {
  public:
    CapsLockedKeyboard() : display_(wl_display_connect(nullptr)) {
        if (display_ == nullptr) {
            return;
        }
        wl_registry* registry = wl_display_get_registry(display_);
        wl_registry_add_listener(registry, &kListener, this);
        wl_display_roundtrip(display_);
        if (seat_ == nullptr || manager_ == nullptr) {
            return;
        }
        keyboard_ = zwp_virtual_keyboard_manager_v1_create_virtual_keyboard(manager_, seat_);
        giveUsKeymap();
        zwp_virtual_keyboard_v1_modifiers(keyboard_, 0, 0, lockMask_, 0);
        wl_display_roundtrip(display_);
    }
    ~CapsLockedKeyboard() {
        if (display_ != nullptr) {
            wl_display_disconnect(display_);
        }
    }
    CapsLockedKeyboard(const CapsLockedKeyboard&) = delete;
    CapsLockedKeyboard& operator=(const CapsLockedKeyboard&) = delete;

    bool isReady() const { return keyboard_ != nullptr && lockMask_ != 0; }

    // Presses and releases the Q key.
    void typeQ() {
        constexpr std::uint32_t kKeyQ = 16;  // evdev
        zwp_virtual_keyboard_v1_key(keyboard_, 0, kKeyQ, WL_KEYBOARD_KEY_STATE_PRESSED);
        zwp_virtual_keyboard_v1_key(keyboard_, 0, kKeyQ, WL_KEYBOARD_KEY_STATE_RELEASED);
        wl_display_roundtrip(display_);
    }

  private:
    static void onGlobal(void* data, wl_registry* registry, std::uint32_t name,
                         const char* interface, std::uint32_t /*version*/) {
        auto& self = *static_cast<CapsLockedKeyboard*>(data);
        if (std::strcmp(interface, wl_seat_interface.name) == 0 && self.seat_ == nullptr) {
            self.seat_ =
                static_cast<wl_seat*>(wl_registry_bind(registry, name, &wl_seat_interface, 1));
        } else if (std::strcmp(interface, zwp_virtual_keyboard_manager_v1_interface.name) == 0) {
            self.manager_ = static_cast<zwp_virtual_keyboard_manager_v1*>(
                wl_registry_bind(registry, name, &zwp_virtual_keyboard_manager_v1_interface, 1));
        }
    }
    static void onGlobalRemove(void*, wl_registry*, std::uint32_t) {}
    static constexpr wl_registry_listener kListener = {onGlobal, onGlobalRemove};

    void giveUsKeymap() {
        xkb_context* context = xkb_context_new(XKB_CONTEXT_NO_FLAGS);
        const xkb_rule_names names{nullptr, nullptr, "us", nullptr, nullptr};
        xkb_keymap* keymap =
            xkb_keymap_new_from_names(context, &names, XKB_KEYMAP_COMPILE_NO_FLAGS);
        if (keymap == nullptr) {
            xkb_context_unref(context);
            return;
        }
        lockMask_ = 1U << xkb_keymap_mod_get_index(keymap, XKB_MOD_NAME_CAPS);
        char* text = xkb_keymap_get_as_string(keymap, XKB_KEYMAP_FORMAT_TEXT_V1);
        const std::size_t size = std::strlen(text) + 1;
        const int fd = ::memfd_create("us-keymap", MFD_CLOEXEC);
        if (fd >= 0 && ::write(fd, text, size) == static_cast<ssize_t>(size)) {
            zwp_virtual_keyboard_v1_keymap(keyboard_, WL_KEYBOARD_KEYMAP_FORMAT_XKB_V1, fd,
                                           static_cast<std::uint32_t>(size));
        }
        ::close(fd);
        std::free(text);
        xkb_keymap_unref(keymap);
        xkb_context_unref(context);
    }

    wl_display* display_;
    wl_seat* seat_ = nullptr;
    zwp_virtual_keyboard_manager_v1* manager_ = nullptr;
    zwp_virtual_keyboard_v1* keyboard_ = nullptr;
    std::uint32_t lockMask_ = 0;
};

// Lines of 79 printable characters ended by CR, walking through all 95.
std::string longText(std::size_t count) {
    std::string text;
    for (std::size_t i = 0; i < count; ++i) {
        text += i % 80 == 79 ? '\r' : static_cast<char>(' ' + (i * 37) % 95);
    }
    return text;
}

// The braces of the key syntax around the characters that have a meaning in it.
std::string escaped(const std::string& text) {
    std::string keys;
    for (const char c : text) {
        const bool special = std::string("{}^+%~()[]").find(c) != std::string::npos;
        keys += special ? std::string("{") + c + "}" : std::string(1, c);
    }
    return keys;
}

class WaylandKeyboardTest : public ::testing::Test {
  protected:
    void SetUp() override {
        if (!SwaySession::installed() || !FootTarget::installed()) {
            GTEST_SKIP() << "sway or foot is not installed (packages sway, foot)";
        }
        ASSERT_TRUE(session.isReady()) << session.problem();
        session.useInThisProcess();
    }

    void startTarget() {
        target = std::make_unique<FootTarget>(session);
        ASSERT_TRUE(target->isReady()) << target->problem();
    }

    std::unique_ptr<Keyboard> openKeyboard() {
        std::string problem;
        auto keyboard = openWaylandKeyboard(problem);
        EXPECT_TRUE(keyboard) << problem;
        return keyboard;
    }

    // Types through the emitter, as the program does, and returns what arrived.
    std::string typed(Keyboard& keyboard, const std::string& keys, std::size_t expectedSize) {
        const std::size_t before = target->received().size();
        mySendKeys(keyboard, keys, true);
        return target->waitForBytes(before + expectedSize).substr(before);
    }

    SwaySession session;
    std::unique_ptr<FootTarget> target;
};

TEST_F(WaylandKeyboardTest, EveryConformanceCaseArrivesExactly) {
    startTarget();
    const auto keyboard = openKeyboard();
    ASSERT_TRUE(keyboard);
    test::expectConformance([&](const std::string& keys) { mySendKeys(*keyboard, keys, true); },
                            *target, test::CapsLockOnLetters::No);
}

class WaylandLayoutTest : public WaylandKeyboardTest,
                          public ::testing::WithParamInterface<const char*> {};

TEST_P(WaylandLayoutTest, TheCompositorsLayoutChangesNothing) {
    ASSERT_TRUE(session.setLayout(GetParam())) << session.problem();
    startTarget();
    const auto keyboard = openKeyboard();
    ASSERT_TRUE(keyboard);
    const std::string printable = test::everyPrintableAsciiCharacter();
    const std::string expected = printable + "\t\r\xc3\xa9\xe2\x82\xac";
    EXPECT_EQ(
        typed(*keyboard, test::everyPrintableAsciiKey() + "{TAB}{ENTER}\xe9\x80", expected.size()),
        expected);
}

INSTANTIATE_TEST_SUITE_P(Layouts, WaylandLayoutTest, ::testing::Values("us", "fr", "de"));

TEST_F(WaylandKeyboardTest, CapsLockOnTheUsersKeyboardLeavesTheLettersExact) {
    startTarget();
    CapsLockedKeyboard usersKeyboard;
    ASSERT_TRUE(usersKeyboard.isReady());
    const auto keyboard = openKeyboard();
    ASSERT_TRUE(keyboard);
    usersKeyboard.typeQ();
    EXPECT_EQ(target->waitForBytes(1), "Q") << "Caps Lock is on for the user's keys";
    EXPECT_EQ(typed(*keyboard, "aBc+d1", 5), "aBcD1");
    usersKeyboard.typeQ();
    EXPECT_EQ(target->waitForBytes(7).substr(6), "Q") << "and stays on";
}

TEST_F(WaylandKeyboardTest, AFreshKeyboardLosesNoFirstKey) {
    startTarget();
    constexpr int kStarts = 20;
    for (int start = 0; start < kStarts; ++start) {
        const auto keyboard = openKeyboard();
        ASSERT_TRUE(keyboard);
        keyboard->SendKeys("abc", true);
    }
    std::string expected;
    for (int start = 0; start < kStarts; ++start) {
        expected += "abc";
    }
    EXPECT_EQ(target->waitForBytes(expected.size()), expected);
}

TEST_F(WaylandKeyboardTest, LongTextsArriveWholeAndTheWindowStays) {
    startTarget();
    const auto keyboard = openKeyboard();
    ASSERT_TRUE(keyboard);
    const std::string text = longText(20000);
    EXPECT_EQ(typed(*keyboard, escaped(text), text.size()), text);
    EXPECT_TRUE(target->isRunning());
}

TEST_F(WaylandKeyboardTest, CharactersBeyondOneKeymapArriveAcrossKeymapChanges) {
    startTarget();
    const auto keyboard = openKeyboard();
    ASSERT_TRUE(keyboard);
    // Every character of the code page beyond ASCII, twice over: more than one
    // keymap holds beside the common keys.
    std::string keys;
    QString expected;
    for (int round = 0; round < 2; ++round) {
        for (int code = 0x80; code <= 0xFF; ++code) {
            const char32_t character = decodeWindows1252(static_cast<char>(code));
            if (character >= 0x80 && character < 0xA0) {
                continue;  // an undefined byte, typed as nothing
            }
            keys += static_cast<char>(code);
            expected += QString::fromUcs4(&character, 1);
        }
    }
    const std::string text = expected.toStdString();
    EXPECT_EQ(typed(*keyboard, keys, text.size()), text);
}

}  // namespace
}  // namespace vantorix
