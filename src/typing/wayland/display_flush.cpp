#include "typing/wayland/display_flush.h"

#include <poll.h>

#include <wayland-client.h>

#include <cerrno>
#include <chrono>

namespace vantorix::wayland {

void flushDisplay(wl_display* display) {
    using Clock = std::chrono::steady_clock;
    const auto deadline = Clock::now() + std::chrono::seconds(5);
    while (wl_display_flush(display) < 0 && errno == EAGAIN && Clock::now() < deadline) {
        pollfd writable{wl_display_get_fd(display), POLLOUT, 0};
        ::poll(&writable, 1, 100);
    }
}

}  // namespace vantorix::wayland
