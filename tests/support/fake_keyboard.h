#pragma once

#include <functional>
#include <string>
#include <vector>

#include "typing/keyboard.h"

namespace vantorix::test {

// A keyboard whose lock states a test sets, and which records what it is asked
// to do, in order: "send:<keys>", "toggle:num", "toggle:caps", "toggle:scroll".
class FakeKeyboard final : public Keyboard {
  public:
    bool numLock = false;
    bool capsLock = false;
    bool scrollLock = false;
    bool capsLockAffectsLetters = true;
    std::vector<std::string> calls;
    std::vector<std::string> sent;
    // Runs inside SendKeys, after recording it: a test can change lock states
    // or deliver more data "while the keys are being typed".
    std::function<void()> whileTyping;

    bool IsNumLockOn() override { return numLock; }
    bool IsScrollLockOn() override { return scrollLock; }
    bool IsCapsLockToggled() override { return capsLock; }
    void ToggleNumLock() override { toggle(numLock, "toggle:num"); }
    void ToggleCapsLock() override { toggle(capsLock, "toggle:caps"); }
    void ToggleScrollLock() override { toggle(scrollLock, "toggle:scroll"); }
    bool CapsLockAffectsLetters() const override { return capsLockAffectsLetters; }
    void SendKeys(const std::string& keys, bool wait) override {
        calls.push_back("send:" + keys + (wait ? "" : " (no wait)"));
        sent.push_back(keys);
        if (whileTyping) {
            whileTyping();
        }
    }

  private:
    void toggle(bool& lock, const char* name) {
        lock = !lock;
        calls.emplace_back(name);
    }
};

}  // namespace vantorix::test
