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
// new keyboard appeared on a seat that had none. The same key pressed again
// waits `kSameKeyGap` after its last press: the X server a compositor runs
// for X clients stamps keys with its own clock as it reads them, and some X
// clients take a press that follows the release of the same key at the same
// time for auto-repeat and drop it.
class KeyPacer {
  public:
    using Clock = std::chrono::steady_clock;
    static constexpr auto kSameKeyGap = std::chrono::milliseconds(2);

    KeyPacer(Clock::duration interval, Clock::time_point firstKeyAt)
        : interval_(interval), next_(firstKeyAt) {}

    // The time the next key may be pressed, for a key that is ready at `now`;
    // the key counts as pressed then.
    Clock::time_point nextKeyAt(Clock::time_point now, bool sameKeyAgain = false) {
        Clock::time_point at = std::max(now, next_);
        if (sameKeyAgain) {
            at = std::max(at, last_ + kSameKeyGap);
        }
        last_ = at;
        next_ = at + interval_;
        return at;
    }

  private:
    Clock::duration interval_;
    Clock::time_point next_;
    Clock::time_point last_{};
};

}  // namespace vantorix::wayland
