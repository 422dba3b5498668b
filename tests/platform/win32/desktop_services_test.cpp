// The desktop's services the windows use: the hot-key window, the notification icon, message
// boxes and what opening help comes to.
#include <gtest/gtest.h>

#include <windows.h>

#include <shellapi.h>

#include <string>

#include "platform/win32/hot_key_window.h"
#include "platform/win32/message_boxes_win32.h"
#include "platform/win32/notification_icon_win32.h"
#include "platform/win32/shell_opener.h"
#include "platform/win32/wide_text.h"
#include "support/win32/message_box_answerer.h"
#include "support/win32/message_pump.h"
#include "support/win32/window_probe.h"

namespace vantorix::win32 {
namespace {

namespace fs = std::filesystem;
using test::pumpWaitingMessages;

HWND otherWindow() {
    return CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr,
                           nullptr);
}

TEST(HotKeyWindow, HoldsTheChosenKeysUntilItLetsThemGo) {
    Win32HotKeyGrabber grabber;
    EXPECT_EQ(test::windowText(grabber.window()), L"frmHotKey");
    EXPECT_FALSE(IsWindowVisible(grabber.window()));
    grabber.grab(1, {VK_F7, MOD_CONTROL});
    grabber.grab(2, {VK_F11, MOD_SHIFT});
    const HWND other = otherWindow();
    EXPECT_FALSE(RegisterHotKey(other, 1, MOD_CONTROL, VK_F7));
    EXPECT_FALSE(RegisterHotKey(other, 2, MOD_SHIFT, VK_F11));
    EXPECT_TRUE(RegisterHotKey(other, 3, MOD_ALT, VK_F7)) << "another modifier is another key";
    grabber.ungrab(1);
    EXPECT_TRUE(RegisterHotKey(other, 1, MOD_CONTROL, VK_F7));
    UnregisterHotKey(other, 1);
    UnregisterHotKey(other, 3);
    DestroyWindow(other);
}

TEST(HotKeyWindow, ReportsPressesByIdentifierWhileListening) {
    Win32HotKeyGrabber grabber;
    std::vector<int> pressed;
    grabber.listen([&](int identifier) { pressed.push_back(identifier); });
    for (const WPARAM identifier : {WPARAM{2}, WPARAM{1}, WPARAM{5}}) {
        PostMessageW(grabber.window(), WM_HOTKEY, identifier, 0);
    }
    pumpWaitingMessages();
    EXPECT_EQ(pressed, (std::vector<int>{2, 1, 5}));
    grabber.stopListening();
    PostMessageW(grabber.window(), WM_HOTKEY, 1, 0);
    pumpWaitingMessages();
    EXPECT_EQ(pressed.size(), 3U);
}

TEST(HotKeyWindow, AKeyAnotherWindowHoldsIsRefusedSilently) {
    const HWND other = otherWindow();
    ASSERT_TRUE(RegisterHotKey(other, 1, 0, VK_F10));
    {
        Win32HotKeyGrabber grabber;
        grabber.grab(1, {VK_F10, 0});
        grabber.ungrab(1);
    }
    EXPECT_FALSE(RegisterHotKey(other, 2, 0, VK_F10)) << "the holder keeps it";
    UnregisterHotKey(other, 1);
    DestroyWindow(other);
}

TEST(NotificationIcon, OnlyADoubleClickWithTheLeftButtonActs) {
    Win32NotificationIcon icon(LoadIconW(nullptr, MAKEINTRESOURCEW(32512)));
    EXPECT_EQ(test::windowText(icon.window()), L"icon_create_form");
    int doubleClicks = 0;
    icon.onDoubleClick = [&] { ++doubleClicks; };
    for (const int event : {WM_MOUSEMOVE, WM_LBUTTONDOWN, WM_LBUTTONUP, WM_RBUTTONDOWN,
                            WM_RBUTTONUP, WM_RBUTTONDBLCLK, WM_MBUTTONDBLCLK}) {
        SendMessageW(icon.window(), Win32NotificationIcon::kCallbackMessage, 1, event);
    }
    EXPECT_EQ(doubleClicks, 0);
    SendMessageW(icon.window(), Win32NotificationIcon::kCallbackMessage, 1, WM_LBUTTONDBLCLK);
    EXPECT_EQ(doubleClicks, 1);
}

TEST(NotificationIcon, RestoresWindowsOnlyWhilePlacedAndComesBackWithANewNotificationArea) {
    Win32NotificationIcon icon(LoadIconW(nullptr, MAKEINTRESOURCEW(32512)));
    EXPECT_FALSE(icon.restoresWindows());
    icon.place(kIdleTip);
    ASSERT_TRUE(icon.restoresWindows()) << "the test desktop has a notification area";
    icon.setTip(kRunningTip);
    EXPECT_EQ(icon.tip(), L"VanTorix\r Running");

    // The notification area is made again (Explorer restarted) and knows no icon.
    NOTIFYICONDATAW known{};
    known.cbSize = sizeof known;
    known.hWnd = icon.window();
    known.uID = 1;
    ASSERT_TRUE(Shell_NotifyIconW(NIM_DELETE, &known));
    SendMessageW(icon.window(), RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
    EXPECT_TRUE(Shell_NotifyIconW(NIM_DELETE, &known)) << "placed again";
    EXPECT_TRUE(icon.restoresWindows());

    icon.remove();
    EXPECT_FALSE(icon.restoresWindows());
    SendMessageW(icon.window(), RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
    EXPECT_FALSE(Shell_NotifyIconW(NIM_DELETE, &known)) << "a removed icon stays away";
}

TEST(NotificationIcon, ShowsABalloonOnlyWhileInANotificationArea) {
    Win32NotificationIcon icon(LoadIconW(nullptr, MAKEINTRESOURCEW(32512)));
    EXPECT_FALSE(icon.showBalloon("Title", "not placed yet"));
    icon.place(kIdleTip);
    EXPECT_TRUE(icon.showBalloon("Title", std::string(300, 'x')))
        << "a long text is cut, not refused";
    icon.remove();
    EXPECT_FALSE(icon.showBalloon("Title", "removed"));
}

TEST(MessageBoxes, ShowTheProgramsTextAndTitleWithTheExclamationIconAndOk) {
    Win32MessageBoxes boxes;
    test::MessageBoxAnswerer answerer;
    boxes.exclamation("Unable to create shortcut", "Vantorix");
    boxes.exclamation("Com Port control: COM 3 already open or not available. \xE9\x80",
                      "Com Port control");
    ASSERT_EQ(answerer.seen.size(), 2U);
    EXPECT_EQ(answerer.seen[0].text, L"Unable to create shortcut");
    EXPECT_EQ(answerer.seen[0].title, L"Vantorix");
    EXPECT_TRUE(answerer.seen[0].exclamationIcon);
    EXPECT_TRUE(answerer.seen[0].onlyOk);
    EXPECT_EQ(answerer.seen[1].text,
              L"Com Port control: COM 3 already open or not available. \u00e9\u20ac");
    EXPECT_EQ(answerer.seen[1].title, L"Com Port control");
}

TEST(OpenTarget, CompiledHelpInTheViewerTheManualWhenItIsMissingTheRestAsItIs) {
    struct Case {
        const wchar_t* address;
        std::vector<std::wstring> present;
        OpenTarget expected;
    };
    using How = OpenTarget::How;
    const Case cases[] = {
        {L"C:\\p\\vantorix.chm",
         {L"C:\\p\\vantorix.chm"},
         {How::HelpViewer, L"C:\\p\\vantorix.chm"}},
        {L"C:\\p\\vantorix.chm",
         {L"C:\\p\\vantorix.html"},
         {How::Associated, L"C:\\p\\vantorix.html"}},
        // Neither: the help viewer says the file is missing, in its own words.
        {L"C:\\p\\vantorix.chm", {}, {How::HelpViewer, L"C:\\p\\vantorix.chm"}},
        {L"https://example.org/manual", {}, {How::Associated, L"https://example.org/manual"}},
        {L"C:\\p\\vantorix.html", {}, {How::Associated, L"C:\\p\\vantorix.html"}},
    };
    for (const Case& c : cases) {
        const OpenTarget target = openTargetFor(c.address, [&](const fs::path& path) {
            return std::find(c.present.begin(), c.present.end(), path.wstring()) != c.present.end();
        });
        EXPECT_EQ(target, c.expected) << fs::path(c.address);
    }
}

TEST(WideText, FolderNamesSurviveTheTripThroughUtf8) {
    for (const std::wstring& path :
         {std::wstring(L"C:\\Users\\\u0416\u0435\u043d\u044f\\Vantorix"),
          std::wstring(L"D:\\\u6e2c\u8a66\\\U0001F600"), std::wstring()}) {
        EXPECT_EQ(fromUtf8(utf8(path)), path);
    }
    EXPECT_EQ(fromUtf8("\xC3\xA9"), L"\u00e9");
}

}  // namespace
}  // namespace vantorix::win32
