#include "frontend/win32/layout_controls.h"

#include <commctrl.h>

#include <algorithm>
#include <cmath>

#include "frontend/win32/windows1252_edit.h"
#include "platform/win32/wide_text.h"

namespace vantorix::win32 {
namespace {

constexpr int kFirstControlId = 100;
// Rows a list shows when it drops down before it scrolls.
constexpr int kDroppedRows = 12;
// Tips wider than this (at 96 dpi) go on over several lines.
constexpr int kTipWidth = 400;
constexpr int kTwipsPerPoint = 20;

struct WindowClass {
    const wchar_t* name;
    DWORD style;
    DWORD exStyle = 0;
};

// A button whose rectangle holds two lines of its caption breaks a long
// caption over them.
bool holdsTwoLines(const ControlLayout& c) {
    return c.rect.height >= 2 * static_cast<int>(std::lround(c.font.points * kTwipsPerPoint));
}

WindowClass classFor(const ControlLayout& c) {
    switch (c.kind) {
        case ControlKind::Label:
            return {L"STATIC", static_cast<DWORD>(SS_NOPREFIX | (c.centred ? SS_CENTER : SS_LEFT))};
        case ControlKind::Picture:
            return {L"STATIC", SS_OWNERDRAW};
        case ControlKind::DropDownList:
            return {L"COMBOBOX", CBS_DROPDOWNLIST | WS_VSCROLL};
        case ControlKind::TextBox:
            return {L"EDIT", ES_AUTOHSCROLL | ES_LEFT, WS_EX_CLIENTEDGE};
        case ControlKind::CheckBox:
            return {L"BUTTON", BS_AUTOCHECKBOX};
        case ControlKind::Button:
            return {L"BUTTON", static_cast<DWORD>((c.lightGreyFace ? BS_OWNERDRAW : BS_PUSHBUTTON) |
                                                  (holdsTwoLines(c) ? BS_MULTILINE : 0))};
        case ControlKind::OptionButton:
            // The program sets it; a click does not.
            return {L"BUTTON", BS_RADIOBUTTON};
        case ControlKind::Link:
            return {L"STATIC", SS_NOTIFY | SS_NOPREFIX | SS_LEFT};
    }
    return {L"STATIC", SS_LEFT};
}

bool showsCaptionBeside(const ControlLayout& c) {
    return c.kind == ControlKind::Label || c.kind == ControlKind::CheckBox ||
           c.kind == ControlKind::OptionButton || c.kind == ControlKind::Link;
}

// How wide the control must be to show its caption on one line in `font`:
// the text, and a check box's or option button's box beside it.
int captionWidth(const ControlLayout& c, HWND control, HFONT font, UINT dpi) {
    const std::wstring caption = widen(c.caption);
    const HDC dc = GetDC(control);
    const HGDIOBJ old = SelectObject(dc, font);
    SIZE size{};
    GetTextExtentPoint32W(dc, caption.c_str(), static_cast<int>(caption.size()), &size);
    SelectObject(dc, old);
    ReleaseDC(control, dc);
    const bool boxed = c.kind == ControlKind::CheckBox || c.kind == ControlKind::OptionButton;
    const int box =
        boxed ? GetSystemMetricsForDpi(SM_CXMENUCHECK, dpi) + MulDiv(8, static_cast<int>(dpi), 96)
              : 0;
    return static_cast<int>(size.cx) + box;
}

bool liesBehind(const ControlLayout& c) {
    return c.kind == ControlKind::Label || c.kind == ControlKind::Picture;
}

// A drop-down list's window is as tall as the list dropped down; the box
// itself is as tall as its selection field makes it. How the two relate
// differs between systems (under Wine a field set to n reads back as n + 2),
// so the field asked for is corrected by what the box measures.
void fitClosedHeight(HWND list, int height) {
    auto requested = static_cast<int>(SendMessageW(list, CB_GETITEMHEIGHT, WPARAM(-1), 0));
    for (int attempt = 0; attempt < 4; ++attempt) {
        RECT box;
        GetWindowRect(list, &box);
        const int difference = height - (box.bottom - box.top);
        if (difference == 0 || requested + difference <= 0) {
            return;
        }
        requested += difference;
        SendMessageW(list, CB_SETITEMHEIGHT, WPARAM(-1), requested);
    }
}

}  // namespace

int twipsAtDpi(int twips, UINT dpi) {
    return MulDiv(twips, static_cast<int>(dpi), 1440);
}

RECT pixelRect(TwipRect rect, UINT dpi) {
    const int left = twipsAtDpi(rect.left, dpi);
    const int top = twipsAtDpi(rect.top, dpi);
    return {left, top, left + twipsAtDpi(rect.width, dpi), top + twipsAtDpi(rect.height, dpi)};
}

HFONT createFont(const FontSpec& wanted, UINT dpi) {
    LOGFONTW font{};
    const auto hundredths = static_cast<int>(std::lround(wanted.points * 100));
    font.lfHeight = -MulDiv(hundredths, static_cast<int>(dpi), 72 * 100);
    font.lfWeight = wanted.bold ? FW_BOLD : FW_NORMAL;
    font.lfUnderline = wanted.underline ? TRUE : FALSE;
    font.lfCharSet = DEFAULT_CHARSET;
    const std::wstring face = widen(wanted.face);
    wcsncpy(font.lfFaceName, face.c_str(), LF_FACESIZE - 1);
    return CreateFontIndirectW(&font);
}

int controlId(std::size_t index) {
    return kFirstControlId + static_cast<int>(index);
}

std::optional<std::size_t> controlIndex(int id) {
    if (id < kFirstControlId) {
        return std::nullopt;
    }
    return static_cast<std::size_t>(id - kFirstControlId);
}

const ControlLayout* controlLayoutOf(HWND control) {
    return reinterpret_cast<const ControlLayout*>(GetWindowLongPtrW(control, GWLP_USERDATA));
}

LayoutControls::LayoutControls(HWND parent, const WindowLayout& layout, UINT dpi)
    : parent_(parent), layout_(layout), dpi_(dpi) {
    tooltips_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                                WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                                CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, parent, nullptr,
                                GetModuleHandleW(nullptr), nullptr);
    for (std::size_t i = 0; i < layout.controls.size(); ++i) {
        windows_.push_back(create(layout.controls[i], i));
    }
    for (std::size_t i = windows_.size(); i-- > 0;) {
        if (liesBehind(layout.controls[i])) {
            SetWindowPos(windows_[i], HWND_BOTTOM, 0, 0, 0, 0,
                         SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        }
    }
    placeAt(dpi);
}

LayoutControls::~LayoutControls() {
    for (const HWND window : windows_) {
        DestroyWindow(window);
    }
    if (tooltips_ != nullptr) {
        DestroyWindow(tooltips_);
    }
    for (const auto& [wanted, font] : fonts_) {
        DeleteObject(font);
    }
}

HWND LayoutControls::create(const ControlLayout& c, std::size_t index) {
    const WindowClass windowClass = classFor(c);
    DWORD style = windowClass.style | WS_CHILD | WS_CLIPSIBLINGS;
    style |= c.visible ? DWORD{WS_VISIBLE} : 0;
    style |= c.enabled ? 0 : DWORD{WS_DISABLED};
    style |= c.takesFocus() ? DWORD{WS_TABSTOP} : 0;
    const HWND window = CreateWindowExW(
        windowClass.exStyle, windowClass.name, widen(c.caption).c_str(), style, 0, 0, 0, 0, parent_,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(controlId(index))), GetModuleHandleW(nullptr),
        nullptr);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&c));
    for (const std::string& row : itemsOf(c.items)) {
        SendMessageW(window, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(widen(row).c_str()));
    }
    if (c.kind == ControlKind::TextBox) {
        if (c.maxLength > 0) {
            SendMessageW(window, EM_SETLIMITTEXT, static_cast<WPARAM>(c.maxLength), 0);
        }
        keepToWindows1252(window);
    }
    if (!c.tooltip.empty()) {
        const std::wstring tip = widen(c.tooltip);
        TOOLINFOW tool{};
        tool.cbSize = TTTOOLINFOW_V2_SIZE;
        tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
        tool.hwnd = parent_;
        tool.uId = reinterpret_cast<UINT_PTR>(window);
        tool.lpszText = const_cast<wchar_t*>(tip.c_str());
        SendMessageW(tooltips_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    }
    return window;
}

