#include <QtCore/qtestsupport_core.h>
#include <QDeadlineTimer>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <csignal>
#include <memory>
#include <string>
#include <tuple>

#include "forms/hot_keys.h"
#include "frontend/qt/form1.h"
#include "frontend/qt/hot_key_grabber.h"
#include "frontend/qt/window_session.h"
#include "frontend/qt/x11/other_client.h"
#include "frontend/qt/x11/test_display.h"
#include "settings/config_file.h"
#include "support/fake_desktop.h"
#include "support/fake_keyboard.h"
#include "support/fake_message_boxes.h"
#include "support/pty_pair.h"
#include "support/windowed_program.h"

#include <X11/X.h>
#include <X11/keysym.h>

namespace vantorix {
namespace {

using namespace test;
using namespace std::chrono_literals;

constexpr int kTimeoutMs = 10000;

// Skips unless the test's X server and the tools a test needs are there.
#define SKIP_WITHOUT_DESKTOP_TOOLS()                                \
    do {                                                            \
        if (testDisplayName().empty()) {                            \
            GTEST_SKIP() << "Xvfb is not installed (package xvfb)"; \
        }                                                           \
        if (!xdotoolInstalled()) {                                  \
            GTEST_SKIP() << "xdotool is not installed";             \
        }                                                           \
        if (!PtyPair::socatInstalled()) {                           \
            GTEST_SKIP() << "socat is not installed";               \
        }                                                           \
    } while (false)

// The main window with real hot keys on the test's X server, its port on one
// end of a pseudo-terminal pair; another program's window has the focus.
class HotKeysOnX11 : public ::testing::Test {
  protected:
    void SetUp() override {
        SKIP_WITHOUT_DESKTOP_TOOLS();
        ASSERT_TRUE(line.isReady()) << line.problem();
        other = std::make_unique<OtherClient>(testDisplayName());
        ASSERT_TRUE(other->isReady());
        grabber = makeHotKeyGrabber();
        hotKeys = std::make_unique<frmHotKey>(settings, *grabber);
        windows = std::make_unique<QtWindowSession>(
            settings, DesktopServices{keyboard, file, *hotKeys, icon, shortcut, messages, browser});
    }
    void TearDown() override {
        windows.reset();
        hotKeys.reset();
    }

    // Start-up with `stored` as the settings file, then START on the line.
    void loadAndStart(const RedirectSettings& stored) {
        file.stored = stored;
        windows->session().Form_Load("help.html", line.nearEnd());
        windows->session().Command1_Click();
        ASSERT_TRUE(windows->form().Command_stop_redirect->isEnabled()) << "START failed";
        device = std::make_unique<PtyEndpoint>(line.farEnd());
        ASSERT_TRUE(device->isOpen());
    }

    bool press(const std::string& keys) { return xdotool(testDisplayName(), {"key", keys}); }

