#pragma once

#include <functional>
#include <string_view>

#include <QString>
#include <QWidget>

#include "forms/layout/window_layout.h"

class QMainWindow;

namespace vantorix {

// Makes every control of `layout` on `client`, named after it, in the
// layout's order (the first lies at the back, and the focus moves from one to
// the next), placed at `client`'s dpi; `client` takes the size of the
// layout's client area.
void renderClientArea(QWidget& client, const WindowLayout& layout);

// The same on a main window's central widget, with the window's caption and
// its menu bar; a menu item calls `onCommand` with its command.
void renderMainWindow(QMainWindow& window, const WindowLayout& layout,
                      std::function<void(MenuCommand)> onCommand);

// The control of `client` named `name`, made by renderClientArea.
template <typename Widget>
Widget* controlOf(const QWidget& client, std::string_view name) {
    return client.findChild<Widget*>(
        QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())),
        Qt::FindDirectChildrenOnly);
}

}  // namespace vantorix
