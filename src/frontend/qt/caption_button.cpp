#include "frontend/qt/caption_button.h"

#include <QStyleOptionButton>
#include <QStylePainter>

namespace vantorix {

void CaptionButton::paintEvent(QPaintEvent* /*event*/) {
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    const QString caption = option.text;
    option.text.clear();
    painter.drawControl(QStyle::CE_PushButton, option);

    const int margin = style()->pixelMetric(QStyle::PM_ButtonMargin, &option, this) / 2 + 2;
    const QRect textArea = option.rect.adjusted(margin, margin, -margin, -margin);
    painter.setPen(
        palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::ButtonText));
    painter.drawText(textArea, Qt::AlignCenter | Qt::TextWordWrap, caption);
}

}  // namespace vantorix
