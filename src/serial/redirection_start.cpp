#include "serial/redirection_start.h"

#include <algorithm>
#include <iterator>

namespace vantorix {

namespace {

// "COM 21" for COM21, any number; a device path as it is.
std::string portNameInMessage(std::string_view port) {
    const std::string_view digits = port.substr(std::min<std::size_t>(3, port.size()));
    const bool comNumber =
        port.starts_with("COM") && !digits.empty() &&
        std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; });
    return comNumber ? "COM " + std::string(digits) : std::string(port);
}

}  // namespace

std::string portUnavailableMessage(std::string_view port) {
    return portNameInMessage(port) +
           " already open or not available. Shutdown any other program that is using this port "
           "first";
}

std::string lineSettingsText(const RedirectSettings& settings) {
    const auto firstCharacter = [](const std::string& item) {
        return item.empty() ? std::string() : item.substr(0, 1);
    };
    return settings.Combo_baud + "," + firstCharacter(settings.Combo_parity) + "," +
           firstCharacter(settings.Combo_length) + "," + settings.Combo_stop;
}

std::int32_t handshakingCode(std::string_view item) {
    const auto items = handshakeItems();
    const auto found = std::find(items.begin(), items.end(), item);
    return found == items.end() ? 0
                                : static_cast<std::int32_t>(std::distance(items.begin(), found));
}

PortOpening openPortForRedirection(SerialPortControl& MSComm1, const RedirectSettings& settings,
                                   WaitingBytes waiting) {
    if (const int number = comPortNumber(settings.Combo_portselect); number > 0) {
        MSComm1.setCommPort(static_cast<std::int16_t>(number));
    } else {
        MSComm1.setCommDevice(settings.Combo_portselect);
    }
    PortOpening opening;
    if (MSComm1.setSettings(kOpeningLineSettings)) {
        opening.lineSettingsInForce = kOpeningLineSettings;
    }
    MSComm1.setInputLen(0);
    MSComm1.setPortOpen(true);
    opening.opened = MSComm1.PortOpen();
    if (!opening.opened) {
        opening.failureReason = MSComm1.openFailureReason();
        return opening;
    }
    const std::string chosen = lineSettingsText(settings);
    if (MSComm1.setSettings(chosen)) {
        opening.lineSettingsInForce = chosen;
    } else {
        opening.lineSettingsRefused = true;
    }
    opening.handshakeRefused = !MSComm1.setHandshaking(handshakingCode(settings.Combo_handshake));
    if (waiting == WaitingBytes::Drop) {
        MSComm1.Input();
    }
    return opening;
}

std::string refusedSettingsMessage(const PortOpening& opening, const RedirectSettings& settings) {
    const std::string& port = settings.Combo_portselect;
    std::string message;
    if (opening.lineSettingsRefused) {
        message = port + " refused the line settings " + lineSettingsText(settings);
        message += opening.lineSettingsInForce.empty()
                       ? "."
                       : " and runs at " + opening.lineSettingsInForce + ".";
    }
    if (opening.handshakeRefused) {
        message += (message.empty() ? "" : "\n") + port + " refused the handshake \"" +
                   settings.Combo_handshake + "\" and keeps the handshake it had.";
    }
    return message;
}

}  // namespace vantorix
