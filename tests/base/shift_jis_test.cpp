// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/shift_jis.h"

#include <gtest/gtest.h>
#include <string>

namespace hspring {
namespace {

struct Cp932Example {
    const char* text;
    const char* bytes;
};

// Code page 932 as Windows writes it; "～" is the full-width tilde U+FF5E of the hint texts.
constexpr Cp932Example kExamples[] = {
    {"材料の種類", "\x8D\xDE\x97\xBF\x82\xCC\x8E\xED\x97\xDE"},
    {"ＳＷＰ－Ａ", "\x82\x72\x82\x76\x82\x6F\x81\x7C\x82\x60"},
    {"ｺｲﾙ径", "\xBA\xB2\xD9\x8C\x61"},
    {"～", "\x81\x60"},
    {"(20%～35%)", "(20%\x81\x60"
                   "35%)"},
    {"SW-B 0.5", "SW-B 0.5"},
};

TEST(ShiftJis, CodePage932ExamplesConvertBothWays) {
    for (const Cp932Example& example : kExamples) {
        EXPECT_EQ(shiftJisToUtf8(example.bytes), example.text);
        const ShiftJisText encoded = utf8ToShiftJis(example.text, 50);
        EXPECT_EQ(encoded.bytes, example.bytes) << example.text;
        EXPECT_TRUE(encoded.complete);
    }
}

TEST(ShiftJis, EveryHalfWidthKatakanaIsOneByte) {
    for (int byte = 0xA1; byte <= 0xDF; ++byte) {
        const std::string text = shiftJisToUtf8(std::string(1, static_cast<char>(byte)));
        // U+FF61..U+FF9F, three bytes of UTF-8.
        const char32_t expected = 0xFF61 + (byte - 0xA1);
        EXPECT_EQ(text, std::string({static_cast<char>(0xEF),
                                     static_cast<char>(0x80 | ((expected >> 6) & 0x3F)),
                                     static_cast<char>(0x80 | (expected & 0x3F))}));
        EXPECT_EQ(utf8ToShiftJis(text, 1).bytes, std::string(1, static_cast<char>(byte)));
    }
}

TEST(ShiftJis, BrokenBytesBecomeReplacementCharactersWithoutLosingNeighbours) {
    const std::string replacement = "\xEF\xBF\xBD";
    // A lead byte at the end, and ones whose partner is no trail byte ("A" would be one).
    EXPECT_EQ(shiftJisToUtf8("A\x81"), "A" + replacement);
    EXPECT_EQ(shiftJisToUtf8("\x81"
                             "0"),
              replacement + "0");
    EXPECT_EQ(shiftJisToUtf8("\x81"
                             "A"),
              "、");
    EXPECT_EQ(shiftJisToUtf8("\x82\x20x"), replacement + " x");
    // Bytes that code page 932 leaves unassigned.
    EXPECT_EQ(shiftJisToUtf8("\xA0"), replacement);
    EXPECT_EQ(shiftJisToUtf8("\xFD\xFE\xFF"), replacement + replacement + replacement);
    // Every single byte and every byte pair decodes to something.
    for (int first = 0; first < 256; ++first)
        for (int second = 0; second < 256; ++second)
            EXPECT_FALSE(
                shiftJisToUtf8(std::string{static_cast<char>(first), static_cast<char>(second)})
                    .empty());
}

TEST(ShiftJis, CharactersWithoutACodeBecomeQuestionMarks) {
    const ShiftJisText encoded = utf8ToShiftJis("A😀한B", 50);
    EXPECT_EQ(encoded.bytes, "A??B");
    EXPECT_FALSE(encoded.complete);
}

TEST(ShiftJis, TheByteLimitNeverCutsADoubleByteCharacter) {
    ShiftJisText encoded = utf8ToShiftJis("ab材料", 3);
    EXPECT_EQ(encoded.bytes, "ab");
    EXPECT_FALSE(encoded.complete);

    encoded = utf8ToShiftJis("ab材料", 4);
    EXPECT_EQ(encoded.bytes, "ab\x8D\xDE");
    EXPECT_FALSE(encoded.complete);

    encoded = utf8ToShiftJis("ab材料", 6);
    EXPECT_EQ(encoded.bytes, "ab\x8D\xDE\x97\xBF");
    EXPECT_TRUE(encoded.complete);

    // Half-width katakana take one byte each, so they fill the limit exactly.
    encoded = utf8ToShiftJis("ｺｲﾙ径", 3);
    EXPECT_EQ(encoded.bytes, "\xBA\xB2\xD9");
    EXPECT_FALSE(encoded.complete);
}

} // namespace
} // namespace hspring
