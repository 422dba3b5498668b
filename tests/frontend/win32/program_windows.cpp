#include "frontend/win32/program_windows.h"

#include <commctrl.h>
#include <objbase.h>

#include "frontend/win32/message_loop.h"
#include "support/win32/message_pump.h"

namespace vantorix::test {

void prepareThreadForWindows() {
    static const bool prepared = [] {
        CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX),
                                            ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
        InitCommonControlsEx(&controls);
        setMessageDispatcher(&win32::dispatchMessage);
        return true;
    }();
    static_cast<void>(prepared);
}

void click(HWND button) {
    SendMessageW(button, BM_CLICK, 0, 0);
    pumpWaitingMessages();
}

void pickRow(HWND list, std::wstring_view row) {
    const std::wstring text(row);
    const LRESULT index =
        SendMessageW(list, CB_FINDSTRINGEXACT, WPARAM(-1), reinterpret_cast<LPARAM>(text.c_str()));
    SendMessageW(list, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    SendMessageW(GetParent(list), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(list), CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(list));
}

void typeInto(HWND control, std::wstring_view text) {
    for (const wchar_t c : text) {
        SendMessageW(control, WM_CHAR, c, 1);
    }
}

}  // namespace vantorix::test
