#include "frontend/win32/settings_binding.h"

#include "platform/win32/wide_text.h"

namespace vantorix::win32 {

std::string controlText(HWND control) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(control)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        GetWindowTextW(control, text.data(), static_cast<int>(text.size()))));
    return narrow(text);
}

std::string shownRow(HWND list) {
    const LRESULT selected = SendMessageW(list, CB_GETCURSEL, 0, 0);
    if (selected == CB_ERR) {
        return {};
    }
    const auto row = static_cast<WPARAM>(selected);
    std::wstring text(static_cast<std::size_t>(SendMessageW(list, CB_GETLBTEXTLEN, row, 0)) + 1,
                      L'\0');
    text.resize(static_cast<std::size_t>(
        SendMessageW(list, CB_GETLBTEXT, row, reinterpret_cast<LPARAM>(text.data()))));
    return narrow(text);
}

void showRow(HWND list, std::string_view row) {
    const std::wstring wanted = widen(row);
    const LRESULT found = SendMessageW(list, CB_FINDSTRINGEXACT, WPARAM(-1),
                                       reinterpret_cast<LPARAM>(wanted.c_str()));
    // CB_FINDSTRINGEXACT ignores letter case; the rows are told apart by it.
    const bool exact = found != CB_ERR && [&] {
        SendMessageW(list, CB_SETCURSEL, static_cast<WPARAM>(found), 0);
        return shownRow(list) == row;
    }();
    if (!exact) {
        SendMessageW(list, CB_SETCURSEL, WPARAM(-1), 0);
    }
}

void storeChange(const ControlLayout& c, HWND control, WORD notification,
                 RedirectSettings& settings) {
    if (c.text != nullptr && c.kind == ControlKind::DropDownList && notification == CBN_SELCHANGE) {
        settings.*c.text = shownRow(control);
    } else if (c.text != nullptr && c.kind == ControlKind::TextBox && notification == EN_CHANGE) {
        settings.*c.text = controlText(control);
    } else if (c.check != nullptr && notification == BN_CLICKED) {
        settings.*c.check = SendMessageW(control, BM_GETCHECK, 0, 0) == BST_CHECKED ? 1 : 0;
    }
}

void showSettingsInControls(const LayoutControls& controls, const WindowLayout& layout,
                            const RedirectSettings& settings) {
    for (const ControlLayout& c : layout.controls) {
        const HWND control = controls[c.name];
        if (c.text != nullptr && c.kind == ControlKind::DropDownList) {
            showRow(control, settings.*c.text);
        } else if (c.text != nullptr && c.kind == ControlKind::TextBox) {
            // A box that shows the text already keeps its caret.
            if (controlText(control) != settings.*c.text) {
                SetWindowTextW(control, widen(settings.*c.text).c_str());
            }
        }
        if (c.check != nullptr) {
            SendMessageW(control, BM_SETCHECK,
                         isOn(settings.*c.check) ? BST_CHECKED : BST_UNCHECKED, 0);
        }
    }
}

}  // namespace vantorix::win32
