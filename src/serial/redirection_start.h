#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "settings/redirect_settings.h"
#include "serial/serial_port_control.h"

namespace vantorix {

inline constexpr const char* kPortMessageTitle = "Com Port control";

// "COM 3 already open or not available. Shutdown any other program that is
// using this port first"; a device path stands where "COM 3" stands.
std::string portUnavailableMessage(std::string_view port);

// The control's settings text for the chosen line settings, "19200,E,7,2".
std::string lineSettingsText(const RedirectSettings& settings);

// "None" 0, "Xon/Xoff" 1, "RTS" 2, "RTS XonXoff" 3.
std::int32_t handshakingCode(std::string_view item);

// The port steps of starting redirection: open the chosen port at
// 9600,N,8,1, then apply the chosen line settings and handshake, then drop
// whatever was waiting so that stale characters are never typed. A setting
// the port rejects is ignored and the port stays open. Returns false, with
// nothing changed, when the port is busy or absent.
bool openPortForRedirection(SerialPortControl& MSComm1, const RedirectSettings& settings);

}  // namespace vantorix
