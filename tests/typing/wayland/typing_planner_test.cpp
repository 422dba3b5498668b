// The Wayland keyboard's keymaps and keys, checked the way a client reads them: each keymap
// compiled with libxkbcommon and each key looked up in it with the modifiers sent.
#include "typing/wayland/typing_planner.h"

#include <gtest/gtest.h>
#include <xkbcommon/xkbcommon.h>

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "typing/wayland/key_pacer.h"
#include "typing/windows1252.h"

namespace vantorix::wayland {
namespace {

// A key as a client sees it.
struct ReceivedKey {
    Keysym keysym = 0;
    std::string text;  // UTF-8, as xkbcommon makes it
    bool shift = false;
    bool control = false;
    bool alt = false;  // Mod1, which toolkits read as Alt

    bool operator==(const ReceivedKey&) const = default;
};

void PrintTo(const ReceivedKey& key, std::ostream* out) {
    *out << "{keysym 0x" << std::hex << key.keysym << std::dec << ", \"" << key.text << "\""
         << (key.shift ? " Shift" : "") << (key.control ? " Control" : "")
         << (key.alt ? " Alt" : "") << "}";
}

// A client of the compositor: it compiles each keymap it is given and looks
// up each key in the last one, with the modifiers that came with the key.
class SimulatedClient {
  public:
    SimulatedClient() : context_(xkb_context_new(XKB_CONTEXT_NO_DEFAULT_INCLUDES)) {}

    void takeKeymap(const std::string& text) {
        keymap_.reset(xkb_keymap_new_from_string(
            context_.get(), text.c_str(), XKB_KEYMAP_FORMAT_TEXT_V1, XKB_KEYMAP_COMPILE_NO_FLAGS));
        ASSERT_TRUE(keymap_) << text;
        state_.reset(xkb_state_new(keymap_.get()));
    }

    std::vector<ReceivedKey> receive(const std::vector<TypingRun>& runs) {
        std::vector<ReceivedKey> keys;
        for (const TypingRun& run : runs) {
            if (!run.keymap.empty()) {
                takeKeymap(run.keymap);
            }
            for (const KeyStroke& stroke : run.strokes) {
                EXPECT_GE(stroke.key + 8, 9U) << "X11 clients see keycodes from 9";
                EXPECT_LE(stroke.key + 8, 255U) << "X11 clients see keycodes to 255";
                for (int i = 0; i < stroke.repeat; ++i) {
                    keys.push_back(lookUp(stroke));
                }
            }
        }
        return keys;
    }

  private:
    ReceivedKey lookUp(const KeyStroke& stroke) {
        xkb_state_update_mask(state_.get(), stroke.modifiers, 0, 0, 0, 0, 0);
        const xkb_keycode_t keycode = stroke.key + 8;
        std::array<char, 16> text{};
        xkb_state_key_get_utf8(state_.get(), keycode, text.data(), text.size());
        const auto active = [this](const char* name) {
            return xkb_state_mod_name_is_active(state_.get(), name, XKB_STATE_MODS_EFFECTIVE) > 0;
        };
        return {xkb_state_key_get_one_sym(state_.get(), keycode), text.data(),
                active(XKB_MOD_NAME_SHIFT), active(XKB_MOD_NAME_CTRL), active(XKB_MOD_NAME_ALT)};
    }

    struct Free {
        void operator()(xkb_context* p) const { xkb_context_unref(p); }
        void operator()(xkb_keymap* p) const { xkb_keymap_unref(p); }
        void operator()(xkb_state* p) const { xkb_state_unref(p); }
    };
    std::unique_ptr<xkb_context, Free> context_;
    std::unique_ptr<xkb_keymap, Free> keymap_;
    std::unique_ptr<xkb_state, Free> state_;
};

std::string utf8(char32_t c) {
    std::string out;
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
    return out;
}

std::string textOf(const std::vector<ReceivedKey>& keys) {
    std::string text;
    for (const ReceivedKey& key : keys) {
        text += key.text;
    }
    return text;
}

class TypingPlannerTest : public ::testing::Test {
  protected:
    void SetUp() override { client.takeKeymap(planner.keymap()); }

    std::vector<ReceivedKey> typed(const std::string& keys) {
        return client.receive(planner.plan(readKeyString(keys)));
    }

