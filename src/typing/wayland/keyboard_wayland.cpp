#include "typing/wayland/keyboard_wayland.h"

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <system_error>
#include <thread>
#include <utility>
#include <vector>

#include "typing/key_string_reader.h"
#include "typing/wayland/compositor_seat.h"
#include "typing/wayland/key_pacer.h"
#include "typing/wayland/mutter_remote_desktop.h"
#include "typing/wayland/routed_keyboard.h"
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

std::unique_ptr<Keyboard> openVirtualKeyboard(std::string& problem, WaylandKeyPacing pacing) {
    auto keyboard = std::make_unique<WaylandKeyboard>(pacing);
    if (!keyboard->connect(problem)) {
        return nullptr;
    }
    return keyboard;
}

WaylandRoute chooseWaylandRoute(const WaylandOffers& offers) {
    if (offers.virtualKeyboard) {
        return WaylandRoute::VirtualKeyboard;
    }
    if (offers.kwinFakeInput) {
        return WaylandRoute::KwinFakeInput;
    }
    return offers.mutterRemoteDesktop ? WaylandRoute::MutterRemoteDesktop : WaylandRoute::None;
}

WaylandRoute waylandRouteOffered() {
    WaylandOffers offers;
    std::string problem;
    if (const auto seat = wayland::CompositorSeat::connect(problem)) {
        offers.virtualKeyboard = seat->offersVirtualKeyboards();
        offers.kwinFakeInput = seat->offersFakeInput();
    }
    // Asked only where the compositor offers neither: it takes a bus connection.
    if (!offers.virtualKeyboard && !offers.kwinFakeInput) {
        offers.mutterRemoteDesktop = wayland::MutterRemoteDesktop::offered();
    }
    return chooseWaylandRoute(offers);
}

const char* waylandRouteName(WaylandRoute route) {
    switch (route) {
        case WaylandRoute::VirtualKeyboard:
            return "virtual keyboard";
        case WaylandRoute::KwinFakeInput:
            return "KWin fake input";
        case WaylandRoute::MutterRemoteDesktop:
            return "GNOME remote desktop";
        case WaylandRoute::None:
            break;
    }
    return "none";
}

std::string kwinAuthorisationAdvice() {
    std::error_code error;
    const std::filesystem::path executable = std::filesystem::read_symlink("/proc/self/exe", error);
    return "KDE Plasma lets a program type into its windows only when a desktop entry names "
           "it. Add the file ~/.local/share/applications/vantorix.desktop with these lines, "
           "then start Vantorix again:\n"
           "[Desktop Entry]\nType=Application\nName=Vantorix\nExec=" +
           executable.string() + "\nX-KDE-Wayland-Interfaces=org_kde_kwin_fake_input";
}

std::unique_ptr<Keyboard> openWaylandKeyboard(std::string& problem, WaylandKeyPacing pacing,
                                              UnreachableReport report) {
    switch (waylandRouteOffered()) {
        case WaylandRoute::VirtualKeyboard:
            return openVirtualKeyboard(problem, pacing);
        case WaylandRoute::KwinFakeInput:
            return wayland::openKwinKeyboard(problem, pacing, std::move(report));
        case WaylandRoute::MutterRemoteDesktop:
            return wayland::openMutterKeyboard(problem, pacing, std::move(report));
        case WaylandRoute::None:
            break;
    }
    problem =
        "This Wayland desktop offers no way to type into its windows (no virtual "
        "keyboard, no KWin fake input, no GNOME remote desktop)";
    if (const char* desktop = std::getenv("XDG_CURRENT_DESKTOP");
        desktop != nullptr && std::string(desktop).find("KDE") != std::string::npos) {
        problem += ". " + kwinAuthorisationAdvice();
    }
    return nullptr;
}

}  // namespace vantorix
