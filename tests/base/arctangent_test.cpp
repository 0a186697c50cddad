// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/arctangent.h"

#include <array>
#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <utility>

namespace hspring {
namespace {

// How many units in the last place of the 64-bit significand lie between a result and the value
// it should have.
long double ulpsApart(long double result, long double expected) {
    const long double ulp =
        std::nextafter(expected, std::numeric_limits<long double>::infinity()) - expected;
    return std::fabs(result - expected) / ulp;
}

TEST(SmallArctangent, MatchesCorrectlyRoundedValuesWithinOneUnit) {
    // {x, atan x} with both the argument and the arctangent exact to the last bit (x rounded to
    // the 64-bit significand first, its arctangent from 300-bit arithmetic): 0.3, 0.1, 1/7,
    // 5/128 (halfway between two table points), 0.49999, just below 1/2 and 2⁻²⁰.
    constexpr std::array<std::pair<long double, long double>, 7> references = {{
        {0x1.3333333333333334p-2L, 0x1.2a73a661eaf05e32p-2L},
        {0x1.999999999999999ap-4L, 0x1.983e282e2cc4c3aep-4L},
        {0x1.2492492492492492p-3L, 0x1.229aec47638dc886p-3L},
        {0x1.4000000000000000p-5L, 0x1.3fd65f169c9d9172p-5L},
        {0x1.fffd60e94ee392e2p-2L, 0x1.dac457769ae1791cp-2L},
        {0x1.ffffffffffffffc0p-2L, 0x1.dac670561bb4f658p-2L},
        {0x1.0000000000000000p-20L, 0x1.ffffffffff555556p-21L},
    }};
    for (const auto& [x, expected] : references)
        EXPECT_LE(ulpsApart(smallArctangent(x), expected), 1) << static_cast<double>(x);
    EXPECT_EQ(smallArctangent(0), 0);
}

// Every table point and the arguments around it, and a dense sweep of the range, against the
// library's arctangent: a wrong table entry or series term shows as thousands of units.
TEST(SmallArctangent, AgreesWithTheLibraryAcrossItsRange) {
    long double worst = 0;
    const auto check = [&](long double x) {
        worst = std::max(worst, ulpsApart(smallArctangent(x), std::atan(x)));
    };
    for (int k = 0; k <= 64; ++k) {
        const long double node = static_cast<long double>(k) / 128;
        check(node);
        check(std::nextafter(node, 1.0L));
        if (k > 0)
            check(std::nextafter(node, 0.0L));
    }
    constexpr int kSteps = 200'000;
    for (int i = 1; i < kSteps; ++i)
        check(0.5L * i / kSteps);
    EXPECT_LE(worst, 2);
}

TEST(SmallArctangent, ArgumentsOutsideItsRangeGoToTheLibrary) {
    for (const long double x : {-0.25L, 0.5000001L, 0.75L, 3.0L, 1e300L})
        EXPECT_EQ(smallArctangent(x), std::atan(x)) << static_cast<double>(x);
    EXPECT_TRUE(std::isnan(smallArctangent(std::numeric_limits<long double>::quiet_NaN())));
}

} // namespace
} // namespace hspring
