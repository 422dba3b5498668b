#include "platform/win32/message_boxes_win32.h"

#include <windows.h>

#include "platform/win32/wide_text.h"

namespace vantorix::win32 {

void Win32MessageBoxes::exclamation(const std::string& text, const std::string& title) {
    // With no window of the program in front (all of them hidden in the
    // notification area), the box still comes to the front on its own.
    const HWND owner = GetActiveWindow();
    const UINT style = MB_OK | MB_ICONEXCLAMATION | MB_SETFOREGROUND |
                       (owner == nullptr ? MB_TASKMODAL : MB_APPLMODAL);
    MessageBoxW(owner, widen(text).c_str(), widen(title).c_str(), style);
}

}  // namespace vantorix::win32
