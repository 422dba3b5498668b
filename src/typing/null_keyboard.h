#pragma once

#include "typing/keyboard.h"

namespace vantorix {

// A keyboard that does nothing, for platforms with no typing backend yet.
class NullKeyboard final : public Keyboard {
  public:
    bool IsNumLockOn() override { return false; }
    bool IsScrollLockOn() override { return false; }
    bool IsCapsLockToggled() override { return false; }
    void ToggleNumLock() override {}
    void ToggleCapsLock() override {}
    void ToggleScrollLock() override {}
    void SendKeys(const std::string&, bool) override {}
};

}  // namespace vantorix
