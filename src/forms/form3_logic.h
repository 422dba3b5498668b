#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "forms/message_boxes.h"
#include "forms/notification_icon.h"
#include "forms/window_hand_over.h"
#include "settings/redirect_settings.h"

namespace vantorix {

// The six texts of the advanced options window, in the order DONE checks them.
enum class AdvancedText {
    Text_preamble,
    Text_postamble,
    Text_searchfor,
    Text_replacewith,
    Text_hotkey1,
    Text_hotkey2,
};
inline constexpr std::array<AdvancedText, 6> kAdvancedTexts = {
    AdvancedText::Text_preamble,    AdvancedText::Text_postamble, AdvancedText::Text_searchfor,
    AdvancedText::Text_replacewith, AdvancedText::Text_hotkey1,   AdvancedText::Text_hotkey2,
};

// The field of the settings store a text box edits.
std::string& advancedText(RedirectSettings& settings, AdvancedText box);

// The lists whose rows are appended to a text as tokens.
enum class InsertionList {
    Combo_addpreamble,
    Combo_addpostamble,
    Combo_replacewith,
    Combo_searchfor,
    Combo_hotkey_ascii_add,
    Combo_hotkey_ascii_add2,
};

// The boxes in which a character code is typed in decimal.
enum class CodeBox {
    Text_searchfor_user_defined,
    Text_hotkey1_addascii,
    Text_hotkey2_addascii,
};

// The names of the window's controls, as its layout gives them.
std::string_view controlName(AdvancedText box);
std::string_view controlName(InsertionList list);
std::string_view controlName(CodeBox box);

inline constexpr const char* kUnmatchedBracesMessage =
    "Ensure '{' is matched with corresponding '}'  ";
inline constexpr const char* kAsciiRangeMessage = "Ascii codes are from 0-255 only";
// Where an insertion leaves the caret: the end of any text of up to 1000
// characters.
inline constexpr int kCaretAfterInsertion = 1000;

// What the advanced options window's buttons need of its widgets.
class Form3View : public AdvancedOptionsWindow {
  public:
    // The row the list shows; empty when it shows none.
    virtual std::string shownRow(InsertionList list) const = 0;
    // The code box's text as typed.
    virtual std::string codeText(CodeBox box) const = 0;
    // The text box takes the text of its field in the settings store.
    virtual void showText(AdvancedText box) = 0;
    // Puts the caret at `position`, or at the end of a shorter text, and
    // gives the box the keyboard focus.
    virtual void placeCaret(AdvancedText box, int position) = 0;
    virtual void giveFocus(AdvancedText box) = 0;
};

// `error_code` becomes the number of "{" in `VAR_NAME` minus the number of
// "}". Only the counts matter, not the order: "}{" gives 0.
void test_brackets(std::string_view VAR_NAME, int& error_code);

// The advanced options window's buttons and events, free of any toolkit. The
// texts are read from and written to the settings store, which the window's
// widgets are bound to.
class Form3Logic {
  public:
    Form3Logic(RedirectSettings& settings, AdvancedOptionsIndicator& indicator, Form3View& view,
               MainWindowLink& mainWindow, MessageBoxes& messages, const NotificationIcon& icon);

    // DONE: refuses a text with unbalanced braces; otherwise hands back to the
    // main window at this window's position and recomputes the advanced state.
    void Command_advanced_options_OK_Click();

    // "Add Ascii code" and "Add special  key": the token of the row shown.
    void Command1_Click() { insertFromList(InsertionList::Combo_searchfor); }
    void Command2_Click() { insertFromList(InsertionList::Combo_addpostamble); }
    void Command3_Click() { insertFromList(InsertionList::Combo_addpreamble); }
    void Command4_Click() { insertFromList(InsertionList::Combo_replacewith); }
    void Command6_Click() { insertFromList(InsertionList::Combo_hotkey_ascii_add); }
    void Command7_Click() { insertFromList(InsertionList::Combo_hotkey_ascii_add2); }
    // "Add user defined": the typed decimal code in braces.
    void Command9_Click() { insertTypedCode(CodeBox::Text_searchfor_user_defined); }
    void Command5_Click() { insertTypedCode(CodeBox::Text_hotkey1_addascii); }
    void Command8_Click() { insertTypedCode(CodeBox::Text_hotkey2_addascii); }

    // As with the main window, a minimised window hides only where the
    // notification icon can bring it back.
    void Form_Resize(bool minimized);
    void Form_Unload() { mainWindow_.exitProgram(); }

  private:
    void insertFromList(InsertionList list);
    void insertTypedCode(CodeBox box);
    void append(AdvancedText box, std::string_view token);

    RedirectSettings& settings_;
    AdvancedOptionsIndicator& indicator_;
    Form3View& view_;
    MainWindowLink& mainWindow_;
    MessageBoxes& messages_;
    const NotificationIcon& icon_;
};

}  // namespace vantorix
