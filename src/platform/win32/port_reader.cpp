#include "platform/win32/port_reader.h"

#include <algorithm>
#include <array>

namespace vantorix::win32 {
namespace {

constexpr DWORD kBufferSize = 4096;
// A framing, parity or overrun error can end a read while the port itself is
// fine; only this many failed reads in a row count as the device gone.
constexpr int kFailuresForLoss = 3;
// Pause after a read that ended with nothing, so that a driver which does
// that does not make the thread spin.
constexpr DWORD kEmptyReadPauseMs = 10;

bool portStillThere(HANDLE port) {
    DWORD errors = 0;
    COMSTAT status{};
    return ClearCommError(port, &errors, &status) != FALSE;
}

}  // namespace

PortReader::PortReader(HANDLE port, Notify notify)
    : port_(port),
      notify_(notify),
      stop_(CreateEventW(nullptr, TRUE, FALSE, nullptr)),
      thread_([this] { run(); }) {}

PortReader::~PortReader() {
    SetEvent(stop_);
    thread_.join();
    CloseHandle(stop_);
}

std::string PortReader::take(std::size_t most) {
    const std::lock_guard lock(mutex_);
    const std::size_t count = most == 0 ? received_.size() : std::min(most, received_.size());
    std::string bytes = received_.substr(0, count);
    received_.erase(0, count);
    return bytes;
}

bool PortReader::acknowledge() {
    const std::lock_guard lock(mutex_);
    notified_ = !received_.empty();
    if (notified_) {
        PostMessageW(notify_.window, notify_.dataMessage, notify_.tag, 0);
    }
    return notified_;
}

bool PortReader::running() const {
    const std::lock_guard lock(mutex_);
    return running_;
}

void PortReader::run() {
    OVERLAPPED overlapped{};
    overlapped.hEvent = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    std::array<char, kBufferSize> buffer{};
    int failures = 0;
    DWORD error = 0;
    while (!stopping()) {
        error = readOnce(overlapped, buffer.data(), kBufferSize);
        if (error == 0 || stopping()) {
            failures = 0;
            continue;
        }
        if (++failures >= kFailuresForLoss || !portStillThere(port_)) {
            break;
        }
    }
    CloseHandle(overlapped.hEvent);
    {
        const std::lock_guard lock(mutex_);
        running_ = false;
    }
    if (!stopping()) {
        PostMessageW(notify_.window, notify_.failureMessage, notify_.tag,
                     static_cast<LPARAM>(error));
    }
}

DWORD PortReader::readOnce(OVERLAPPED& overlapped, char* buffer, DWORD size) {
    ResetEvent(overlapped.hEvent);
    DWORD count = 0;
    DWORD error = 0;
    if (!ReadFile(port_, buffer, size, nullptr, &overlapped)) {
        error = GetLastError();
        if (error != ERROR_IO_PENDING) {
            return error;
        }
        const std::array waits{overlapped.hEvent, stop_};
        if (WaitForMultipleObjects(2, waits.data(), FALSE, INFINITE) != WAIT_OBJECT_0) {
            CancelIoEx(port_, &overlapped);
        }
    }
    error = GetOverlappedResult(port_, &overlapped, &count, TRUE) ? 0 : GetLastError();
    if (count > 0) {
        deliver(buffer, count);
    } else if (error == 0) {
        WaitForSingleObject(stop_, kEmptyReadPauseMs);
    }
    return error;
}

void PortReader::deliver(const char* bytes, DWORD count) {
    const std::lock_guard lock(mutex_);
    received_.append(bytes, count);
    if (!notified_) {
        notified_ = true;
        PostMessageW(notify_.window, notify_.dataMessage, notify_.tag, 0);
    }
}

}  // namespace vantorix::win32
