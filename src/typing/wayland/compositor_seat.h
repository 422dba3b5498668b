#pragma once

#include <chrono>
#include <cstdint>
#include <memory>
#include <string>

struct wl_display;
struct wl_keyboard;
struct wl_registry;
struct wl_seat;
struct org_kde_kwin_fake_input;

namespace vantorix::wayland {

// The first seat of the compositor named by WAYLAND_DISPLAY, on a connection
// of its own: the keymap of its keyboard, which every client is given whether
// or not one of its windows has the focus, and KWin's fake input where the
// compositor offers it to this program.
class CompositorSeat {
  public:
    // Null, with the reason in `problem`, when there is no compositor or it
    // has no seat.
    static std::unique_ptr<CompositorSeat> connect(std::string& problem);

    ~CompositorSeat();
    CompositorSeat(const CompositorSeat&) = delete;
    CompositorSeat& operator=(const CompositorSeat&) = delete;

    bool offersFakeInput() const { return fakeInput_ != nullptr; }
    bool offersVirtualKeyboards() const { return virtualKeyboards_; }

    // Waits, up to `timeout`, until the seat has a keyboard and its keymap
    // came; false if it did not. A seat may get its first keyboard late (on
    // a headless desktop, once keys were sent).
    bool awaitKeymap(std::chrono::milliseconds timeout);
    // The keymap in XKB's text format, and a count that changes whenever the
    // user's layout does (read after roundTrip()).
    const std::string& keymap() const { return keymap_; }
    unsigned keymapChanges() const { return keymapChanges_; }

    // Tells KWin who uses its fake input and why, before the first key.
    void authenticate(const char* application, const char* reason);
    // A key by its evdev code, through KWin's fake input.
    void fakeKey(std::uint32_t code, bool pressed);

    void flush();
    // Returns once the compositor has handled everything sent and the events
    // it sent back were read; false when the connection broke.
    bool roundTrip();

  private:
    explicit CompositorSeat(wl_display* display);
    static void onGlobal(void* data, wl_registry* registry, std::uint32_t name,
                         const char* interface, std::uint32_t version);
    static void onGlobalRemove(void* data, wl_registry* registry, std::uint32_t name);
    static void onCapabilities(void* data, wl_seat* seat, std::uint32_t capabilities);
    static void onKeymap(void* data, wl_keyboard* keyboard, std::uint32_t format, int fd,
                         std::uint32_t size);

    wl_display* display_;
    wl_registry* registry_;
    wl_seat* seat_ = nullptr;
    wl_keyboard* keyboard_ = nullptr;
    org_kde_kwin_fake_input* fakeInput_ = nullptr;
    bool virtualKeyboards_ = false;
    std::string keymap_;
    unsigned keymapChanges_ = 0;
};

}  // namespace vantorix::wayland
