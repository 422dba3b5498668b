#include "typing/key_string_reader.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <optional>
#include <string_view>

#include "typing/windows1252.h"

namespace vantorix {

namespace {

struct KeyName {
    std::string_view name;  // in capitals
    NamedKey key;
};

constexpr auto kKeyNames = std::to_array<KeyName>({
    {"BACKSPACE", NamedKey::Backspace},
    {"BKSP", NamedKey::Backspace},
    {"BS", NamedKey::Backspace},
    {"BREAK", NamedKey::Break},
    {"CAPSLOCK", NamedKey::CapsLock},
    {"DEL", NamedKey::Delete},
    {"DELETE", NamedKey::Delete},
    {"DOWN", NamedKey::Down},
    {"END", NamedKey::End},
    {"ENTER", NamedKey::Enter},
    {"ESC", NamedKey::Escape},
    {"HELP", NamedKey::Help},
    {"HOME", NamedKey::Home},
    {"INS", NamedKey::Insert},
    {"INSERT", NamedKey::Insert},
    {"LEFT", NamedKey::Left},
    {"NUMLOCK", NamedKey::NumLock},
    {"PGDN", NamedKey::PageDown},
    {"PGUP", NamedKey::PageUp},
    {"PRTSC", NamedKey::PrintScreen},
    {"RIGHT", NamedKey::Right},
    {"SCROLLLOCK", NamedKey::ScrollLock},
    {"TAB", NamedKey::Tab},
    {"UP", NamedKey::Up},
    {"F1", NamedKey::F1},
    {"F2", NamedKey::F2},
    {"F3", NamedKey::F3},
    {"F4", NamedKey::F4},
    {"F5", NamedKey::F5},
    {"F6", NamedKey::F6},
    {"F7", NamedKey::F7},
    {"F8", NamedKey::F8},
    {"F9", NamedKey::F9},
    {"F10", NamedKey::F10},
    {"F11", NamedKey::F11},
    {"F12", NamedKey::F12},
    {"F13", NamedKey::F13},
    {"F14", NamedKey::F14},
    {"F15", NamedKey::F15},
    {"F16", NamedKey::F16},
    {"ADD", NamedKey::Add},
    {"SUBTRACT", NamedKey::Subtract},
    {"MULTIPLY", NamedKey::Multiply},
    {"DIVIDE", NamedKey::Divide},
});

constexpr char toAsciiUpper(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

// Key names are matched in either case: while Caps Lock is on, the letters of
// the whole key string are handed over swapped, names included.
std::optional<NamedKey> findNamedKey(std::string_view name) {
    for (const auto& [keyName, key] : kKeyNames) {
        if (name.size() == keyName.size() &&
            std::equal(name.begin(), name.end(), keyName.begin(),
                       [](char given, char upper) { return toAsciiUpper(given) == upper; })) {
            return key;
        }
    }
    return std::nullopt;
}

KeyAction characterAction(char byte) {
    KeyAction action;
    action.character = decodeWindows1252(byte);
    return action;
}

KeyAction namedAction(NamedKey key) {
    KeyAction action;
    action.kind = KeyAction::Kind::Named;
    action.key = key;
    return action;
}

// A plain non-negative decimal number, cut to kMaxRepeat; nullopt otherwise.
std::optional<int> readRepeatCount(std::string_view text) {
    if (text.empty()) {
        return std::nullopt;
    }
    int count = 0;
    for (char c : text) {
        if (c < '0' || c > '9') {
            return std::nullopt;
        }
        count = std::min(count * 10 + (c - '0'), kMaxRepeat);
    }
    return count;
}

// What the text between a pair of braces stands for: a key name or a single
// character, optionally followed by a blank and a repeat count (which may be 0).
// The first character belongs to the name whatever it is, so "{} 3}" is three
// closing braces and "{  3}" three blanks.
std::optional<KeyAction> readBraceContent(std::string_view content) {
    const std::size_t blank = content.find(' ', 1);
    const std::string_view name = content.substr(0, blank);
    int repeat = 1;
    if (blank != std::string_view::npos) {
        const auto count = readRepeatCount(content.substr(blank + 1));
        if (!count) {
            return std::nullopt;
        }
        repeat = *count;
    }
    std::optional<KeyAction> action;
    if (name.size() == 1) {
        action = characterAction(name.front());
    } else if (const auto key = findNamedKey(name)) {
        action = namedAction(*key);
    }
    if (action) {
        action->repeat = repeat;
    }
    return action;
}

constexpr bool isBrace(char c) {
    return c == '{' || c == '}';
}

Modifiers combined(Modifiers a, Modifiers b) {
    return {a.shift || b.shift, a.control || b.control, a.alt || b.alt};
}

class KeyStringReader {
  public:
    KeyStringReader(std::string_view keys, std::vector<KeyAction>& actions)
        : keys_(keys), actions_(actions) {
        actions_.clear();
        // Every byte yields at most one action.
        actions_.reserve(keys.size());
    }

    void read() && {
        std::size_t pos = 0;
        while (pos < keys_.size()) {
            pos = readAt(pos);
        }
        typePrefixLiterally();
    }

  private:
    // Reads the element at `pos` and returns where the next one starts.
    std::size_t readAt(std::size_t pos) {
        const char c = keys_[pos];
        switch (c) {
            case '+':
            case '^':
            case '%':
                addToPrefix(c, pos);
                return pos + 1;
            case '(':
                groups_.push_back(takePrefix());
                return pos + 1;
            case ')':
                typePrefixLiterally();
                if (groups_.empty()) {
                    emitCharacter(c, {});
                } else {
                    groups_.pop_back();
                }
                return pos + 1;
            case '~':
                emit(namedAction(NamedKey::Enter), takePrefix());
                return pos + 1;
            case '{':
                return readBraceGroup(pos, takePrefix());
            default:
                emitCharacter(c, takePrefix());
                return pos + 1;
        }
    }

    std::size_t readBraceGroup(std::size_t open, Modifiers modifiers) {
        const std::size_t first = open + 1;
        const std::size_t close =
            first < keys_.size() ? nextBrace(first + 1) : std::string_view::npos;
        if (close != std::string_view::npos && keys_[close] == '}') {
            if (const auto action = readBraceContent(keys_.substr(first, close - first))) {
                emit(*action, modifiers);
                return close + 1;
            }
            if (!isBrace(keys_[first])) {
                typeLiterally(open, close + 1, modifiers);
                return close + 1;
            }
        }
        // A "{" that no "}" closes before the next brace is a character of its
        // own, so that one stray brace in user text cannot swallow the keys that
        // follow. An empty group "{}" comes out as written this way too.
        emitCharacter('{', modifiers);
        return first;
    }

    // The first brace at or after `from`. Callers ask with growing `from`, so
    // remembering the last answer keeps all searches together linear.
    std::size_t nextBrace(std::size_t from) {
        if (!nextBrace_ || *nextBrace_ < from) {
            const auto found = std::find_if(keys_.begin() + static_cast<std::ptrdiff_t>(from),
                                            keys_.end(), isBrace);
            nextBrace_ = found == keys_.end() ? std::string_view::npos
                                              : static_cast<std::size_t>(found - keys_.begin());
        }
        return *nextBrace_;
    }

    void addToPrefix(char c, std::size_t pos) {
        if (prefixLength_ == 0) {
            prefixStart_ = pos;
        }
        ++prefixLength_;
        prefix_.shift = prefix_.shift || c == '+';
        prefix_.control = prefix_.control || c == '^';
        prefix_.alt = prefix_.alt || c == '%';
    }

    // The modifiers for the element that follows a prefix; the prefix is used up.
    Modifiers takePrefix() {
        const Modifiers modifiers = combined(held(), prefix_);
        prefix_ = {};
        prefixLength_ = 0;
        return modifiers;
    }

    // A prefix with nothing to apply to stands for its own characters.
    void typePrefixLiterally() {
        const std::size_t length = prefixLength_;
        prefix_ = {};
        prefixLength_ = 0;
        typeLiterally(prefixStart_, prefixStart_ + length, held());
    }

    // Types keys_[from, to) as characters; only the first gets `firstModifiers`.
    void typeLiterally(std::size_t from, std::size_t to, Modifiers firstModifiers) {
        for (std::size_t pos = from; pos < to; ++pos) {
            emitCharacter(keys_[pos], pos == from ? firstModifiers : held());
        }
    }

    void emitCharacter(char byte, Modifiers modifiers) { emit(characterAction(byte), modifiers); }

    void emit(KeyAction action, Modifiers modifiers) {
        if (action.repeat == 0) {
            return;
        }
        action.modifiers = modifiers;
        actions_.push_back(action);
    }

    // Modifiers held by the innermost open group.
    Modifiers held() const { return groups_.empty() ? Modifiers{} : groups_.back(); }

    std::string_view keys_;
    std::vector<KeyAction>& actions_;
    std::vector<Modifiers> groups_;  // a stack, not recursion: groups may nest deeply
    Modifiers prefix_;
    std::size_t prefixStart_ = 0;
    std::size_t prefixLength_ = 0;
    std::optional<std::size_t> nextBrace_;
};

}  // namespace

void readKeyString(std::string_view keys, std::vector<KeyAction>& actions) {
    KeyStringReader(keys, actions).read();
}

std::vector<KeyAction> readKeyString(std::string_view keys) {
    std::vector<KeyAction> actions;
    readKeyString(keys, actions);
    return actions;
}

}  // namespace vantorix
