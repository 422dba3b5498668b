#pragma once

#include <string>

namespace vantorix {

// What the keystroke emitter needs from a platform's keyboard: the three lock
// states, a way to toggle each lock, and the typing of a key string. Key strings
// are single-byte Windows-1252 text in the SendKeys syntax.
class Keyboard {
  public:
    virtual ~Keyboard() = default;

    // True while Num Lock is on (a held-down Num Lock key may also read as on).
    virtual bool IsNumLockOn() = 0;
    // True while Scroll Lock is on (a held-down Scroll Lock key may also read as on).
    virtual bool IsScrollLockOn() = 0;
    // True only when the Caps Lock toggle is set; a merely held-down key is not.
    virtual bool IsCapsLockToggled() = 0;

    virtual void ToggleNumLock() = 0;
    virtual void ToggleCapsLock() = 0;
    virtual void ToggleScrollLock() = 0;

    // Types `keys` into the focused window. With `wait` true it returns only
    // once the keys have been processed, so lock states read afterwards are
    // those after the typing.
    virtual void SendKeys(const std::string& keys, bool wait) = 0;
};

}  // namespace vantorix
