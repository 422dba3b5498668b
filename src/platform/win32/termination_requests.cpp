#include "platform/win32/termination_requests.h"

#include <atomic>

namespace vantorix::win32 {
namespace {

constexpr UINT kRequestMessage = WM_APP + 10;
constexpr auto kLongestWaitMs = static_cast<DWORD>(TerminationRequests::kLongestWait.count());

std::atomic<HWND> requestWindow{nullptr};

// Set while no instance exists. Never closed: a console handler may still be
// waiting on it when the instance goes.
HANDLE endedEvent() {
    static const HANDLE event = CreateEventW(nullptr, TRUE, TRUE, nullptr);
    return event;
}

// Dispatches messages until the loop is asked to end (the request is left
// for the loop itself) or the time is up.
void runLoopUntilQuit(DWORD timeoutMs) {
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    for (ULONGLONG now = GetTickCount64(); now < deadline; now = GetTickCount64()) {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT) {
                PostQuitMessage(static_cast<int>(message.wParam));
                return;
            }
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(deadline - now),
                                  QS_ALLINPUT);
    }
}

}  // namespace

TerminationRequests::TerminationRequests()
    : window_([this](UINT message, WPARAM wParam, LPARAM) { return onMessage(message, wParam); },
              MessageWindow::Kind::HiddenTopLevel) {
    ResetEvent(endedEvent());
    requestWindow = window_.handle();
    SetConsoleCtrlHandler(&TerminationRequests::consoleControl, TRUE);
}

TerminationRequests::~TerminationRequests() {
    SetConsoleCtrlHandler(&TerminationRequests::consoleControl, FALSE);
    requestWindow = nullptr;
    SetEvent(endedEvent());
}

BOOL WINAPI TerminationRequests::consoleControl(DWORD event) {
    const HWND window = requestWindow;
    if (window == nullptr) {
        return FALSE;
    }
    PostMessageW(window, kRequestMessage, 0, 0);
    if (event != CTRL_C_EVENT && event != CTRL_BREAK_EVENT) {
        // Closing the console, logging off, shutting down: the program is
        // ended when this returns.
        WaitForSingleObject(endedEvent(), kLongestWaitMs);
    }
    return TRUE;
}

std::optional<LRESULT> TerminationRequests::onMessage(UINT message, WPARAM wParam) {
    switch (message) {
        case kRequestMessage:
            if (onRequest) {
                onRequest();
            }
            return 0;
        case WM_QUERYENDSESSION:
            return TRUE;
        case WM_ENDSESSION:
            if (wParam != FALSE && onRequest) {
                onRequest();
                runLoopUntilQuit(kLongestWaitMs);
            }
            return 0;
        default:
            return std::nullopt;
    }
}

}  // namespace vantorix::win32
