// The advanced options window over its session: the hand-over with the main window, DONE and its
// refusal, and the insertion aids, worked through the controls.
#include <gtest/gtest.h>

#include <windows.h>

#include "frontend/win32/program_windows.h"
#include "platform/win32/message_boxes_win32.h"
#include "support/win32/message_box_answerer.h"
#include "support/win32/window_probe.h"

namespace vantorix {
namespace {

using namespace test;

class Form3Test : public ::testing::Test, protected ProgramWindows {
  protected:
    void SetUp() override { load(); }

    void openAdvancedOptions() { click(main("Command_advanced_options")); }
    std::wstring text(const char* box) const { return windowText(advancedControl(box)); }
    void setText(const char* box, const wchar_t* value) {
        SetWindowTextW(advancedControl(box), value);
    }
    POINT topLeft(HWND window) const {
        RECT frame;
        GetWindowRect(window, &frame);
        return {frame.left, frame.top};
    }
};

TEST_F(Form3Test, SetAdvancedOptionsAndDoneHandOverAtTheSameCorner) {
    SetWindowPos(form.handle(), nullptr, 40, 30, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    openAdvancedOptions();
    EXPECT_TRUE(IsWindowVisible(advanced.handle()));
    EXPECT_FALSE(IsWindowVisible(form.handle()));
    EXPECT_EQ(topLeft(advanced.handle()).x, 40);
    EXPECT_EQ(topLeft(advanced.handle()).y, 30);
    EXPECT_EQ(session.currentWindow(), 2);
    EXPECT_EQ(GetFocus(), advancedControl("Text_searchfor")) << "where the focus starts";

    SetWindowPos(advanced.handle(), nullptr, 70, 50, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    click(advancedControl("Command_advanced_options_OK"));
    EXPECT_FALSE(IsWindowVisible(advanced.handle()));
    EXPECT_TRUE(IsWindowVisible(form.handle()));
    EXPECT_EQ(topLeft(form.handle()).x, 70);
    EXPECT_EQ(topLeft(form.handle()).y, 50);
    EXPECT_EQ(session.currentWindow(), 1);
}

TEST_F(Form3Test, DoneIsRefusedForEachUnbalancedTextWithTheFocusOnIt) {
    for (const char* box : {"Text_preamble", "Text_postamble", "Text_searchfor", "Text_replacewith",
                            "Text_hotkey1", "Text_hotkey2"}) {
        openAdvancedOptions();
        messages.shown.clear();
        setText(box, L"{ENTER");
        click(advancedControl("Command_advanced_options_OK"));
        ASSERT_EQ(messages.shown.size(), 1U) << box;
        EXPECT_EQ(messages.shown[0].text, "Ensure '{' is matched with corresponding '}'  ");
        EXPECT_EQ(messages.shown[0].title, "Vantorix");
        EXPECT_EQ(GetFocus(), advancedControl(box));
        EXPECT_TRUE(IsWindowVisible(advanced.handle()));
        EXPECT_EQ(session.currentWindow(), 1)
            << "a refused DONE still makes the main window current";
        setText(box, L"}{");
        click(advancedControl("Command_advanced_options_OK"));
        EXPECT_FALSE(IsWindowVisible(advanced.handle())) << box;
    }
}

// The same refusal with the system's message boxes, read and closed as a person would.
struct WithSystemMessageBoxes : ThreadForWindows, FakeWindowServices {
    win32::Win32MessageBoxes systemBoxes;
    win32::Win32WindowSession windows{
        settings, {keyboard, file, hotKeys, icon, shortcut, systemBoxes, browser}};
};

TEST(Form3SystemMessageBox, TheRefusalIsTheSystemsBoxWithTheProgramsTextTitleAndIcon) {
    WithSystemMessageBoxes program;
    program.windows.session().Form_Load("help.chm", std::nullopt);
    win32::Form3& advanced = program.windows.advancedWindow();
    MessageBoxAnswerer answerer;
    click(program.windows.form().control("Command_advanced_options"));
    SetWindowTextW(advanced.control("Text_postamble"), L"{{}");
    click(advanced.control("Command_advanced_options_OK"));
    ASSERT_EQ(answerer.seen.size(), 1U);
    EXPECT_EQ(answerer.seen[0].text, L"Ensure '{' is matched with corresponding '}'  ");
    EXPECT_EQ(answerer.seen[0].title, L"Vantorix");
    EXPECT_TRUE(answerer.seen[0].exclamationIcon);
    EXPECT_TRUE(answerer.seen[0].onlyOk);
    EXPECT_EQ(GetFocus(), advanced.control("Text_postamble"));
    EXPECT_TRUE(IsWindowVisible(advanced.handle()));
}

TEST_F(Form3Test, DoneShowsTheAdvancedStateOfTheSwitches) {
    struct Case {
        const char* box;
        bool active;
    };
    for (const Case& c : {Case{nullptr, false}, Case{"Check_replacestring", true},
                          Case{"Check_enablehotkey2", true}}) {
        openAdvancedOptions();
        for (const char* box : {"Check_preamble", "Check_postamble", "Check_replacestring",
                                "Check_enablehotkey1", "Check_enablehotkey2"}) {
            const bool wanted = c.box != nullptr && std::string_view(box) == c.box;
            if ((SendMessageW(advancedControl(box), BM_GETCHECK, 0, 0) == BST_CHECKED) != wanted) {
                click(advancedControl(box));
            }
        }
        click(advancedControl("Command_advanced_options_OK"));
        const HWND indicator = main("Option1_advanced_active");
        EXPECT_EQ(IsWindowEnabled(indicator) != FALSE, c.active) << (c.box ? c.box : "none");
        EXPECT_EQ(SendMessageW(indicator, BM_GETCHECK, 0, 0) == BST_CHECKED, c.active);
    }
}

TEST_F(Form3Test, EachButtonAddsFromItsOwnListToItsOwnTextAndLeavesTheCaretAtItsEnd) {
    struct Case {
        const char* list;
        const wchar_t* row;
        const char* button;
        const char* box;
        const wchar_t* token;
    };
    const Case cases[] = {
        {"Combo_addpreamble", L"Back Space", "Command3", "Text_preamble", L"{BS}"},
        {"Combo_addpostamble", L"F16", "Command2", "Text_postamble", L"{F16}"},
        {"Combo_replacewith", L"Page Up", "Command4", "Text_replacewith", L"{PGUP}"},
        {"Combo_searchfor", L"TAB", "Command1", "Text_searchfor", L"{09}"},
        {"Combo_hotkey_ascii_add", L"ESC", "Command6", "Text_hotkey1", L"{27}"},
        {"Combo_hotkey_ascii_add2", L"LFD", "Command7", "Text_hotkey2", L"{10}"},
    };
    openAdvancedOptions();
    for (const Case& c : cases) {
        setText(c.box, L"ab");
        pickRow(advancedControl(c.list), c.row);
        click(advancedControl(c.button));
        EXPECT_EQ(text(c.box), std::wstring(L"ab") + c.token) << c.button;
        EXPECT_EQ(GetFocus(), advancedControl(c.box)) << c.button;
        DWORD start = 0;
        DWORD end = 0;
        SendMessageW(advancedControl(c.box), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                     reinterpret_cast<LPARAM>(&end));
        EXPECT_EQ(start, text(c.box).size()) << c.button;
        EXPECT_EQ(end, start) << c.button;
    }
    EXPECT_EQ(settings.Text_hotkey2, "ab{10}") << "the setting follows the text";
}

TEST_F(Form3Test, ATypedCodeIsAppendedAsTypedOrRefusedOutsideTheRange) {
    struct Case {
        const wchar_t* code;
        const wchar_t* appended;  // nullptr: refused
    };
    openAdvancedOptions();
    for (const Case& c : {Case{L"007", L"{007}"}, Case{L"255", L"{255}"}, Case{L"abc", L"{abc}"},
                          Case{L"256", nullptr}, Case{L"-1", nullptr}}) {
        messages.shown.clear();
        setText("Text_hotkey1", L"");
        setText("Text_hotkey1_addascii", c.code);
        click(advancedControl("Command5"));
        EXPECT_EQ(text("Text_hotkey1"), c.appended != nullptr ? c.appended : L"");
        EXPECT_EQ(messages.shown.size(), c.appended != nullptr ? 0U : 1U);
        EXPECT_EQ(GetFocus(), advancedControl("Text_hotkey1"));
        EXPECT_EQ(text("Text_hotkey1_addascii"), c.code) << "the code box keeps its text";
    }
    ASSERT_FALSE(messages.shown.empty());
    EXPECT_EQ(messages.shown[0].text, "Ascii codes are from 0-255 only");
}

TEST_F(Form3Test, TheCodeBoxesTakeThreeCharactersFromTheKeyboard) {
    openAdvancedOptions();
    typeInto(advancedControl("Text_searchfor_user_defined"), L"12345");
    EXPECT_EQ(text("Text_searchfor_user_defined"), L"123");
}

TEST_F(Form3Test, MinimisedItHidesAndTheIconBringsItBackWhileItIsCurrent) {
    icon.restores = true;
    openAdvancedOptions();
    ShowWindow(advanced.handle(), SW_MINIMIZE);
    EXPECT_FALSE(IsWindowVisible(advanced.handle()));
    session.restoreFromIcon();
    EXPECT_TRUE(IsWindowVisible(advanced.handle()));
    EXPECT_FALSE(IsIconic(advanced.handle()));
    EXPECT_FALSE(IsWindowVisible(form.handle()));
}

TEST_F(Form3Test, ClosingTheWindowSavesTheSettingsAndEndsTheProgram) {
    openAdvancedOptions();
    journal.clear();
    SendMessageW(advanced.handle(), WM_CLOSE, 0, 0);
    EXPECT_EQ(journal, (Journal{"file:save", "shortcut:delete", "icon:remove"}));
    MSG quit;
    EXPECT_TRUE(PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
}

}  // namespace
}  // namespace vantorix
