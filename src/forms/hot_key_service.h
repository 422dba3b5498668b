#pragma once

#include <functional>

namespace vantorix {

// The two global hot keys as starting and stopping redirection and the exit
// see them: a registered flag and the two buttons of the hidden hot-key
// window that register and release them. Callers register only while not
// registered and release only while registered.
class HotKeyService {
  public:
    virtual ~HotKeyService() = default;
    virtual bool isRegistered() const = 0;
    virtual void cmdRegisterHotKey_Click() = 0;
    virtual void cmdUnregisterHotKey_Click() = 0;
    // Whether hot key 1 or 2 is registered: it was enabled when the keys were
    // registered. A service that registers both keys together may keep this.
    virtual bool isHotKeyRegistered(int hotKey) const {
        return isRegistered() && (hotKey == 1 || hotKey == 2);
    }
    // What a press of hot key 1 and of hot key 2 does; empty does nothing.
    virtual void setActions(std::function<void()> hotKey1, std::function<void()> hotKey2) = 0;
};

}  // namespace vantorix
