#pragma once

#include <functional>

#include <QMainWindow>

#include "frontend/qt/help.h"
#include "settings/redirect_settings.h"
#include "forms/form3_logic.h"
#include "forms/window_hand_over.h"
#include "frontend/qt/message_boxes.h"

class QAction;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;

namespace vantorix {

struct Form3Dependencies {
    RedirectSettings& settings;
    // The main window's "Advanced options active" state, which DONE recomputes.
    AdvancedOptionsIndicator& indicator;
    MainWindowLink& mainWindow;
    MessageBoxes& messages;
    // Whether the desktop has a notification area to hide a minimised window in.
    std::function<bool()> notificationAreaAvailable;
};

// The advanced options window: pre-amble, post-amble, search and replace, the
// end of line and the two hot keys, with lists and code boxes that append
// tokens to the texts. It is created once with the main window and only
// shown and hidden. Its settings widgets are bound to the one live settings
// store; the insertion lists and code boxes are aids and are not stored.
class Form3 final : public QMainWindow, public AdvancedOptionsWindow, private Form3View {
  public:
    explicit Form3(Form3Dependencies dependencies, QWidget* parent = nullptr);

    // AdvancedOptionsWindow
    void presetInsertionLists() override;
    void showSettings() override;
    void showAt(WindowPosition topLeft) override;

    Form3Logic& logic() { return logic_; }

    // The HELP menu and F1 lead to the main window, which holds the keyboard,
    // the help file and the About window.
    void setHelpTarget(HelpMenuTarget& target) { helpTarget_ = &target; }
    void MENU_HELP_Click();
    void menu_about_vantorix_Click();

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

  protected:
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    // Form3View
    std::string shownRow(InsertionList list) const override;
    std::string codeText(CodeBox box) const override;
    void showText(AdvancedText box) override;
    void placeCaret(AdvancedText box, int position) override;
    void giveFocus(AdvancedText box) override;
    void showExclamation(const std::string& text, const std::string& title) override;
    WindowPosition position() const override;
    void hideWindow() override;

    void createControls();
    void createMenu();
    void setFocusOrder();
    void connectButtons();
    void bindSettings();
    QLineEdit* widgetFor(AdvancedText box) const;
    QComboBox* widgetFor(InsertionList list) const;
    QLineEdit* widgetFor(CodeBox box) const;

    Form3Dependencies deps_;
    Form3Logic logic_;
    bool keepHidden_ = false;
    HelpMenuTarget* helpTarget_ = nullptr;
};

}  // namespace vantorix
