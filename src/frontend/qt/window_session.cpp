#include "frontend/qt/window_session.h"

#include <QApplication>
#include <QDir>
#include <QSessionManager>
#include <QSystemTrayIcon>

#include "frontend/qt/termination_signals.h"
#include "platform/posix/form_library.h"
#include "frontend/qt/help.h"
#include "frontend/qt/hot_key_grabber.h"
#include "forms/hot_key_service.h"
#include "forms/hot_keys.h"
#include "forms/notification_icon.h"
#include "forms/startup_shortcut.h"
#include "frontend/qt/tray_icon.h"
#include "settings/config_file.h"
#include "frontend/qt/form1.h"
#include "frontend/qt/vantorix_picture.h"

namespace vantorix {

int runWithWindow(const CommandLine& options, Keyboard& keyboard) {
    RedirectSettings settings;
    ConfigFile file;
    // The grabber outlives the hot-key window, which releases its keys when it goes.
    const std::unique_ptr<HotKeyGrabber> grabber = makeHotKeyGrabber();
    frmHotKey hotKeys(settings, *grabber);
    TrayIcon icon(vantorixIcon());
    QtMessageBoxes messages;
    // Started at log-in, the program must find vantorix.cfg where it is now: the
    // working directory, which for an installed program is not the program folder.
    Form_LIBRARY shortcut(autostartFolderFromEnvironment(),
                          QCoreApplication::applicationFilePath().toLocal8Bit().toStdString(),
                          QDir::currentPath().toLocal8Bit().toStdString(), messages);
    DesktopUrlOpener browser;
    FORM1 form(
        {settings, keyboard, file, hotKeys, icon, shortcut, messages,
         [&icon] { return icon.restoresWindows() && QSystemTrayIcon::isSystemTrayAvailable(); },
         &browser});

    hotKeys.setActions([&form] { form.cmd_hotkey_pressed_Click(); },
                       [&form] { form.cmd_hotkey2_pressed_Click(); });
    icon.onDoubleClick = [&form] { form.restoreFromIcon(); };

    const TerminationSignals termination([&form](int) { form.exitProgram(); });
    QObject::connect(qApp, &QGuiApplication::commitDataRequest, &form,
                     [&form](QSessionManager&) { form.logic().prepare_for_exit(); });
    QObject::connect(qApp, &QCoreApplication::aboutToQuit, &form,
                     [&form] { form.logic().prepare_for_exit(); });

    form.Form_Load(helpFileFor(QCoreApplication::applicationDirPath()), options.port);
    form.showAfterLoad();
    return QApplication::exec();
}

}  // namespace vantorix
