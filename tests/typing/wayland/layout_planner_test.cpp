// The keys planned in the user's layout, checked the way a window reads them: the layout compiled
// from its names by libxkbcommon, each key looked up with the modifiers the planned keys hold, and
// dead keys composed as in a UTF-8 locale.
#include "typing/wayland/layout_planner.h"

#include <gtest/gtest.h>
#include <xkbcommon/xkbcommon-compose.h>
#include <xkbcommon/xkbcommon.h>

#include <memory>
#include <string>
#include <vector>

namespace vantorix::wayland {
namespace {

template <typename T, void (*Release)(T*)>
struct Unref {
    void operator()(T* object) const { Release(object); }
};
using Context = std::unique_ptr<xkb_context, Unref<xkb_context, xkb_context_unref>>;
using Keymap = std::unique_ptr<xkb_keymap, Unref<xkb_keymap, xkb_keymap_unref>>;
using State = std::unique_ptr<xkb_state, Unref<xkb_state, xkb_state_unref>>;
using ComposeTable =
    std::unique_ptr<xkb_compose_table, Unref<xkb_compose_table, xkb_compose_table_unref>>;
using ComposeState =
    std::unique_ptr<xkb_compose_state, Unref<xkb_compose_state, xkb_compose_state_unref>>;

Keymap layoutKeymap(const char* layout) {
    static const Context context(xkb_context_new(XKB_CONTEXT_NO_ENVIRONMENT_NAMES));
    const xkb_rule_names names{"evdev", "pc105", layout, "", ""};
    return Keymap(xkb_keymap_new_from_names(context.get(), &names, XKB_KEYMAP_COMPILE_NO_FLAGS));
}

// A window of the compositor: it tracks the modifiers of the keys it
// receives, composes dead keys, and records the text and which of Control
// and Alt were held with each character.
class SimulatedWindow {
  public:
    SimulatedWindow(xkb_keymap* keymap, bool capsLocked)
        : context_(xkb_context_new(XKB_CONTEXT_NO_FLAGS)),
          state_(xkb_state_new(keymap)),
          table_(xkb_compose_table_new_from_locale(context_.get(), "en_US.UTF-8",
                                                   XKB_COMPOSE_COMPILE_NO_FLAGS)),
          compose_(xkb_compose_state_new(table_.get(), XKB_COMPOSE_STATE_NO_FLAGS)) {
        if (capsLocked) {
            const xkb_mod_mask_t lock = xkb_mod_mask_t{1}
                                        << xkb_keymap_mod_get_index(keymap, XKB_MOD_NAME_CAPS);
            xkb_state_update_mask(state_.get(), 0, 0, lock, 0, 0, 0);
        }
    }

    void receive(const std::vector<KeyEvent>& events) {
        for (const KeyEvent& event : events) {
            const xkb_keycode_t keycode = event.code + 8;
            if (event.pressed) {
                type(xkb_state_key_get_one_sym(state_.get(), keycode));
            }
            xkb_state_update_key(state_.get(), keycode, event.pressed ? XKB_KEY_DOWN : XKB_KEY_UP);
        }
    }

    std::string text;
    std::string held;  // "C" for Control, "A" for Alt, per character typed with them

  private:
    void type(xkb_keysym_t keysym) {
        xkb_compose_state_feed(compose_.get(), keysym);
        switch (xkb_compose_state_get_status(compose_.get())) {
            case XKB_COMPOSE_COMPOSING:
                return;
            case XKB_COMPOSE_COMPOSED: {
                char composed[16] = {};
                xkb_compose_state_get_utf8(compose_.get(), composed, sizeof composed);
                text += composed;
                xkb_compose_state_reset(compose_.get());
                return;
            }
            case XKB_COMPOSE_CANCELLED:
                xkb_compose_state_reset(compose_.get());
                return;
            case XKB_COMPOSE_NOTHING:
                break;
        }
        char utf8[16] = {};
        xkb_keysym_to_utf8(keysym, utf8, sizeof utf8);
        if (utf8[0] == '\0') {
            return;  // a modifier key
        }
        text += utf8;
        if (active(XKB_MOD_NAME_CTRL)) {
            held += 'C';
        }
        if (active(XKB_MOD_NAME_ALT)) {
            held += 'A';
        }
    }

    bool active(const char* modifier) const {
        return xkb_state_mod_name_is_active(state_.get(), modifier, XKB_STATE_MODS_EFFECTIVE) > 0;
    }

