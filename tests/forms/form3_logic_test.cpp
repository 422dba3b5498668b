#include "forms/form3_logic.h"

#include <map>
#include <span>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "forms/layout/insertion_tables.h"
#include "support/fake_message_boxes.h"
#include "support/fake_window_hand_over.h"
#include "support/fake_window_views.h"
#include "support/insertion_token_rows.h"

namespace vantorix {
namespace {

using namespace test;

class Form3LogicTest : public ::testing::Test {
  protected:
    Journal journal;
    RedirectSettings settings;
    AdvancedOptionsIndicator indicator;
    FakeForm3View view{journal};
    FakeMainWindow mainWindow{journal};
    FakeMessageBoxes messages{journal};
    FakeIcon icon{journal};
    Form3Logic logic{settings, indicator, view, mainWindow, messages, icon};
};

const std::string kBraces = "message Ensure '{' is matched with corresponding '}'  |Vantorix";
const std::string kRange = "message Ascii codes are from 0-255 only|Vantorix";

TEST(TestBrackets, CountsOpeningMinusClosingBracesWhateverTheirOrder) {
    const std::vector<std::pair<std::string, int>> cases = {
        {"", 0},    {"plain", 0}, {"{ENTER}{F5}", 0}, {"}{", 0},
        {"{{}", 1}, {"{}}", -1},  {"{ENTER", 1},      {"x}}}", -3},
    };
    for (const auto& [text, expected] : cases) {
        int error_code = 99;
        test_brackets(text, error_code);
        EXPECT_EQ(error_code, expected) << text;
    }
}

TEST_F(Form3LogicTest, DoneIsRefusedAtTheFirstUnbalancedTextInCheckingOrder) {
    for (std::size_t failing = 0; failing < kAdvancedTexts.size(); ++failing) {
        for (std::size_t i = 0; i < kAdvancedTexts.size(); ++i) {
            // Texts before the failing one pass; later ones would fail too.
            advancedText(settings, kAdvancedTexts[i]) = i < failing    ? "}{ENTER}{"
                                                        : i == failing ? "{ENTER"
                                                                       : "x}";
        }
        journal.clear();
        mainWindow.CURRENT_WINDOW = 2;
        indicator.show(false);
        const RedirectSettings before = settings;

        logic.Command_advanced_options_OK_Click();

        const std::string box = nameOf(kAdvancedTexts[failing]);
        EXPECT_EQ(journal, (Journal{"main:current 1", kBraces, "advanced:focus " + box})) << box;
        EXPECT_EQ(mainWindow.CURRENT_WINDOW, 1) << box;
        EXPECT_EQ(settings, before) << box;
        EXPECT_FALSE(indicator.enabled) << box;
    }
}

TEST_F(Form3LogicTest, DoneAcceptsBalancedCountsAndHandsBackAtThisWindowsCorner) {
    for (const AdvancedText box : kAdvancedTexts) {
        advancedText(settings, box) = "}{";
    }
    view.at = {512, 256};
    logic.Command_advanced_options_OK_Click();
    EXPECT_EQ(journal,
              (Journal{"main:current 1", "main:show 512,256", "advanced:hide", "main:indicator"}));
    EXPECT_EQ(mainWindow.CURRENT_WINDOW, 1);
}

struct ListButton {
    const char* name;
    void (Form3Logic::*click)();
    InsertionList list;
    AdvancedText target;
};

const std::vector<ListButton> kNamedKeyButtons = {
    {"Command3", &Form3Logic::Command3_Click, InsertionList::Combo_addpreamble,
     AdvancedText::Text_preamble},
    {"Command2", &Form3Logic::Command2_Click, InsertionList::Combo_addpostamble,
     AdvancedText::Text_postamble},
    {"Command4", &Form3Logic::Command4_Click, InsertionList::Combo_replacewith,
     AdvancedText::Text_replacewith},
};
const std::vector<ListButton> kCharacterButtons = {
    {"Command1", &Form3Logic::Command1_Click, InsertionList::Combo_searchfor,
     AdvancedText::Text_searchfor},
    {"Command6", &Form3Logic::Command6_Click, InsertionList::Combo_hotkey_ascii_add,
     AdvancedText::Text_hotkey1},
    {"Command7", &Form3Logic::Command7_Click, InsertionList::Combo_hotkey_ascii_add2,
     AdvancedText::Text_hotkey2},
};

TEST(InsertionLists, HoldTheirRowsInOrder) {
    const auto items = [](std::span<const std::string> list) {
        return std::vector<std::string>(list.begin(), list.end());
    };
    EXPECT_EQ(items(specialKeyItems()), rowsOf(kNamedKeyRows));
    EXPECT_EQ(items(searchCharacterItems()), rowsOf(kSearchCharacterRows));
    EXPECT_EQ(items(hotKeyCharacterItems()), rowsOf(kHotKeyCharacterRows));
}

TEST_F(Form3LogicTest, EveryRowOfEveryListAppendsItsTokenAndLeavesTheCaretAt1000) {
    const auto check = [this](const std::vector<ListButton>& buttons, const TokenRows& rows) {
        for (const ListButton& button : buttons) {
            for (const auto& [row, token] : rows) {
                std::string& text = advancedText(settings, button.target);
                text = "ab";
                view.rows[button.list] = row;
                journal.clear();
                (logic.*button.click)();
                EXPECT_EQ(text, "ab" + token) << button.name << " " << row;
                const std::string box = nameOf(button.target);
                EXPECT_EQ(journal,
                          (Journal{"advanced:show " + box, "advanced:caret " + box + " 1000"}))
                    << button.name << " " << row;
            }
        }
    };
    check(kNamedKeyButtons, kNamedKeyRows);
    check(kCharacterButtons, kSearchCharacterRows);
}

TEST_F(Form3LogicTest, ARowOfTheOtherKindOrNoRowAppendsNothingButStillMovesTheCaret) {
    const std::vector<std::pair<ListButton, std::string>> cases = {
        {kCharacterButtons[1], ""},  // nothing chosen yet
        {kNamedKeyButtons[0], ""},
        {kCharacterButtons[0], "Enter"},  // a named key is no character row
        {kNamedKeyButtons[2], "CR"},      // and a character no named key
        {kNamedKeyButtons[1], "F17"},
    };
    for (const auto& [button, row] : cases) {
        std::string& text = advancedText(settings, button.target);
        text = "kept";
        view.rows[button.list] = row;
        journal.clear();
        (logic.*button.click)();
        EXPECT_EQ(text, "kept") << button.name << " '" << row << "'";
        EXPECT_EQ(journal, (Journal{"advanced:caret " + nameOf(button.target) + " 1000"}));
    }
}

// The window's own tests type into the three-character box; these codes do not fit.
TEST_F(Form3LogicTest, ATypedCodeFrom0To255IsAppendedAsTypedAndOthersAreRefused) {
    const std::vector<std::pair<std::string, bool>> codes = {
        {"&HFF", true}, {"2.5", true}, {" 65", true}, {"1e3", false}, {"&H1FF", false},
    };
    for (const auto& [code, accepted] : codes) {
        settings.Text_searchfor = "A";
        view.codes[CodeBox::Text_searchfor_user_defined] = code;
        journal.clear();
        logic.Command9_Click();
        const Journal appended = {"advanced:caret Text_searchfor 1000",
                                  "advanced:show Text_searchfor",
                                  "advanced:caret Text_searchfor 1000"};
        const Journal refused = {"advanced:caret Text_searchfor 1000", kRange};
        EXPECT_EQ(settings.Text_searchfor, accepted ? "A{" + code + "}" : "A") << code;
        EXPECT_EQ(journal, accepted ? appended : refused) << code;
    }
}

TEST_F(Form3LogicTest, MinimisingHidesOnlyWithANotificationAreaAndClosingEndsTheProgram) {
    icon.restores = false;
    logic.Form_Resize(true);
    icon.restores = true;
    logic.Form_Resize(false);
    EXPECT_TRUE(journal.empty());
    logic.Form_Resize(true);
    logic.Form_Unload();
    EXPECT_EQ(journal, (Journal{"advanced:hide", "main:exit"}));
}

}  // namespace
}  // namespace vantorix
