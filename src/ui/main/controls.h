#pragma once

#include <QFont>
#include <QString>
#include <QWidget>

namespace vantorix {

// The windows' typeface at a given size.
inline QFont arial(qreal points, bool bold = false) {
    QFont font(QStringLiteral("Arial"));
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

// A control of a window, named after its member so that it can be found by name.
template <typename Widget>
Widget* makeControl(QWidget* parent, const char* name, const QFont& font) {
    auto* widget = new Widget(parent);
    widget->setObjectName(QString::fromLatin1(name));
    widget->setFont(font);
    return widget;
}

}  // namespace vantorix
