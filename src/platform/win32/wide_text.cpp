#include "platform/win32/wide_text.h"

#include "typing/windows1252.h"

namespace vantorix::win32 {

std::wstring widen(std::string_view windows1252) {
    std::wstring wide;
    wide.reserve(windows1252.size());
    // Every Windows-1252 character lies in the Basic Multilingual Plane.
    for (const char byte : windows1252) {
        wide.push_back(static_cast<wchar_t>(decodeWindows1252(byte)));
    }
    return wide;
}

std::string narrow(std::wstring_view utf16) {
    std::string text;
    text.reserve(utf16.size());
    for (const wchar_t unit : utf16) {
        text.push_back(encodeWindows1252(static_cast<char32_t>(unit)).value_or('?'));
    }
    return text;
}

}  // namespace vantorix::win32
