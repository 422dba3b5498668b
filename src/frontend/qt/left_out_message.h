#pragma once

#include <ostream>
#include <string>

namespace vantorix {

// The title of the message that tells of a character the desktop's layout
// cannot produce.
inline constexpr const char* kLeftOutWindowTitle = "A character was left out";

// Tells the user of a character the desktop's layout cannot produce: on
// `errors` at once and, where the program has a window, in a message that
// does not stop the typing. May be called from the thread that types.
void tellLeftOut(const std::string& message, std::ostream& errors);

}  // namespace vantorix
