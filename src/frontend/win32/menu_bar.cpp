#include "frontend/win32/menu_bar.h"

#include "platform/win32/wide_text.h"

namespace vantorix::win32 {
namespace {

// Above the identifiers a dialog's keys send (IDOK, IDCANCEL).
constexpr WORD kFirstMenuId = 1000;

void appendNamed(HMENU menu, UINT flags, UINT_PTR identifier, std::string_view text,
                 const void* layout) {
    AppendMenuW(menu, flags, identifier, widen(text).c_str());
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_DATA;
    info.dwItemData = reinterpret_cast<ULONG_PTR>(layout);
    SetMenuItemInfoW(menu, static_cast<UINT>(GetMenuItemCount(menu) - 1), TRUE, &info);
}

}  // namespace

WORD menuCommandId(MenuCommand command) {
    return static_cast<WORD>(kFirstMenuId + static_cast<WORD>(command));
}

std::optional<MenuCommand> menuCommandOf(WORD identifier) {
    for (const MenuCommand command : {MenuCommand::HelpContents, MenuCommand::About}) {
        if (identifier == menuCommandId(command)) {
            return command;
        }
    }
    return std::nullopt;
}

HMENU createMenuBar(const WindowLayout& layout) {
    if (layout.menus.empty()) {
        return nullptr;
    }
    const HMENU bar = CreateMenu();
    for (const MenuLayout& m : layout.menus) {
        const HMENU menu = CreatePopupMenu();
        for (const MenuItemLayout& item : m.items) {
            if (item.isSeparator()) {
                appendNamed(menu, MF_SEPARATOR, 0, {}, &item);
            } else {
                appendNamed(menu, MF_STRING, menuCommandId(item.command), item.text, &item);
            }
        }
        appendNamed(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(menu), m.text, &m);
    }
    return bar;
}

}  // namespace vantorix::win32
