#include "frontend/qt/form1.h"

#include <QtCore/qtestsupport_core.h>
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <gtest/gtest.h>

#include "support/fake_window_services.h"
#include "support/pty_pair.h"

namespace vantorix {
namespace {

using namespace test;

constexpr int kTimeoutMs = 5000;

class Form1Test : public ::testing::Test, protected FakeWindowServices {
  protected:
    void load(std::optional<std::string> port = std::nullopt) {
        form.Form_Load("help.html", port);
        form.showAfterLoad();
    }

    // The six line choices, START, STOP and Set Advanced Options show
    // running (true) or idle (false).
    bool controlsShowRunning(bool running) const {
        for (const QComboBox* choice : {form.Combo_portselect, form.Combo_baud, form.Combo_parity,
                                        form.Combo_stop, form.Combo_length, form.Combo_handshake}) {
            if (choice->isEnabled() == running) {
                return false;
            }
        }
        return form.Command1->isEnabled() == !running &&
               form.Command_stop_redirect->isEnabled() == running &&
               form.Command_advanced_options->isEnabled() == !running;
    }

    void selectPort(const std::string& path) {
        form.Combo_portselect->addItem(QString::fromStdString(path));
        form.Combo_portselect->setCurrentText(QString::fromStdString(path));
    }

    bool notificationArea = false;
    FORM1 form{{settings, keyboard, file, hotKeys, icon, shortcut, messages,
                [this] { return notificationArea; }}};
};

class Form1OnALine : public Form1Test {
  protected:
    void SetUp() override {
        if (!PtyPair::socatInstalled()) {
            GTEST_SKIP() << "socat is not installed";
        }
        ASSERT_TRUE(line.isReady()) << line.problem();
    }
    PtyPair line;
};

TEST_F(Form1Test, OpensIdleWithTheDefaults) {
    load();
    EXPECT_TRUE(form.isVisible());
    EXPECT_EQ(form.windowTitle(), "VANTORIX Serial port to keyboard redirection");
    EXPECT_EQ(form.Combo_portselect->currentText(), "COM1");
    EXPECT_EQ(form.Combo_baud->currentText(), "9600");
    EXPECT_EQ(form.Combo_parity->currentText(), "None");
    EXPECT_EQ(form.Combo_stop->currentText(), "1");
    EXPECT_EQ(form.Combo_length->currentText(), "8 bits");
    EXPECT_EQ(form.Combo_handshake->currentText(), "None");
    for (QCheckBox* box :
         {form.Check_ENTER_KEY, form.Check_LF_KEY, form.Check_startup, form.Check_startrun}) {
        EXPECT_FALSE(box->isChecked()) << box->objectName().toStdString();
    }
    EXPECT_TRUE(controlsShowRunning(false));
    EXPECT_FALSE(form.Option1_advanced_active->isEnabled());
    EXPECT_FALSE(form.Option1_advanced_active->isChecked());
    EXPECT_EQ(icon.currentTip, kIdleTip);
}

TEST_F(Form1Test, ControlsCarryTheirNamesCaptionsAndTips) {
    EXPECT_EQ(form.findChild<QComboBox*>("Combo_baud"), form.Combo_baud);
    EXPECT_EQ(form.findChild<QPushButton*>("Command_stop_redirect")->text(), "STOP REDIRECTION");
    EXPECT_EQ(form.Combo_baud->count(), 14);
    EXPECT_EQ(form.Combo_portselect->itemText(19), "COM20");
    EXPECT_EQ(form.Check_LF_KEY->toolTip(),
              "Enable this to automatically send the enter key after a line feed character is "
              "detected.");
    EXPECT_EQ(form.Combo_handshake->toolTip(), "Select the Handshake mode for the Input Com Port.");
    EXPECT_EQ(form.menu_help->title(), "HELP");
    EXPECT_EQ(form.menu_help_contents->text(), "HELP Contents and Index      F1");
    EXPECT_TRUE(form.menu_separator1->isSeparator());
    EXPECT_EQ(form.menu_about_vantorix->text(), "About VANTORIX");
    EXPECT_FALSE(form.cmd_hotkey_pressed->isVisible());
    EXPECT_EQ(form.cmd_hotkey2_pressed->text(), "hotkey2_pressed");
    EXPECT_FALSE(form.Image1->pixmap().isNull());
}

TEST_F(Form1Test, ShowsTheStoredSettingsAndKeepsAnAbsentDevicePath) {
    RedirectSettings stored;
    stored.Combo_portselect = "/dev/vantorix-unplugged";
    stored.Combo_baud = "115200";
    stored.Combo_handshake = "RTS XonXoff";
    stored.Check_LF_KEY = 1;
    stored.Check_startup = 2;
    stored.Check_postamble = 1;
    file.stored = stored;
    load();
    EXPECT_EQ(form.Combo_portselect->currentText(), "/dev/vantorix-unplugged");
    EXPECT_EQ(form.Combo_baud->currentText(), "115200");
    EXPECT_EQ(form.Combo_handshake->currentText(), "RTS XonXoff");
    EXPECT_TRUE(form.Check_LF_KEY->isChecked());
    EXPECT_FALSE(form.Check_startup->isChecked());
    EXPECT_EQ(settings.Check_startup, 2) << "showing a value does not rewrite it";
    EXPECT_TRUE(form.Option1_advanced_active->isEnabled());
    EXPECT_TRUE(form.Option1_advanced_active->isChecked());
}

TEST_F(Form1Test, AChangeInAWidgetIsInTheStoreAtOnce) {
    load();
    form.Combo_parity->setCurrentText("Mark");
    form.Check_ENTER_KEY->click();
    EXPECT_EQ(settings.Combo_parity, "Mark");
    EXPECT_EQ(settings.Check_ENTER_KEY, 1);
    form.Check_ENTER_KEY->click();
    EXPECT_EQ(settings.Check_ENTER_KEY, 0);
}

TEST_F(Form1Test, StartOnAMissingPortShowsThePortMessageAndStaysIdle) {
    load();
    selectPort("/dev/vantorix-no-such-port");
    form.Command1->click();
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].title, "Com Port control");
    EXPECT_EQ(messages.shown[0].text,
              "/dev/vantorix-no-such-port already open or not available. Shutdown any other "
              "program that is using this port first");
    EXPECT_TRUE(controlsShowRunning(false));
}

