#pragma once

#include <windows.h>

#include <string_view>

namespace vantorix::win32 {

// Whether `text` may stand in a settings text: every character one that
// Windows-1252 has a byte for (the program keeps its texts in that code page),
// and no line break (a setting is one line of vantorix.cfg).
bool fitsSettingsText(std::wstring_view text);

// From now on the edit control refuses, with a beep, a typed character or a
// pasted text that would not fit, so that the box shows exactly what is stored.
void keepToWindows1252(HWND edit);

}  // namespace vantorix::win32
