#include "app/window_session.h"

#include <QApplication>
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

std::string helpFileBesideExecutable() {
#ifdef Q_OS_WIN
    const QString name = QStringLiteral("vantorix.chm");
#else
    const QString name = QStringLiteral("vantorix.html");
#endif
    return (QCoreApplication::applicationDirPath() + QLatin1Char('/') + name)
        .toLocal8Bit()
        .toStdString();
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
                [] { return QSystemTrayIcon::isSystemTrayAvailable(); }});

    const TerminationSignals termination([&form](int) { form.exitProgram(); });
    QObject::connect(qApp, &QGuiApplication::commitDataRequest, &form,
                     [&form](QSessionManager&) { form.logic().prepare_for_exit(); });
    QObject::connect(qApp, &QCoreApplication::aboutToQuit, &form,
                     [&form] { form.logic().prepare_for_exit(); });

    form.Form_Load(helpFileBesideExecutable(), options.port);
    form.showAfterLoad();
    return QApplication::exec();
}

}  // namespace vantorix
