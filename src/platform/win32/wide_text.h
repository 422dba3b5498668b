#pragma once

#include <string>
#include <string_view>

namespace vantorix::win32 {

// The program keeps its text in single-byte Windows-1252; the Windows API
// takes UTF-16. These convert at that edge.
std::wstring widen(std::string_view windows1252);
// A character Windows-1252 has no byte for becomes '?'.
std::string narrow(std::wstring_view utf16);

// UTF-8 of UTF-16 text, for files and pipes read on the Linux side.
std::string utf8(std::wstring_view utf16);

}  // namespace vantorix::win32
