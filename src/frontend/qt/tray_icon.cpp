#include "frontend/qt/tray_icon.h"

namespace vantorix {

QString tipText(std::string_view tip) {
    QString text = QString::fromLatin1(tip.data(), static_cast<qsizetype>(tip.size()));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

TrayIcon::TrayIcon(const QIcon& image, QObject* parent) : QObject(parent), icon_(image) {
    connect(&icon_, &QSystemTrayIcon::activated, this,
            [this](QSystemTrayIcon::ActivationReason reason) {
                if (reason == QSystemTrayIcon::DoubleClick && onDoubleClick) {
                    onDoubleClick();
                }
            });
}

void TrayIcon::place(std::string_view tip) {
    icon_.setToolTip(tipText(tip));
    icon_.show();
    placed_ = true;
}

void TrayIcon::setTip(std::string_view tip) {
    icon_.setToolTip(tipText(tip));
}

// Shown by the notification area as a passing balloon, or by the desktop's
// notification service where the notification area hands it on.
void TrayIcon::notify(std::string_view title, std::string_view text) {
    if (placed_) {
        icon_.showMessage(
            QString::fromLocal8Bit(title.data(), static_cast<qsizetype>(title.size())),
            QString::fromLocal8Bit(text.data(), static_cast<qsizetype>(text.size())),
            QSystemTrayIcon::Information);
    }
}

void TrayIcon::remove() {
    icon_.hide();
    placed_ = false;
}

bool TrayIcon::restoresWindows() const {
    return placed_ && icon_.isVisible() && QSystemTrayIcon::isSystemTrayAvailable();
}

}  // namespace vantorix
