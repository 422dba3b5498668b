#include "frontend/win32/windows1252_edit.h"

#include <commctrl.h>

#include <string>

#include "typing/windows1252.h"

namespace vantorix::win32 {
namespace {

constexpr UINT_PTR kSubclassId = 1252;

bool fits(wchar_t c) {
    // A surrogate is half of a character beyond the code page.
    return (c < 0xD800 || c > 0xDFFF) && encodeWindows1252(static_cast<char32_t>(c)).has_value();
}

std::wstring clipboardText(HWND owner) {
    std::wstring text;
    if (!IsClipboardFormatAvailable(CF_UNICODETEXT) || !OpenClipboard(owner)) {
        return text;
    }
    if (const HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        if (const auto* characters = static_cast<const wchar_t*>(GlobalLock(data))) {
            text = characters;
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return text;
}

LRESULT CALLBACK refuseOtherCharacters(HWND edit, UINT message, WPARAM wParam, LPARAM lParam,
                                       UINT_PTR, DWORD_PTR) {
    switch (message) {
        case WM_CHAR:
            // Control characters are the box's own commands (Backspace, Ctrl+C).
            if (wParam >= L' ' && !fits(static_cast<wchar_t>(wParam))) {
                MessageBeep(MB_OK);
                return 0;
            }
            break;
        case WM_PASTE:
            if (!fitsSettingsText(clipboardText(edit))) {
                MessageBeep(MB_OK);
                return 0;
            }
            break;
        case WM_NCDESTROY:
            RemoveWindowSubclass(edit, refuseOtherCharacters, kSubclassId);
            break;
        default:
            break;
    }
    return DefSubclassProc(edit, message, wParam, lParam);
}

}  // namespace

bool fitsSettingsText(std::wstring_view text) {
    for (const wchar_t c : text) {
        if (c == L'\r' || c == L'\n' || !fits(c)) {
            return false;
        }
    }
    return true;
}

void keepToWindows1252(HWND edit) {
    SetWindowSubclass(edit, refuseOtherCharacters, kSubclassId, 0);
}

}  // namespace vantorix::win32
