#pragma once

#include <string>

#include "settings/redirect_settings.h"

namespace vantorix {

// The translation steps that turn received text into a key string. Each
// rewrites the text it is given.

// K1: wraps each of } { ^ + % ~ ( ) [ ] in braces, so received text types
// literally instead of acting as key syntax.
void escapeKeySyntax(std::string& text);

// K2: a line feed becomes "~" (ENTER) when `toEnter`, else it is dropped.
void translateLineFeeds(std::string& text, bool toEnter);

// K3: the same for a carriage return.
void translateCarriageReturns(std::string& text, bool toEnter);

// K4: keeps codes 32 to 126, turns TAB into "{TAB}" and drops everything else.
void filterPrintable(std::string& text);

// E8: wraps each of + ^ % ~ ( ) [ ] of user text (pre-amble, post-amble,
// replacement) in braces. Braces are left alone so that key tokens such as
// "{ENTER}" written there reach the keyboard as keys.
void escapeUserText(std::string& text);

// K2 to K4 with the current CR and LF switches.
void translateLineEndsAndFilter(std::string& text, const RedirectSettings& settings);

// The whole simple-path translation, K1 to K4.
void translateReceivedText(std::string& text, const RedirectSettings& settings);

}  // namespace vantorix
