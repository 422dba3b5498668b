#pragma once

#include <windows.h>

#include <chrono>
#include <functional>

namespace vantorix::test {

// How the pumps below hand a message on; by default translated and
// dispatched. Tests of the program's windows set the program's own, so that
// keys reach the windows as they do in the program.
void setMessageDispatcher(void (*dispatch)(MSG& message));

// Runs this thread's message loop until `done` holds or the timeout has
// passed; returns whether `done` held. Code under test that lives on this
// thread (a serial port control, a timer) meanwhile gets its messages.
bool pumpMessagesUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout);

// Dispatches the messages waiting now, without waiting for more.
void pumpWaitingMessages();

}  // namespace vantorix::test
