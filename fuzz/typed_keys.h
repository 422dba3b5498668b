#pragma once

#include <string_view>
#include <vector>

#include "typing/key_string_reader.h"
#include "fuzz_check.h"
#include "settings/redirect_settings.h"

namespace vantorix::fuzz {

inline KeyAction characterKey(char32_t character) {
    KeyAction action;
    action.character = character;
    return action;
}

inline KeyAction namedKey(NamedKey key) {
    KeyAction action;
    action.kind = KeyAction::Kind::Named;
    action.key = key;
    return action;
}

// What typing the translation of received text must come to, byte by byte:
// a printable character types itself, TAB the Tab key, CR and LF the Enter key
// while their switch is on; every other byte is dropped.
inline std::vector<KeyAction> keysForReceivedText(std::string_view text,
                                                  const RedirectSettings& settings) {
    std::vector<KeyAction> keys;
    for (const char c : text) {
        const auto code = static_cast<unsigned char>(c);
        if (code >= 32 && code <= 126) {
            keys.push_back(characterKey(code));
        } else if (c == '\t') {
            keys.push_back(namedKey(NamedKey::Tab));
        } else if ((c == '\n' && isOn(settings.Check_LF_KEY)) ||
                   (c == '\r' && isOn(settings.Check_ENTER_KEY))) {
            keys.push_back(namedKey(NamedKey::Enter));
        }
    }
    return keys;
}

inline bool isPrintableAscii(std::string_view text) {
    for (const char c : text) {
        if (c < 32 || c > 126) {
            return false;
        }
    }
    return true;
}

// What holds for the reading of any key string, whatever it holds.
inline void requireSoundReading(std::string_view keys, const std::vector<KeyAction>& actions) {
    require(actions.size() <= keys.size(), "every byte of a key string yields at most one action");
    for (const KeyAction& action : actions) {
        require(action.repeat >= 1 && action.repeat <= kMaxRepeat,
                "repeat counts lie from 1 to kMaxRepeat");
        require(action.kind == KeyAction::Kind::Named || action.character <= 0xFFFF,
                "characters are code points of the single-byte code page");
    }
}

// The key string as typed: read, checked, and appended to `typed`.
inline void readSoundly(std::string_view keys, std::vector<KeyAction>& typed) {
    const std::vector<KeyAction> actions = readKeyString(keys);
    requireSoundReading(keys, actions);
    typed.insert(typed.end(), actions.begin(), actions.end());
}

}  // namespace vantorix::fuzz
