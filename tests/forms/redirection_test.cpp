#include "forms/redirection.h"

#include <gtest/gtest.h>

#include "support/fake_desktop.h"
#include "support/fake_keyboard.h"
#include "support/fake_message_boxes.h"
#include "support/fake_port_watcher.h"
#include "support/fake_serial_port.h"
#include "support/manual_timer.h"

namespace vantorix {
namespace {

using test::FakeHotKeys;
using test::FakeIcon;
using test::FakeKeyboard;
using test::FakeMessageBoxes;
using test::FakePortWatcher;
using test::FakeSerialPort;
using test::Journal;
using test::ManualTimer;

// Writes the window's side of starting and stopping into the journal.
class RecordingView final : public RedirectionView {
  public:
    explicit RecordingView(Journal& journal) : journal_(journal) {}
    void setControlEnabled(RedirectionControl control, bool enabled) override {
        enabled_[static_cast<std::size_t>(control)] = enabled;
    }
    void giveFocus(RedirectionControl control) override {
        journal_.push_back("focus:" + std::to_string(static_cast<int>(control)));
    }
    bool isEnabled(RedirectionControl control) const {
        return enabled_[static_cast<std::size_t>(control)];
    }

  private:
    Journal& journal_;
    std::array<bool, 10> enabled_{true, false, true, true, true, true, true, true, true, true};
};

class RedirectionTest : public ::testing::Test {
  protected:
    bool showsRunning() const {
        using enum RedirectionControl;
        const bool running = !view.isEnabled(Command1) && view.isEnabled(Command_stop_redirect) &&
                             !view.isEnabled(Command_advanced_options);
        for (const auto choice : {Combo_portselect, Combo_baud, Combo_parity, Combo_stop,
                                  Combo_length, Combo_handshake}) {
            EXPECT_EQ(view.isEnabled(choice), !running);
        }
        return running;
    }
    bool showsIdle() const {
        using enum RedirectionControl;
        return view.isEnabled(Command1) && !view.isEnabled(Command_stop_redirect) &&
               view.isEnabled(Command_advanced_options) && view.isEnabled(Combo_portselect) &&
               view.isEnabled(Combo_handshake);
    }
    void activateHotKeys(int first, int second) {
        settings.Check_enablehotkey1 = first;
        settings.Check_enablehotkey2 = second;
        settings.Check_preamble = 1;
        indicator.update(settings);
    }

