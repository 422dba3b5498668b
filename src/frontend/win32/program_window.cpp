#include "frontend/win32/program_window.h"

#include "frontend/win32/menu_bar.h"

namespace vantorix::win32 {

ProgramWindowBase::ProgramWindowBase(const WindowLayout& layout)
    : LayoutWindow(layout, createMenuBar(layout)) {}

bool ProgramWindowBase::preTranslate(MSG& message) {
    // F1 anywhere in the window, whichever control has the focus.
    if (message.message == WM_KEYDOWN && message.wParam == VK_F1) {
        if (help_ != nullptr) {
            help_->openHelp();
        }
        return true;
    }
    return LayoutWindow::preTranslate(message);
}

std::optional<LRESULT> ProgramWindowBase::onMessage(UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
        case WM_SIZE:
            if (IsWindowVisible(handle())) {
                resized(wParam == SIZE_MINIMIZED);
            }
            return 0;
        case WM_CLOSE:
            closed();
            return 0;
        default:
            return std::nullopt;
    }
}

void ProgramWindowBase::onCommand(WORD identifier) {
    const std::optional<MenuCommand> command = menuCommandOf(identifier);
    if (!command || help_ == nullptr) {
        return;
    }
    // A menu's command comes once the menu has closed and let go of the
    // keyboard, so the help key typed now reaches this window.
    if (*command == MenuCommand::HelpContents) {
        help_->menu_help_contents_Click();
    } else if (*command == MenuCommand::About) {
        help_->menu_about_vantorix_Click();
    }
}

WindowPosition ProgramWindowBase::currentPosition() const {
    RECT frame;
    GetWindowRect(handle(), &frame);
    if (IsIconic(handle())) {
        WINDOWPLACEMENT placement{};
        placement.length = sizeof placement;
        GetWindowPlacement(handle(), &placement);
        frame = placement.rcNormalPosition;
    }
    return {frame.left, frame.top};
}

void ProgramWindowBase::moveTo(WindowPosition topLeft) {
    if (!IsIconic(handle())) {
        SetWindowPos(handle(), nullptr, topLeft.left, topLeft.top, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        return;
    }
    // A minimised window moves where it comes back to.
    WINDOWPLACEMENT placement{};
    placement.length = sizeof placement;
    GetWindowPlacement(handle(), &placement);
    OffsetRect(&placement.rcNormalPosition, topLeft.left - placement.rcNormalPosition.left,
               topLeft.top - placement.rcNormalPosition.top);
    placement.showCmd = IsWindowVisible(handle()) ? SW_SHOWMINNOACTIVE : SW_HIDE;
    SetWindowPlacement(handle(), &placement);
}

void ProgramWindowBase::showInFront() {
    keepHidden_ = false;
    ShowWindow(handle(), IsIconic(handle()) ? SW_RESTORE : SW_SHOW);
    SetForegroundWindow(handle());
}

void ProgramWindowBase::hide() {
    keepHidden_ = true;
    ShowWindow(handle(), SW_HIDE);
}

// A hidden window is left hidden: it comes back in normal state when it is
// shown (showInFront restores a minimised one).
void ProgramWindowBase::clearMinimizedAndMaximized() {
    if (IsWindowVisible(handle()) && (IsIconic(handle()) || IsZoomed(handle()))) {
        ShowWindow(handle(), SW_RESTORE);
    }
}

}  // namespace vantorix::win32
