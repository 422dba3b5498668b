#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace vantorix {

// The serial port as the program sees it: a handful of properties and one
// receive event, after the control the program was first written against.
// Texts are raw bytes (Windows-1252 as far as the program is concerned).
//
// Writes report whether the control accepted them; callers that the design
// lets ignore errors simply drop the result.
class SerialPortControl {
  public:
    // CommEvent value after data has arrived.
    static constexpr std::int16_t comEvReceive = 2;

    virtual ~SerialPortControl() = default;

    // Which port the next open uses: a port number (COM1 is 1) ...
    virtual bool setCommPort(std::int16_t number) = 0;
    // ... or a device path such as /dev/ttyUSB0.
    virtual bool setCommDevice(const std::string& path) = 0;
    // "baud,parity letter,data bits,stop bits", for example "9600,N,8,1".
    virtual bool setSettings(const std::string& settings) = 0;
    // 0 makes one read of Input return everything waiting.
    virtual bool setInputLen(std::int16_t length) = 0;
    // 0 none, 1 XON/XOFF, 2 RTS/CTS, 3 RTS/CTS and XON/XOFF.
    virtual bool setHandshaking(std::int32_t mode) = 0;
    // True opens the port, false closes it.
    virtual bool setPortOpen(bool open) = 0;

    virtual bool PortOpen() const = 0;
    // Removes and returns every received byte waiting; may be empty.
    virtual std::string Input() = 0;
    // Queues `data` for sending.
    virtual bool Output(const std::string& data) = 0;
    // Which event was raised last (comEvReceive after data arrived).
    virtual std::int16_t CommEvent() const = 0;
    // Why the last attempt to open the port failed, in words for the user
    // ("Permission denied ..."); empty when the control cannot tell.
    virtual std::string openFailureReason() const { return {}; }

    // Raised on the program's thread after data arrives.
    std::function<void()> OnComm;
    // Raised once when an open port fails for good (a USB adapter pulled out,
    // the other end of a line gone). The port is already closed by then.
    std::function<void(const std::string& reason)> OnPortLost;
};

}  // namespace vantorix
