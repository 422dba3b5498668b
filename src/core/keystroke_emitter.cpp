#include "core/keystroke_emitter.h"

namespace vantorix {
namespace {

// The end of the element that begins with the "{" at `open`, as the key
// string reader sees it: up to the next brace when that is a "}", otherwise
// the "{" alone. (What lies between is typed as a key or as its characters;
// either way it stays whole.)
std::size_t braceElementEnd(std::string_view keys, std::size_t open) {
    const std::size_t first = open + 1;
    if (first >= keys.size()) {
        return first;
    }
    const std::size_t close = keys.find_first_of("{}", first + 1);
    return close != std::string_view::npos && keys[close] == '}' ? close + 1 : first;
}

}  // namespace

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

std::size_t keyStringSliceEnd(std::string_view keys, std::size_t from, std::size_t length) {
    const std::size_t wanted = from + length;
    std::size_t lastBoundary = from;
    int openGroups = 0;
    bool prefixPending = false;
    for (std::size_t pos = from; pos < keys.size();) {
        const char c = keys[pos];
        std::size_t next = pos + 1;
        switch (c) {
            case '+':
            case '^':
            case '%':
                prefixPending = true;
                break;
            case '(':
                ++openGroups;
                prefixPending = false;
                break;
            case ')':
                openGroups = openGroups > 0 ? openGroups - 1 : 0;
                prefixPending = false;
                break;
            case '{':
                next = braceElementEnd(keys, pos);
                prefixPending = false;
                break;
            default:
                prefixPending = false;
                break;
        }
        pos = next;
        if (openGroups > 0 || prefixPending) {
            continue;
        }
        if (pos > wanted && lastBoundary > from) {
            return lastBoundary;
        }
        if (pos >= wanted) {
            return pos;
        }
        lastBoundary = pos;
    }
    return keys.size();
}

}  // namespace vantorix