    Context context_;
    State state_;
    ComposeTable table_;
    ComposeState compose_;
};

struct Typed {
    std::string text;
    std::string held;
    std::vector<char32_t> unreachable;
    std::size_t events = 0;
};

// Plans `keys` (a key string, Windows-1252) in `layout` and has a window receive it.
// With `capsLocked`, Caps Lock is on in the window from the start.
Typed typeIn(const char* layout, const std::string& keys, bool capsLocked = false) {
    const Keymap keymap = layoutKeymap(layout);
    EXPECT_TRUE(keymap) << layout;
    const LayoutPlanner planner(keymap.get());
    LayoutPlan plan;
    planner.plan(readKeyString(keys), plan, capsLocked);
    SimulatedWindow window(keymap.get(), capsLocked);
    window.receive(plan.events);
    return {window.text, window.held, plan.unreachable, plan.events.size()};
}

struct ExactCase {
    const char* layout;
    std::string keys;  // Windows-1252 key string
    std::string text;  // UTF-8, as the window receives it (Enter as CR)
};

class LayoutPlannerExactTest : public testing::TestWithParam<ExactCase> {};

TEST_P(LayoutPlannerExactTest, TypesEveryCharacterTheLayoutHasExactly) {
    const ExactCase& c = GetParam();
    const Typed typed = typeIn(c.layout, c.keys);
    EXPECT_EQ(typed.text, c.text);
    EXPECT_TRUE(typed.unreachable.empty());
}

// Braces keep the key string's own syntax characters literal.
const std::string kAsciiKeys =
    "abc XYZ 0123456789 !\"#$&'*,-./:;<=>?@\\_`|{+}{^}{%}{~}{(}{)}{{}{}}{[}{]}\t\n";
const std::string kAsciiText = "abc XYZ 0123456789 !\"#$&'*,-./:;<=>?@\\_`|+^%~(){}[]\t\r";

INSTANTIATE_TEST_SUITE_P(
    Layouts, LayoutPlannerExactTest,
    testing::Values(ExactCase{"us", kAsciiKeys, kAsciiText},
                    ExactCase{"de", kAsciiKeys, kAsciiText},
                    ExactCase{"fr", kAsciiKeys, kAsciiText},
                    // é: a dead key and e in de, a key of its own in fr; € on AltGr in both.
                    ExactCase{"de", "\xe9\x80\xfc\xdf\xc4\xe8\xea", "é€üßÄèê"},
                    ExactCase{"fr", "\xe9\x80\xe0\xe7\xf9\xea\xeb\xe2", "é€àçùêëâ"},
                    ExactCase{"de", "+a+(b\xe4)+1", "ABÄ!"}));

class LayoutPlannerCapsLockTest : public testing::TestWithParam<ExactCase> {};

TEST_P(LayoutPlannerCapsLockTest, TypesEveryCharacterExactlyWhileCapsLockIsOn) {
    const ExactCase& c = GetParam();
    const Typed typed = typeIn(c.layout, c.keys, true);
    EXPECT_EQ(typed.text, c.text);
    EXPECT_TRUE(typed.unreachable.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Layouts, LayoutPlannerCapsLockTest,
    testing::Values(ExactCase{"de",
                              "\xe4\xc4\xdf\xfc\xdc"
                              "aA1!",
                              "äÄßüÜaA1!"},
                    ExactCase{"de", "\xe9\xc9\xe8\xea\xe2", "éÉèêâ"},  // dead key and letter
                    ExactCase{"fr",
                              "\xe9\xe0\xe7\xf9"
                              "aA1",
                              "éàçùaA1"},
                    ExactCase{"us", kAsciiKeys, kAsciiText},
                    // A Caps Lock typed in the text turns the lock off for the
                    // rest, which then reads as a keyboard's keys would.
                    ExactCase{"de", "a{CAPSLOCK}b+c\xe4", "abCä"},
                    // Shift with a letter gives its capital, Caps Lock on or not.
                    ExactCase{"de", "+a+(b\xe4)+1", "ABÄ!"}));

struct MissingCase {
    const char* layout;
    std::string keys;
    std::string typed;  // UTF-8: what arrives, the rest of the text
    std::u32string unreachable;
};

class LayoutPlannerMissingTest : public testing::TestWithParam<MissingCase> {};

TEST_P(LayoutPlannerMissingTest, LeavesOutAndReportsWhatTheLayoutCannotProduce) {
    const MissingCase& c = GetParam();
    const Typed typed = typeIn(c.layout, c.keys);
    EXPECT_EQ(typed.text, c.typed);
    EXPECT_EQ(std::u32string(typed.unreachable.begin(), typed.unreachable.end()), c.unreachable);
}

INSTANTIATE_TEST_SUITE_P(Layouts, LayoutPlannerMissingTest,
                         testing::Values(MissingCase{"us", "a\xe9z\x80", "az", U"\u00e9\u20ac"},
                                         MissingCase{"us", "{\xe9 3}b", "b", U"\u00e9"},
                                         MissingCase{"de", "x\xd1y", "xy", U"\u00d1"},
                                         MissingCase{"fr", "\x96\xc7", "", U"\u2013\u00c7"}));

struct ModifierCase {
    const char* layout;
    std::string keys;
    std::string typed;
    std::string held;
    std::size_t events;  // key presses and releases, modifiers included
};

class LayoutPlannerModifierTest : public testing::TestWithParam<ModifierCase> {};

TEST_P(LayoutPlannerModifierTest, HoldsOnlyTheModifiersTheKeyNeedsAndTheStringAsks) {
    const ModifierCase& c = GetParam();
    const Typed typed = typeIn(c.layout, c.keys);
    EXPECT_EQ(typed.text, c.typed);
    EXPECT_EQ(typed.held, c.held);
    EXPECT_EQ(typed.events, c.events);
}

INSTANTIATE_TEST_SUITE_P(
    Layouts, LayoutPlannerModifierTest,
    testing::Values(ModifierCase{"us", "a", "a", "", 2},       // the first level: no modifier
                    ModifierCase{"us", "A", "A", "", 4},       // Shift
                    ModifierCase{"de", "@", "@", "", 4},       // AltGr
                    ModifierCase{"fr", "1", "1", "", 4},       // digits are shifted in fr
                    ModifierCase{"us", "^c", "c", "C", 4},     // Control held
                    ModifierCase{"de", "%x", "x", "A", 4},     // Alt held
                    ModifierCase{"us", "{a 3}", "aaa", "", 6}  // repeated
                    ));

}  // namespace
}  // namespace vantorix::wayland
