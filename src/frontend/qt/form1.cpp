#include "frontend/qt/form1.h"

#include <type_traits>

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>

#include "forms/layout/form1_layout.h"
#include "frontend/qt/controls.h"
#include "frontend/qt/form2.h"
#include "frontend/qt/layout_renderer.h"
#include "frontend/qt/qt_serial_port_control.h"

namespace vantorix {

FORM1::FORM1(RedirectSettings& settings, UrlOpener& browser)
    : ProgramWindow(kForm1Layout), settings_(settings), browser_(browser) {
    findControls();
    // The devices present, and a stored device path even while its device is away.
    for (const std::string& device : portChoices(presentSerialDevices(), {})) {
        if (Combo_portselect->findText(kSystemText.show(device)) < 0) {
            Combo_portselect->addItem(kSystemText.show(device));
        }
    }
    fitDropDownToRows(*Combo_portselect);
    connectButtons();
    bindControlsToSettings(client(), kForm1Layout, settings_, kSystemText);
}

FORM1::~FORM1() = default;

void FORM1::attach(Form1Session* session) {
    session_ = session;
    setHelpTarget(session);
}

// Each member takes the control of the same name.
#define VANTORIX_FIND(member) \
    member = controlOf<std::remove_pointer_t<decltype(member)>>(client(), #member)

void FORM1::findControls() {
    VANTORIX_FIND(Image1);
    VANTORIX_FIND(Label9);
    VANTORIX_FIND(Label2);
    VANTORIX_FIND(Label4);
    VANTORIX_FIND(Label3);
    VANTORIX_FIND(Label6);
    VANTORIX_FIND(Label1);
    VANTORIX_FIND(Label5);
    VANTORIX_FIND(Label7);
    VANTORIX_FIND(Label10);
    VANTORIX_FIND(Label8);
    VANTORIX_FIND(Combo_portselect);
    VANTORIX_FIND(Combo_baud);
    VANTORIX_FIND(Combo_parity);
    VANTORIX_FIND(Combo_stop);
    VANTORIX_FIND(Combo_length);
    VANTORIX_FIND(Combo_handshake);
    VANTORIX_FIND(Check_ENTER_KEY);
    VANTORIX_FIND(Check_LF_KEY);
    VANTORIX_FIND(Check_startup);
    VANTORIX_FIND(Check_startrun);
    VANTORIX_FIND(Command1);
    VANTORIX_FIND(Command_stop_redirect);
    VANTORIX_FIND(Command_advanced_options);
    VANTORIX_FIND(Option1_advanced_active);
    VANTORIX_FIND(cmd_hotkey_pressed);
    VANTORIX_FIND(cmd_hotkey2_pressed);
    menu_help = findChild<QMenu*>(QStringLiteral("menu_help"));
    menu_help_contents = findChild<QAction*>(QStringLiteral("menu_help_contents"));
    menu_separator1 = findChild<QAction*>(QStringLiteral("menu_separator1"));
    menu_about_vantorix = findChild<QAction*>(QStringLiteral("menu_about_vantorix"));
}

#undef VANTORIX_FIND

void FORM1::connectButtons() {
    // Plain functions rather than member pointers, which the sanitizer build
    // mis-checks.
    const auto onClick = [this](QPushButton* button, void (*handler)(Form1Session&)) {
        connect(button, &QPushButton::clicked, this, [this, handler] {
            if (session_ != nullptr) {
                handler(*session_);
            }
        });
    };
    onClick(Command1, [](Form1Session& session) { session.Command1_Click(); });
    onClick(Command_stop_redirect,
            [](Form1Session& session) { session.Command_stop_redirect_Click(); });
    onClick(Command_advanced_options,
            [](Form1Session& session) { session.Command_advanced_options_Click(); });
    onClick(cmd_hotkey_pressed, [](Form1Session& session) { session.cmd_hotkey_pressed_Click(); });
    onClick(cmd_hotkey2_pressed,
            [](Form1Session& session) { session.cmd_hotkey2_pressed_Click(); });
}

void FORM1::showSettings() {
    // The port list keeps a stored device path even while the device is away.
    const QString port = kSystemText.show(settings_.Combo_portselect);
    if (Combo_portselect->findText(port) < 0 && isDevicePath(settings_.Combo_portselect)) {
        Combo_portselect->addItem(port);
        fitDropDownToRows(*Combo_portselect);
    }
    showSettingsInControls(client(), kForm1Layout, settings_, kSystemText);
}

void FORM1::showAdvancedIndicator(const AdvancedOptionsIndicator& indicator) {
    Option1_advanced_active->setEnabled(indicator.enabled);
    Option1_advanced_active->setChecked(indicator.selected);
}

QWidget* FORM1::widgetFor(RedirectionControl control) const {
    return controlOf<QWidget>(client(), controlName(control));
}

void FORM1::setControlEnabled(RedirectionControl control, bool enabled) {
    widgetFor(control)->setEnabled(enabled);
}

void FORM1::giveFocus(RedirectionControl control) {
    widgetFor(control)->setFocus();
}

void FORM1::minimizeWindow() {
    setWindowState(windowState() | Qt::WindowMinimized);
}

void FORM1::openWindow() {
    if (keptHidden()) {
        return;
    }
    if (isMinimized()) {
        showMinimized();
    } else {
        show();
    }
}

void FORM1::showAboutWindow(const std::string& linkAddress) {
    if (!Form2_) {
        Form2_ = std::make_unique<Form2>(browser_, linkAddress);
    }
    Form2_->show();
    Form2_->raise();
    Form2_->activateWindow();
}

void FORM1::endProgram() {
    // Ends every event loop, an open message box's too.
    QCoreApplication::exit(0);
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

}  // namespace vantorix
