#include "core/special_characters.h"

#include <gtest/gtest.h>

#include <cmath>

namespace vantorix {
namespace {

std::string expanded(std::string text) {
    process_special_characters(text);
    return text;
}

struct Expansion {
    std::string input;
    std::string expected;
};

class ProcessSpecialCharacters : public ::testing::TestWithParam<Expansion> {};

TEST_P(ProcessSpecialCharacters, Expands) {
    EXPECT_EQ(expanded(GetParam().input), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Codes, ProcessSpecialCharacters,
    ::testing::Values(
        Expansion{"A{13}B", "A\rB"}, Expansion{"{65}{66}", "AB"}, Expansion{"{9}", "\t"},
        Expansion{"{09}", "\t"}, Expansion{"{ 1 3 }", "\r"}, Expansion{"{\t1\n3}", "\r"},
        Expansion{"{6.5}", std::string(1, '\x06')}, Expansion{"{7.5}", std::string(1, '\x08')},
        Expansion{"{255}", "\xff"}, Expansion{"{&HFF}", "\xff"}, Expansion{"{&h41}", "A"},
        Expansion{"{&O101}", "A"}, Expansion{"{+65}", "A"}, Expansion{"{6.5e1}", "A"},
        Expansion{"{650D-1}", "A"}, Expansion{"{65abc}", "A"}, Expansion{"{255.4}", "\xff"},
        Expansion{"{-0.4}", std::string(1, '\0')}, Expansion{"{TAB}", std::string(1, '\0')},
        Expansion{"{}", std::string(1, '\0')}, Expansion{"{{13}", std::string(1, '\0')}));

INSTANTIATE_TEST_SUITE_P(
    TextThatStaysAsWritten, ProcessSpecialCharacters,
    ::testing::Values(Expansion{"", ""}, Expansion{"plain text", "plain text"},
                      Expansion{"x{y", "x{y"},
                      // a "}" with no open "{" before it
                      Expansion{"}{", "}{"}, Expansion{"a}b", "a}b"}, Expansion{"a}b{13}", "a}b\r"},
                      // an unclosed "{" after complete groups
                      Expansion{"{13}{x", "\r{x"},
                      // numbers outside 0 to 255, including by rounding
                      Expansion{"{256}", "{256}"}, Expansion{"{-1}", "{-1}"},
                      Expansion{"{255.5}", "{255.5}"}, Expansion{"{&HFFFF}", "{&HFFFF}"},
                      Expansion{"{1e400}", "{1e400}"}, Expansion{"a{300}b{66}", "a{300}bB"}));

TEST(LenientNumber, ReadsLikeTheTokenSyntaxPromises) {
    EXPECT_DOUBLE_EQ(readLenientNumber("  12  "), 12);
    EXPECT_DOUBLE_EQ(readLenientNumber("- 1 2"), -12);
    EXPECT_DOUBLE_EQ(readLenientNumber("1.5.5"), 1.5);
    EXPECT_DOUBLE_EQ(readLenientNumber(".5"), 0.5);
    EXPECT_DOUBLE_EQ(readLenientNumber("2e"), 2);
    EXPECT_DOUBLE_EQ(readLenientNumber("2e+2x"), 200);
    EXPECT_DOUBLE_EQ(readLenientNumber("&HFFFF"), -1);
    EXPECT_DOUBLE_EQ(readLenientNumber("&H10000"), 65536);
    EXPECT_DOUBLE_EQ(readLenientNumber("&O777"), 511);
    EXPECT_DOUBLE_EQ(readLenientNumber("&O8"), 0);
    EXPECT_DOUBLE_EQ(readLenientNumber("&X1"), 0);
    EXPECT_DOUBLE_EQ(readLenientNumber("abc"), 0);
    EXPECT_DOUBLE_EQ(readLenientNumber("+"), 0);
    EXPECT_DOUBLE_EQ(readLenientNumber("."), 0);
}

TEST(LenientNumber, RoundsHalvesToEvenAndKeepsOnlyByteCodes) {
    EXPECT_EQ(characterCode(0.5), 0);
    EXPECT_EQ(characterCode(1.5), 2);
    EXPECT_EQ(characterCode(2.5), 2);
    EXPECT_EQ(characterCode(-0.5), 0);
    EXPECT_EQ(characterCode(254.5), 254);
    EXPECT_EQ(characterCode(255.5), std::nullopt);
    EXPECT_EQ(characterCode(-0.6), std::nullopt);
    EXPECT_EQ(characterCode(HUGE_VAL), std::nullopt);
}

}  // namespace
}  // namespace vantorix
