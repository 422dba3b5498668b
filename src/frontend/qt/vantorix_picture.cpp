#include "frontend/qt/vantorix_picture.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>

namespace vantorix {
namespace {

const QColor kInk(40, 60, 110);
const QColor kPlug(90, 120, 190);
const QColor kKey(245, 245, 245);

// A nine-pin connector shell seen from the front, with or without its pins.
void paintPlug(QPainter& painter, QRectF area, bool withPins) {
    QPainterPath shell;
    const qreal slant = area.width() * 0.12;
    shell.moveTo(area.left(), area.top());
    shell.lineTo(area.right(), area.top());
    shell.lineTo(area.right() - slant, area.bottom());
    shell.lineTo(area.left() + slant, area.bottom());
    shell.closeSubpath();
    painter.setBrush(kPlug);
    painter.drawPath(shell);
    if (!withPins) {
        return;
    }
    painter.save();
    painter.setBrush(kKey);
    QPen thin = painter.pen();
    thin.setWidthF(std::max(1.0, thin.widthF() / 2));
    painter.setPen(thin);
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
    painter.restore();
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

// An "A" as a shape, so that it needs no font: the legs, the crossbar and the
// counter, in fractions of the key cap.
void paintLetterA(QPainter& painter, QRectF key) {
    const auto at = [&key](qreal x, qreal y) {
        return QPointF(key.left() + key.width() * x, key.top() + key.height() * y);
    };
    QPainterPath letter;
    letter.setFillRule(Qt::OddEvenFill);
    letter.moveTo(at(0.24, 0.78));
    letter.lineTo(at(0.43, 0.22));
    letter.lineTo(at(0.57, 0.22));
    letter.lineTo(at(0.76, 0.78));
    letter.lineTo(at(0.61, 0.78));
    letter.lineTo(at(0.57, 0.65));
    letter.lineTo(at(0.43, 0.65));
    letter.lineTo(at(0.39, 0.78));
    letter.closeSubpath();
    letter.moveTo(at(0.455, 0.53));
    letter.lineTo(at(0.545, 0.53));
    letter.lineTo(at(0.5, 0.37));
    letter.closeSubpath();
    painter.save();
    painter.setPen(Qt::NoPen);
    painter.setBrush(kInk);
    painter.drawPath(letter);
    painter.restore();
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
    paintPlug(painter, plug, true);
    paintKeyCap(painter, key);
    return pixmap;
}

QPixmap vantorixIconPicture(int side) {
    QPixmap pixmap(side, side);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal s = side;
    // Whole pixels, with a line of odd width on the pixel centres: crisp at 16 pixels.
    const qreal pen = std::max(1.0, std::round(s / 16));
    const auto snapped = [pen](qreal left, qreal top, qreal right, qreal bottom) {
        const qreal half = static_cast<int>(pen) % 2 == 1 ? 0.5 : 0.0;
        return QRectF(QPointF(std::round(left) + half, std::round(top) + half),
                      QPointF(std::round(right) - half, std::round(bottom) - half));
    };
    painter.setPen(QPen(kInk, pen, Qt::SolidLine, Qt::SquareCap, Qt::RoundJoin));

    const QRectF key = snapped(s * 0.34, s * 0.28, s, s);
    painter.setBrush(kKey);
    painter.drawRoundedRect(key, s * 0.12, s * 0.12);
    paintLetterA(painter, key);

    // Below 48 pixels the pins would be specks.
    paintPlug(painter, snapped(0, s * 0.06, s * 0.62, s * 0.44), side >= 48);
    return pixmap;
}

QIcon vantorixIcon() {
    QIcon icon;
    for (const int side : {16, 22, 24, 32, 48, 64}) {
        icon.addPixmap(vantorixIconPicture(side));
    }
    return icon;
}

}  // namespace vantorix
