#include "typing/wayland/routed_keyboard.h"

#include <xkbcommon/xkbcommon.h>

#include <chrono>
#include <cstdio>
#include <thread>
#include <utility>
#include <vector>

#include "typing/key_string_reader.h"
#include "typing/wayland/compositor_seat.h"
#include "typing/wayland/key_pacer.h"
#include "typing/wayland/layout_planner.h"
#include "typing/wayland/lock_leds.h"
#include "typing/wayland/mutter_remote_desktop.h"

namespace vantorix::wayland {

namespace {

using Clock = KeyPacer::Clock;

constexpr std::uint32_t kLeftShiftCode = 42;
// How long the seat's keymap may take to come: on a desktop without a
// keyboard, the seat has one only once the first key was sent.
constexpr auto kKeymapTimeout = std::chrono::seconds(3);
// mutter loses the first keys of a new session unless a key and this pause
// come before them.
constexpr auto kMutterPriming = std::chrono::milliseconds(100);

// Where the planned keys go.
class KeyRoute {
  public:
    virtual ~KeyRoute() = default;
    virtual bool key(std::uint32_t code, bool pressed) = 0;
    virtual void flush() = 0;
    // Returns once the compositor has handled every key sent.
    virtual bool deliver() = 0;
};

class KwinRoute final : public KeyRoute {
  public:
    explicit KwinRoute(CompositorSeat& seat) : seat_(seat) {}
    bool key(std::uint32_t code, bool pressed) override {
        seat_.fakeKey(code, pressed);
        return true;
    }
    void flush() override { seat_.flush(); }
    bool deliver() override { return seat_.roundTrip(); }

  private:
    CompositorSeat& seat_;
};

class MutterRoute final : public KeyRoute {
  public:
    explicit MutterRoute(std::unique_ptr<MutterRemoteDesktop> desktop)
        : desktop_(std::move(desktop)) {}
    bool key(std::uint32_t code, bool pressed) override { return desktop_->key(code, pressed); }
    void flush() override { desktop_->flush(); }
    bool deliver() override { return desktop_->deliver(); }

  private:
    std::unique_ptr<MutterRemoteDesktop> desktop_;
};

// A route and the seat whose keymap plans its keys; the route goes first.
struct Connection {
    std::unique_ptr<CompositorSeat> seat;
    std::unique_ptr<KeyRoute> route;
};
using Connector = std::function<bool(Connection&, std::string& problem)>;

bool connectKwin(Connection& connection, std::string& problem) {
    auto seat = CompositorSeat::connect(problem);
    if (!seat) {
        return false;
    }
    if (!seat->offersFakeInput()) {
        problem = kwinAuthorisationAdvice();
        return false;
    }
    seat->authenticate("Vantorix", "Types the text that arrives on a serial port");
    if (!seat->awaitKeymap(kKeymapTimeout)) {
        problem = "The Wayland compositor gave no keyboard layout to type with";
        return false;
    }
    auto route = std::make_unique<KwinRoute>(*seat);
    connection = {std::move(seat), std::move(route)};
    return true;
}

bool connectMutter(Connection& connection, std::string& problem) {
    auto desktop = MutterRemoteDesktop::start(problem);
    if (!desktop) {
        return false;
    }
    desktop->key(kLeftShiftCode, true);
    desktop->key(kLeftShiftCode, false);
    if (!desktop->deliver()) {
        problem = "GNOME ended the remote-desktop session for typing";
        return false;
    }
    std::this_thread::sleep_for(kMutterPriming);
    // Only now may the seat have a keyboard to read the keymap of.
    auto seat = CompositorSeat::connect(problem);
    if (!seat) {
        return false;
    }
    if (!seat->awaitKeymap(kKeymapTimeout)) {
        problem = "The Wayland compositor gave no keyboard layout to type with";
        return false;
    }
    connection = {std::move(seat), std::make_unique<MutterRoute>(std::move(desktop))};
    return true;
}

class RoutedKeyboard final : public Keyboard {
  public:
    RoutedKeyboard(Connector connector, WaylandKeyPacing pacing, UnreachableReport report)
        : connector_(std::move(connector)),
          pacing_(pacing),
          report_(std::move(report)),
          pacer_(pacing.keyInterval, Clock::now()) {}

    ~RoutedKeyboard() override {
        if (connection_.route) {
            connection_.route->deliver();
        }
        connection_.route.reset();
    }

    bool connect(std::string& problem) {
        connection_.route.reset();
        connection_.seat.reset();
        if (!connector_(connection_, problem)) {
            connection_ = {};
            return false;
        }
        pacer_ = KeyPacer(pacing_.keyInterval, Clock::now() + pacing_.settleTime);
        planKeymap();
        if (planner_ == nullptr) {
            problem = "The keyboard layout of the desktop cannot be read";
            return false;
        }
        return true;
    }

