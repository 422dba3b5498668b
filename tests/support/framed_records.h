#pragma once

#include "settings/redirect_settings.h"

namespace vantorix::test {

// Advanced options as a scale or a reader with one reading per line needs
// them: records ended by a carriage return, each typed between {HOME} and
// {ENTER}.
inline RedirectSettings framedRecordsEndingInCarriageReturn() {
    RedirectSettings settings;
    settings.Combo_EOL = "CR";
    settings.Check_preamble = 1;
    settings.Text_preamble = "{HOME}";
    settings.Check_postamble = 1;
    settings.Text_postamble = "{ENTER}";
    return settings;
}

}  // namespace vantorix::test
