#pragma once

#include "forms/form1_session.h"
#include "frontend/win32/form1_window.h"
#include "frontend/win32/form3_window.h"
#include "platform/win32/win32_flush_timer.h"
#include "platform/win32/win32_serial_port_control.h"
#include "program/command_line.h"
#include "typing/keyboard.h"

namespace vantorix::win32 {

// The program's two windows over one session, with the serial port and the
// flush timer the session works with, all on this thread.
class Win32WindowSession {
  public:
    Win32WindowSession(RedirectSettings& settings, DesktopServices desktop);
    ~Win32WindowSession();
    Win32WindowSession(const Win32WindowSession&) = delete;
    Win32WindowSession& operator=(const Win32WindowSession&) = delete;

    FORM1& form() { return form_; }
    Form3& advancedWindow() { return advanced_; }
    Form1Session& session() { return session_; }

  private:
    Win32SerialPortControl MSComm1;
    Win32FlushTimer Timer1;
    FORM1 form_;
    Form3 advanced_;
    Form1Session session_;
};

// The manual beside the executable (UTF-8, as the program hands paths on).
std::string helpFileBesideProgram();

// The program with its windows: start-up, the windows, and an orderly exit
// however the program is asked to end (a window closed, the user logging off
// or the system shutting down, Ctrl+C in a console). Returns the exit status.
int runWithWindows(const CommandLine& options, Keyboard& keyboard);

}  // namespace vantorix::win32
