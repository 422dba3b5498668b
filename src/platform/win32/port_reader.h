#pragma once

#include <windows.h>

#include <cstddef>
#include <mutex>
#include <string>
#include <thread>

namespace vantorix::win32 {

// Reads an open port (opened for overlapped I/O) on a thread of its own and
// tells a window of the program's thread about it, so that everything else
// happens there:
// - `dataMessage` is posted when bytes are waiting; after acknowledge() the
//   next bytes to arrive post it again;
// - `failureMessage` is posted once, with the system's error code as LPARAM,
//   when reading fails for good (the device gone); the thread then ends, so a
//   lost port is never polled.
// Both carry `tag` as WPARAM, so that messages of an earlier reader can be
// told apart.
class PortReader {
  public:
    struct Notify {
        HWND window = nullptr;
        UINT dataMessage = 0;
        UINT failureMessage = 0;
        WPARAM tag = 0;
    };

    PortReader(HANDLE port, Notify notify);
    // Stops reading and waits for the thread; the port stays open.
    ~PortReader();
    PortReader(const PortReader&) = delete;
    PortReader& operator=(const PortReader&) = delete;

    // Removes and returns the bytes waiting, at most `most` of them (0: all).
    std::string take(std::size_t most);
    // Lets the next bytes post `dataMessage` again; returns whether bytes
    // are waiting (those post it again at once).
    bool acknowledge();
    // False once reading has ended.
    bool running() const;

  private:
    void run();
    // One read; returns the error that ended it, 0 when it went well.
    DWORD readOnce(OVERLAPPED& overlapped, char* buffer, DWORD size);
    void deliver(const char* bytes, DWORD count);
    bool stopping() const { return WaitForSingleObject(stop_, 0) == WAIT_OBJECT_0; }

    HANDLE port_;
    Notify notify_;
    HANDLE stop_;
    mutable std::mutex mutex_;
    std::string received_;
    bool notified_ = false;
    bool running_ = true;
    std::thread thread_;
};

}  // namespace vantorix::win32
