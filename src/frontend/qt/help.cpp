#include "frontend/qt/help.h"

#include <utility>

#include <QDesktopServices>
#include <QKeySequence>
#include <QShortcut>
#include <QWidget>

namespace vantorix {

QUrl urlFor(const std::string& address) {
    const QString text = QString::fromLocal8Bit(address);
    if (text.contains(QStringLiteral("://"))) {
        return QUrl(text);
    }
    return QUrl::fromLocalFile(text);
}

bool DesktopUrlOpener::openUrl(const std::string& address) {
    return QDesktopServices::openUrl(urlFor(address));
}

void installHelpKey(QWidget& window, std::function<void()> help) {
    auto* key = new QShortcut(QKeySequence(Qt::Key_F1), &window);
    key->setContext(Qt::WindowShortcut);
    QObject::connect(key, &QShortcut::activated, &window, std::move(help));
}

}  // namespace vantorix
