#pragma once

#include <string>
#include <string_view>

#include "core/receive_handler.h"
#include "forms/hot_key_service.h"
#include "forms/message_boxes.h"
#include "forms/notification_icon.h"
#include "serial/port_return.h"
#include "serial/port_watcher.h"
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

// START REDIRECTION and STOP REDIRECTION. Running means the port is open, or
// that it went away and redirection waits for it to come back. A step whose
// write the port refuses is passed over and the next step runs.
class Redirection {
  public:
    Redirection(SerialPortControl& MSComm1, ReceiveHandler& receiver,
                const RedirectSettings& settings, const AdvancedOptionsIndicator& indicator,
                RedirectionView& view, HotKeyService& frmHotKey, NotificationIcon& icon,
                MessageBoxes& messages, PortWatcher& portWatcher);

    // Opens the chosen port; on success the window turns to the running
    // state, the hot keys follow the advanced options and the tip says so,
    // and line settings or a handshake the port refused are reported. Does
    // nothing while running; a busy or absent port is reported with the
    // system's reason and changes nothing.
    void Command1_Click();
    // Closes the port, or stops waiting for it, and turns the window back to
    // idle. Text already queued for typing is kept.
    void Command_stop_redirect_Click();
    // The port failed while open (an adapter pulled out): what was queued is
    // still typed, a record not finished is dropped, and redirection waits for
    // the same port to come back, then reopens it as START did and carries
    // on. The tip and a passing message of the icon tell the user, who has
    // nothing to answer.
    void portLost(const std::string& reason);

    // For a program that ends: a port coming back is not opened any more.
    void stopWaitingForPort() { portReturn_.cancel(); }

    bool isRunning() const { return MSComm1_.PortOpen() || portReturn_.waiting(); }
    bool isWaitingForPort() const { return portReturn_.waiting(); }

  private:
    void showRunning(bool running);
    void followHotKeySwitches();
    void portBack(const PortOpening& opening);

    SerialPortControl& MSComm1_;
    ReceiveHandler& receiver_;
    const RedirectSettings& settings_;
    const AdvancedOptionsIndicator& indicator_;
    RedirectionView& view_;
    HotKeyService& frmHotKey_;
    NotificationIcon& icon_;
    MessageBoxes& messages_;
    PortReturn portReturn_;
    // From a START that opened the port to STOP: a loss reported after STOP
    // is not one to wait for.
    bool started_ = false;
};

}  // namespace vantorix
