// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/error.h"
#include "base/text_to_number.h"
#include "cli/problem_text.h"

#include <cmath>
#include <gtest/gtest.h>
#include <string>

namespace hspring {
namespace {

TEST(TextToDouble, AcceptsPlainDecimalNumbers) {
    EXPECT_EQ(textToDouble("20"), 20.0);
    EXPECT_EQ(textToDouble("20.5"), 20.5);
    EXPECT_EQ(textToDouble("-0.25"), -0.25);
    EXPECT_EQ(textToDouble("+3"), 3.0);
    EXPECT_EQ(textToDouble(".5"), 0.5);
    EXPECT_EQ(textToDouble("5."), 5.0);
    EXPECT_EQ(textToDouble("1.5E-3"), 0.0015);
    EXPECT_EQ(textToDouble("1e3"), 1000.0);
    EXPECT_EQ(textToDouble("2E+2"), 200.0);
    EXPECT_EQ(textToDouble(" 7 "), 7.0);
    EXPECT_EQ(textToDouble("0.0"), 0.0);
    // A display text reads back to the value it shows.
    EXPECT_EQ(textToDouble("1.235E4"), 12350.0);
}

TEST(TextToDouble, UnderflowBecomesZeroAndDenormalsStay) {
    EXPECT_EQ(textToDouble("1e-400"), 0.0);
    EXPECT_TRUE(std::signbit(textToDouble("-1e-400")));
    EXPECT_GT(textToDouble("1e-310"), 0.0);
    EXPECT_EQ(textToDouble("0e999999"), 0.0);
    EXPECT_EQ(textToDouble("0." + std::string(400, '0') + "1"), 0.0);
}

// Whether an out-of-range text is too large or too small depends on where its first non-zero
// digit stands, however it is written.
TEST(TextToDouble, OverflowIsRejectedInEveryNotation) {
    for (const std::string& text :
         {"1" + std::string(400, '0'), "-1" + std::string(400, '0'), "00" + std::string(309, '9'),
          "1" + std::string(400, '0') + ".5", std::string("0.01e311"),
          std::string(200, '1') + "e200"}) {
        EXPECT_THROW(textToDouble(text), Error) << text;
    }
    EXPECT_EQ(textToDouble("1" + std::string(308, '0')), 1e308);
    EXPECT_EQ(textToDouble("0.001e311"), 1e308);
}

TEST(TextToDouble, RejectsEverythingElseWithTheMessage) {
    const char* rejected[] = {"",     " ",      "abc",   "1,5",    "1.2.3", "1 5",   "--1",
                              "+-1",  "e5",     "1e",    "1e+",    ".",     "nan",   "inf",
                              "0x10", "１，５", "1e999", "-1e999", "12abc", "1.5mm", "\t1"};
    for (const char* text : rejected) {
        try {
            textToDouble(text);
            ADD_FAILURE() << "accepted '" << text << "'";
        } catch (const Error& error) {
            EXPECT_EQ(error.kind(), Error::Kind::Conversion);
            EXPECT_EQ(cli::problemText(error),
                      "'" + std::string(text) + "' is not a floating-point number");
        }
    }
}

// What a Japanese input method types: full-width digits, signs, point and exponent, the minus
// sign and the ideographic space, in any mix with ASCII; the message quotes the text as typed.
TEST(TextToNumber, FullWidthFormsReadAsTheirAsciiForms) {
    EXPECT_EQ(textToDouble("１５"), 15.0);
    EXPECT_EQ(textToDouble("－２．５"), -2.5);
    EXPECT_EQ(textToDouble("＋1．５Ｅ－３"), 0.0015);
    EXPECT_EQ(textToDouble("\u3000２ｅ２\u3000"), 200.0);
    EXPECT_EQ(textToDouble("\u22127"), -7.0);
    EXPECT_EQ(textToInt("－４５"), -45);
    try {
        textToDouble("１，５");
        ADD_FAILURE() << "accepted a full-width comma";
    } catch (const Error& error) {
        EXPECT_EQ(error.subject(), "１，５");
    }
    // Other characters of the same blocks stay what they are.
    EXPECT_EQ(asciiNumberText("ａ１＝５（ｍｍ）"), "ａ1＝5（ｍｍ）");
    EXPECT_THROW(textToDouble("１\xEF\xBC"), Error);
}

TEST(TextToDouble, VeryLongTextsAreHandled) {
    EXPECT_EQ(textToDouble("0." + std::string(5000, '0') + "1e5000"), 0.1);
    EXPECT_THROW(textToDouble(std::string(5000, '9') + "x"), Error);
}

TEST(TextToInt, AcceptsWholeNumbersInRange) {
    EXPECT_EQ(textToInt("45"), 45);
    EXPECT_EQ(textToInt("-3"), -3);
    EXPECT_EQ(textToInt("+8"), 8);
    EXPECT_EQ(textToInt(" 2147483647 "), 2147483647);
    EXPECT_EQ(textToInt("-2147483648"), -2147483647 - 1);
}

TEST(TextToInt, RejectsOtherTexts) {
    for (const char* text : {"", "x", "4.5", "2147483648", "--1", "+-1", "1e3", "１．５"}) {
        try {
            textToInt(text);
            ADD_FAILURE() << "accepted '" << text << "'";
        } catch (const Error& error) {
            EXPECT_EQ(cli::problemText(error),
                      "'" + std::string(text) + "' is not a valid integer");
        }
    }
}

} // namespace
} // namespace hspring