    Journal journal;
    FakeSerialPort port;
    ManualTimer timer;
    FakeKeyboard keyboard;
    RedirectSettings settings;
    AdvancedOptionsIndicator indicator;
    ReceiveHandler receiver{port, timer, keyboard, settings, indicator};
    RecordingView view{journal};
    FakeHotKeys hotKeys{journal};
    FakeIcon icon{journal};
    FakeMessageBoxes messages{journal};
    FakePortWatcher watcher;
    Redirection redirection{port,    receiver, settings, indicator, view,
                            hotKeys, icon,     messages, watcher};
};

TEST_F(RedirectionTest, StartOpensThePortAndSwitchesToRunning) {
    settings.Combo_portselect = "COM3";
    redirection.Command1_Click();
    EXPECT_TRUE(redirection.isRunning());
    EXPECT_TRUE(showsRunning());
    EXPECT_EQ(journal, (Journal{"focus:9", "icon:tip running"}));
    EXPECT_EQ(port.log.front(), "CommPort=3");
}

TEST_F(RedirectionTest, StartDropsTextGatheredBeforeIt) {
    settings.Check_postamble = 1;
    indicator.update(settings);
    port.setPortOpen(true);
    port.receive("stale without line end");
    port.setPortOpen(false);
    redirection.Command1_Click();
    EXPECT_EQ(receiver.receivedText(), "");
}

TEST_F(RedirectionTest, ABusyPortIsReportedWithTheSystemsReasonAndNothingChanges) {
    port.opens = false;
    port.failureReason = "Permission denied: this user may not open /dev/ttyS19.";
    settings.Combo_portselect = "COM20";
    redirection.Command1_Click();
    EXPECT_EQ(journal, (Journal{"message COM 20 already open or not available. Shutdown any other "
                                "program that is using this port first|Com Port control|"
                                "Permission denied: this user may not open /dev/ttyS19."}));
    EXPECT_TRUE(showsIdle());
}

TEST_F(RedirectionTest, SettingsThePortRefusedAreReportedOnceRunning) {
    settings.Combo_portselect = "/dev/ttyUSB0";
    settings.Combo_baud = "19200";
    settings.Combo_length = "4 bits";
    port.rejected = {"19200,N,4,1"};
    redirection.Command1_Click();
    EXPECT_TRUE(showsRunning());
    EXPECT_EQ(journal,
              (Journal{"focus:9", "icon:tip running",
                       "message /dev/ttyUSB0 refused the line settings 19200,N,4,1 and runs at "
                       "9600,N,8,1.|Com Port control"}));
}

TEST_F(RedirectionTest, StartWhileRunningDoesNothing) {
    redirection.Command1_Click();
    const std::size_t portCalls = port.log.size();
    journal.clear();
    redirection.Command1_Click();
    EXPECT_TRUE(journal.empty());
    EXPECT_EQ(port.log.size(), portCalls) << "nothing is written to the port";
}

TEST_F(RedirectionTest, StopClosesThePortKeepsQueuedKeysAndReleasesHotKeys) {
    activateHotKeys(1, 0);
    redirection.Command1_Click();
    port.receive("abc\r");
    const std::string queued = receiver.queuedKeys();
    journal.clear();
    redirection.Command_stop_redirect_Click();
    EXPECT_FALSE(redirection.isRunning());
    EXPECT_TRUE(showsIdle());
    EXPECT_EQ(journal, (Journal{"icon:tip idle", "hotkeys:unregister"}));
    EXPECT_EQ(receiver.queuedKeys(), queued);
}

TEST_F(RedirectionTest, StopThenStartOpensTheNewPort) {
    redirection.Command1_Click();
    redirection.Command_stop_redirect_Click();
    settings.Combo_portselect = "/dev/ttyUSB1";
    port.log.clear();
    redirection.Command1_Click();
    EXPECT_EQ(port.log.front(), "CommDevice=/dev/ttyUSB1");
    EXPECT_TRUE(showsRunning());
}

TEST_F(RedirectionTest, HotKeysFollowTheirSwitchesOnlyWhileAdvancedOptionsAreActive) {
    // Inactive: START neither registers nor releases.
    settings.Check_enablehotkey1 = 1;
    hotKeys.registered = true;
    redirection.Command1_Click();
    EXPECT_EQ(journal, (Journal{"focus:9", "icon:tip running"}));
    redirection.Command_stop_redirect_Click();
    EXPECT_FALSE(hotKeys.registered) << "STOP releases them whenever registered";

    journal.clear();
    activateHotKeys(0, 1);
    redirection.Command1_Click();
    EXPECT_EQ(journal, (Journal{"focus:9", "hotkeys:register", "icon:tip running"}));

    journal.clear();
    port.setPortOpen(false);  // registered and started again: registered afresh
    redirection.Command1_Click();
    EXPECT_EQ(journal,
              (Journal{"focus:9", "hotkeys:unregister", "hotkeys:register", "icon:tip running"}));

    journal.clear();
    port.setPortOpen(false);
    activateHotKeys(0, 0);
    redirection.Command1_Click();
    EXPECT_EQ(journal, (Journal{"focus:9", "hotkeys:unregister", "icon:tip running"}));
}

// A name that opens but refuses the line settings its port took before is not
// that port back; a port that refused them from the start comes back as it was.
TEST_F(RedirectionTest, APortIsBackOnlyIfItTakesTheLineSettingsItTookBefore) {
    struct Case {
        const char* name;
        bool refusedAtStart;
        bool back;
    };
    const Case cases[] = {{"took them at START", false, false},
                          {"refused them at START", true, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        settings.Combo_parity = "Odd";
        port.rejected.clear();
        if (c.refusedAtStart) {
            port.rejected = {"9600,O,8,1"};
        }
        redirection.Command_stop_redirect_Click();
        redirection.Command1_Click();
        port.setPortOpen(false);
        redirection.portLost("Port COM1 was lost");
        port.rejected = {"9600,O,8,1"};
        watcher.notice();
        EXPECT_EQ(watcher.watching(), !c.back);
        EXPECT_EQ(port.PortOpen(), c.back);
        EXPECT_EQ(icon.currentTip, c.back ? kRunningTip : kWaitingTip);
    }
}

TEST_F(RedirectionTest, ALossReportedAfterStopIsNotWaitedFor) {
    redirection.Command1_Click();
    redirection.Command_stop_redirect_Click();
    redirection.portLost("Port COM1 was lost");
    EXPECT_FALSE(watcher.watching());
    EXPECT_FALSE(redirection.isRunning());
    EXPECT_EQ(icon.currentTip, kIdleTip);
}

}  // namespace
}  // namespace vantorix
