#include <X11/keysym.h>

#include <gtest/gtest.h>

#include <QDeadlineTimer>
#include <QProcess>
#include <QTemporaryDir>

#include <csignal>
#include <cstdlib>
#include <memory>
#include <string>
#include <tuple>

#include "frontend/qt/keyboard_choice.h"
#include "settings/config_file.h"
#include "support/pty_pair.h"
#include "support/redirecting_program.h"
#include "support/xterm_target.h"
#include "support/xvfb_server.h"

namespace vantorix {
namespace {

using test::PtyPair;
using test::XtermTarget;
using test::XvfbServer;

using Program = test::RedirectingProgram;

// What a raw xterm receives for received text on the simple path: the
// printable characters and TAB as they are, CR and LF as the ENTER key
// (which the terminal sends as CR) when their translation is on and not at
// all otherwise, every other control character not at all.
std::string typedForReceived(const std::string& received, const RedirectSettings& settings) {
    std::string typed;
    for (const char c : received) {
        if ((c >= ' ' && c <= '~') || c == '\t') {
            typed += c;
        } else if ((c == '\r' && isOn(settings.Check_ENTER_KEY)) ||
                   (c == '\n' && isOn(settings.Check_LF_KEY))) {
            typed += '\r';
        }
    }
    return typed;
}

std::string printableAscii() {
    std::string text;
    for (char c = ' '; c <= '~'; ++c) {
        text += c;
    }
    return text;
}

class TypingTest : public ::testing::Test {
  protected:
    void SetUp() override {
        if (!XvfbServer::installed()) {
            GTEST_SKIP() << "Xvfb is not installed (package xvfb)";
        }
        if (!XtermTarget::installed()) {
            GTEST_SKIP() << "xterm is not installed (package xterm)";
        }
        if (!PtyPair::socatInstalled()) {
            GTEST_SKIP() << "socat is not installed";
        }
        ASSERT_TRUE(server.isReady()) << server.problem();
        target = std::make_unique<XtermTarget>(server);
        ASSERT_TRUE(target->isReady()) << target->problem();
        ASSERT_TRUE(redirection.isReady()) << redirection.problem();
    }

    void startProgram(const RedirectSettings& settings, const QStringList& keysArguments) {
        startProgram(settings, keysArguments, server.environment());
    }

    void startProgram(const RedirectSettings& settings, const QStringList& keysArguments,
                      const QProcessEnvironment& environment) {
        ASSERT_TRUE(redirection.start(settings, keysArguments, environment));
    }

    // Sends `received` down the line and returns what the window got from it.
    std::string typedInWindow(const std::string& received, std::size_t expectedSize) {
        return redirection.typedInto(*target, received, expectedSize);
    }

    void setLayout(const std::string& layout) {
        if (!XvfbServer::layoutToolInstalled()) {
            GTEST_SKIP() << "setxkbmap is not installed (package x11-xkb-utils)";
        }
        ASSERT_TRUE(server.setLayout(layout)) << server.problem();
    }

