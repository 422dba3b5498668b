#pragma once

#include <windows.h>

#include <string_view>

#include "frontend/win32/form2_window.h"
#include "frontend/win32/window_session.h"
#include "support/fake_window_services.h"

namespace vantorix::test {

// This thread made ready for the program's windows as the program makes it:
// COM, the common controls, and the program's own hand-on of messages for
// the message pumps of the test support (the keyboard's moves between
// controls, F1).
void prepareThreadForWindows();

struct ThreadForWindows {
    ThreadForWindows() { prepareThreadForWindows(); }
};

// The program's two windows over one session on this thread, with the
// desktop's services as fakes that share one journal.
struct ProgramWindows : ThreadForWindows, FakeWindowServices {
    win32::Win32WindowSession windows{settings,
                                      {keyboard, file, hotKeys, icon, shortcut, messages, browser}};
    win32::FORM1& form = windows.form();
    win32::Form3& advanced = windows.advancedWindow();
    Form1Session& session = windows.session();

    HWND main(std::string_view name) const { return form.control(name); }
    HWND advancedControl(std::string_view name) const { return advanced.control(name); }
    void load(std::optional<std::string> port = std::nullopt) {
        session.Form_Load("help.chm", port);
        session.showAfterLoad();
    }
};

// Clicks a button as the keyboard's space bar or a click would, through the
// button's own handling (a disabled button does nothing).
void click(HWND button);
// Picks the row of a drop-down list as the user does: the list reports the
// change to its window.
void pickRow(HWND list, std::wstring_view row);
// Types into the control as the keyboard would, character by character.
void typeInto(HWND control, std::wstring_view text);

}  // namespace vantorix::test
