#include "typing/windows1252.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <utility>

namespace vantorix {
namespace {

TEST(Windows1252, EveryByteRoundTrips) {
    for (int value = 0; value < 256; ++value) {
        const char byte = static_cast<char>(value);
        EXPECT_EQ(encodeWindows1252(decodeWindows1252(byte)), byte) << "byte " << value;
    }
}

TEST(Windows1252, DecodesTheRangeWhereItDiffersFromLatin1) {
    // Bytes 0x80 to 0x9F; the five the code page leaves undefined keep the C1
    // control of the same number.
    const char32_t expected[] = {
        0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
        0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
        0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
    };
    for (int offset = 0; offset < 32; ++offset) {
        EXPECT_EQ(decodeWindows1252(static_cast<char>(0x80 + offset)), expected[offset])
            << "byte " << 0x80 + offset;
    }
}

TEST(Windows1252, DecodesOtherBytesToThemselves) {
    for (const int byte : {0x00, 0x09, 0x41, 0x7F, 0xA0, 0xE9, 0xFF}) {
        EXPECT_EQ(decodeWindows1252(static_cast<char>(byte)), static_cast<char32_t>(byte));
    }
}

TEST(Windows1252, DecodesText) {
    EXPECT_EQ(decodeWindows1252("a\x80\xE9\x9F"), U"a\u20AC\u00E9\u0178");
    EXPECT_EQ(decodeWindows1252(std::string_view("\0x", 2)), std::u32string(U"\0x", 2));
}

TEST(Windows1252, RefusesCodePointsTheCodePageCannotHold) {
    // U+0080 and U+009F are C1 controls whose bytes mean other characters here.
    for (const char32_t codePoint : {U'\u0080', U'\u009F', U'\u0100', U'\u20AD', U'\uFFFD',
                                     U'\U0001F600', char32_t{0x110000}}) {
        EXPECT_EQ(encodeWindows1252(codePoint), std::nullopt)
            << "U+" << std::hex << static_cast<std::uint32_t>(codePoint);
    }
}

}  // namespace
}  // namespace vantorix
