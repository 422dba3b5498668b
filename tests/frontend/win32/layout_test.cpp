// The three windows as the layouts describe them, read back through the system's own calls at
// 96 dpi (the test display's).
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <cmath>

#include "forms/layout/form1_layout.h"
#include "forms/layout/form2_layout.h"
#include "forms/layout/form3_layout.h"
#include "frontend/win32/light_grey_button.h"
#include "frontend/win32/program_windows.h"
#include "platform/win32/wide_text.h"
#include "support/win32/window_probe.h"

namespace vantorix {
namespace {

using namespace test;
using win32::widen;

DWORD styleOf(HWND window) {
    return static_cast<DWORD>(GetWindowLongPtrW(window, GWL_STYLE));
}

// The kind of control a person would take the window for, from its class and style.
ControlKind kindOf(HWND control) {
    const std::wstring name = classNameOf(control);
    const DWORD style = styleOf(control);
    if (name == L"ComboBox") {
        return ControlKind::DropDownList;
    }
    if (name == L"Edit") {
        return ControlKind::TextBox;
    }
    if (name == L"Button") {
        switch (style & BS_TYPEMASK) {
            case BS_AUTOCHECKBOX:
                return ControlKind::CheckBox;
            case BS_RADIOBUTTON:
                return ControlKind::OptionButton;
            default:
                return ControlKind::Button;
        }
    }
    if ((style & SS_TYPEMASK) == SS_OWNERDRAW) {
        return ControlKind::Picture;
    }
    return (style & SS_NOTIFY) != 0 ? ControlKind::Link : ControlKind::Label;
}

RECT at96Dpi(TwipRect rect) {
    const int left = twipsToPixels(rect.left, 96);
    const int top = twipsToPixels(rect.top, 96);
    return {left, top, left + twipsToPixels(rect.width, 96), top + twipsToPixels(rect.height, 96)};
}

// Pixels the caption needs on one line beside a check box or option button's box.
int captionNeeds(HWND control, const ControlLayout& c) {
    const std::wstring caption = widen(c.caption);
    const HDC dc = GetDC(control);
    const HGDIOBJ old =
        SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)));
    SIZE size{};
    GetTextExtentPoint32W(dc, caption.c_str(), static_cast<int>(caption.size()), &size);
    SelectObject(dc, old);
    ReleaseDC(control, dc);
    const bool boxed = c.kind == ControlKind::CheckBox || c.kind == ControlKind::OptionButton;
    return size.cx + (boxed ? GetSystemMetrics(SM_CXMENUCHECK) : 0);
}

// Every control of `layout` is the child window of that name, of its kind,
// with its caption, tip, font and rows, where the layout puts it, shown and
// enabled as the window opens; a caption the font at hand needs more room
// for widens its control to the right.
void expectMatchesLayout(const win32::LayoutWindow& window, const WindowLayout& layout) {
    ASSERT_EQ(window.dpi(), 96U);
    EXPECT_EQ(windowText(window.handle()), widen(layout.caption));
    const SIZE client = clientSize(window.handle());
    EXPECT_EQ(client.cx, twipsToPixels(layout.clientWidth, 96));
    EXPECT_EQ(client.cy, twipsToPixels(layout.clientHeight, 96));
    const HWND defaultEdit = CreateWindowExW(0, L"EDIT", L"", WS_CHILD, 0, 0, 10, 10,
                                             window.handle(), nullptr, nullptr, nullptr);
    const auto defaultLimit = SendMessageW(defaultEdit, EM_GETLIMITTEXT, 0, 0);
    DestroyWindow(defaultEdit);

    for (const ControlLayout& c : layout.controls) {
        SCOPED_TRACE(std::string(layout.name) + "." + std::string(c.name));
        const HWND control = window.control(c.name);
        ASSERT_NE(control, nullptr);
        EXPECT_EQ(GetParent(control), window.handle());
        EXPECT_EQ(kindOf(control), c.kind);
        if (c.kind != ControlKind::DropDownList && c.kind != ControlKind::TextBox) {
            EXPECT_EQ(windowText(control), widen(c.caption));
        }
        EXPECT_EQ(tipOf(window.tooltips(), window.handle(), control), widen(c.tooltip));
        EXPECT_EQ((styleOf(control) & WS_VISIBLE) != 0, c.visible);
        EXPECT_EQ(IsWindowEnabled(control) != FALSE, c.enabled);
        if (c.kind == ControlKind::Label) {
            EXPECT_EQ(styleOf(control) & SS_TYPEMASK,
                      static_cast<DWORD>(c.centred ? SS_CENTER : SS_LEFT));
        }

        const RECT designed = at96Dpi(c.rect);
        const RECT placed = rectInParent(control);
        EXPECT_EQ(placed.left, designed.left);
        EXPECT_EQ(placed.top, designed.top);
        EXPECT_EQ(placed.bottom - placed.top, designed.bottom - designed.top);
        const int width = placed.right - placed.left;
        const int designedWidth = designed.right - designed.left;
        const bool captioned = c.kind == ControlKind::Label || c.kind == ControlKind::CheckBox ||
                               c.kind == ControlKind::OptionButton || c.kind == ControlKind::Link;
        if (captioned) {
            EXPECT_GE(width, designedWidth);
            EXPECT_LE(captionNeeds(control, c), width) << "the caption is cut off";
        } else {
            EXPECT_EQ(width, designedWidth);
        }

        const LOGFONTW font = fontOf(control);
        EXPECT_EQ(std::wstring(font.lfFaceName), widen(c.font.face));
        EXPECT_EQ(font.lfHeight, -std::lround(c.font.points * 96 / 72));
        EXPECT_EQ(font.lfWeight >= FW_BOLD, c.font.bold);
        EXPECT_EQ(font.lfUnderline != 0, c.font.underline);

        if (c.kind == ControlKind::DropDownList) {
            EXPECT_EQ(styleOf(control) & 3, DWORD{CBS_DROPDOWNLIST})
                << "rows are picked, not typed";
            const std::vector<std::wstring> rows = comboRows(control);
            const std::span<const std::string> expected = itemsOf(c.items);
            // The port list goes on with the ports present.
            ASSERT_GE(rows.size(), expected.size());
            if (c.items != ItemList::Ports) {
                EXPECT_EQ(rows.size(), expected.size());
            }
            for (std::size_t i = 0; i < expected.size(); ++i) {
                EXPECT_EQ(rows[i], widen(expected[i]));
            }
        }
        if (c.kind == ControlKind::TextBox) {
            EXPECT_EQ(SendMessageW(control, EM_GETLIMITTEXT, 0, 0),
                      c.maxLength > 0 ? c.maxLength : defaultLimit);
        }
    }
}

