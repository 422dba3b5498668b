// The program's windows with the desktop's real services on the test display: the system-wide hot
// keys pressed with xdotool while a window of the program has the focus, sending their strings
// out of a real serial line, and the notification-area icon docked in trayer, its tips and its
// double-click.
#include <gtest/gtest.h>

#include <windows.h>

#include "forms/hot_keys.h"
#include "frontend/win32/program_icon.h"
#include "frontend/win32/program_windows.h"
#include "platform/win32/hot_key_window.h"
#include "platform/win32/notification_icon_win32.h"
#include "support/win32/message_pump.h"
#include "support/win32/serial_line.h"
#include "support/win32/tray_host.h"
#include "support/win32/unix_side.h"
#include "support/win32/window_probe.h"

namespace vantorix {
namespace {

using namespace test;

constexpr auto kTimeout = std::chrono::seconds(10);
const std::string kNearPort = "COM" + std::to_string(SerialLine::kNearPort);

struct WithDesktopServices : ThreadForWindows, FakeWindowServices {
    win32::Win32HotKeyGrabber grabber;
    frmHotKey realHotKeys{settings, grabber};
    win32::Win32NotificationIcon realIcon{win32::programIcon(GetSystemMetrics(SM_CXSMICON))};
    win32::Win32WindowSession windows{
        settings, {keyboard, file, realHotKeys, realIcon, shortcut, messages, browser}};
    win32::FORM1& form = windows.form();
    win32::Form3& advanced = windows.advancedWindow();
    Form1Session& session = windows.session();

    void load() {
        session.Form_Load("help.chm", kNearPort);
        session.showAfterLoad();
    }
    bool inFront(HWND window) {
        SetForegroundWindow(window);
        return pumpMessagesUntil([&] { return GetForegroundWindow() == window; }, kTimeout);
    }
};

bool pressKeys(const std::string& keys) {
    return runShellCommand("xdotool key " + keys, kTimeout);
}

class HotKeysTest : public ::testing::Test, protected WithDesktopServices {
  protected:
    void SetUp() override { ASSERT_TRUE(line.isReady()) << line.problem(); }

    // Chooses the hot key, its string and its switch in the advanced options
    // window, as the user does, then DONE.
    void chooseHotKey(int number, const std::wstring& item, const std::wstring& text) {
        click(form.control("Command_advanced_options"));
        const std::string n = number == 1 ? "1" : "2";
        pickRow(advanced.control("Combo_hotkey" + n), item);
        SetWindowTextW(advanced.control("Text_hotkey" + n), text.c_str());
        const HWND enable = advanced.control("Check_enablehotkey" + n);
        if (SendMessageW(enable, BM_GETCHECK, 0, 0) != BST_CHECKED) {
            click(enable);
        }
        click(advanced.control("Command_advanced_options_OK"));
    }

    SerialLine line;
};

TEST_F(HotKeysTest, EachChoiceSendsItsStringOutOfThePortWhileRedirectionRuns) {
    struct Case {
        int number;
        const wchar_t* item;
        const char* keys;  // as xdotool names them
    };
    const Case cases[] = {
        {1, L"F2", "F2"},
        {2, L"Alt+F2", "alt+F2"},
        {1, L"Ctrl+F7", "ctrl+F7"},
        {2, L"Shift+F11", "shift+F11"},
    };
    load();
    FarEnd device;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.keys);
        chooseHotKey(c.number, c.item, L"id{13}");
        click(form.control("Command1"));
        ASSERT_TRUE(session.isRunning());
        ASSERT_TRUE(inFront(form.handle()));
        ASSERT_TRUE(pressKeys(c.keys));
        EXPECT_EQ(device.read(3, kTimeout), "id\r");
        click(form.control("Command_stop_redirect"));
    }
}

