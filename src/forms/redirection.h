#pragma once

#include <string>
#include <string_view>

#include "core/receive_handler.h"
#include "forms/hot_key_service.h"
#include "forms/message_boxes.h"
#include "forms/notification_icon.h"
#include "serial/serial_port_control.h"
#include "settings/redirect_settings.h"

namespace vantorix {

// The main window's controls that starting and stopping redirection switch.
enum class RedirectionControl {
    Command1,
    Command_stop_redirect,
    Combo_portselect,
    Combo_baud,
    Combo_parity,
    Combo_stop,
    Combo_length,
    Combo_handshake,
    Command_advanced_options,
    Check_ENTER_KEY,
};

// The name of the window's control, as its layout gives it.
std::string_view controlName(RedirectionControl control);

// What starting and stopping need of the window.
class RedirectionView {
  public:
    virtual ~RedirectionView() = default;
    virtual void setControlEnabled(RedirectionControl control, bool enabled) = 0;
    virtual void giveFocus(RedirectionControl control) = 0;
};

// START REDIRECTION and STOP REDIRECTION. Running means the port is open;
// there is no other state. A step whose write the port refuses is passed
// over and the next step runs.
class Redirection {
  public:
    Redirection(SerialPortControl& MSComm1, ReceiveHandler& receiver,
                const RedirectSettings& settings, const AdvancedOptionsIndicator& indicator,
                RedirectionView& view, HotKeyService& frmHotKey, NotificationIcon& icon,
                MessageBoxes& messages);

    // Opens the chosen port; on success the window turns to the running
    // state, the hot keys follow the advanced options and the tip says so,
    // and line settings or a handshake the port refused are reported. Does
    // nothing while running; a busy or absent port is reported with the
    // system's reason and changes nothing.
    void Command1_Click();
    // Closes the port and turns the window back to idle. Text already queued
    // for typing is kept.
    void Command_stop_redirect_Click();
    // The port failed while open (an adapter pulled out): back to idle, and
    // the user is told why.
    void portLost(const std::string& reason);

    bool isRunning() const { return MSComm1_.PortOpen(); }

  private:
    void showRunning(bool running);
    void followHotKeySwitches();

    SerialPortControl& MSComm1_;
    ReceiveHandler& receiver_;
    const RedirectSettings& settings_;
    const AdvancedOptionsIndicator& indicator_;
    RedirectionView& view_;
    HotKeyService& frmHotKey_;
    NotificationIcon& icon_;
    MessageBoxes& messages_;
};

}  // namespace vantorix
