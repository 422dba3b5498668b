#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace vantorix::win32 {

// The device name that opens a port: "COM7" (any number, either letter case)
// becomes "\\.\COM7", which also reaches ports above COM9; a name that starts
// with "\\.\" is used as it is, and so is anything else (which then fails to
// open like any absent port).
std::string commDeviceName(std::string_view port);

// How the port list shows a port that the system reports by its name ("COM3"):
// COM1 to COM20 are in the list already and keep their name; others are
// listed by device name, "\\.\COM23" (or "\\.\CNCA0" for a port not named COMn).
std::string listedPortName(std::string_view systemName);

// The serial ports present now (the names under HARDWARE\DEVICEMAP\SERIALCOMM),
// as the list shows them, in the order of their numbers.
std::vector<std::string> presentSerialPorts();

}  // namespace vantorix::win32
