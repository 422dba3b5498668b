#pragma once

#include <QSerialPort>

#include <cstdint>
#include <string>
#include <vector>

#include "serial/line_settings.h"
#include "serial/serial_port_control.h"

namespace vantorix {

// The device a port number names: /dev/ttyS0 for COM1 on Linux, COM1 on
// Windows. Empty for numbers below 1.
std::string commPortDevice(std::int16_t number);

// The serial port control over QSerialPort, on the Qt thread.
//
// Line settings and handshaking written while the port is closed are kept and
// applied when it opens. Written while it is open they take effect at once; a
// value the device refuses is reported as not accepted and the values in force
// before stay in force.
//
// A port that fails for good while open (read, write or resource error: the
// other end gone, the adapter pulled out) is closed at once and OnPortLost is
// raised from the event loop shortly after, so its handler may freely reopen,
// reconfigure or destroy this control.
class QtSerialPortControl final : public SerialPortControl {
  public:
    QtSerialPortControl();
    ~QtSerialPortControl() override;
    QtSerialPortControl(const QtSerialPortControl&) = delete;
    QtSerialPortControl& operator=(const QtSerialPortControl&) = delete;

    bool setCommPort(std::int16_t number) override;
    bool setCommDevice(const std::string& path) override;
    bool setSettings(const std::string& settings) override;
    bool setInputLen(std::int16_t length) override;
    bool setHandshaking(std::int32_t mode) override;
    bool setPortOpen(bool open) override;

    bool PortOpen() const override;
    std::string Input() override;
    bool Output(const std::string& data) override;
    std::int16_t CommEvent() const override;
    // Why the device could not be opened: missing, a folder or a file, not
    // this user's to open (with the group to join), or in use.
    std::string openFailureReason() const override;

    // The underlying device, for watching it (its signals, its handle).
    const QSerialPort& device() const { return port_; }

  private:
    bool applyLineSettings(const LineSettings& settings);
    bool applyHandshaking(std::int32_t mode);
    void onReadyRead();
    void onError(QSerialPort::SerialPortError error);

    QSerialPort port_;
    std::string devicePath_;
    std::string openedPath_;
    std::string openFailure_;
    LineSettings line_;
    std::int32_t handshaking_ = 0;
    std::int16_t inputLen_ = 0;
    std::int16_t commEvent_ = 0;
    // Counts openings, so that a loss reported late is dropped once the port
    // has been opened afresh.
    std::uint64_t opening_ = 0;
};

// The device paths of the serial ports present on this machine, sorted.
// Pseudo-terminals are not listed; they can still be opened by path.
std::vector<std::string> presentSerialDevices();

}  // namespace vantorix
