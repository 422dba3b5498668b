#pragma once

#include <cstdint>
#include <vector>

#include "typing/key_string_reader.h"

namespace vantorix::wayland {

using Keysym = std::uint32_t;

// The keysym that an action of a key string types: a named key's, or the
// character's; Shift with a letter gives its capital, as on a keyboard. 0 (no
// symbol) for a control character that no key types (bell, form feed, the C1
// codes); TAB, CR, LF, BS, ESC and DEL are the keys of the same name.
Keysym keysymFor(const KeyAction& action);

// The keysyms of every named key of the key-string reader.
const std::vector<Keysym>& namedKeysyms();

}  // namespace vantorix::wayland
