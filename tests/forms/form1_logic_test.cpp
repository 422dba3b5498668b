#include "forms/form1_logic.h"

#include <gtest/gtest.h>

#include "support/fake_desktop.h"
#include "support/fake_keyboard.h"
#include "support/fake_message_boxes.h"
#include "support/fake_port_watcher.h"
#include "support/fake_serial_port.h"
#include "support/fake_window_views.h"
#include "support/manual_timer.h"

namespace vantorix {
namespace {

using namespace test;

class Form1LogicTest : public ::testing::Test {
  protected:
    Journal journal;
    FakeSerialPort port;
    ManualTimer timer;
    FakeKeyboard keyboard;
    RedirectSettings settings;
    AdvancedOptionsIndicator indicator;
    ReceiveHandler receiver{port, timer, keyboard, settings, indicator};
    FakeMainWindowView window{journal};
    FakeHotKeys hotKeys{journal};
    FakeIcon icon{journal};
    FakeShortcut shortcut{journal};
    FakeSettingsFile file{journal};
    FakeMessageBoxes messages{journal};
    FakeForm3View advanced{journal};
    FakePortWatcher watcher;
    Redirection redirection{port,    receiver, settings, indicator, window,
                            hotKeys, icon,     messages, watcher};
    Form1Logic logic{settings,
                     indicator,
                     receiver,
                     redirection,
                     window,
                     advanced,
                     Form1Services{file, hotKeys, icon, shortcut, messages}};
};

TEST_F(Form1LogicTest, FirstStartShowsTheDefaultsIdle) {
    settings.Combo_baud = "300";  // whatever the store held, start-up sets the defaults
    settings.Check_startrun = 1;
    logic.Form_Load("/opt/vantorix/vantorix.html", std::nullopt);
    EXPECT_EQ(settings, RedirectSettings{});
    EXPECT_EQ(logic.CURRENT_WINDOW, 1);
    EXPECT_EQ(logic.helpFilePath, "/opt/vantorix/vantorix.html");
    EXPECT_FALSE(indicator.enabled);
    EXPECT_FALSE(redirection.isRunning());
    EXPECT_EQ(journal,
              (Journal{"main:indicator off", "advanced:lists", "icon:place idle", "file:load",
                       "main:settings", "advanced:settings", "main:indicator off"}));
}

TEST_F(Form1LogicTest, StartUpReadsTheFileAndComputesTheAdvancedState) {
    RedirectSettings stored;
    stored.Combo_portselect = "COM4";
    stored.Check_replacestring = 1;
    file.stored = stored;
    logic.Form_Load("", std::nullopt);
    EXPECT_EQ(settings, stored);
    EXPECT_TRUE(indicator.enabled);
    EXPECT_TRUE(indicator.selected);
}

TEST_F(Form1LogicTest, APortGivenOnTheCommandLineReplacesTheStoredOne) {
    RedirectSettings stored;
    stored.Combo_portselect = "COM4";
    file.stored = stored;
    logic.Form_Load("", std::string("/dev/ttyACM0"));
    EXPECT_EQ(settings.Combo_portselect, "/dev/ttyACM0");
}

TEST_F(Form1LogicTest, StartRedirectionAtStartOpensThePortMinimisesAndHidesInTheIcon) {
    RedirectSettings stored;
    stored.Check_startrun = 1;
    file.stored = stored;
    logic.Form_Load("", std::nullopt);
    EXPECT_TRUE(redirection.isRunning());
    EXPECT_EQ(icon.currentTip, kRunningTip);
    const Journal tail(journal.end() - 2, journal.end());
    EXPECT_EQ(tail, (Journal{"main:minimize", "main:hide"}));
}

TEST_F(Form1LogicTest, StartRedirectionAtStartWithABusyPortStillMinimises) {
    RedirectSettings stored;
    stored.Check_startrun = 1;
    file.stored = stored;
    port.opens = false;
    icon.restores = false;
    logic.Form_Load("", std::nullopt);
    EXPECT_FALSE(redirection.isRunning());
    EXPECT_EQ(icon.currentTip, kIdleTip);
    ASSERT_GE(journal.size(), 2u);
    EXPECT_EQ(journal[journal.size() - 2].substr(0, 13), "message COM 1");
    EXPECT_EQ(journal.back(), "main:minimize") << "no notification area: minimised, not hidden";
}

TEST_F(Form1LogicTest, SetAdvancedOptionsPutsTheAdvancedWindowInThisOnesPlace) {
    logic.Form_Load("", std::nullopt);
    journal.clear();
    window.at = {312, 48};
    logic.Command_advanced_options_Click();
    EXPECT_EQ(logic.CURRENT_WINDOW, 2);
    EXPECT_EQ(journal, (Journal{"advanced:show at 312,48", "main:hide"}));
}

TEST_F(Form1LogicTest, MinimisingHidesOnlyWhereANotificationAreaCanBringItBack) {
    icon.restores = false;
    logic.Form_Resize(true);
    EXPECT_TRUE(journal.empty());
    icon.restores = true;
    logic.Form_Resize(false);
    EXPECT_TRUE(journal.empty());
    logic.Form_Resize(true);
    EXPECT_EQ(journal, (Journal{"main:hide"}));
}

TEST_F(Form1LogicTest, ExitReleasesHotKeysSavesThenUpdatesTheShortcutAndRemovesTheIcon) {
    settings.Check_startup = 1;
    hotKeys.registered = true;
    logic.prepare_for_exit();
    EXPECT_EQ(journal,
              (Journal{"hotkeys:unregister", "file:save", "shortcut:create", "icon:remove"}));
    EXPECT_EQ(file.stored, settings);
}

TEST_F(Form1LogicTest, ExitWithoutStartupDeletesTheShortcutAndRunsOnlyOnce) {
    settings.Check_startup = 2;  // only 1 counts as on
    logic.prepare_for_exit();
    logic.prepare_for_exit();
    EXPECT_EQ(journal, (Journal{"file:save", "shortcut:delete", "icon:remove"}));
}

TEST_F(Form1LogicTest, ExitWhileRunningDoesNotStop) {
    redirection.Command1_Click();
    journal.clear();
    logic.prepare_for_exit();
    EXPECT_TRUE(redirection.isRunning());
    EXPECT_EQ(journal, (Journal{"file:save", "shortcut:delete", "icon:remove"}));
}

}  // namespace
}  // namespace vantorix
