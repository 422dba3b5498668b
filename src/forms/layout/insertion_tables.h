#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace vantorix {

// The rows of the advanced options window's insertion lists, in list order.
// The special keys go into texts that are typed as keystrokes (pre-amble,
// post-amble, replacement); the characters go into texts that are compared
// with received bytes or sent out of the port (search text, hot-key strings).
std::span<const std::string> specialKeyItems();       // "Enter" ... "F16"
std::span<const std::string> searchCharacterItems();  // "CR", "LFD", "ESC", "TAB", "Back Space"
std::span<const std::string> hotKeyCharacterItems();  // "CR", "LFD", "ESC", "Back Space", "TAB"

// The token a row of a special-key list stands for: "Back Space" -> "{BS}",
// "F5" -> "{F5}". nullopt for text that is not a row of that list.
std::optional<std::string> namedKeyToken(std::string_view row);

// The token a row of a character list stands for, the character's decimal
// code in braces with at least two digits: "TAB" -> "{09}", "ESC" -> "{27}".
std::optional<std::string> characterCodeToken(std::string_view row);

}  // namespace vantorix
