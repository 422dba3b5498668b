#pragma once

#include <windows.h>

#include <chrono>
#include <functional>
#include <optional>

#include "platform/win32/message_window.h"

namespace vantorix::win32 {

// Turns the requests to end the program that reach it from outside into a
// call on the thread that created this object, through its message loop, so
// that the program can end in order instead of dying with unsaved state:
// Ctrl+C, Ctrl+Break and closing the console window (through the console's
// control handler), logging off and shutting down (through a hidden window:
// a program with windows gets no console event for those).
//
// The system ends the program as soon as the handler of a closing console,
// or the handling of the session's end, returns. The first therefore waits
// until this object is destroyed, which the program does once it has ended in
// order; the second runs the message loop until the program asks it to end.
// Neither keeps the system waiting longer than kLongestWait. One instance at
// a time.
class TerminationRequests {
  public:
    TerminationRequests();
    ~TerminationRequests();
    TerminationRequests(const TerminationRequests&) = delete;
    TerminationRequests& operator=(const TerminationRequests&) = delete;

    // Called on this object's thread, once per request.
    std::function<void()> onRequest;

    // The console's control handler, which Windows calls on a thread of its
    // own (reachable for tests).
    static BOOL WINAPI consoleControl(DWORD event);
    // The hidden window that hears of the session's end.
    HWND window() const { return window_.handle(); }

    static constexpr std::chrono::milliseconds kLongestWait{4000};

  private:
    std::optional<LRESULT> onMessage(UINT message, WPARAM wParam);

    MessageWindow window_;
};

}  // namespace vantorix::win32
