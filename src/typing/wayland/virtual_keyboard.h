#pragma once

#include <cstdint>
#include <memory>
#include <string>

struct wl_display;
struct wl_registry;
struct wl_seat;
struct zwp_virtual_keyboard_manager_v1;
struct zwp_virtual_keyboard_v1;

namespace vantorix::wayland {

// A virtual keyboard on the first seat of the compositor named by
// WAYLAND_DISPLAY, on a connection of its own.
class VirtualKeyboard {
  public:
    // Makes the keyboard and gives it `keymap` (XKB text) with no modifier
    // set, and returns once the compositor has taken both; null, with the
    // reason in `problem`, when there is no compositor, it offers no virtual
    // keyboards or it refused one.
    static std::unique_ptr<VirtualKeyboard> connect(const std::string& keymap,
                                                    std::string& problem);

    ~VirtualKeyboard();
    VirtualKeyboard(const VirtualKeyboard&) = delete;
    VirtualKeyboard& operator=(const VirtualKeyboard&) = delete;

    bool giveKeymap(const std::string& keymap);
    void setModifiers(std::uint32_t depressed, std::uint32_t locked);
    // `key` is the keymap's keycode less 8; `time` in milliseconds.
    void key(std::uint32_t time, std::uint32_t key, bool pressed);

    // Sends what is buffered, waiting while the compositor's socket is full.
    void flush();
    // Returns once the compositor has handled everything sent; false when the
    // connection broke (the compositor went away or refused a request).
    bool roundTrip();

  private:
    struct Globals {
        wl_seat* seat = nullptr;
        zwp_virtual_keyboard_manager_v1* manager = nullptr;
    };

    explicit VirtualKeyboard(wl_display* display);
    static void onGlobal(void* data, wl_registry* registry, std::uint32_t name,
                         const char* interface, std::uint32_t version);
    static void onGlobalRemove(void* data, wl_registry* registry, std::uint32_t name);
    // Connects and learns the globals; null with the reason otherwise.
    static std::unique_ptr<VirtualKeyboard> open(std::string& problem);

    wl_display* display_;
    wl_registry* registry_;
    Globals globals_;
    zwp_virtual_keyboard_v1* keyboard_ = nullptr;
};

}  // namespace vantorix::wayland
