#pragma once

#include <windows.h>

#include <string>
#include <string_view>

#include "forms/layout/window_layout.h"
#include "frontend/win32/layout_controls.h"
#include "settings/redirect_settings.h"

namespace vantorix::win32 {

// The control's text, as the program keeps text (Windows-1252).
std::string controlText(HWND control);
// The row a drop-down list shows; empty when it shows none.
std::string shownRow(HWND list);
// Shows the row of that text; none when the list has no such row.
void showRow(HWND list, std::string_view row);

// `control` (of layout `c`) sent `notification`: when it is the control's
// change (a row picked, a text edited, a box ticked) and the control edits a
// setting, the setting takes the control's value at once.
void storeChange(const ControlLayout& c, HWND control, WORD notification,
                 RedirectSettings& settings);

// The controls of `layout` that edit a setting show its value. A check value
// other than 0 and 1 shows unticked, and stays as it is until the user clicks.
void showSettingsInControls(const LayoutControls& controls, const WindowLayout& layout,
                            const RedirectSettings& settings);

}  // namespace vantorix::win32
