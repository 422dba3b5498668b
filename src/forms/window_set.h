#pragma once

#include "forms/form1_session.h"
#include "settings/redirect_settings.h"

namespace vantorix {

// The program's two windows over one session, with the serial port, the flush
// timer and the watcher of a port gone away that the session works with: what
// each front end builds from its own port, timer, watcher and window classes.
template <class SerialPort, class FlushTimerType, class PortWatcherType, class MainWindow,
          class AdvancedWindow>
class WindowSet {
  public:
    WindowSet(RedirectSettings& settings, DesktopServices desktop)
        : Timer1([this] { session_.Timer1_Timer(); }),
          form_(settings, desktop.browser),
          advanced_(settings),
          session_(settings, MSComm1, Timer1, portWatcher_, desktop, form_, advanced_) {
        form_.attach(&session_);
        advanced_.attach(&session_.advancedOptions(), &session_);
    }
    // The session, made after the windows, goes before them: they must stop
    // forwarding to it first.
    ~WindowSet() {
        form_.attach(nullptr);
        advanced_.attach(nullptr, nullptr);
    }
    WindowSet(const WindowSet&) = delete;
    WindowSet& operator=(const WindowSet&) = delete;

    MainWindow& form() { return form_; }
    AdvancedWindow& advancedWindow() { return advanced_; }
    Form1Session& session() { return session_; }

  private:
    SerialPort MSComm1;
    FlushTimerType Timer1;
    PortWatcherType portWatcher_;
    MainWindow form_;
    AdvancedWindow advanced_;
    Form1Session session_;
};

}  // namespace vantorix
