#pragma once

#include "program/command_line.h"
#include "typing/keyboard.h"

namespace vantorix {

// The program with its main window: start-up, the window, and an orderly exit
// however the program is asked to end (the window closed, SIGTERM or SIGINT,
// the desktop session ending). Needs a running QApplication; returns the exit
// status.
int runWithWindow(const CommandLine& options, Keyboard& keyboard);

}  // namespace vantorix
