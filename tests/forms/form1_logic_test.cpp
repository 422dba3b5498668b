#include "forms/form1_logic.h"

#include <gtest/gtest.h>

#include "support/fake_desktop.h"
#include "support/fake_keyboard.h"
#include "support/fake_serial_port.h"
#include "support/fake_window_hand_over.h"
#include "support/manual_timer.h"

namespace vantorix {
namespace {

using namespace test;

class RecordingWindow final : public RedirectionView, public Form1View {
  public:
    explicit RecordingWindow(Journal& journal) : journal_(journal) {}
    void setControlEnabled(RedirectionControl, bool) override {}
    void giveFocus(RedirectionControl) override {}
    void showExclamation(const std::string& text, const std::string&) override {
        journal_.push_back("message:" + text.substr(0, 5));
    }
    void showSettings() override { journal_.emplace_back("window:settings"); }
    void showAdvancedIndicator() override { journal_.emplace_back("window:indicator"); }
    void minimizeWindow() override { journal_.emplace_back("window:minimize"); }
    void hideWindow() override { journal_.emplace_back("window:hide"); }
    WindowPosition position() const override { return at; }
    WindowPosition at;

  private:
    Journal& journal_;
};

class Form1LogicTest : public ::testing::Test {
  protected:
    Journal journal;
    FakeSerialPort port;
    ManualTimer timer;
    FakeKeyboard keyboard;
    RedirectSettings settings;
    AdvancedOptionsIndicator indicator;
    ReceiveHandler receiver{port, timer, keyboard, settings, indicator};
    RecordingWindow window{journal};
    FakeHotKeys hotKeys{journal};
    FakeIcon icon{journal};
    FakeShortcut shortcut{journal};
    FakeSettingsFile file{journal};
    FakeAdvancedWindow advanced{journal};
    Redirection redirection{port, receiver, settings, indicator, window, hotKeys, icon};
    Form1Logic logic{settings,
                     indicator,
                     receiver,
                     redirection,
                     window,
                     advanced,
                     Form1Services{file, hotKeys, icon, shortcut}};
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
              (Journal{"window:indicator", "advanced:lists", "icon:place idle", "file:load",
                       "window:settings", "advanced:settings", "window:indicator"}));
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

TEST_F(Form1LogicTest, StartRedirectionAtStartOpensThePortAndMinimises) {
    RedirectSettings stored;
    stored.Check_startrun = 1;
    file.stored = stored;
    logic.Form_Load("", std::nullopt);
    EXPECT_TRUE(redirection.isRunning());
    EXPECT_EQ(journal.back(), "window:minimize");
    EXPECT_EQ(icon.currentTip, kRunningTip);
}

TEST_F(Form1LogicTest, StartRedirectionAtStartWithABusyPortStillMinimises) {
    RedirectSettings stored;
    stored.Check_startrun = 1;
    file.stored = stored;
    port.opens = false;
    logic.Form_Load("", std::nullopt);
    EXPECT_FALSE(redirection.isRunning());
    ASSERT_GE(journal.size(), 2u);
    EXPECT_EQ(journal[journal.size() - 2], "message:COM 1");
    EXPECT_EQ(journal.back(), "window:minimize");
    EXPECT_EQ(icon.currentTip, kIdleTip);
}

TEST_F(Form1LogicTest, SetAdvancedOptionsPutsTheAdvancedWindowInThisOnesPlace) {
    logic.Form_Load("", std::nullopt);
    journal.clear();
    window.at = {312, 48};
    logic.Command_advanced_options_Click();
    EXPECT_EQ(logic.CURRENT_WINDOW, 2);
    EXPECT_EQ(journal, (Journal{"advanced:show 312,48", "window:hide"}));
}

TEST_F(Form1LogicTest, MinimisingHidesOnlyWhereANotificationAreaCanBringItBack) {
    logic.Form_Resize(true, false);
    EXPECT_TRUE(journal.empty());
    logic.Form_Resize(false, true);
    EXPECT_TRUE(journal.empty());
    logic.Form_Resize(true, true);
    EXPECT_EQ(journal, (Journal{"window:hide"}));
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
