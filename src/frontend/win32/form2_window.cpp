#include "frontend/win32/form2_window.h"

#include <commctrl.h>

#include <utility>

#include "forms/layout/form2_layout.h"

namespace vantorix::win32 {
namespace {

constexpr UINT_PTR kMouseSubclass = 2;

}  // namespace

Form2::Form2(UrlOpener& browser, std::string linkAddress)
    : LayoutWindow(kForm2Layout), browser_(browser), linkAddress_(std::move(linkAddress)) {
    // The picture and the texts let the mouse through to this window, where
    // it is off the link.
    SetWindowSubclass(control("LinkLabel1"), &Form2::mouseOver, kMouseSubclass,
                      reinterpret_cast<DWORD_PTR>(this));
    setFirstFocus(control("Command1"));
}

void Form2::show() {
    ShowWindow(handle(), IsIconic(handle()) ? SW_RESTORE : SW_SHOW);
    SetForegroundWindow(handle());
}

LRESULT CALLBACK Form2::mouseOver(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                  DWORD_PTR self) {
    switch (message) {
        case WM_MOUSEMOVE:
            reinterpret_cast<Form2*>(self)->setLinkColour(kLinkRed);
            break;
        case WM_SETCURSOR:
            SetCursor(LoadCursorW(nullptr, IDC_HAND));
            return TRUE;
        case WM_NCDESTROY:
            RemoveWindowSubclass(window, &Form2::mouseOver, kMouseSubclass);
            break;
        default:
            break;
    }
    return DefSubclassProc(window, message, wParam, lParam);
}

void Form2::setLinkColour(COLORREF colour) {
    if (colour != linkColour_) {
        linkColour_ = colour;
        InvalidateRect(control("LinkLabel1"), nullptr, TRUE);
    }
}

std::optional<LRESULT> Form2::onMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CTLCOLORSTATIC:
            if (reinterpret_cast<HWND>(lParam) == control("LinkLabel1")) {
                const auto dc = reinterpret_cast<HDC>(wParam);
                SetTextColor(dc, linkColour_);
                SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
                return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
            }
            return std::nullopt;
        case WM_MOUSEMOVE:
            setLinkColour(kLinkBlue);
            return std::nullopt;
        case DM_GETDEFID:
            // Enter presses OK.
            return MAKELRESULT(GetDlgCtrlID(control("Command1")), DC_HASDEFID);
        case WM_CLOSE:
            Command1_Click();
            return 0;
        default:
            return std::nullopt;
    }
}

void Form2::onControl(const ControlLayout& c, HWND, WORD notification) {
    if (c.name == "Command1" && notification == BN_CLICKED) {
        Command1_Click();
    } else if (c.name == "LinkLabel1" && notification == STN_CLICKED) {
        LinkLabel1_Click();
    }
}

void Form2::onCommand(WORD identifier) {
    // Esc, as in any dialog box.
    if (identifier == IDCANCEL) {
        Command1_Click();
    }
}

void Form2::LinkLabel1_Click() {
    open_link(linkAddress_);
}

bool Form2::open_link(const std::string& address) {
    return browser_.openUrl(address);
}

}  // namespace vantorix::win32
