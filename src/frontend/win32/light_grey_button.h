#pragma once

#include <windows.h>

namespace vantorix::win32 {

// The face of the program's main buttons: light grey (224, 224, 224).
inline constexpr COLORREF kLightGreyFace = RGB(224, 224, 224);

// Draws an owner-drawn button on the light-grey face: raised, sunken while
// pressed, its caption centred and broken over lines where it is too wide,
// greyed when the button is disabled, with the focus frame when it has the
// keyboard focus.
void drawLightGreyButton(const DRAWITEMSTRUCT& item);

}  // namespace vantorix::win32