HFONT LayoutControls::fontFor(const FontSpec& wanted) {
    for (const auto& [known, font] : fonts_) {
        if (known.face == wanted.face && known.points == wanted.points &&
            known.bold == wanted.bold && known.underline == wanted.underline) {
            return font;
        }
    }
    const HFONT font = createFont(wanted, dpi_);
    fonts_.emplace_back(wanted, font);
    return font;
}

void LayoutControls::placeAt(UINT dpi) {
    dpi_ = dpi;
    const std::vector<std::pair<FontSpec, HFONT>> oldFonts = std::move(fonts_);
    fonts_.clear();
    for (std::size_t i = 0; i < windows_.size(); ++i) {
        const ControlLayout& c = layout_.controls[i];
        const HWND window = windows_[i];
        SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(fontFor(c.font)), FALSE);
        RECT r = pixelRect(c.rect, dpi);
        // A caption is never cut off: where the fonts at hand need a few
        // pixels more than the layout gives, the control grows to the right.
        if (showsCaptionBeside(c)) {
            r.right = std::max(r.right, r.left + captionWidth(c, window, fontFor(c.font), dpi));
        }
        int height = r.bottom - r.top;
        if (c.kind == ControlKind::DropDownList) {
            height += kDroppedRows * twipsAtDpi(c.rect.height, dpi);
        }
        MoveWindow(window, r.left, r.top, r.right - r.left, height, FALSE);
        if (c.kind == ControlKind::DropDownList) {
            fitClosedHeight(window, r.bottom - r.top);
            setDroppedWidth(window);
        }
    }
    for (const auto& [wanted, font] : oldFonts) {
        DeleteObject(font);
    }
    SendMessageW(tooltips_, TTM_SETMAXTIPWIDTH, 0, MulDiv(kTipWidth, static_cast<int>(dpi), 96));
    InvalidateRect(parent_, nullptr, TRUE);
}

