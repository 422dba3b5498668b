#include "forms/hot_key_actions.h"

#include "core/special_characters.h"

namespace vantorix {

void sendHotKeyString(SerialPortControl& port, std::string text) {
    if (!port.PortOpen()) {
        return;
    }
    process_special_characters(text);
    port.Output(text);
}

}  // namespace vantorix
