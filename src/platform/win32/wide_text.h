#pragma once

#include <string>
#include <string_view>

namespace vantorix::win32 {

// The program keeps its text in single-byte Windows-1252; the Windows API
// takes UTF-16. These convert at that edge.
std::wstring widen(std::string_view windows1252);
// A character Windows-1252 has no byte for becomes '?'.
std::string narrow(std::wstring_view utf16);

// UTF-8 of UTF-16 text, for files and pipes read on the Linux side, and for
// file paths the program hands through its shared code, which must survive
// any character a folder name may hold.
std::string utf8(std::wstring_view utf16);
// UTF-16 of UTF-8 text; an invalid sequence becomes U+FFFD.
std::wstring fromUtf8(std::string_view utf8Text);

}  // namespace vantorix::win32