    XvfbServer server;
    std::unique_ptr<XtermTarget> target;
    test::LineRedirection redirection;
};

const QStringList kX11 = {QStringLiteral("--keys"), QStringLiteral("x11")};

using LayoutAndCapsLock = std::tuple<std::string, bool>;

std::string nameOf(const ::testing::TestParamInfo<LayoutAndCapsLock>& param) {
    return std::get<0>(param.param) + (std::get<1>(param.param) ? "CapsLockOn" : "CapsLockOff");
}

class TypingInLayoutTest : public TypingTest,
                           public ::testing::WithParamInterface<LayoutAndCapsLock> {};

TEST_P(TypingInLayoutTest, EveryPrintableCharacterTabAndEnterArriveExactly) {
    const auto [layout, capsLock] = GetParam();
    RedirectSettings settings;
    settings.Check_ENTER_KEY = 1;
    // Started before the layout is set: the program follows the change.
    startProgram(settings, kX11);
    setLayout(layout);
    server.setNumLock(true);
    server.setCapsLock(capsLock);

    const std::string printable = printableAscii();
    const std::string received =
        printable + "\t\r\n" + std::string(printable.rbegin(), printable.rend()) + "\r";
    const std::string expected = typedForReceived(received, settings);
    EXPECT_EQ(typedInWindow(received, expected.size()), expected);
    EXPECT_EQ(server.capsLockOn(), capsLock);
    EXPECT_TRUE(server.numLockOn());
}

INSTANTIATE_TEST_SUITE_P(Layouts, TypingInLayoutTest,
                         ::testing::Combine(::testing::Values("us", "fr", "de"), ::testing::Bool()),
                         nameOf);

class PreambleTest : public TypingTest, public ::testing::WithParamInterface<LayoutAndCapsLock> {};

// é and € come from the pre-amble and post-amble: in us no key has them, in
// fr é has a key that Caps Lock turns into É.
TEST_P(PreambleTest, CharactersBeyondTheLayoutArriveToo) {
    const auto [layout, capsLock] = GetParam();
    setLayout(layout);
    server.setCapsLock(capsLock);
    const RedirectSettings settings = test::accentedAmbles();
    startProgram(settings, kX11);

    // One line per write: a batch completes at most one input string.
    for (const std::string batch : {"AbC 12\r", "\xe9t\xe9\r"}) {
        // The CR ends the input string and, untranslated, is dropped; é in the
        // received text is beyond the printable filter.
        const std::string expected =
            "\xc3\xa9 " + typedForReceived(batch, settings) + "\xe2\x82\xac\r";
        EXPECT_EQ(typedInWindow(batch, expected.size()), expected);
    }
    EXPECT_EQ(server.capsLockOn(), capsLock);
}

INSTANTIATE_TEST_SUITE_P(Layouts, PreambleTest,
                         ::testing::Values(LayoutAndCapsLock{"us", false},
                                           LayoutAndCapsLock{"fr", true},
                                           LayoutAndCapsLock{"de", true}),
                         nameOf);

TEST_F(TypingTest, AShiftKeyHeldWhileDataArrivesChangesNothingAndStaysDown) {
    RedirectSettings settings;
    settings.Check_ENTER_KEY = 1;
    startProgram(settings, kX11);
    server.pressKey(XK_Shift_L);
    EXPECT_EQ(typedInWindow("abc 1;\r", 7), "abc 1;\r");
    EXPECT_TRUE(server.isKeyDown(XK_Shift_L));
    server.releaseKey(XK_Shift_L);
}

TEST_F(TypingTest, TypesWithTheX11KeyboardByDefaultWhenThereIsADisplay) {
    startProgram(RedirectSettings{}, {});
    EXPECT_EQ(typedInWindow("ok", 2), "ok");
}

TEST_F(TypingTest, UnderAWaylandDesktopWithoutVirtualKeyboardsItSaysKeysReachOnlyX11Apps) {
    QProcessEnvironment environment = server.environment();
    // No compositor answers there, so none offers virtual keyboards.
    environment.insert(QStringLiteral("WAYLAND_DISPLAY"), QStringLiteral("vantorix-test-none"));
    startProgram(RedirectSettings{}, {}, environment);
    EXPECT_EQ(typedInWindow("ok", 2), "ok") << "XWayland windows still get the keys";
    EXPECT_NE(redirection.program().errors().find("only X11 applications"), std::string::npos)
        << redirection.program().errors();
}

TEST(TypingOnWayland, WithoutAWayToTypeOrAnXDisplayTheProgramSaysItCannotType) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("DISPLAY"));
    environment.insert(QStringLiteral("WAYLAND_DISPLAY"), QStringLiteral("vantorix-test-none"));
    Program program(RedirectSettings{}, QStringList{QStringLiteral("--headless")} + kX11,
                    environment);
    EXPECT_EQ(program.waitForExit(), 1);
    EXPECT_NE(program.errors().find("only X11 applications"), std::string::npos)
        << program.errors();
    EXPECT_NE(program.errors().find("no X display"), std::string::npos) << program.errors();

    ::unsetenv("DISPLAY");
    ::setenv("WAYLAND_DISPLAY", "vantorix-test-none", 1);
    EXPECT_EQ(defaultKeyboardBackend(), QStringLiteral("none"));
    EXPECT_NE(noTypingReason().find("offers no way to type"), std::string::npos);
}

}  // namespace
}  // namespace vantorix
