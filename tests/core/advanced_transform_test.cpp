#include "core/advanced_transform.h"

#include <gtest/gtest.h>

namespace vantorix {
namespace {

class AdvancedTransform : public ::testing::Test {
  protected:
    std::string transform(std::string text, bool active = true) {
        process_advanced_options_string(text, settings, active);
        return text;
    }
    void replace(std::string search, std::string replacement) {
        settings.Check_replacestring = 1;
        settings.Text_searchfor = std::move(search);
        settings.Text_replacewith = std::move(replacement);
    }
    RedirectSettings settings;
};

TEST_F(AdvancedTransform, ReplacesEveryMatchRegardlessOfCase) {
    replace("ABC", "X");
    EXPECT_EQ(transform("xabcyAbC"), "xXyX");
}

TEST_F(AdvancedTransform, NeverSearchesTheReplacementAgain) {
    replace("a", "aa");
    EXPECT_EQ(transform("aa"), "aaaa");
}

TEST_F(AdvancedTransform, SearchByCharacterCodeRunsBeforeTheLineEndsAreTranslated) {
    replace("{13}", "{TAB}");
    settings.Check_ENTER_KEY = 1;
    EXPECT_EQ(transform("12\r"), "12{TAB}");
}

TEST_F(AdvancedTransform, ReplacementIsEscapedAndThenFiltered) {
    replace("x", "a+b\x07{ENTER}");
    EXPECT_EQ(transform("1x2"), "1a{+}b{ENTER}2");
}

TEST_F(AdvancedTransform, SearchForAnEscapedCharacterFindsItInsideItsBraces) {
    replace("+", "plus");
    EXPECT_EQ(transform("1+2"), "1{plus}2");
}

TEST_F(AdvancedTransform, EmptySearchTextLeavesTheTextAlone) {
    replace("", "X");
    EXPECT_EQ(transform("abc"), "abc");
}

TEST_F(AdvancedTransform, TextWithoutTheSearchTextPassesUnchanged) {
    replace("zz", "X");
    EXPECT_EQ(transform("abc\t"), "abc{TAB}");
}

TEST_F(AdvancedTransform, MatchesWindows1252LettersRegardlessOfCase) {
    replace("\xc9t\xc9", "E");  // ÉTÉ
    EXPECT_EQ(transform("\xe9t\xe9"), "E");
    replace("\x8a", "S");  // Š matches š
    EXPECT_EQ(transform("\x9a"), "S");
    replace("\xd7", "x");  // the multiplication sign has no case: ÷ is not its small letter
    EXPECT_EQ(transform("\xf7"), "");
}

TEST_F(AdvancedTransform, PreambleAndPostambleFrameTheUnfilteredResult) {
    settings.Check_preamble = 1;
    settings.Text_preamble = "{HOME}";
    settings.Check_postamble = 1;
    settings.Text_postamble = "{ENTER}+";
    EXPECT_EQ(transform("42"), "{HOME}42{ENTER}{+}");
}

TEST_F(AdvancedTransform, InactiveIndicatorMeansTheSimpleTranslationOnly) {
    settings.Check_preamble = 1;
    settings.Text_preamble = "P";
    settings.Check_postamble = 1;
    settings.Text_postamble = "Q";
    replace("a", "b");
    settings.Check_LF_KEY = 1;
    EXPECT_EQ(transform("a+\n", false), "a{+}~");
}

TEST_F(AdvancedTransform, StepsThatAreSwitchedOffAreSkipped) {
    settings.Text_preamble = "P";
    settings.Text_searchfor = "a";
    settings.Text_replacewith = "b";
    settings.Check_preamble = 2;  // only 1 counts as on
    EXPECT_EQ(transform("a"), "a");
}

TEST(ReplaceIgnoringCase, HandlesMatchesAtBothEndsAndBackToBack) {
    std::string text = "abABab";
    replaceIgnoringCase(text, "ab", "-");
    EXPECT_EQ(text, "---");
    text = "aaa";
    replaceIgnoringCase(text, "aa", "b");
    EXPECT_EQ(text, "ba");
}

}  // namespace
}  // namespace vantorix
