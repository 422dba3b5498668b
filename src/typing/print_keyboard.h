#pragma once

#include <functional>
#include <ostream>

#include "typing/keyboard.h"

namespace vantorix {

// A keyboard that types nothing and instead writes every key string it is
// handed to a stream, one line per call, exactly as handed over, flushed at
// once. Lock keys read as off. Scripts and tests read this output, so its
// format stays as it is.
//
// When the stream fails (standard output closed, a full disk, a reader that
// went away) the keys would be lost without a word: `onOutputFailed` is called
// once, and nothing more is written.
class PrintKeyboard final : public Keyboard {
  public:
    explicit PrintKeyboard(std::ostream& out, std::function<void()> onOutputFailed = {})
        : out_(out), onOutputFailed_(std::move(onOutputFailed)) {}

    bool IsNumLockOn() override { return false; }
    bool IsScrollLockOn() override { return false; }
    bool IsCapsLockToggled() override { return false; }
    void ToggleNumLock() override {}
    void ToggleCapsLock() override {}
    void ToggleScrollLock() override {}
    void SendKeys(const std::string& keys, bool wait) override;

  private:
    std::ostream& out_;
    std::function<void()> onOutputFailed_;
    bool failed_ = false;
};

}  // namespace vantorix
