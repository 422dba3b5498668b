#include "typing/wayland/keyboard_wayland.h"

#include <chrono>
#include <optional>
#include <thread>
#include <vector>

#include "typing/key_string_reader.h"
#include "typing/wayland/key_pacer.h"
#include "typing/wayland/typing_planner.h"
#include "typing/wayland/virtual_keyboard.h"

namespace vantorix {

namespace {

using wayland::KeyPacer;
using wayland::VirtualKeyboard;
using Clock = KeyPacer::Clock;

class WaylandKeyboard final : public Keyboard {
  public:
    explicit WaylandKeyboard(WaylandKeyPacing pacing) : pacing_(pacing), pacer_(settledPacer()) {}

    ~WaylandKeyboard() override {
        if (keyboard_) {
            keyboard_->roundTrip();
        }
    }

    // The keyboard's own locks are never on, and no lock of another keyboard
    // reaches the keys it types.
    bool IsNumLockOn() override { return false; }
    bool IsScrollLockOn() override { return false; }
    bool IsCapsLockToggled() override { return false; }
    void ToggleNumLock() override {}
    void ToggleCapsLock() override {}
    void ToggleScrollLock() override {}
    bool CapsLockAffectsLetters() const override { return false; }

    void SendKeys(const std::string& keys, bool wait) override {
        if (!connected()) {
            return;
        }
        readKeyString(keys, actions_);
        for (const wayland::TypingRun& run : planner_.plan(actions_)) {
            if (!run.keymap.empty()) {
                keyboard_->giveKeymap(run.keymap);
                modifiers_.reset();  // a new keymap starts with a state of its own
            }
            for (const wayland::KeyStroke& stroke : run.strokes) {
                for (int i = 0; i < stroke.repeat; ++i) {
                    press(stroke);
                }
            }
        }
        setModifiers(0);
        if (wait) {
            keyboard_->roundTrip();
        } else {
            keyboard_->flush();
        }
    }

    // Makes the keyboard on a new connection.
    bool connect(std::string& problem) {
        keyboard_ = VirtualKeyboard::connect(planner_.keymap(), problem);
        pacer_ = settledPacer();
        modifiers_ = 0;
        return keyboard_ != nullptr;
    }

  private:
    KeyPacer settledPacer() const {
        return KeyPacer(pacing_.keyInterval, Clock::now() + pacing_.settleTime);
    }

    // Connects again when the compositor went away since the last keys (a
    // round trip notices it) or was not there before.
    bool connected() {
        if (keyboard_ && keyboard_->roundTrip()) {
            return true;
        }
        std::string problem;
        return connect(problem);
    }

    void press(const wayland::KeyStroke& stroke) {
        std::this_thread::sleep_until(pacer_.nextKeyAt(Clock::now(), stroke.key == lastKey_));
        lastKey_ = stroke.key;
        setModifiers(stroke.modifiers);
        const auto time = static_cast<std::uint32_t>(
            std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now().time_since_epoch())
                .count());
        keyboard_->key(time, stroke.key, true);
        keyboard_->key(time, stroke.key, false);
        keyboard_->flush();
    }

    // Sends the modifier state when it differs from the one sent last. Locks
    // and latches are always sent as none.
    void setModifiers(std::uint32_t depressed) {
        if (modifiers_ != depressed) {
            keyboard_->setModifiers(depressed, 0);
            modifiers_ = depressed;
        }
    }

    WaylandKeyPacing pacing_;
    std::unique_ptr<VirtualKeyboard> keyboard_;
    wayland::TypingPlanner planner_;
    KeyPacer pacer_;
    std::optional<std::uint32_t> modifiers_ = 0;
    std::optional<std::uint32_t> lastKey_;
    std::vector<KeyAction> actions_;
};

}  // namespace

std::unique_ptr<Keyboard> openWaylandKeyboard(std::string& problem, WaylandKeyPacing pacing) {
    auto keyboard = std::make_unique<WaylandKeyboard>(pacing);
    if (!keyboard->connect(problem)) {
        return nullptr;
    }
    return keyboard;
}

bool waylandKeyboardOffered() {
    return VirtualKeyboard::offered();
}

}  // namespace vantorix
