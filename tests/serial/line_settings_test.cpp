#include "serial/line_settings.h"

#include <gtest/gtest.h>

namespace vantorix {
namespace {

TEST(LineSettings, ReadsBaudParityDataBitsAndStopBits) {
    struct Case {
        const char* text;
        LineSettings expected;
    };
    const Case cases[] = {
        {"9600,N,8,1", {9600, Parity::None, 8, StopBits::One}},
        {"19200,E,7,2", {19200, Parity::Even, 7, StopBits::Two}},
        {"110,S,5,2", {110, Parity::Space, 5, StopBits::Two}},
        {"300,M,4,1.5", {300, Parity::Mark, 4, StopBits::OneAndHalf}},
        {"57600,o,6,1", {57600, Parity::Odd, 6, StopBits::One}},
        {"115200,e,8,1", {115200, Parity::Even, 8, StopBits::One}},
        {"56000,n,8,1", {56000, Parity::None, 8, StopBits::One}},
        {"1,m,8,1", {1, Parity::Mark, 8, StopBits::One}},
        {"2147483647,s,8,1", {2147483647, Parity::Space, 8, StopBits::One}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const auto parsed = parseLineSettings(c.text);
        ASSERT_TRUE(parsed);
        EXPECT_EQ(*parsed, c.expected);
    }
}

TEST(LineSettings, RefusesAnythingElse) {
    const char* malformed[] = {
        "",           "9600",        "9600,N,8",          "9600,N,8,1,", "abc,N,8,1",
        "0,N,8,1",    "-9600,N,8,1", "99999999999,N,8,1", "96O0,N,8,1",  " 9600,N,8,1",
        "9600,X,8,1", "9600,NO,8,1", "9600,,8,1",         "9600,N,9,1",  "9600,N,3,1",
        "9600,N,,1",  "9600,N,8,3",  "9600,N,8,1.0",      "9600,N,8,1 ", "9600,N,8,",
        "9600,N,8,0", "+9600,N,8,1", "9600;N;8;1",        "9600,N,08,1", "2147483648,N,8,1"};
    for (const char* text : malformed) {
        SCOPED_TRACE(text);
        EXPECT_FALSE(parseLineSettings(text));
    }
}

}  // namespace
}  // namespace vantorix
