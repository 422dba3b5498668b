#include "frontend/qt/form3.h"

#include <iterator>
#include <span>

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>

#include "forms/layout/insertion_tables.h"
#include "frontend/qt/windows1252_text.h"
#include "frontend/qt/controls.h"
#include "frontend/qt/twips.h"
#include "frontend/qt/vantorix_picture.h"

namespace vantorix {
namespace {

// At most three characters: a code from 0 to 255.
constexpr int kCodeBoxLength = 3;

QStringList toQStrings(std::span<const std::string> items) {
    QStringList list;
    for (const std::string& item : items) {
        list << fromWindows1252(item);
    }
    return list;
}

std::string storedText(const QString& text) {
    return toWindows1252(text).value_or(std::string());
}

}  // namespace

Form3::Form3(Form3Dependencies dependencies, QWidget* parent)
    : QMainWindow(parent),
      deps_(std::move(dependencies)),
      logic_(deps_.settings, deps_.indicator, *this, deps_.mainWindow) {
    setObjectName(QStringLiteral("Form3"));
    setWindowTitle(QStringLiteral("VANTORIX Serial port to keyboard redirection"));
    setWindowIcon(vantorixIcon());
    createControls();
    createMenu();
    setFocusOrder();
    connectButtons();
    bindSettings();
}

void Form3::createControls() {
    auto* form = new QWidget(this);
    setCentralWidget(form);
    const QFont labelFont = arial(12);
    const QFont boxFont = arial(8.25);
    const QFont titleFont = arial(14.25, true);

    Image1 = makeControl<QLabel>(form, "Image1", labelFont);
    placeInTwips(*Image1, 120, 0, 9000, 1140);
    Image1->setPixmap(vantorixPicture(Image1->size()));

    const auto label = [&](QLabel*& member, const char* name, const char* caption,
                           const QFont& font, int l, int t, int w, int h) {
        member = makeControl<QLabel>(form, name, font);
        member->setText(QString::fromLatin1(caption));
        placeInTwipsAtLeastHint(*member, l, t, w, h);
    };
    label(Label9, "Label9", "VANTORIX Advanced options screen", titleFont, 120, 1200, 8655, 375);
    Label9->setAlignment(Qt::AlignHCenter);
    label(Label5, "Label5", "End of Line Character in input string", labelFont, 600, 1560, 4095,
          375);
    label(Label3, "Label3", "Pre-amble", labelFont, 600, 2040, 2655, 255);
    label(Label4, "Label4", "Post-amble", labelFont, 3840, 2040, 2655, 255);
    label(Label1, "Label1", "Search for input string", labelFont, 600, 3360, 3495, 495);
    label(Label2, "Label2", "Replace with", labelFont, 3840, 3360, 2295, 495);
    label(Label6, "Label6", "Enable Option", labelFont, 6960, 2280, 1575, 375);
    label(Label7, "Label7", "Hotkey 1", labelFont, 600, 5160, 1335, 375);
    label(Label10, "Label10", "Hotkey 1 Output string", labelFont, 2160, 5160, 2655, 375);
    label(Label8, "Label8", "Hotkey 2", labelFont, 600, 6120, 1335, 375);
    label(Label11, "Label11", "Hotkey 2 Output string", labelFont, 2160, 6120, 2655, 375);

    // Drop-down lists only: the user picks a row and never types one.
    const auto combo = [&](QComboBox*& member, const char* name, const char* tip,
                           std::span<const std::string> items, int l, int t, int w, int h) {
        member = makeControl<QComboBox>(form, name, boxFont);
        member->addItems(toQStrings(items));
        member->setCurrentIndex(-1);
        member->setToolTip(QString::fromLatin1(tip));
        placeInTwips(*member, l, t, w, h);
    };
    const char* specialKeyTip = "Add a special keyboard key character if required.";
    const char* characterTip = "Add a special input character value if required.";
    const char* hotKeyTip = "Select a hotkey to be used to trigger an output to the COM port.";
    combo(Combo_EOL, "Combo_EOL",
          "Select the input character used to signify the end of the input string.",
          endOfLineItems(), 4440, 1560, 1455, 330);
    combo(Combo_addpreamble, "Combo_addpreamble", specialKeyTip, specialKeyItems(), 2040, 2880,
          1215, 330);
    combo(Combo_addpostamble, "Combo_addpostamble", specialKeyTip, specialKeyItems(), 5280, 2880,
          1215, 330);
    combo(Combo_searchfor, "Combo_searchfor", characterTip, searchCharacterItems(), 2040, 4200,
          1215, 330);
    combo(Combo_replacewith, "Combo_replacewith", specialKeyTip, specialKeyItems(), 5280, 4200,
          1215, 330);
    combo(Combo_hotkey1, "Combo_hotkey1", hotKeyTip, hotKeyItems(), 600, 5520, 1455, 330);
    combo(Combo_hotkey_ascii_add, "Combo_hotkey_ascii_add", characterTip, hotKeyCharacterItems(),
          6360, 5400, 1215, 330);
    combo(Combo_hotkey2, "Combo_hotkey2", hotKeyTip, hotKeyItems(), 600, 6480, 1455, 330);
    combo(Combo_hotkey_ascii_add2, "Combo_hotkey_ascii_add2", characterTip, hotKeyCharacterItems(),
          6360, 6360, 1215, 330);

    const auto text = [&](QLineEdit*& member, const char* name, const char* tip, int l, int t,
                          int w, int h) {
        member = makeControl<QLineEdit>(form, name, boxFont);
        member->setValidator(new Windows1252Validator(member));
        member->setToolTip(QString::fromLatin1(tip));
        placeInTwips(*member, l, t, w, h);
    };
    const char* hotKeyTextTip =
        "Enter an output string to be assocaited with the hot key. This is sent out through the "
        "COM port.";
    const char* codeTip = "Enter an ascii decimal code if required.";
    text(Text_preamble, "Text_preamble", "Enter a Pre-amble string if required.", 600, 2400, 2655,
         375);
    text(Text_postamble, "Text_postamble", "Enter a Post-amble string if required.", 3840, 2400,
         2655, 375);
    text(Text_searchfor, "Text_searchfor", "Enter a search string to find and replace if required.",
         600, 3720, 2655, 375);
    text(Text_searchfor_user_defined, "Text_searchfor_user_defined", codeTip, 2040, 4620, 615, 315);
    text(Text_replacewith, "Text_replacewith", "Enter a string to replace the search string found.",
         3840, 3720, 2655, 375);
    text(Text_hotkey1, "Text_hotkey1", hotKeyTextTip, 2160, 5520, 2655, 375);
    text(Text_hotkey1_addascii, "Text_hotkey1_addascii", codeTip, 6360, 5820, 615, 315);
    text(Text_hotkey2, "Text_hotkey2", hotKeyTextTip, 2160, 6480, 2655, 375);
    text(Text_hotkey2_addascii, "Text_hotkey2_addascii", codeTip, 6360, 6780, 615, 315);
    for (QLineEdit* codeBox :
         {Text_searchfor_user_defined, Text_hotkey1_addascii, Text_hotkey2_addascii}) {
        codeBox->setMaxLength(kCodeBoxLength);
    }

    const auto check = [&](QCheckBox*& member, const char* name, const char* caption,
                           const char* tip, int l, int t, int w, int h) {
        member = makeControl<QCheckBox>(form, name, labelFont);
        member->setText(QString::fromLatin1(caption));
        member->setToolTip(QString::fromLatin1(tip));
        placeInTwipsAtLeastHint(*member, l, t, w, h);
    };
    check(Check_preamble, "Check_preamble", "Pre-amble",
          "Enable this to send the Pre-amble text before transfering the received data.", 6960,
          2760, 1455, 375);
    check(Check_postamble, "Check_postamble", "Post-amble",
          "Enable this to send the Post-amble text after transfering the received data.", 6960,
          3120, 1935, 375);
    check(Check_replacestring, "Check_replacestring", "Replace String",
          "Enable this to find and replace a selected string from the input data", 6960, 3480, 1935,
          375);
    check(Check_enablehotkey1, "Check_enablehotkey1", "Enable Hotkey1",
          "Enable this to send a string out of the COM port when Hotkey1 is pressed.", 6960, 3840,
          2175, 375);
    // The only switch without a tip of its own.
    check(Check_enablehotkey2, "Check_enablehotkey2", "Enable Hotkey2", "", 6960, 4200, 2175, 375);

    // Plain buttons: their captions are one line, a little wider than the
    // space between a wrapping button's margins.
    const auto button = [&](QPushButton*& member, const char* name, const char* caption,
                            const QFont& font, int l, int t, int w, int h) {
        member = makeControl<QPushButton>(form, name, font);
        member->setText(QString::fromLatin1(caption));
        placeInTwips(*member, l, t, w, h);
    };
    button(Command3, "Command3", "Add special  key", boxFont, 600, 2880, 1335, 255);
    button(Command2, "Command2", "Add special  key", boxFont, 3840, 2880, 1335, 255);
    button(Command1, "Command1", "Add Ascii code", boxFont, 600, 4260, 1335, 255);
    button(Command9, "Command9", "Add user defined", boxFont, 600, 4680, 1335, 255);
    button(Command4, "Command4", "Add special  key", boxFont, 3840, 4200, 1335, 255);
    button(Command6, "Command6", "Add Ascii code", boxFont, 4920, 5460, 1335, 255);
    button(Command5, "Command5", "Add user defined", boxFont, 4920, 5880, 1335, 255);
    button(Command7, "Command7", "Add Ascii code", boxFont, 4920, 6420, 1335, 255);
    button(Command8, "Command8", "Add user defined", boxFont, 4920, 6840, 1335, 255);
    button(Command_advanced_options_OK, "Command_advanced_options_OK", "DONE", arial(9.75), 7920,
           6360, 975, 495);
    giveLightGreyFace(*Command_advanced_options_OK);

    const qreal dpi = logicalDpiX();
    form->setFixedSize(twipsToPixels(9210, dpi), twipsToPixels(7185, dpi));
}

void Form3::createMenu() {
    const HelpMenu help = addHelpMenu(
        *this, "HELP", "MENU_HELP", [this] { MENU_HELP_Click(); },
        [this] { menu_about_vantorix_Click(); });
    HELP = help.menu;
    MENU_HELP = help.contents;
    menu_separator1 = help.menu_separator1;
    menu_about_vantorix = help.menu_about_vantorix;
    installHelpKey(*this, [this] {
        if (helpTarget_ != nullptr) {
            helpTarget_->openHelp();
        }
    });
}

void Form3::MENU_HELP_Click() {
    if (helpTarget_ != nullptr) {
        helpTarget_->menu_help_contents_Click();
    }
}

void Form3::menu_about_vantorix_Click() {
    if (helpTarget_ != nullptr) {
        helpTarget_->menu_about_vantorix_Click();
    }
}

void Form3::setFocusOrder() {
    QWidget* const order[] = {
        Text_searchfor,
        Text_replacewith,
        Combo_EOL,
        Text_preamble,
        Text_postamble,
        Combo_addpostamble,
        Command2,
        Command3,
        Combo_addpreamble,
        Command4,
        Combo_replacewith,
        Command_advanced_options_OK,
        Check_preamble,
        Check_postamble,
        Check_replacestring,
        Command1,
        Combo_searchfor,
        Combo_hotkey1,
        Check_enablehotkey1,
        Command5,
        Text_hotkey1,
        Text_hotkey1_addascii,
        Command6,
        Combo_hotkey_ascii_add,
        Combo_hotkey_ascii_add2,
        Command7,
        Text_hotkey2_addascii,
        Text_hotkey2,
        Command8,
        Combo_hotkey2,
        Check_enablehotkey2,
        Command9,
        Text_searchfor_user_defined,
    };
    for (std::size_t i = 1; i < std::size(order); ++i) {
        setTabOrder(order[i - 1], order[i]);
    }
    // Where the focus is when the window is shown for the first time.
    Text_searchfor->setFocus();
}

void Form3::connectButtons() {
    const auto onClick = [this](QPushButton* button, void (Form3Logic::*handler)()) {
        connect(button, &QPushButton::clicked, this, [this, handler] { (logic_.*handler)(); });
    };
    onClick(Command_advanced_options_OK, &Form3Logic::Command_advanced_options_OK_Click);
    onClick(Command1, &Form3Logic::Command1_Click);
    onClick(Command2, &Form3Logic::Command2_Click);
    onClick(Command3, &Form3Logic::Command3_Click);
    onClick(Command4, &Form3Logic::Command4_Click);
    onClick(Command5, &Form3Logic::Command5_Click);
    onClick(Command6, &Form3Logic::Command6_Click);
    onClick(Command7, &Form3Logic::Command7_Click);
    onClick(Command8, &Form3Logic::Command8_Click);
    onClick(Command9, &Form3Logic::Command9_Click);
}

void Form3::bindSettings() {
    RedirectSettings& s = deps_.settings;
    for (const AdvancedText box : kAdvancedTexts) {
        connect(widgetFor(box), &QLineEdit::textChanged, this,
                [&field = advancedText(s, box)](const QString& text) { field = storedText(text); });
    }
    const auto bindChoice = [this](QComboBox* widget, std::string& field) {
        connect(widget, &QComboBox::currentTextChanged, this,
                [&field](const QString& text) { field = storedText(text); });
    };
    bindChoice(Combo_EOL, s.Combo_EOL);
    bindChoice(Combo_hotkey1, s.Combo_hotkey1);
    bindChoice(Combo_hotkey2, s.Combo_hotkey2);
    const auto bindCheck = [this](QCheckBox* widget, int& field) {
        connect(widget, &QCheckBox::toggled, this, [&field](bool on) { field = on ? 1 : 0; });
    };
    bindCheck(Check_preamble, s.Check_preamble);
    bindCheck(Check_postamble, s.Check_postamble);
    bindCheck(Check_replacestring, s.Check_replacestring);
    bindCheck(Check_enablehotkey1, s.Check_enablehotkey1);
    bindCheck(Check_enablehotkey2, s.Check_enablehotkey2);
}

void Form3::presetInsertionLists() {
    Combo_addpreamble->setCurrentText(QStringLiteral("Enter"));
    Combo_addpostamble->setCurrentText(QStringLiteral("Enter"));
    Combo_replacewith->setCurrentText(QStringLiteral("Enter"));
    Combo_searchfor->setCurrentText(QStringLiteral("CR"));
}

void Form3::showSettings() {
    const RedirectSettings& s = deps_.settings;
    for (const AdvancedText box : kAdvancedTexts) {
        showText(box);
    }
    const auto showChoice = [](QComboBox* widget, const std::string& value) {
        const QSignalBlocker blocker(widget);
        widget->setCurrentIndex(widget->findText(fromWindows1252(value)));
    };
    showChoice(Combo_EOL, s.Combo_EOL);
    showChoice(Combo_hotkey1, s.Combo_hotkey1);
    showChoice(Combo_hotkey2, s.Combo_hotkey2);
    // Blocked, so a stored value other than 0 or 1 stays as it is until the user clicks.
    const auto showCheck = [](QCheckBox* widget, int value) {
        const QSignalBlocker blocker(widget);
        widget->setChecked(isOn(value));
    };
    showCheck(Check_preamble, s.Check_preamble);
    showCheck(Check_postamble, s.Check_postamble);
    showCheck(Check_replacestring, s.Check_replacestring);
    showCheck(Check_enablehotkey1, s.Check_enablehotkey1);
    showCheck(Check_enablehotkey2, s.Check_enablehotkey2);
}

void Form3::showAt(WindowPosition topLeft) {
    keepHidden_ = false;
    setWindowState(windowState() & ~Qt::WindowMinimized);
    move(topLeft.left, topLeft.top);
    show();
    raise();
    activateWindow();
}

QLineEdit* Form3::widgetFor(AdvancedText box) const {
    switch (box) {
        case AdvancedText::Text_preamble:
            return Text_preamble;
        case AdvancedText::Text_postamble:
            return Text_postamble;
        case AdvancedText::Text_searchfor:
            return Text_searchfor;
        case AdvancedText::Text_replacewith:
            return Text_replacewith;
        case AdvancedText::Text_hotkey1:
            return Text_hotkey1;
        case AdvancedText::Text_hotkey2:
            return Text_hotkey2;
    }
    return nullptr;
}

QComboBox* Form3::widgetFor(InsertionList list) const {
    switch (list) {
        case InsertionList::Combo_addpreamble:
            return Combo_addpreamble;
        case InsertionList::Combo_addpostamble:
            return Combo_addpostamble;
        case InsertionList::Combo_replacewith:
            return Combo_replacewith;
        case InsertionList::Combo_searchfor:
            return Combo_searchfor;
        case InsertionList::Combo_hotkey_ascii_add:
            return Combo_hotkey_ascii_add;
        case InsertionList::Combo_hotkey_ascii_add2:
            return Combo_hotkey_ascii_add2;
    }
    return nullptr;
}

QLineEdit* Form3::widgetFor(CodeBox box) const {
    switch (box) {
        case CodeBox::Text_searchfor_user_defined:
            return Text_searchfor_user_defined;
        case CodeBox::Text_hotkey1_addascii:
            return Text_hotkey1_addascii;
        case CodeBox::Text_hotkey2_addascii:
            return Text_hotkey2_addascii;
    }
    return nullptr;
}

std::string Form3::shownRow(InsertionList list) const {
    return storedText(widgetFor(list)->currentText());
}

std::string Form3::codeText(CodeBox box) const {
    return storedText(widgetFor(box)->text());
}

void Form3::showText(AdvancedText box) {
    QLineEdit* widget = widgetFor(box);
    const QSignalBlocker blocker(widget);
    widget->setText(fromWindows1252(advancedText(deps_.settings, box)));
}

void Form3::placeCaret(AdvancedText box, int position) {
    QLineEdit* widget = widgetFor(box);
    widget->setCursorPosition(position);
    widget->setFocus();
}

void Form3::giveFocus(AdvancedText box) {
    widgetFor(box)->setFocus();
}

void Form3::showExclamation(const std::string& text, const std::string& title) {
    deps_.messages.exclamation(text, title);
}

WindowPosition Form3::position() const {
    return {x(), y()};
}

void Form3::hideWindow() {
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

void Form3::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange && isVisible()) {
        logic_.Form_Resize(isMinimized(), deps_.notificationAreaAvailable());
    }
}

void Form3::closeEvent(QCloseEvent* event) {
    event->accept();
    logic_.Form_Unload();
}

}  // namespace vantorix
