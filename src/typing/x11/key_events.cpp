#include "typing/x11/key_events.h"

#include <algorithm>
#include <utility>

namespace vantorix::x11 {

namespace {

constexpr bool isBetween(Keysym keysym, Keysym first, Keysym last) {
    return keysym >= first && keysym <= last;
}

RoleSet prefixRoles(const Modifiers& modifiers) {
    RoleSet roles = 0;
    if (modifiers.shift) {
        roles |= roleBit(ModifierRole::Shift);
    }
    if (modifiers.control) {
        roles |= roleBit(ModifierRole::Control);
    }
    if (modifiers.alt) {
        roles |= roleBit(ModifierRole::Alt);
    }
    return roles;
}

// The keysym of a request that the table has, as looked up, and its key.
std::optional<std::pair<Keysym, KeyStroke>> matchFor(const KeyRequest& request,
                                                     const KeyTable& table) {
    for (const Keysym keysym : request.keysyms) {
        if (keysym == kNoSymbol) {
            break;
        }
        const Keysym lookedUp = keysymToLookUp(keysym, table);
        if (const auto stroke = table.find(lookedUp)) {
            return std::pair(lookedUp, *stroke);
        }
    }
    return std::nullopt;
}

}  // namespace

std::vector<KeyRequest> keyRequests(const std::vector<KeyAction>& actions) {
    std::vector<KeyRequest> requests;
    requests.reserve(actions.size());
    for (const KeyAction& action : actions) {
        KeyRequest request;
        if (action.kind == KeyAction::Kind::Named) {
            request.keysyms = {keysymFor(action.key), kNoSymbol};
        } else {
            request.keysyms = keysymsFor(action.character);
        }
        if (request.keysyms[0] == kNoSymbol) {
            continue;
        }
        request.modifiers = prefixRoles(action.modifiers);
        request.repeat = action.repeat;
        requests.push_back(request);
    }
    return requests;
}

Keysym keysymToLookUp(Keysym keysym, const KeyTable& table) {
    if ((table.fixedState().modifiers & kLockMask) == 0) {
        return keysym;
    }
    constexpr Keysym kCaseDistance = 'a' - 'A';
    if (isBetween(keysym, 'a', 'z')) {
        return keysym - kCaseDistance;
    }
    if (isBetween(keysym, 'A', 'Z')) {
        return keysym + kCaseDistance;
    }
    return keysym;
}

std::optional<KeyStroke> strokeFor(const KeyRequest& request, const KeyTable& table) {
    const auto match = matchFor(request, table);
    return match ? std::optional(match->second) : std::nullopt;
}

std::size_t runEnd(const std::vector<KeyRequest>& requests, std::size_t first,
                   const KeyTable& table, std::size_t spareKeys, const std::vector<Keycode>& lent,
                   std::vector<Keysym>& needed) {
    needed.clear();
    std::size_t end = first;
    for (; end < requests.size(); ++end) {
        const KeyRequest& request = requests[end];
        const auto match = matchFor(request, table);
        const bool onLentKey =
            match && std::find(lent.begin(), lent.end(), match->second.keycode) != lent.end();
        if (spareKeys == 0 || (match && !onLentKey)) {
            continue;
        }
        const Keysym wanted = match ? match->first : keysymToLookUp(request.keysyms[0], table);
        if (std::find(needed.begin(), needed.end(), wanted) != needed.end()) {
            continue;
        }
        if (needed.size() == spareKeys) {
            break;
        }
        needed.push_back(wanted);
    }
    return end;
}

unsigned long delayBeforeKeyEvent(const std::optional<KeyEvent>& previous, const KeyEvent& event) {
    constexpr unsigned long kRepeatedPressDelayMs = 1;
    const bool pressedAgain =
        event.press && previous && !previous->press && previous->keycode == event.keycode;
    return pressedAgain ? kRepeatedPressDelayMs : 0;
}

void KeyEventPlan::type(KeyStroke stroke, RoleSet held, int times) {
    holdExactly(static_cast<RoleSet>(stroke.modifiers | held));
    for (int i = 0; i < times; ++i) {
        events_.push_back({stroke.keycode, true});
        events_.push_back({stroke.keycode, false});
    }
}

void KeyEventPlan::releaseModifiers() {
    holdExactly(0);
}

void KeyEventPlan::holdExactly(RoleSet roles) {
    for (std::size_t i = 0; i < kModifierRoleCount; ++i) {
        const auto role = static_cast<ModifierRole>(i);
        const RoleSet bit = roleBit(role);
        const bool wanted = (roles & bit) != 0;
        const bool down = (down_ & bit) != 0;
        const auto& key = modifiers_[role];
        if (wanted == down || !key) {
            continue;
        }
        events_.push_back({key->keycode, wanted});
        down_ = static_cast<RoleSet>(down_ ^ bit);
    }
}

}  // namespace vantorix::x11
