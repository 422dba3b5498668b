#pragma once

#include <windows.h>

namespace vantorix::win32 {

// Hands one message of this thread's queue on: first to the program's window
// it is for (the keyboard's moves between controls, F1), else translated and
// dispatched.
void dispatchMessage(MSG& message);

// Runs this thread's message loop until PostQuitMessage; returns its exit code.
int runMessageLoop();

}  // namespace vantorix::win32
