// Faults that fuzzing found, each kept as a test of its own.

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "core/special_characters.h"

namespace vantorix {
namespace {

std::string expanded(std::string text) {
    process_special_characters(text);
    return text;
}

// A decimal number too small for a double read as infinity, so a group such as
// {1e-400} stayed in the text as written instead of becoming code 0.
TEST(FuzzRegression, NumbersTooSmallForADoubleReadAsZero) {
    EXPECT_EQ(readLenientNumber("1e-400"), 0);
    EXPECT_EQ(readLenientNumber("-2e-324"), 0);
    EXPECT_EQ(readLenientNumber("650D-561"), 0);
    EXPECT_EQ(readLenientNumber("0.001e-322"), 0);
    EXPECT_EQ(readLenientNumber("0." + std::string(400, '0') + "1e10"), 0);
    EXPECT_EQ(readLenientNumber("1e-99999999999999999999"), 0);
    EXPECT_EQ(expanded("a{1e-400}b"), std::string("a\0b", 3));
    EXPECT_EQ(expanded("{65}{-5E-999}"), std::string("A\0", 2));
}

TEST(FuzzRegression, NumbersTooLargeForADoubleStillReadAsInfinite) {
    EXPECT_EQ(readLenientNumber("1e400"), HUGE_VAL);
    EXPECT_EQ(readLenientNumber("-1e400"), -HUGE_VAL);
    EXPECT_EQ(readLenientNumber(std::string(400, '9') + "e-10"), HUGE_VAL);
    EXPECT_EQ(readLenientNumber("1e99999999999999999999"), HUGE_VAL);
    EXPECT_EQ(expanded("{1e400}"), "{1e400}");
}

}  // namespace
}  // namespace vantorix
