#include "frontend/qt/window_session.h"

#include <QApplication>
#include <QDir>
#include <QSessionManager>

#include "forms/hot_keys.h"
#include "frontend/qt/help.h"
#include "frontend/qt/hot_key_grabber.h"
#include "frontend/qt/message_boxes.h"
#include "frontend/qt/termination_signals.h"
#include "frontend/qt/tray_icon.h"
#include "frontend/qt/vantorix_picture.h"
#include "platform/posix/form_library.h"
#include "settings/config_file.h"

namespace vantorix {

QtWindowSession::QtWindowSession(RedirectSettings& settings, DesktopServices desktop)
    : Timer1([this] { session_.Timer1_Timer(); }),
      form_(settings, desktop.browser),
      advanced_(settings),
      session_(settings, MSComm1, Timer1, desktop, form_, advanced_) {
    form_.attach(&session_);
    advanced_.attach(&session_.advancedOptions(), &session_);
}

QtWindowSession::~QtWindowSession() {
    form_.attach(nullptr);
    advanced_.attach(nullptr, nullptr);
}

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
    QtWindowSession windows(settings, {keyboard, file, hotKeys, icon, shortcut, messages, browser});
    Form1Session& session = windows.session();

    const TerminationSignals termination([&session](int) { session.exitProgram(); });
    QObject::connect(qApp, &QGuiApplication::commitDataRequest, &windows.form(),
                     [&session](QSessionManager&) { session.prepare_for_exit(); });
    QObject::connect(qApp, &QCoreApplication::aboutToQuit, &windows.form(),
                     [&session] { session.prepare_for_exit(); });

    session.Form_Load(
        helpFileFor(QCoreApplication::applicationDirPath().toLocal8Bit().toStdString()),
        options.port);
    session.showAfterLoad();
    return QApplication::exec();
}

}  // namespace vantorix
