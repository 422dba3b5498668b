#pragma once

#include "forms/form1_session.h"
#include "forms/window_set.h"
#include "frontend/win32/form1_window.h"
#include "frontend/win32/form3_window.h"
#include "platform/win32/win32_flush_timer.h"
#include "platform/win32/win32_port_watcher.h"
#include "platform/win32/win32_serial_port_control.h"
#include "program/command_line.h"
#include "typing/keyboard.h"
#include "typing/win32/elevated_window_watch.h"

namespace vantorix::win32 {

using Win32WindowSession =
    WindowSet<Win32SerialPortControl, Win32FlushTimer, Win32PortWatcher, FORM1, Form3>;

// The manual beside the executable (UTF-8, as the program hands paths on).
std::string helpFileBesideProgram();

// The program with its windows: start-up, the windows, and an orderly exit
// however the program is asked to end (a window closed, the user logging off
// or the system shutting down, Ctrl+C in a console). Returns the exit status.
// While it runs, `sayRefused` shows its message in a balloon beside the
// notification-area icon and writes it to standard error (which a console
// shows; vantorixw.exe has none).
int runWithWindows(const CommandLine& options, Keyboard& keyboard,
                   ElevatedWindowWatch::Say& sayRefused);

}  // namespace vantorix::win32
