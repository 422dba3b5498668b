#include "platform/win32/wide_text.h"

#include <windows.h>

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

std::string utf8(std::wstring_view utf16) {
    if (utf16.empty()) {
        return {};
    }
    const int length = static_cast<int>(utf16.size());
    const int size =
        WideCharToMultiByte(CP_UTF8, 0, utf16.data(), length, nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, utf16.data(), length, bytes.data(), size, nullptr, nullptr);
    return bytes;
}

std::wstring fromUtf8(std::string_view utf8Text) {
    if (utf8Text.empty()) {
        return {};
    }
    const int length = static_cast<int>(utf8Text.size());
    const int size = MultiByteToWideChar(CP_UTF8, 0, utf8Text.data(), length, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(size), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8Text.data(), length, wide.data(), size);
    return wide;
}

}  // namespace vantorix::win32
