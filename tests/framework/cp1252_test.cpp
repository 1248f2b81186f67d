#include "framework/cp1252.h"

#include <gtest/gtest.h>

TEST(Cp1252, EveryByteSurvivesARoundTripThroughUtf8) {
    std::string all;
    for (int b = 0; b < 256; ++b)
        all += static_cast<char>(b);
    EXPECT_EQ(Utf8ToCp1252(Cp1252ToUtf8(all)), all);
    EXPECT_EQ(Cp1252ToUtf8("\x80\xB0\xE9"), "\u20AC\u00B0\u00E9");
    EXPECT_EQ(Cp1252ToUtf8("\x93q\x94"), "\u201Cq\u201D");
}

TEST(Cp1252, CharactersOutsideTheCodePageBecomeQuestionMarks) {
    EXPECT_EQ(Utf8ToCp1252("\u03B1 \u2264 5\u00B0"), "? ? 5\xB0"); // alpha and less-or-equal
    EXPECT_EQ(Utf8ToCp1252("\U0001F600"), "?");
    EXPECT_EQ(Utf8ToCp1252("\u0080"), "?"); // a C1 control the code page puts elsewhere
    // Malformed UTF-8: stray continuation, cut sequence, surrogate.
    EXPECT_EQ(Utf8ToCp1252("a\x80"
                           "b"),
              "a?b");
    EXPECT_EQ(Utf8ToCp1252("\xE2\x82"), "??");
    EXPECT_EQ(Utf8ToCp1252("\xED\xA0\x80"), "?");
    EXPECT_EQ(UnicodeToCp1252(0x20AC), 0x80);
    EXPECT_EQ(UnicodeToCp1252(0x3B1), 0);
    EXPECT_EQ(Cp1252ToUnicode(0x9F), U'\u0178');
}

TEST(Cp1252, OnlyWellFormedUtf8CountsAsUtf8) {
    EXPECT_TRUE(IsValidUtf8("caf\u00E9 \u20AC \U0001F600"));
    EXPECT_FALSE(IsValidUtf8("caf\xE9"));          // code page text
    EXPECT_FALSE(IsValidUtf8("\xC0\xAF"));         // overlong slash
    EXPECT_FALSE(IsValidUtf8("\xED\xA0\x80"));     // surrogate
    EXPECT_FALSE(IsValidUtf8("\xE2\x82"));         // cut short
    EXPECT_FALSE(IsValidUtf8("\xF4\x90\x80\x80")); // beyond U+10FFFF
}
