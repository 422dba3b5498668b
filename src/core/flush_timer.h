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
    // One extra tick at the event loop's next turn, after it has given what
    // is waiting (a signal, a click, received data) its turn, whether the
    // timer is enabled or not; the period is left as it is. Asked for again
    // before it came, it still comes once. A flush that types a long queue in
    // slices asks for it after each slice, so the program stays responsive.
    virtual void tickSoon() = 0;
};

}  // namespace vantorix
