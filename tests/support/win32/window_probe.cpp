#include "support/win32/window_probe.h"

#include <commctrl.h>

namespace vantorix::test {

std::wstring windowText(HWND window) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

std::wstring classNameOf(HWND window) {
    wchar_t name[256] = {};
    GetClassNameW(window, name, 255);
    return name;
}

RECT rectInParent(HWND window) {
    RECT rect;
    GetWindowRect(window, &rect);
    MapWindowPoints(nullptr, GetParent(window), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

SIZE clientSize(HWND window) {
    RECT client;
    GetClientRect(window, &client);
    return {client.right, client.bottom};
}

std::vector<std::wstring> comboRows(HWND list) {
    std::vector<std::wstring> rows;
    const auto count = SendMessageW(list, CB_GETCOUNT, 0, 0);
    for (WPARAM row = 0; row < static_cast<WPARAM>(count); ++row) {
        std::wstring text(static_cast<std::size_t>(SendMessageW(list, CB_GETLBTEXTLEN, row, 0)) + 1,
                          L'\0');
        text.resize(static_cast<std::size_t>(
            SendMessageW(list, CB_GETLBTEXT, row, reinterpret_cast<LPARAM>(text.data()))));
        rows.push_back(text);
    }
    return rows;
}

std::wstring tipOf(HWND tooltips, HWND owner, HWND control) {
    wchar_t text[1024] = {};
    TOOLINFOW tool{};
    tool.cbSize = TTTOOLINFOW_V2_SIZE;
    tool.hwnd = owner;
    tool.uId = reinterpret_cast<UINT_PTR>(control);
    tool.lpszText = text;
    SendMessageW(tooltips, TTM_GETTEXTW, std::size(text), reinterpret_cast<LPARAM>(&tool));
    return text;
}

LOGFONTW fontOf(HWND control) {
    LOGFONTW font{};
    const auto handle = reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0));
    GetObjectW(handle, sizeof font, &font);
    return font;
}

std::vector<MenuEntry> menuEntries(HMENU menu) {
    std::vector<MenuEntry> entries;
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        wchar_t text[256] = {};
        MENUITEMINFOW info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE | MIIM_DATA | MIIM_SUBMENU | MIIM_STRING;
        info.dwTypeData = text;
        info.cch = 255;
        GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &info);
        entries.push_back(
            {text, (info.fType & MFT_SEPARATOR) != 0, info.dwItemData, info.hSubMenu});
    }
    return entries;
}

double shareInColour(HWND window, RECT area, COLORREF colour) {
    UpdateWindow(window);
    const HDC dc = GetDC(window);
    int matching = 0;
    int all = 0;
    for (int y = area.top; y < area.bottom; ++y) {
        for (int x = area.left; x < area.right; ++x) {
            matching += GetPixel(dc, x, y) == colour ? 1 : 0;
            ++all;
        }
    }
    ReleaseDC(window, dc);
    return all == 0 ? 0 : static_cast<double>(matching) / all;
}

void clickCentre(HWND window) {
    RECT client;
    GetClientRect(window, &client);
    const LPARAM centre = MAKELPARAM(client.right / 2, client.bottom / 2);
    PostMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, centre);
    PostMessageW(window, WM_LBUTTONUP, 0, centre);
}

std::vector<HWND> tabOrder(HWND window) {
    std::vector<HWND> order;
    const HWND first = GetNextDlgTabItem(window, nullptr, FALSE);
    for (HWND control = first; control != nullptr;) {
        order.push_back(control);
        control = GetNextDlgTabItem(window, control, FALSE);
        if (control == first) {
            break;
        }
    }
    return order;
}

}  // namespace vantorix::test
