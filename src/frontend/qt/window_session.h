#pragma once

#include <functional>

#include "forms/form1_session.h"
#include "forms/help.h"
#include "forms/window_set.h"
#include "frontend/qt/form1.h"
#include "frontend/qt/form3.h"
#include "frontend/qt/qt_flush_timer.h"
#include "frontend/qt/qt_port_watcher.h"
#include "frontend/qt/qt_serial_port_control.h"
#include "program/command_line.h"
#include "typing/keyboard.h"

namespace vantorix {

using QtWindowSession = WindowSet<QtSerialPortControl, QtFlushTimer, QtPortWatcher, FORM1, Form3>;

// The program with its main window: start-up, the window, and an orderly exit
// however the program is asked to end (the window closed, SIGTERM, SIGINT or
// SIGHUP, which also close any open message box, the desktop session
// ending), after what was received has been typed. Needs a running
// QApplication; returns the exit status: 0, or kExitKeysOutputFailed after
// the keyboard could not write the keys (`keysOutputFailed` is set, for the
// time of the run, to what it calls then).
int runWithWindow(const CommandLine& options, Keyboard& keyboard,
                  std::function<void()>& keysOutputFailed);

}  // namespace vantorix
