#include "core/key_translation.h"

#include <gtest/gtest.h>

namespace vantorix {
namespace {

std::string translated(std::string text, int enterKey, int lfKey) {
    RedirectSettings settings;
    settings.Check_ENTER_KEY = enterKey;
    settings.Check_LF_KEY = lfKey;
    translateReceivedText(text, settings);
    return text;
}

TEST(KeyTranslation, EscapesEveryCharacterWithAMeaningInTheKeySyntax) {
    std::string text = "a}b{c^d+e%f~g(h)i[j]k";
    escapeKeySyntax(text);
    EXPECT_EQ(text, "a{}}b{{}c{^}d{+}e{%}f{~}g{(}h{)}i{[}j{]}k");
}

TEST(KeyTranslation, UserTextKeepsItsBracesSoKeyTokensStayKeys) {
    std::string text = "{ENTER}a+b^c%d~e(f)g[h]";
    escapeUserText(text);
    EXPECT_EQ(text, "{ENTER}a{+}b{^}c{%}d{~}e{(}f{)}g{[}h{]}");
}

TEST(KeyTranslation, LineEndsBecomeEnterOnlyWhenSwitchedOn) {
    EXPECT_EQ(translated("a+b\r\n", 1, 0), "a{+}b~");
    EXPECT_EQ(translated("12\r\n", 0, 0), "12");
    EXPECT_EQ(translated("12\r\n", 0, 1), "12~");
    EXPECT_EQ(translated("12\r\n", 1, 1), "12~~");
    // Only the value 1 counts as on.
    EXPECT_EQ(translated("12\r\n", 2, 2), "12");
}

TEST(KeyTranslation, PrintableFilterKeepsTabAsAKeyAndDropsOtherControlsAndHighBytes) {
    EXPECT_EQ(translated("a\tb\x07"
                         "c\x7f"
                         "d\xc8"
                         "e",
                         0, 0),
              "a{TAB}bcde");
    std::string all;
    for (int code = 0; code < 256; ++code) {
        all += static_cast<char>(code);
    }
    const std::string result = translated(all, 0, 0);
    for (const char c : result) {
        EXPECT_GE(static_cast<unsigned char>(c), 32);
        EXPECT_LE(static_cast<unsigned char>(c), 126);
    }
    // 95 printable characters, ten of them wrapped in braces (two more each), and {TAB}.
    EXPECT_EQ(result.size(), 95u + 10u * 2u + 5u);
}

TEST(KeyTranslation, EnterWrittenForALineEndIsNotEscapedAgain) {
    // A received "~" is escaped before the line ends become "~", so the two stay apart.
    EXPECT_EQ(translated("~\r", 1, 0), "{~}~");
}

}  // namespace
}  // namespace vantorix
