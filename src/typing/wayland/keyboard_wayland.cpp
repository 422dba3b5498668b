#include "typing/wayland/keyboard_wayland.h"

#include <poll.h>
#include <sys/mman.h>
#include <unistd.h>

#include <wayland-client.h>

#include <cerrno>
#include <cstring>
#include <optional>
#include <thread>
#include <vector>

#include "typing/key_string_reader.h"
#include "typing/wayland/key_pacer.h"
#include "typing/wayland/typing_planner.h"
#include "virtual-keyboard-unstable-v1-client-protocol.h"

namespace vantorix {

namespace {

using wayland::KeyPacer;
using Clock = KeyPacer::Clock;

// How long a write to a compositor that reads nothing may wait before the
// keys are given up.
constexpr auto kFlushTimeout = std::chrono::seconds(5);

struct Globals {
    wl_seat* seat = nullptr;
    zwp_virtual_keyboard_manager_v1* manager = nullptr;
};

void onGlobal(void* data, wl_registry* registry, std::uint32_t name, const char* interface,
              std::uint32_t /*version*/) {
    auto& globals = *static_cast<Globals*>(data);
    if (std::strcmp(interface, wl_seat_interface.name) == 0 && globals.seat == nullptr) {
        globals.seat =
            static_cast<wl_seat*>(wl_registry_bind(registry, name, &wl_seat_interface, 1));
    } else if (std::strcmp(interface, zwp_virtual_keyboard_manager_v1_interface.name) == 0 &&
               globals.manager == nullptr) {
        globals.manager = static_cast<zwp_virtual_keyboard_manager_v1*>(
            wl_registry_bind(registry, name, &zwp_virtual_keyboard_manager_v1_interface, 1));
    }
}

void onGlobalRemove(void* /*data*/, wl_registry* /*registry*/, std::uint32_t /*name*/) {}

const wl_registry_listener kRegistryListener = {onGlobal, onGlobalRemove};

// A connection to the compositor with the globals typing needs, once the
// compositor has told them.
class Connection {
  public:
    static std::unique_ptr<Connection> open(std::string& problem) {
        wl_display* display = wl_display_connect(nullptr);
        if (display == nullptr) {
            problem = "Cannot connect to the Wayland compositor (WAYLAND_DISPLAY)";
            return nullptr;
        }
        auto connection = std::unique_ptr<Connection>(new Connection(display));
        if (wl_display_roundtrip(display) < 0) {
            problem = "The Wayland compositor does not answer";
            return nullptr;
        }
        return connection;
    }

    ~Connection() {
        if (keyboard != nullptr) {
            zwp_virtual_keyboard_v1_destroy(keyboard);
        }
        if (globals.manager != nullptr) {
            zwp_virtual_keyboard_manager_v1_destroy(globals.manager);
        }
        if (globals.seat != nullptr) {
            wl_seat_destroy(globals.seat);
        }
        wl_registry_destroy(registry_);
        wl_display_flush(display);
        wl_display_disconnect(display);
    }
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    bool broken() const { return wl_display_get_error(display) != 0; }

    // Sends what is buffered, waiting while the compositor's socket is full.
    void flush() {
        const auto deadline = Clock::now() + kFlushTimeout;
        while (wl_display_flush(display) < 0 && errno == EAGAIN && Clock::now() < deadline) {
            pollfd writable{wl_display_get_fd(display), POLLOUT, 0};
            ::poll(&writable, 1, 100);
        }
    }

    wl_display* display;
    Globals globals;
    zwp_virtual_keyboard_v1* keyboard = nullptr;

  private:
    explicit Connection(wl_display* connected)
        : display(connected), registry_(wl_display_get_registry(connected)) {
        wl_registry_add_listener(registry_, &kRegistryListener, &globals);
    }

