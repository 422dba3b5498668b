#include "frontend/qt/form1.h"

#include <QAbstractItemView>
#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>

#include "core/keystroke_emitter.h"
#include "frontend/qt/form2.h"
#include "forms/hot_key_actions.h"
#include "frontend/qt/caption_button.h"
#include "frontend/qt/controls.h"
#include "frontend/qt/twips.h"
#include "frontend/qt/vantorix_picture.h"

namespace vantorix {
namespace {

QStringList toQStrings(std::span<const std::string> items) {
    QStringList list;
    for (const std::string& item : items) {
        list << QString::fromLocal8Bit(item);
    }
    return list;
}

}  // namespace

FORM1::FORM1(Form1Dependencies dependencies, QWidget* parent)
    : QMainWindow(parent),
      deps_(std::move(dependencies)),
      advancedWindow_(
          {deps_.settings, indicator_, *this, deps_.messages, deps_.notificationAreaAvailable}),
      Timer1([this] { receiver_.Timer1_Timer(); }),
      receiver_(MSComm1, Timer1, deps_.keyboard, deps_.settings, indicator_),
      redirection_(MSComm1, receiver_, deps_.settings, indicator_, *this, deps_.frmHotKey,
                   deps_.icon),
      logic_(deps_.settings, indicator_, receiver_, redirection_, *this, advancedWindow_,
             Form1Services{deps_.file, deps_.frmHotKey, deps_.icon, deps_.shortcut}) {
    setObjectName(QStringLiteral("FORM1"));
    setWindowTitle(QStringLiteral("VANTORIX Serial port to keyboard redirection"));
    setWindowIcon(vantorixIcon());
    createControls();
    createMenu();
    bindSettings();
    MSComm1.OnComm = [this] { receiver_.MSComm1_OnComm(); };
    MSComm1.OnPortLost = [this](const std::string& reason) { redirection_.portLost(reason); };
    Timer1.enable();
    advancedWindow_.setHelpTarget(*this);
}

FORM1::~FORM1() {
    MSComm1.OnPortLost = nullptr;
}

void FORM1::createControls() {
    auto* form = new QWidget(this);
    setCentralWidget(form);
    const QFont listFont = arial(12);
    const QFont buttonFont = arial(9.75);
    const QFont titleFont = arial(14.25, true);

    const auto label = [&](QLabel*& member, const char* name, const char* caption,
                           const QFont& font, int l, int t, int w, int h) {
        member = makeControl<QLabel>(form, name, font);
        member->setText(QString::fromLatin1(caption));
        placeInTwipsAtLeastHint(*member, l, t, w, h);
    };
    label(Label9, "Label9", "VANTORIX", titleFont, 120, 1200, 8655, 375);
    label(Label2, "Label2", "Simple Serial to Keyboard Redirection Program", titleFont, 0, 1560,
          9015, 375);
    Label9->setAlignment(Qt::AlignHCenter);
    Label2->setAlignment(Qt::AlignHCenter);
    label(Label4, "Label4", "SELECT", listFont, 1440, 2400, 945, 270);
    label(Label3, "Label3", "OPTIONS", listFont, 4320, 2400, 1095, 255);
    label(Label6, "Label6", "COMs port.", listFont, 600, 2760, 1200, 270);
    label(Label1, "Label1", "Baud rate", listFont, 600, 3240, 1020, 270);
    label(Label5, "Label5", "Parity", listFont, 600, 3720, 600, 270);
    label(Label7, "Label7", "Stop bits", listFont, 600, 4200, 930, 270);
    label(Label10, "Label10", "Data Length", listFont, 600, 4680, 1275, 270);
    label(Label8, "Label8", "Handshake", listFont, 600, 5160, 1185, 270);

    Image1 = makeControl<QLabel>(form, "Image1", listFont);
    placeInTwips(*Image1, 120, 120, 8655, 1020);
    Image1->setPixmap(vantorixPicture(Image1->size()));

    const auto combo = [&](QComboBox*& member, const char* name, const char* tip,
                           std::span<const std::string> items, int l, int t, int w, int h) {
        member = makeControl<QComboBox>(form, name, listFont);
        member->addItems(toQStrings(items));
        member->setToolTip(QString::fromLatin1(tip));
        placeInTwips(*member, l, t, w, h);
    };
    combo(Combo_portselect, "Combo_portselect",
          "Select the COM port to be used to redirect characters from.",
          portChoices(presentSerialDevices(), {}), 2040, 2760, 1215, 390);
    combo(Combo_baud, "Combo_baud", "Select the Baud rate for the Input Com Port.", baudItems(),
          2040, 3240, 1215, 390);
    combo(Combo_parity, "Combo_parity", "Select the Parity for the Input Com Port.", parityItems(),
          2040, 3720, 1215, 390);
    combo(Combo_stop, "Combo_stop", "Select the number of stop bits for the Input Com Port.",
          stopBitItems(), 2040, 4200, 1215, 390);
    combo(Combo_length, "Combo_length", "Select the data length for the Input Com Port.",
          dataLengthItems(), 2040, 4680, 1215, 390);
    combo(Combo_handshake, "Combo_handshake", "Select the Handshake mode for the Input Com Port.",
          handshakeItems(), 2040, 5160, 1455, 390);
    // Device paths are longer than "COM20"; let the list show them whole.
    Combo_portselect->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    Combo_portselect->view()->setMinimumWidth(Combo_portselect->minimumSizeHint().width());

    const auto check = [&](QCheckBox*& member, const char* name, const char* caption,
                           const char* tip, int l, int t, int w, int h) {
        member = makeControl<QCheckBox>(form, name, listFont);
        member->setText(QString::fromLatin1(caption));
        member->setToolTip(QString::fromLatin1(tip));
        placeInTwipsAtLeastHint(*member, l, t, w, h);
    };
    check(Check_ENTER_KEY, "Check_ENTER_KEY", "Translate CR to ENTER key",
          "Enable this to automatically send the enter key after a carriage return character is "
          "detected.",
          4440, 2760, 3495, 375);
    check(Check_LF_KEY, "Check_LF_KEY", "Translate LF to ENTER key",
          "Enable this to automatically send the enter key after a line feed character is "
          "detected.",
          4440, 3120, 3375, 375);
    check(Check_startup, "Check_startup", "Start Vantorix when computer starts",
          "Enable this to automatically start this program when the computer starts.", 4440, 3720,
          4215, 375);
    check(Check_startrun, "Check_startrun", "Start redirection when Vantorix starts",
          "Enable this to open the selected port and start redirecting as soon as Vantorix "
          "starts.",
          4440, 4080, 4215, 375);

    const auto button = [&](QPushButton*& member, const char* name, const char* caption,
                            const QFont& font, int l, int t, int w, int h) {
        member = makeControl<CaptionButton>(form, name, font);
        member->setText(QString::fromLatin1(caption));
        placeInTwips(*member, l, t, w, h);
    };
    button(Command1, "Command1", "START REDIRECTION", buttonFont, 480, 5880, 1455, 735);
    button(Command_stop_redirect, "Command_stop_redirect", "STOP REDIRECTION", buttonFont, 2160,
           5880, 1455, 735);
    button(Command_advanced_options, "Command_advanced_options", "Set Advanced Options", buttonFont,
           4440, 5880, 1455, 735);
    for (QPushButton* face : {Command1, Command_stop_redirect, Command_advanced_options}) {
        giveLightGreyFace(*face);
    }
    Command_stop_redirect->setEnabled(false);
    connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
    connect(Command_stop_redirect, &QPushButton::clicked, this,
            [this] { Command_stop_redirect_Click(); });
    connect(Command_advanced_options, &QPushButton::clicked, this,
            [this] { logic_.Command_advanced_options_Click(); });

    button(cmd_hotkey_pressed, "cmd_hotkey_pressed", "hotkey1_pressed", buttonFont, 4200, 4560,
           1455, 495);
    button(cmd_hotkey2_pressed, "cmd_hotkey2_pressed", "hotkey2_pressed", buttonFont, 4200, 5040,
           1455, 495);
    cmd_hotkey_pressed->setVisible(false);
    cmd_hotkey2_pressed->setVisible(false);
    connect(cmd_hotkey_pressed, &QPushButton::clicked, this,
            [this] { cmd_hotkey_pressed_Click(); });
    connect(cmd_hotkey2_pressed, &QPushButton::clicked, this,
            [this] { cmd_hotkey2_pressed_Click(); });

    // An indicator only: the user reads it but does not operate it.
    Option1_advanced_active = makeControl<QRadioButton>(form, "Option1_advanced_active", listFont);
    Option1_advanced_active->setText(QStringLiteral("Advanced options active"));
    Option1_advanced_active->setAttribute(Qt::WA_TransparentForMouseEvents);
    Option1_advanced_active->setFocusPolicy(Qt::NoFocus);
    Option1_advanced_active->setEnabled(false);
    placeInTwipsAtLeastHint(*Option1_advanced_active, 6120, 5880, 2535, 375);

    const qreal dpi = logicalDpiX();
    form->setFixedSize(twipsToPixels(9135, dpi), twipsToPixels(6855, dpi));
}

void FORM1::createMenu() {
    const HelpMenu help = addHelpMenu(
        *this, "menu_help", "menu_help_contents", [this] { menu_help_contents_Click(); },
        [this] { menu_about_vantorix_Click(); });
    menu_help = help.menu;
    menu_help_contents = help.contents;
    menu_separator1 = help.menu_separator1;
    menu_about_vantorix = help.menu_about_vantorix;
    installHelpKey(*this, [this] { openHelp(); });
}

void FORM1::menu_help_contents_Click() {
    mySendKeys(deps_.keyboard, "{F1}", true);
}

void FORM1::menu_about_vantorix_Click() {
    if (!Form2_) {
        Form2_ = std::make_unique<Form2>(browser(), helpFileUrl(logic_.helpFilePath));
    }
    Form2_->show();
    Form2_->raise();
    Form2_->activateWindow();
}

void FORM1::openHelp() {
    openHelpFile(browser(), logic_.helpFilePath);
}

UrlOpener& FORM1::browser() {
    static InertUrlOpener none;
    return deps_.browser != nullptr ? *deps_.browser : none;
}

void FORM1::bindSettings() {
    RedirectSettings& s = deps_.settings;
    const auto bindChoice = [this](QComboBox* widget, std::string& field) {
        connect(widget, &QComboBox::currentTextChanged, this,
                [&field](const QString& text) { field = text.toLocal8Bit().toStdString(); });
    };
    bindChoice(Combo_portselect, s.Combo_portselect);
    bindChoice(Combo_baud, s.Combo_baud);
    bindChoice(Combo_parity, s.Combo_parity);
    bindChoice(Combo_stop, s.Combo_stop);
    bindChoice(Combo_length, s.Combo_length);
    bindChoice(Combo_handshake, s.Combo_handshake);
    const auto bindCheck = [this](QCheckBox* widget, int& field) {
        connect(widget, &QCheckBox::toggled, this, [&field](bool on) { field = on ? 1 : 0; });
    };
    bindCheck(Check_ENTER_KEY, s.Check_ENTER_KEY);
    bindCheck(Check_LF_KEY, s.Check_LF_KEY);
    bindCheck(Check_startup, s.Check_startup);
    bindCheck(Check_startrun, s.Check_startrun);
}

void FORM1::showSettings() {
    const RedirectSettings& s = deps_.settings;
    // The port list keeps a stored device path even while the device is away.
    const QString port = QString::fromLocal8Bit(s.Combo_portselect);
    if (Combo_portselect->findText(port) < 0 && isDevicePath(s.Combo_portselect)) {
        Combo_portselect->addItem(port);
    }
    const auto showChoice = [](QComboBox* widget, const std::string& value) {
        const QSignalBlocker blocker(widget);
        widget->setCurrentIndex(widget->findText(QString::fromLocal8Bit(value)));
    };
    showChoice(Combo_portselect, s.Combo_portselect);
    showChoice(Combo_baud, s.Combo_baud);
    showChoice(Combo_parity, s.Combo_parity);
    showChoice(Combo_stop, s.Combo_stop);
    showChoice(Combo_length, s.Combo_length);
    showChoice(Combo_handshake, s.Combo_handshake);
    // Blocked, so a stored value other than 0 or 1 stays as it is until the user clicks.
    const auto showCheck = [](QCheckBox* widget, int value) {
        const QSignalBlocker blocker(widget);
        widget->setChecked(isOn(value));
    };
    showCheck(Check_ENTER_KEY, s.Check_ENTER_KEY);
    showCheck(Check_LF_KEY, s.Check_LF_KEY);
    showCheck(Check_startup, s.Check_startup);
    showCheck(Check_startrun, s.Check_startrun);
}

void FORM1::showAdvancedIndicator() {
    Option1_advanced_active->setEnabled(indicator_.enabled);
    Option1_advanced_active->setChecked(indicator_.selected);
}

QWidget* FORM1::widgetFor(RedirectionControl control) const {
    switch (control) {
        case RedirectionControl::Command1:
            return Command1;
        case RedirectionControl::Command_stop_redirect:
            return Command_stop_redirect;
        case RedirectionControl::Combo_portselect:
            return Combo_portselect;
        case RedirectionControl::Combo_baud:
            return Combo_baud;
        case RedirectionControl::Combo_parity:
            return Combo_parity;
        case RedirectionControl::Combo_stop:
            return Combo_stop;
        case RedirectionControl::Combo_length:
            return Combo_length;
        case RedirectionControl::Combo_handshake:
            return Combo_handshake;
        case RedirectionControl::Command_advanced_options:
            return Command_advanced_options;
        case RedirectionControl::Check_ENTER_KEY:
            return Check_ENTER_KEY;
    }
    return nullptr;
}

void FORM1::setControlEnabled(RedirectionControl control, bool enabled) {
    widgetFor(control)->setEnabled(enabled);
}

void FORM1::giveFocus(RedirectionControl control) {
    widgetFor(control)->setFocus();
}

void FORM1::showExclamation(const std::string& text, const std::string& title) {
    deps_.messages.exclamation(text, title);
}

void FORM1::minimizeWindow() {
    minimizedAtStart_ = true;
    setWindowState(windowState() | Qt::WindowMinimized);
    logic_.Form_Resize(true, deps_.notificationAreaAvailable());
}

void FORM1::hideWindow() {
    keepHidden_ = true;
    // Queued: a window being minimised is shown again once the state change
    // is through, which would undo a hide done right now.
    QMetaObject::invokeMethod(
        this,
        [this] {
            if (keepHidden_) {
                QMainWindow::hide();
            }
        },
        Qt::QueuedConnection);
}

WindowPosition FORM1::position() const {
    return {x(), y()};
}

void FORM1::setCurrentWindow(std::int16_t window) {
    logic_.CURRENT_WINDOW = window;
}

void FORM1::cmd_hotkey_pressed_Click() {
    sendHotKeyString(MSComm1, deps_.settings.Text_hotkey1);
}

void FORM1::cmd_hotkey2_pressed_Click() {
    sendHotKeyString(MSComm1, deps_.settings.Text_hotkey2);
}

void FORM1::restoreFromIcon() {
    setWindowState(windowState() & ~(Qt::WindowMinimized | Qt::WindowMaximized));
    advancedWindow_.setWindowState(advancedWindow_.windowState() &
                                   ~(Qt::WindowMinimized | Qt::WindowMaximized));
    if (logic_.CURRENT_WINDOW == 1) {
        // Cancels a hide still queued from minimising.
        keepHidden_ = false;
        show();
        raise();
        activateWindow();
        advancedWindow_.hide();
    } else {
        QMainWindow::hide();
        // showAt also cancels the advanced window's queued hide.
        advancedWindow_.showAt({advancedWindow_.x(), advancedWindow_.y()});
    }
}

void FORM1::showAt(WindowPosition topLeft) {
    keepHidden_ = false;
    setWindowState(windowState() & ~Qt::WindowMinimized);
    move(topLeft.left, topLeft.top);
    show();
    raise();
    activateWindow();
}

void FORM1::Form_Load(const std::string& helpFile, const std::optional<std::string>& portOverride) {
    logic_.Form_Load(helpFile, portOverride);
}

void FORM1::showAfterLoad() {
    if (keepHidden_) {
        return;
    }
    if (minimizedAtStart_) {
        showMinimized();
    } else {
        show();
    }
}

void FORM1::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange && isVisible()) {
        logic_.Form_Resize(isMinimized(), deps_.notificationAreaAvailable());
    }
}

void FORM1::closeEvent(QCloseEvent* event) {
    event->accept();
    exitProgram();
}

void FORM1::exitProgram() {
    if (exiting_) {
        return;
    }
    exiting_ = true;
    logic_.prepare_for_exit();
    QCoreApplication::quit();
}

}  // namespace vantorix
