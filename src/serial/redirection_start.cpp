#include "serial/redirection_start.h"

#include <algorithm>
#include <iterator>

namespace vantorix {

std::string portUnavailableMessage(std::string_view port) {
    const int number = comPortNumber(port);
    const std::string name = number > 0 ? "COM " + std::to_string(number) : std::string(port);
    return name +
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

bool openPortForRedirection(SerialPortControl& MSComm1, const RedirectSettings& settings) {
    if (const int number = comPortNumber(settings.Combo_portselect); number > 0) {
        MSComm1.setCommPort(static_cast<std::int16_t>(number));
    } else {
        MSComm1.setCommDevice(settings.Combo_portselect);
    }
    MSComm1.setSettings("9600,N,8,1");
    MSComm1.setInputLen(0);
    MSComm1.setPortOpen(true);
    if (!MSComm1.PortOpen()) {
        return false;
    }
    MSComm1.setSettings(lineSettingsText(settings));
    MSComm1.setHandshaking(handshakingCode(settings.Combo_handshake));
    MSComm1.Input();
    return true;
}

}  // namespace vantorix