TEST_F(Form1OnALine, StartRunsStopIdlesAndReceivedTextIsTyped) {
    load();
    selectPort(line.nearEnd());
    form.Check_ENTER_KEY->click();
    form.Command1->click();
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_TRUE(controlsShowRunning(true));
    EXPECT_EQ(form.focusWidget(), form.Check_ENTER_KEY);
    EXPECT_EQ(icon.currentTip, kRunningTip);

    form.Command1_Click();  // already open: nothing happens
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_TRUE(controlsShowRunning(true));

    PtyEndpoint device(line.farEnd());
    ASSERT_TRUE(device.write("12+3\r"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !keyboard.sent.empty(); }, kTimeoutMs));
    EXPECT_EQ(keyboard.sent, (std::vector<std::string>{"12{+}3~"}));

    form.Command_stop_redirect->click();
    EXPECT_TRUE(controlsShowRunning(false));
    EXPECT_EQ(icon.currentTip, kIdleTip);
}

TEST_F(Form1OnALine, StopThenStartOnAnotherPort) {
    PtyPair other;
    ASSERT_TRUE(other.isReady()) << other.problem();
    load();
    selectPort(line.nearEnd());
    form.Command1->click();
    form.Command_stop_redirect->click();
    selectPort(other.nearEnd());
    form.Command1->click();
    EXPECT_TRUE(controlsShowRunning(true));

    PtyEndpoint device(other.farEnd());
    ASSERT_TRUE(device.write("x"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !keyboard.sent.empty(); }, kTimeoutMs));
    EXPECT_EQ(keyboard.sent.back(), "x");
}

TEST_F(Form1OnALine, ABusyPortIsReported) {
    load();
    selectPort(line.nearEnd());
    form.Command1->click();
    RedirectSettings otherSettings;
    Journal otherJournal;
    FakeSettingsFile otherFile{otherJournal};
    FakeMessageBoxes otherMessages;
    FORM1 second{{otherSettings, keyboard, otherFile, hotKeys, icon, shortcut, otherMessages,
                  [] { return false; }}};
    second.Form_Load("", line.nearEnd());
    second.Command1->click();
    ASSERT_EQ(otherMessages.shown.size(), 1u);
    EXPECT_EQ(otherMessages.shown[0].title, "Com Port control");
    EXPECT_TRUE(second.Command1->isEnabled());
}

TEST_F(Form1OnALine, ALostPortReturnsToIdleAndTellsTheUser) {
    load();
    selectPort(line.nearEnd());
    form.Command1->click();
    line.unplug();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !messages.shown.empty(); }, kTimeoutMs));
    EXPECT_EQ(messages.shown[0].title, "Com Port control");
    EXPECT_TRUE(controlsShowRunning(false));
    EXPECT_EQ(icon.currentTip, kIdleTip);
}

TEST_F(Form1OnALine, StartRedirectionAtStartRunsAndHidesInTheNotificationArea) {
    RedirectSettings stored;
    stored.Combo_portselect = line.nearEnd();
    stored.Check_startrun = 1;
    file.stored = stored;
    notificationArea = true;
    load();
    EXPECT_TRUE(controlsShowRunning(true));
    QCoreApplication::processEvents();
    EXPECT_FALSE(form.isVisible());
}

TEST_F(Form1Test, StartRedirectionAtStartWithABusyPortStillMinimises) {
    RedirectSettings stored;
    stored.Combo_portselect = "/dev/vantorix-no-such-port";
    stored.Check_startrun = 1;
    file.stored = stored;
    load();
    EXPECT_EQ(messages.shown.size(), 1u);
    EXPECT_TRUE(form.isMinimized()) << "no notification area: minimised, not hidden";
    EXPECT_TRUE(form.isVisible());
    EXPECT_TRUE(controlsShowRunning(false));
}

TEST_F(Form1Test, MinimisingHidesOnlyWithANotificationArea) {
    load();
    form.showMinimized();
    EXPECT_TRUE(form.isVisible());
    form.showNormal();
    notificationArea = true;
    form.showMinimized();
    EXPECT_TRUE(QTest::qWaitFor([&] { return !form.isVisible(); }, kTimeoutMs));
}

TEST_F(Form1Test, ClosingTheWindowSavesTheSettingsAndUpdatesTheShortcut) {
    load();
    form.Combo_baud->setCurrentText("38400");
    journal.clear();
    form.close();
    EXPECT_EQ(journal, (Journal{"file:save", "shortcut:delete", "icon:remove"}));
    ASSERT_TRUE(file.stored.has_value());
    EXPECT_EQ(file.stored->Combo_baud, "38400");
}

}  // namespace
}  // namespace vantorix
