#include "app/window_session.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QSessionManager>
#include <QSystemTrayIcon>

#include "app/termination_signals.h"
#include "desktop/hot_key_service.h"
#include "desktop/notification_icon.h"
#include "desktop/startup_shortcut.h"
#include "port/config_file.h"
#include "ui/main/form1.h"

namespace vantorix {
namespace {

// The manual beside the executable; an installed program finds it where
// the package puts documentation instead.
std::string helpFile() {
#ifdef Q_OS_WIN
    const QString name = QStringLiteral("vantorix.chm");
#else
    const QString name = QStringLiteral("vantorix.html");
#endif
    const QDir programFolder(QCoreApplication::applicationDirPath());
    QString path = programFolder.filePath(name);
    const QString installed = programFolder.filePath(QStringLiteral("../share/doc/vantorix/") + name);
    if (!QFileInfo::exists(path) && QFileInfo::exists(installed)) {
        path = QDir::cleanPath(installed);
    }
    return path.toLocal8Bit().toStdString();
}

}  // namespace

int runWithWindow(const CommandLine& options, Keyboard& keyboard) {
    RedirectSettings settings;
    ConfigFile file;
    InertHotKeys hotKeys;
    InertNotificationIcon icon;
    InertStartupShortcut shortcut;
    QtMessageBoxes messages;
    FORM1 form({settings, keyboard, file, hotKeys, icon, shortcut, messages,
                [&icon] {
                    return icon.restoresWindows() && QSystemTrayIcon::isSystemTrayAvailable();
                }});

    const TerminationSignals termination([&form](int) { form.exitProgram(); });
    QObject::connect(qApp, &QGuiApplication::commitDataRequest, &form,
                     [&form](QSessionManager&) { form.logic().prepare_for_exit(); });
    QObject::connect(qApp, &QCoreApplication::aboutToQuit, &form,
                     [&form] { form.logic().prepare_for_exit(); });

    form.Form_Load(helpFile(), options.port);
    form.showAfterLoad();
    return QApplication::exec();
}

}  // namespace vantorix
