#include "frontend/win32/form1_window.h"

#include <array>

#include "forms/layout/form1_layout.h"
#include "frontend/win32/form2_window.h"
#include "frontend/win32/settings_binding.h"
#include "platform/win32/port_names.h"
#include "platform/win32/wide_text.h"

namespace vantorix::win32 {
namespace {

struct ButtonHandler {
    std::string_view name;
    void (Form1Session::*handler)();
};

constexpr std::array<ButtonHandler, 5> kButtons = {{
    {"Command1", &Form1Session::Command1_Click},
    {"Command_stop_redirect", &Form1Session::Command_stop_redirect_Click},
    {"Command_advanced_options", &Form1Session::Command_advanced_options_Click},
    {"cmd_hotkey_pressed", &Form1Session::cmd_hotkey_pressed_Click},
    {"cmd_hotkey2_pressed", &Form1Session::cmd_hotkey2_pressed_Click},
}};

}  // namespace

FORM1::FORM1(RedirectSettings& settings, UrlOpener& browser)
    : ProgramWindow(kForm1Layout), settings_(settings), browser_(browser) {
    for (const std::string& port : presentSerialPorts()) {
        listPort(port);
    }
}

FORM1::~FORM1() = default;

void FORM1::attach(Form1Session* session) {
    session_ = session;
    setHelpTarget(session);
}

void FORM1::listPort(const std::string& port) {
    const HWND list = control("Combo_portselect");
    const std::wstring name = widen(port);
    if (SendMessageW(list, CB_FINDSTRINGEXACT, WPARAM(-1),
                     reinterpret_cast<LPARAM>(name.c_str())) == CB_ERR) {
        SendMessageW(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
    }
}

void FORM1::onControl(const ControlLayout& c, HWND window, WORD notification) {
    storeChange(c, window, notification, settings_);
    if (c.kind != ControlKind::Button || notification != BN_CLICKED || session_ == nullptr) {
        return;
    }
    for (const ButtonHandler& button : kButtons) {
        if (button.name == c.name) {
            (session_->*button.handler)();
        }
    }
}

void FORM1::showSettings() {
    // The list keeps a stored port that is not present now, such as an
    // adapter that is not plugged in.
    if (!settings_.Combo_portselect.empty()) {
        listPort(settings_.Combo_portselect);
    }
    showSettingsInControls(controls(), kForm1Layout, settings_);
}

void FORM1::showAdvancedIndicator(const AdvancedOptionsIndicator& indicator) {
    const HWND option = control("Option1_advanced_active");
    EnableWindow(option, indicator.enabled ? TRUE : FALSE);
    SendMessageW(option, BM_SETCHECK, indicator.selected ? BST_CHECKED : BST_UNCHECKED, 0);
}

void FORM1::setControlEnabled(RedirectionControl c, bool enabled) {
    enableControl(control(controlName(c)), enabled);
}

void FORM1::giveFocus(RedirectionControl c) {
    SetFocus(control(controlName(c)));
}

void FORM1::minimizeWindow() {
    if (IsWindowVisible(handle())) {
        ShowWindow(handle(), SW_MINIMIZE);
    } else {
        opensMinimized_ = true;
    }
}

void FORM1::openWindow() {
    if (keptHidden()) {
        return;
    }
    if (opensMinimized_) {
        ShowWindow(handle(), SW_SHOWMINNOACTIVE);
    } else {
        showInFront();
    }
}

void FORM1::showAboutWindow(const std::string& linkAddress) {
    if (!Form2_) {
        Form2_ = std::make_unique<Form2>(browser_, linkAddress);
    }
    Form2_->show();
}

void FORM1::endProgram() {
    PostQuitMessage(0);
}

void FORM1::resized(bool minimized) {
    if (session_ != nullptr) {
        session_->Form_Resize(minimized);
    }
}

void FORM1::closed() {
    if (session_ != nullptr) {
        session_->exitProgram();
    }
}

}  // namespace vantorix::win32
