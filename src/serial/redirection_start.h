#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "serial/serial_port_control.h"
#include "settings/redirect_settings.h"

namespace vantorix {

inline constexpr const char* kPortMessageTitle = "Com Port control";

// "COM 3 already open or not available. Shutdown any other program that is
// using this port first"; a device path stands where "COM 3" stands.
std::string portUnavailableMessage(std::string_view port);

// The line settings every opening starts from.
inline constexpr const char* kOpeningLineSettings = "9600,N,8,1";

// The control's settings text for the chosen line settings, "19200,E,7,2".
std::string lineSettingsText(const RedirectSettings& settings);

// "None" 0, "Xon/Xoff" 1, "RTS" 2, "RTS XonXoff" 3.
std::int32_t handshakingCode(std::string_view item);

// What the port steps of starting redirection came to.
struct PortOpening {
    bool opened = false;
    // Why the port did not open, as the control tells it; may be empty.
    std::string failureReason;
    // The line settings in force once open: the chosen ones, or those of the
    // opening when the port refused them; empty when not even those were taken.
    std::string lineSettingsInForce;
    bool lineSettingsRefused = false;
    // A refused handshake leaves the one the port had.
    bool handshakeRefused = false;

    explicit operator bool() const { return opened; }
};

// Whether the bytes waiting in a port just opened are dropped (at START: they
// are stale) or kept for the receive event (a port that came back: they were
// sent after it returned).
enum class WaitingBytes { Drop, Keep };

// The port steps of starting redirection: open the chosen port at
// 9600,N,8,1, then apply the chosen line settings and handshake, then drop
// whatever was waiting so that stale characters are never typed. A setting
// the port refuses leaves the port open as it was, and is reported. When the
// port is busy or absent nothing changes.
PortOpening openPortForRedirection(SerialPortControl& MSComm1, const RedirectSettings& settings,
                                   WaitingBytes waiting = WaitingBytes::Drop);

// What the user is told when the open port refused the chosen line settings
// or handshake, naming only settings in force; empty when it took them all.
std::string refusedSettingsMessage(const PortOpening& opening, const RedirectSettings& settings);

}  // namespace vantorix
