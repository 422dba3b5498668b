#include "frontend/win32/light_grey_button.h"

#include <algorithm>
#include <string>

namespace vantorix::win32 {
namespace {

constexpr COLORREF kPressedFace = RGB(200, 200, 200);

std::wstring captionOf(HWND button) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(button)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        GetWindowTextW(button, text.data(), static_cast<int>(text.size()))));
    return text;
}

}  // namespace

void drawLightGreyButton(const DRAWITEMSTRUCT& item) {
    const HDC dc = item.hDC;
    RECT face = item.rcItem;
    const bool pressed = (item.itemState & ODS_SELECTED) != 0;
    const HBRUSH brush = CreateSolidBrush(pressed ? kPressedFace : kLightGreyFace);
    FillRect(dc, &face, brush);
    DeleteObject(brush);
    DrawEdge(dc, &face, pressed ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT | BF_ADJUST);

    const auto font = reinterpret_cast<HFONT>(SendMessageW(item.hwndItem, WM_GETFONT, 0, 0));
    const HGDIOBJ oldFont = SelectObject(dc, font);
    SetBkMode(dc, TRANSPARENT);
    const bool disabled = (item.itemState & ODS_DISABLED) != 0;
    SetTextColor(dc, GetSysColor(disabled ? COLOR_GRAYTEXT : COLOR_BTNTEXT));
    const std::wstring caption = captionOf(item.hwndItem);
    RECT text = face;
    InflateRect(&text, -2, -2);
    RECT needed = text;
    const UINT format = DT_CENTER | DT_WORDBREAK | DT_NOPREFIX;
    DrawTextW(dc, caption.c_str(), -1, &needed, format | DT_CALCRECT);
    const int spare = (text.bottom - text.top) - (needed.bottom - needed.top);
    text.top += std::max(0, spare / 2);
    if (pressed) {
        OffsetRect(&text, 1, 1);
    }
    DrawTextW(dc, caption.c_str(), -1, &text, format);
    SelectObject(dc, oldFont);

    if ((item.itemState & ODS_FOCUS) != 0 && (item.itemState & ODS_NOFOCUSRECT) == 0) {
        InflateRect(&face, -2, -2);
        DrawFocusRect(dc, &face);
    }
}

}  // namespace vantorix::win32