    // The keyboard lights where the desktop has them; without, the locks this
    // keyboard toggled itself, the only ones it can know of.
    bool IsNumLockOn() override {
        const LockLeds leds = readLockLeds();
        return leds.found ? leds.numLock : ownLocks_.numLock;
    }
    bool IsScrollLockOn() override {
        const LockLeds leds = readLockLeds();
        return leds.found ? leds.scrollLock : ownLocks_.scrollLock;
    }
    bool IsCapsLockToggled() override {
        const LockLeds leds = readLockLeds();
        return leds.found ? leds.capsLock : ownLocks_.capsLock;
    }
    // Every character is planned for the Caps Lock it will meet.
    bool CapsLockAffectsLetters() const override { return false; }
    void ToggleNumLock() override { press(NamedKey::NumLock); }
    void ToggleCapsLock() override { press(NamedKey::CapsLock); }
    void ToggleScrollLock() override { press(NamedKey::ScrollLock); }

    void SendKeys(const std::string& keys, bool wait) override {
        readKeyString(keys, actions_);
        type(wait);
    }

  private:
    void press(NamedKey key) {
        actions_.assign(1, KeyAction{KeyAction::Kind::Named, key, {}, 0, 1});
        type(true);
    }

    void type(bool wait) {
        if (!connected()) {
            return;
        }
        plan_.events.clear();
        plan_.unreachable.clear();
        planner_->plan(actions_, plan_, IsCapsLockToggled());
        if (!plan_.unreachable.empty() && !reported_ && report_) {
            reported_ = true;
            report_(unreachableMessage(plan_.unreachable.front()));
        }
        noteOwnLocks();
        bool sent = true;
        for (const KeyEvent& event : plan_.events) {
            if (event.pressed) {
                connection_.route->flush();
                std::this_thread::sleep_until(pacer_.nextKeyAt(Clock::now()));
            }
            sent = sent && connection_.route->key(event.code, event.pressed);
        }
        sent = sent && (wait ? connection_.route->deliver() : (connection_.route->flush(), true));
        if (!sent) {
            connection_ = {};  // connected again for the next keys
        }
    }

    void noteOwnLocks() {
        for (const KeyAction& action : actions_) {
            if (action.kind != KeyAction::Kind::Named || action.repeat % 2 == 0) {
                continue;
            }
            bool* lock = action.key == NamedKey::CapsLock     ? &ownLocks_.capsLock
                         : action.key == NamedKey::NumLock    ? &ownLocks_.numLock
                         : action.key == NamedKey::ScrollLock ? &ownLocks_.scrollLock
                                                              : nullptr;
            if (lock != nullptr) {
                *lock = !*lock;
            }
        }
    }

    // Connects again when the desktop went away since the last keys or was
    // not there before; follows a change of the user's layout.
    bool connected() {
        if (connection_.seat && connection_.seat->roundTrip()) {
            if (connection_.seat->keymapChanges() != keymapChanges_) {
                planKeymap();
            }
            return planner_ != nullptr;
        }
        std::string problem;
        return connect(problem);
    }

    void planKeymap() {
        keymapChanges_ = connection_.seat->keymapChanges();
        planner_ = LayoutPlanner::fromText(connection_.seat->keymap());
    }

    Connector connector_;
    WaylandKeyPacing pacing_;
    UnreachableReport report_;
    bool reported_ = false;
    LockLeds ownLocks_;
    Connection connection_;
    std::unique_ptr<LayoutPlanner> planner_;
    unsigned keymapChanges_ = 0;
    KeyPacer pacer_;
    std::vector<KeyAction> actions_;
    LayoutPlan plan_;
};

std::unique_ptr<Keyboard> open(Connector connector, std::string& problem, WaylandKeyPacing pacing,
                               UnreachableReport report) {
    auto keyboard =
        std::make_unique<RoutedKeyboard>(std::move(connector), pacing, std::move(report));
    if (!keyboard->connect(problem)) {
        return nullptr;
    }
    return keyboard;
}

}  // namespace

std::unique_ptr<Keyboard> openKwinKeyboard(std::string& problem, WaylandKeyPacing pacing,
                                           UnreachableReport report) {
    return open(connectKwin, problem, pacing, std::move(report));
}

std::unique_ptr<Keyboard> openMutterKeyboard(std::string& problem, WaylandKeyPacing pacing,
                                             UnreachableReport report) {
    return open(connectMutter, problem, pacing, std::move(report));
}

std::string unreachableMessage(char32_t character) {
    char utf8[8] = {};
    xkb_keysym_to_utf8(xkb_utf32_to_keysym(character), utf8, sizeof utf8);
    char codePoint[16] = {};
    std::snprintf(codePoint, sizeof codePoint, "U+%04X", static_cast<unsigned>(character));
    return std::string("The character \u201c") + utf8 + "\u201d (" + codePoint +
           ") was left out: the keyboard layout of this desktop has no key for it, and here "
           "the program can type only with that layout. Other characters it lacks are left out "
           "too, without a further message.";
}

}  // namespace vantorix::wayland
