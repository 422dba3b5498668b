#include "frontend/qt/form3.h"

#include <type_traits>

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>

#include "forms/layout/form3_layout.h"
#include "frontend/qt/controls.h"
#include "frontend/qt/layout_renderer.h"

namespace vantorix {

Form3::Form3(RedirectSettings& settings) : ProgramWindow(kForm3Layout), settings_(settings) {
    findControls();
    connectButtons();
    bindControlsToSettings(client(), kForm3Layout, settings_, kWindows1252Text);
    // Where the focus is when the window is shown for the first time.
    Text_searchfor->setFocus();
}

void Form3::attach(Form3Logic* logic, HelpMenuTarget* help) {
    logic_ = logic;
    setHelpTarget(help);
}

// Each member takes the control of the same name.
#define VANTORIX_FIND(member) \
    member = controlOf<std::remove_pointer_t<decltype(member)>>(client(), #member)

void Form3::findControls() {
    VANTORIX_FIND(Image1);
    VANTORIX_FIND(Label9);
    VANTORIX_FIND(Label5);
    VANTORIX_FIND(Combo_EOL);
    VANTORIX_FIND(Label3);
    VANTORIX_FIND(Text_preamble);
    VANTORIX_FIND(Command3);
    VANTORIX_FIND(Combo_addpreamble);
    VANTORIX_FIND(Label4);
    VANTORIX_FIND(Text_postamble);
    VANTORIX_FIND(Command2);
    VANTORIX_FIND(Combo_addpostamble);
    VANTORIX_FIND(Label1);
    VANTORIX_FIND(Text_searchfor);
    VANTORIX_FIND(Command1);
    VANTORIX_FIND(Combo_searchfor);
    VANTORIX_FIND(Command9);
    VANTORIX_FIND(Text_searchfor_user_defined);
    VANTORIX_FIND(Label2);
    VANTORIX_FIND(Text_replacewith);
    VANTORIX_FIND(Command4);
    VANTORIX_FIND(Combo_replacewith);
    VANTORIX_FIND(Label6);
    VANTORIX_FIND(Check_preamble);
    VANTORIX_FIND(Check_postamble);
    VANTORIX_FIND(Check_replacestring);
    VANTORIX_FIND(Check_enablehotkey1);
    VANTORIX_FIND(Check_enablehotkey2);
    VANTORIX_FIND(Label7);
    VANTORIX_FIND(Label10);
    VANTORIX_FIND(Combo_hotkey1);
    VANTORIX_FIND(Text_hotkey1);
    VANTORIX_FIND(Command6);
    VANTORIX_FIND(Combo_hotkey_ascii_add);
    VANTORIX_FIND(Command5);
    VANTORIX_FIND(Text_hotkey1_addascii);
    VANTORIX_FIND(Label8);
    VANTORIX_FIND(Label11);
    VANTORIX_FIND(Combo_hotkey2);
    VANTORIX_FIND(Text_hotkey2);
    VANTORIX_FIND(Command7);
    VANTORIX_FIND(Combo_hotkey_ascii_add2);
    VANTORIX_FIND(Command8);
    VANTORIX_FIND(Text_hotkey2_addascii);
    VANTORIX_FIND(Command_advanced_options_OK);
    HELP = findChild<QMenu*>(QStringLiteral("HELP"));
    MENU_HELP = findChild<QAction*>(QStringLiteral("MENU_HELP"));
    menu_separator1 = findChild<QAction*>(QStringLiteral("menu_separator1"));
    menu_about_vantorix = findChild<QAction*>(QStringLiteral("menu_about_vantorix"));
}

#undef VANTORIX_FIND

void Form3::connectButtons() {
    // Plain functions rather than member pointers, which the sanitizer build
    // mis-checks.
    const auto onClick = [this](QPushButton* button, void (*handler)(Form3Logic&)) {
        connect(button, &QPushButton::clicked, this, [this, handler] {
            if (logic_ != nullptr) {
                handler(*logic_);
            }
        });
    };
    onClick(Command_advanced_options_OK,
            [](Form3Logic& logic) { logic.Command_advanced_options_OK_Click(); });
    onClick(Command1, [](Form3Logic& logic) { logic.Command1_Click(); });
    onClick(Command2, [](Form3Logic& logic) { logic.Command2_Click(); });
    onClick(Command3, [](Form3Logic& logic) { logic.Command3_Click(); });
    onClick(Command4, [](Form3Logic& logic) { logic.Command4_Click(); });
    onClick(Command5, [](Form3Logic& logic) { logic.Command5_Click(); });
    onClick(Command6, [](Form3Logic& logic) { logic.Command6_Click(); });
    onClick(Command7, [](Form3Logic& logic) { logic.Command7_Click(); });
    onClick(Command8, [](Form3Logic& logic) { logic.Command8_Click(); });
    onClick(Command9, [](Form3Logic& logic) { logic.Command9_Click(); });
}

void Form3::presetInsertionLists() {
    Combo_addpreamble->setCurrentText(QStringLiteral("Enter"));
    Combo_addpostamble->setCurrentText(QStringLiteral("Enter"));
    Combo_replacewith->setCurrentText(QStringLiteral("Enter"));
    Combo_searchfor->setCurrentText(QStringLiteral("CR"));
}

void Form3::showSettings() {
    showSettingsInControls(client(), kForm3Layout, settings_, kWindows1252Text);
}

QLineEdit* Form3::widgetFor(AdvancedText box) const {
    return controlOf<QLineEdit>(client(), controlName(box));
}

QComboBox* Form3::widgetFor(InsertionList list) const {
    return controlOf<QComboBox>(client(), controlName(list));
}

QLineEdit* Form3::widgetFor(CodeBox box) const {
    return controlOf<QLineEdit>(client(), controlName(box));
}

std::string Form3::shownRow(InsertionList list) const {
    return kWindows1252Text.store(widgetFor(list)->currentText());
}

std::string Form3::codeText(CodeBox box) const {
    return kWindows1252Text.store(widgetFor(box)->text());
}

void Form3::showText(AdvancedText box) {
    QLineEdit* widget = widgetFor(box);
    const QSignalBlocker blocker(widget);
    widget->setText(kWindows1252Text.show(advancedText(settings_, box)));
}

void Form3::placeCaret(AdvancedText box, int position) {
    QLineEdit* widget = widgetFor(box);
    widget->setCursorPosition(position);
    widget->setFocus();
}

void Form3::giveFocus(AdvancedText box) {
    widgetFor(box)->setFocus();
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

}  // namespace vantorix
