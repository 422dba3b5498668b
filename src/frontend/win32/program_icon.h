#pragma once

#include <windows.h>

namespace vantorix::win32 {

// The identifier of the program's icon among the executable's resources.
inline constexpr int kProgramIconId = 1;

// The program's icon, `side` pixels square, from the executable's resources
// (the system's application icon in an executable without them). Loaded once
// per size and kept for the program's life.
HICON programIcon(int side);

// Draws the program's picture centred in `area`, as large as its height and
// width allow.
void drawProgramPicture(HDC dc, const RECT& area);

}  // namespace vantorix::win32
