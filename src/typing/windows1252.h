#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace vantorix {

// Text inside the program is single-byte Windows-1252. These convert it to and
// from Unicode code points at the edges that need them (windows, typing).

// Every byte has a code point: the five bytes the code page leaves undefined
// (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the C1 control with the same number,
// so no received byte is ever lost.
char32_t decodeWindows1252(char byte);
std::u32string decodeWindows1252(std::string_view text);

// The inverse of decodeWindows1252; nullopt when the code page has no byte
// for the code point.
std::optional<char> encodeWindows1252(char32_t codePoint);

}  // namespace vantorix
