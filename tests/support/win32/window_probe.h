#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace vantorix::test {

// What a person (or another program) can read off a window, through the
// system's own calls.

std::wstring windowText(HWND window);
std::wstring classNameOf(HWND window);
// The window's rectangle in its parent's client area.
RECT rectInParent(HWND window);
SIZE clientSize(HWND window);
// The rows of a combo box, in order.
std::vector<std::wstring> comboRows(HWND list);
// The tip that the tooltip control `tooltips` shows for the control `control`
// of `owner`; empty when it has none.
std::wstring tipOf(HWND tooltips, HWND owner, HWND control);

// The font a control draws its text in.
LOGFONTW fontOf(HWND control);

struct MenuEntry {
    std::wstring text;
    bool separator = false;
    ULONG_PTR data = 0;
    HMENU submenu = nullptr;
};
std::vector<MenuEntry> menuEntries(HMENU menu);

// The share of the pixels of `area` (client coordinates of `window`) that
// the window shows in `colour` now.
double shareInColour(HWND window, RECT area, COLORREF colour);

// Posts a click on the window's centre (a press and a release of the left
// button), as the mouse would.
void clickCentre(HWND window);

// The controls that Tab visits in the window, from the first, once round.
std::vector<HWND> tabOrder(HWND window);

}  // namespace vantorix::test
