#include "base/number_format.h"

#include <gtest/gtest.h>
#include <limits>

namespace hspring {
namespace {

// The examples the display texts are defined by.
TEST(NumberFormat, ExamplesOfTheDisplayFormats) {
    // General format with P significant digits.
    EXPECT_EQ(formatF4(12345.6), "1.235E4");
    EXPECT_EQ(formatF4(0.0000123456), "1.235E-5");
    EXPECT_EQ(formatF4(0), "0");
    // Recommended values.
    EXPECT_EQ(formatF4(39), "39");
    EXPECT_EQ(formatF4(12.3456), "12.35");
    EXPECT_EQ(formatF4(0.43478), "0.4348");
    // Results and history grid.
    EXPECT_EQ(formatF4(0.0123456), "0.01235");
    // Wire-diameter list.
    EXPECT_EQ(formatF15(0.5), "0.5");
    EXPECT_EQ(formatF15(1.2), "1.2");
    EXPECT_EQ(formatF15(10), "10");
}

TEST(NumberFormat, FourDigitsRoundsAndDropsTrailingZeros) {
    EXPECT_EQ(formatF4(39), "39");
    EXPECT_EQ(formatF4(12.3456), "12.35");
    EXPECT_EQ(formatF4(0.43478), "0.4348");
    EXPECT_EQ(formatF4(0.0123456), "0.01235");
    EXPECT_EQ(formatF4(2.5), "2.5");
    EXPECT_EQ(formatF4(1.0), "1");
    EXPECT_EQ(formatF4(-0.5), "-0.5");
    EXPECT_EQ(formatF4(9999.4), "9999");
    EXPECT_EQ(formatF4(490.332), "490.3");
}

TEST(NumberFormat, ScientificOutsideTheFixedRange) {
    EXPECT_EQ(formatF4(12345.6), "1.235E4");
    EXPECT_EQ(formatF4(0.0000123456), "1.235E-5");
    EXPECT_EQ(formatF4(-12345.6), "-1.235E4");
    EXPECT_EQ(formatF4(10000), "1E4");
    // Rounding decides the notation: 9999.6 rounds to 10000.
    EXPECT_EQ(formatF4(9999.6), "1E4");
    EXPECT_EQ(formatF4(0.0001), "0.0001");
    EXPECT_EQ(formatF4(0.00009999), "9.999E-5");
    EXPECT_EQ(formatF4(1e300), "1E300");
}

TEST(NumberFormat, FifteenDigits) {
    EXPECT_EQ(formatF15(0), "0");
    EXPECT_EQ(formatF15(0.5), "0.5");
    EXPECT_EQ(formatF15(-10.02496880847188), "-10.0249688084719");
    EXPECT_EQ(formatF15(182.8624052261117), "182.862405226112");
    EXPECT_EQ(formatF15(1.2), "1.2");
    EXPECT_EQ(formatF15(10), "10");
    EXPECT_EQ(formatF15(0.1 + 0.2), "0.3");
    EXPECT_EQ(formatF15(123456789012345.0), "123456789012345");
    EXPECT_EQ(formatF15(1234567890123456.0), "1.23456789012346E15");
}

TEST(NumberFormat, ZeroNanAndInfinities) {
    EXPECT_EQ(formatF4(-0.0), "0");
    EXPECT_EQ(formatF4(std::numeric_limits<double>::quiet_NaN()), "NAN");
    EXPECT_EQ(formatF4(std::numeric_limits<double>::infinity()), "INF");
    EXPECT_EQ(formatF4(-std::numeric_limits<double>::infinity()), "-INF");
    EXPECT_EQ(formatF4(std::numeric_limits<double>::denorm_min()), "4.941E-324");
    EXPECT_EQ(formatF15(-std::numeric_limits<double>::max()), "-1.79769313486232E308");
}

TEST(NumberFormat, DigitsOutsideOneToSeventeenAreLimited) {
    EXPECT_EQ(formatGeneral(2.6, 0), "3");
    EXPECT_EQ(formatGeneral(0.1, 40), "0.10000000000000001");
}

} // namespace
} // namespace hspring
