#include "frontend/qt/headless_session.h"

#include <ostream>

#include <QCoreApplication>

#include "core/receive_handler.h"
#include "frontend/qt/qt_flush_timer.h"
#include "frontend/qt/qt_serial_port_control.h"
#include "frontend/qt/termination_signals.h"
#include "serial/redirection_start.h"
#include "settings/config_file.h"

namespace vantorix {

int runHeadless(const CommandLine& options, Keyboard& keyboard, std::ostream& messages) {
    RedirectSettings settings;
    loadConfigFile(kConfigFileName, settings);
    if (options.port) {
        settings.Combo_portselect = *options.port;
    }
    AdvancedOptionsIndicator indicator;
    indicator.update(settings);

    QtSerialPortControl MSComm1;
    ReceiveHandler* handler = nullptr;
    QtFlushTimer Timer1([&handler] { handler->Timer1_Timer(); });
    ReceiveHandler receiveHandler(MSComm1, Timer1, keyboard, settings, indicator);
    handler = &receiveHandler;
    Timer1.enable();

    if (!openPortForRedirection(MSComm1, settings)) {
        messages << kPortMessageTitle << ": " << portUnavailableMessage(settings.Combo_portselect)
                 << std::endl;
        return kExitPortUnavailable;
    }
    receiveHandler.clearReceived();
    MSComm1.OnComm = [&receiveHandler] { receiveHandler.MSComm1_OnComm(); };
    MSComm1.OnPortLost = [&messages](const std::string& reason) {
        messages << reason << std::endl;
        QCoreApplication::exit(kExitPortLost);
    };

    // Keys already queued are still typed when the program is asked to end.
    const TerminationSignals termination([&receiveHandler](int) {
        if (!receiveHandler.queuedKeys().empty()) {
            receiveHandler.Timer1_Timer();
        }
        QCoreApplication::exit(0);
    });

    messages << "Redirecting " << settings.Combo_portselect << " at " << lineSettingsText(settings)
             << (indicator.enabled ? " with advanced options" : "") << "; stop with Ctrl+C."
             << std::endl;
    return QCoreApplication::exec();
}

}  // namespace vantorix