    TypingPlanner planner;
    SimulatedClient client;
};

TEST_F(TypingPlannerTest, EveryWindows1252CharacterArrivesInKeymapsThatFitTheKeycodes) {
    std::string keys;
    std::string expected;
    for (int byte = 0x20; byte <= 0xFF; ++byte) {
        const char32_t character = decodeWindows1252(static_cast<char>(byte));
        if (character == 0x7F || (character >= 0x80 && character < 0xA0)) {
            continue;  // DEL and the code page's undefined bytes
        }
        const bool special =
            std::string("{}^+%~()[]").find(static_cast<char>(byte)) != std::string::npos;
        keys += special ? "{" + std::string(1, static_cast<char>(byte)) + "}"
                        : std::string(1, static_cast<char>(byte));
        expected += utf8(character);
    }
    const auto runs = planner.plan(readKeyString(keys));
    EXPECT_EQ(runs.size(), 2U) << "more characters than one keymap holds beside the common keys";
    EXPECT_EQ(textOf(client.receive(runs)), expected);
}

TEST_F(TypingPlannerTest, AKeymapIsGivenOnlyWhenATextBringsNewKeysymsAndKeepsTheOldKeys) {
    const auto plain = planner.plan(readKeyString("Hello, world~{TAB}{F5}"));
    ASSERT_EQ(plain.size(), 1U);
    EXPECT_TRUE(plain[0].keymap.empty())
        << "printable ASCII and named keys are there from the start";

    const auto accented = planner.plan(readKeyString("H\xe9"));
    ASSERT_EQ(accented.size(), 1U);
    EXPECT_FALSE(accented[0].keymap.empty());
    EXPECT_EQ(accented[0].strokes[0], plain[0].strokes[0]) << "H keeps its key";
    EXPECT_EQ(planner.keymap(), accented[0].keymap);

    const auto again = planner.plan(readKeyString("\xe9H"));
    ASSERT_EQ(again.size(), 1U);
    EXPECT_TRUE(again[0].keymap.empty());
    EXPECT_EQ(again[0].strokes[0], accented[0].strokes[1]);
}

TEST_F(TypingPlannerTest, PrefixesHoldTheirModifiersAndShiftGivesCapitals) {
    const auto text = [](Keysym keysym, std::string utf8Text, bool shift, bool control, bool alt) {
        return ReceivedKey{keysym, utf8Text, shift, control, alt};
    };
    EXPECT_EQ(typed("+a^c%x+(b\xe9)+1a"), (std::vector<ReceivedKey>{
                                              text(XKB_KEY_A, "A", true, false, false),
                                              text(XKB_KEY_c, "\x03", false, true, false),
                                              text(XKB_KEY_x, "x", false, false, true),
                                              text(XKB_KEY_B, "B", true, false, false),
                                              text(XKB_KEY_Eacute, "\xc3\x89", true, false, false),
                                              text(XKB_KEY_1, "1", true, false, false),
                                              text(XKB_KEY_a, "a", false, false, false),
                                          }));
}

TEST_F(TypingPlannerTest, NamedKeysRepeatsAndControlCharacters) {
    std::vector<Keysym> keysyms;
    for (const ReceivedKey& key : typed("{HOME}{pgdn}{ADD}{F16}~\r\n{BS}{a 3}\x07{ENTER 2}{b 0}")) {
        keysyms.push_back(key.keysym);
    }
    EXPECT_EQ(keysyms, (std::vector<Keysym>{XKB_KEY_Home, XKB_KEY_Next, XKB_KEY_KP_Add, XKB_KEY_F16,
                                            XKB_KEY_Return, XKB_KEY_Return, XKB_KEY_Return,
                                            XKB_KEY_BackSpace, XKB_KEY_a, XKB_KEY_a, XKB_KEY_a,
                                            XKB_KEY_Return, XKB_KEY_Return}))
        << "the bell has no key";
}

TEST(KeyPacer, SpacesKeysAndLetsNoBurstThroughAfterAPause) {
    using namespace std::chrono_literals;
    const KeyPacer::Clock::time_point start{};
    KeyPacer pacer(100us, start + 20ms);
    EXPECT_EQ(pacer.nextKeyAt(start), start + 20ms) << "the first key waits for the keyboard";
    EXPECT_EQ(pacer.nextKeyAt(start + 20ms), start + 20ms + 100us);
    EXPECT_EQ(pacer.nextKeyAt(start + 20ms + 150us), start + 20ms + 200us);
    EXPECT_EQ(pacer.nextKeyAt(start + 1s), start + 1s) << "after a pause, at once";
    EXPECT_EQ(pacer.nextKeyAt(start + 1s), start + 1s + 100us) << "and paced again";
}

TEST(KeyPacer, TheSameKeyAgainWaitsItsGapAfterItsLastPress) {
    using namespace std::chrono_literals;
    const KeyPacer::Clock::time_point start{};
    KeyPacer pacer(100us, start);
    const auto first = pacer.nextKeyAt(start + 1s, true);
    EXPECT_EQ(first, start + 1s) << "long after the last key, at once";
    EXPECT_EQ(pacer.nextKeyAt(first, true), first + KeyPacer::kSameKeyGap);
    const auto other = pacer.nextKeyAt(first, false);
    EXPECT_EQ(other, first + KeyPacer::kSameKeyGap + 100us) << "another key is only paced";
}

}  // namespace
}  // namespace vantorix::wayland
