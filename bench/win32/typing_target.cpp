// The target of bench/typing_win32: a window with a multi-line EDIT control that takes the
// keyboard focus and waits for typed text.
//
//   vantorix_typing_target COUNT RESULT-FILE READY-FILE
//
// Once it has the focus it creates READY-FILE. When the control holds COUNT characters, or has
// not grown for 3 s, it writes to RESULT-FILE the time its text last grew (nanoseconds since
// 1970, the clock the Linux side reads with `date +%s%N`) on the first line and the text (UTF-8,
// line ends as the control holds them) after it, and ends.
#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <string>

#include "platform/win32/wide_text.h"

namespace {

constexpr UINT_PTR kPollTimer = 1;
constexpr UINT kPollMs = 5;
constexpr ULONGLONG kQuietEndMs = 3000;

struct Run {
    int count = 0;
    std::wstring resultFile;
    HWND edit = nullptr;
    int length = -1;
    ULONGLONG lastChange = 0;
    std::int64_t lastChangeNs = 0;
};
Run run;

std::int64_t nowNs() {
    FILETIME now;
    GetSystemTimePreciseAsFileTime(&now);
    const std::int64_t ticks =
        (static_cast<std::int64_t>(now.dwHighDateTime) << 32) | now.dwLowDateTime;
    constexpr std::int64_t kFrom1601To1970 = 116444736000000000;
    return (ticks - kFrom1601To1970) * 100;
}

void writeResult() {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(run.edit)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        GetWindowTextW(run.edit, text.data(), static_cast<int>(text.size()))));
    FILE* out = _wfopen(run.resultFile.c_str(), L"wb");
    if (out != nullptr) {
        std::fprintf(out, "%lld\n", static_cast<long long>(run.lastChangeNs));
        const std::string bytes = vantorix::win32::utf8(text);
        std::fwrite(bytes.data(), 1, bytes.size(), out);
        std::fclose(out);
    }
}

void poll(HWND window) {
    const int length = GetWindowTextLengthW(run.edit);
    const ULONGLONG now = GetTickCount64();
    if (length != run.length) {
        run.length = length;
        run.lastChange = now;
        run.lastChangeNs = nowNs();
    }
    if (length >= run.count || (length > 0 && now - run.lastChange > kQuietEndMs)) {
        KillTimer(window, kPollTimer);
        writeResult();
        DestroyWindow(window);
    }
}

LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_TIMER:
            poll(window);
            return 0;
        case WM_SETFOCUS:
            SetFocus(run.edit);
            return 0;
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
        default:
            return DefWindowProcW(window, message, wParam, lParam);
    }
}

}  // namespace

int wmain(int argc, wchar_t* argv[]) {
    if (argc != 4) {
        std::fputs("usage: vantorix_typing_target COUNT RESULT-FILE READY-FILE\n", stderr);
        return 2;
    }
    run.count = _wtoi(argv[1]);
    run.resultFile = argv[2];

    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"VantorixTypingTarget";
    RegisterClassExW(&windowClass);
    HWND frame = CreateWindowExW(0, windowClass.lpszClassName, L"Typing target",
                                 WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 1000, 740, nullptr,
                                 nullptr, windowClass.hInstance, nullptr);
    // Of the EDIT styles that take any amount of text, the quickest under Wine: without a
    // scroll bar to redraw at every character.
    run.edit = CreateWindowExW(
        0, L"EDIT", L"", WS_CHILD | WS_VISIBLE | ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN, 0,
        0, 980, 700, frame, nullptr, windowClass.hInstance, nullptr);
    SendMessageW(run.edit, EM_SETLIMITTEXT, 0, 0);
    SetForegroundWindow(frame);
    SetFocus(run.edit);
    SetTimer(frame, kPollTimer, kPollMs, nullptr);

    FILE* ready = _wfopen(argv[3], L"wb");
    if (ready != nullptr) {
        std::fclose(ready);
    }
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}
