// The advanced texts take only what Windows-1252 can hold, typed or pasted, and the settings get
// the code page's bytes.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>

#include "frontend/win32/program_windows.h"
#include "frontend/win32/windows1252_edit.h"
#include "support/win32/window_probe.h"

namespace vantorix {
namespace {

using namespace test;

void putOnClipboard(HWND owner, const std::wstring& text) {
    ASSERT_TRUE(OpenClipboard(owner));
    EmptyClipboard();
    const std::size_t bytes = (text.size() + 1) * sizeof(wchar_t);
    const HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
    std::memcpy(GlobalLock(memory), text.c_str(), bytes);
    GlobalUnlock(memory);
    SetClipboardData(CF_UNICODETEXT, memory);
    CloseClipboard();
}

struct Entry {
    const wchar_t* text;
    bool taken;
};

constexpr Entry kEntries[] = {
    {L"kg {ENTER}", true},
    {L"\u00e9\u20ac\u00df", true},  // é € ß: bytes 0xE9, 0x80, 0xDF of the code page
    {L"\u0100", false},             // Ā
    {L"\u65e5", false},             // a CJK character
    {L"\U0001F600", false},         // beyond the Basic Multilingual Plane: two surrogates
};

class Windows1252EditTest : public ::testing::Test, protected ProgramWindows {
  protected:
    HWND box = advancedControl("Text_preamble");
};

TEST_F(Windows1252EditTest, ACharacterTheCodePageCannotHoldIsRefusedWhenTyped) {
    for (const Entry& entry : kEntries) {
        SetWindowTextW(box, L"");
        typeInto(box, entry.text);
        EXPECT_EQ(windowText(box), entry.taken ? std::wstring(entry.text) : L"")
            << static_cast<int>(entry.text[0]);
    }
    typeInto(box, L"x\u0100y\b");
    EXPECT_EQ(windowText(box), L"x") << "the box's own keys still work";
}

TEST_F(Windows1252EditTest, APastedTextIsTakenWholeOrNotAtAll) {
    const Entry pasted[] = {
        {L"\u00e9\u20ac\u00df", true},
        {L"ab\u0100", false},
        {L"one\r\ntwo", false},  // a setting is one line of vantorix.cfg
    };
    for (const Entry& entry : pasted) {
        SetWindowTextW(box, L"");
        putOnClipboard(advanced.handle(), entry.text);
        SendMessageW(box, WM_PASTE, 0, 0);
        EXPECT_EQ(windowText(box), entry.taken ? std::wstring(entry.text) : L"");
    }
}

TEST_F(Windows1252EditTest, TheSettingHoldsTheCodePagesBytes) {
    typeInto(box, L"\u00e9\u20ac");
    EXPECT_EQ(settings.Text_preamble, "\xE9\x80");
    settings.Text_postamble = "\xDF\x80";
    static_cast<AdvancedOptionsWindow&>(advanced).showSettings();
    EXPECT_EQ(windowText(advancedControl("Text_postamble")), L"\u00df\u20ac");
}

TEST(FitsSettingsText, OnlyTheCodePagesCharactersOnOneLine) {
    EXPECT_TRUE(win32::fitsSettingsText(L"{HOME}12,5 \u00e9\u0152\u2122"));
    EXPECT_FALSE(win32::fitsSettingsText(L"\u0101"));
    EXPECT_FALSE(win32::fitsSettingsText(L"a\nb"));
    EXPECT_FALSE(win32::fitsSettingsText(L"a\rb"));
    EXPECT_FALSE(win32::fitsSettingsText(L"\xD83D"));
}

}  // namespace
}  // namespace vantorix
