#pragma once

#include <functional>
#include <optional>
#include <ostream>
#include <string>

#include "core/flush_timer.h"
#include "core/receive_handler.h"
#include "program/command_line.h"
#include "serial/port_return.h"
#include "serial/port_watcher.h"
#include "serial/serial_port_control.h"
#include "settings/config_file.h"
#include "settings/redirect_settings.h"
#include "typing/keyboard.h"

namespace vantorix {

// Exit statuses of a headless run.
inline constexpr int kExitTerminated = 0;
inline constexpr int kExitPortUnavailable = 1;

// Redirection without a window, for kiosks and diagnosis: the settings of
// vantorix.cfg, the port opened as START opens it, and what arrives typed
// until the program is asked to end. A port that goes away is waited for and
// reopened when it comes back, with one line on `messages` for each, where
// every message for the user goes.
//
// The front end owns the port, the flush timer (whose tick it forwards to
// Timer1_Timer) and the event loop; `requestExit` asks that loop to end with
// a status, and is called at most once.
class HeadlessSession {
  public:
    using ExitRequest = std::function<void(int status)>;

    HeadlessSession(SerialPortControl& MSComm1, FlushTimer& Timer1, PortWatcher& portWatcher,
                    Keyboard& keyboard, std::ostream& messages, ExitRequest requestExit);
    ~HeadlessSession();
    HeadlessSession(const HeadlessSession&) = delete;
    HeadlessSession& operator=(const HeadlessSession&) = delete;

    // Loads the settings from `file`, puts `port` (from --port) in place of
    // the stored port, and opens it, saying which line settings are in force
    // and which the port refused. A port that cannot be opened ends the run
    // with kExitPortUnavailable, its reason beneath the port message.
    void start(SettingsFile& file, const std::optional<std::string>& port);

    // The flush timer's tick.
    void Timer1_Timer() { receiveHandler_.Timer1_Timer(); }

    // The program is asked to end (SIGINT, SIGTERM, closing the console),
    // also while it waits for its port: the keys already queued are typed
    // first, slice by slice. Asked again while they are typed, it drops what
    // is left and ends at once.
    void terminate();

    // The keyboard cannot write the keys (--keys print with standard output
    // full or gone): says so and ends with kExitKeysOutputFailed.
    void keysCannotBeWritten();

  private:
    void portLost(const std::string& reason);
    void portBack(const PortOpening& opening);
    void finishAfterTyping(int status);
    void finish(int status);

    SerialPortControl& MSComm1_;
    FlushTimer& Timer1_;
    std::ostream& messages_;
    ExitRequest requestExit_;
    bool ending_ = false;
    bool terminationAsked_ = false;
    bool finished_ = false;
    RedirectSettings settings_;
    AdvancedOptionsIndicator indicator_;
    ReceiveHandler receiveHandler_;
    PortReturn portReturn_;
};

}  // namespace vantorix
