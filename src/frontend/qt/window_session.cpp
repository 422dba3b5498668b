#include "frontend/qt/window_session.h"

#include <iostream>
#include <optional>

#include <QApplication>
#include <QDir>
#include <QMessageBox>
#include <QMetaObject>
#include <QSessionManager>

#include "forms/hot_keys.h"
#include "frontend/qt/help.h"
#include "frontend/qt/hot_key_grabber.h"
#include "frontend/qt/hot_key_requests.h"
#include "frontend/qt/keyboard_choice.h"
#include "frontend/qt/keyboard_default.h"
#include "frontend/qt/message_boxes.h"
#include "frontend/qt/termination_signals.h"
#include "frontend/qt/tray_icon.h"
#include "frontend/qt/vantorix_picture.h"
#include "platform/posix/form_library.h"
#include "settings/config_file.h"

namespace vantorix {
namespace {

// Where most windows will not receive the keys, the user is told in a window
// too, beside the redirection it does not hold up.
void showKeyboardWarning(const std::string& backend, QWidget& mainWindow) {
    const std::string warning = keyboardWindowWarningHere(backend);
    if (warning.empty()) {
        return;
    }
    auto* box =
        new QMessageBox(QMessageBox::Warning, QString::fromLatin1(kKeyboardWindowWarningTitle),
                        QString::fromStdString(warning), QMessageBox::Ok, &mainWindow);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setModal(false);
    box->show();
}

}  // namespace

int runWithWindow(const CommandLine& options, Keyboard& keyboard,
                  std::function<void()>& keysOutputFailed) {
    // Every way out goes through the session's orderly exit, which may type
    // on after the last window has closed.
    QApplication::setQuitOnLastWindowClosed(false);
    RedirectSettings settings;
    ConfigFile file;
    // The grabber outlives the hot-key window, which releases its keys when it goes.
    const std::unique_ptr<HotKeyGrabber> grabber = makeHotKeyGrabber();
    frmHotKey hotKeys(settings, *grabber);
    TrayIcon icon(vantorixIcon());
    QtMessageBoxes messages(std::cerr);
    // Started at log-in, the program must find vantorix.cfg where it is now: the
    // working directory, which for an installed program is not the program folder.
    Form_LIBRARY shortcut(autostartFolderFromEnvironment(),
                          QCoreApplication::applicationFilePath().toLocal8Bit().toStdString(),
                          QDir::currentPath().toLocal8Bit().toStdString(), messages);
    DesktopUrlOpener browser;
    QtWindowSession windows(settings, {keyboard, file, hotKeys, icon, shortcut, messages, browser});
    Form1Session& session = windows.session();

    HotKeyRequests requests(hotKeyRequestsPath(),
                            [&session](int hotKey) { return session.runRequestedHotKey(hotKey); });
    switch (requests.listen()) {
        case HotKeyRequests::Listening::Yes:
            break;
        case HotKeyRequests::Listening::TakenByAnother:
            std::cerr
                << "Another Vantorix already takes the hot keys sent with --send-hotkey; this "
                   "one does not."
                << std::endl;
            break;
        case HotKeyRequests::Listening::Failed:
            std::cerr << "Hot keys cannot be sent to this Vantorix with --send-hotkey: "
                      << requests.problem() << std::endl;
            break;
    }

    std::optional<TerminationSignals> termination;
    int exitStatus = 0;
    keysOutputFailed = [&windows, &session, &exitStatus] {
        std::cerr << kKeysOutputFailedMessage << std::endl;
        exitStatus = kExitKeysOutputFailed;
        // Not from inside the keyboard, which is typing the slice that failed.
        QMetaObject::invokeMethod(
            &windows.form(), [&session] { session.exitProgram(); }, Qt::QueuedConnection);
    };
    QObject::connect(qApp, &QGuiApplication::commitDataRequest, &windows.form(),
                     [&session](QSessionManager&) { session.prepareForExitNow(); });
    QObject::connect(qApp, &QCoreApplication::aboutToQuit, &windows.form(),
                     [&session] { session.prepareForExitNow(); });

    // Start-up runs inside the event loop, so that a request to end made while
    // one of its message boxes is open ends the loop like any other. Requests
    // are taken from start-up on: an exit before the settings are read would
    // save the defaults over them.
    QMetaObject::invokeMethod(
        &windows.form(),
        [&session, &options, &messages, &termination, &windows] {
            termination.emplace([&session, &messages](int) {
                messages.closeForExit();
                session.exitProgram();
            });
            session.Form_Load(
                helpFileFor(QCoreApplication::applicationDirPath().toLocal8Bit().toStdString()),
                options.port);
            session.showAfterLoad();
            showKeyboardWarning(options.keys, windows.form());
            // Where several ways to type exist, the window names the one in use.
            windows.form().setToolTip(QStringLiteral("Keys: ") +
                                      QString::fromStdString(keyboardRouteHere(options.keys)));
        },
        Qt::QueuedConnection);
    const int status = QApplication::exec();
    keysOutputFailed = nullptr;
    return exitStatus != 0 ? exitStatus : status;
}

}  // namespace vantorix
