#include "serial/port_return.h"

#include <utility>

namespace vantorix {

std::string portWaitingMessage(std::string_view port) {
    return "Waiting for " + std::string(port) + " to come back.";
}

std::string portBackMessage(std::string_view port) {
    return std::string(port) + " is back; redirecting again.";
}

PortReturn::PortReturn(SerialPortControl& MSComm1, PortWatcher& watcher)
    : MSComm1_(MSComm1), watcher_(watcher) {}

PortReturn::~PortReturn() {
    cancel();
}

void PortReturn::wait(const RedirectSettings& settings, Back back) {
    settings_ = &settings;
    back_ = std::move(back);
    watcher_.watch(settings.Combo_portselect, [this] { tryReopen(); });
}

void PortReturn::cancel() {
    if (waiting()) {
        watcher_.stop();
        settings_ = nullptr;
        back_ = nullptr;
    }
}

// What the returned device sent before this opening is kept: it came after the
// device was back, so it is not stale as bytes waiting at START are. A name
// that opens but no longer takes the line settings its port took is not that
// port back (Wine, for one, opens a COM name whose device is gone): it is
// closed again and the wait goes on.
void PortReturn::tryReopen() {
    if (!waiting() || MSComm1_.PortOpen()) {
        return;
    }
    const PortOpening opening = openPortForRedirection(MSComm1_, *settings_, WaitingBytes::Keep);
    if (!opening) {
        return;
    }
    if (tookLineSettings_ && opening.lineSettingsRefused) {
        MSComm1_.setPortOpen(false);
        return;
    }
    Back back = std::move(back_);
    cancel();
    back(opening);
}

}  // namespace vantorix
