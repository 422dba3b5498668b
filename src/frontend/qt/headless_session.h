#pragma once

#include <iosfwd>

#include "program/command_line.h"
#include "typing/keyboard.h"

namespace vantorix {

// The headless session on Qt's event loop, with QSerialPort and SIGINT,
// SIGTERM and SIGHUP as the requests to end. Needs a running
// QCoreApplication; returns the exit status (see HeadlessSession).
int runHeadless(const CommandLine& options, Keyboard& keyboard, std::ostream& messages);

}  // namespace vantorix
