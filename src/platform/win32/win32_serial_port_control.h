#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "platform/win32/message_window.h"
#include "platform/win32/port_reader.h"
#include "serial/line_settings.h"
#include "serial/serial_port_control.h"

namespace vantorix::win32 {

// Opens a port's device for overlapped reading and writing; returns
// INVALID_HANDLE_VALUE with the system's error in `error` when it cannot.
using CommPortOpener = std::function<HANDLE(const std::wstring& device, DWORD& error)>;

HANDLE openCommDevice(const std::wstring& device, DWORD& error);

// The serial port control over the Windows communications API, on the thread
// that creates it (which must run a message loop).
//
// Line settings and handshaking written while the port is closed are kept and
// applied when it opens; written while it is open they take effect at once,
// and a value the device refuses is reported as not accepted, with the values
// in force before still in force. DTR is raised while the port is open.
//
// A reader thread hands what arrives to this thread, where OnComm is raised.
// When the device goes away (reading or writing fails for good) the port is
// closed at once and OnPortLost is raised once, from the message loop.
class Win32SerialPortControl final : public SerialPortControl {
  public:
    explicit Win32SerialPortControl(CommPortOpener open = openCommDevice);
    ~Win32SerialPortControl() override;
    Win32SerialPortControl(const Win32SerialPortControl&) = delete;
    Win32SerialPortControl& operator=(const Win32SerialPortControl&) = delete;

    bool setCommPort(std::int16_t number) override;
    bool setCommDevice(const std::string& path) override;
    bool setSettings(const std::string& settings) override;
    bool setInputLen(std::int16_t length) override;
    bool setHandshaking(std::int32_t mode) override;
    bool setPortOpen(bool open) override;

    bool PortOpen() const override { return port_ != INVALID_HANDLE_VALUE; }
    std::string Input() override;
    bool Output(const std::string& data) override;
    std::int16_t CommEvent() const override { return commEvent_; }

    // The system's error from the last open that failed (ERROR_ACCESS_DENIED
    // for a port in use, ERROR_FILE_NOT_FOUND for one that is not there).
    DWORD lastOpenError() const { return lastOpenError_; }
    // Whether a thread is reading the port now.
    bool receiving() const { return reader_ && reader_->running(); }

  private:
    std::optional<LRESULT> onMessage(UINT message, WPARAM wParam, LPARAM lParam);
    // Applies `change` to the port's DCB; on refusal the DCB in force stays.
    bool changeDcb(const std::function<void(DCB&)>& change);
    void configureOpenedPort();
    void close();
    void lose(const std::string& what, DWORD error);

    CommPortOpener open_;
    MessageWindow window_;
    std::string name_;  // as given: "COM5", "\\.\COM21"
    std::string openedName_;
    LineSettings line_;
    std::int32_t handshaking_ = 0;
    std::int16_t inputLen_ = 0;
    std::int16_t commEvent_ = 0;
    DWORD lastOpenError_ = 0;
    HANDLE port_ = INVALID_HANDLE_VALUE;
    std::unique_ptr<PortReader> reader_;
    // Counts openings, so that a message about an earlier opening is dropped.
    WPARAM opening_ = 0;
};

}  // namespace vantorix::win32
