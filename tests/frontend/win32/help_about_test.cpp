// The HELP menu of both windows, F1, and the About window with its link, on the test display.
#include <gtest/gtest.h>

#include <windows.h>

#include <memory>

#include "frontend/win32/menu_bar.h"
#include "frontend/win32/program_windows.h"
#include "support/win32/message_pump.h"
#include "support/win32/window_probe.h"
#include "typing/win32/keyboard_win32.h"

namespace vantorix {
namespace {

using namespace test;

constexpr auto kTimeout = std::chrono::seconds(5);

// The top-level windows of this process with this caption, shown or not.
int windowsCaptioned(const std::wstring& caption) {
    struct Search {
        std::wstring caption;
        int count = 0;
    } search{caption};
    EnumWindows(
        [](HWND window, LPARAM parameter) -> BOOL {
            auto* wanted = reinterpret_cast<Search*>(parameter);
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            if (owner == GetCurrentProcessId() && windowText(window) == wanted->caption) {
                ++wanted->count;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.count;
}

// A pick in the window's menu, as the menu reports it once it has closed.
void pickMenu(HWND window, MenuCommand command) {
    PostMessageW(window, WM_COMMAND, MAKEWPARAM(win32::menuCommandId(command), 0), 0);
    pumpWaitingMessages();
}

void pointAt(HWND control) {
    RECT frame;
    GetWindowRect(control, &frame);
    SetCursorPos((frame.left + frame.right) / 2, (frame.top + frame.bottom) / 2);
}

class HelpAboutTest : public ::testing::Test, protected ProgramWindows {
  protected:
    void SetUp() override { load(); }

    win32::Form2& about() { return *form.aboutWindow(); }
    bool linkShows(COLORREF colour) {
        const HWND link = about().control("LinkLabel1");
        RECT area;
        GetClientRect(link, &area);
        return pumpMessagesUntil([&] { return shareInColour(link, area, colour) > 0.02; },
                                 kTimeout);
    }
};

TEST_F(HelpAboutTest, AboutShowsOneWindowFromEitherWindowHoweverOftenItIsAskedFor) {
    pickMenu(form.handle(), MenuCommand::About);
    ASSERT_NE(form.aboutWindow(), nullptr);
    EXPECT_TRUE(IsWindowVisible(about().handle()));
    click(about().control("Command1"));
    EXPECT_FALSE(IsWindowVisible(about().handle()));

    click(main("Command_advanced_options"));
    pickMenu(advanced.handle(), MenuCommand::About);
    pickMenu(form.handle(), MenuCommand::About);
    EXPECT_EQ(windowsCaptioned(L"About VANTORIX"), 1);
    EXPECT_TRUE(IsWindowVisible(about().handle()));
    EXPECT_TRUE(IsWindowVisible(advanced.handle())) << "the About window is modeless";
}

TEST_F(HelpAboutTest, ClosingTheAboutWindowOnlyHidesIt) {
    pickMenu(form.handle(), MenuCommand::About);
    SendMessageW(about().handle(), WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindowVisible(about().handle()));
    EXPECT_TRUE(IsWindow(about().handle()));
    MSG quit;
    EXPECT_FALSE(PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_TRUE(journal.empty() || journal.back() != "icon:remove") << "the program runs on";
}

TEST_F(HelpAboutTest, TheLinkTurnsRedUnderThePointerAndBlueOffItAndKeepsItsColourHidden) {
    pickMenu(form.handle(), MenuCommand::About);
    SetForegroundWindow(about().handle());
    EXPECT_TRUE(linkShows(win32::kLinkBlue));
    pointAt(about().control("LinkLabel1"));
    EXPECT_TRUE(linkShows(win32::kLinkRed));
    pointAt(about().control("Label1"));  // the name lets the pointer through to the background
    EXPECT_TRUE(linkShows(win32::kLinkBlue));
    pointAt(about().control("LinkLabel1"));
    ASSERT_TRUE(linkShows(win32::kLinkRed));
    click(about().control("Command1"));
    SetCursorPos(900, 700);
    pickMenu(form.handle(), MenuCommand::About);
    EXPECT_EQ(about().linkColour(), win32::kLinkRed);
}

TEST_F(HelpAboutTest, ClickingTheLinkOpensTheHelpFile) {
    pickMenu(form.handle(), MenuCommand::About);
    clickCentre(about().control("LinkLabel1"));
    ASSERT_TRUE(pumpMessagesUntil([&] { return !browser.opened.empty(); }, kTimeout));
    EXPECT_EQ(browser.opened, (std::vector<std::string>{"help.chm"}));
}

TEST_F(HelpAboutTest, F1OpensTheHelpWhereverTheFocusIsInEitherWindow) {
    for (const HWND control : {main("Combo_baud"), main("Command1"),
                               advancedControl("Text_hotkey2"), advancedControl("Combo_EOL")}) {
        browser.opened.clear();
        PostMessageW(control, WM_KEYDOWN, VK_F1, 1);
        pumpWaitingMessages();
        EXPECT_EQ(browser.opened, (std::vector<std::string>{"help.chm"}));
    }
}

TEST_F(HelpAboutTest, HelpContentsTypesF1ThroughTheKeyboardAndWaits) {
    pickMenu(form.handle(), MenuCommand::HelpContents);
    pickMenu(advanced.handle(), MenuCommand::HelpContents);
    EXPECT_EQ(keyboard.calls, (std::vector<std::string>{"send:{F1}", "send:{F1}"}));
}

// With the program's own keyboard, the F1 it types reaches the window in front, which opens
// the help as if the user had pressed it.
struct WithSendInput : ThreadForWindows, FakeWindowServices {
    std::unique_ptr<Keyboard> sendInput = makeSendInputKeyboard();
    win32::Win32WindowSession windows{
        settings, {*sendInput, file, hotKeys, icon, shortcut, messages, browser}};
};

TEST(HelpContents, OpensTheHelpFileThroughTheTypedF1) {
    WithSendInput program;
    program.windows.session().Form_Load("help.chm", std::nullopt);
    program.windows.session().showAfterLoad();
    const HWND window = program.windows.form().handle();
    ASSERT_TRUE(pumpMessagesUntil([&] { return GetForegroundWindow() == window; }, kTimeout));
    pickMenu(window, MenuCommand::HelpContents);
    EXPECT_TRUE(pumpMessagesUntil([&] { return !program.browser.opened.empty(); }, kTimeout));
    EXPECT_EQ(program.browser.opened, (std::vector<std::string>{"help.chm"}));
}

}  // namespace
}  // namespace vantorix
