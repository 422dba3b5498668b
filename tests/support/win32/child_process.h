#pragma once

#include <windows.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace vantorix::test {

// A program started in a folder of its own, with a console of its own that
// has no window (console events can be sent to it, and it takes the keyboard
// focus from no window), and its standard output and error read through
// pipes, byte for byte.
class ChildProcess {
  public:
    ChildProcess(const std::wstring& program, const std::vector<std::wstring>& arguments,
                 const std::wstring& folder);
    // Ends the program if it still runs.
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    bool started() const { return process_.hProcess != nullptr; }
    DWORD id() const { return process_.dwProcessId; }

    std::string output() const;
    std::string errors() const;
    // Waits until standard error holds `text`.
    bool waitForError(const std::string& text, std::chrono::milliseconds timeout);
    // Waits until standard output holds `count` lines, and returns them
    // without their line ends.
    std::vector<std::string> readLines(std::size_t count, std::chrono::milliseconds timeout);
    // The exit status, or empty if the program still runs after the timeout.
    std::optional<DWORD> waitForExit(std::chrono::milliseconds timeout);

    // Sends Ctrl+C or Ctrl+Break to the program's console.
    bool sendConsoleEvent(DWORD event);
    // The hidden top-level windows of the program (those that hear of the
    // session's end).
    std::vector<HWND> hiddenWindows() const;

  private:
    struct Stream {
        HANDLE read = nullptr;
        std::string bytes;
        std::atomic<bool> closed{false};
        std::thread reader;
    };
    void startReading(Stream& stream);
    std::string contentOf(const Stream& stream) const;
    bool waitFor(const std::function<bool()>& done, std::chrono::milliseconds timeout) const;

    PROCESS_INFORMATION process_{};
    std::atomic<bool> stopping_{false};
    mutable std::mutex mutex_;
    Stream output_;
    Stream errors_;
};

}  // namespace vantorix::test
