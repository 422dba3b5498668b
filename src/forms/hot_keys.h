#pragma once

#include <functional>
#include <string>

#include "forms/hot_key_service.h"
#include "settings/redirect_settings.h"

namespace vantorix {

// A hot-key choice as the system registers it: the virtual-key code (113 is
// F2, up to 122 for F11) and one modifier value (0 none, 1 Alt, 2 Ctrl,
// 4 Shift).
struct HotKeyChoice {
    int keyCode = 0;
    int modifiers = 0;
    bool operator==(const HotKeyChoice&) const = default;
};

inline constexpr int kModAlt = 1;
inline constexpr int kModControl = 2;
inline constexpr int kModShift = 4;

// The choice of one item of the hot-key lists ("F2", "Alt+F2", ...
// "Shift+F11"). The key follows the item's position in the list, the
// modifier the words in its text.
HotKeyChoice hotKeyChoice(const std::string& item);

// What registers keys with the desktop and reports their presses. A grab the
// desktop refuses (a key another program holds) is dropped silently.
class HotKeyGrabber {
  public:
    virtual ~HotKeyGrabber() = default;
    virtual void grab(int identifier, HotKeyChoice choice) = 0;
    virtual void ungrab(int identifier) = 0;
    // While listening, a press of a grabbed key calls `pressed` with its
    // identifier.
    virtual void listen(std::function<void(int identifier)> pressed) = 0;
    virtual void stopListening() = 0;
};

// Grabs nothing: for desktops without global hot keys.
class NullHotKeyGrabber final : public HotKeyGrabber {
  public:
    void grab(int, HotKeyChoice) override {}
    void ungrab(int) override {}
    void listen(std::function<void(int)>) override {}
    void stopListening() override {}
};

// The hidden hot-key window: registers the two hot keys chosen in the
// settings and runs the matching action when one is pressed.
class frmHotKey final : public HotKeyService {
  public:
    frmHotKey(const RedirectSettings& settings, HotKeyGrabber& grabber);
    // Unload: the keys go back to the desktop.
    ~frmHotKey() override;
    frmHotKey(const frmHotKey&) = delete;
    frmHotKey& operator=(const frmHotKey&) = delete;

    bool isRegistered() const override { return registered_; }
    bool isHotKeyRegistered(int hotKey) const override;
    void cmdRegisterHotKey_Click() override;
    void cmdUnregisterHotKey_Click() override;

    void setActions(std::function<void()> hotKey1, std::function<void()> hotKey2) override;
    // A press reported by the desktop, by identifier.
    void HotKeyWindowProc(int identifier);

  private:
    const RedirectSettings& settings_;
    HotKeyGrabber& grabber_;
    std::function<void()> hotKey1_;
    std::function<void()> hotKey2_;
    bool registered_ = false;
    // The keys enabled at registration; later changes of the settings wait
    // for the next registration.
    bool firstEnabled_ = false;
    bool secondEnabled_ = false;
};

}  // namespace vantorix
