#pragma once

#include <array>

#include "forms/layout/window_layout.h"

namespace vantorix {

inline constexpr std::string_view kProgramCaption = "VANTORIX Serial port to keyboard redirection";

// The HELP menu, as the main window names it.
inline constexpr std::array<MenuItemLayout, 3> kForm1HelpItems = {{
    {"menu_help_contents", "HELP Contents and Index      F1", MenuCommand::HelpContents},
    {"menu_separator1", "-"},
    {"menu_about_vantorix", "About VANTORIX", MenuCommand::About},
}};
inline constexpr std::array<MenuLayout, 1> kForm1Menus = {{{"menu_help", "HELP", kForm1HelpItems}}};

// The main window: the serial line settings on the left, the switches on the
// right, START and STOP REDIRECTION below.
inline constexpr auto kForm1Controls = std::to_array<ControlLayout>({
    picture("Image1", {120, 120, 8655, 1020}),
    label("Label9", {120, 1200, 8655, 375}, "VANTORIX", kArial1425Bold).centredText(),
    label("Label2", {0, 1560, 9015, 375}, "Simple Serial to Keyboard Redirection Program",
          kArial1425Bold)
        .centredText(),
    label("Label4", {1440, 2400, 945, 270}, "SELECT"),
    label("Label3", {4320, 2400, 1095, 255}, "OPTIONS"),
    label("Label6", {600, 2760, 1200, 270}, "COMs port."),
    label("Label1", {600, 3240, 1020, 270}, "Baud rate"),
    label("Label5", {600, 3720, 600, 270}, "Parity"),
    label("Label7", {600, 4200, 930, 270}, "Stop bits"),
    label("Label10", {600, 4680, 1275, 270}, "Data Length"),
    label("Label8", {600, 5160, 1185, 270}, "Handshake"),
    dropDownList("Combo_portselect", {2040, 2760, 1215, 390}, ItemList::Ports,
                 "Select the COM port to be used to redirect characters from.", kArial12)
        .editing(&RedirectSettings::Combo_portselect),
    dropDownList("Combo_baud", {2040, 3240, 1215, 390}, ItemList::Baud,
                 "Select the Baud rate for the Input Com Port.", kArial12)
        .editing(&RedirectSettings::Combo_baud),
    dropDownList("Combo_parity", {2040, 3720, 1215, 390}, ItemList::Parity,
                 "Select the Parity for the Input Com Port.", kArial12)
        .editing(&RedirectSettings::Combo_parity),
    dropDownList("Combo_stop", {2040, 4200, 1215, 390}, ItemList::StopBits,
                 "Select the number of stop bits for the Input Com Port.", kArial12)
        .editing(&RedirectSettings::Combo_stop),
    dropDownList("Combo_length", {2040, 4680, 1215, 390}, ItemList::DataLength,
                 "Select the data length for the Input Com Port.", kArial12)
        .editing(&RedirectSettings::Combo_length),
    dropDownList("Combo_handshake", {2040, 5160, 1455, 390}, ItemList::Handshake,
                 "Select the Handshake mode for the Input Com Port.", kArial12)
        .editing(&RedirectSettings::Combo_handshake),
    checkBox("Check_ENTER_KEY", {4440, 2760, 3495, 375}, "Translate CR to ENTER key",
             "Enable this to automatically send the enter key after a carriage return character "
             "is detected.")
        .editing(&RedirectSettings::Check_ENTER_KEY),
    checkBox("Check_LF_KEY", {4440, 3120, 3375, 375}, "Translate LF to ENTER key",
             "Enable this to automatically send the enter key after a line feed character is "
             "detected.")
        .editing(&RedirectSettings::Check_LF_KEY),
    checkBox("Check_startup", {4440, 3720, 4215, 375}, "Start Vantorix when computer starts",
             "Enable this to automatically start this program when the computer starts.")
        .editing(&RedirectSettings::Check_startup),
    checkBox("Check_startrun", {4440, 4080, 4215, 375}, "Start redirection when Vantorix starts",
             "Enable this to open the selected port and start redirecting as soon as Vantorix "
             "starts.")
        .editing(&RedirectSettings::Check_startrun),
    button("Command1", {480, 5880, 1455, 735}, "START REDIRECTION", kArial975).onLightGrey(),
    button("Command_stop_redirect", {2160, 5880, 1455, 735}, "STOP REDIRECTION", kArial975)
        .onLightGrey()
        .disabled(),
    button("Command_advanced_options", {4440, 5880, 1455, 735}, "Set Advanced Options", kArial975)
        .onLightGrey(),
    optionButton("Option1_advanced_active", {6120, 5880, 2535, 375}, "Advanced options active")
        .disabled(),
    // Pressed by the hot keys, never by the user.
    button("cmd_hotkey_pressed", {4200, 4560, 1455, 495}, "hotkey1_pressed", kArial975).hidden(),
    button("cmd_hotkey2_pressed", {4200, 5040, 1455, 495}, "hotkey2_pressed", kArial975).hidden(),
});

inline constexpr WindowLayout kForm1Layout{
    .name = "FORM1",
    .caption = kProgramCaption,
    .clientWidth = 9135,
    .clientHeight = 6855,
    .controls = kForm1Controls,
    .menus = kForm1Menus,
};

}  // namespace vantorix
