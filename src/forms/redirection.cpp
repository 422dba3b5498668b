#include "forms/redirection.h"

#include <array>

#include "serial/redirection_start.h"

namespace vantorix {

std::string_view controlName(RedirectionControl control) {
    constexpr std::array<std::string_view, 10> kNames = {
        "Command1",       "Command_stop_redirect", "Combo_portselect",
        "Combo_baud",     "Combo_parity",          "Combo_stop",
        "Combo_length",   "Combo_handshake",       "Command_advanced_options",
        "Check_ENTER_KEY"};
    return kNames.at(static_cast<std::size_t>(control));
}

Redirection::Redirection(SerialPortControl& MSComm1, ReceiveHandler& receiver,
                         const RedirectSettings& settings,
                         const AdvancedOptionsIndicator& indicator, RedirectionView& view,
                         HotKeyService& frmHotKey, NotificationIcon& icon, MessageBoxes& messages,
                         PortWatcher& portWatcher)
    : MSComm1_(MSComm1),
      receiver_(receiver),
      settings_(settings),
      indicator_(indicator),
      view_(view),
      frmHotKey_(frmHotKey),
      icon_(icon),
      messages_(messages),
      portReturn_(MSComm1, portWatcher) {}

void Redirection::Command1_Click() {
    if (isRunning()) {
        return;
    }
    const PortOpening opening = openPortForRedirection(MSComm1_, settings_);
    if (!opening) {
        messages_.exclamationWithDetail(portUnavailableMessage(settings_.Combo_portselect),
                                        kPortMessageTitle, opening.failureReason);
        return;
    }
    started_ = true;
    portReturn_.opened(opening);
    receiver_.clearReceived();
    showRunning(true);
    view_.giveFocus(RedirectionControl::Check_ENTER_KEY);
    if (indicator_.selected) {
        followHotKeySwitches();
    }
    icon_.setTip(kRunningTip);
    if (const std::string refused = refusedSettingsMessage(opening, settings_); !refused.empty()) {
        messages_.exclamation(refused, kPortMessageTitle);
    }
}

void Redirection::followHotKeySwitches() {
    if (isOn(settings_.Check_enablehotkey1) || isOn(settings_.Check_enablehotkey2)) {
        // Registered afresh, so a changed key choice takes effect.
        if (frmHotKey_.isRegistered()) {
            frmHotKey_.cmdUnregisterHotKey_Click();
        }
        frmHotKey_.cmdRegisterHotKey_Click();
    } else if (frmHotKey_.isRegistered()) {
        frmHotKey_.cmdUnregisterHotKey_Click();
    }
}

void Redirection::Command_stop_redirect_Click() {
    started_ = false;
    portReturn_.cancel();
    MSComm1_.setPortOpen(false);
    showRunning(false);
    icon_.setTip(kIdleTip);
    if (frmHotKey_.isRegistered()) {
        frmHotKey_.cmdUnregisterHotKey_Click();
    }
}

// No message box: redirection often runs with nobody at the screen, and it
// must not stall on a question while the port comes and goes.
void Redirection::portLost(const std::string& reason) {
    if (!started_) {
        return;
    }
    receiver_.clearReceived();
    icon_.setTip(kWaitingTip);
    icon_.notify(kPortMessageTitle, reason + "\n" + portWaitingMessage(settings_.Combo_portselect));
    portReturn_.wait(settings_, [this](const PortOpening& opening) { portBack(opening); });
}

void Redirection::portBack(const PortOpening& opening) {
    icon_.setTip(kRunningTip);
    std::string text = portBackMessage(settings_.Combo_portselect);
    if (const std::string refused = refusedSettingsMessage(opening, settings_); !refused.empty()) {
        text += "\n" + refused;
    }
    icon_.notify(kPortMessageTitle, text);
}

void Redirection::showRunning(bool running) {
    using enum RedirectionControl;
    if (running) {
        view_.setControlEnabled(Command_stop_redirect, true);
        view_.setControlEnabled(Command1, false);
    } else {
        view_.setControlEnabled(Command1, true);
    }
    for (const RedirectionControl lineChoice :
         {Combo_portselect, Combo_baud, Combo_parity, Combo_stop, Combo_length, Combo_handshake}) {
        view_.setControlEnabled(lineChoice, !running);
    }
    view_.setControlEnabled(Command_advanced_options, !running);
    if (!running) {
        view_.setControlEnabled(Command_stop_redirect, false);
    }
}

}  // namespace vantorix