// The rows as wide as the longest needs, while the box keeps its layout's width.
void LayoutControls::setDroppedWidth(HWND list) {
    const HDC dc = GetDC(list);
    const auto font = reinterpret_cast<HFONT>(SendMessageW(list, WM_GETFONT, 0, 0));
    const HGDIOBJ old = SelectObject(dc, font);
    int widest = 0;
    const auto rows = static_cast<int>(SendMessageW(list, CB_GETCOUNT, 0, 0));
    for (int row = 0; row < rows; ++row) {
        wchar_t text[256] = {};
        if (SendMessageW(list, CB_GETLBTEXTLEN, static_cast<WPARAM>(row), 0) < 255) {
            SendMessageW(list, CB_GETLBTEXT, static_cast<WPARAM>(row),
                         reinterpret_cast<LPARAM>(text));
        }
        SIZE size{};
        GetTextExtentPoint32W(dc, text, static_cast<int>(wcslen(text)), &size);
        widest = std::max(widest, static_cast<int>(size.cx));
    }
    SelectObject(dc, old);
    ReleaseDC(list, dc);
    const int margins = 2 * GetSystemMetricsForDpi(SM_CXEDGE, dpi_) +
                        GetSystemMetricsForDpi(SM_CXVSCROLL, dpi_) + twipsAtDpi(120, dpi_);
    SendMessageW(list, CB_SETDROPPEDWIDTH, static_cast<WPARAM>(widest + margins), 0);
}

HWND LayoutControls::operator[](std::string_view name) const {
    for (std::size_t i = 0; i < windows_.size(); ++i) {
        if (layout_.controls[i].name == name) {
            return windows_[i];
        }
    }
    return nullptr;
}

const ControlLayout* LayoutControls::layoutOf(int id) const {
    const std::optional<std::size_t> index = controlIndex(id);
    if (!index || *index >= layout_.controls.size()) {
        return nullptr;
    }
    return &layout_.controls[*index];
}

}  // namespace vantorix::win32
