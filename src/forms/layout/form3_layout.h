#pragma once

#include <array>

#include "forms/layout/form1_layout.h"
#include "forms/layout/window_layout.h"

namespace vantorix {

// The HELP menu, as the advanced options window names it.
inline constexpr std::array<MenuItemLayout, 3> kForm3HelpItems = {{
    {"MENU_HELP", "HELP Contents and Index      F1", MenuCommand::HelpContents},
    {"menu_separator1", "-"},
    {"menu_about_vantorix", "About VANTORIX", MenuCommand::About},
}};
inline constexpr std::array<MenuLayout, 1> kForm3Menus = {{{"HELP", "HELP", kForm3HelpItems}}};

// A decimal character code, 0 to 255.
inline constexpr int kCodeBoxLength = 3;

inline constexpr std::string_view kSpecialKeyTip =
    "Add a special keyboard key character if required.";
inline constexpr std::string_view kCharacterTip =
    "Add a special input character value if required.";
inline constexpr std::string_view kCodeTip = "Enter an ascii decimal code if required.";
inline constexpr std::string_view kHotKeyTip =
    "Select a hotkey to be used to trigger an output to the COM port.";
inline constexpr std::string_view kHotKeyTextTip =
    "Enter an output string to be assocaited with the hot key. This is sent out through the COM "
    "port.";

// The advanced options window: end of line, pre-amble and post-amble, search
// and replace, the switches, and the two hot keys. The labels lie behind the
// boxes they overlap; the rest follows the keyboard focus order.
inline constexpr auto kForm3Controls = std::to_array<ControlLayout>({
    picture("Image1", {120, 0, 9000, 1140}),
    label("Label9", {120, 1200, 8655, 375}, "VANTORIX Advanced options screen", kArial1425Bold)
        .centredText(),
    label("Label5", {600, 1560, 4095, 375}, "End of Line Character in input string"),
    label("Label3", {600, 2040, 2655, 255}, "Pre-amble"),
    label("Label4", {3840, 2040, 2655, 255}, "Post-amble"),
    label("Label1", {600, 3360, 3495, 495}, "Search for input string"),
    label("Label2", {3840, 3360, 2295, 495}, "Replace with"),
    label("Label6", {6960, 2280, 1575, 375}, "Enable Option"),
    label("Label7", {600, 5160, 1335, 375}, "Hotkey 1"),
    label("Label10", {2160, 5160, 2655, 375}, "Hotkey 1 Output string"),
    label("Label8", {600, 6120, 1335, 375}, "Hotkey 2"),
    label("Label11", {2160, 6120, 2655, 375}, "Hotkey 2 Output string"),

    textBox("Text_searchfor", {600, 3720, 2655, 375},
            "Enter a search string to find and replace if required.", kArial825)
        .editing(&RedirectSettings::Text_searchfor),
    textBox("Text_replacewith", {3840, 3720, 2655, 375},
            "Enter a string to replace the search string found.", kArial825)
        .editing(&RedirectSettings::Text_replacewith),
    // 120 twips right of where the label's caption ends at 96 dpi, so that the
    // two do not touch.
    dropDownList("Combo_EOL", {4560, 1560, 1455, 330}, ItemList::EndOfLine,
                 "Select the input character used to signify the end of the input string.",
                 kArial825)
        .editing(&RedirectSettings::Combo_EOL),
    textBox("Text_preamble", {600, 2400, 2655, 375}, "Enter a Pre-amble string if required.",
            kArial825)
        .editing(&RedirectSettings::Text_preamble),
    textBox("Text_postamble", {3840, 2400, 2655, 375}, "Enter a Post-amble string if required.",
            kArial825)
        .editing(&RedirectSettings::Text_postamble),
    dropDownList("Combo_addpostamble", {5280, 2880, 1215, 330}, ItemList::SpecialKeys,
                 kSpecialKeyTip, kArial825),
    button("Command2", {3840, 2880, 1335, 255}, "Add special  key", kArial825),
    button("Command3", {600, 2880, 1335, 255}, "Add special  key", kArial825),
    dropDownList("Combo_addpreamble", {2040, 2880, 1215, 330}, ItemList::SpecialKeys,
                 kSpecialKeyTip, kArial825),
    button("Command4", {3840, 4200, 1335, 255}, "Add special  key", kArial825),
    dropDownList("Combo_replacewith", {5280, 4200, 1215, 330}, ItemList::SpecialKeys,
                 kSpecialKeyTip, kArial825),
    button("Command_advanced_options_OK", {7920, 6360, 975, 495}, "DONE", kArial975).onLightGrey(),
    checkBox("Check_preamble", {6960, 2760, 1455, 375}, "Pre-amble",
             "Enable this to send the Pre-amble text before transfering the received data.")
        .editing(&RedirectSettings::Check_preamble),
    checkBox("Check_postamble", {6960, 3120, 1935, 375}, "Post-amble",
             "Enable this to send the Post-amble text after transfering the received data.")
        .editing(&RedirectSettings::Check_postamble),
    checkBox("Check_replacestring", {6960, 3480, 1935, 375}, "Replace String",
             "Enable this to find and replace a selected string from the input data")
        .editing(&RedirectSettings::Check_replacestring),
    button("Command1", {600, 4260, 1335, 255}, "Add Ascii code", kArial825),
    dropDownList("Combo_searchfor", {2040, 4200, 1215, 330}, ItemList::SearchCharacters,
                 kCharacterTip, kArial825),
    dropDownList("Combo_hotkey1", {600, 5520, 1455, 330}, ItemList::HotKeys, kHotKeyTip, kArial825)
        .editing(&RedirectSettings::Combo_hotkey1),
    checkBox("Check_enablehotkey1", {6960, 3840, 2175, 375}, "Enable Hotkey1",
             "Enable this to send a string out of the COM port when Hotkey1 is pressed.")
        .editing(&RedirectSettings::Check_enablehotkey1),
    button("Command5", {4920, 5880, 1335, 255}, "Add user defined", kArial825),
    textBox("Text_hotkey1", {2160, 5520, 2655, 375}, kHotKeyTextTip, kArial825)
        .editing(&RedirectSettings::Text_hotkey1),
    textBox("Text_hotkey1_addascii", {6360, 5820, 615, 315}, kCodeTip, kArial825)
        .limitedTo(kCodeBoxLength),
    button("Command6", {4920, 5460, 1335, 255}, "Add Ascii code", kArial825),
    dropDownList("Combo_hotkey_ascii_add", {6360, 5400, 1215, 330}, ItemList::HotKeyCharacters,
                 kCharacterTip, kArial825),
    dropDownList("Combo_hotkey_ascii_add2", {6360, 6360, 1215, 330}, ItemList::HotKeyCharacters,
                 kCharacterTip, kArial825),
    button("Command7", {4920, 6420, 1335, 255}, "Add Ascii code", kArial825),
    textBox("Text_hotkey2_addascii", {6360, 6780, 615, 315}, kCodeTip, kArial825)
        .limitedTo(kCodeBoxLength),
    textBox("Text_hotkey2", {2160, 6480, 2655, 375}, kHotKeyTextTip, kArial825)
        .editing(&RedirectSettings::Text_hotkey2),
    button("Command8", {4920, 6840, 1335, 255}, "Add user defined", kArial825),
    dropDownList("Combo_hotkey2", {600, 6480, 1455, 330}, ItemList::HotKeys, kHotKeyTip, kArial825)
        .editing(&RedirectSettings::Combo_hotkey2),
    // The only switch without a tip of its own.
    checkBox("Check_enablehotkey2", {6960, 4200, 2175, 375}, "Enable Hotkey2", "")
        .editing(&RedirectSettings::Check_enablehotkey2),
    button("Command9", {600, 4680, 1335, 255}, "Add user defined", kArial825),
    textBox("Text_searchfor_user_defined", {2040, 4620, 615, 315}, kCodeTip, kArial825)
        .limitedTo(kCodeBoxLength),
});

inline constexpr WindowLayout kForm3Layout{
    .name = "Form3",
    .caption = kProgramCaption,
    .clientWidth = 9210,
    .clientHeight = 7185,
    .controls = kForm3Controls,
    .menus = kForm3Menus,
};

}  // namespace vantorix
