#pragma once

#include <chrono>
#include <functional>

namespace vantorix::test {

// Runs this thread's message loop until `done` holds or the timeout has
// passed; returns whether `done` held. Code under test that lives on this
// thread (a serial port control, a timer) meanwhile gets its messages.
bool pumpMessagesUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout);

// Dispatches the messages waiting now, without waiting for more.
void pumpWaitingMessages();

}  // namespace vantorix::test
