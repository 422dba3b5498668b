#include "typing/wayland/compositor_seat.h"

#include <poll.h>
#include <sys/mman.h>
#include <unistd.h>

#include <wayland-client.h>

#include <cerrno>
#include <cstring>

#include "fake-input-client-protocol.h"
#include "typing/wayland/display_flush.h"

namespace vantorix::wayland {

namespace {

using Clock = std::chrono::steady_clock;

// The fake input requests of keys came with version 4.
constexpr std::uint32_t kFakeInputKeysVersion = 4;

void ignoreEnter(void*, wl_keyboard*, std::uint32_t, wl_surface*, wl_array*) {}
void ignoreLeave(void*, wl_keyboard*, std::uint32_t, wl_surface*) {}
void ignoreKey(void*, wl_keyboard*, std::uint32_t, std::uint32_t, std::uint32_t, std::uint32_t) {}
void ignoreModifiers(void*, wl_keyboard*, std::uint32_t, std::uint32_t, std::uint32_t,
                     std::uint32_t, std::uint32_t) {}
void ignoreRepeatInfo(void*, wl_keyboard*, std::int32_t, std::int32_t) {}
void ignoreSeatName(void*, wl_seat*, const char*) {}

}  // namespace

CompositorSeat::CompositorSeat(wl_display* display)
    : display_(display), registry_(wl_display_get_registry(display)) {
    static constexpr wl_registry_listener kListener = {onGlobal, onGlobalRemove};
    wl_registry_add_listener(registry_, &kListener, this);
}

CompositorSeat::~CompositorSeat() {
    if (fakeInput_ != nullptr) {
        org_kde_kwin_fake_input_destroy(fakeInput_);
    }
    if (keyboard_ != nullptr) {
        wl_keyboard_destroy(keyboard_);
    }
    if (seat_ != nullptr) {
        wl_seat_destroy(seat_);
    }
    wl_registry_destroy(registry_);
    wl_display_flush(display_);
    wl_display_disconnect(display_);
}

std::unique_ptr<CompositorSeat> CompositorSeat::connect(std::string& problem) {
    wl_display* display = wl_display_connect(nullptr);
    if (display == nullptr) {
        problem = "Cannot connect to the Wayland compositor (WAYLAND_DISPLAY)";
        return nullptr;
    }
    std::unique_ptr<CompositorSeat> seat(new CompositorSeat(display));
    // The globals, then the seat's capabilities.
    if (!seat->roundTrip() || !seat->roundTrip()) {
        problem = "The Wayland compositor does not answer";
        return nullptr;
    }
    if (seat->seat_ == nullptr) {
        problem = "The Wayland compositor has no seat to type on";
        return nullptr;
    }
    return seat;
}

void CompositorSeat::onGlobal(void* data, wl_registry* registry, std::uint32_t name,
                              const char* interface, std::uint32_t version) {
    auto* self = static_cast<CompositorSeat*>(data);
    if (std::strcmp(interface, wl_seat_interface.name) == 0 && self->seat_ == nullptr) {
        self->seat_ =
            static_cast<wl_seat*>(wl_registry_bind(registry, name, &wl_seat_interface, 1));
        static constexpr wl_seat_listener kSeatListener = {onCapabilities, ignoreSeatName};
        wl_seat_add_listener(self->seat_, &kSeatListener, self);
    } else if (std::strcmp(interface, org_kde_kwin_fake_input_interface.name) == 0 &&
               self->fakeInput_ == nullptr && version >= kFakeInputKeysVersion) {
        self->fakeInput_ = static_cast<org_kde_kwin_fake_input*>(wl_registry_bind(
            registry, name, &org_kde_kwin_fake_input_interface, kFakeInputKeysVersion));
    } else if (std::strcmp(interface, "zwp_virtual_keyboard_manager_v1") == 0) {
        self->virtualKeyboards_ = true;
    }
}

void CompositorSeat::onGlobalRemove(void* /*data*/, wl_registry* /*registry*/,
                                    std::uint32_t /*name*/) {}

// A keyboard is asked for only once the seat has one: asking before made a
// compositor (mutter 43, headless) crash.
void CompositorSeat::onCapabilities(void* data, wl_seat* seat, std::uint32_t capabilities) {
    auto* self = static_cast<CompositorSeat*>(data);
    const bool hasKeyboard = (capabilities & WL_SEAT_CAPABILITY_KEYBOARD) != 0;
    if (hasKeyboard && self->keyboard_ == nullptr) {
        self->keyboard_ = wl_seat_get_keyboard(seat);
        static constexpr wl_keyboard_listener kKeyboardListener = {
            onKeymap, ignoreEnter, ignoreLeave, ignoreKey, ignoreModifiers, ignoreRepeatInfo};
        wl_keyboard_add_listener(self->keyboard_, &kKeyboardListener, self);
    } else if (!hasKeyboard && self->keyboard_ != nullptr) {
        wl_keyboard_destroy(self->keyboard_);
        self->keyboard_ = nullptr;
        self->keymap_.clear();
    }
}

void CompositorSeat::onKeymap(void* data, wl_keyboard* /*keyboard*/, std::uint32_t format, int fd,
                              std::uint32_t size) {
    auto* self = static_cast<CompositorSeat*>(data);
    if (format == WL_KEYBOARD_KEYMAP_FORMAT_XKB_V1 && size > 0) {
        void* mapped = ::mmap(nullptr, size, PROT_READ, MAP_PRIVATE, fd, 0);
        if (mapped != MAP_FAILED) {
            // The text ends with a NUL within `size`.
            self->keymap_.assign(static_cast<const char*>(mapped),
                                 ::strnlen(static_cast<const char*>(mapped), size));
            ::munmap(mapped, size);
            ++self->keymapChanges_;
        }
    }
    ::close(fd);
}

bool CompositorSeat::awaitKeymap(std::chrono::milliseconds timeout) {
    const auto deadline = Clock::now() + timeout;
    while (keymap_.empty()) {
        if (!roundTrip() || Clock::now() >= deadline) {
            return !keymap_.empty();
        }
        if (keymap_.empty()) {
            pollfd readable{wl_display_get_fd(display_), POLLIN, 0};
            ::poll(&readable, 1, 20);
        }
    }
    return true;
}

void CompositorSeat::authenticate(const char* application, const char* reason) {
    org_kde_kwin_fake_input_authenticate(fakeInput_, application, reason);
}

void CompositorSeat::fakeKey(std::uint32_t code, bool pressed) {
    org_kde_kwin_fake_input_keyboard_key(
        fakeInput_, code, pressed ? WL_KEYBOARD_KEY_STATE_PRESSED : WL_KEYBOARD_KEY_STATE_RELEASED);
}

void CompositorSeat::flush() {
    flushDisplay(display_);
}

bool CompositorSeat::roundTrip() {
    return wl_display_roundtrip(display_) >= 0;
}

}  // namespace vantorix::wayland
