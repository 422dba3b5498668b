#pragma once

#include <iosfwd>

#include "frontend/qt/command_line.h"
#include "typing/keyboard.h"

namespace vantorix {

// Exit statuses of a headless run.
inline constexpr int kExitPortUnavailable = 1;
inline constexpr int kExitPortLost = 2;

// Redirection without a window, for kiosks and diagnosis: reads vantorix.cfg
// from the working directory, opens the port as START does and types what
// arrives until SIGINT or SIGTERM. The port message goes to `messages`.
// Needs a running QCoreApplication; returns the exit status.
int runHeadless(const CommandLine& options, Keyboard& keyboard, std::ostream& messages);

}  // namespace vantorix
