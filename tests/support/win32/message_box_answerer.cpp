#include "support/win32/message_box_answerer.h"

#include "support/win32/window_probe.h"

namespace vantorix::test {
namespace {

// A message box's text, as the system lays it out.
constexpr int kTextControl = 0xFFFF;
thread_local std::vector<MessageBoxAnswerer::Seen>* seenHere = nullptr;

bool isMessageBox(HWND window) {
    return classNameOf(window) == L"#32770" && GetDlgItem(window, kTextControl) != nullptr;
}

// The box's icon is a static control that shows one of the system's icons;
// the exclamation icon is the system's own, shared one.
bool showsExclamation(HWND box) {
    const HICON exclamation = LoadIconW(nullptr, MAKEINTRESOURCEW(32515));  // IDI_EXCLAMATION
    for (HWND child = GetWindow(box, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        if (classNameOf(child) == L"Static" &&
            reinterpret_cast<HICON>(SendMessageW(child, STM_GETICON, 0, 0)) == exclamation) {
            return true;
        }
    }
    return false;
}

}  // namespace

MessageBoxAnswerer::MessageBoxAnswerer()
    : hook_(SetWindowsHookExW(WH_CBT, &MessageBoxAnswerer::onWindowEvent, nullptr,
                              GetCurrentThreadId())) {
    seenHere = &seen;
}

MessageBoxAnswerer::~MessageBoxAnswerer() {
    UnhookWindowsHookEx(hook_);
    seenHere = nullptr;
}

namespace {

// Read once the box is up and running its own message loop: while it is
// being activated it may not have its text and icon yet.
void CALLBACK readAndClose(HWND box, UINT, UINT_PTR timer, DWORD) {
    KillTimer(box, timer);
    if (seenHere != nullptr) {
        const bool onlyOk = GetDlgItem(box, IDOK) != nullptr &&
                            GetDlgItem(box, IDCANCEL) == nullptr &&
                            GetDlgItem(box, IDNO) == nullptr;
        seenHere->push_back({windowText(box), windowText(GetDlgItem(box, kTextControl)),
                             showsExclamation(box), onlyOk});
    }
    PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(box, IDOK)));
}

}  // namespace

LRESULT CALLBACK MessageBoxAnswerer::onWindowEvent(int code, WPARAM wParam, LPARAM lParam) {
    const auto window = reinterpret_cast<HWND>(wParam);
    if (code == HCBT_ACTIVATE && seenHere != nullptr && isMessageBox(window)) {
        SetTimer(window, 1, USER_TIMER_MINIMUM, &readAndClose);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace vantorix::test
