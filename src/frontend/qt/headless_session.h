#pragma once

#include <functional>
#include <iosfwd>

#include "program/command_line.h"
#include "typing/keyboard.h"

namespace vantorix {

// The headless session on Qt's event loop, with QSerialPort and SIGINT,
// SIGTERM and SIGHUP as the requests to end. Needs a running
// QCoreApplication; returns the exit status (see HeadlessSession).
// `keysOutputFailed` is set, for the time of the run, to what the keyboard
// calls when it cannot write the keys.
int runHeadless(const CommandLine& options, Keyboard& keyboard, std::ostream& messages,
                std::function<void()>& keysOutputFailed);

}  // namespace vantorix
