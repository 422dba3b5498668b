#pragma once

#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "typing/keyboard.h"
#include "typing/win32/elevated_window_watch.h"

namespace vantorix::win32 {

// The keyboard backends of the Windows program, by their --keys names, and
// the one used without --keys.
std::vector<std::string> keyboardBackendNames();
inline constexpr const char* kDefaultKeyboardBackend = "sendinput";

// Creates the named backend; "print" writes to `printTo`. SendInput hands
// `sayRefused` the message that a window in front drops its keys (see
// ElevatedWindowWatch). Null for a name that is not one of the above.
std::unique_ptr<Keyboard> makeKeyboard(const std::string& name, std::ostream& printTo,
                                       ElevatedWindowWatch::Say sayRefused);

}  // namespace vantorix::win32
