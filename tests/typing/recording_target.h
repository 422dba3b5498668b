#pragma once

#include <chrono>
#include <cstddef>
#include <string>

namespace vantorix::test {

// A window that has the keyboard focus and records the text its keys produce,
// as a terminal in raw mode does: UTF-8, Enter as CR, Tab as TAB, Control with
// a letter as its control character.
class RecordingTarget {
  public:
    virtual ~RecordingTarget() = default;
    // Waits until `count` bytes have arrived in all, or the timeout has
    // passed, and returns everything that arrived so far.
    virtual std::string waitForBytes(std::size_t count, std::chrono::milliseconds timeout) = 0;
};

}  // namespace vantorix::test
