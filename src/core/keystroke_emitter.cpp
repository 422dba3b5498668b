#include "core/keystroke_emitter.h"

namespace vantorix {

std::string swapLetterCase(std::string keys) {
    for (char& c : keys) {
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        } else if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return keys;
}

void mySendKeys(Keyboard& keyboard, const std::string& sKeys, bool bWait) {
    const bool numLockBefore = keyboard.IsNumLockOn();
    const bool capsLockBefore = keyboard.IsCapsLockToggled();
    const bool scrollLockBefore = keyboard.IsScrollLockOn();

    if (capsLockBefore && keyboard.CapsLockAffectsLetters()) {
        keyboard.SendKeys(swapLetterCase(sKeys), bWait);
    } else {
        keyboard.SendKeys(sKeys, bWait);
    }

    if (keyboard.IsNumLockOn() != numLockBefore) {
        keyboard.ToggleNumLock();
    }
    if (keyboard.IsCapsLockToggled() != capsLockBefore) {
        keyboard.ToggleCapsLock();
    }
    if (keyboard.IsScrollLockOn() != scrollLockBefore) {
        keyboard.ToggleScrollLock();
    }
}

}  // namespace vantorix
