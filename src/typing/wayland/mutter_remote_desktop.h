#pragma once

#include <cstdint>
#include <memory>
#include <string>

struct sd_bus;

namespace vantorix::wayland {

// A remote-desktop session of mutter (GNOME), on the session bus, that
// presses keys of the seat by their evdev codes. Keys are sent without
// waiting for each reply; deliver() waits until mutter has handled them all.
// The session ends with the object, after the keys sent were handled.
class MutterRemoteDesktop {
  public:
    // Whether mutter offers remote-desktop sessions on the session bus.
    static bool offered();
    // Creates and starts a session; null, with the reason in `problem`, when
    // mutter offers none or refused one.
    static std::unique_ptr<MutterRemoteDesktop> start(std::string& problem);

    ~MutterRemoteDesktop();
    MutterRemoteDesktop(const MutterRemoteDesktop&) = delete;
    MutterRemoteDesktop& operator=(const MutterRemoteDesktop&) = delete;

    // False when the bus connection broke or mutter refused the key.
    bool key(std::uint32_t code, bool pressed);
    // Sends the keys written so far.
    void flush();
    // Returns once mutter has handled every key sent; false when the session
    // or the bus went away.
    bool deliver();

  private:
    MutterRemoteDesktop(sd_bus* bus, std::string session);
    bool call(const char* method, bool awaitReply, std::uint32_t code = 0, bool pressed = false);

    sd_bus* bus_;
    std::string session_;
};

}  // namespace vantorix::wayland
