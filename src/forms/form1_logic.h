#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "core/receive_handler.h"
#include "forms/hot_key_service.h"
#include "forms/message_boxes.h"
#include "forms/notification_icon.h"
#include "forms/redirection.h"
#include "forms/startup_shortcut.h"
#include "forms/window_hand_over.h"
#include "settings/config_file.h"

namespace vantorix {

// What start-up and exit need of the main window beyond its controls.
class Form1View : public RedirectionView, public WindowView {
  public:
    // The widgets take the values of the settings store.
    virtual void showSettings() = 0;
    // "Advanced options active" shows the indicator.
    virtual void showAdvancedIndicator(const AdvancedOptionsIndicator& indicator) = 0;
    // Minimises the window; one not shown yet opens minimised.
    virtual void minimizeWindow() = 0;
};

// The services the main window's start-up and exit use.
struct Form1Services {
    SettingsFile& file;
    HotKeyService& frmHotKey;
    NotificationIcon& icon;
    StartupShortcut& shortcut;
    MessageBoxes& messages;
};

// The main window's start-up, minimising and exit, free of any toolkit.
class Form1Logic {
  public:
    Form1Logic(RedirectSettings& settings, AdvancedOptionsIndicator& indicator,
               ReceiveHandler& receiver, Redirection& redirection, Form1View& view,
               AdvancedOptionsWindow& advanced, Form1Services services);

    // Which window the notification icon brings back: 1 the main window,
    // 2 the advanced options window.
    std::int16_t CURRENT_WINDOW = 1;
    std::string helpFilePath;

    // Start-up: defaults, then the file (with `portOverride` in place of the
    // stored port; a file that cannot be used is reported), the
    // advanced-options state, and START with the window minimised when
    // "Start redirection when Vantorix starts" is on.
    void Form_Load(const std::string& helpFile, const std::optional<std::string>& portOverride);
    // A minimised window hides, to come back through the notification icon;
    // with no notification area it stays minimised where the user can reach it.
    void Form_Resize(bool minimized);
    // "Set Advanced Options": the advanced options window takes this window's
    // place, at its top-left corner, and becomes the current window.
    void Command_advanced_options_Click();
    // Releases the hot keys, saves the settings (telling the user when that
    // fails), makes or removes the start-up entry and removes the icon. Runs
    // once; later calls do nothing, so every way out of the program can call
    // it.
    void prepare_for_exit();

  private:
    RedirectSettings& settings_;
    AdvancedOptionsIndicator& indicator_;
    ReceiveHandler& receiver_;
    Redirection& redirection_;
    Form1View& view_;
    AdvancedOptionsWindow& advanced_;
    Form1Services services_;
    bool exitPrepared_ = false;
};

}  // namespace vantorix
