#include "frontend/win32/headless_run.h"

#include <windows.h>

#include <optional>

#include "platform/win32/file_mover.h"
#include "platform/win32/termination_requests.h"
#include "platform/win32/win32_flush_timer.h"
#include "platform/win32/win32_port_watcher.h"
#include "platform/win32/win32_serial_port_control.h"
#include "program/headless_session.h"
#include "settings/config_file.h"

namespace vantorix::win32 {
namespace {

int runMessageLoop() {
    MSG message;
    BOOL result = 0;
    while ((result = GetMessageW(&message, nullptr, 0, 0)) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return result == 0 ? static_cast<int>(message.wParam) : 1;
}

}  // namespace

int runHeadless(const CommandLine& options, Keyboard& keyboard, std::ostream& messages) {
    // Made first and so gone last: a closing console waits for its end, which
    // tells the system that the program has ended in order.
    TerminationRequests termination;
    Win32SerialPortControl MSComm1;
    Win32PortWatcher portWatcher;
    HeadlessSession* session = nullptr;
    Win32FlushTimer Timer1([&session] { session->Timer1_Timer(); });
    // An exit asked for before the loop runs (the port cannot be opened) is
    // returned directly.
    std::optional<int> exitStatus;
    HeadlessSession headless(MSComm1, Timer1, portWatcher, keyboard, messages,
                             [&exitStatus](int status) {
                                 exitStatus = status;
                                 PostQuitMessage(status);
                             });
    session = &headless;

    ConfigFile file(kConfigFileName, moveFileWriteThrough);
    headless.start(file, options.port);
    if (exitStatus) {
        return *exitStatus;
    }
    termination.onRequest = [&headless] { headless.terminate(); };
    return runMessageLoop();
}

}  // namespace vantorix::win32
