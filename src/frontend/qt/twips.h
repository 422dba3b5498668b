#pragma once

#include <QWidget>

#include "forms/layout/window_layout.h"

namespace vantorix {

// A rectangle of a layout in pixels at `widget`'s logical dpi.
inline QRect pixelsFor(const QWidget& widget, TwipRect rect) {
    const int dpi = widget.logicalDpiX();
    return {twipsToPixels(rect.left, dpi), twipsToPixels(rect.top, dpi),
            twipsToPixels(rect.width, dpi), twipsToPixels(rect.height, dpi)};
}

inline void placeInTwips(QWidget& widget, TwipRect rect) {
    widget.setGeometry(pixelsFor(widget, rect));
}

}  // namespace vantorix
