#include "frontend/win32/window_session.h"

#include <commctrl.h>
#include <objbase.h>

#include <filesystem>
#include <iostream>
#include <string_view>

#include "forms/hot_keys.h"
#include "frontend/win32/message_loop.h"
#include "frontend/win32/program_icon.h"
#include "platform/win32/file_mover.h"
#include "platform/win32/hot_key_window.h"
#include "platform/win32/message_boxes_win32.h"
#include "platform/win32/notification_icon_win32.h"
#include "platform/win32/shell_opener.h"
#include "platform/win32/startup_shortcut_win32.h"
#include "platform/win32/termination_requests.h"
#include "platform/win32/wide_text.h"
#include "settings/config_file.h"

namespace vantorix::win32 {
namespace {

std::filesystem::path programPath() {
    std::wstring path(MAX_PATH, L'\0');
    while (true) {
        const DWORD length =
            GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        path.resize(path.size() * 2);
    }
}

int runWindows(const CommandLine& options, Keyboard& keyboard,
               ElevatedWindowWatch::Say& sayRefused);

}  // namespace

std::string helpFileBesideProgram() {
    return utf8((programPath().parent_path() / std::string(helpFileName())).wstring());
}

int runWithWindows(const CommandLine& options, Keyboard& keyboard,
                   ElevatedWindowWatch::Say& sayRefused) {
    // The shell's shortcut object and the help viewer are COM objects of this thread.
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX),
                                        ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    const int status = runWindows(options, keyboard, sayRefused);
    CoUninitialize();
    return status;
}

namespace {

int runWindows(const CommandLine& options, Keyboard& keyboard,
               ElevatedWindowWatch::Say& sayRefused) {
    // Made first and so gone last: the end of the session waits for it.
    TerminationRequests termination;
    RedirectSettings settings;
    ConfigFile file(kConfigFileName, moveFileWriteThrough);
    // The grabber outlives the hot-key window, which releases its keys when it goes.
    Win32HotKeyGrabber grabber;
    frmHotKey hotKeys(settings, grabber);
    Win32NotificationIcon icon(programIcon(GetSystemMetrics(SM_CXSMICON)));
    sayRefused = [&icon](std::string_view message) {
        icon.showBalloon(kKeysRefusedTitle, message);
        std::cerr << message << std::endl;
    };
    // The icon goes when this run ends; the keyboard must not reach it after.
    const struct Unsay {
        ElevatedWindowWatch::Say& say;
        ~Unsay() { say = nullptr; }
    } unsay{sayRefused};
    Win32MessageBoxes messages;
    // Started at log-on, the program must find vantorix.cfg where it is now:
    // the working directory, which for an installed program is not the
    // program folder.
    Form_LIBRARY shortcut(startupFolder(), programPath(), std::filesystem::current_path(),
                          messages);
    ShellUrlOpener browser;
    Win32WindowSession windows(settings,
                               {keyboard, file, hotKeys, icon, shortcut, messages, browser});
    Form1Session& session = windows.session();
    termination.onRequest = [&session] { session.exitProgram(); };

    session.Form_Load(helpFileBesideProgram(), options.port);
    session.showAfterLoad();
    return runMessageLoop();
}

}  // namespace

}  // namespace vantorix::win32
