#pragma once

#include <windows.h>

#include <cstdint>

#include "serial/line_settings.h"

namespace vantorix::win32 {

// The parts of a port's DCB that the program sets, whatever the driver held:
// binary transfer, DTR raised while the port is open, no character replaced
// or dropped, and reading that goes on after a framing or parity error.
void prepareDcb(DCB& dcb);

// Baud rate, parity, data bits and stop bits. Whether the device takes them
// is for SetCommState to say.
void applyLineSettings(DCB& dcb, const LineSettings& settings);

// 0 none, 1 XON/XOFF, 2 RTS/CTS, 3 RTS/CTS and XON/XOFF. RTS is raised only
// to signal readiness under RTS/CTS; otherwise it stays low.
void applyHandshaking(DCB& dcb, std::int32_t mode);

// Reading waits for the first byte as long as it takes and returns once the
// line has been quiet for two character times (5 to 20 ms), so an idle port
// costs nothing and a burst arrives in few pieces. Writing gives up when the bytes
// have not gone out in well over the time the baud rate needs for them (flow
// control holding them back, a device gone).
COMMTIMEOUTS commTimeouts(std::int32_t baud);

}  // namespace vantorix::win32
