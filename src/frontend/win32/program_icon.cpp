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

void drawProgramPicture(HDC dc, const RECT& area) {
    FillRect(dc, &area, GetSysColorBrush(COLOR_BTNFACE));
    const int side = std::min(area.right - area.left, area.bottom - area.top);
    if (side <= 0) {
        return;
    }
    const int left = area.left + (area.right - area.left - side) / 2;
    const int top = area.top + (area.bottom - area.top - side) / 2;
    DrawIconEx(dc, left, top, programIcon(side), side, side, 0, nullptr, DI_NORMAL);
}

}  // namespace vantorix::win32
