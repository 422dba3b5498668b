#include "typing/wayland/virtual_keyboard.h"

#include <sys/mman.h>
#include <unistd.h>

#include <wayland-client.h>

#include <cerrno>
#include <cstring>

#include "typing/wayland/display_flush.h"
#include "virtual-keyboard-unstable-v1-client-protocol.h"

namespace vantorix::wayland {

namespace {

constexpr const char* kNoVirtualKeyboard =
    "This Wayland compositor offers no virtual keyboard, so the program cannot type into its "
    "windows";

}  // namespace

void VirtualKeyboard::onGlobal(void* data, wl_registry* registry, std::uint32_t name,
                               const char* interface, std::uint32_t /*version*/) {
    Globals& globals = static_cast<VirtualKeyboard*>(data)->globals_;
    if (std::strcmp(interface, wl_seat_interface.name) == 0 && globals.seat == nullptr) {
        globals.seat =
            static_cast<wl_seat*>(wl_registry_bind(registry, name, &wl_seat_interface, 1));
    } else if (std::strcmp(interface, zwp_virtual_keyboard_manager_v1_interface.name) == 0 &&
               globals.manager == nullptr) {
        globals.manager = static_cast<zwp_virtual_keyboard_manager_v1*>(
            wl_registry_bind(registry, name, &zwp_virtual_keyboard_manager_v1_interface, 1));
    }
}

void VirtualKeyboard::onGlobalRemove(void* /*data*/, wl_registry* /*registry*/,
                                     std::uint32_t /*name*/) {}

VirtualKeyboard::VirtualKeyboard(wl_display* display)
    : display_(display), registry_(wl_display_get_registry(display)) {
    static constexpr wl_registry_listener kListener = {onGlobal, onGlobalRemove};
    wl_registry_add_listener(registry_, &kListener, this);
}

VirtualKeyboard::~VirtualKeyboard() {
    if (keyboard_ != nullptr) {
        zwp_virtual_keyboard_v1_destroy(keyboard_);
    }
    if (globals_.manager != nullptr) {
        zwp_virtual_keyboard_manager_v1_destroy(globals_.manager);
    }
    if (globals_.seat != nullptr) {
        wl_seat_destroy(globals_.seat);
    }
    wl_registry_destroy(registry_);
    wl_display_flush(display_);
    wl_display_disconnect(display_);
}

std::unique_ptr<VirtualKeyboard> VirtualKeyboard::open(std::string& problem) {
    wl_display* display = wl_display_connect(nullptr);
    if (display == nullptr) {
        problem = "Cannot connect to the Wayland compositor (WAYLAND_DISPLAY)";
        return nullptr;
    }
    std::unique_ptr<VirtualKeyboard> connection(new VirtualKeyboard(display));
    if (!connection->roundTrip()) {
        problem = "The Wayland compositor does not answer";
        return nullptr;
    }
    return connection;
}

std::unique_ptr<VirtualKeyboard> VirtualKeyboard::connect(const std::string& keymap,
                                                          std::string& problem) {
    auto connection = open(problem);
    if (!connection) {
        return nullptr;
    }
    if (connection->globals_.manager == nullptr) {
        problem = kNoVirtualKeyboard;
        return nullptr;
    }
    if (connection->globals_.seat == nullptr) {
        problem = "The Wayland compositor has no seat to type on";
        return nullptr;
    }
    connection->keyboard_ = zwp_virtual_keyboard_manager_v1_create_virtual_keyboard(
        connection->globals_.manager, connection->globals_.seat);
    if (!connection->giveKeymap(keymap)) {
        problem =
            "Cannot hand a keymap to the Wayland compositor: " + std::string(std::strerror(errno));
        return nullptr;
    }
    connection->setModifiers(0, 0);
    if (!connection->roundTrip()) {
        problem = "The Wayland compositor refused a virtual keyboard";
        return nullptr;
    }
    return connection;
}

// The compositor reads the keymap from a file in memory.
bool VirtualKeyboard::giveKeymap(const std::string& keymap) {
    const int fd = ::memfd_create("vantorix-keymap", MFD_CLOEXEC);
    if (fd < 0) {
        return false;
    }
    const std::size_t size = keymap.size() + 1;  // with its terminating NUL
    std::size_t written = 0;
    while (written < size) {
        const ssize_t n = ::write(fd, keymap.c_str() + written, size - written);
        if (n <= 0) {
            ::close(fd);
            return false;
        }
        written += static_cast<std::size_t>(n);
    }
    // The request takes a copy of the descriptor.
    zwp_virtual_keyboard_v1_keymap(keyboard_, WL_KEYBOARD_KEYMAP_FORMAT_XKB_V1, fd,
                                   static_cast<std::uint32_t>(size));
    ::close(fd);
    return true;
}

void VirtualKeyboard::setModifiers(std::uint32_t depressed, std::uint32_t locked) {
    zwp_virtual_keyboard_v1_modifiers(keyboard_, depressed, 0, locked, 0);
}

void VirtualKeyboard::key(std::uint32_t time, std::uint32_t key, bool pressed) {
    zwp_virtual_keyboard_v1_key(
        keyboard_, time, key,
        pressed ? WL_KEYBOARD_KEY_STATE_PRESSED : WL_KEYBOARD_KEY_STATE_RELEASED);
}

void VirtualKeyboard::flush() {
    flushDisplay(display_);
}

bool VirtualKeyboard::roundTrip() {
    return wl_display_roundtrip(display_) >= 0;
}

}  // namespace vantorix::wayland