// Tab visits the controls the focus may stop on in the layout's order.
void expectFocusFollowsLayout(const win32::LayoutWindow& window, const WindowLayout& layout) {
    std::vector<HWND> expected;
    for (const ControlLayout& c : layout.controls) {
        if (c.takesFocus() && c.enabled) {
            expected.push_back(window.control(c.name));
        }
    }
    EXPECT_EQ(tabOrder(window.handle()), expected) << layout.name;
}

// The menu bar holds the layout's menus, their items worded and named as the layout gives them.
void expectMenusMatchLayout(HWND window, const WindowLayout& layout) {
    const std::vector<MenuEntry> bar = menuEntries(GetMenu(window));
    ASSERT_EQ(bar.size(), layout.menus.size());
    for (std::size_t m = 0; m < bar.size(); ++m) {
        const MenuLayout& menu = layout.menus[m];
        EXPECT_EQ(bar[m].text, widen(menu.text));
        EXPECT_EQ(reinterpret_cast<const MenuLayout*>(bar[m].data)->name, menu.name);
        const std::vector<MenuEntry> items = menuEntries(bar[m].submenu);
        ASSERT_EQ(items.size(), menu.items.size());
        for (std::size_t i = 0; i < items.size(); ++i) {
            const MenuItemLayout& item = menu.items[i];
            EXPECT_EQ(reinterpret_cast<const MenuItemLayout*>(items[i].data)->name, item.name);
            EXPECT_EQ(items[i].separator, item.isSeparator()) << item.name;
            if (!item.isSeparator()) {
                EXPECT_EQ(items[i].text, widen(item.text));
            }
        }
    }
}

class LayoutTest : public ::testing::Test, protected ProgramWindows {};

TEST_F(LayoutTest, TheMainWindowIsMadeAsItsLayoutSays) {
    expectMatchesLayout(form, kForm1Layout);
    expectFocusFollowsLayout(form, kForm1Layout);
    expectMenusMatchLayout(form.handle(), kForm1Layout);
}

TEST_F(LayoutTest, TheAdvancedOptionsWindowIsMadeAsItsLayoutSays) {
    expectMatchesLayout(advanced, kForm3Layout);
    expectFocusFollowsLayout(advanced, kForm3Layout);
    expectMenusMatchLayout(advanced.handle(), kForm3Layout);
}

TEST_F(LayoutTest, TheAboutWindowIsMadeAsItsLayoutSays) {
    win32::Form2 about(browser, "help.chm");
    expectMatchesLayout(about, kForm2Layout);
    EXPECT_EQ(GetMenu(about.handle()), nullptr);
    EXPECT_EQ(windowText(about.control("Label2")), L"Version: 2.04");
}

TEST_F(LayoutTest, TheThreeTallButtonsBreakTheirCaptionsOnALightGreyFace) {
    load();
    for (const char* name : {"Command1", "Command_stop_redirect", "Command_advanced_options"}) {
        const HWND button = main(name);
        EXPECT_NE(styleOf(button) & BS_MULTILINE, 0U) << name;
        RECT face;
        GetClientRect(button, &face);
        EXPECT_GT(shareInColour(button, face, win32::kLightGreyFace), 0.6) << name;
    }
}

TEST_F(LayoutTest, LabelsAndPicturesLieBehindTheControlsTheyOverlap) {
    win32::Form2 about(browser, "help.chm");
    // The background label is the last of the window's children: the bottom of their order.
    HWND last = GetWindow(about.control("Command1"), GW_HWNDLAST);
    EXPECT_EQ(last, about.control("Label6"));
    EXPECT_EQ(GetWindow(form.control("Combo_portselect"), GW_HWNDLAST), form.control("Image1"));
}

}  // namespace
}  // namespace vantorix