    Journal journal;
    RedirectSettings settings;
    FakeKeyboard keyboard;
    FakeSettingsFile file{journal};
    FakeIcon icon{journal};
    FakeShortcut shortcut{journal};
    FakeMessageBoxes messages;
    InertUrlOpener browser;
    PtyPair line;
    std::unique_ptr<OtherClient> other;
    std::unique_ptr<HotKeyGrabber> grabber;
    std::unique_ptr<frmHotKey> hotKeys;
    std::unique_ptr<QtWindowSession> windows;
    std::unique_ptr<PtyEndpoint> device;
};

// Hot key 1, hot key 2, and whether Num Lock is on.
using HotKeyPair = std::tuple<std::string, std::string, bool>;

class HotKeyPairOnX11 : public HotKeysOnX11, public ::testing::WithParamInterface<HotKeyPair> {};

// "Alt+F2" as xdotool names it: "alt+F2".
std::string xdotoolKeys(const std::string& item) {
    std::string keys = item;
    for (const char* modifier : {"Alt", "Ctrl", "Shift"}) {
        const std::string word = modifier;
        if (keys.rfind(word + "+", 0) == 0) {
            std::string lower = word;
            lower[0] = static_cast<char>(lower[0] - 'A' + 'a');
            keys.replace(0, word.size(), lower);
        }
    }
    return keys;
}

TEST_P(HotKeyPairOnX11, EachHotKeySendsItsExpandedStringWhateverWindowHasTheFocus) {
    const auto [first, second, numLock] = GetParam();
    other->setNumLock(numLock);
    ASSERT_EQ(other->numLockOn(), numLock);
    RedirectSettings stored;
    stored.Combo_hotkey1 = first;
    stored.Combo_hotkey2 = second;
    stored.Check_enablehotkey1 = 1;
    stored.Check_enablehotkey2 = 1;
    stored.Text_hotkey1 = "one{13}";
    stored.Text_hotkey2 = "two{13}{10}";
    loadAndStart(stored);
    ASSERT_TRUE(hotKeys->isRegistered());

    ASSERT_TRUE(press(xdotoolKeys(second)));
    EXPECT_EQ(device->read(5), "two\r\n");
    ASSERT_TRUE(press(xdotoolKeys(first)));
    EXPECT_EQ(device->read(4), "one\r");
    // The string is read at the press: a change shows at once.
    settings.Text_hotkey1 = "{49}{50}";
    ASSERT_TRUE(press(xdotoolKeys(first)));
    EXPECT_EQ(device->read(2), "12");
    // The focused window saw none of it.
    EXPECT_FALSE(other->receivesKey(XK_F2, 0ms));
    EXPECT_FALSE(other->receivesKey(XK_F7, 0ms));
    EXPECT_FALSE(other->receivesKey(XK_F11, 0ms));
}

std::string pairName(const ::testing::TestParamInfo<HotKeyPair>& param) {
    std::string name = std::get<0>(param.param) + "_" + std::get<1>(param.param) +
                       (std::get<2>(param.param) ? "_NumLockOn" : "_NumLockOff");
    for (char& c : name) {
        if (c == '+') {
            c = '_';
        }
    }
    return name;
}

INSTANTIATE_TEST_SUITE_P(Keys, HotKeyPairOnX11,
                         ::testing::Combine(::testing::Values("F2", "Ctrl+F7"),
                                            ::testing::Values("Alt+F2", "Shift+F11"),
                                            ::testing::Bool()),
                         pairName);

TEST_F(HotKeysOnX11, StopGivesTheKeysBackToTheFocusedWindow) {
    RedirectSettings stored;
    stored.Check_enablehotkey1 = 1;
    stored.Text_hotkey1 = "one";
    loadAndStart(stored);
    ASSERT_TRUE(press("F2"));
    EXPECT_EQ(device->read(3), "one");

    windows->session().Command_stop_redirect_Click();
    EXPECT_FALSE(hotKeys->isRegistered());
    other->forgetKeys();
    ASSERT_TRUE(press("F2"));
    EXPECT_TRUE(other->receivesKey(XK_F2, std::chrono::milliseconds(kTimeoutMs)));
    QCoreApplication::processEvents();
    EXPECT_EQ(device->read(1, 200ms), "");
}

TEST_F(HotKeysOnX11, StartWithTheAdvancedOptionsInactiveRegistersNothing) {
    loadAndStart(RedirectSettings{});
    // Ticked in the advanced options window, but not confirmed with DONE.
    settings.Check_enablehotkey1 = 1;
    settings.Text_hotkey1 = "one";
    windows->session().Command_stop_redirect_Click();
    windows->session().Command1_Click();
    EXPECT_FALSE(hotKeys->isRegistered());
    other->forgetKeys();
    ASSERT_TRUE(press("F2"));
    EXPECT_TRUE(other->receivesKey(XK_F2, std::chrono::milliseconds(kTimeoutMs)));
    QCoreApplication::processEvents();
    EXPECT_EQ(device->read(1, 200ms), "");
}

TEST_F(HotKeysOnX11, AKeyAnotherProgramHoldsIsRefusedSilentlyAndTheOtherStillWorks) {
    other->holdKey(XK_F7, ControlMask);
    RedirectSettings stored;
    stored.Combo_hotkey1 = "Ctrl+F7";
    stored.Combo_hotkey2 = "F2";
    stored.Check_enablehotkey1 = 1;
    stored.Check_enablehotkey2 = 1;
    stored.Text_hotkey1 = "one";
    stored.Text_hotkey2 = "two";
    loadAndStart(stored);
    EXPECT_TRUE(hotKeys->isRegistered());
    EXPECT_TRUE(messages.shown.empty());
    ASSERT_TRUE(press("ctrl+F7"));
    ASSERT_TRUE(press("F2"));
    // Only hot key 2 arrives: Ctrl+F7 went to the program that holds it.
    EXPECT_EQ(device->read(3), "two");
    EXPECT_EQ(device->read(1, 200ms), "");
}

TEST_F(HotKeysOnX11, TheSameKeyForBothHotKeysFiresOnlyTheFirst) {
    RedirectSettings stored;
    stored.Combo_hotkey1 = "Shift+F11";
    stored.Combo_hotkey2 = "Shift+F11";
    stored.Check_enablehotkey1 = 1;
    stored.Check_enablehotkey2 = 1;
    stored.Text_hotkey1 = "one";
    stored.Text_hotkey2 = "two";
    loadAndStart(stored);
    ASSERT_TRUE(press("shift+F11"));
    EXPECT_EQ(device->read(3), "one");
    EXPECT_EQ(device->read(1, 200ms), "");
}

// The program itself, started on the test's X server with a settings file
// that starts redirection at once with both hot keys on.
TEST(HotKeysProgram, HotKeysSendOutOfThePortUntilTheProgramEnds) {
    SKIP_WITHOUT_DESKTOP_TOOLS();
    PtyPair line;
    ASSERT_TRUE(line.isReady()) << line.problem();
    OtherClient other(testDisplayName());
    ASSERT_TRUE(other.isReady());
    other.setNumLock(true);

    QTemporaryDir folder;
    RedirectSettings settings;
    settings.Combo_portselect = line.nearEnd();
    settings.Check_startrun = 1;
    settings.Combo_hotkey1 = "Ctrl+F7";
    settings.Combo_hotkey2 = "Shift+F11";
    settings.Check_enablehotkey1 = 1;
    settings.Check_enablehotkey2 = 1;
    settings.Text_hotkey1 = "first{13}";
    settings.Text_hotkey2 = "second{13}";
    ASSERT_TRUE(
        saveConfigFile(folder.filePath(QStringLiteral("vantorix.cfg")).toStdString(), settings));

    QProcess program;
    ASSERT_TRUE(startHoldingPort(program, folder.path(), QStringLiteral("xcb"), line.nearEnd(), {},
                                 QString::fromStdString(testDisplayName())));
    // Received text comes back printed once START, hot keys included, is through.
    PtyEndpoint device(line.farEnd());
    ASSERT_TRUE(device.write("ready\r"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return program.canReadLine(); }, kTimeoutMs))
        << program.readAllStandardError().toStdString();

    ASSERT_TRUE(xdotool(testDisplayName(), {"key", "shift+F11"}));
    EXPECT_EQ(device.read(7), "second\r");
    ASSERT_TRUE(xdotool(testDisplayName(), {"key", "ctrl+F7"}));
    EXPECT_EQ(device.read(6), "first\r");

    ::kill(static_cast<pid_t>(program.processId()), SIGTERM);
    ASSERT_TRUE(program.waitForFinished(kTimeoutMs));
    EXPECT_EQ(program.exitCode(), 0);
    // The keys went back to the desktop with the program.
    other.forgetKeys();
    ASSERT_TRUE(xdotool(testDisplayName(), {"key", "ctrl+F7"}));
    EXPECT_TRUE(other.receivesKey(XK_F7, std::chrono::milliseconds(kTimeoutMs)));
}

}  // namespace
}  // namespace vantorix
