#pragma once

#include <string>

#include "serial/serial_port_control.h"

namespace vantorix {

// A hot key's action: its string, with the character codes in braces
// expanded, goes out of the port as one write, if the port is open. The
// string is taken by value: the setting itself stays as the user wrote it.
void sendHotKeyString(SerialPortControl& port, std::string text);

}  // namespace vantorix
