#include "typing/x11/keyboard_x11.h"

#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

#include <array>
#include <chrono>
#include <optional>
#include <thread>
#include <vector>

#include "typing/key_string_reader.h"
#include "typing/x11/key_events.h"
#include "typing/x11/key_table.h"
#include "typing/x11/keymap.h"
#include "typing/x11/keymap_reader.h"
#include "typing/x11/spare_keycodes.h"

namespace vantorix {

namespace {

using x11::KeyboardState;
using x11::Keycode;
using x11::KeyRequest;
using x11::Keysym;

// How long a keycode lent to a character stays bound after its key was last
// typed. A window looks the key up only when it reads the event; a busy one
// (or a loaded machine) can take a good part of a second for that. Keycodes
// are emptied in the background, so typing does not wait for this, except
// when more characters without a key come in one call than there are spare
// keycodes.
constexpr auto kLentKeyHoldTime = std::chrono::milliseconds(500);

constexpr std::array<Keysym, 4> kLockKeysyms = {XK_Caps_Lock, XK_Shift_Lock, XK_Num_Lock,
                                                XK_Scroll_Lock};

struct DisplayCloser {
    void operator()(Display* display) const { XCloseDisplay(display); }
};
using DisplayConnection = std::unique_ptr<Display, DisplayCloser>;

// Opens $DISPLAY with XKB and checks for XTest; null with the reason otherwise.
DisplayConnection openDisplay(int& xkbEventType, std::string& problem) {
    int major = XkbMajorVersion;
    int minor = XkbMinorVersion;
    int xkbError = 0;
    int reason = 0;
    DisplayConnection display(
        XkbOpenDisplay(nullptr, &xkbEventType, &xkbError, &major, &minor, &reason));
    const std::string name = XDisplayName(nullptr);
    if (!display) {
        if (reason == XkbOD_NonXkbServer || reason == XkbOD_BadServerVersion) {
            problem = "The X display " + name + " has no usable keyboard extension (XKB)";
        } else if (name.empty()) {
            problem = "Cannot type: no X display (DISPLAY is not set)";
        } else {
            problem = "Cannot open the X display " + name;
        }
        return nullptr;
    }
    int eventBase = 0;
    int errorBase = 0;
    if (!XTestQueryExtension(display.get(), &eventBase, &errorBase, &major, &minor)) {
        problem = "The X display " + name + " does not accept typed keys (no XTest extension)";
        return nullptr;
    }
    return display;
}

class X11Keyboard final : public Keyboard {
  public:
    X11Keyboard(DisplayConnection display, int xkbEventType)
        : display_(std::move(display)),
          xkbEventType_(xkbEventType),
          spare_(display_.get(), kLentKeyHoldTime) {
        const unsigned int changes = XkbNewKeyboardNotifyMask | XkbMapNotifyMask;
        XkbSelectEvents(display_.get(), XkbUseCoreKbd, changes, changes);
        reloadKeymap();
    }

    ~X11Keyboard() override { XSync(display_.get(), False); }

    bool IsNumLockOn() override { return isLockOn(XK_Num_Lock, "Num Lock"); }
    bool IsScrollLockOn() override { return isLockOn(XK_Scroll_Lock, "Scroll Lock"); }
    bool IsCapsLockToggled() override { return (readState().locked_mods & LockMask) != 0; }

    void ToggleNumLock() override { toggle(XK_Num_Lock); }
    void ToggleCapsLock() override { toggle(XK_Caps_Lock); }
    void ToggleScrollLock() override { toggle(XK_Scroll_Lock); }

    void SendKeys(const std::string& keys, bool wait) override {
        const std::vector<KeyRequest> requests = x11::keyRequests(readKeyString(keys));
        spare_.hold();
        // Whatever happened to the keyboard map so far, lent keycodes emptied
        // included, has been announced once a round trip is done.
        XSync(display_.get(), False);
        noteKeymapChanges();
        XkbStateRec state = readState();
        const std::vector<Keycode> held = releaseHeldModifiers(state);
        if (!held.empty()) {
            state = readState();
        }
        typeInRuns(requests, fixedState(state));
        for (const Keycode keycode : held) {
            fakeKeyEvent({keycode, true});
        }
        if (wait) {
            XSync(display_.get(), False);
        } else {
            XFlush(display_.get());
        }
        spare_.release();
    }

  private:
    // The state keys meet before typing presses any modifier: locked
    // modifiers, and held ones that could not be let go.
    static KeyboardState fixedState(const XkbStateRec& state) {
        return {static_cast<std::uint8_t>(state.group), static_cast<x11::ModMask>(state.mods)};
    }

    XkbStateRec readState() {
        XkbStateRec state{};
        XkbGetState(display_.get(), XkbUseCoreKbd, &state);
        return state;
    }

    // Reads the events that say the keyboard map changed (another layout, a
    // remapped key); the map itself is read again once typing needs it.
    void noteKeymapChanges() {
        while (XPending(display_.get()) > 0) {
            XEvent event;
            XNextEvent(display_.get(), &event);
            if (event.type == MappingNotify || event.type == xkbEventType_) {
                keymapChanged_ = true;
            }
        }
        if (keymapChanged_) {
            reloadKeymap();
        }
    }

    void reloadKeymap() {
        keymap_ = x11::readKeymap(display_.get()).value_or(x11::KeymapSnapshot{});
        keymapChanged_ = false;
        table_.reset();
        spare_.keymapChanged(keymap_);
    }

