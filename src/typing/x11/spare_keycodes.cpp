#include "typing/x11/spare_keycodes.h"

#include <X11/XKBlib.h>

#include <algorithm>
#include <memory>

namespace vantorix::x11 {

namespace {

struct KeyboardMapDeleter {
    void operator()(XkbDescPtr description) const { XkbFreeKeyboard(description, 0, True); }
};

void unbind(Display* display, Keycode keycode) {
    KeySym none = NoSymbol;
    XChangeKeyboardMapping(display, keycode, 1, &none, 1);
}

// Binds each keysym to its keycode as the small letter of a letter key: the
// first level of the two-level type that Caps Lock selects, the level the key
// gives without modifiers and, with Caps Lock on, with Shift. Caps Lock is
// then consumed by the key, so no client turns the keysym into its capital.
// With one level, clients convert its case under Caps Lock, and for keysyms
// such as ß, µ and ÿ no key would then give it at all. The second level stays
// empty rather than repeating the keysym: some clients count Caps Lock as
// consumed only where it changes what the key gives.
void bindAsSmallLetter(Display* display, const std::vector<std::pair<Keycode, Keysym>>& bindings) {
    const std::unique_ptr<XkbDescRec, KeyboardMapDeleter> xkb(
        XkbGetMap(display, XkbKeyTypesMask | XkbKeySymsMask, XkbUseCoreKbd));
    if (!xkb) {
        return;
    }
    XkbMapChangesRec changes{};
    changes.changed = XkbKeySymsMask;
    for (const auto& [keycode, keysym] : bindings) {
        KeySym* levels = XkbResizeKeySyms(xkb.get(), keycode, 2);
        if (levels == nullptr) {
            continue;
        }
        XkbSymMapRec& key = xkb->map->key_sym_map[keycode];
        key.kt_index[0] = XkbAlphabeticIndex;
        key.group_info = static_cast<unsigned char>(XkbSetNumGroups(key.group_info, 1));
        key.width = 2;
        levels[0] = keysym;
        levels[1] = NoSymbol;
        const int first = changes.num_key_syms == 0 ? keycode : changes.first_key_sym;
        const int last = std::max<int>(keycode, first + changes.num_key_syms - 1);
        changes.first_key_sym = static_cast<KeyCode>(std::min<int>(first, keycode));
        changes.num_key_syms = static_cast<unsigned char>(last - changes.first_key_sym + 1);
    }
    XkbChangeMap(display, xkb.get(), &changes);
}

bool holdsKeysym(const KeymapSnapshot& keymap, Keycode keycode, Keysym keysym) {
    const KeyMapping* key = keymap.key(keycode);
    return key != nullptr &&
           std::any_of(key->groups.begin(), key->groups.end(), [&](const auto& g) {
               return std::find(g.levels.begin(), g.levels.end(), keysym) != g.levels.end();
           });
}

}  // namespace

SpareKeycodes::SpareKeycodes(Display* display, std::chrono::milliseconds holdTime)
    : display_(display),
      restorerDisplay_(XOpenDisplay(DisplayString(display))),
      holdTime_(holdTime) {
    if (restorerDisplay_ != nullptr) {
        restorer_ = std::thread([this] { restoreWhenUnused(); });
    }
}

SpareKeycodes::~SpareKeycodes() {
    {
        const std::lock_guard lock(mutex_);
        stopping_ = true;
        holding_ = false;
    }
    changed_.notify_all();
    if (restorer_.joinable()) {
        restorer_.join();
    } else {
        const std::unique_lock lock(mutex_);
        std::this_thread::sleep_until(lastUse_ + holdTime_);
        takeBackLocked(display_);
    }
    if (restorerDisplay_ != nullptr) {
        XCloseDisplay(restorerDisplay_);
    }
}

void SpareKeycodes::hold() {
    const std::lock_guard lock(mutex_);
    holding_ = true;
}

void SpareKeycodes::release() {
    {
        const std::lock_guard lock(mutex_);
        holding_ = false;
    }
    changed_.notify_all();
}

void SpareKeycodes::keymapChanged(const KeymapSnapshot& keymap) {
    const std::lock_guard lock(mutex_);
    std::erase_if(lent_, [&](const auto& binding) {
        return !holdsKeysym(keymap, binding.first, binding.second);
    });
    spare_ = spareKeycodes(keymap);
    for (const auto& [keycode, keysym] : lent_) {
        spare_.push_back(keycode);
    }
}

std::size_t SpareKeycodes::capacity() const {
    const std::lock_guard lock(mutex_);
    return spare_.size();
}

std::vector<Keycode> SpareKeycodes::lentKeycodes() const {
    const std::lock_guard lock(mutex_);
    std::vector<Keycode> keycodes;
    for (const auto& [keycode, keysym] : lent_) {
        keycodes.push_back(keycode);
    }
    return keycodes;
}

bool SpareKeycodes::lend(const std::vector<Keysym>& needed) {
    std::unique_lock lock(mutex_);
    const auto isLent = [this](Keysym keysym) {
        return std::any_of(lent_.begin(), lent_.end(),
                           [keysym](const auto& binding) { return binding.second == keysym; });
    };
    const auto isFree = [this](Keycode keycode) {
        return std::none_of(lent_.begin(), lent_.end(),
                            [keycode](const auto& binding) { return binding.first == keycode; });
    };
    std::vector<Keysym> missing;
    std::copy_if(needed.begin(), needed.end(), std::back_inserter(missing),
                 [&](Keysym keysym) { return !isLent(keysym); });
    if (missing.empty()) {
        return false;
    }
    std::vector<Keycode> free;
    std::copy_if(spare_.begin(), spare_.end(), std::back_inserter(free), isFree);
    if (missing.size() > free.size()) {
        // The keys typed last must be read before their keycodes change.
        XSync(display_, False);
        const Clock::time_point unused = lastUse_ + holdTime_;
        lock.unlock();
        std::this_thread::sleep_until(unused);
        lock.lock();
        takeBackLocked(display_);
        missing = needed;
        free = spare_;
    }
    const std::size_t count = std::min(missing.size(), free.size());
    std::vector<std::pair<Keycode, Keysym>> bindings;
    for (std::size_t i = 0; i < count; ++i) {
        bindings.emplace_back(free[i], missing[i]);
    }
    bindAsSmallLetter(display_, bindings);
    lent_.insert(lent_.end(), bindings.begin(), bindings.end());
    return true;
}

void SpareKeycodes::used() {
    const std::lock_guard lock(mutex_);
    lastUse_ = Clock::now();
}

void SpareKeycodes::restoreWhenUnused() {
    std::unique_lock lock(mutex_);
    while (!stopping_) {
        if (holding_ || lent_.empty()) {
            changed_.wait(lock);
        } else if (Clock::now() < lastUse_ + holdTime_) {
            changed_.wait_until(lock, lastUse_ + holdTime_);
        } else {
            takeBackLocked(restorerDisplay_);
        }
    }
    // Ending: the keys typed last still get their time to be read.
    std::this_thread::sleep_until(lastUse_ + holdTime_);
    takeBackLocked(restorerDisplay_);
}

void SpareKeycodes::takeBackLocked(Display* display) {
    if (lent_.empty()) {
        return;
    }
    for (const auto& [keycode, keysym] : lent_) {
        unbind(display, keycode);
    }
    lent_.clear();
    // Done before the lock is let go: whoever holds next sees the map as it is.
    XSync(display, False);
}

}  // namespace vantorix::x11
