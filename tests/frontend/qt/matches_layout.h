#pragma once

#include <algorithm>
#include <span>
#include <string>

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>

#include <gtest/gtest.h>

#include "forms/layout/window_layout.h"
#include "frontend/qt/windows1252_text.h"

namespace vantorix::test {

inline QString qt(std::string_view text) {
    return fromWindows1252(text);
}

inline ControlKind kindOf(const QWidget& widget) {
    if (qobject_cast<const QComboBox*>(&widget)) {
        return ControlKind::DropDownList;
    }
    if (qobject_cast<const QLineEdit*>(&widget)) {
        return ControlKind::TextBox;
    }
    if (qobject_cast<const QCheckBox*>(&widget)) {
        return ControlKind::CheckBox;
    }
    if (qobject_cast<const QRadioButton*>(&widget)) {
        return ControlKind::OptionButton;
    }
    if (qobject_cast<const QPushButton*>(&widget)) {
        return ControlKind::Button;
    }
    const auto& label = dynamic_cast<const QLabel&>(widget);
    if (!label.pixmap().isNull()) {
        return ControlKind::Picture;
    }
    return label.cursor().shape() == Qt::PointingHandCursor ? ControlKind::Link
                                                            : ControlKind::Label;
}

inline QString captionOf(const QWidget& widget) {
    if (const auto* label = qobject_cast<const QLabel*>(&widget)) {
        return label->text();
    }
    if (const auto* button = qobject_cast<const QAbstractButton*>(&widget)) {
        return button->text();
    }
    return {};
}

inline QRect pixelsAt96Dpi(TwipRect rect) {
    return {twipsToPixels(rect.left, 96), twipsToPixels(rect.top, 96),
            twipsToPixels(rect.width, 96), twipsToPixels(rect.height, 96)};
}

// Every control of `layout` is the widget of that name on `client`, of its
// kind, with its caption, tip, font and item list, where the layout puts it
// at 96 dpi, shown and enabled as the window opens. A caption that needs more
// room than the layout gives widens its control to the right just enough.
inline void expectMatchesLayout(const QWidget& client, const WindowLayout& layout) {
    ASSERT_EQ(client.logicalDpiX(), 96);
    EXPECT_EQ(client.size(), pixelsAt96Dpi({0, 0, layout.clientWidth, layout.clientHeight}).size());
    for (const ControlLayout& c : layout.controls) {
        SCOPED_TRACE(std::string(layout.name) + "." + std::string(c.name));
        const auto* widget = client.findChild<QWidget*>(qt(c.name), Qt::FindDirectChildrenOnly);
        ASSERT_NE(widget, nullptr);
        EXPECT_EQ(kindOf(*widget), c.kind);
        EXPECT_EQ(captionOf(*widget), qt(c.caption));
        EXPECT_EQ(widget->toolTip(), qt(c.tooltip));
        EXPECT_EQ(widget->isHidden(), !c.visible);
        EXPECT_EQ(widget->isEnabled(), c.enabled);

        const QRect designed = pixelsAt96Dpi(c.rect);
        const QRect placed = widget->geometry();
        EXPECT_EQ(placed.topLeft(), designed.topLeft());
        EXPECT_EQ(placed.height(), designed.height());
        const bool captionWidens =
            c.kind == ControlKind::Label || c.kind == ControlKind::CheckBox ||
            c.kind == ControlKind::OptionButton || c.kind == ControlKind::Link;
        const int needed = captionWidens ? widget->sizeHint().width() : 0;
        EXPECT_EQ(placed.width(), std::max(designed.width(), needed));

        EXPECT_EQ(widget->font().family(), qt(c.font.face));
        EXPECT_DOUBLE_EQ(widget->font().pointSizeF(), c.font.points);
        EXPECT_EQ(widget->font().bold(), c.font.bold);
        EXPECT_EQ(widget->font().underline(), c.font.underline);

        if (const auto* list = qobject_cast<const QComboBox*>(widget)) {
            EXPECT_FALSE(list->isEditable());
            const std::span<const std::string> rows = itemsOf(c.items);
            // The port list goes on with the devices present.
            if (c.items == ItemList::Ports) {
                ASSERT_GE(list->count(), static_cast<int>(rows.size()));
            } else {
                ASSERT_EQ(list->count(), static_cast<int>(rows.size()));
            }
            for (std::size_t i = 0; i < rows.size(); ++i) {
                EXPECT_EQ(list->itemText(static_cast<int>(i)), qt(rows[i]));
            }
        }
        if (const auto* box = qobject_cast<const QLineEdit*>(widget)) {
            EXPECT_EQ(box->maxLength(), c.maxLength > 0 ? c.maxLength : QLineEdit().maxLength());
        }
    }
}

// The window's menu bar holds the layout's menus, their items named and
// worded as the layout gives them.
inline void expectMenusMatchLayout(const QMainWindow& window, const WindowLayout& layout) {
    for (const MenuLayout& m : layout.menus) {
        const auto* menu = window.findChild<QMenu*>(qt(m.name));
        ASSERT_NE(menu, nullptr) << m.name;
        EXPECT_EQ(menu->title(), qt(m.text));
        const QList<QAction*> actions = menu->actions();
        ASSERT_EQ(actions.size(), static_cast<qsizetype>(m.items.size())) << m.name;
        for (std::size_t i = 0; i < m.items.size(); ++i) {
            const MenuItemLayout& item = m.items[i];
            const QAction* action = actions[static_cast<qsizetype>(i)];
            EXPECT_EQ(action->objectName(), qt(item.name));
            EXPECT_EQ(action->isSeparator(), item.isSeparator()) << item.name;
            if (!item.isSeparator()) {
                EXPECT_EQ(action->text(), qt(item.text)) << item.name;
            }
        }
    }
}

}  // namespace vantorix::test
