#include "support/win32/typing_target.h"

#include "platform/win32/wide_text.h"
#include "support/win32/message_pump.h"

namespace vantorix::test {
namespace {

constexpr const wchar_t* kRecorderClass = L"VantorixTestRecorder";
constexpr auto kStartTimeout = std::chrono::seconds(10);

void registerRecorderClass(WNDPROC procedure) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = kRecorderClass;
    RegisterClassExW(&windowClass);
}

}  // namespace

TypingTarget::TypingTarget(Kind kind)
    : started_(CreateEventW(nullptr, TRUE, FALSE, nullptr)), thread_([this, kind] { run(kind); }) {
    WaitForSingleObject(started_,
                        static_cast<DWORD>(std::chrono::milliseconds(kStartTimeout).count()));
    ready_ = input_ != nullptr && GetForegroundWindow() == frame_;
}

TypingTarget::~TypingTarget() {
    if (frame_ != nullptr) {
        PostMessageW(frame_, WM_CLOSE, 0, 0);
    }
    thread_.join();
    CloseHandle(started_);
}

void TypingTarget::run(Kind kind) {
    registerRecorderClass(&TypingTarget::recorderProcedure);
    frame_ = CreateWindowExW(0, kRecorderClass, L"Vantorix test target",
                             WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 900, 700, nullptr, nullptr,
                             GetModuleHandleW(nullptr), this);
    if (frame_ != nullptr) {
        SetWindowLongPtrW(frame_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
        input_ = kind == Kind::Edit
                     ? CreateWindowExW(
                           0, L"EDIT", L"", WS_CHILD | WS_VISIBLE | ES_MULTILINE | ES_WANTRETURN, 0,
                           0, 880, 660, frame_, nullptr, GetModuleHandleW(nullptr), nullptr)
                     : frame_;
        SendMessageW(input_, EM_SETLIMITTEXT, 0, 0);
        SetForegroundWindow(frame_);
        SetFocus(input_);
    }
    SetEvent(started_);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

LRESULT CALLBACK TypingTarget::recorderProcedure(HWND window, UINT message, WPARAM wParam,
                                                 LPARAM lParam) {
    auto* self = reinterpret_cast<TypingTarget*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    switch (message) {
        case WM_CHAR:
            if (self != nullptr && self->input_ == window) {
                const std::lock_guard lock(self->mutex_);
                self->recorded_.push_back(static_cast<wchar_t>(wParam));
                return 0;
            }
            break;
        case WM_SETFOCUS:
            if (self != nullptr && self->input_ != nullptr && self->input_ != window) {
                SetFocus(self->input_);
                return 0;
            }
            break;
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
        default:
            break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

std::string TypingTarget::text() const {
    if (input_ != frame_) {
        std::wstring content(static_cast<std::size_t>(GetWindowTextLengthW(input_)) + 1, L'\0');
        content.resize(static_cast<std::size_t>(
            GetWindowTextW(input_, content.data(), static_cast<int>(content.size()))));
        return win32::utf8(content);
    }
    const std::lock_guard lock(mutex_);
    return win32::utf8(recorded_);
}

std::string TypingTarget::waitForBytes(std::size_t count, std::chrono::milliseconds timeout) {
    std::string current;
    pumpMessagesUntil(
        [&] {
            current = text();
            return current.size() >= count;
        },
        timeout);
    return current;
}

}  // namespace vantorix::test
