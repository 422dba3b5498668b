#pragma once

#include <memory>
#include <string>

#include "forms/form1_session.h"
#include "forms/help.h"
#include "frontend/qt/program_window.h"
#include "settings/redirect_settings.h"

class QAction;
class QCheckBox;
class QComboBox;
class QLabel;
class QMenu;
class QPushButton;
class QRadioButton;

namespace vantorix {

class Form2;

// The main window: the serial line settings, START and STOP REDIRECTION, the
// translation and start-up switches. Its widgets are bound to the one live
// settings store: a change in a widget is in the store at once. What its
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

    QLabel* Image1 = nullptr;
    QLabel* Label9 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label4 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label6 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label5 = nullptr;
    QLabel* Label7 = nullptr;
    QLabel* Label10 = nullptr;
    QLabel* Label8 = nullptr;
    QComboBox* Combo_portselect = nullptr;
    QComboBox* Combo_baud = nullptr;
    QComboBox* Combo_parity = nullptr;
    QComboBox* Combo_stop = nullptr;
    QComboBox* Combo_length = nullptr;
    QComboBox* Combo_handshake = nullptr;
    QCheckBox* Check_ENTER_KEY = nullptr;
    QCheckBox* Check_LF_KEY = nullptr;
    QCheckBox* Check_startup = nullptr;
    QCheckBox* Check_startrun = nullptr;
    QPushButton* Command1 = nullptr;
    QPushButton* Command_stop_redirect = nullptr;
    QPushButton* Command_advanced_options = nullptr;
    QRadioButton* Option1_advanced_active = nullptr;
    QPushButton* cmd_hotkey_pressed = nullptr;
    QPushButton* cmd_hotkey2_pressed = nullptr;
    QMenu* menu_help = nullptr;
    QAction* menu_help_contents = nullptr;
    QAction* menu_separator1 = nullptr;
    QAction* menu_about_vantorix = nullptr;

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

    void findControls();
    void connectButtons();
    QWidget* widgetFor(RedirectionControl control) const;

    RedirectSettings& settings_;
    UrlOpener& browser_;
    Form1Session* session_ = nullptr;
    std::unique_ptr<Form2> Form2_;
};

}  // namespace vantorix
