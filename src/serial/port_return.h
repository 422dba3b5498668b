#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "serial/port_watcher.h"
#include "serial/redirection_start.h"
#include "serial/serial_port_control.h"
#include "settings/redirect_settings.h"

namespace vantorix {

// What the user is told when the port went away ("Waiting for /dev/ttyUSB0 to
// come back.") and when it is open again ("/dev/ttyUSB0 is back; redirecting
// again.").
std::string portWaitingMessage(std::string_view port);
std::string portBackMessage(std::string_view port);

// Waits for a port that went away during redirection to come back, and
// reopens it with the same line settings and handshake as START did.
class PortReturn {
  public:
    using Back = std::function<void(const PortOpening& opening)>;

    PortReturn(SerialPortControl& MSComm1, PortWatcher& watcher);
    ~PortReturn();
    PortReturn(const PortReturn&) = delete;
    PortReturn& operator=(const PortReturn&) = delete;

    // START opened the port: a port that took its line settings then must
    // take them again to count as back.
    void opened(const PortOpening& opening) { tookLineSettings_ = !opening.lineSettingsRefused; }

    // Waits for the port `settings` choose. At each notice of the watcher the
    // port is tried; once it opens, watching stops and `back` is called once.
    // The settings are read at each try.
    void wait(const RedirectSettings& settings, Back back);
    // Stops waiting; `back` is not called.
    void cancel();
    bool waiting() const { return settings_ != nullptr; }

  private:
    void tryReopen();

    SerialPortControl& MSComm1_;
    PortWatcher& watcher_;
    const RedirectSettings* settings_ = nullptr;
    Back back_;
    bool tookLineSettings_ = false;
};

}  // namespace vantorix
