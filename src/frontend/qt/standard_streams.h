#pragma once

namespace vantorix {

// Readies standard input, output and error before anything else opens a
// file: a descriptor 0, 1 or 2 that the program was started without would
// be the next one opened (the serial port, the settings file), and text meant
// for the user would end up there. Each closed one is opened on /dev/null.
// A write to a pipe whose reader has gone fails instead of ending the
// program (SIGPIPE is ignored), so a full or vanished output can be reported.
// Returns whether standard output was closed at start.
bool readyStandardStreams();

}  // namespace vantorix
