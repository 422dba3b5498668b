// The main window over its session: the controls a person works, START and STOP on a real serial
// line (COM5 of the tests' Wine prefix, joined by socat to COM6), minimising and closing.
#include <gtest/gtest.h>

#include <windows.h>

#include "frontend/win32/program_windows.h"
#include "support/win32/message_pump.h"
#include "support/win32/serial_line.h"
#include "support/win32/window_probe.h"

namespace vantorix {
namespace {

using namespace test;

constexpr auto kTimeout = std::chrono::seconds(10);
const std::string kNearPort = "COM" + std::to_string(SerialLine::kNearPort);

class Form1Test : public ::testing::Test, protected ProgramWindows {
  protected:
    std::wstring shown(const char* list) const { return windowText(main(list)); }

    // The six line choices, START, STOP and Set Advanced Options show running
    // (true) or idle (false).
    bool controlsShowRunning(bool running) const {
        for (const char* choice : {"Combo_portselect", "Combo_baud", "Combo_parity", "Combo_stop",
                                   "Combo_length", "Combo_handshake"}) {
            if ((IsWindowEnabled(main(choice)) != FALSE) == running) {
                return false;
            }
        }
        return (IsWindowEnabled(main("Command1")) != FALSE) == !running &&
               (IsWindowEnabled(main("Command_stop_redirect")) != FALSE) == running &&
               (IsWindowEnabled(main("Command_advanced_options")) != FALSE) == !running;
    }
};

TEST_F(Form1Test, OpensIdleAndInFrontWithTheDefaults) {
    load();
    EXPECT_TRUE(IsWindowVisible(form.handle()));
    EXPECT_EQ(shown("Combo_portselect"), L"COM1");
    EXPECT_EQ(shown("Combo_baud"), L"9600");
    EXPECT_EQ(shown("Combo_parity"), L"None");
    EXPECT_EQ(shown("Combo_stop"), L"1");
    EXPECT_EQ(shown("Combo_length"), L"8 bits");
    EXPECT_EQ(shown("Combo_handshake"), L"None");
    for (const char* box : {"Check_ENTER_KEY", "Check_LF_KEY", "Check_startup", "Check_startrun"}) {
        EXPECT_EQ(SendMessageW(main(box), BM_GETCHECK, 0, 0), BST_UNCHECKED) << box;
    }
    EXPECT_TRUE(controlsShowRunning(false));
    EXPECT_FALSE(IsWindowEnabled(main("Option1_advanced_active")));
    EXPECT_EQ(icon.currentTip, kIdleTip);
}

TEST_F(Form1Test, ShowsTheStoredSettingsAndKeepsAPortThatIsNotThere) {
    RedirectSettings stored;
    stored.Combo_portselect = "\\\\.\\COM21";
    stored.Combo_baud = "115200";
    stored.Combo_handshake = "RTS XonXoff";
    stored.Check_LF_KEY = 1;
    stored.Check_startup = 2;
    stored.Check_postamble = 1;
    file.stored = stored;
    load();
    EXPECT_EQ(shown("Combo_portselect"), L"\\\\.\\COM21");
    EXPECT_EQ(shown("Combo_baud"), L"115200");
    EXPECT_EQ(shown("Combo_handshake"), L"RTS XonXoff");
    EXPECT_EQ(SendMessageW(main("Check_LF_KEY"), BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(SendMessageW(main("Check_startup"), BM_GETCHECK, 0, 0), BST_UNCHECKED);
    EXPECT_EQ(settings.Check_startup, 2) << "showing a value does not rewrite it";
    EXPECT_TRUE(IsWindowEnabled(main("Option1_advanced_active")));
    EXPECT_EQ(SendMessageW(main("Option1_advanced_active"), BM_GETCHECK, 0, 0), BST_CHECKED);
}

TEST_F(Form1Test, AChangeInAControlIsInTheStoreAtOnce) {
    load();
    pickRow(main("Combo_parity"), L"Mark");
    click(main("Check_ENTER_KEY"));
    EXPECT_EQ(settings.Combo_parity, "Mark");
    EXPECT_EQ(settings.Check_ENTER_KEY, 1);
    click(main("Check_ENTER_KEY"));
    EXPECT_EQ(settings.Check_ENTER_KEY, 0);
    click(main("Option1_advanced_active"));
    EXPECT_EQ(SendMessageW(main("Option1_advanced_active"), BM_GETCHECK, 0, 0), BST_UNCHECKED)
        << "the indicator shows what the program sets, not clicks";
}

TEST_F(Form1Test, StartRunsStopIdlesAndReceivedTextIsTyped) {
    SerialLine line;
    ASSERT_TRUE(line.isReady()) << line.problem();
    load(kNearPort);
    click(main("Check_ENTER_KEY"));
    SetFocus(main("Command1"));
    click(main("Command1"));
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_TRUE(controlsShowRunning(true));
    EXPECT_EQ(GetFocus(), main("Check_ENTER_KEY"));
    EXPECT_EQ(icon.currentTip, kRunningTip);

    FarEnd device;
    ASSERT_TRUE(device.write("12+3\r"));
    ASSERT_TRUE(pumpMessagesUntil([&] { return !keyboard.sent.empty(); }, kTimeout));
    EXPECT_EQ(keyboard.sent, (std::vector<std::string>{"12{+}3~"}));

    SetFocus(main("Command_stop_redirect"));
    click(main("Command_stop_redirect"));
    EXPECT_TRUE(controlsShowRunning(false));
    EXPECT_NE(GetFocus(), main("Command_stop_redirect")) << "a disabled button keeps no focus";
    EXPECT_EQ(icon.currentTip, kIdleTip);
    click(main("Command_stop_redirect"));
    EXPECT_TRUE(controlsShowRunning(false));
}

TEST_F(Form1Test, APortThatIsNotThereIsReportedAndNothingChanges) {
    load("COM17");  // not mapped in the tests' Wine prefix
    click(main("Command1"));
    ASSERT_EQ(messages.shown.size(), 1U);
    EXPECT_EQ(messages.shown[0].title, "Com Port control");
    EXPECT_NE(messages.shown[0].text.find("COM 17 already open or not available"),
              std::string::npos);
    EXPECT_TRUE(controlsShowRunning(false));
    EXPECT_EQ(icon.currentTip, kIdleTip);
}

TEST_F(Form1Test, StartRedirectionAtStartWithAnAbsentPortStillOpensMinimised) {
    RedirectSettings stored;
    stored.Combo_portselect = "COM17";
    stored.Check_startrun = 1;
    file.stored = stored;
    load();
    EXPECT_EQ(messages.shown.size(), 1U);
    EXPECT_TRUE(IsIconic(form.handle())) << "no notification area: minimised, not hidden";
    EXPECT_TRUE(IsWindowVisible(form.handle()));
}

TEST_F(Form1Test, MinimisingHidesOnlyWhereTheIconBringsTheWindowBack) {
    load();
    ShowWindow(form.handle(), SW_MINIMIZE);
    EXPECT_TRUE(IsWindowVisible(form.handle()));
    ShowWindow(form.handle(), SW_RESTORE);
    icon.restores = true;
    ShowWindow(form.handle(), SW_MINIMIZE);
    EXPECT_FALSE(IsWindowVisible(form.handle()));
    session.restoreFromIcon();
    EXPECT_TRUE(IsWindowVisible(form.handle()));
    EXPECT_FALSE(IsIconic(form.handle()));
}

TEST_F(Form1Test, ClosingTheWindowSavesTheSettingsUpdatesTheShortcutAndEndsTheLoop) {
    load();
    pickRow(main("Combo_baud"), L"38400");
    journal.clear();
    SendMessageW(form.handle(), WM_CLOSE, 0, 0);
    EXPECT_EQ(journal, (Journal{"file:save", "shortcut:delete", "icon:remove"}));
    ASSERT_TRUE(file.stored.has_value());
    EXPECT_EQ(file.stored->Combo_baud, "38400");
    MSG quit;
    EXPECT_TRUE(PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
}

}  // namespace
}  // namespace vantorix
