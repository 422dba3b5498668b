#include "frontend/win32/program_icon.h"

#include <algorithm>
#include <map>

namespace vantorix::win32 {

HICON programIcon(int side) {
    static std::map<int, HICON> loaded;
    HICON& icon = loaded[side];
    if (icon == nullptr) {
        icon = static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr),
                                             MAKEINTRESOURCEW(kProgramIconId), IMAGE_ICON, side,
                                             side, LR_DEFAULTCOLOR));
    }
    if (icon == nullptr) {
        icon = static_cast<HICON>(
            LoadImageW(nullptr, IDI_APPLICATION, IMAGE_ICON, side, side, LR_SHARED));
    }
    return icon;
}

// The icon's drawing fills its width and only a band across its middle, so
// the icon is drawn wider than the control is high, in the proportions the
// picture has in the Linux program, and its empty margins are cut off.
void drawProgramPicture(HDC dc, const RECT& area) {
    FillRect(dc, &area, GetSysColorBrush(COLOR_BTNFACE));
    const int width = area.right - area.left;
    const int height = area.bottom - area.top;
    const int side = std::min(height, width * 10 / 22) * 21 / 10;
    if (side <= 0) {
        return;
    }
    const int saved = SaveDC(dc);
    IntersectClipRect(dc, area.left, area.top, area.right, area.bottom);
    DrawIconEx(dc, area.left + (width - side) / 2, area.top + (height - side) / 2,
               programIcon(side), side, side, 0, nullptr, DI_NORMAL);
    RestoreDC(dc, saved);
}

}  // namespace vantorix::win32
