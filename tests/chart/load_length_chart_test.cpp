// SPDX-License-Identifier: GPL-3.0-or-later
#include "chart/load_length_chart.h"
#include "tests/support/test_materials.h"

#include <cmath>
#include <gtest/gtest.h>

namespace hspring {
namespace {

// The load at a length on a straight piece of the chart.
double along(const std::pair<ChartPoint, ChartPoint>& piece, double length) {
    const ChartPoint& a = piece.first;
    const ChartPoint& b = piece.second;
    return a.load + (b.load - a.load) * (length - a.length) / (b.length - a.length);
}

TEST(LoadLengthChart, LineBandPointsAndLimitsInSceneUnits) {
    const MaterialLibrary library = test::referenceLibrary();
    const DesignResult result = evaluateDesign(test::referenceDesign(), library,
                                               test::referenceCoefficients(), HookType::Round, 2);
    const SpringDesign& s = result.design;
    const LoadLengthChart chart =
        loadLengthChart(result, {{s.length1, 0.5, 0.7}, {s.length2, 1.0, 1.2}});

    // The line from (L0, Pi) to the longest length passes both working points.
    EXPECT_EQ(chart.lineStart.length, s.freeLength);
    EXPECT_EQ(chart.lineStart.load, s.initialTension);
    EXPECT_EQ(chart.lineEnd.length, std::isnan(result.extras.maxLengthWithHooks)
                                        ? s.maxLength
                                        : result.extras.maxLengthWithHooks);
    const std::pair line{chart.lineStart, chart.lineEnd};
    EXPECT_NEAR(along(line, s.length1), s.load1, 1e-12);
    EXPECT_NEAR(along(line, s.length2), s.load2, 1e-12);

    // The band is the load ± its tolerance of grade 2 wherever it is read.
    ASSERT_TRUE(chart.bandUpper && chart.bandLower);
    EXPECT_NEAR(along(*chart.bandUpper, s.length2), s.load2 + result.tolerances.load2, 1e-12);
    EXPECT_NEAR(along(*chart.bandLower, s.length1), s.load1 - result.tolerances.load1, 1e-12);
    EXPECT_NEAR(chart.bandUpper->first.load - s.initialTension, 0.15 * s.initialTension, 1e-15);
    EXPECT_EQ(chart.working[0].tolerance, result.tolerances.load1);
    EXPECT_EQ(chart.working[1].point.load, s.load2);

    // The coil's maximum load and the hooks': the load at which the nearer hook stress reaches
    // its allowable.
    ASSERT_EQ(chart.limits.size(), 2u);
    EXPECT_EQ(chart.limits[0].kind, ChartLimit::Kind::Coil);
    EXPECT_EQ(chart.limits[0].load, s.maxLoad);
    const double hooks = chart.limits[1].load;
    const double torsionShare =
        result.extras.hookTorsionStress2 * hooks / s.load2 / result.extras.hookTorsionAllowable;
    EXPECT_LE(torsionShare, 1 + 1e-12);
    if (!std::isnan(result.extras.hookBendingAllowable)) {
        const double bendingShare =
            result.extras.hookBendingStress2 * hooks / s.load2 / result.extras.hookBendingAllowable;
        EXPECT_NEAR(std::max(torsionShare, bendingShare), 1, 1e-12);
    } else {
        EXPECT_NEAR(torsionShare, 1, 1e-12);
    }

    // Everything lies within the ranges.
    EXPECT_EQ(chart.windows.size(), 2u);
    // Lengths from a round value just below the free length (39 → 35 for a range of about 30).
    EXPECT_LT(chart.lengthRange[0], s.freeLength);
    EXPECT_GT(chart.lengthRange[0], s.freeLength - (chart.lengthRange[1] - s.freeLength) / 2);
    EXPECT_EQ(std::fmod(chart.lengthRange[0], 5), 0) << chart.lengthRange[0];
    EXPECT_GT(chart.lengthRange[1], chart.lineEnd.length);
    EXPECT_GT(chart.loadRange[1], std::max(hooks, chart.bandUpper->second.load));

    // Without a grade: no band and no bars.
    const DesignResult nominal =
        evaluateDesign(test::referenceDesign(), library, test::referenceCoefficients(),
                       HookType::Round, kNoToleranceGrade);
    const LoadLengthChart plain = loadLengthChart(nominal);
    EXPECT_FALSE(plain.bandUpper.has_value());
    EXPECT_EQ(plain.working[1].tolerance, 0);
    EXPECT_TRUE(plain.windows.empty());
}

} // namespace
} // namespace hspring
