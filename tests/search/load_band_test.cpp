// SPDX-License-Identifier: GPL-3.0-or-later
#include "search/load_band.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <random>

namespace hspring {
namespace {

long double larger(long double pi, const LoadLine& one, const LoadLine& two,
                   const LoadToleranceFactors& f) {
    return std::max(worstDeviation(pi, one, f), worstDeviation(pi, two, f));
}

// The closed form against a fine scan of the range, over many random working points, grades and
// ranges, some of which hold the best point and some of which cut it off.
TEST(CentringInitialTension, NoPointOfTheRangeDoesBetter) {
    std::mt19937 random(7);
    std::uniform_real_distribution<long double> unit(0, 1);
    const LoadToleranceFactors grades[] = {{0, 0}, {0.10L, 0.04L}, {0.15L, 0.10L}, {0.20L, 0.12L}};
    for (int trial = 0; trial < 2000; ++trial) {
        const LoadToleranceFactors f = grades[trial % 4];
        const LoadLine one{0.05L + unit(random), 0.3L + unit(random)};
        const LoadLine two{one.a + 0.05L + 2 * unit(random), one.target + 0.1L + 2 * unit(random)};
        const long double low = unit(random);
        const long double high = low + 0.01L + unit(random);
        const long double best = centringInitialTension(one, two, f, low, high);
        ASSERT_GE(best, low);
        ASSERT_LE(best, high);
        const long double found = larger(best, one, two, f);
        for (int i = 0; i <= 400; ++i) {
            const long double pi = low + (high - low) * i / 400;
            ASSERT_LE(found, larger(pi, one, two, f) + 1e-15L) << trial << " at " << (double)pi;
        }
    }
}

TEST(CentringInitialTension, HandWorkedPoint) {
    // Nominal: P = Pi + a; the deviations (Pi + 0.2 − 0.5)/0.5 and (Pi + 0.6 − 1)/1 are opposite
    // at Pi = 1/3 (both 1/15 in size).
    const LoadToleranceFactors none{0, 0};
    EXPECT_NEAR(static_cast<double>(centringInitialTension({0.2L, 0.5L}, {0.6L, 1}, none, 0, 1)),
                1.0 / 3, 1e-15);
    // Clamped to the range when the best lies outside it.
    EXPECT_EQ(centringInitialTension({0.2L, 0.5L}, {0.6L, 1}, none, 0.4L, 1), 0.4L);
    // With the grade-2 band (α 0.15, β 0.10) the tolerance α·Pi rises with Pi, so the best Pi
    // moves down from the nominal one.
    const long double banded =
        centringInitialTension({0.2L, 0.5L}, {0.6L, 1}, {0.15L, 0.10L}, 0, 1);
    EXPECT_LT(banded, 1.0L / 3);
}

} // namespace
} // namespace hspring
