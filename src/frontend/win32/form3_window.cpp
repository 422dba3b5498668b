#include "frontend/win32/form3_window.h"

#include <array>

#include "forms/layout/form3_layout.h"
#include "frontend/win32/settings_binding.h"
#include "platform/win32/wide_text.h"

namespace vantorix::win32 {
namespace {

struct ButtonHandler {
    std::string_view name;
    void (Form3Logic::*handler)();
};

constexpr std::array<ButtonHandler, 10> kButtons = {{
    {"Command_advanced_options_OK", &Form3Logic::Command_advanced_options_OK_Click},
    {"Command1", &Form3Logic::Command1_Click},
    {"Command2", &Form3Logic::Command2_Click},
    {"Command3", &Form3Logic::Command3_Click},
    {"Command4", &Form3Logic::Command4_Click},
    {"Command5", &Form3Logic::Command5_Click},
    {"Command6", &Form3Logic::Command6_Click},
    {"Command7", &Form3Logic::Command7_Click},
    {"Command8", &Form3Logic::Command8_Click},
    {"Command9", &Form3Logic::Command9_Click},
}};

}  // namespace

Form3::Form3(RedirectSettings& settings) : ProgramWindow(kForm3Layout), settings_(settings) {
    // Where the focus is when the window is shown for the first time.
    setFirstFocus(control("Text_searchfor"));
}

void Form3::attach(Form3Logic* logic, HelpMenuTarget* help) {
    logic_ = logic;
    setHelpTarget(help);
}

void Form3::onControl(const ControlLayout& c, HWND window, WORD notification) {
    storeChange(c, window, notification, settings_);
    if (c.kind != ControlKind::Button || notification != BN_CLICKED || logic_ == nullptr) {
        return;
    }
    for (const ButtonHandler& button : kButtons) {
        if (button.name == c.name) {
            (logic_->*button.handler)();
        }
    }
}

void Form3::presetInsertionLists() {
    showRow(control("Combo_addpreamble"), "Enter");
    showRow(control("Combo_addpostamble"), "Enter");
    showRow(control("Combo_replacewith"), "Enter");
    showRow(control("Combo_searchfor"), "CR");
}

void Form3::showSettings() {
    showSettingsInControls(controls(), kForm3Layout, settings_);
}

std::string Form3::shownRow(InsertionList list) const {
    return win32::shownRow(control(controlName(list)));
}

std::string Form3::codeText(CodeBox box) const {
    return controlText(control(controlName(box)));
}

void Form3::showText(AdvancedText box) {
    SetWindowTextW(control(controlName(box)), widen(advancedText(settings_, box)).c_str());
}

void Form3::placeCaret(AdvancedText box, int position) {
    const HWND text = control(controlName(box));
    SetFocus(text);
    // The system puts a caret beyond the text at its end.
    SendMessageW(text, EM_SETSEL, static_cast<WPARAM>(position), position);
}

void Form3::giveFocus(AdvancedText box) {
    SetFocus(control(controlName(box)));
}

void Form3::resized(bool minimized) {
    if (logic_ != nullptr) {
        logic_->Form_Resize(minimized);
    }
}

void Form3::closed() {
    if (logic_ != nullptr) {
        logic_->Form_Unload();
    }
}

}  // namespace vantorix::win32
