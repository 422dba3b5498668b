#include "forms/hot_keys.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "forms/hot_key_actions.h"
#include "support/fake_serial_port.h"

namespace vantorix {
namespace {

using test::FakeSerialPort;

// Records what the hot-key window asks of the desktop, in order.
class RecordingGrabber final : public HotKeyGrabber {
  public:
    void grab(int identifier, HotKeyChoice choice) override {
        log.push_back("grab " + std::to_string(identifier) + " key " +
                      std::to_string(choice.keyCode) + " mod " + std::to_string(choice.modifiers));
    }
    void ungrab(int identifier) override { log.push_back("ungrab " + std::to_string(identifier)); }
    void listen(std::function<void(int)> pressed) override {
        log.emplace_back("listen");
        pressed_ = std::move(pressed);
    }
    void stopListening() override {
        log.emplace_back("stop listening");
        pressed_ = nullptr;
    }
    // The desktop reports a press; false if nobody listens.
    bool press(int identifier) {
        if (!pressed_) {
            return false;
        }
        pressed_(identifier);
        return true;
    }
    std::vector<std::string> log;

  private:
    std::function<void(int)> pressed_;
};

using Log = std::vector<std::string>;

TEST(HotKeyChoiceTest, KeyCodeFollowsThePositionInTheList) {
    EXPECT_EQ(hotKeyChoice("F2"), (HotKeyChoice{113, 0}));
    EXPECT_EQ(hotKeyChoice("Shift+F11"), (HotKeyChoice{122, kModShift}));
    EXPECT_EQ(hotKeyChoice("Ctrl+F7"), (HotKeyChoice{118, kModControl}));
    EXPECT_EQ(hotKeyChoice("Alt+F2"), (HotKeyChoice{113, kModAlt}));
}

TEST(HotKeyChoiceTest, EveryItemOfTheListHasItsKeyAndOneModifier) {
    const auto items = hotKeyItems();
    ASSERT_EQ(items.size(), 40U);
    const int modifiers[] = {0, kModAlt, kModControl, kModShift};
    for (std::size_t i = 0; i < items.size(); ++i) {
        SCOPED_TRACE(items[i]);
        const HotKeyChoice choice = hotKeyChoice(items[i]);
        EXPECT_EQ(choice.keyCode, 113 + static_cast<int>(i / 4));
        EXPECT_EQ(choice.modifiers, modifiers[i % 4]);
    }
}

TEST(HotKeyChoiceTest, TheLastMatchingWordWinsAndAnUnknownItemIsF2) {
    EXPECT_EQ(hotKeyChoice("Ctrl+Alt+F9").modifiers, kModControl);
    EXPECT_EQ(hotKeyChoice("Alt+Shift+F9").modifiers, kModShift);
    EXPECT_EQ(hotKeyChoice("alt+F2").modifiers, 0);  // the test is case-sensitive
    EXPECT_EQ(hotKeyChoice("F12").keyCode, 113);
}

class HotKeyWindowTest : public ::testing::Test {
  protected:
    RedirectSettings settings;
    RecordingGrabber grabber;
};

TEST_F(HotKeyWindowTest, RegistersTheEnabledKeysThenListens) {
    settings.Combo_hotkey1 = "Ctrl+F7";
    settings.Combo_hotkey2 = "Shift+F11";
    settings.Check_enablehotkey1 = 1;
    settings.Check_enablehotkey2 = 1;
    frmHotKey window(settings, grabber);
    EXPECT_FALSE(window.isRegistered());
    window.cmdRegisterHotKey_Click();
    EXPECT_TRUE(window.isRegistered());
    EXPECT_EQ(grabber.log, (Log{"grab 1 key 118 mod 2", "grab 2 key 122 mod 4", "listen"}));
}

TEST_F(HotKeyWindowTest, OnlyTheEnabledKeyIsGrabbedYetTheWindowListensAndIsRegistered) {
    settings.Check_enablehotkey1 = 1;
    settings.Check_enablehotkey2 = 2;  // only 1 counts as checked
    frmHotKey window(settings, grabber);
    window.cmdRegisterHotKey_Click();
    EXPECT_TRUE(window.isRegistered());
    EXPECT_EQ(grabber.log, (Log{"grab 1 key 113 mod 0", "listen"}));
}

TEST_F(HotKeyWindowTest, ReleasingStopsListeningAndReleasesBothIdentifiers) {
    settings.Check_enablehotkey2 = 1;
    frmHotKey window(settings, grabber);
    window.cmdRegisterHotKey_Click();
    grabber.log.clear();
    window.cmdUnregisterHotKey_Click();
    EXPECT_FALSE(window.isRegistered());
    EXPECT_EQ(grabber.log, (Log{"stop listening", "ungrab 1", "ungrab 2"}));
}

TEST_F(HotKeyWindowTest, UnloadReleasesOnlyWhenRegistered) {
    { frmHotKey window(settings, grabber); }
    EXPECT_TRUE(grabber.log.empty());
    {
        frmHotKey window(settings, grabber);
        window.cmdRegisterHotKey_Click();
        grabber.log.clear();
    }
    EXPECT_EQ(grabber.log, (Log{"stop listening", "ungrab 1", "ungrab 2"}));
}

TEST_F(HotKeyWindowTest, PressesRunTheActionOfTheirIdentifierOnly) {
    settings.Check_enablehotkey1 = 1;
    settings.Check_enablehotkey2 = 1;
    frmHotKey window(settings, grabber);
    Log actions;
    window.setActions([&] { actions.emplace_back("one"); }, [&] { actions.emplace_back("two"); });
    window.cmdRegisterHotKey_Click();
    ASSERT_TRUE(grabber.press(2));
    ASSERT_TRUE(grabber.press(1));
    ASSERT_TRUE(grabber.press(3));
    EXPECT_EQ(actions, (Log{"two", "one"}));
    window.cmdUnregisterHotKey_Click();
    EXPECT_FALSE(grabber.press(1));
}

TEST_F(HotKeyWindowTest, EachKeyCountsAsRegisteredAsItWasEnabledAtRegistrationUntilReleased) {
    struct Case {
        int firstEnabled;
        int secondEnabled;
        bool first;
        bool second;
    };
    const Case cases[] = {
        {1, 1, true, true},
        {1, 0, true, false},
        {0, 1, false, true},
        {2, 1, false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.firstEnabled << " " << c.secondEnabled);
        settings.Check_enablehotkey1 = c.firstEnabled;
        settings.Check_enablehotkey2 = c.secondEnabled;
        frmHotKey window(settings, grabber);
        EXPECT_FALSE(window.isHotKeyRegistered(1));
        window.cmdRegisterHotKey_Click();
        // Switches changed while registered wait for the next registration.
        settings.Check_enablehotkey1 = 1 - std::min(c.firstEnabled, 1);
        settings.Check_enablehotkey2 = 1 - c.secondEnabled;
        EXPECT_EQ(window.isHotKeyRegistered(1), c.first);
        EXPECT_EQ(window.isHotKeyRegistered(2), c.second);
        EXPECT_FALSE(window.isHotKeyRegistered(3));
        window.cmdUnregisterHotKey_Click();
        EXPECT_FALSE(window.isHotKeyRegistered(1));
        EXPECT_FALSE(window.isHotKeyRegistered(2));
    }
}

TEST_F(HotKeyWindowTest, TheChoicesAreReadAtEachRegistration) {
    settings.Check_enablehotkey1 = 1;
    frmHotKey window(settings, grabber);
    window.cmdRegisterHotKey_Click();
    window.cmdUnregisterHotKey_Click();
    settings.Combo_hotkey1 = "Alt+F5";
    grabber.log.clear();
    window.cmdRegisterHotKey_Click();
    EXPECT_EQ(grabber.log.front(), "grab 1 key 116 mod 1");
}

TEST(HotKeyActionTest, SendsTheExpandedStringAsOneWrite) {
    FakeSerialPort port;
    port.setPortOpen(true);
    port.log.clear();
    sendHotKeyString(port, "abc{13}");
    EXPECT_EQ(port.log, (Log{"Output=abc\r"}));
}

TEST(HotKeyActionTest, SendsNothingWhileThePortIsClosed) {
    FakeSerialPort port;
    sendHotKeyString(port, "abc{13}");
    EXPECT_TRUE(port.sentOut.empty());
    EXPECT_TRUE(port.log.empty());
}

TEST(HotKeyActionTest, AnEmptyStringIsAnEmptyWrite) {
    FakeSerialPort port;
    port.setPortOpen(true);
    port.log.clear();
    sendHotKeyString(port, "");
    EXPECT_EQ(port.log, (Log{"Output="}));
    EXPECT_TRUE(port.sentOut.empty());
}

TEST(HotKeyActionTest, TheSettingKeepsItsTokens) {
    FakeSerialPort port;
    port.setPortOpen(true);
    const std::string setting = "{27}x{10}";
    sendHotKeyString(port, setting);
    EXPECT_EQ(port.sentOut, std::string("\x1bx\n"));
    EXPECT_EQ(setting, "{27}x{10}");
}

}  // namespace
}  // namespace vantorix
