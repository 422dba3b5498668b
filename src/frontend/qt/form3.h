#pragma once

#include "forms/form3_logic.h"
#include "forms/help.h"
#include "frontend/qt/program_window.h"
#include "settings/redirect_settings.h"

class QAction;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;

namespace vantorix {

// The advanced options window: pre-amble, post-amble, search and replace, the
// end of line and the two hot keys, with lists and code boxes that append
// tokens to the texts. It is created once with the main window and only
// shown and hidden. Its settings widgets are bound to the one live settings
// store; the insertion lists and code boxes are aids and are not stored.
class Form3 final : public ProgramWindow<Form3View> {
  public:
    explicit Form3(RedirectSettings& settings);

    // Where the window's buttons and events go, and where its HELP menu and
    // F1 lead; nullptr lets them do nothing.
    void attach(Form3Logic* logic, HelpMenuTarget* help);

    QLabel* Image1 = nullptr;
    QLabel* Label9 = nullptr;
    QLabel* Label5 = nullptr;
    QComboBox* Combo_EOL = nullptr;
    QLabel* Label3 = nullptr;
    QLineEdit* Text_preamble = nullptr;
    QPushButton* Command3 = nullptr;
    QComboBox* Combo_addpreamble = nullptr;
    QLabel* Label4 = nullptr;
    QLineEdit* Text_postamble = nullptr;
    QPushButton* Command2 = nullptr;
    QComboBox* Combo_addpostamble = nullptr;
    QLabel* Label1 = nullptr;
    QLineEdit* Text_searchfor = nullptr;
    QPushButton* Command1 = nullptr;
    QComboBox* Combo_searchfor = nullptr;
    QPushButton* Command9 = nullptr;
    QLineEdit* Text_searchfor_user_defined = nullptr;
    QLabel* Label2 = nullptr;
    QLineEdit* Text_replacewith = nullptr;
    QPushButton* Command4 = nullptr;
    QComboBox* Combo_replacewith = nullptr;
    QLabel* Label6 = nullptr;
    QCheckBox* Check_preamble = nullptr;
    QCheckBox* Check_postamble = nullptr;
    QCheckBox* Check_replacestring = nullptr;
    QCheckBox* Check_enablehotkey1 = nullptr;
    QCheckBox* Check_enablehotkey2 = nullptr;
    QLabel* Label7 = nullptr;
    QLabel* Label10 = nullptr;
    QComboBox* Combo_hotkey1 = nullptr;
    QLineEdit* Text_hotkey1 = nullptr;
    QPushButton* Command6 = nullptr;
    QComboBox* Combo_hotkey_ascii_add = nullptr;
    QPushButton* Command5 = nullptr;
    QLineEdit* Text_hotkey1_addascii = nullptr;
    QLabel* Label8 = nullptr;
    QLabel* Label11 = nullptr;
    QComboBox* Combo_hotkey2 = nullptr;
    QLineEdit* Text_hotkey2 = nullptr;
    QPushButton* Command7 = nullptr;
    QComboBox* Combo_hotkey_ascii_add2 = nullptr;
    QPushButton* Command8 = nullptr;
    QLineEdit* Text_hotkey2_addascii = nullptr;
    QPushButton* Command_advanced_options_OK = nullptr;
    QMenu* HELP = nullptr;
    QAction* MENU_HELP = nullptr;
    QAction* menu_separator1 = nullptr;
    QAction* menu_about_vantorix = nullptr;

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

    void findControls();
    void connectButtons();
    QLineEdit* widgetFor(AdvancedText box) const;
    QComboBox* widgetFor(InsertionList list) const;
    QLineEdit* widgetFor(CodeBox box) const;

    RedirectSettings& settings_;
    Form3Logic* logic_ = nullptr;
};

}  // namespace vantorix
