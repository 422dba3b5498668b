#pragma once

#include "forms/form3_logic.h"
#include "forms/help.h"
#include "frontend/win32/program_window.h"
#include "settings/redirect_settings.h"

namespace vantorix::win32 {

// The advanced options window: pre-amble, post-amble, search and replace, the
// end of line and the two hot keys, with lists and code boxes that append
// tokens to the texts. It is created once with the main window and only
// shown and hidden. Its settings controls are bound to the one live settings
// store; the insertion lists and code boxes are aids and are not stored.
class Form3 final : public ProgramWindow<Form3View> {
  public:
    explicit Form3(RedirectSettings& settings);

    // Where the window's buttons and events go, and where its HELP menu and
    // F1 lead; nullptr lets them do nothing.
    void attach(Form3Logic* logic, HelpMenuTarget* help);

  private:
    // AdvancedOptionsWindow
    void presetInsertionLists() override;
    void showSettings() override;
    // Form3View
    std::string shownRow(InsertionList list) const override;
    std::string codeText(CodeBox box) const override;
    void showText(AdvancedText box) override;
    void placeCaret(AdvancedText box, int position) override;
    void giveFocus(AdvancedText box) override;
    // ProgramWindowBase
    void resized(bool minimized) override;
    void closed() override;
    void onControl(const ControlLayout& control, HWND window, WORD notification) override;

    RedirectSettings& settings_;
    Form3Logic* logic_ = nullptr;
};

}  // namespace vantorix::win32
