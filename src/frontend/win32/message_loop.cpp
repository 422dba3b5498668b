#include "frontend/win32/message_loop.h"

#include "frontend/win32/layout_window.h"

namespace vantorix::win32 {

void dispatchMessage(MSG& message) {
    if (LayoutWindow* window = LayoutWindow::owning(message.hwnd);
        window != nullptr && window->preTranslate(message)) {
        return;
    }
    TranslateMessage(&message);
    DispatchMessageW(&message);
}

int runMessageLoop() {
    MSG message;
    BOOL result = 0;
    while ((result = GetMessageW(&message, nullptr, 0, 0)) > 0) {
        dispatchMessage(message);
    }
    return result == 0 ? static_cast<int>(message.wParam) : 1;
}

}  // namespace vantorix::win32
