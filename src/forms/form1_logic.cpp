#include "forms/form1_logic.h"

namespace vantorix {

Form1Logic::Form1Logic(RedirectSettings& settings, AdvancedOptionsIndicator& indicator,
                       ReceiveHandler& receiver, Redirection& redirection, Form1View& view,
                       AdvancedOptionsWindow& advanced, Form1Services services)
    : settings_(settings),
      indicator_(indicator),
      receiver_(receiver),
      redirection_(redirection),
      view_(view),
      advanced_(advanced),
      services_(services) {}

void Form1Logic::Form_Load(const std::string& helpFile,
                           const std::optional<std::string>& portOverride) {
    helpFilePath = helpFile;
    CURRENT_WINDOW = 1;
    indicator_.show(false);
    view_.showAdvancedIndicator(indicator_);

    advanced_.presetInsertionLists();
    const RedirectSettings defaults;
    settings_.Combo_EOL = defaults.Combo_EOL;
    settings_.Combo_hotkey1 = hotKeyItems()[0];
    settings_.Combo_hotkey2 = hotKeyItems()[1];
    settings_.Combo_portselect = defaults.Combo_portselect;
    settings_.Combo_baud = defaults.Combo_baud;
    settings_.Combo_parity = defaults.Combo_parity;
    settings_.Combo_stop = defaults.Combo_stop;
    settings_.Combo_handshake = defaults.Combo_handshake;
    settings_.Combo_length = defaults.Combo_length;
    settings_.Check_startrun = 0;

    receiver_.clearReceived();
    services_.icon.place(kIdleTip);

    if (const SettingsFileResult loaded = services_.file.load(settings_); !loaded) {
        services_.messages.exclamation(loaded.problem, kApplicationTitle);
    }
    if (portOverride) {
        settings_.Combo_portselect = *portOverride;
    }
    view_.showSettings();
    advanced_.showSettings();

    indicator_.update(settings_);
    view_.showAdvancedIndicator(indicator_);

    if (isOn(settings_.Check_startrun)) {
        redirection_.Command1_Click();
        view_.minimizeWindow();
        // Whether or not the toolkit reports the change of a window not yet
        // shown, a minimised window hides where the icon can bring it back.
        Form_Resize(true);
    }
}

void Form1Logic::Form_Resize(bool minimized) {
    if (minimized && services_.icon.restoresWindows()) {
        view_.hideWindow();
    }
}

void Form1Logic::Command_advanced_options_Click() {
    CURRENT_WINDOW = 2;
    advanced_.showAt(view_.position());
    view_.hideWindow();
}

void Form1Logic::prepare_for_exit() {
    if (exitPrepared_) {
        return;
    }
    exitPrepared_ = true;
    if (services_.frmHotKey.isRegistered()) {
        services_.frmHotKey.cmdUnregisterHotKey_Click();
    }
    if (const SettingsFileResult saved = services_.file.save(settings_); !saved) {
        services_.messages.exclamation(saved.problem, kApplicationTitle);
    }
    if (isOn(settings_.Check_startup)) {
        services_.shortcut.Create_startup_link();
    } else {
        services_.shortcut.Delete_startup_link();
    }
    services_.icon.remove();
}

}  // namespace vantorix
