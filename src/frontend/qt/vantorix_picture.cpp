#include "frontend/qt/vantorix_picture.h"

#include <QPainter>
#include <QPainterPath>

namespace vantorix {
namespace {

const QColor kInk(40, 60, 110);
const QColor kPlug(90, 120, 190);
const QColor kKey(245, 245, 245);

void paintPlug(QPainter& painter, QRectF area) {
    // A nine-pin connector shell seen from the front.
    QPainterPath shell;
    const qreal slant = area.width() * 0.12;
    shell.moveTo(area.left(), area.top());
    shell.lineTo(area.right(), area.top());
    shell.lineTo(area.right() - slant, area.bottom());
    shell.lineTo(area.left() + slant, area.bottom());
    shell.closeSubpath();
    painter.setBrush(kPlug);
    painter.drawPath(shell);
    painter.setBrush(kKey);
    const qreal pin = area.height() * 0.16;
    for (int row = 0; row < 2; ++row) {
        const int pins = 5 - row;
        const qreal y = area.top() + area.height() * (row == 0 ? 0.3 : 0.68);
        const qreal span = area.width() * (row == 0 ? 0.7 : 0.56);
        for (int i = 0; i < pins; ++i) {
            const qreal x = area.center().x() - span / 2 + span * i / (pins - 1);
            painter.drawEllipse(QPointF(x, y), pin / 2, pin / 2);
        }
    }
}

void paintKeyCap(QPainter& painter, QRectF area) {
    painter.setBrush(kKey);
    painter.drawRoundedRect(area, area.width() * 0.15, area.width() * 0.15);
    QFont font = painter.font();
    font.setBold(true);
    font.setPixelSize(static_cast<int>(area.height() * 0.55));
    painter.setFont(font);
    painter.drawText(area, Qt::AlignCenter, QStringLiteral("A"));
}

}  // namespace

QPixmap vantorixPicture(QSize size) {
    QPixmap pixmap(size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(kInk, std::max(1.0, size.height() / 32.0)));

    const qreal h = size.height();
    const qreal w = size.width();
    const qreal unit = std::min(h, w / 2.2);
    const QRectF plug(w / 2 - unit * 1.05, h / 2 - unit * 0.3, unit * 0.8, unit * 0.6);
    const QRectF key(w / 2 + unit * 0.25, h / 2 - unit * 0.4, unit * 0.8, unit * 0.8);
    painter.drawLine(QPointF(plug.right(), h / 2), QPointF(key.left(), h / 2));
    paintPlug(painter, plug);
    paintKeyCap(painter, key);
    return pixmap;
}

QIcon vantorixIcon() {
    QIcon icon;
    for (const int side : {16, 24, 32, 48, 64}) {
        icon.addPixmap(vantorixPicture(QSize(side, side)));
    }
    return icon;
}

}  // namespace vantorix
