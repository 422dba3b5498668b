// The Wayland keyboard on desktops that take keys only in the user's layout: a headless GNOME
// (mutter's remote desktop) and KDE Plasma (KWin's fake input) of each test's own, typing into a
// GTK window that records what arrives.
#include <QCoreApplication>

#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <ostream>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

#include "core/keystroke_emitter.h"
#include "support/headless_desktop.h"
#include "support/key_recording_window.h"
#include "typing/keyboard_conformance.h"
#include "typing/wayland/keyboard_wayland.h"

namespace vantorix {
namespace {

using test::HeadlessDesktop;
using test::KeyRecordingWindow;
using Kind = HeadlessDesktop::Kind;

class DesktopKeyboard {
  public:
    DesktopKeyboard(Kind kind, const std::string& layout) : desktop(kind, layout) {}

    ::testing::AssertionResult start() {
        if (!desktop.isReady()) {
            return ::testing::AssertionFailure() << desktop.problem();
        }
        desktop.useInThisProcess();
        desktop.authorise(QCoreApplication::applicationFilePath());
        window = std::make_unique<KeyRecordingWindow>(desktop);
        if (!window->isReady()) {
            return ::testing::AssertionFailure() << window->problem();
        }
        return ::testing::AssertionSuccess();
    }

    std::unique_ptr<Keyboard> open() {
        std::string problem;
        auto keyboard = openWaylandKeyboard(
            problem, {}, [this](const std::string& message) { reports.push_back(message); });
        EXPECT_TRUE(keyboard) << problem;
        return keyboard;
    }

    // Types through the emitter, as the program does, and returns what arrived.
    std::string typed(Keyboard& keyboard, const std::string& keys, std::size_t expectedSize) {
        const std::size_t before = window->received().size();
        mySendKeys(keyboard, keys, true);
        return window->waitForBytes(before + expectedSize).substr(before);
    }

