#include "support/win32/message_pump.h"

#include <windows.h>

namespace vantorix::test {
namespace {

constexpr DWORD kSliceMs = 5;

void translateAndDispatch(MSG& message) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
}

void (*dispatcher)(MSG&) = translateAndDispatch;

}  // namespace

void setMessageDispatcher(void (*dispatch)(MSG& message)) {
    dispatcher = dispatch;
}

void pumpWaitingMessages() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        dispatcher(message);
    }
}

bool pumpMessagesUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout) {
    const ULONGLONG deadline = GetTickCount64() + static_cast<ULONGLONG>(timeout.count());
    while (true) {
        pumpWaitingMessages();
        if (done()) {
            return true;
        }
        if (GetTickCount64() >= deadline) {
            return false;
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, kSliceMs, QS_ALLINPUT);
    }
}

}  // namespace vantorix::test
