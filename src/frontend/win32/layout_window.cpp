#include "frontend/win32/layout_window.h"

#include "frontend/win32/light_grey_button.h"
#include "frontend/win32/program_icon.h"
#include "platform/win32/wide_text.h"

namespace vantorix::win32 {
namespace {

constexpr const wchar_t* kClassName = L"VantorixWindow";
// A fixed layout: the window is neither resized nor maximised.
constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
constexpr DWORD kExStyle = WS_EX_CONTROLPARENT;

void registerClassOnce(WNDPROC procedure) {
    static const ATOM registered = [procedure] {
        WNDCLASSEXW windowClass{};
        windowClass.cbSize = sizeof windowClass;
        windowClass.lpfnWndProc = procedure;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        windowClass.hIcon = programIcon(GetSystemMetrics(SM_CXICON));
        windowClass.hIconSm = programIcon(GetSystemMetrics(SM_CXSMICON));
        windowClass.lpszClassName = kClassName;
        return RegisterClassExW(&windowClass);
    }();
    static_cast<void>(registered);
}

}  // namespace

LayoutWindow::LayoutWindow(const WindowLayout& layout, HMENU menu) : layout_(layout) {
    registerClassOnce(&LayoutWindow::procedure);
    window_ =
        CreateWindowExW(kExStyle, kClassName, widen(layout.caption).c_str(), kStyle, CW_USEDEFAULT,
                        CW_USEDEFAULT, 0, 0, nullptr, menu, GetModuleHandleW(nullptr), nullptr);
    SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    dpi_ = GetDpiForWindow(window_);
    controls_ = std::make_unique<LayoutControls>(window_, layout, dpi_);
    fitToClientArea(nullptr);
}

LayoutWindow::~LayoutWindow() {
    controls_.reset();
    SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
    DestroyWindow(window_);
}

LayoutWindow* LayoutWindow::owning(HWND window) {
    const HWND root = GetAncestor(window, GA_ROOT);
    if (root == nullptr || reinterpret_cast<WNDPROC>(GetWindowLongPtrW(root, GWLP_WNDPROC)) !=
                               &LayoutWindow::procedure) {
        return nullptr;
    }
    return reinterpret_cast<LayoutWindow*>(GetWindowLongPtrW(root, GWLP_USERDATA));
}

bool LayoutWindow::preTranslate(MSG& message) {
    return IsDialogMessageW(window_, &message) != FALSE;
}

void LayoutWindow::fitToClientArea(const RECT* suggested) {
    RECT frame{0, 0, twipsAtDpi(layout_.clientWidth, dpi_), twipsAtDpi(layout_.clientHeight, dpi_)};
    AdjustWindowRectExForDpi(&frame, kStyle, GetMenu(window_) != nullptr, kExStyle, dpi_);
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    if (suggested != nullptr) {
        SetWindowPos(window_, nullptr, suggested->left, suggested->top, width, height,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    } else {
        SetWindowPos(window_, nullptr, 0, 0, width, height,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

LRESULT CALLBACK LayoutWindow::procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<LayoutWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self == nullptr || self->controls_ == nullptr) {
        return DefWindowProcW(window, message, wParam, lParam);
    }
    return self->handle(message, wParam, lParam);
}

LRESULT LayoutWindow::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    if (const std::optional<LRESULT> result = onMessage(message, wParam, lParam)) {
        return *result;
    }
    switch (message) {
        case WM_COMMAND: {
            const auto sender = reinterpret_cast<HWND>(lParam);
            const ControlLayout* control = sender != nullptr ? controlLayoutOf(sender) : nullptr;
            if (control != nullptr && GetParent(sender) == window_) {
                onControl(*control, sender, HIWORD(wParam));
            } else if (sender == nullptr) {
                onCommand(LOWORD(wParam));
            }
            return 0;
        }
        case WM_DRAWITEM:
            drawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
            return TRUE;
        case WM_ACTIVATE:
            if (LOWORD(wParam) == WA_INACTIVE) {
                const HWND focus = GetFocus();
                if (focus != nullptr && IsChild(window_, focus)) {
                    lastFocus_ = focus;
                }
            } else {
                SetFocus(lastFocus_ != nullptr ? lastFocus_
                                               : GetNextDlgTabItem(window_, nullptr, FALSE));
            }
            return 0;
        case WM_DPICHANGED:
            dpi_ = HIWORD(wParam);
            controls_->placeAt(dpi_);
            fitToClientArea(reinterpret_cast<const RECT*>(lParam));
            return 0;
        default:
            return DefWindowProcW(window_, message, wParam, lParam);
    }
}

void LayoutWindow::enableControl(HWND control, bool enabled) {
    if (!enabled && GetFocus() == control) {
        SetFocus(GetNextDlgTabItem(window_, control, FALSE));
    }
    EnableWindow(control, enabled ? TRUE : FALSE);
}

void LayoutWindow::drawItem(const DRAWITEMSTRUCT& item) {
    if (item.CtlType == ODT_BUTTON) {
        drawLightGreyButton(item);
    } else if (item.CtlType == ODT_STATIC) {
        drawProgramPicture(item.hDC, item.rcItem);
    }
}

}  // namespace vantorix::win32
