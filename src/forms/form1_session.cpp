#include "forms/form1_session.h"

#include "core/keystroke_emitter.h"
#include "forms/hot_key_actions.h"

namespace vantorix {

Form1Session::Form1Session(RedirectSettings& settings, SerialPortControl& MSComm1,
                           FlushTimer& Timer1, PortWatcher& portWatcher, DesktopServices desktop,
                           MainWindowView& mainWindow, Form3View& advancedWindow)
    : settings_(settings),
      MSComm1_(MSComm1),
      Timer1_(Timer1),
      desktop_(desktop),
      main_(mainWindow),
      advanced_(advancedWindow),
      receiver_(MSComm1, Timer1, desktop.keyboard, settings, indicator_),
      redirection_(MSComm1, receiver_, settings, indicator_, mainWindow, desktop.frmHotKey,
                   desktop.icon, desktop.messages, portWatcher),
      form1_(settings, indicator_, receiver_, redirection_, mainWindow, advancedWindow,
             Form1Services{desktop.file, desktop.frmHotKey, desktop.icon, desktop.shortcut,
                           desktop.messages}),
      form3_(settings, indicator_, advancedWindow, *this, desktop.messages, desktop.icon) {
    MSComm1_.OnComm = [this] { receiver_.MSComm1_OnComm(); };
    MSComm1_.OnPortLost = [this](const std::string& reason) { redirection_.portLost(reason); };
    desktop_.frmHotKey.setActions([this] { cmd_hotkey_pressed_Click(); },
                                  [this] { cmd_hotkey2_pressed_Click(); });
    desktop_.icon.onDoubleClick = [this] { restoreFromIcon(); };
    Timer1_.enable();
}

Form1Session::~Form1Session() {
    MSComm1_.OnComm = nullptr;
    MSComm1_.OnPortLost = nullptr;
    desktop_.frmHotKey.setActions(nullptr, nullptr);
    desktop_.icon.onDoubleClick = nullptr;
}

void Form1Session::Form_Load(const std::string& helpFile,
                             const std::optional<std::string>& portOverride) {
    form1_.Form_Load(helpFile, portOverride);
}

void Form1Session::cmd_hotkey_pressed_Click() {
    sendHotKeyString(MSComm1_, settings_.Text_hotkey1);
}

HotKeyRequestAnswer Form1Session::runRequestedHotKey(int hotKey) {
    const HotKeyRequestAnswer answer =
        decideHotKeyRequest(isRunning(), desktop_.frmHotKey.isHotKeyRegistered(hotKey));
    if (answer == HotKeyRequestAnswer::Ran) {
        if (hotKey == 1) {
            cmd_hotkey_pressed_Click();
        } else {
            cmd_hotkey2_pressed_Click();
        }
    }
    return answer;
}

void Form1Session::cmd_hotkey2_pressed_Click() {
    sendHotKeyString(MSComm1_, settings_.Text_hotkey2);
}

void Form1Session::restoreFromIcon() {
    main_.setNormalState();
    advanced_.setNormalState();
    if (form1_.CURRENT_WINDOW == 1) {
        main_.showWindow();
        advanced_.hideWindow();
    } else {
        main_.hideWindow();
        advanced_.showWindow();
    }
}

void Form1Session::menu_help_contents_Click() {
    mySendKeys(desktop_.keyboard, "{F1}", true);
}

void Form1Session::menu_about_vantorix_Click() {
    main_.showAboutWindow(form1_.helpFilePath);
}

void Form1Session::openHelp() {
    desktop_.browser.openUrl(form1_.helpFilePath);
}

void Form1Session::showAfterLoad() {
    if (!ending_) {
        main_.openWindow();
    }
}

void Form1Session::Command_stop_redirect_Click() {
    redirection_.Command_stop_redirect_Click();
    if (ending_) {
        receiver_.dropUntypedText();
    }
}

void Form1Session::exitProgram() {
    if (ending_) {
        receiver_.dropUntypedText();
        return;
    }
    ending_ = true;
    redirection_.stopWaitingForPort();
    receiver_.finishTyping([this] {
        form1_.prepare_for_exit();
        main_.endProgram();
    });
}

// Typed here slice after slice, as the timer would; should the keyboard be
// busy further up the stack (a slice from which this was reached), what it
// has not typed yet is left.
void Form1Session::prepareForExitNow() {
    redirection_.stopWaitingForPort();
    const auto untyped = [this] {
        return receiver_.queuedKeys().size() + receiver_.keysBeingTyped().size();
    };
    for (std::size_t left = untyped(); left > 0;) {
        receiver_.Timer1_Timer();
        const std::size_t now = untyped();
        if (now >= left) {
            break;
        }
        left = now;
    }
    form1_.prepare_for_exit();
}

}  // namespace vantorix
