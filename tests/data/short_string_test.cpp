// SPDX-License-Identifier: GPL-3.0-or-later
#include "data/material_library.h"
#include "data/short_string.h"

#include <cstring>
#include <gtest/gtest.h>
#include <string>

namespace hspring {
namespace {

std::string repeat(const std::string& piece, int times) {
    std::string text;
    for (int i = 0; i < times; ++i)
        text += piece;
    return text;
}

TEST(ShortString, TextRoundTripsThroughTheField) {
    for (const char* text : {"", "SW-B", "硬鋼線", "ｺｲﾙ径", "(15%～25%)", "ＳＵＳ３０４－ＷＰＢ"}) {
        ShortString field{};
        EXPECT_TRUE(setShortStringText(field, text));
        EXPECT_EQ(shortStringText(field), text);
    }
}

TEST(ShortString, FiftyBytesFitAndTheCutNeverSplitsACharacter) {
    ShortString field{};
    EXPECT_TRUE(setShortStringText(field, repeat("材", 25)));
    EXPECT_EQ(field.length, 50);

    // 49 bytes of ASCII leave one byte: too little for "材", which is dropped whole.
    std::memset(field.bytes, 'z', sizeof field.bytes);
    EXPECT_FALSE(setShortStringText(field, repeat("a", 49) + "材"));
    EXPECT_EQ(field.length, 49);
    EXPECT_EQ(shortStringText(field), repeat("a", 49));
    EXPECT_EQ(field.bytes[49], 'z'); // bytes after the length keep what they held

    EXPECT_FALSE(setShortStringText(field, repeat("b", 51)));
    EXPECT_EQ(shortStringText(field), repeat("b", 50));

    EXPECT_FALSE(setShortStringText(field, repeat("ｶ", 60)));
    EXPECT_EQ(shortStringText(field), repeat("ｶ", 50));
}

TEST(ShortString, ShorterTextKeepsTheBytesAfterItsLength) {
    ShortString field{};
    setShortStringText(field, "ABCDEFGH");
    setShortStringText(field, "xy");
    EXPECT_EQ(field.length, 2);
    EXPECT_EQ(std::string(field.bytes, 8), "xyCDEFGH");
}

TEST(ShortString, LengthByteAbove50ReadsNoFurtherThanTheField) {
    MaterialRecord record{};
    std::memset(record.kindName.bytes, 'A', sizeof record.kindName.bytes);
    record.gradeSymbol.length = 'B';
    std::memset(record.gradeSymbol.bytes, 'B', sizeof record.gradeSymbol.bytes);
    for (int length : {51, 200, 255}) {
        record.kindName.length = static_cast<std::uint8_t>(length);
        EXPECT_EQ(shortStringText(record.kindName), repeat("A", 50)) << length;
    }
    // A lead byte in the last place has no partner inside the field.
    record.kindName.length = 50;
    record.kindName.bytes[49] = '\x8D';
    EXPECT_EQ(shortStringText(record.kindName), repeat("A", 49) + "\xEF\xBF\xBD");
}

} // namespace
} // namespace hspring
