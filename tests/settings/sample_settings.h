#pragma once

#include <sstream>
#include <string>

#include "settings/config_file.h"

namespace vantorix::test {

// The content of vantorix.cfg for `settings`.
inline std::string written(const RedirectSettings& settings) {
    std::ostringstream out;
    writeConfig(out, settings);
    return out.str();
}

// Settings in which every field differs from its default, with commas,
// braces, blanks and quotes in the texts.
inline RedirectSettings everyFieldChanged() {
    RedirectSettings s;
    s.Combo_portselect = "COM20";
    s.Combo_baud = "115200";
    s.Combo_parity = "Space";
    s.Combo_stop = "2";
    s.Combo_length = "5 bits";
    s.Combo_handshake = "RTS XonXoff";
    s.Check_ENTER_KEY = 1;
    s.Check_LF_KEY = 2;
    s.Combo_EOL = ",";
    s.Text_preamble = "a,b{HOME}";
    s.Text_postamble = "{ENTER},,";
    s.Text_searchfor = "{13}";
    s.Text_replacewith = " \"quoted\" ";
    s.Check_preamble = 1;
    s.Check_postamble = 1;
    s.Check_replacestring = 1;
    s.Check_startup = 1;
    s.Check_startrun = 1;
    s.Combo_hotkey1 = "Shift+F11";
    s.Combo_hotkey2 = "Ctrl+F7";
    s.Text_hotkey1 = "\xe9t\xe9{13}";
    s.Text_hotkey2 = "x,y";
    s.Check_enablehotkey1 = 1;
    s.Check_enablehotkey2 = 1;
    return s;
}

}  // namespace vantorix::test
