#pragma once

#include <string>

namespace vantorix::test {

// ":N" of the X server the test program started for itself, empty when it
// could not start one (no Xvfb): then the tests that need it skip.
std::string& testDisplayName();

}  // namespace vantorix::test
