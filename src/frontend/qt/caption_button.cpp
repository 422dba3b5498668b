#include "frontend/qt/caption_button.h"

#include <QPainter>

namespace vantorix {
namespace {

const QColor kFace(224, 224, 224);
const QColor kPressedFace(200, 200, 200);
const QColor kBorder(128, 128, 128);
const QColor kDisabledText(150, 150, 150);
constexpr int kTextMargin = 4;

}  // namespace

void CaptionButton::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    painter.fillRect(rect(), isDown() ? kPressedFace : kFace);
    const QRect edge = rect().adjusted(0, 0, -1, -1);
    painter.setPen(hasFocus() ? palette().color(QPalette::Highlight) : kBorder);
    painter.drawRect(edge);
    if (hasFocus()) {
        painter.drawRect(edge.adjusted(1, 1, -1, -1));
    }
    painter.setPen(isEnabled() ? palette().color(QPalette::Active, QPalette::ButtonText)
                               : kDisabledText);
    const QRect textArea = rect().adjusted(kTextMargin, kTextMargin, -kTextMargin, -kTextMargin);
    painter.drawText(textArea, Qt::AlignCenter | Qt::TextWordWrap, text());
}

}  // namespace vantorix
