#pragma once

#include <memory>
#include <string>

#include "forms/form1_session.h"
#include "forms/help.h"
#include "frontend/win32/program_window.h"
#include "settings/redirect_settings.h"

namespace vantorix::win32 {

class Form2;

// The main window: the serial line settings, START and STOP REDIRECTION, the
// translation and start-up switches. Its controls are bound to the one live
// settings store: a change in a control is in the store at once. What its
// buttons and events do is the session's.
class FORM1 final : public ProgramWindow<MainWindowView> {
  public:
    // `browser` opens the About window's link.
    FORM1(RedirectSettings& settings, UrlOpener& browser);
    ~FORM1() override;

    // Where the window's buttons and events go; nullptr lets them do nothing.
    void attach(Form1Session* session);

    // The About window once it has been asked for; null before.
    Form2* aboutWindow() const { return Form2_.get(); }

  private:
    // RedirectionView
    void setControlEnabled(RedirectionControl control, bool enabled) override;
    void giveFocus(RedirectionControl control) override;
    // Form1View
    void showSettings() override;
    void showAdvancedIndicator(const AdvancedOptionsIndicator& indicator) override;
    void minimizeWindow() override;
    // MainWindowView
    void openWindow() override;
    void showAboutWindow(const std::string& linkAddress) override;
    void endProgram() override;
    // ProgramWindowBase
    void resized(bool minimized) override;
    void closed() override;
    void onControl(const ControlLayout& control, HWND window, WORD notification) override;

    void listPort(const std::string& port);

    RedirectSettings& settings_;
    UrlOpener& browser_;
    Form1Session* session_ = nullptr;
    std::unique_ptr<Form2> Form2_;
    // Minimised before it was first shown: it opens minimised.
    bool opensMinimized_ = false;
};

}  // namespace vantorix::win32
