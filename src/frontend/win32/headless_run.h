#pragma once

#include <ostream>

#include "program/command_line.h"
#include "typing/keyboard.h"

namespace vantorix::win32 {

// The headless session on this thread's message loop, with the Windows
// serial port, the flush timer on SetTimer, and Ctrl+C, Ctrl+Break, closing
// the console, logging off and shutting down as the requests to end. Returns
// the exit status (see HeadlessSession).
int runHeadless(const CommandLine& options, Keyboard& keyboard, std::ostream& messages);

}  // namespace vantorix::win32
