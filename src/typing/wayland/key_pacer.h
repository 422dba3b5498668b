#pragma once

#include <algorithm>
#include <chrono>

namespace vantorix::wayland {

// When keys may go out. A window reads its keys from a buffer the compositor
// fills; one that falls behind for long enough has it overflow, and the
// compositor then disconnects the window. So keys are spaced at least
// `interval` apart, and neither a pause nor a late key earns a burst
// afterwards: on a busy machine the windows read slowly too. The first
// key waits until `firstKeyAt`, for windows to take their keyboard after a
// new keyboard appeared on a seat that had none.
class KeyPacer {
  public:
    using Clock = std::chrono::steady_clock;

    KeyPacer(Clock::duration interval, Clock::time_point firstKeyAt)
        : interval_(interval), next_(firstKeyAt) {}

    // The time the next key may be pressed, for a key that is ready at `now`;
    // the key counts as pressed then.
    Clock::time_point nextKeyAt(Clock::time_point now) {
        const Clock::time_point at = std::max(now, next_);
        next_ = at + interval_;
        return at;
    }

  private:
    Clock::duration interval_;
    Clock::time_point next_;
};

}  // namespace vantorix::wayland
