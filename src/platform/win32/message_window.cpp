#include "platform/win32/message_window.h"

#include <mutex>

namespace vantorix::win32 {
namespace {

constexpr const wchar_t* kClassName = L"VantorixMessageWindow";

void registerClassOnce(WNDPROC procedure) {
    static std::once_flag registered;
    std::call_once(registered, [procedure] {
        WNDCLASSEXW windowClass{};
        windowClass.cbSize = sizeof windowClass;
        windowClass.lpfnWndProc = procedure;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.lpszClassName = kClassName;
        RegisterClassExW(&windowClass);
    });
}

}  // namespace

MessageWindow::MessageWindow(Handler handler, Kind kind) : handler_(std::move(handler)) {
    registerClassOnce(&MessageWindow::procedure);
    HWND parent = kind == Kind::MessageOnly ? HWND_MESSAGE : nullptr;
    window_ = CreateWindowExW(0, kClassName, L"", 0, 0, 0, 0, 0, parent, nullptr,
                              GetModuleHandleW(nullptr), this);
}

MessageWindow::~MessageWindow() {
    if (window_ != nullptr) {
        // The owner is being destroyed: its handler must not see the last messages.
        SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
        DestroyWindow(window_);
    }
}

LRESULT CALLBACK MessageWindow::procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* creation = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(creation->lpCreateParams));
    }
    auto* self = reinterpret_cast<MessageWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self != nullptr && self->handler_) {
        if (const std::optional<LRESULT> result = self->handler_(message, wParam, lParam)) {
            return *result;
        }
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace vantorix::win32
