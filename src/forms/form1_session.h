#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "core/flush_timer.h"
#include "core/receive_handler.h"
#include "forms/form1_logic.h"
#include "forms/form3_logic.h"
#include "forms/help.h"
#include "forms/hot_key_request.h"
#include "forms/hot_key_service.h"
#include "forms/message_boxes.h"
#include "forms/notification_icon.h"
#include "forms/redirection.h"
#include "forms/startup_shortcut.h"
#include "serial/port_watcher.h"
#include "serial/serial_port_control.h"
#include "settings/config_file.h"
#include "typing/keyboard.h"

namespace vantorix {

// The desktop's services the windows work with.
struct DesktopServices {
    Keyboard& keyboard;
    SettingsFile& file;
    HotKeyService& frmHotKey;
    NotificationIcon& icon;
    StartupShortcut& shortcut;
    MessageBoxes& messages;
    // Where the help and the About window's link open.
    UrlOpener& browser;
};

// What the session needs of the main window besides start-up's needs.
class MainWindowView : public Form1View {
  public:
    // Shows the window for the first time, in the state start-up left it in
    // (normal or minimised); a window start-up hid stays hidden.
    virtual void openWindow() = 0;
    // Shows the one About window, made at the first request; its link opens
    // `linkAddress`.
    virtual void showAboutWindow(const std::string& linkAddress) = 0;
    // The program ends: every window closes and the event loop returns.
    virtual void endProgram() = 0;
};

// The program's two windows at work, free of any toolkit: it owns the receive
// path, START and STOP, the start-up and exit of the main window and the
// buttons of the advanced options window, and wires them to the serial port,
// the flush timer, the hot keys and the notification icon. The front end's
// windows only draw the controls and forward the user's actions here.
class Form1Session final : public HelpMenuTarget, private MainWindowLink {
  public:
    // The owner of `Timer1` calls Timer1_Timer at every tick. `portWatcher`
    // tells when a port that went away during redirection may be back.
    Form1Session(RedirectSettings& settings, SerialPortControl& MSComm1, FlushTimer& Timer1,
                 PortWatcher& portWatcher, DesktopServices desktop, MainWindowView& mainWindow,
                 Form3View& advancedWindow);
    ~Form1Session() override;
    Form1Session(const Form1Session&) = delete;
    Form1Session& operator=(const Form1Session&) = delete;

    // Start-up, with `portOverride` in place of the stored port; then the
    // main window is shown unless start-up hid it.
    void Form_Load(const std::string& helpFile, const std::optional<std::string>& portOverride);
    void showAfterLoad();

    // The main window's buttons and events.
    void Command1_Click() { redirection_.Command1_Click(); }
    // STOP; while the program ends it also drops what is left to type.
    void Command_stop_redirect_Click();
    void Command_advanced_options_Click() { form1_.Command_advanced_options_Click(); }
    void Form_Resize(bool minimized) { form1_.Form_Resize(minimized); }
    // The advanced options window's buttons and events.
    Form3Logic& advancedOptions() { return form3_; }

    // The flush timer's tick.
    void Timer1_Timer() { receiver_.Timer1_Timer(); }
    // The hot-key actions: the hot key's string out of the open port.
    void cmd_hotkey_pressed_Click();
    void cmd_hotkey2_pressed_Click();
    // Hot key 1 or 2 asked for from outside the program (--send-hotkey): its
    // action runs as a press would, if the hot key could be pressed now.
    HotKeyRequestAnswer runRequestedHotKey(int hotKey);
    // A double-click on the notification icon: the window in use comes back
    // in normal state, the other one hides.
    void restoreFromIcon();

    // HelpMenuTarget
    void menu_help_contents_Click() override;
    void menu_about_vantorix_Click() override;
    void openHelp() override;

    // Closing either window, or a request to end from outside: what was
    // received and queued is typed first, slice by slice (a record still
    // waiting for its end of line is not), then prepare_for_exit, then the
    // program ends. Asked again while typing, it drops what is left to type
    // and ends at once; the exit's steps run once whatever the way out.
    void exitProgram() override;
    // For ways out after which the event loop does not turn again (the
    // desktop session ending, the application quitting): types what is
    // queued at once, then prepare_for_exit.
    void prepareForExitNow();

    // Which window the icon brings back: 1 the main window, 2 the advanced
    // options window.
    std::int16_t currentWindow() const { return form1_.CURRENT_WINDOW; }
    const std::string& helpFilePath() const { return form1_.helpFilePath; }
    bool isRunning() const { return redirection_.isRunning(); }
    bool isWaitingForPort() const { return redirection_.isWaitingForPort(); }

  private:
    // MainWindowLink
    void setCurrentWindow(std::int16_t window) override { form1_.CURRENT_WINDOW = window; }
    void showAt(WindowPosition topLeft) override { main_.showAt(topLeft); }
    void showAdvancedIndicator() override { main_.showAdvancedIndicator(indicator_); }

    RedirectSettings& settings_;
    SerialPortControl& MSComm1_;
    FlushTimer& Timer1_;
    DesktopServices desktop_;
    MainWindowView& main_;
    Form3View& advanced_;
    AdvancedOptionsIndicator indicator_;
    ReceiveHandler receiver_;
    Redirection redirection_;
    Form1Logic form1_;
    Form3Logic form3_;
    bool ending_ = false;
};

}  // namespace vantorix
