#pragma once

#include <string>

#include "core/flush_timer.h"
#include "typing/keyboard.h"
#include "settings/redirect_settings.h"
#include "serial/serial_port_control.h"

namespace vantorix {

// Gathers what the serial port receives, turns it into key strings and, at
// the next tick of the flush timer, types them. Nothing is typed from inside
// the receive event.
//
// Simple path (advanced options inactive): every batch is translated at once
// and queued. Advanced path: received text is gathered in `rx_received` until
// the chosen end of line arrives; each completed input string is transformed
// and queued. In the "DELAY 250mS" mode the text is typed whole once the line
// has been quiet for one timer period.
//
// Settings and the indicator are read at the moment of use.
class ReceiveHandler {
  public:
    ReceiveHandler(SerialPortControl& MSComm1, FlushTimer& Timer1, Keyboard& keyboard,
                   const RedirectSettings& settings, const AdvancedOptionsIndicator& indicator);

    // The port's receive event.
    void MSComm1_OnComm();
    // The flush timer's tick.
    void Timer1_Timer();

    // Drops gathered text that has not become a key string yet (at start and
    // when redirection starts, so stale characters are never typed).
    void clearReceived() { rx_received.clear(); }

    const std::string& receivedText() const { return rx_received; }
    const std::string& queuedKeys() const { return send_String; }

  private:
    void gatherAdvanced(const std::string& batch);
    void flushQueue();
    void flushAfterDelay();
    bool advancedActive() const { return indicator_.enabled; }

    SerialPortControl& MSComm1_;
    FlushTimer& Timer1_;
    Keyboard& keyboard_;
    const RedirectSettings& settings_;
    const AdvancedOptionsIndicator& indicator_;

    std::string rx_received;
    std::string send_String;
};

}  // namespace vantorix
