#include "typing/windows1252.h"

#include <algorithm>
#include <array>
#include <cstddef>

namespace vantorix {

namespace {

constexpr unsigned char kFirstRemapped = 0x80;
constexpr unsigned char kFirstLatin1 = 0xA0;

// Code points of the bytes 0x80 to 0x9F, the only range where the code page
// differs from Latin-1.
constexpr std::array<char32_t, kFirstLatin1 - kFirstRemapped> kRemapped = {
    U'\u20AC', U'\u0081', U'\u201A', U'\u0192', U'\u201E', U'\u2026', U'\u2020', U'\u2021',
    U'\u02C6', U'\u2030', U'\u0160', U'\u2039', U'\u0152', U'\u008D', U'\u017D', U'\u008F',
    U'\u0090', U'\u2018', U'\u2019', U'\u201C', U'\u201D', U'\u2022', U'\u2013', U'\u2014',
    U'\u02DC', U'\u2122', U'\u0161', U'\u203A', U'\u0153', U'\u009D', U'\u017E', U'\u0178',
};

constexpr char toChar(unsigned int byte) {
    return static_cast<char>(static_cast<unsigned char>(byte));
}

}  // namespace

char32_t decodeWindows1252(char byte) {
    const auto value = static_cast<unsigned char>(byte);
    if (value >= kFirstRemapped && value < kFirstLatin1) {
        return kRemapped[static_cast<std::size_t>(value - kFirstRemapped)];
    }
    return value;
}

std::u32string decodeWindows1252(std::string_view text) {
    std::u32string decoded(text.size(), U'\0');
    std::transform(text.begin(), text.end(), decoded.begin(),
                   [](char byte) { return decodeWindows1252(byte); });
    return decoded;
}

std::optional<char> encodeWindows1252(char32_t codePoint) {
    if (codePoint < kFirstRemapped || (codePoint >= kFirstLatin1 && codePoint <= 0xFF)) {
        return toChar(codePoint);
    }
    const auto* found = std::find(kRemapped.begin(), kRemapped.end(), codePoint);
    if (found == kRemapped.end()) {
        return std::nullopt;
    }
    return toChar(kFirstRemapped + static_cast<unsigned int>(found - kRemapped.begin()));
}

}  // namespace vantorix