    wl_registry* registry_;
};

constexpr const char* kNoVirtualKeyboard =
    "This Wayland compositor offers no virtual keyboard, so the program cannot type into its "
    "windows";

// Gives the keyboard a keymap: the compositor reads it from a file in memory.
bool giveKeymap(Connection& connection, const std::string& keymap) {
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
    zwp_virtual_keyboard_v1_keymap(connection.keyboard, WL_KEYBOARD_KEYMAP_FORMAT_XKB_V1, fd,
                                   static_cast<std::uint32_t>(size));
    ::close(fd);
    return true;
}

// A connection with a virtual keyboard holding `keymap`; null with the reason
// in `problem` otherwise.
std::unique_ptr<Connection> connectKeyboard(const std::string& keymap, std::string& problem) {
    auto connection = Connection::open(problem);
    if (!connection) {
        return nullptr;
    }
    if (connection->globals.manager == nullptr) {
        problem = kNoVirtualKeyboard;
        return nullptr;
    }
    if (connection->globals.seat == nullptr) {
        problem = "The Wayland compositor has no seat to type on";
        return nullptr;
    }
    connection->keyboard = zwp_virtual_keyboard_manager_v1_create_virtual_keyboard(
        connection->globals.manager, connection->globals.seat);
    if (!giveKeymap(*connection, keymap)) {
        problem =
            "Cannot hand a keymap to the Wayland compositor: " + std::string(std::strerror(errno));
        return nullptr;
    }
    zwp_virtual_keyboard_v1_modifiers(connection->keyboard, 0, 0, 0, 0);
    if (wl_display_roundtrip(connection->display) < 0 || connection->broken()) {
        problem = "The Wayland compositor refused a virtual keyboard";
        return nullptr;
    }
    return connection;
}

class WaylandKeyboard final : public Keyboard {
  public:
    explicit WaylandKeyboard(WaylandKeyPacing pacing) : pacing_(pacing), pacer_(settledPacer()) {}

    ~WaylandKeyboard() override {
        if (connection_) {
            wl_display_roundtrip(connection_->display);
        }
    }

    // The keyboard's own locks are never on, and no lock of another keyboard
    // reaches the keys it types.
    bool IsNumLockOn() override { return false; }
    bool IsScrollLockOn() override { return false; }
    bool IsCapsLockToggled() override { return false; }
    void ToggleNumLock() override {}
    void ToggleCapsLock() override {}
    void ToggleScrollLock() override {}
    bool CapsLockAffectsLetters() const override { return false; }

    void SendKeys(const std::string& keys, bool wait) override {
        if (!connected()) {
            return;
        }
        readKeyString(keys, actions_);
        for (const wayland::TypingRun& run : planner_.plan(actions_)) {
            if (!run.keymap.empty()) {
                giveKeymap(*connection_, run.keymap);
                modifiers_.reset();  // a new keymap starts with a state of its own
            }
            for (const wayland::KeyStroke& stroke : run.strokes) {
                for (int i = 0; i < stroke.repeat; ++i) {
                    press(stroke);
                }
            }
        }
        setModifiers(0);
        if (wait) {
            wl_display_roundtrip(connection_->display);
        } else {
            connection_->flush();
        }
    }

    // Makes the keyboard on a new connection.
    bool connect(std::string& problem) {
        connection_ = connectKeyboard(planner_.keymap(), problem);
        pacer_ = settledPacer();
        modifiers_ = 0;
        return connection_ != nullptr;
    }

  private:
    KeyPacer settledPacer() const {
        return KeyPacer(pacing_.keyInterval, Clock::now() + pacing_.settleTime);
    }

    // Connects again after the compositor connection broke.
    bool connected() {
        if (connection_ && !connection_->broken()) {
            return true;
        }
        std::string problem;
        return connect(problem);
    }

    void press(const wayland::KeyStroke& stroke) {
        std::this_thread::sleep_until(pacer_.nextKeyAt(Clock::now()));
        setModifiers(stroke.modifiers);
        const auto time = static_cast<std::uint32_t>(
            std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now().time_since_epoch())
                .count());
        zwp_virtual_keyboard_v1_key(connection_->keyboard, time, stroke.key,
                                    WL_KEYBOARD_KEY_STATE_PRESSED);
        zwp_virtual_keyboard_v1_key(connection_->keyboard, time, stroke.key,
                                    WL_KEYBOARD_KEY_STATE_RELEASED);
        connection_->flush();
    }

    // Sends the modifier state when it differs from the one sent last. Locks
    // and latches are always sent as none.
    void setModifiers(std::uint32_t depressed) {
        if (modifiers_ != depressed) {
            zwp_virtual_keyboard_v1_modifiers(connection_->keyboard, depressed, 0, 0, 0);
            modifiers_ = depressed;
        }
    }

    WaylandKeyPacing pacing_;
    std::unique_ptr<Connection> connection_;
    wayland::TypingPlanner planner_;
    KeyPacer pacer_;
    std::optional<std::uint32_t> modifiers_ = 0;
    std::vector<KeyAction> actions_;
};

}  // namespace

std::unique_ptr<Keyboard> openWaylandKeyboard(std::string& problem, WaylandKeyPacing pacing) {
    auto keyboard = std::make_unique<WaylandKeyboard>(pacing);
    if (!keyboard->connect(problem)) {
        return nullptr;
    }
    return keyboard;
}

bool waylandKeyboardOffered() {
    std::string problem;
    const auto connection = Connection::open(problem);
    return connection && connection->globals.manager != nullptr;
}

}  // namespace vantorix
