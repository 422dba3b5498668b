#pragma once

#include <functional>
#include <memory>

namespace vantorix {

// Turns a request to end the program from outside (SIGINT, SIGTERM, SIGHUP)
// into a call on the event loop's thread, so the program can end in order
// instead of dying with unsaved state.
class TerminationSignals {
  public:
    explicit TerminationSignals(std::function<void(int signal)> onSignal);
    ~TerminationSignals();
    TerminationSignals(const TerminationSignals&) = delete;
    TerminationSignals& operator=(const TerminationSignals&) = delete;

  private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace vantorix