TEST_F(HotKeysTest, AKeyAnotherProgramHoldsIsRefusedSilentlyAndTheOtherStillWorks) {
    bool heldKeyPressed = false;
    win32::MessageWindow holder(
        [&](UINT message, WPARAM, LPARAM) -> std::optional<LRESULT> {
            heldKeyPressed = heldKeyPressed || message == WM_HOTKEY;
            return std::nullopt;
        },
        win32::MessageWindow::Kind::HiddenTopLevel);
    ASSERT_TRUE(RegisterHotKey(holder.handle(), 7, MOD_CONTROL, VK_F9));
    load();
    chooseHotKey(1, L"Ctrl+F9", L"one");
    chooseHotKey(2, L"Shift+F3", L"two");
    click(form.control("Command1"));
    EXPECT_TRUE(messages.shown.empty());
    ASSERT_TRUE(inFront(form.handle()));
    ASSERT_TRUE(pressKeys("ctrl+F9"));
    EXPECT_TRUE(pumpMessagesUntil([&] { return heldKeyPressed; }, kTimeout));
    ASSERT_TRUE(pressKeys("shift+F3"));
    FarEnd device;
    EXPECT_EQ(device.read(3, kTimeout), "two") << "hot key 1 sent nothing before it";
    UnregisterHotKey(holder.handle(), 7);
}

TEST_F(HotKeysTest, StopGivesTheKeysBackToTheDesktop) {
    load();
    chooseHotKey(1, L"Ctrl+F8", L"x");
    click(form.control("Command1"));
    const HWND other =
        CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    EXPECT_FALSE(RegisterHotKey(other, 1, MOD_CONTROL, VK_F8)) << "held while running";
    click(form.control("Command_stop_redirect"));
    EXPECT_TRUE(RegisterHotKey(other, 1, MOD_CONTROL, VK_F8)) << "free after STOP";
    UnregisterHotKey(other, 1);
    DestroyWindow(other);
}

class TrayIconTest : public ::testing::Test, protected WithDesktopServices {
  protected:
    void SetUp() override {
        ASSERT_TRUE(tray.isReady()) << tray.problem();
        ASSERT_TRUE(line.isReady()) << line.problem();
        load();
        centre = tray.dockedIconCentre(kTimeout);
        ASSERT_TRUE(centre.has_value()) << "the icon did not dock in the tray";
    }
    bool trayShows(const std::wstring& tip) {
        return pumpMessagesUntil(
            [&] {
                const std::vector<std::wstring> tips = notificationAreaTips();
                return std::find(tips.begin(), tips.end(), tip) != tips.end();
            },
            kTimeout);
    }
    void doubleClickIcon() {
        ASSERT_TRUE(runShellCommand("xdotool mousemove " + std::to_string(centre->x) + " " +
                                        std::to_string(centre->y) +
                                        " click --repeat 2 --delay 100 1",
                                    kTimeout));
    }

    TrayHost tray;
    SerialLine line;
    std::optional<POINT> centre;
};

TEST_F(TrayIconTest, TheTipSaysIdleOrRunning) {
    EXPECT_TRUE(trayShows(L"VanTorix\r    Idle"));
    click(form.control("Command1"));
    EXPECT_TRUE(trayShows(L"VanTorix\r Running"));
    click(form.control("Command_stop_redirect"));
    EXPECT_TRUE(trayShows(L"VanTorix\r    Idle"));
}

TEST_F(TrayIconTest, ADoubleClickBringsBackTheWindowInUse) {
    ShowWindow(form.handle(), SW_MINIMIZE);
    ASSERT_FALSE(IsWindowVisible(form.handle()));
    doubleClickIcon();
    EXPECT_TRUE(
        pumpMessagesUntil([&] { return IsWindowVisible(form.handle()) != FALSE; }, kTimeout));
    EXPECT_FALSE(IsIconic(form.handle()));

    click(form.control("Command_advanced_options"));
    ShowWindow(advanced.handle(), SW_MINIMIZE);
    ASSERT_FALSE(IsWindowVisible(advanced.handle()));
    doubleClickIcon();
    EXPECT_TRUE(
        pumpMessagesUntil([&] { return IsWindowVisible(advanced.handle()) != FALSE; }, kTimeout));
    EXPECT_FALSE(IsWindowVisible(form.handle()));
}

}  // namespace
}  // namespace vantorix
