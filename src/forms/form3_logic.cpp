#include "forms/form3_logic.h"

#include <array>

#include "core/special_characters.h"
#include "forms/layout/insertion_tables.h"

namespace vantorix {
namespace {

using TokenLookup = std::optional<std::string> (*)(std::string_view row);

struct ListInsertion {
    AdvancedText target;
    TokenLookup token;
};

// Named keys go into texts that are typed; character codes into texts that
// are compared with received bytes or sent out of the port.
ListInsertion insertionFor(InsertionList list) {
    switch (list) {
        case InsertionList::Combo_addpreamble:
            return {AdvancedText::Text_preamble, namedKeyToken};
        case InsertionList::Combo_addpostamble:
            return {AdvancedText::Text_postamble, namedKeyToken};
        case InsertionList::Combo_replacewith:
            return {AdvancedText::Text_replacewith, namedKeyToken};
        case InsertionList::Combo_searchfor:
            return {AdvancedText::Text_searchfor, characterCodeToken};
        case InsertionList::Combo_hotkey_ascii_add:
            return {AdvancedText::Text_hotkey1, characterCodeToken};
        case InsertionList::Combo_hotkey_ascii_add2:
            return {AdvancedText::Text_hotkey2, characterCodeToken};
    }
    return {AdvancedText::Text_preamble, namedKeyToken};
}

AdvancedText targetOf(CodeBox box) {
    switch (box) {
        case CodeBox::Text_searchfor_user_defined:
            return AdvancedText::Text_searchfor;
        case CodeBox::Text_hotkey1_addascii:
            return AdvancedText::Text_hotkey1;
        case CodeBox::Text_hotkey2_addascii:
            return AdvancedText::Text_hotkey2;
    }
    return AdvancedText::Text_searchfor;
}

}  // namespace

std::string_view controlName(AdvancedText box) {
    constexpr std::array<std::string_view, 6> kNames = {"Text_preamble",  "Text_postamble",
                                                        "Text_searchfor", "Text_replacewith",
                                                        "Text_hotkey1",   "Text_hotkey2"};
    return kNames.at(static_cast<std::size_t>(box));
}

std::string_view controlName(InsertionList list) {
    constexpr std::array<std::string_view, 6> kNames = {
        "Combo_addpreamble", "Combo_addpostamble",     "Combo_replacewith",
        "Combo_searchfor",   "Combo_hotkey_ascii_add", "Combo_hotkey_ascii_add2"};
    return kNames.at(static_cast<std::size_t>(list));
}

std::string_view controlName(CodeBox box) {
    constexpr std::array<std::string_view, 3> kNames = {
        "Text_searchfor_user_defined", "Text_hotkey1_addascii", "Text_hotkey2_addascii"};
    return kNames.at(static_cast<std::size_t>(box));
}

std::string& advancedText(RedirectSettings& settings, AdvancedText box) {
    switch (box) {
        case AdvancedText::Text_preamble:
            return settings.Text_preamble;
        case AdvancedText::Text_postamble:
            return settings.Text_postamble;
        case AdvancedText::Text_searchfor:
            return settings.Text_searchfor;
        case AdvancedText::Text_replacewith:
            return settings.Text_replacewith;
        case AdvancedText::Text_hotkey1:
            return settings.Text_hotkey1;
        case AdvancedText::Text_hotkey2:
            return settings.Text_hotkey2;
    }
    return settings.Text_preamble;
}

void test_brackets(std::string_view VAR_NAME, int& error_code) {
    error_code = 0;
    for (const char c : VAR_NAME) {
        if (c == '{') {
            ++error_code;
        } else if (c == '}') {
            --error_code;
        }
    }
}

Form3Logic::Form3Logic(RedirectSettings& settings, AdvancedOptionsIndicator& indicator,
                       Form3View& view, MainWindowLink& mainWindow, MessageBoxes& messages,
                       const NotificationIcon& icon)
    : settings_(settings),
      indicator_(indicator),
      view_(view),
      mainWindow_(mainWindow),
      messages_(messages),
      icon_(icon) {}

void Form3Logic::Command_advanced_options_OK_Click() {
    // Set first: a refused DONE leaves the main window as the one the
    // notification icon brings back.
    mainWindow_.setCurrentWindow(1);
    for (const AdvancedText box : kAdvancedTexts) {
        int error_code = 0;
        test_brackets(advancedText(settings_, box), error_code);
        if (error_code != 0) {
            messages_.exclamation(kUnmatchedBracesMessage, kApplicationTitle);
            view_.giveFocus(box);
            return;
        }
    }
    mainWindow_.showAt(view_.position());
    view_.hideWindow();
    indicator_.update(settings_);
    mainWindow_.showAdvancedIndicator();
}

void Form3Logic::insertFromList(InsertionList list) {
    const ListInsertion insertion = insertionFor(list);
    const std::string row = view_.shownRow(list);
    if (const std::optional<std::string> token = insertion.token(row)) {
        append(insertion.target, *token);
    }
    view_.placeCaret(insertion.target, kCaretAfterInsertion);
}

void Form3Logic::insertTypedCode(CodeBox box) {
    const AdvancedText target = targetOf(box);
    view_.placeCaret(target, kCaretAfterInsertion);
    const std::string code = view_.codeText(box);
    const double value = readLenientNumber(code);
    if (value > 255 || value < 0) {
        messages_.exclamation(kAsciiRangeMessage, kApplicationTitle);
        return;
    }
    append(target, "{" + code + "}");
    view_.placeCaret(target, kCaretAfterInsertion);
}

void Form3Logic::append(AdvancedText box, std::string_view token) {
    advancedText(settings_, box).append(token);
    view_.showText(box);
}

void Form3Logic::Form_Resize(bool minimized) {
    if (minimized && icon_.restoresWindows()) {
        view_.hideWindow();
    }
}

}  // namespace vantorix
