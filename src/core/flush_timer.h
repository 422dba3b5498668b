#pragma once

namespace vantorix {

// The 250 ms flush timer of the receive handler. Its owner calls the handler's
// tick every period while it is enabled.
//
// enable() on a timer that is already enabled keeps the running period: a
// steady stream of small batches must not keep pushing the flush away.
// disable() followed by enable() starts a fresh period.
class FlushTimer {
  public:
    static constexpr int kIntervalMs = 250;

    virtual ~FlushTimer() = default;
    virtual void enable() = 0;
    virtual void disable() = 0;
    virtual bool isEnabled() const = 0;
};

}  // namespace vantorix
