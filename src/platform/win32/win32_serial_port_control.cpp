#include "platform/win32/win32_serial_port_control.h"

#include "platform/win32/comm_settings.h"
#include "platform/win32/port_names.h"
#include "platform/win32/wide_text.h"

namespace vantorix::win32 {
namespace {

constexpr UINT kDataMessage = WM_APP + 1;
constexpr UINT kReadFailureMessage = WM_APP + 2;
constexpr UINT kWriteFailureMessage = WM_APP + 3;
constexpr DWORD kQueueSize = 4096;

}  // namespace

HANDLE openCommDevice(const std::wstring& device, DWORD& error) {
    HANDLE port = CreateFileW(device.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                              OPEN_EXISTING, FILE_FLAG_OVERLAPPED, nullptr);
    error = port == INVALID_HANDLE_VALUE ? GetLastError() : 0;
    return port;
}

Win32SerialPortControl::Win32SerialPortControl(CommPortOpener open)
    : open_(std::move(open)), window_([this](UINT message, WPARAM wParam, LPARAM lParam) {
          return onMessage(message, wParam, lParam);
      }) {}

Win32SerialPortControl::~Win32SerialPortControl() {
    close();
}

bool Win32SerialPortControl::setCommPort(std::int16_t number) {
    if (number < 1) {
        return false;
    }
    name_ = "COM" + std::to_string(number);
    return true;
}

bool Win32SerialPortControl::setCommDevice(const std::string& path) {
    if (path.empty()) {
        return false;
    }
    name_ = path;
    return true;
}

bool Win32SerialPortControl::setSettings(const std::string& settings) {
    const auto parsed = parseLineSettings(settings);
    if (!parsed) {
        return false;
    }
    if (PortOpen() && !changeDcb([&parsed](DCB& dcb) { applyLineSettings(dcb, *parsed); })) {
        return false;
    }
    line_ = *parsed;
    if (PortOpen()) {
        COMMTIMEOUTS timeouts = commTimeouts(line_.baud);
        SetCommTimeouts(port_, &timeouts);
    }
    return true;
}

bool Win32SerialPortControl::setInputLen(std::int16_t length) {
    if (length < 0) {
        return false;
    }
    inputLen_ = length;
    return true;
}

bool Win32SerialPortControl::setHandshaking(std::int32_t mode) {
    if (mode < 0 || mode > 3) {
        return false;
    }
    if (PortOpen() && !changeDcb([mode](DCB& dcb) { applyHandshaking(dcb, mode); })) {
        return false;
    }
    handshaking_ = mode;
    return true;
}

bool Win32SerialPortControl::setPortOpen(bool open) {
    if (!open) {
        close();
        return true;
    }
    if (PortOpen() || name_.empty()) {
        return false;
    }
    port_ = open_(widen(commDeviceName(name_)), lastOpenError_);
    if (port_ == INVALID_HANDLE_VALUE) {
        return false;
    }
    openedName_ = name_;
    configureOpenedPort();
    reader_ = std::make_unique<PortReader>(
        port_, PortReader::Notify{window_.handle(), kDataMessage, kReadFailureMessage, ++opening_});
    return true;
}

std::string Win32SerialPortControl::Input() {
    return reader_ ? reader_->take(static_cast<std::size_t>(inputLen_)) : std::string();
}

bool Win32SerialPortControl::Output(const std::string& data) {
    if (!PortOpen()) {
        return false;
    }
    OVERLAPPED overlapped{};
    overlapped.hEvent = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    std::size_t sent = 0;
    DWORD error = 0;
    while (sent < data.size() && error == 0) {
        const auto count = static_cast<DWORD>(std::min<std::size_t>(data.size() - sent, MAXDWORD));
        DWORD written = 0;
        ResetEvent(overlapped.hEvent);
        if (!WriteFile(port_, data.data() + sent, count, nullptr, &overlapped) &&
            GetLastError() != ERROR_IO_PENDING) {
            error = GetLastError();
        } else if (!GetOverlappedResult(port_, &overlapped, &written, TRUE)) {
            error = GetLastError();
        } else if (written == 0) {
            error = ERROR_TIMEOUT;
        }
        sent += written;
    }
    CloseHandle(overlapped.hEvent);
    if (error != 0) {
        DWORD lineErrors = 0;
        COMSTAT status{};
        if (!ClearCommError(port_, &lineErrors, &status)) {
            // Raised from the message loop, as for a failed read.
            PostMessageW(window_.handle(), kWriteFailureMessage, opening_,
                         static_cast<LPARAM>(error));
        }
        return false;
    }
    return true;
}

std::optional<LRESULT> Win32SerialPortControl::onMessage(UINT message, WPARAM wParam,
                                                         LPARAM lParam) {
    if (message < kDataMessage || message > kWriteFailureMessage) {
        return std::nullopt;
    }
    if (wParam != opening_ || !PortOpen()) {
        return 0;
    }
    if (message == kDataMessage) {
        if (!reader_->acknowledge()) {
            return 0;
        }
        commEvent_ = comEvReceive;
        if (OnComm) {
            OnComm();
        }
    } else {
        lose(message == kReadFailureMessage ? "reading from it failed" : "writing to it failed",
             static_cast<DWORD>(lParam));
    }
    return 0;
}

bool Win32SerialPortControl::changeDcb(const std::function<void(DCB&)>& change) {
    DCB dcb{};
    dcb.DCBlength = sizeof dcb;
    if (!GetCommState(port_, &dcb)) {
        return false;
    }
    DCB changed = dcb;
    change(changed);
    if (SetCommState(port_, &changed)) {
        return true;
    }
    SetCommState(port_, &dcb);
    return false;
}

// Errors here are left alone: the port stays open with what the driver took,
// as after a setting that it refuses.
void Win32SerialPortControl::configureOpenedPort() {
    SetupComm(port_, kQueueSize, kQueueSize);
    changeDcb(prepareDcb);
    changeDcb([this](DCB& dcb) { applyLineSettings(dcb, line_); });
    changeDcb([this](DCB& dcb) { applyHandshaking(dcb, handshaking_); });
    COMMTIMEOUTS timeouts = commTimeouts(line_.baud);
    SetCommTimeouts(port_, &timeouts);
}

void Win32SerialPortControl::close() {
    reader_.reset();
    if (port_ != INVALID_HANDLE_VALUE) {
        CloseHandle(port_);
        port_ = INVALID_HANDLE_VALUE;
    }
}

void Win32SerialPortControl::lose(const std::string& what, DWORD error) {
    const std::string reason =
        "Port " + openedName_ + " was lost: " + what + " (error " + std::to_string(error) + ")";
    close();
    if (OnPortLost) {
        OnPortLost(reason);
    }
}

}  // namespace vantorix::win32
