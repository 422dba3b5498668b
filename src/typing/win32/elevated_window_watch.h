#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <set>
#include <string>
#include <string_view>

#include "typing/keyboard.h"
#include "typing/win32/foreground_probe.h"

namespace vantorix::win32 {

// A keyboard that, before each piece of typing, looks at the window in front
// and tells once per window when Windows will drop the keys because that
// window's program runs at a higher integrity level (SendInput reports
// nothing then). The keys are typed all the same: the check may err, and a
// window may change hands.
class ElevatedWindowWatch final : public Keyboard {
  public:
    using Say = std::function<void(std::string_view message)>;

    ElevatedWindowWatch(std::unique_ptr<Keyboard> keyboard, std::unique_ptr<ForegroundProbe> probe,
                        Say say);

    bool IsNumLockOn() override { return keyboard_->IsNumLockOn(); }
    bool IsScrollLockOn() override { return keyboard_->IsScrollLockOn(); }
    bool IsCapsLockToggled() override { return keyboard_->IsCapsLockToggled(); }
    void ToggleNumLock() override { keyboard_->ToggleNumLock(); }
    void ToggleCapsLock() override { keyboard_->ToggleCapsLock(); }
    void ToggleScrollLock() override { keyboard_->ToggleScrollLock(); }
    bool CapsLockAffectsLetters() const override { return keyboard_->CapsLockAffectsLetters(); }

    void SendKeys(const std::string& keys, bool wait) override;

  private:
    std::unique_ptr<Keyboard> keyboard_;
    std::unique_ptr<ForegroundProbe> probe_;
    Say say_;
    std::set<std::uintptr_t> told_;
};

}  // namespace vantorix::win32