    const x11::KeyTable& tableFor(KeyboardState fixed) {
        if (!table_ || table_->fixedState() != fixed) {
            modifiers_ = x11::ModifierKeys::find(keymap_, fixed.group);
            table_.emplace(keymap_, modifiers_, fixed);
        }
        return *table_;
    }

    // Types the requests in runs, lending spare keycodes to the characters of
    // each run that no key produces.
    void typeInRuns(const std::vector<KeyRequest>& requests, KeyboardState fixed) {
        std::vector<Keysym> needed;
        for (std::size_t first = 0; first < requests.size();) {
            const std::size_t end = x11::runEnd(requests, first, tableFor(fixed), spare_.capacity(),
                                                spare_.lentKeycodes(), needed);
            if (!needed.empty() && spare_.lend(needed)) {
                reloadKeymap();
            }
            fixed = typeRun(requests, first, end, fixed);
            if (!needed.empty()) {
                XFlush(display_.get());
                spare_.used();
            }
            first = end;
        }
    }

    // Returns the fixed state after the run: a lock key typed in it changes it.
    KeyboardState typeRun(const std::vector<KeyRequest>& requests, std::size_t first,
                          std::size_t end, KeyboardState fixed) {
        x11::KeyEventPlan plan(modifiers_);
        for (std::size_t i = first; i < end; ++i) {
            const KeyRequest& request = requests[i];
            const auto stroke = x11::strokeFor(request, tableFor(fixed));
            if (!stroke) {
                continue;  // no key for it and no spare keycode left
            }
            plan.type(*stroke, request.modifiers, request.repeat);
            if (isModifierKey(stroke->keycode)) {
                plan.releaseModifiers();
                send(plan);
                XSync(display_.get(), False);
                fixed = fixedState(readState());
            }
        }
        plan.releaseModifiers();
        send(plan);
        return fixed;
    }

    void send(x11::KeyEventPlan& plan) {
        for (const x11::KeyEvent& event : plan.events()) {
            fakeKeyEvent(event);
        }
        plan.clearEvents();
    }

    // Every key event goes through here, so that a key pressed again right
    // after its release, within a call or across calls, is told from
    // auto-repeat.
    void fakeKeyEvent(const x11::KeyEvent& event) {
        XTestFakeKeyEvent(display_.get(), event.keycode, event.press ? True : False,
                          x11::delayBeforeKeyEvent(lastEvent_, event));
        lastEvent_ = event;
    }

    bool isModifierKey(Keycode keycode) const {
        const x11::KeyMapping* key = keymap_.key(keycode);
        return key != nullptr && key->modifierMap != 0;
    }

    bool isLockKey(Keycode keycode) const {
        for (const Keysym lock : kLockKeysyms) {
            if (x11::keycodeOf(keymap_, lock) == keycode) {
                return true;
            }
        }
        return false;
    }

    // Lets go of the modifier keys held down now, lock keys excepted (pressing
    // them again would toggle them), and returns them.
    std::vector<Keycode> releaseHeldModifiers(const XkbStateRec& state) {
        std::vector<Keycode> released;
        if (state.base_mods == 0) {
            return released;
        }
        std::array<char, 32> down{};
        XQueryKeymap(display_.get(), down.data());
        for (std::size_t i = 0; i < keymap_.keys.size(); ++i) {
            const auto keycode = static_cast<Keycode>(keymap_.minKeycode + i);
            const auto bits = static_cast<unsigned char>(down[keycode / 8U]);
            if ((bits & (1U << (keycode % 8U))) != 0 && isModifierKey(keycode) &&
                !isLockKey(keycode)) {
                fakeKeyEvent({keycode, false});
                released.push_back(keycode);
            }
        }
        if (!released.empty()) {
            XSync(display_.get(), False);
        }
        return released;
    }

    // A lock bound to a modifier reads from the modifier state, where a held
    // lock key also counts; otherwise from the keyboard's indicator.
    bool isLockOn(Keysym lock, const char* indicator) {
        noteKeymapChanges();
        const x11::ModMask mask = x11::modifierOf(keymap_, lock);
        if (mask != 0) {
            return (readState().mods & mask) != 0;
        }
        Bool on = False;
        XkbGetNamedIndicator(display_.get(), XInternAtom(display_.get(), indicator, False), nullptr,
                             &on, nullptr, nullptr);
        return on != False;
    }

    void toggle(Keysym lock) {
        noteKeymapChanges();
        if (const auto keycode = x11::keycodeOf(keymap_, lock)) {
            fakeKeyEvent({*keycode, true});
            fakeKeyEvent({*keycode, false});
            XSync(display_.get(), False);
        }
    }

    DisplayConnection display_;
    int xkbEventType_;
    x11::KeymapSnapshot keymap_;
    bool keymapChanged_ = false;
    x11::ModifierKeys modifiers_;
    std::optional<x11::KeyTable> table_;
    x11::SpareKeycodes spare_;
    std::optional<x11::KeyEvent> lastEvent_;
};

}  // namespace

std::unique_ptr<Keyboard> openX11Keyboard(std::string& problem) {
    int xkbEventType = 0;
    DisplayConnection display = openDisplay(xkbEventType, problem);
    if (!display) {
        return nullptr;
    }
    return std::make_unique<X11Keyboard>(std::move(display), xkbEventType);
}

bool x11KeyboardAvailable() {
    int xkbEventType = 0;
    std::string problem;
    return openDisplay(xkbEventType, problem) != nullptr;
}

}  // namespace vantorix