    HeadlessDesktop desktop;
    std::unique_ptr<KeyRecordingWindow> window;
    std::vector<std::string> reports;
};

class DesktopKeyboardTest : public ::testing::TestWithParam<Kind> {
  protected:
    void SetUp() override {
        if (!HeadlessDesktop::installed(GetParam())) {
            GTEST_SKIP() << HeadlessDesktop::name(GetParam())
                         << " is not installed (packages mutter, kwin-wayland, dbus-x11, "
                            "python3-dbus, python3-gi, gir1.2-gtk-3.0)";
        }
    }
};

// The Windows-1252 characters de has neither on a key nor behind a dead key.
bool deCanProduce(char32_t c) {
    return std::u32string_view(U"\u0152\u0153\u00c3\u00e3\u00d1\u00f1\u00d5\u00f5").find(c) ==
           std::u32string_view::npos;
}

// Every case, with Caps Lock off and on: the keyboard types each character
// the layout has exactly, leaves out the rest and reports the first of them.
class DesktopConformanceTest : public ::testing::TestWithParam<std::tuple<Kind, bool>> {};

TEST_P(DesktopConformanceTest, EveryCaseArrivesExactly) {
    const auto& [kind, capsLock] = GetParam();
    if (!HeadlessDesktop::installed(kind)) {
        GTEST_SKIP() << HeadlessDesktop::name(kind) << " is not installed";
    }
    DesktopKeyboard desktop(kind, "de");
    ASSERT_TRUE(desktop.start());
    const auto keyboard = desktop.open();
    ASSERT_TRUE(keyboard);
    ASSERT_FALSE(keyboard->CapsLockAffectsLetters());
    if (capsLock) {
        keyboard->ToggleCapsLock();
    }
    ASSERT_EQ(keyboard->IsCapsLockToggled(), capsLock);
    test::expectConformance([&](const std::string& keys) { mySendKeys(*keyboard, keys, true); },
                            *desktop.window, test::CapsLockOnLetters::No, std::chrono::seconds(10),
                            deCanProduce);
    EXPECT_EQ(keyboard->IsCapsLockToggled(), capsLock);
    ASSERT_EQ(desktop.reports.size(), 1U);
    EXPECT_NE(desktop.reports.front().find("\u0152"), std::string::npos) << desktop.reports.front();
}

INSTANTIATE_TEST_SUITE_P(Desktops, DesktopConformanceTest,
                         ::testing::Combine(::testing::Values(Kind::Gnome, Kind::Kde),
                                            ::testing::Bool()),
                         [](const auto& test) {
                             return std::string(HeadlessDesktop::name(std::get<0>(test.param))) +
                                    (std::get<1>(test.param) ? "_CapsLockOn" : "_CapsLockOff");
                         });

TEST_P(DesktopKeyboardTest, TheFirstKeyOfEveryFreshStartArrives) {
    DesktopKeyboard desktop(GetParam(), "us");
    ASSERT_TRUE(desktop.start());
    for (int start = 0; start < 3; ++start) {
        const auto keyboard = desktop.open();
        ASSERT_TRUE(keyboard);
        EXPECT_EQ(desktop.typed(*keyboard, "abc", 3), "abc") << "start " << start;
    }
}

TEST_P(DesktopKeyboardTest, CapsLockTypedWithinATextIsOnForTheRestAndThenUndone) {
    DesktopKeyboard desktop(GetParam(), "de");
    ASSERT_TRUE(desktop.start());
    const auto keyboard = desktop.open();
    ASSERT_TRUE(keyboard);
    EXPECT_EQ(desktop.typed(*keyboard, "a{CAPSLOCK}b\xe4", 4), "aB\xc3\x84");
    EXPECT_FALSE(keyboard->IsCapsLockToggled());
    EXPECT_EQ(desktop.typed(*keyboard, "zZ", 2), "zZ");
}

TEST(DesktopKeyboardOnKde, FollowsTheLayoutTheUserSwitchesTo) {
    if (!HeadlessDesktop::installed(Kind::Kde)) {
        GTEST_SKIP() << "KDE is not installed";
    }
    DesktopKeyboard desktop(Kind::Kde, "us");
    ASSERT_TRUE(desktop.start());
    const auto keyboard = desktop.open();
    ASSERT_TRUE(keyboard);
    EXPECT_EQ(desktop.typed(*keyboard, "a\xe9q", 2), "aq");
    ASSERT_TRUE(desktop.desktop.switchLayout("fr"));
    // French: é has a key of its own, and a and q trade places with us.
    EXPECT_EQ(desktop.typed(*keyboard, "a\xe9q", 4), "a\xc3\xa9q");
}

INSTANTIATE_TEST_SUITE_P(Desktops, DesktopKeyboardTest, ::testing::Values(Kind::Gnome, Kind::Kde),
                         [](const auto& test) { return HeadlessDesktop::name(test.param); });

struct LayoutCase {
    const char* layout;
    std::string keys;      // Windows-1252 key string
    std::string arrives;   // UTF-8, Enter as CR
    std::string reported;  // in the one report of the run, empty for none
};

void PrintTo(const LayoutCase& layoutCase, std::ostream* out) {
    *out << layoutCase.layout;
}

class DesktopLayoutTest : public ::testing::TestWithParam<std::tuple<Kind, LayoutCase>> {};

TEST_P(DesktopLayoutTest, TypesWhatTheLayoutHasExactlyAndReportsTheRest) {
    const auto& [kind, c] = GetParam();
    if (!HeadlessDesktop::installed(kind)) {
        GTEST_SKIP() << HeadlessDesktop::name(kind) << " is not installed";
    }
    DesktopKeyboard desktop(kind, c.layout);
    ASSERT_TRUE(desktop.start());
    const auto keyboard = desktop.open();
    ASSERT_TRUE(keyboard);
    const std::string keys = test::everyPrintableAsciiKey() + "{TAB}{ENTER}" + c.keys;
    const std::string arrives = test::everyPrintableAsciiCharacter() + "\t\r" + c.arrives;
    EXPECT_EQ(desktop.typed(*keyboard, keys, arrives.size()), arrives);
    ASSERT_EQ(desktop.reports.size(), c.reported.empty() ? 0U : 1U);
    if (!c.reported.empty()) {
        EXPECT_NE(desktop.reports.front().find(c.reported), std::string::npos)
            << desktop.reports.front();
    }
}

INSTANTIATE_TEST_SUITE_P(
    Layouts, DesktopLayoutTest,
    ::testing::Combine(::testing::Values(Kind::Gnome, Kind::Kde),
                       ::testing::Values(
                           // us has neither é nor €: left out, the first reported, the rest typed.
                           LayoutCase{"us", "x\xe9y\x80z", "xyz", "\xc3\xa9"},
                           LayoutCase{"de", "\xe9\x80\xfc\xdf{^}`",
                                      "\xc3\xa9\xe2\x82\xac\xc3\xbc\xc3\x9f^`", ""},
                           LayoutCase{"fr", "\xe9\x80\xe7\xf9<>$",
                                      "\xc3\xa9\xe2\x82\xac\xc3\xa7\xc3\xb9<>$", ""})),
    [](const auto& test) {
        return std::string(HeadlessDesktop::name(std::get<0>(test.param))) + "_" +
               std::get<1>(test.param).layout;
    });

}  // namespace
}  // namespace vantorix
