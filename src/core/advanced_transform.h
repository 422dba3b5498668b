#pragma once

#include <string>
#include <string_view>

#include "settings/redirect_settings.h"

namespace vantorix {

// Replaces every occurrence of `search` in `text` by `replacement`, left to
// right and without overlaps; the replacement is never searched again.
// Letters match regardless of case (A-Z and the Windows-1252 letters that
// have a case). An empty search text matches nothing.
void replaceIgnoringCase(std::string& text, std::string_view search, std::string_view replacement);

// Turns one input string into the key string typed for it, in this order:
// escape (K1), Replace String, CR and LF translation with the printable filter
// (K2 to K4), pre-amble, post-amble. Replace String, the pre-amble and the
// post-amble apply only while `advancedActive` (the main window's indicator)
// is on and their own switch is set. Rewrites `rx_received`.
void process_advanced_options_string(std::string& rx_received, const RedirectSettings& settings,
                                     bool advancedActive);

}  // namespace vantorix
