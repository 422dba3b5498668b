#pragma once

#include <QRect>
#include <QWidget>
#include <cmath>

namespace vantorix {

// Window layouts are kept in twips (1/1440 inch): 15 twips to a pixel at
// 96 dpi, scaled with the screen's logical dpi.
inline int twipsToPixels(int twips, qreal logicalDpi) {
    return static_cast<int>(std::lround(twips * logicalDpi / 1440.0));
}

inline void placeInTwips(QWidget& widget, int left, int top, int width, int height) {
    const qreal dpi = widget.logicalDpiX();
    widget.setGeometry(twipsToPixels(left, dpi), twipsToPixels(top, dpi), twipsToPixels(width, dpi),
                       twipsToPixels(height, dpi));
}

// The same, but never narrower than the widget's own size hint: fonts other
// than the ones the layout was drawn with may need a few pixels more for a
// caption.
inline void placeInTwipsAtLeastHint(QWidget& widget, int left, int top, int width, int height) {
    placeInTwips(widget, left, top, width, height);
    if (widget.sizeHint().width() > widget.width()) {
        widget.resize(widget.sizeHint().width(), widget.height());
    }
}

}  // namespace vantorix
