#include "frontend/qt/help.h"

#include <utility>

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QKeySequence>
#include <QShortcut>
#include <QWidget>

namespace vantorix {

bool DesktopUrlOpener::openUrl(const QUrl& url) {
    return QDesktopServices::openUrl(url);
}

std::string helpFileFor(const QString& programFolder) {
#ifdef Q_OS_WIN
    const QString name = QStringLiteral("vantorix.chm");
#else
    const QString name = QStringLiteral("vantorix.html");
#endif
    const QDir folder(programFolder);
    QString path = folder.filePath(name);
    const QString installed = folder.filePath(QStringLiteral("../share/doc/vantorix/") + name);
    if (!QFileInfo::exists(path) && QFileInfo::exists(installed)) {
        path = QDir::cleanPath(installed);
    }
    return path.toLocal8Bit().toStdString();
}

QUrl helpFileUrl(const std::string& helpFile) {
    return QUrl::fromLocalFile(QString::fromLocal8Bit(helpFile));
}

void openHelpFile(UrlOpener& opener, const std::string& helpFile) {
    opener.openUrl(helpFileUrl(helpFile));
}

void installHelpKey(QWidget& window, std::function<void()> help) {
    auto* key = new QShortcut(QKeySequence(Qt::Key_F1), &window);
    key->setContext(Qt::WindowShortcut);
    QObject::connect(key, &QShortcut::activated, &window, std::move(help));
}

}  // namespace vantorix
