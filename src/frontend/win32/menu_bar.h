#pragma once

#include <windows.h>

#include <optional>

#include "forms/layout/window_layout.h"

namespace vantorix::win32 {

// The menu bar of `layout`: its menus and their items with the layout's
// texts, "-" as a separator line. Each menu and item carries its layout as
// its item data, so that it can be told by name. Picking an item sends
// WM_COMMAND with the identifier of its command.
HMENU createMenuBar(const WindowLayout& layout);

WORD menuCommandId(MenuCommand command);
std::optional<MenuCommand> menuCommandOf(WORD identifier);

}  // namespace vantorix::win32
