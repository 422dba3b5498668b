#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "typing/key_string_reader.h"
#include "typing/wayland/own_keymap.h"

namespace vantorix::wayland {

// One key pressed and released `repeat` times with `modifiers` held.
struct KeyStroke {
    std::uint32_t key = 0;  // as the key request takes it: the keycode less 8
    std::uint32_t modifiers = 0;
    int repeat = 1;

    bool operator==(const KeyStroke&) const = default;
};

// Strokes typed with one keymap. `keymap`, when not empty, is to be given to
// the keyboard before them; otherwise they use the keymap it has.
struct TypingRun {
    std::string keymap;
    std::vector<KeyStroke> strokes;
};

// Turns key strings into the keys of keymaps of the keyboard's own. A keymap
// starts with the common keysyms and takes new ones as they come; it is given
// to the keyboard again only when a text brings one, and its keys keep their
// keysyms, so keys still on their way type what they were meant to. When more
// distinct keysyms come than one keymap holds, the text is typed in several
// runs, each with a keymap that starts afresh from the common keysyms.
class TypingPlanner {
  public:
    TypingPlanner();

    // The keymap the keyboard has (or is to be given first).
    const std::string& keymap() const { return text_; }

    std::vector<TypingRun> plan(const std::vector<KeyAction>& actions);

  private:
    OwnKeymap keymap_;
    std::string text_;
};

}  // namespace vantorix::wayland
