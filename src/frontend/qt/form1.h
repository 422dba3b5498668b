#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include <QMainWindow>

#include "frontend/qt/qt_flush_timer.h"
#include "typing/keyboard.h"
#include "core/receive_handler.h"
#include "frontend/qt/help.h"
#include "frontend/qt/qt_serial_port_control.h"
#include "forms/redirection.h"
#include "frontend/qt/form3.h"
#include "forms/form1_logic.h"
#include "frontend/qt/message_boxes.h"

class QAction;
class QCheckBox;
class QComboBox;
class QLabel;
class QMenu;
class QPushButton;
class QRadioButton;

namespace vantorix {

class Form2;

struct Form1Dependencies {
    RedirectSettings& settings;
    Keyboard& keyboard;
    SettingsFile& file;
    HotKeyService& frmHotKey;
    NotificationIcon& icon;
    StartupShortcut& shortcut;
    MessageBoxes& messages;
    // Whether the desktop has a notification area to hide a minimised window in.
    std::function<bool()> notificationAreaAvailable;
    // Where the help and the About window's link open; none opens nothing.
    UrlOpener* browser = nullptr;
};

// The main window: the serial line settings, START and STOP REDIRECTION, the
// translation and start-up switches. Its widgets are bound to the one live
// settings store: a change in a widget is in the store at once. It owns the
// advanced options window, which takes its place while the user works there.
class FORM1 final : public QMainWindow,
                    private RedirectionView,
                    private Form1View,
                    private MainWindowLink,
                    private HelpMenuTarget {
  public:
    explicit FORM1(Form1Dependencies dependencies, QWidget* parent = nullptr);
    ~FORM1() override;

    // Start-up; then showAfterLoad() shows the window unless start-up hid it.
    void Form_Load(const std::string& helpFile, const std::optional<std::string>& portOverride);
    void showAfterLoad();
    // The orderly way out: prepare_for_exit, then the program ends.
    void exitProgram() override;

    void Command1_Click() { redirection_.Command1_Click(); }
    void Command_stop_redirect_Click() { redirection_.Command_stop_redirect_Click(); }

    // The hot-key actions: send the hot key's string out of the open port.
    void cmd_hotkey_pressed_Click();
    void cmd_hotkey2_pressed_Click();
    // A double-click on the notification-area icon: the window in use comes
    // back in normal state, the other one hides.
    void restoreFromIcon();

    Form1Logic& logic() { return logic_; }
    Form3& advancedWindow() { return advancedWindow_; }
    ReceiveHandler& receiver() { return receiver_; }

    // "HELP Contents and Index": F1 typed into the window in use, which then
    // opens the help as if the user had pressed it.
    void menu_help_contents_Click() override;
    // "About VANTORIX": the one About window, made at the first request.
    void menu_about_vantorix_Click() override;
    // F1: the help file in the user's browser.
    void openHelp() override;
    // The About window once it has been asked for; null before.
    Form2* aboutWindow() const { return Form2_.get(); }

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
    QLabel* Image1 = nullptr;
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

  protected:
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    // RedirectionView
    void setControlEnabled(RedirectionControl control, bool enabled) override;
    void giveFocus(RedirectionControl control) override;
    void showExclamation(const std::string& text, const std::string& title) override;
    // Form1View
    void showSettings() override;
    void showAdvancedIndicator() override;  // and MainWindowLink
    void minimizeWindow() override;
    void hideWindow() override;
    WindowPosition position() const override;
    // MainWindowLink
    void setCurrentWindow(std::int16_t window) override;
    void showAt(WindowPosition topLeft) override;

    void createControls();
    void createMenu();
    void bindSettings();
    QWidget* widgetFor(RedirectionControl control) const;

    Form1Dependencies deps_;
    AdvancedOptionsIndicator indicator_;
    Form3 advancedWindow_;
    QtSerialPortControl MSComm1;
    QtFlushTimer Timer1;
    ReceiveHandler receiver_;
    Redirection redirection_;
    Form1Logic logic_;
    bool keepHidden_ = false;
    bool minimizedAtStart_ = false;
    bool exiting_ = false;
    UrlOpener& browser();
    std::unique_ptr<Form2> Form2_;
};

}  // namespace vantorix
