#include "frontend/qt/headless_session.h"

#include <optional>

#include <QCoreApplication>

#include "frontend/qt/qt_flush_timer.h"
#include "frontend/qt/qt_port_watcher.h"
#include "frontend/qt/qt_serial_port_control.h"
#include "frontend/qt/termination_signals.h"
#include "program/headless_session.h"
#include "settings/config_file.h"

namespace vantorix {

int runHeadless(const CommandLine& options, Keyboard& keyboard, std::ostream& messages,
                std::function<void()>& keysOutputFailed) {
    QtSerialPortControl MSComm1;
    QtPortWatcher portWatcher;
    HeadlessSession* session = nullptr;
    QtFlushTimer Timer1([&session] { session->Timer1_Timer(); });
    // An exit asked for before the event loop runs (the port cannot be opened)
    // is returned directly: the loop would not see it.
    std::optional<int> exitStatus;
    HeadlessSession headless(MSComm1, Timer1, portWatcher, keyboard, messages,
                             [&exitStatus](int status) {
                                 exitStatus = status;
                                 QCoreApplication::exit(status);
                             });
    session = &headless;

    ConfigFile file;
    headless.start(file, options.port);
    if (exitStatus) {
        return *exitStatus;
    }
    const TerminationSignals termination([&headless](int) { headless.terminate(); });
    keysOutputFailed = [&headless] { headless.keysCannotBeWritten(); };
    const int status = QCoreApplication::exec();
    keysOutputFailed = nullptr;
    return status;
}

}  // namespace vantorix
