#pragma once

#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "typing/keyboard.h"

namespace vantorix::win32 {

// The keyboard backends of the Windows program, by their --keys names, and
// the one used without --keys.
std::vector<std::string> keyboardBackendNames();
inline constexpr const char* kDefaultKeyboardBackend = "sendinput";

// Creates the named backend; "print" writes to `printTo`. Null for a name
// that is not one of the above.
std::unique_ptr<Keyboard> makeKeyboard(const std::string& name, std::ostream& printTo);

}  // namespace vantorix::win32
